#include "dialogs/frm_pot.h"

#include "model/catalogue.h"
#include "model/session.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

frmpot::frmpot(Session& session, const Catalogue& catalogue, Operator& op, std::function<void()> showEditConf,
               std::function<void()> newInputChosen, QWidget* parent)
    : InputTypeDialog(session, catalogue, op, std::move(showEditConf), std::move(newInputChosen), parent)
{
    setObjectName(QStringLiteral("frmpot"));
    setWindowTitle(QStringLiteral("Potentiometer"));
    Labheader = makeLabel("Labheader", "Select Potentiometer Connection type :");
    Frwire = makeFrame("Frwire", "Wires");
    const std::array<OptionCaption, 2> wirings{{{&Lab3wir, "Lab3wir", "3 Wires"}, {&Lab4wire, "Lab4wire", "4 Wires"}}};
    addOptionGroup(Frwire, Optwire, "Optwire", wirings, [this](int i) { Optwire_Click(i); });
    ComDone = makeButton("ComDone", "Done", [this] { ComDone_Click(); });
    Comcancel = makeButton("Comcancel", "Cancel", [this] { Comcancel_Click(); });

    stackWithButtons({Labheader, Frwire}, ComDone, Comcancel);
    Form_Load();
}

void frmpot::Form_Load()
{
    Chosen = false;
    // Preselecting the current wiring counts as a choice, as a click would; a freshly loaded
    // window has no option selected for any other wiring.
    const std::uint8_t wires = session_.EditConf.Wires;
    if (wires == 1 || wires == 2)
        Optwire[wires - 1]->setChecked(true);
}

void frmpot::Optwire_Click(int index)
{
    Chosen = true;
    ChosenOption = index;
}

void frmpot::ComDone_Click()
{
    if (wiringMissing(Chosen))
        return;
    ConfRecord& edit = session_.EditConf;
    LookupInputCode(catalogue_, edit, PotentiometerCodes[WiringOfOption(ChosenOption)]);
    accept();
    edit.RangeMin = 0;
    edit.RangeMax = 100;
    edit.Units = UnitsPercent;
    CommonFinish();
}

void frmpot::Comcancel_Click() { reject(); }
