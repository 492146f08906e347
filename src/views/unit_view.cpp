#include "views/unit_view.h"

#include "link/connect_poll.h"
#include "model/formatters.h"
#include "model/session.h"
#include "views/label_colour.h"

#include <QDate>
#include <QLabel>
#include <QLocale>
#include <QTime>

#include <cstdint>
#include <initializer_list>
#include <limits>

namespace {

constexpr QLatin1String BurnOutCaption("Burn Out");
constexpr QLatin1String NoReadingCaption("No Reading");
constexpr QLatin1String Blank(" ");

void setTexts(std::initializer_list<QLabel*> labels, const QString& text)
{
    for (QLabel* label : labels)
        label->setText(text);
}

void setVisible(std::initializer_list<QLabel*> labels, bool visible)
{
    for (QLabel* label : labels)
        label->setVisible(visible);
}

// The value to one decimal: tenfold, rounded half to even, as a 32-bit whole number, divided by
// ten. A value whose tenfold does not fit 32 bits (NoValue as a reading or output limit) cannot
// be shown that way and shows an empty text, as an empty range end does.
QString tenthText(float value)
{
    const double tenfold = RoundHalfEven(double(value) * 10.0);
    if (!(tenfold >= std::numeric_limits<std::int32_t>::min() && tenfold <= std::numeric_limits<std::int32_t>::max()))
        return {};
    return GeneralText(float(tenfold / 10.0));
}

// Readings of a voltage input keep all their digits; every other reading is rounded.
QString readingText(const ConfRecord& conf, float reading)
{
    return conf.InputClass == ClassVoltage ? ValueText(reading) : tenthText(reading);
}

} // namespace

void ShowUnitConf(const Session& session, ViewTargets& targets)
{
    const ConfRecord& c = session.UnitConf;
    UnitPanel& m = targets.unit;
    PrintConForm& pc = targets.printCon;
    SummaryForm& st = targets.status;

    for (int i = 0; i <= 17; ++i)
        setLabelColour(m.LbHead[i], DarkBlue);
    setLabelColour(m.LbHead[UnitHead::CurrentReading], Blue);

    const bool hasMin = c.MinRead != NoMinReading;
    const bool hasMax = c.MaxRead != NoMaxReading;
    const bool hasReading = c.Reading != BurnOutReading;
    const bool hasAmbient = c.AmbRead != NoAmbientReading;
    const QString units = UnitsText(c.Units);
    setTexts({m.LbUnit[UnitUnits::RangeMin], m.LbUnit[UnitUnits::RangeMax], pc.LbUnit[UnitUnits::RangeMin], pc.LbUnit[UnitUnits::RangeMax]}, units);
    if (hasMin)
        setTexts({m.LbUnit[UnitUnits::MinRead], pc.LbUnit[UnitUnits::MinRead]}, units);
    if (hasMax)
        setTexts({m.LbUnit[UnitUnits::MaxRead], pc.LbUnit[UnitUnits::MaxRead]}, units);
    if (hasReading) {
        setTexts({m.LbUnit[UnitUnits::Reading], pc.LbUnit[UnitUnits::Reading]}, units);
        for (const ReadingLabels& window : targets.calibration)
            window.lbCurrUnit->setText(units);
    }
    if (hasAmbient)
        setTexts({m.LbUnit[UnitUnits::AmbRead], pc.LbUnit[UnitUnits::AmbRead]}, UnitsText(c.AmbUnits));

    setTexts({m.LbData[UnitData::Serial], pc.LbData[PrintConData::Serial], st.LbData[SummaryData::Serial]}, c.Serial);
    setTexts({m.LbData[UnitData::Tag], pc.LbData[PrintConData::Tag], st.LbData[SummaryData::Tag]}, c.Tag);
    setTexts({m.LbData[UnitData::InputName], pc.LbData[PrintConData::InputName], st.LbData[SummaryData::InputType]}, c.InputName);
    setTexts({m.LbData[UnitData::RangeMin], pc.LbData[PrintConData::RangeMin], st.LbData[SummaryData::RangeMin]}, ValueText(c.RangeMin));
    if (c.RangeMin != NoValue) {
        m.LbData[UnitData::DispLow]->setText(QString::number(c.DispLow));
        m.LbData[UnitData::DispHigh]->setText(QString::number(c.DispHigh));
    }
    setTexts({m.LbData[UnitData::RangeMax], pc.LbData[PrintConData::RangeMax], st.LbData[SummaryData::RangeMax]}, ValueText(c.RangeMax));
    if (hasMin)
        setTexts({m.LbData[UnitData::MinRead], pc.LbData[PrintConData::MinRead]}, readingText(c, c.MinRead));
    if (hasMax)
        setTexts({m.LbData[UnitData::MaxRead], pc.LbData[PrintConData::MaxRead]}, readingText(c, c.MaxRead));
    setTexts({m.LbData[UnitData::BurnOut], pc.LbData[PrintConData::BurnOut], st.LbData[SummaryData::BurnOut]}, BurnOutText(c.BurnOut));
    setTexts({m.LbData[UnitData::OutDir], pc.LbData[PrintConData::OutDir], st.LbData[SummaryData::OutDir]}, OutDirText(c.OutDir));
    setTexts({m.LbData[UnitData::Freq], pc.LbData[PrintConData::Freq], st.LbData[SummaryData::Freq]}, FreqText(c.Freq));
    setTexts({m.LbData[UnitData::Mode], pc.LbData[PrintConData::Mode], st.LbData[SummaryData::Mode]}, ModeText(c.Mode));
    // The confirmation shows the ambient reading in its ambient row and drops a missing one.
    if (hasAmbient && c.AmbRead != NoValue)
        setTexts({m.LbData[UnitData::AmbRead], pc.LbData[PrintConData::AmbRead], st.LbData[SummaryData::AmbUnits]}, tenthText(c.AmbRead));
    else
        st.LbData[SummaryData::AmbUnits]->clear();
    const QLocale locale;
    m.LbData[UnitData::Date]->setText(locale.toString(QDate::currentDate(), QLocale::ShortFormat));
    m.LbData[UnitData::Time]->setText(locale.toString(QTime::currentTime(), QLocale::ShortFormat));
    if (hasReading) {
        const QString reading = readingText(c, c.Reading);
        setTexts({m.LbData[UnitData::Reading], pc.LbData[PrintConData::Reading]}, reading);
        for (const ReadingLabels& window : targets.calibration)
            window.lbCurrRead->setText(reading);
    }
    setTexts({m.LbData[UnitData::Wires], pc.LbData[PrintConData::Wires]}, WiresText(c));
    setTexts({m.LbData[UnitData::OutMin], pc.LbData[PrintConData::OutMin]}, tenthText(c.OutMin));
    setTexts({m.LbData[UnitData::OutMax], pc.LbData[PrintConData::OutMax]}, tenthText(c.OutMax));
    setTexts({m.LbData[UnitData::Damping], pc.LbData[PrintConData::Damping]}, GeneralText(c.Damping));
    setTexts({m.LbData[UnitData::AmbUnits], pc.LbData[PrintConData::AmbUnits]}, AmbUnitsText(c.AmbUnits));

    setVisible({m.LbHead[UnitHead::Mode], m.LbData[UnitData::Mode], st.LbHead[SummaryHead::Mode], st.LbData[SummaryData::Mode], pc.LbHead[PrintConHead::Mode], pc.LbData[PrintConData::Mode]},
               ModeApplies(c.InputClass));
    setVisible({m.LbHead[UnitHead::Ambient], m.LbData[UnitData::AmbRead], st.LbData[SummaryData::AmbUnits], m.LbUnit[UnitUnits::AmbRead]}, true);
    setVisible({st.LbHead[SummaryHead::MainsFreq], st.LbData[SummaryData::Freq], pc.LbHead[PrintConHead::MainsFreq], pc.LbData[PrintConData::Freq]}, false);
    RefreshBigReading(targets);
}

