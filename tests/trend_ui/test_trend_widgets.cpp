#include "model/stability.h"
#include "trend/reading_series.h"
#include "trend/ui/stable_indicator.h"
#include "trend/ui/transfer_panel.h"
#include "trend/ui/trend_chart.h"
#include "trend/ui/trend_panel.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

void appendSeconds(ReadingSeries& series, double from, double to)
{
    for (double time = from; time < to; time += 1)
        series.append({time, 25.0f, 23.0f, 8.0f, SampleStatus::Ok});
}

} // namespace

TEST(TrendChart, WindowPauseAndZoom)
{
    ReadingSeries series;
    TrendPanel panel(series);
    TrendChart& chart = panel.chart();
    EXPECT_FALSE(chart.visibleSpan());
    appendSeconds(series, 0, 4000);
    const auto shows = [&](double from, double to) {
        const auto span = chart.visibleSpan();
        return span && std::abs(span->first - from) < 0.01 && std::abs(span->second - to) < 0.01;
    };
    EXPECT_TRUE(shows(3399, 3999)) << "10 minutes up to the latest sample";
    chart.setTimeWindow(TrendWindow::All);
    EXPECT_TRUE(shows(0, 3999));
    chart.setTimeWindow(TrendWindow::OneMinute);

    QTest::mouseClick(panel.findChild<QPushButton*>(QStringLiteral("trendPause")), Qt::LeftButton);
    EXPECT_EQ(panel.findChild<QPushButton*>(QStringLiteral("trendPause"))->text(), QStringLiteral("Resume"));
    appendSeconds(series, 4000, 4100);
    EXPECT_TRUE(shows(3939, 3999)) << "paused: the same minute while samples come";
    chart.zoom(0.5, 3949);  // around a time a sixth into the window
    EXPECT_TRUE(shows(3944, 3974));
    chart.setPaused(false);
    EXPECT_TRUE(shows(4069, 4099)) << "running again: the zoomed span up to the latest sample";
    chart.zoom(1000, 4099);
    EXPECT_TRUE(shows(0, 4099)) << "zoomed out no further than everything";
    chart.resize(600, 400);
    chart.setCursorTime(4000);
    EXPECT_FALSE(chart.grab().isNull());
}

TEST(TrendWidgets, TransferPanelAndStableIndicatorTexts)
{
    TransferPanel panel;
    const auto value = [&] { return panel.findChild<QLabel*>(QStringLiteral("transferValue"))->text(); };
    panel.setTransfer(OutputTransfer{0, 100, 20, 4, 3.6, false}, QStringLiteral("C"));
    panel.setSample({0, 25.0f, NoSampleValue, 16.0f, SampleStatus::Ok});
    EXPECT_EQ(value(), QStringLiteral("16.000 mA, 25.0 % of range"));
    panel.setSample({0, NoSampleValue, NoSampleValue, 3.6f, SampleStatus::BurnOut});
    EXPECT_EQ(value(), QStringLiteral("3.600 mA: burn-out"));
    EXPECT_EQ(panel.findChild<QLabel*>(QStringLiteral("transferNote"))->text(),
              QStringLiteral("At a burn-out the output goes down scale to 3.6 mA: a setting of this program, not read "
                             "from the unit."));

    StabilityWindow window;
    StableIndicator indicator;
    for (float reading : {25.0f, 25.01f, 25.0f}) {
        window.add(reading);
        indicator.showVerdict(window.verdict(100), QStringLiteral("C"));
    }
    EXPECT_EQ(indicator.text(), QStringLiteral("Not stable: 3 of 10 readings"));
    for (int i = 0; i < 7; ++i)
        window.add(25.0);
    indicator.showVerdict(window.verdict(100), QStringLiteral("C"));
    EXPECT_EQ(indicator.text(), QStringLiteral("Stable: spread 0.01 C (limit 0.02 C)"));
}
