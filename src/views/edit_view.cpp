#include "views/edit_view.h"

#include "model/formatters.h"
#include "model/session.h"
#include "views/label_colour.h"

#include <QLabel>
#include <QRadioButton>

#include <algorithm>
#include <initializer_list>

namespace {

// The input type as the edit panel and both summaries show it: "3 wire  Pt100".
QString inputTypeText(const ConfRecord& conf)
{
    return WiresText(conf) + QStringLiteral("  ") + conf.InputName;
}

QString rangeHeading(std::uint8_t inputClass)
{
    switch (inputClass) {
    case ClassRtd:
    case ClassThermocouple: return QStringLiteral("Temp. Range :");
    case ClassVoltage: return QStringLiteral("Volt. Range :");
    case ClassResistor: return QStringLiteral("Resist. Range :");
    default: return QStringLiteral("Pot. Range :");
    }
}

void setEnabled(std::initializer_list<QWidget*> controls, bool enabled)
{
    for (QWidget* control : controls)
        control->setEnabled(enabled);
}

void drawEditPanel(const ConfRecord& conf, EditPanel& p)
{
    for (int i = 0; i <= 13; ++i)
        setLabelColour(p.lbWHead[i], windowTextColour(p.lbWHead[i]));
    p.lbWData[EditData::Serial]->setText(conf.Serial);
    p.lbWData[EditData::Tag]->setText(conf.Tag);
    setLabelColour(p.lbWData[EditData::InputType], Blue);
    p.lbWData[EditData::InputType]->setText(inputTypeText(conf));
    p.lbWData[EditData::RangeMin]->setText(ValueText(conf.RangeMin));
    p.lbWData[EditData::RangeMax]->setText(ValueText(conf.RangeMax));
    p.lbWData[EditData::BurnOut]->setText(BurnOutText(conf.BurnOut));
    p.lbWData[EditData::OutDir]->setText(OutDirText(conf.OutDir));
    p.lbWData[EditData::Freq]->setText(FreqText(conf.Freq));
    p.lbWData[EditData::Mode]->setText(ModeText(conf.Mode));
    p.lbWData[EditData::Wires]->setText(WiresText(conf));
    // The output-range row: Min and Max values sit in data labels 10 and 11, damping in 12.
    p.lbWData[EditData::OutMin]->setText(ValueText(conf.OutMin));
    p.lbWData[EditData::OutMax]->setText(ValueText(conf.OutMax));
    p.lbWData[EditData::Damping]->setText(GeneralText(conf.Damping));
    p.lbWUnit[EditUnits::RangeMin]->setText(UnitsText(conf.Units));
    p.lbWUnit[EditUnits::RangeMax]->setText(UnitsText(conf.Units));
    setEnabled({p.lbWHead[EditHead::Mode], p.lbWData[EditData::Mode], p.FrMode, p.LabModeDif, p.LabModeNor, p.OptMode[0], p.OptMode[1]},
               ModeApplies(conf.InputClass));
}

// frmStatus and frmPrintsts share the rows 0..13 and the two range unit labels.
void drawSummary(const ConfRecord& conf, SummaryForm& form)
{
    const QString values[14] = {conf.Serial,           conf.Tag,
                                inputTypeText(conf),   WiresText(conf),
                                ValueText(conf.RangeMin), ValueText(conf.RangeMax),
                                BurnOutText(conf.BurnOut), OutDirText(conf.OutDir),
                                FreqText(conf.Freq),   ModeText(conf.Mode),
                                ValueText(conf.OutMin), ValueText(conf.OutMax),
                                GeneralText(conf.Damping), AmbUnitsText(conf.AmbUnits)};
    for (int i = 0; i < 14; ++i)
        form.LbData[i]->setText(values[i]);
    form.LbUnit[SummaryUnits::RangeMin]->setText(UnitsText(conf.Units));
    form.LbUnit[SummaryUnits::RangeMax]->setText(UnitsText(conf.Units));
}

void drawEditSummaries(const ConfRecord& conf, ViewTargets& targets)
{
    SummaryForm& status = targets.status;
    for (int i = 0; i <= 13; ++i)
        setLabelColour(status.LbHead[i], DarkGreen);
    status.LbHead[SummaryHead::InputRange]->setText(rangeHeading(conf.InputClass));
    drawSummary(conf, status);
    drawSummary(conf, targets.printSts);
    // The confirmation greys the mode row out; the printout leaves it out.
    const bool mode = ModeApplies(conf.InputClass);
    setEnabled({status.LbHead[SummaryHead::Mode], status.LbData[SummaryData::Mode]}, mode);
    targets.printSts.LbHead[SummaryHead::Mode]->setVisible(mode);
    targets.printSts.LbData[SummaryData::Mode]->setVisible(mode);
}

void resetEditPanelColours(EditPanel& p)
{
    for (QLabel* label : {p.lbWData[EditData::Serial], p.lbWData[EditData::Tag], p.lbWData[EditData::RangeMin], p.lbWData[EditData::RangeMax], p.lbWData[EditData::OutMin], p.lbWData[EditData::OutMax],
                          p.lbWData[EditData::Damping], p.lbWUnit[EditUnits::RangeMin], p.lbWUnit[EditUnits::RangeMax]})
        setLabelColour(label, EditNearBlack);
    setLabelColour(p.lbWData[EditData::InputType], Blue);
}

// Paints `labels` red when `differs`; true when it did (a field without a label still counts).
bool markDifference(bool differs, std::initializer_list<QLabel*> labels)
{
    if (differs)
        for (QLabel* label : labels)
            setLabelColour(label, Red);
    return differs;
}

// The confirmation's own comparison: it includes the display range and leaves out the serial
// number. It decides ConfDiffers; ConfSaved and the command state come from the edit panel's.
void markStatusChanges(Session& session, SummaryForm& s)
{
    const ConfRecord& e = session.EditConf;
    const ConfRecord& u = session.UnitConf;
    const bool differs[] = {
        markDifference(e.DispHigh != u.DispHigh, {s.LbHead[SummaryHead::DisplayHigh]}),
        markDifference(e.DispLow != u.DispLow, {s.LbHead[SummaryHead::DisplayLow]}),
        markDifference(!SameTag(e.Tag, u.Tag), {s.LbHead[SummaryHead::Tag]}),
        markDifference(e.InputName != u.InputName, {s.LbHead[SummaryHead::InputType]}),
        markDifference(e.RangeMin != u.RangeMin, {s.LbHead[SummaryHead::RangeMin]}),
        markDifference(e.RangeMax != u.RangeMax, {s.LbHead[SummaryHead::RangeMax]}),
        markDifference(e.BurnOut != u.BurnOut, {s.LbHead[SummaryHead::BurnOut]}),
        markDifference(e.OutDir != u.OutDir, {s.LbHead[SummaryHead::Output]}),
        markDifference(e.Freq != u.Freq, {s.LbHead[SummaryHead::MainsFreq]}),
        markDifference(e.Wires != u.Wires, {s.LbHead[SummaryHead::InputType]}),
        markDifference(ModeApplies(e.InputClass) && e.Mode != u.Mode, {s.LbHead[SummaryHead::Mode]}),
        markDifference(e.Units != u.Units, {s.LbUnit[SummaryUnits::RangeMin], s.LbUnit[SummaryUnits::RangeMax]}),
        markDifference(e.OutMin != u.OutMin, {s.LbHead[SummaryHead::OutMin]}),
        markDifference(e.OutMax != u.OutMax, {s.LbHead[SummaryHead::OutMax]}),
        markDifference(e.Damping != u.Damping, {s.LbHead[SummaryHead::Damping]}),
        markDifference(e.AmbUnits != u.AmbUnits, {s.LbHead[SummaryHead::AmbientUnits]}),
    };
    session.view.ConfDiffers = std::ranges::any_of(differs, [](bool d) { return d; });
}

void setEditControlsEnabled(const ConfRecord& conf, EditPanel& p)
{
    if (conf.InputCode == NoCode) {
        setEnabled({p.cmdChangeRange, p.cmdTagChange, p.Frame2, p.FrBurn, p.cmdDirChange, p.cmdAvrChange, p.FrFreq,
                    p.FrMode},
                   false);
        for (QLabel* label : {p.lbWData[EditData::RangeMin], p.lbWData[EditData::RangeMax], p.lbWUnit[EditUnits::RangeMin], p.lbWUnit[EditUnits::RangeMax]})
            label->clear();
        return;
    }
    p.cmdChangeRange->setEnabled(conf.InputClass != ClassPotentiometer);
    setEnabled({p.cmdTagChange, p.Frame2, p.FrBurn, p.cmdDirChange, p.cmdAvrChange, p.FrFreq, p.FrAmbient}, true);
}

} // namespace

