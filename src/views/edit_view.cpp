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
    p.lbWData[0]->setText(conf.Serial);
    p.lbWData[1]->setText(conf.Tag);
    setLabelColour(p.lbWData[2], Blue);
    p.lbWData[2]->setText(inputTypeText(conf));
    p.lbWData[4]->setText(ValueText(conf.RangeMin));
    p.lbWData[5]->setText(ValueText(conf.RangeMax));
    p.lbWData[6]->setText(BurnOutText(conf.BurnOut));
    p.lbWData[7]->setText(OutDirText(conf.OutDir));
    p.lbWData[8]->setText(FreqText(conf.Freq));
    p.lbWData[9]->setText(ModeText(conf.Mode));
    p.lbWData[3]->setText(WiresText(conf));
    // The output-range row: Min and Max values sit in data labels 10 and 11, damping in 12.
    p.lbWData[10]->setText(ValueText(conf.OutMin));
    p.lbWData[11]->setText(ValueText(conf.OutMax));
    p.lbWData[12]->setText(GeneralText(conf.Damping));
    p.lbWUnit[0]->setText(UnitsText(conf.Units));
    p.lbWUnit[1]->setText(UnitsText(conf.Units));
    setEnabled({p.lbWHead[9], p.lbWData[9], p.FrMode, p.LabModeDif, p.LabModeNor, p.OptMode[0], p.OptMode[1]},
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
    form.LbUnit[0]->setText(UnitsText(conf.Units));
    form.LbUnit[1]->setText(UnitsText(conf.Units));
}

void drawEditSummaries(const ConfRecord& conf, ViewTargets& targets)
{
    SummaryForm& status = targets.status;
    for (int i = 0; i <= 13; ++i)
        setLabelColour(status.LbHead[i], DarkGreen);
    status.LbHead[3]->setText(rangeHeading(conf.InputClass));
    drawSummary(conf, status);
    drawSummary(conf, targets.printSts);
    // The confirmation greys the mode row out; the printout leaves it out.
    const bool mode = ModeApplies(conf.InputClass);
    setEnabled({status.LbHead[9], status.LbData[9]}, mode);
    targets.printSts.LbHead[9]->setVisible(mode);
    targets.printSts.LbData[9]->setVisible(mode);
}

void resetEditPanelColours(EditPanel& p)
{
    for (QLabel* label : {p.lbWData[0], p.lbWData[1], p.lbWData[4], p.lbWData[5], p.lbWData[10], p.lbWData[11],
                          p.lbWData[12], p.lbWUnit[0], p.lbWUnit[1]})
        setLabelColour(label, EditNearBlack);
    setLabelColour(p.lbWData[2], Blue);
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
        markDifference(e.DispHigh != u.DispHigh, {s.LbHead[16]}),
        markDifference(e.DispLow != u.DispLow, {s.LbHead[15]}),
        markDifference(!SameTag(e.Tag, u.Tag), {s.LbHead[1]}),
        markDifference(e.InputName != u.InputName, {s.LbHead[2]}),
        markDifference(e.RangeMin != u.RangeMin, {s.LbHead[4]}),
        markDifference(e.RangeMax != u.RangeMax, {s.LbHead[5]}),
        markDifference(e.BurnOut != u.BurnOut, {s.LbHead[6]}),
        markDifference(e.OutDir != u.OutDir, {s.LbHead[7]}),
        markDifference(e.Freq != u.Freq, {s.LbHead[8]}),
        markDifference(e.Wires != u.Wires, {s.LbHead[2]}),
        markDifference(ModeApplies(e.InputClass) && e.Mode != u.Mode, {s.LbHead[9]}),
        markDifference(e.Units != u.Units, {s.LbUnit[0], s.LbUnit[1]}),
        markDifference(e.OutMin != u.OutMin, {s.LbHead[11]}),
        markDifference(e.OutMax != u.OutMax, {s.LbHead[12]}),
        markDifference(e.Damping != u.Damping, {s.LbHead[10]}),
        markDifference(e.AmbUnits != u.AmbUnits, {s.LbHead[13]}),
    };
    session.view.ConfDiffers = std::ranges::any_of(differs, [](bool d) { return d; });
}

void setEditControlsEnabled(const ConfRecord& conf, EditPanel& p)
{
    if (conf.InputCode == NoCode) {
        setEnabled({p.cmdChangeRange, p.cmdTagChange, p.Frame2, p.FrBurn, p.cmdDirChange, p.cmdAvrChange, p.FrFreq,
                    p.FrMode},
                   false);
        for (QLabel* label : {p.lbWData[4], p.lbWData[5], p.lbWUnit[0], p.lbWUnit[1]})
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
        markDifference(e.Serial != u.Serial, {p.lbWHead[0]}),
        markDifference(!SameTag(e.Tag, u.Tag), {p.lbWHead[1]}),
        markDifference(e.InputName != u.InputName, {p.lbWHead[2]}),
        markDifference(e.RangeMin != u.RangeMin, {p.lbWHead[4]}),
        markDifference(e.RangeMax != u.RangeMax, {p.lbWHead[5]}),
        markDifference(e.BurnOut != u.BurnOut, {}),
        markDifference(e.OutDir != u.OutDir, {p.lbWHead[7]}),
        markDifference(e.Freq != u.Freq, {p.lbWHead[8]}),
        markDifference(e.Wires != u.Wires, {p.lbWHead[2]}),
        markDifference(ModeApplies(e.InputClass) && e.Mode != u.Mode, {p.lbWHead[9]}),
        markDifference(e.Units != u.Units, {p.lbWUnit[0], p.lbWUnit[1]}),
        // The output-range row: the heading beside each value, not the one of the same index.
        markDifference(e.OutMin != u.OutMin, {p.lbWHead[11]}),
        markDifference(e.OutMax != u.OutMax, {p.lbWHead[12]}),
        markDifference(e.Damping != u.Damping, {p.lbWHead[10]}),
        markDifference(e.AmbUnits != u.AmbUnits, {p.lbWHead[13]}),
    };
    const bool any = std::ranges::any_of(differs, [](bool d) { return d; });
    session.view.ConfDiffers = any;
    session.view.ConfSaved = !any;
    if (any)
        setCommandState(CommandStates::Edited);
}
