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
    setLabelColour(m.LbHead[12], Blue);

    const bool hasMin = c.MinRead != NoMinReading;
    const bool hasMax = c.MaxRead != NoMaxReading;
    const bool hasReading = c.Reading != BurnOutReading;
    const bool hasAmbient = c.AmbRead != NoAmbientReading;
    const QString units = UnitsText(c.Units);
    setTexts({m.LbUnit[0], m.LbUnit[1], pc.LbUnit[0], pc.LbUnit[1]}, units);
    if (hasMin)
        setTexts({m.LbUnit[2], pc.LbUnit[2]}, units);
    if (hasMax)
        setTexts({m.LbUnit[3], pc.LbUnit[3]}, units);
    if (hasReading) {
        setTexts({m.LbUnit[4], pc.LbUnit[4]}, units);
        for (const ReadingLabels& window : targets.calibration)
            window.lbCurrUnit->setText(units);
    }
    if (hasAmbient)
        setTexts({m.LbUnit[5], pc.LbUnit[5]}, UnitsText(c.AmbUnits));

    setTexts({m.LbData[0], pc.LbData[0], st.LbData[0]}, c.Serial);
    setTexts({m.LbData[1], pc.LbData[1], st.LbData[1]}, c.Tag);
    setTexts({m.LbData[2], pc.LbData[2], st.LbData[2]}, c.InputName);
    setTexts({m.LbData[3], pc.LbData[4], st.LbData[4]}, ValueText(c.RangeMin));
    if (c.RangeMin != NoValue) {
        m.LbData[20]->setText(QString::number(c.DispLow));
        m.LbData[21]->setText(QString::number(c.DispHigh));
    }
    setTexts({m.LbData[4], pc.LbData[5], st.LbData[5]}, ValueText(c.RangeMax));
    if (hasMin)
        setTexts({m.LbData[5], pc.LbData[14]}, readingText(c, c.MinRead));
    if (hasMax)
        setTexts({m.LbData[6], pc.LbData[15]}, readingText(c, c.MaxRead));
    setTexts({m.LbData[7], pc.LbData[6], st.LbData[6]}, BurnOutText(c.BurnOut));
    setTexts({m.LbData[8], pc.LbData[7], st.LbData[7]}, OutDirText(c.OutDir));
    setTexts({m.LbData[9], pc.LbData[8], st.LbData[8]}, FreqText(c.Freq));
    setTexts({m.LbData[10], pc.LbData[9], st.LbData[9]}, ModeText(c.Mode));
    // The confirmation shows the ambient reading in its ambient row and drops a missing one.
    if (hasAmbient && c.AmbRead != NoValue)
        setTexts({m.LbData[11], pc.LbData[17], st.LbData[13]}, tenthText(c.AmbRead));
    else
        st.LbData[13]->clear();
    const QLocale locale;
    m.LbData[12]->setText(locale.toString(QDate::currentDate(), QLocale::ShortFormat));
    m.LbData[15]->setText(locale.toString(QTime::currentTime(), QLocale::ShortFormat));
    if (hasReading) {
        const QString reading = readingText(c, c.Reading);
        setTexts({m.LbData[13], pc.LbData[16]}, reading);
        for (const ReadingLabels& window : targets.calibration)
            window.lbCurrRead->setText(reading);
    }
    setTexts({m.LbData[14], pc.LbData[3]}, WiresText(c));
    setTexts({m.LbData[16], pc.LbData[10]}, tenthText(c.OutMin));
    setTexts({m.LbData[17], pc.LbData[11]}, tenthText(c.OutMax));
    setTexts({m.LbData[18], pc.LbData[12]}, GeneralText(c.Damping));
    setTexts({m.LbData[19], pc.LbData[13]}, AmbUnitsText(c.AmbUnits));

    setVisible({m.LbHead[11], m.LbData[10], st.LbHead[9], st.LbData[9], pc.LbHead[9], pc.LbData[9]},
               ModeApplies(c.InputClass));
    setVisible({m.LbHead[13], m.LbData[11], st.LbData[13], m.LbUnit[5]}, true);
    setVisible({st.LbHead[8], st.LbData[8], pc.LbHead[8], pc.LbData[8]}, false);
    RefreshBigReading(targets);
}

void ShowBurnOut(ViewTargets& targets)
{
    setTexts({targets.unit.LbData[13], targets.printCon.LbData[16]}, BurnOutCaption);
    targets.unit.LbUnit[4]->setText(Blank);
    for (const ReadingLabels& window : targets.calibration) {
        window.lbCurrRead->setText(BurnOutCaption);
        window.lbCurrUnit->setText(Blank);
    }
}

// The confirmation window frmStatus has no reading rows, so the no-reading texts go only to the
// unit panel and the connected-unit printout.
void ShowNoMaxReading(ViewTargets& targets)
{
    setTexts({targets.unit.LbData[6], targets.printCon.LbData[15]}, NoReadingCaption);
    targets.unit.LbUnit[3]->setText(Blank);
}

void ShowNoMinReading(ViewTargets& targets)
{
    setTexts({targets.unit.LbData[5], targets.printCon.LbData[14]}, NoReadingCaption);
    targets.unit.LbUnit[2]->setText(Blank);
}

// Like the minimum and maximum: the ambient unit label is blanked so that no stale unit stands
// beside "No Reading".
void ShowNoAmbientReading(ViewTargets& targets)
{
    setTexts({targets.unit.LbData[11], targets.printCon.LbData[17]}, NoReadingCaption);
    targets.unit.LbUnit[5]->setText(Blank);
}

void RefreshBigReading(ViewTargets& targets)
{
    UnitPanel& m = targets.unit;
    m.Label13->setText(m.LbData[13]->text() + QLatin1Char(' ') + m.LbUnit[4]->text());
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
    setLabelColour(m.LbHead[12], Blue);
}
