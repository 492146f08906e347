#include "trend/ui/trend_chart.h"

#include "model/formatters.h"
#include "trend/axis_ticks.h"
#include "trend/reading_log.h"
#include "trend/reading_series.h"
#include "trend/ui/trend_colours.h"

#include <QDateTime>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include <algorithm>
#include <array>
#include <cmath>

namespace {

constexpr double MinimumSpanSeconds = 10;
constexpr double LaneGap = 6;
constexpr double TickSpacing = 90;  // pixels at least between time labels
// The right edge lies just past the latest sample so that it is drawn.
constexpr double EdgeSeconds = 0.001;

QString timeLabel(double time, double step, const char* withSeconds)
{
    const char* format = step < 60 ? withSeconds : step < 86400 ? "HH:mm" : "MM-dd HH:mm";
    return QDateTime::fromMSecsSinceEpoch(std::llround(time * 1000)).toString(QLatin1String(format));
}

QString valueText(float value, const QString& units)
{
    return std::isnan(value) ? QStringLiteral("-") : ShortestText(value) + QLatin1Char(' ') + units;
}

} // namespace

struct TrendChart::Lane {
    TrendChannel channel;
    QString title;
    QColor colour;
    double weight;        // share of the height
    double minimumSpan;   // the smallest value span the lane's scale shows
};

double WindowSeconds(TrendWindow window)
{
    switch (window) {
    case TrendWindow::OneMinute: return 60;
    case TrendWindow::TenMinutes: return 600;
    case TrendWindow::OneHour: return 3600;
    case TrendWindow::EightHours: return 8 * 3600;
    case TrendWindow::All: break;
    }
    return 0;
}

TrendChart::TrendChart(const ReadingSeries& series, QWidget* parent)
    : QWidget(parent), series_(series), span_(WindowSeconds(window_))
{
    setMouseTracking(true);
    setMinimumSize(320, 240);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TrendChart::setUnits(const QString& readingUnits, const QString& ambientUnits)
{
    readingUnits_ = readingUnits;
    ambientUnits_ = ambientUnits;
    update();
}

void TrendChart::setTimeWindow(TrendWindow window)
{
    window_ = window;
    span_ = WindowSeconds(window);
    if (pausedEnd_ && window == TrendWindow::All && !series_.empty())
        pausedEnd_ = series_.lastTime();  // everything up to now, and still paused
    update();
}

void TrendChart::setPaused(bool paused)
{
    const auto span = visibleSpan();
    if (paused == this->paused() || (paused && !span))
        return;
    if (paused)
        pausedEnd_ = span->second - EdgeSeconds;
    else
        pausedEnd_.reset();
    emit pausedChanged(paused);
    update();
}

std::optional<std::pair<double, double>> TrendChart::visibleSpan() const
{
    if (series_.empty())
        return std::nullopt;
    const double end = pausedEnd_.value_or(series_.lastTime());
    const double from = span_ > 0 ? end - span_ : series_.firstTime();
    return std::pair{from, end + EdgeSeconds};
}

void TrendChart::zoom(double factor, double time)
{
    const auto span = visibleSpan();
    if (!span)
        return;
    const auto [from, to] = *span;
    const double shown = to - from;
    const double most = std::max(series_.lastTime() - series_.firstTime(), MinimumSpanSeconds) + EdgeSeconds;
    const double zoomed = std::clamp(shown * factor, MinimumSpanSeconds, std::max(most, shown));
    span_ = zoomed;
    if (pausedEnd_) {
        const double anchor = std::clamp(time, from, to);
        pausedEnd_ = anchor + (to - anchor) * zoomed / shown - EdgeSeconds;
    }
    update();
}

void TrendChart::setCursorTime(std::optional<double> time)
{
    cursorTime_ = time;
    update();
}

QRectF TrendChart::plotArea() const
{
    const QFontMetricsF metrics(font());
    const double left = metrics.horizontalAdvance(QStringLiteral("-00000.00")) + 8;
    return QRectF(rect()).adjusted(left, metrics.height() * 0.5, -12, -(metrics.height() + 8));
}

std::optional<double> TrendChart::timeAt(double x) const
{
    const auto span = visibleSpan();
    const QRectF plot = plotArea();
    if (!span || x < plot.left() || x > plot.right())
        return std::nullopt;
    return span->first + (x - plot.left()) / plot.width() * (span->second - span->first);
}

void TrendChart::wheelEvent(QWheelEvent* event)
{
    const double notches = event->angleDelta().y() / 120.0;
    const auto time = timeAt(event->position().x());
    if (notches == 0 || !time)
        return;
    zoom(std::pow(0.8, notches), *time);
    event->accept();
}

void TrendChart::mouseMoveEvent(QMouseEvent* event) { setCursorTime(timeAt(event->position().x())); }

void TrendChart::leaveEvent(QEvent*) { setCursorTime(std::nullopt); }

void TrendChart::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const TrendColours colours(palette());
    painter.fillRect(rect(), colours.background);
    const QRectF plot = plotArea();
    const auto span = visibleSpan();
    if (!span || plot.width() < 10 || plot.height() < 30) {
        painter.setPen(colours.text);
        painter.drawText(rect(), Qt::AlignCenter, tr("No readings yet"));
        return;
    }
    const auto [from, to] = *span;
    const std::array<Lane, 3> lanes{{
        {TrendChannel::Reading, tr("Reading (%1)").arg(readingUnits_), colours.reading, 3, 0.1},
        {TrendChannel::Output, tr("Output (mA)"), colours.output, 2, 0.1},
        {TrendChannel::Ambient, tr("Ambient (%1)").arg(ambientUnits_), colours.ambient, 1.5, 0.5},
    }};
    drawTimeAxis(painter, plot, from, to);
    double top = plot.top();
    double weights = 0;
    for (const Lane& lane : lanes)
        weights += lane.weight;
    const double perWeight = (plot.height() - LaneGap * double(lanes.size() - 1)) / weights;
    for (const Lane& lane : lanes) {
        const QRectF area(plot.left(), top, plot.width(), perWeight * lane.weight);
        const int columns = std::max(1, int(area.width() * devicePixelRatioF()));
        drawLane(painter, lane, area, columnsOf(lane.channel, from, to, columns));
        top = area.bottom() + LaneGap;
    }
    drawCursor(painter, plot, from, to);
}

