#pragma once

#include "model/stability.h"

#include <QString>

#include <optional>
#include <vector>

// How far a reading may be off: a share of the input span, or an amount in the unit's units.
struct Tolerance {
    enum class Kind { PercentOfSpan, Absolute };
    Kind kind = Kind::PercentOfSpan;
    double value = 0.25;

    // In the unit's units, for an input range of `span` (either sign).
    double inUnits(double span) const;
};

// The instrument that applies the reference, and how well it is known: the link of the results
// to national standards.
struct ReferenceInstrument {
    QString type;
    QString serial;
    QString certificate;  // the number of its own calibration certificate
    QString uncertainty;  // as that certificate states it, e.g. "0.03 °C (k=2)"
};

// What a check does and who is involved: the test points in the unit's units (up-scale order),
// the tolerance, when a reading counts as settled.
struct CheckPlan {
    std::vector<double> points;
    bool downScale = false;  // after the up-scale run, back down through the points below the top
    Tolerance tolerance;
    StabilityRule stability;
    ReferenceInstrument reference;
    QString technician;
    QString customer;
    QString site;
    std::optional<double> humidityPercent;
};

// 0, 25, 50, 75 and 100 % of the range.
std::vector<double> DefaultPoints(double rangeMin, double rangeMax);
// The points in the order they are applied.
std::vector<double> RunOrder(const CheckPlan& plan);
// Values between commas and/or blanks ("0, 25.5 100"); nothing when there is none or one is not
// a number.
std::optional<std::vector<double>> ParsePoints(const QString& text);
QString PointsText(const std::vector<double>& points);
