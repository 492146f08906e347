#include "check/check_plan.h"

#include <QRegularExpression>
#include <QStringList>

#include <cmath>

double Tolerance::inUnits(double span) const
{
    return kind == Kind::PercentOfSpan ? std::abs(span) * value / 100.0 : value;
}

std::vector<double> DefaultPoints(double rangeMin, double rangeMax)
{
    std::vector<double> points;
    for (double share : {0.0, 0.25, 0.5, 0.75, 1.0})
        points.push_back(rangeMin + share * (rangeMax - rangeMin));
    return points;
}

std::vector<double> RunOrder(const CheckPlan& plan)
{
    std::vector<double> order = plan.points;
    if (plan.downScale && plan.points.size() > 1)
        order.insert(order.end(), plan.points.rbegin() + 1, plan.points.rend());
    return order;
}

std::optional<std::vector<double>> ParsePoints(const QString& text)
{
    static const QRegularExpression separators(QStringLiteral("[,\\s]+"));
    std::vector<double> points;
    for (const QString& word : text.split(separators, Qt::SkipEmptyParts)) {
        bool ok = false;
        points.push_back(word.toDouble(&ok));
        if (!ok || !std::isfinite(points.back()))
            return std::nullopt;
    }
    if (points.empty())
        return std::nullopt;
    return points;
}

QString PointsText(const std::vector<double>& points)
{
    QStringList texts;
    for (double point : points)
        texts << QString::number(point, 'g', 10);
    return texts.join(QStringLiteral(", "));
}
