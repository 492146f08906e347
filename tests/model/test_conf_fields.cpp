#include "model/catalogue.h"
#include "model/conf_fields.h"

#include <QStringList>

#include <gtest/gtest.h>

#include <functional>

namespace {

ConfRecord pt100()
{
    ConfRecord r = ZeroConfRecord();
    LookupInputCode(BuildCatalogue(), r, 0x49);
    r.Serial = QStringLiteral("0512307");
    r.Tag = QStringLiteral("TT-101");
    r.RangeMax = 100;
    r.Damping = 2;
    r.OutDir = 1;
    r.DispLow = -200;
    ClearCorrection(r);
    return r;
}

QStringList changes(const ConfRecord& before, const ConfRecord& after)
{
    QStringList lines;
    for (const FieldComparison& d : FieldDifferences(before, after, [](const ConfField&) { return true; }))
        lines << ChangeText(d);
    return lines;
}

} // namespace

// One change of each kind of field, in the words the views use.
TEST(ConfFields, ChangesInWords)
{
    const struct {
        std::function<void(ConfRecord&)> change;
        QStringList lines;
    } cases[] = {
        {[](ConfRecord& r) { r.Damping = 5; }, {"Damping Time : 2 -> 5"}},
        {[](ConfRecord& r) { LookupInputCode(BuildCatalogue(), r, 0x61); },
         {"Input Type : Pt-100 (385) -> T/C Type K", "Wiring : 3 wire -> (none)"}},
        {[](ConfRecord& r) { r.Tag = QStringLiteral("TT-101   "); }, {}},  // the unit pads its tag
        {[](ConfRecord& r) { r.Tag = QStringLiteral("TT-102"); }, {"Tag Name : TT-101 -> TT-102"}},
        {[](ConfRecord& r) { r.RangeMin = NoValue; }, {"Range Min. : 0 -> (none)"}},
        {[](ConfRecord& r) { r.RangeMax = 100.5f; }, {"Range Max. : 100 -> 100.5"}},
        {[](ConfRecord& r) { r.Units = UnitsFahrenheit; }, {"Units : \u00B0C -> \u00B0F"}},
        {[](ConfRecord& r) { r.BurnOut = 1; }, {"Burn-Out : Up Scale -> Down Scale"}},
        {[](ConfRecord& r) { r.OutDir = 0; }, {"Output : Up Scale -> Down Scale"}},
        {[](ConfRecord& r) { r.DispLow = -50; }, {"Display Range Min. : -200 -> -50"}},
        {[](ConfRecord& r) { r.CalGain = 1.25f; }, {"Correction Gain : not set -> 1.25"}},
        {[](ConfRecord& r) { r.RangeMin = -0.0f; }, {"Range Min. : 0 -> -0"}},  // bit for bit
        {[](ConfRecord& r) { r.InputName = QStringLiteral("renamed"); }, {}},  // derived: not compared
    };
    for (const auto& c : cases) {
        ConfRecord after = pt100();
        c.change(after);
        EXPECT_EQ(changes(pt100(), after), c.lines) << c.lines.join(" | ").toStdString();
    }
}

TEST(ConfFields, FilterKeepsEveryRowItAccepts)
{
    ConfRecord after = pt100();
    after.CalGain = 1.25f;
    after.Damping = 5;
    const auto notCorrection = [](const ConfField& f) { return f.group != FieldGroup::Correction; };
    const std::vector<FieldComparison> rows = CompareFields(pt100(), after, notCorrection);
    EXPECT_EQ(std::count_if(rows.begin(), rows.end(), [](const FieldComparison& r) { return r.differs; }), 1);
    EXPECT_EQ(rows.size(), std::size_t(std::count_if(ConfFields().begin(), ConfFields().end(), [&](const ConfField& f) {
                  return f.heading && notCorrection(f);
              })));
}