void ShowEditConf(Session& session, ViewTargets& targets, const std::function<void(CommandStates)>& setCommandState)
{
    drawEditPanel(session.EditConf, targets.edit);
    drawEditSummaries(session.EditConf, targets);
    MarkEditPanelChanges(session, targets, setCommandState);
    markStatusChanges(session, targets.status);
    setEditControlsEnabled(session.EditConf, targets.edit);
}

// Singles compare by value: a range end or reading marker equals itself, 0 equals -0 (the unit
// stores both alike).
void MarkEditPanelChanges(Session& session, ViewTargets& targets,
                          const std::function<void(CommandStates)>& setCommandState)
{
    EditPanel& p = targets.edit;
    resetEditPanelColours(p);
    const ConfRecord& e = session.EditConf;
    const ConfRecord& u = session.UnitConf;
    const bool differs[] = {
        markDifference(e.Serial != u.Serial, {p.lbWHead[EditHead::Serial]}),
        markDifference(!SameTag(e.Tag, u.Tag), {p.lbWHead[EditHead::Tag]}),
        markDifference(e.InputName != u.InputName, {p.lbWHead[EditHead::SensorType]}),
        markDifference(e.RangeMin != u.RangeMin, {p.lbWHead[EditHead::RangeMin]}),
        markDifference(e.RangeMax != u.RangeMax, {p.lbWHead[EditHead::RangeMax]}),
        markDifference(e.BurnOut != u.BurnOut, {}),
        markDifference(e.OutDir != u.OutDir, {p.lbWHead[EditHead::OutputRange]}),
        markDifference(e.Freq != u.Freq, {p.lbWHead[EditHead::MainsFreq]}),
        markDifference(e.Wires != u.Wires, {p.lbWHead[EditHead::SensorType]}),
        markDifference(ModeApplies(e.InputClass) && e.Mode != u.Mode, {p.lbWHead[EditHead::Mode]}),
        markDifference(e.Units != u.Units, {p.lbWUnit[EditUnits::RangeMin], p.lbWUnit[EditUnits::RangeMax]}),
        // The output-range row: the heading beside each value, not the one of the same index.
        markDifference(e.OutMin != u.OutMin, {p.lbWHead[EditHead::OutMin]}),
        markDifference(e.OutMax != u.OutMax, {p.lbWHead[EditHead::OutMax]}),
        markDifference(e.Damping != u.Damping, {p.lbWHead[EditHead::Damping]}),
        markDifference(e.AmbUnits != u.AmbUnits, {p.lbWHead[EditHead::AmbientUnits]}),
    };
    const bool any = std::ranges::any_of(differs, [](bool d) { return d; });
    session.view.ConfDiffers = any;
    session.view.ConfSaved = !any;
    if (any)
        setCommandState(CommandStates::Edited);
}
