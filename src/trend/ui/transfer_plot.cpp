#include "trend/ui/transfer_plot.h"

#include "model/formatters.h"
#include "trend/ui/trend_colours.h"

#include <QPainter>

#include <algorithm>

TransferPlot::TransferPlot(QWidget* parent) : QWidget(parent)
{
    setMinimumSize(220, 150);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TransferPlot::setTransfer(const std::optional<OutputTransfer>& transfer, const QString& units)
{
    transfer_ = transfer;
    units_ = units;
    update();
}

void TransferPlot::setOperatingPoint(std::optional<double> reading, bool burnOut)
{
    reading_ = reading;
    burnOut_ = burnOut;
    update();
}

void TransferPlot::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const TrendColours colours(palette());
    painter.fillRect(rect(), colours.background);
    if (!transfer_) {
        painter.setPen(colours.text);
        painter.drawText(rect(), Qt::AlignCenter | Qt::TextWordWrap, tr("No input range or output limits"));
        return;
    }
    const OutputTransfer& t = *transfer_;
    const QFontMetricsF metrics(font());
    const QRectF plot = QRectF(rect()).adjusted(metrics.horizontalAdvance(QStringLiteral("00.0 mA")) + 10,
                                                metrics.height(), -metrics.horizontalAdvance(QStringLiteral("0000")),
                                                -(metrics.height() + 8));

    const double rangeLow = std::min(t.rangeMin, t.rangeMax);
    const double rangeHigh = std::max(t.rangeMin, t.rangeMax);
    const double xLow = rangeLow - 0.15 * (rangeHigh - rangeLow);
    const double xHigh = rangeHigh + 0.15 * (rangeHigh - rangeLow);
    double yLow = std::min(t.outMin, t.outMax);
    double yHigh = std::max(t.outMin, t.outMax);
    if (t.burnOutMa) {
        yLow = std::min(yLow, *t.burnOutMa);
        yHigh = std::max(yHigh, *t.burnOutMa);
    }
    yLow -= 1;
    yHigh += 1;
    const auto at = [&](double x, double mA) {
        return QPointF(plot.left() + (x - xLow) / (xHigh - xLow) * plot.width(),
                       plot.bottom() - (mA - yLow) / (yHigh - yLow) * plot.height());
    };

    painter.setPen(colours.frame);
    painter.drawRect(plot);
    painter.setPen(colours.grid);
    for (double x : {t.rangeMin, t.rangeMax}) {
        const QPointF top = at(x, yHigh);
        painter.drawLine(top, at(x, yLow));
        const QString label = ValueText(float(x)) + QLatin1Char(' ') + units_;
        painter.setPen(colours.text);
        painter.drawText(QRectF(top.x() - 60, plot.bottom() + 2, 120, metrics.height() + 4), Qt::AlignCenter, label);
        painter.setPen(colours.grid);
    }
    for (double mA : {t.outMin, t.outMax}) {
        const QPointF left = at(xLow, mA);
        painter.drawLine(left, at(xHigh, mA));
    }
    painter.setPen(colours.text);
    for (double mA : {t.outMin, t.outMax})
        painter.drawText(QRectF(0, at(xLow, mA).y() - metrics.height() / 2, plot.left() - 4, metrics.height()),
                         Qt::AlignRight | Qt::AlignVCenter, tr("%1 mA").arg(mA, 0, 'f', 1));

    if (t.burnOutMa) {
        painter.setPen(QPen(colours.ambient, 1, Qt::DashLine));
        painter.drawLine(at(xLow, *t.burnOutMa), at(xHigh, *t.burnOutMa));
        painter.drawText(QRectF(plot.left() + 4, at(xLow, *t.burnOutMa).y() - metrics.height() - 1, plot.width() - 8,
                                metrics.height()),
                         Qt::AlignLeft | Qt::AlignBottom, tr("burn-out %1 mA").arg(*t.burnOutMa, 0, 'f', 1));
    }

    painter.setPen(QPen(colours.output, 2));
    const double corners[] = {xLow, t.rangeMin, t.rangeMax, xHigh};
    QPolygonF line;
    for (double x : corners)
        line << at(x, OutputAt(t, x).milliamps);
    std::sort(line.begin(), line.end(), [](const QPointF& a, const QPointF& b) { return a.x() < b.x(); });
    painter.drawPolyline(line);

    std::optional<QPointF> point;
    if (burnOut_ && t.burnOutMa)
        point = at((xLow + xHigh) / 2, *t.burnOutMa);
    else if (reading_ && !burnOut_)
        point = at(std::clamp(*reading_, xLow, xHigh), OutputAt(t, *reading_).milliamps);
    if (point) {
        painter.setPen(QPen(colours.text, 1));
        painter.setBrush(colours.reading);
        painter.drawEllipse(*point, 5, 5);
    }
}
