#include "dialogs/rtd_type.h"

#include "model/catalogue.h"
#include "model/operator_messages.h"
#include "model/session.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

namespace {

constexpr int Platinum = 0;
constexpr int Nickel = 1;

// The window has an option for each nickel type, and for each platinum size of each curve.
static_assert(std::tuple_size_v<decltype(RTDtype::OptNi)> == NickelTypes);
static_assert(std::tuple_size_v<decltype(RTDtype::OptPt)> * std::tuple_size_v<decltype(RTDtype::Optstd)> == PlatinumTypes);

// True when the value lies beyond either limit of the record's sensor in the given units.
bool OutsideSensorLimits(const ConfRecord& record, float value, std::uint8_t units)
{
    return !MaxLimitText(record, value, MeasureUnit(units)).isEmpty() || !MinLimitText(record, value, MeasureUnit(units)).isEmpty();
}

} // namespace

RTDtype::RTDtype(Session& session, const Catalogue& catalogue, Operator& op, std::function<void()> showEditConf,
                 std::function<void()> newInputChosen, QWidget* parent)
    : InputTypeDialog(session, catalogue, op, std::move(showEditConf), std::move(newInputChosen), parent)
{
    setObjectName(QStringLiteral("RTDtype"));
    setWindowTitle(QStringLiteral("RTD Definition"));
    LabHeader = makeLabel("LabHeader", "Select RTD type:");

    Frmetal = makeFrame("Frmetal", "Type");
    const std::array<OptionCaption, 3> metals{{{&LabPt, "LabPt", "Platinum"}, {&LabNi, "LabNi", "Nickel"}, {&LabCu, "LabCu", "Copper"}}};
    addOptionGroup(Frmetal, Opttype, "Opttype", metals, [this](int i) { Opttype_Click(i); });

    FrNi = makeFrame("FrNi", "Nickel");
    // Each nickel type shows its catalogue name.
    const std::array<OptionCaption, NickelTypes> nickels{{{&LabNi120, "LabNi120", catalogue_.nickelNames[0]},
                                                          {&LabNi1000, "LabNi1000", catalogue_.nickelNames[1]},
                                                          {&LabNiFe, "LabNiFe", catalogue_.nickelNames[2]}}};
    addOptionGroup(FrNi, OptNi, "OptNi", nickels, [this](int i) { OptNi_Click(i); });

    FrPt = makeFrame("FrPt", "Platinum");
    const std::array<OptionCaption, 4> sizes{{{&Lab50, "Lab50", "Pt - 50"},
                                              {&Lab100, "Lab100", "Pt - 100"},
                                              {&Lab500, "Lab500", "Pt - 500"},
                                              {&Lab1000, "Lab1000", "Pt - 1000"}}};
    addOptionGroup(FrPt, OptPt, "OptPt", sizes, [this](int i) { OptPt_Click(i); });

    Frstand = makeFrame("Frstand", "Standard");
    const std::array<OptionCaption, 2> standards{{{&Lab385, "Lab385", "385"}, {&Lab392, "Lab392", "392"}}};
    addOptionGroup(Frstand, Optstd, "Optstd", standards, [this](int i) { Optstd_Click(i); });

    Frwire = makeFrame("Frwire", "Wires");
    const std::array<OptionCaption, 3> wirings{
        {{&Lab3wir, "Lab3wir", "3 Wire"}, {&Lab4wire, "Lab4wire", "4 Wire"}, {&Label1, "Label1", "2 Wire"}}};
    addOptionGroup(Frwire, Optwire, "Optwire", wirings, [this](int i) { Optwire_Click(i); });

    ComDone = makeButton("ComDone", "Done", [this] { ComDone_Click(); });
    Comcancel = makeButton("Comcancel", "Cancel", [this] { Comcancel_Click(); });

    // Metal on the left; the nickel or the platinum frame (only one shows) and the standard beside it.
    auto* grid = new QGridLayout(this);
    grid->addWidget(LabHeader, 0, 0, 1, 3);
    grid->addWidget(Frmetal, 1, 0);
    grid->addWidget(FrNi, 1, 1);
    grid->addWidget(FrPt, 1, 1);
    grid->addWidget(Frstand, 1, 2);
    grid->addWidget(Frwire, 2, 0);
    grid->addLayout(buttonRow(ComDone, Comcancel), 3, 0, 1, 3);
    Form_Load();
}

void RTDtype::Form_Load()
{
    Wiring.reset();
    Metal.reset();
    Standard.reset();
    // The nickel type and platinum size start at their first entries; show them selected.
    OptNi[0]->setChecked(true);
    OptPt[0]->setChecked(true);
    FrPt->hide();
    FrNi->hide();
    Frstand->hide();
}

void RTDtype::Opttype_Click(int index)
{
    Metal = index;
    FrPt->setVisible(index == Platinum);
    Frstand->setVisible(index == Platinum);
    FrNi->setVisible(index == Nickel);
    EnablePlatinum(index == Platinum);
    EnableNickel(index == Nickel);
}

void RTDtype::OptNi_Click(int index) { NickelType = index; }
void RTDtype::OptPt_Click(int index) { PlatinumSize = index; }
void RTDtype::Optstd_Click(int index) { Standard = index; }
void RTDtype::Optwire_Click(int index) { Wiring = index; }

void RTDtype::EnableNickel(bool enabled)
{
    for (QRadioButton* option : OptNi)
        option->setEnabled(enabled);
}

void RTDtype::EnablePlatinum(bool enabled)
{
    for (QRadioButton* option : OptPt)
        option->setEnabled(enabled);
    for (QRadioButton* option : Optstd)
        option->setEnabled(enabled);
}

void RTDtype::ComDone_Click()
{
    if (!Wiring || !Metal || (*Metal == Platinum && !Standard)) {
        NoDataMessage(op_, QStringLiteral("Illegal values. Please fill in the data"));
        return;
    }
    const int wires = WiringOfOption(*Wiring);
    std::uint8_t code = catalogue_.copperCodes[wires];
    if (*Metal == Platinum)
        code = catalogue_.platinumCodes[PlatinumSize + 4 * *Standard][wires];
    else if (*Metal == Nickel)
        code = catalogue_.nickelCodes[NickelType][wires];
    ConfRecord& edit = session_.EditConf;
    LookupInputCode(catalogue_, edit, code);

    const ConfRecord& unit = session_.UnitConf;
    edit.Units = TemperatureUnitsOf(unit);
    if (unit.Units <= UnitsFahrenheit) {
        // The range stays in the same units; an end the new sensor cannot reach is dropped.
        for (float* end : {&edit.RangeMin, &edit.RangeMax})
            if (OutsideSensorLimits(edit, *end, edit.Units))
                *end = NoValue;
    } else {
        edit.RangeMin = NoValue;
        edit.RangeMax = NoValue;
    }
    accept();
    CommonFinish();
}

void RTDtype::Comcancel_Click() { reject(); }