void TrendChart::drawTimeAxis(QPainter& painter, const QRectF& plot, double from, double to) const
{
    const TrendColours colours(palette());
    const int utcOffset = QDateTime::fromSecsSinceEpoch(qint64(from)).offsetFromUtc();
    const TimeTicks ticks = TimeTicksOf(from, to, std::max(1, int(plot.width() / TickSpacing)), utcOffset);
    const QFontMetricsF metrics(font());
    for (double time : ticks.times) {
        const double x = plot.left() + (time - from) / (to - from) * plot.width();
        painter.setPen(colours.grid);
        painter.drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom()));
        painter.setPen(colours.text);
        const QString label = timeLabel(time, ticks.step, "HH:mm:ss");
        const double width = metrics.horizontalAdvance(label);
        painter.drawText(QPointF(std::clamp(x - width / 2, 0.0, double(this->width()) - width),
                                 plot.bottom() + metrics.ascent() + 4),
                         label);
    }
}

const std::vector<TrendColumn>& TrendChart::columnsOf(TrendChannel channel, double from, double to, int count)
{
    DecimatedLane& lane = decimated_[std::size_t(channel)];
    const DecimatedLane::Key key{from, to, count, series_.size()};
    if (lane.key != key) {
        lane.key = key;
        lane.columns = series_.decimate(channel, from, to, count);
    }
    return lane.columns;
}

