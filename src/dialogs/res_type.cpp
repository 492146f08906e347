#include "dialogs/res_type.h"

#include "model/catalogue.h"
#include "model/session.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

ResType::ResType(Session& session, const Catalogue& catalogue, Operator& op, std::function<void()> showEditConf,
                 std::function<void()> newInputChosen, QWidget* parent)
    : InputTypeDialog(session, catalogue, op, std::move(showEditConf), std::move(newInputChosen), parent)
{
    setObjectName(QStringLiteral("ResType"));
    setWindowTitle(QStringLiteral("Resistor Definition"));
    Labheader = makeLabel("Labheader", "Select  Resistor  Connection  type:");
    Frwire = makeFrame("Frwire", "Wires");
    const std::array<OptionCaption, 3> wirings{
        {{&Lab3wir, "Lab3wir", "3 Wires"}, {&Lab4wire, "Lab4wire", "4 Wires"}, {&Label1, "Label1", "2 Wires"}}};
    addOptionGroup(Frwire, Optwire, "Optwire", wirings, [this](int i) { Optwire_Click(i); });
    ComDone = makeButton("ComDone", "Done", [this] { ComDone_Click(); });
    Comcancel = makeButton("Comcancel", "Cancel", [this] { Comcancel_Click(); });

    stackWithButtons({Labheader, Frwire}, ComDone, Comcancel);
    Form_Load();
}

void ResType::Form_Load()
{
    Chosen = false;
    // Preselecting the current wiring runs the option's handler as a click would; a freshly
    // loaded window has no option selected for any other wiring.
    const std::uint8_t wires = session_.EditConf.Wires;
    if (wires < WiringCount)
        Optwire[(wires + 2) % 3]->setChecked(true);
}

void ResType::Optwire_Click(int index)
{
    Chosen = true;
    LookupInputCode(catalogue_, session_.EditConf, ResistorCodes[WiringOfOption(index)]);
}

void ResType::ComDone_Click()
{
    if (wiringMissing(Chosen))
        return;
    accept();
    ConfRecord& edit = session_.EditConf;
    edit.Units = UnitsOhm;
    edit.RangeMin = NoValue;
    edit.RangeMax = NoValue;
    showEditConf_();
}

void ResType::Comcancel_Click() { reject(); }
