#include "link/ui/frm_status.h"

#include "link/serial_link.h"
#include "link/update.h"
#include "model/conf_fields.h"
#include "model/session.h"
#include "model/summary_rows.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <string_view>

namespace {

QLabel* label(QWidget* parent, const QString& name, const QString& text = {})
{
    auto* l = new QLabel(text, parent);
    l->setObjectName(name);
    l->setTextFormat(Qt::PlainText);
    return l;
}

} // namespace

frmStatus::frmStatus(Link& link, QWidget* parent)
    : QDialog(parent), link_(link)
{
    setObjectName(QStringLiteral("frmStatus"));
    setWindowTitle(QStringLiteral("Update Configuration"));
    const char* headings[14] = {"Serial No. :", "Tag Name :", "Input Type :", "", "Min.", "Max.", "Burn-Out :",
                                "Output :", "Mains Frequency :", "Mode :", "Damping Time :", "Min :", "Max :",
                                "Ambient Temprature Units :"};
    Label1 = label(this, QStringLiteral("Label1"), QStringLiteral("Confirm The Following Changes:"));
    QFont bold = Label1->font();
    bold.setBold(true);
    Label1->setFont(bold);

    for (int i = 0; i < 14; ++i) {
        LbHead[i] = label(this, QStringLiteral("LbHead_%1").arg(i), QString::fromLatin1(headings[i]));
        LbData[i] = label(this, QStringLiteral("LbData_%1").arg(i));
    }
    LbUnit[SummaryUnits::RangeMin] = label(this, QStringLiteral("LbUnit_0"));
    LbUnit[SummaryUnits::RangeMax] = label(this, QStringLiteral("LbUnit_1"));
    // Each value stands beside its own heading (the output limits and the damping do not share
    // their heading's index).
    auto* grid = new QGridLayout;
    int line = 0;
    for (const SummaryRow& row : ConfigurationRows) {
        grid->addWidget(LbHead[row.head], line, 0);
        grid->addWidget(LbData[row.data], line, 1);
        if (row.unit >= 0)
            grid->addWidget(LbUnit[row.unit], line, 2);
        ++line;
    }

    auto* status = new QGroupBox(QStringLiteral("Connected Unit Status :"), this);
    FrStatus = status;
    FrStatus->setObjectName(QStringLiteral("FrStatus"));
    // "Dsplay. Range :  Min. -200  Max. 1000": each limit after its own heading.
    const char* displayHeadings[3] = {"Dsplay. Range :", "Min.", "Max."};
    for (int i = 14; i < 17; ++i)
        LbHead[i] = label(status, QStringLiteral("LbHead_%1").arg(i), QString::fromLatin1(displayHeadings[i - 14]));
    for (int i = 14; i < 16; ++i)
        LbData[i] = label(status, QStringLiteral("LbData_%1").arg(i));
    auto* statusRow = new QHBoxLayout(status);
    for (QLabel* control : {LbHead[SummaryHead::DisplayRange], LbHead[SummaryHead::DisplayLow], LbData[SummaryData::DispLow], LbHead[SummaryHead::DisplayHigh], LbData[SummaryData::DispHigh]})
        statusRow->addWidget(control);
    statusRow->addStretch();

    Update = new QPushButton(QStringLiteral("Update"), this);
    Update->setObjectName(QStringLiteral("Update"));
    Cancel = new QPushButton(QStringLiteral("Cancel"), this);
    Cancel->setObjectName(QStringLiteral("Cancel"));
    connect(Update, &QPushButton::clicked, this, [this] { Update_Click(); });
    connect(Cancel, &QPushButton::clicked, this, [this] { Cancel_Click(); });
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Update);
    buttons->addWidget(Cancel);

    auto* changeFrame = new QGroupBox(QStringLiteral("Old and New Values :"), this);
    changeFrame->setObjectName(QStringLiteral("changeFrame"));
    changes_ = label(changeFrame, QStringLiteral("changes"));
    changes_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    (new QVBoxLayout(changeFrame))->addWidget(changes_);
    auto* rows = new QHBoxLayout;
    rows->addLayout(grid);
    rows->addWidget(changeFrame);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addLayout(rows);
    layout->addWidget(FrStatus);
    layout->addLayout(buttons);
}

QStringList frmStatus::changeLines() const
{
    // What the update writes: the configuration, the tag, the serial number only when it was
    // changed, the display range only to a unit with a display. The correction is not written.
    const bool serial = link_.update.SerialChanged;
    const bool display = link_.poll.DisplayPresent;
    QStringList lines;
    for (const FieldComparison& change :
         FieldDifferences(link_.session.UnitConf, link_.session.EditConf, [&](const ConfField& field) {
             switch (field.group) {
             case FieldGroup::Identity: return serial || std::string_view(field.key) != "Serial";
             case FieldGroup::Configuration: return true;
             case FieldGroup::Display: return display;
             case FieldGroup::Correction: break;
             }
             return false;
         }))
        lines << ChangeText(change);
    return lines;
}

void frmStatus::showEvent(QShowEvent* event)
{
    const QStringList lines = changeLines();
    changes_->setText(lines.isEmpty() ? QStringLiteral("No field changes.") : lines.join(QLatin1Char('\n')));
    QDialog::showEvent(event);
}

void frmStatus::Update_Click()
{
    link_.update.UpdateConfirmed = true;
    accept();
    ConfirmUpdate(link_);
}

void frmStatus::Cancel_Click()
{
    link_.update.UpdateConfirmed = false;
    QDialog::reject();
}

void frmStatus::reject()
{
    Cancel_Click();
}