void TrendChart::drawLane(QPainter& painter, const Lane& lane, const QRectF& area,
                          const std::vector<TrendColumn>& columns) const
{
    const TrendColours colours(palette());
    const QFontMetricsF metrics(font());
    painter.setPen(colours.frame);
    painter.drawRect(area);
    double low = INFINITY;
    double high = -INFINITY;
    for (const TrendColumn& column : columns)
        if (column.hasData) {
            low = std::min(low, double(column.min));
            high = std::max(high, double(column.max));
        }
    if (low <= high) {
        if (high - low < lane.minimumSpan) {
            const double middle = (low + high) / 2;
            low = middle - lane.minimumSpan / 2;
            high = middle + lane.minimumSpan / 2;
        }
        const double margin = (high - low) * 0.08;
        low -= margin;
        high += margin;
        const int most = std::max(2, int(area.height() / (metrics.height() * 1.6)));
        const double step = ValueTickStep(low, high, most);
        const int decimals = std::clamp(int(-std::floor(std::log10(step))), 0, 4);
        for (double value : ValueTicks(low, high, most)) {
            const double y = area.bottom() - (value - low) / (high - low) * area.height();
            painter.setPen(colours.grid);
            painter.drawLine(QPointF(area.left(), y), QPointF(area.right(), y));
            painter.setPen(colours.text);
            painter.drawText(QRectF(0, y - metrics.height() / 2, area.left() - 4, metrics.height()),
                             Qt::AlignRight | Qt::AlignVCenter, QString::number(value, 'f', decimals));
        }
        painter.save();
        painter.setClipRect(area);
        painter.setPen(QPen(lane.colour, 0));  // cosmetic, one pixel: the raster engine's fast line path
        drawTrace(painter, columns, area, low, high);
        painter.restore();
    }
    painter.setPen(lane.colour);
    painter.drawText(area.adjusted(6, 2, -6, -2), Qt::AlignLeft | Qt::AlignTop, lane.title);
}

void TrendChart::drawTrace(QPainter& painter, const std::vector<TrendColumn>& columns, const QRectF& area, double low,
                           double high) const
{
    const double scale = area.height() / (high - low);
    const auto y = [&](float value) { return area.bottom() - (value - low) * scale; };
    const double columnWidth = area.width() / double(columns.size());
    QPolygonF run;
    const auto finishRun = [&] {
        if (run.size() == 1)
            painter.drawPoint(run.front());
        else
            painter.drawPolyline(run);
        run.clear();
    };
    for (std::size_t i = 0; i < columns.size(); ++i) {
        const TrendColumn& column = columns[i];
        if (!column.hasData)
            continue;
        if (column.breakBefore && !run.isEmpty())
            finishRun();
        const double x = area.left() + (double(i) + 0.5) * columnWidth;
        run << QPointF(x, y(column.first));
        if (column.min != column.max)
            run << QPointF(x, y(column.min)) << QPointF(x, y(column.max)) << QPointF(x, y(column.last));
    }
    if (!run.isEmpty())
        finishRun();
}

void TrendChart::drawCursor(QPainter& painter, const QRectF& plot, double from, double to) const
{
    if (!cursorTime_ || *cursorTime_ < from || *cursorTime_ > to)
        return;
    const TrendColours colours(palette());
    const double x = plot.left() + (*cursorTime_ - from) / (to - from) * plot.width();
    painter.setPen(QPen(colours.text, 1, Qt::DashLine));
    painter.drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom()));

    const double pixelSeconds = (to - from) / plot.width();
    const auto sample = series_.nearest(*cursorTime_, std::max(series_.gapSeconds(), 3 * pixelSeconds));
    QStringList lines{timeLabel(sample ? sample->time : *cursorTime_, 0, "HH:mm:ss.zzz")};
    if (sample) {
        lines << (sample->status == SampleStatus::Ok ? tr("Reading %1").arg(valueText(sample->reading, readingUnits_))
                                                     : tr("Reading: %1").arg(StatusText(sample->status)))
              << tr("Output %1").arg(std::isnan(sample->outputMa) ? QStringLiteral("-")
                                                                  : tr("%1 mA").arg(sample->outputMa, 0, 'f', 3))
              << tr("Ambient %1").arg(valueText(sample->ambient, ambientUnits_));
    }
    const QFontMetricsF metrics(font());
    double width = 0;
    for (const QString& line : lines)
        width = std::max(width, metrics.horizontalAdvance(line));
    QRectF box(0, plot.top() + 4, width + 12, metrics.height() * lines.size() + 8);
    box.moveLeft(x + 8 + box.width() <= plot.right() ? x + 8 : x - 8 - box.width());
    painter.setPen(colours.frame);
    painter.setBrush(colours.tipBackground);
    painter.drawRect(box);
    painter.setPen(colours.tipText);
    painter.drawText(box.adjusted(6, 4, -6, -4), Qt::AlignLeft | Qt::AlignTop, lines.join(QLatin1Char('\n')));
}
