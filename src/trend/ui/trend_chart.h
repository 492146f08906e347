#pragma once

#include <QString>
#include <QWidget>

#include <optional>
#include <utility>

#include "trend/reading_series.h"

#include <array>
#include <vector>

class QPainter;

enum class TrendWindow { OneMinute, TenMinutes, OneHour, EightHours, All };

// Seconds a window shows; 0 for All.
double WindowSeconds(TrendWindow window);

// The live trend: the reading, the output current and the ambient reading over time, each in a
// lane of its own with its own scale (they seldom share units) on one time axis. Every pixel
// column shows the extremes of its samples, so a spike shows in any window; gaps stay gaps.
// The wheel zooms the time axis; the pointer shows the values at its time.
class TrendChart : public QWidget {
    Q_OBJECT
public:
    explicit TrendChart(const ReadingSeries& series, QWidget* parent = nullptr);

    void setUnits(const QString& readingUnits, const QString& ambientUnits);
    // Shows the latest stretch of this length (or everything) and ends a zoom.
    void setTimeWindow(TrendWindow window);
    TrendWindow timeWindow() const { return window_; }
    // A paused chart keeps showing the same times while samples keep coming.
    void setPaused(bool paused);
    bool paused() const { return pausedEnd_.has_value(); }
    // [from, to) in seconds since 1970 UTC: what the chart shows now; nothing before the first sample.
    std::optional<std::pair<double, double>> visibleSpan() const;
    // To be called after samples were appended: a running chart moves on to them.
    void samplesAdded() { update(); }
    // Zooms the time axis by `factor` (below 1: closer) around `time`; a running chart keeps its
    // right edge on the latest sample.
    void zoom(double factor, double time);
    // The vertical line with the values at a time, or none.
    void setCursorTime(std::optional<double> time);

signals:
    void pausedChanged(bool paused);

protected:
    void paintEvent(QPaintEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    struct Lane;

    QRectF plotArea() const;
    std::optional<double> timeAt(double x) const;
    void drawTimeAxis(QPainter& painter, const QRectF& plot, double from, double to) const;
    // The lane's columns, decimated again only when the times, the width or the samples changed
    // (not when only the cursor moved).
    const std::vector<TrendColumn>& columnsOf(TrendChannel channel, double from, double to, int count);
    void drawLane(QPainter& painter, const Lane& lane, const QRectF& area, const std::vector<TrendColumn>& columns) const;
    void drawTrace(QPainter& painter, const std::vector<TrendColumn>& columns, const QRectF& area, double low,
                   double high) const;
    void drawCursor(QPainter& painter, const QRectF& plot, double from, double to) const;

    const ReadingSeries& series_;
    QString readingUnits_;
    QString ambientUnits_;
    TrendWindow window_ = TrendWindow::TenMinutes;
    double span_;                       // seconds shown; 0: from the first sample on
    std::optional<double> pausedEnd_;   // the right edge while paused
    std::optional<double> cursorTime_;
    struct DecimatedLane {
        struct Key {
            double from = 0;
            double to = 0;
            int count = 0;
            std::size_t samples = 0;
            bool operator==(const Key&) const = default;
        } key;
        std::vector<TrendColumn> columns;
    };
    std::array<DecimatedLane, 3> decimated_;  // by TrendChannel
};
