#include "dialogs/tc_type.h"

#include "model/catalogue.h"
#include "model/operator_messages.h"
#include "model/session.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>

TCtype::TCtype(Session& session, const Catalogue& catalogue, Operator& op, std::function<void()> showEditConf,
               std::function<void()> newInputChosen, QWidget* parent)
    : InputTypeDialog(session, catalogue, op, std::move(showEditConf), std::move(newInputChosen), parent)
{
    setObjectName(QStringLiteral("TCtype"));
    setWindowTitle(QStringLiteral("T/C definition"));
    LabHeader = makeLabel("LabHeader", "Select Thermocouple Type:");
    ListType = new QListWidget(this);
    ListType->setObjectName(QStringLiteral("ListType"));
    ListType->setSelectionMode(QAbstractItemView::SingleSelection);
    // The entries are the catalogue's names without their "T/C " prefix ("Type K" ... "Type C").
    for (const QString& name : catalogue_.thermocoupleNames)
        ListType->addItem(name.section(QLatin1Char(' '), 1));
    // The selection, not the current row: focus alone moves the current row without a choice.
    connect(ListType, &QListWidget::itemSelectionChanged, this, [this] { ListType_Click(); });
    LabUnit = makeLabel("LabUnit", "");
    LabUnit->setTextFormat(Qt::PlainText);
    LabUnit->hide();
    ComDone = makeButton("ComDone", "Done", [this] { ComDone_Click(); });
    ComCancel = makeButton("ComCancel", "Cancel", [this] { ComCancel_Click(); });

    stackWithButtons({LabHeader, ListType, LabUnit}, ComDone, ComCancel);
}

int TCtype::selectedType() const
{
    const QList<QListWidgetItem*> selected = ListType->selectedItems();
    return selected.isEmpty() ? -1 : ListType->row(selected.front());
}

void TCtype::ListType_Click()
{
    const int type = selectedType();
    if (type < 0) {
        IllegalValueMessage(op_, QStringLiteral("Illegal value in list box"));
        return;
    }
    LookupInputCode(catalogue_, session_.EditConf, catalogue_.thermocoupleCodes[type]);
    LabUnit->setText(session_.EditConf.InputName);
    LabUnit->show();
}

void TCtype::ComDone_Click()
{
    if (selectedType() < 0) {
        NoDataMessage(op_, QStringLiteral("No T/C is specified. Choose one from the list"));
        return;
    }
    accept();
    ConfRecord& edit = session_.EditConf;
    edit.Units = TemperatureUnitsOf(session_.UnitConf);
    edit.RangeMin = NoValue;
    edit.RangeMax = NoValue;
    CommonFinish();
}

void TCtype::ComCancel_Click() { reject(); }