void ShowBurnOut(ViewTargets& targets)
{
    setTexts({targets.unit.LbData[UnitData::Reading], targets.printCon.LbData[PrintConData::Reading]}, BurnOutCaption);
    targets.unit.LbUnit[UnitUnits::Reading]->setText(Blank);
    for (const ReadingLabels& window : targets.calibration) {
        window.lbCurrRead->setText(BurnOutCaption);
        window.lbCurrUnit->setText(Blank);
    }
}

// The confirmation window frmStatus has no reading rows, so the no-reading texts go only to the
// unit panel and the connected-unit printout.
void ShowNoMaxReading(ViewTargets& targets)
{
    setTexts({targets.unit.LbData[UnitData::MaxRead], targets.printCon.LbData[PrintConData::MaxRead]}, NoReadingCaption);
    targets.unit.LbUnit[UnitUnits::MaxRead]->setText(Blank);
}

void ShowNoMinReading(ViewTargets& targets)
{
    setTexts({targets.unit.LbData[UnitData::MinRead], targets.printCon.LbData[PrintConData::MinRead]}, NoReadingCaption);
    targets.unit.LbUnit[UnitUnits::MinRead]->setText(Blank);
}

// Like the minimum and maximum: the ambient unit label is blanked so that no stale unit stands
// beside "No Reading".
void ShowNoAmbientReading(ViewTargets& targets)
{
    setTexts({targets.unit.LbData[UnitData::AmbRead], targets.printCon.LbData[PrintConData::AmbRead]}, NoReadingCaption);
    targets.unit.LbUnit[UnitUnits::AmbRead]->setText(Blank);
}

void RefreshBigReading(ViewTargets& targets)
{
    UnitPanel& m = targets.unit;
    m.Label13->setText(m.LbData[UnitData::Reading]->text() + QLatin1Char(' ') + m.LbUnit[UnitUnits::Reading]->text());
}

void ClearUnitPanel(ViewTargets& targets)
{
    UnitPanel& m = targets.unit;
    for (int i = 0; i <= 19; ++i)
        m.LbData[i]->clear();
    for (QLabel* label : m.LbUnit)
        label->clear();
    for (QLabel* label : targets.printCon.LbData)
        label->clear();
    for (int i = 0; i <= 17; ++i)
        setLabelColour(m.LbHead[i], PanelNearBlack);
    setLabelColour(m.LbHead[UnitHead::CurrentReading], Blue);
}
