#include "table_generator/table_design.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr double Overflow = 2305843009213693952.0;  // 2^61: bound of each term of t
constexpr int WidePointsPerChunk = 21;
constexpr int NarrowPointsPerChunk = 31;
constexpr double ChunkWaitSeconds = 5.0;
constexpr double SecondsPerByte = 0.05;
constexpr std::int64_t ColdJunctionLowX = -4000;  // 0.01 °C
constexpr std::int64_t ColdJunctionHighX = 8500;
constexpr double NegligibleError = 1e-3;  // output units: no table needs to be closer

// The quantity whose raw input is x: tabulated first guess, then Newton steps.
class InverseCharacteristic {
public:
    explicit InverseCharacteristic(const SensorCharacteristic& sensor) : sensor_(sensor)
    {
        const double low = sensor.low - 1.0, high = sensor.high + 1.0;
        for (int k = 0; k <= Points; ++k) {
            const double q = low + (high - low) * k / Points;
            quantities_.push_back(q);
            raws_.push_back(RawInput(sensor, q));
        }
    }

    double operator()(double x) const
    {
        const auto it = std::upper_bound(raws_.begin(), raws_.end(), x);
        const std::size_t i = std::clamp<std::size_t>(std::size_t(it - raws_.begin()), 1, raws_.size() - 1);
        // The interval's slope is close enough to the derivative for each step to gain three digits.
        const double slope = (raws_[i] - raws_[i - 1]) / (quantities_[i] - quantities_[i - 1]);
        double q = quantities_[i - 1] + (x - raws_[i - 1]) / slope;
        for (int step = 0; step < 3; ++step)
            q -= (RawInput(sensor_, q) - x) / slope;
        if (std::abs(RawInput(sensor_, q) - x) < 1e-6)
            return q;
        // Not converged (a published function may step at a join): bisect the tabulated interval.
        double low = quantities_[i - 1], high = quantities_[i];
        for (int step = 0; step < 50; ++step) {
            const double mid = 0.5 * (low + high);
            (RawInput(sensor_, mid) < x ? low : high) = mid;
        }
        return 0.5 * (low + high);
    }

private:
    static constexpr int Points = 4096;
    const SensorCharacteristic& sensor_;
    std::vector<double> quantities_;
    std::vector<double> raws_;
};

// y = a + b d + c d^2 with d = x - x0, through the ends and the middle of [x0, x1].
struct Quadratic {
    double a = 0, b = 0, c = 0;
};

Quadratic through(const std::function<double(double)>& y, double x0, double x1)
{
    const double d1 = 0.5 * (x1 - x0), d2 = x1 - x0;
    const double y0 = y(x0), ym = y(x0 + d1), y1 = y(x1);
    Quadratic quadratic;
    quadratic.a = y0;
    quadratic.c = ((y1 - y0) / d2 - (ym - y0) / d1) / (d2 - d1);
    quadratic.b = (ym - y0) / d1 - quadratic.c * d1;
    return quadratic;
}

double segmentError(const std::function<double(double)>& y, std::int64_t x0, std::int64_t x1)
{
    const Quadratic quadratic = through(y, double(x0), double(x1));
    double worst = 0.0;
    for (int k = 1; k < 16; ++k) {
        const double d = double(x1 - x0) * k / 16.0;
        worst = std::max(worst, std::abs(quadratic.a + d * (quadratic.b + d * quadratic.c) - y(double(x0) + d)));
    }
    return worst;
}

// Breakpoints of segments each as long as the error bound allows without crossing a join, at
// most `most` of them; the last breakpoint falls short of xHigh when more would be needed.
std::vector<std::int64_t> greedyBreakpoints(const std::function<double(double)>& y, std::int64_t xLow,
                                            std::int64_t xHigh, const std::vector<std::int64_t>& joins,
                                            double bound, int most)
{
    std::vector<std::int64_t> points{xLow};
    while (points.back() < xHigh && int(points.size()) <= most) {
        const std::int64_t x0 = points.back();
        const auto join = std::upper_bound(joins.begin(), joins.end(), x0);
        const std::int64_t end = join != joins.end() && *join < xHigh ? *join : xHigh;
        std::int64_t good = x0 + 1, bad = end + 1;
        if (segmentError(y, x0, end) <= bound)
            good = end;
        while (bad - good > 1) {
            const std::int64_t mid = good + (bad - good) / 2;
            (segmentError(y, x0, mid) <= bound ? good : bad) = mid;
        }
        points.push_back(good);
    }
    return points;
}

int shiftWithin(double largest, std::int64_t limit)
{
    if (largest <= 0.0)
        return 0;
    return std::clamp(int(std::floor(std::log2((double(limit) - 0.5) / largest))), 0, MaxCurveShift);
}

TransferCost transferCost(int values, int perChunk, int bytesPerPoint)
{
    TransferCost cost;
    for (int sent = 0; sent < values; sent += perChunk) {
        const int points = std::min(perChunk, values - sent);
        // The select byte, the block (count, address, page, data, checksum), then the wait.
        cost.seconds += SecondsPerByte * (1 + 4 + bytesPerPoint * points) + ChunkWaitSeconds;
        ++cost.chunks;
    }
    return cost;
}

std::string lineText(std::int64_t x, std::int64_t a, std::int64_t b, std::int64_t c)
{
    return std::to_string(x) + ' ' + std::to_string(a) + ' ' + std::to_string(b) + ' ' + std::to_string(c) + "\r\n";
}

} // namespace

int FractionBits(double largest, std::int64_t limit)
{
    return std::min(shiftWithin(largest, limit), 16);
}

std::optional<Curve> FitCurve(const std::function<double(double)>& y, std::int64_t xLow, std::int64_t xHigh,
                              const std::vector<std::int64_t>& joins, int segments, std::int64_t limit, int p)
{
    if (xHigh <= xLow || xLow < -limit || xHigh > limit || segments < 1 + int(joins.size()))
        return std::nullopt;
    // Bisect the error bound between a negligible one and one that a segment per join interval meets.
    double low = NegligibleError, high = segmentError(y, xLow, xHigh);
    for (const std::int64_t join : joins)
        high = std::max({high, segmentError(y, xLow, join), segmentError(y, join, xHigh)});
    if (greedyBreakpoints(y, xLow, xHigh, joins, low, segments).back() == xHigh)
        high = low;
    for (int step = 0; step < 30 && high > low; ++step) {
        const double mid = 0.5 * (low + high);
        (greedyBreakpoints(y, xLow, xHigh, joins, mid, segments).back() == xHigh ? high : low) = mid;
    }
    const std::vector<std::int64_t> points = greedyBreakpoints(y, xLow, xHigh, joins, high, segments);

    const double unit = std::ldexp(1.0, p);
    std::vector<Quadratic> pieces;
    // Largest coefficients, and the largest terms they reach over their own segments.
    double largestB = 0.0, largestC = 0.0, largestBTerm = 0.0, largestCTerm = 0.0;
    for (std::size_t i = 0; i + 1 < points.size(); ++i) {
        Quadratic piece = through(y, double(points[i]), double(points[i + 1]));
        piece.a *= unit, piece.b *= unit, piece.c *= unit;
        const double width = double(points[i + 1] - points[i]);
        largestB = std::max(largestB, std::abs(piece.b));
        largestC = std::max(largestC, std::abs(piece.c));
        largestBTerm = std::max(largestBTerm, std::abs(piece.b) * width);
        largestCTerm = std::max(largestCTerm, std::abs(piece.c) * width * width);
        pieces.push_back(piece);
    }
    Curve curve;
    curve.p = p;
    curve.q = shiftWithin(largestB, limit);
    curve.r = shiftWithin(largestC, limit);
    // Keep both terms of t below 2^61 on every segment.
    while (true) {
        const int s = std::max(curve.q, curve.r);
        if (std::ldexp(largestBTerm, s) < Overflow && std::ldexp(largestCTerm, s) < Overflow)
            break;
        (curve.r >= curve.q ? curve.r : curve.q) -= 1;
    }
    for (std::size_t i = 0; i < pieces.size(); ++i)
        curve.lines.push_back({points[i], std::llround(pieces[i].a), std::llround(std::ldexp(pieces[i].b, curve.q)),
                               std::llround(std::ldexp(pieces[i].c, curve.r))});
    curve.lines.push_back({xHigh, std::llround(y(double(xHigh)) * unit), 0, 0});
    for (const CurveLine& line : curve.lines)
        if (std::max({std::abs(line.a), std::abs(line.b), std::abs(line.c)}) > limit)
            return std::nullopt;
    return curve;
}

std::string CurveText(const Curve& curve)
{
    std::string text;
    for (const CurveLine& line : curve.lines)
        text += lineText(line.x, line.a, line.b, line.c);
    return text + lineText(std::int64_t(TableEndMarker), curve.p, curve.q, curve.r);
}

std::string EmptyTableText()
{
    return lineText(std::int64_t(TableEndMarker), 0, 0, 0);
}

double WorstLinearisationError(const SensorCharacteristic& sensor, const Curve& curve)
{
    // Every whole raw input in the range; the true quantity follows from the previous one by
    // chord steps whose slope is refreshed now and then.
    const auto first = std::int64_t(std::ceil(RawInput(sensor, sensor.low)));
    const auto last = std::int64_t(std::floor(RawInput(sensor, sensor.high)));
    const InverseCharacteristic inverse(sensor);
    double q = inverse(double(first)), slope = 1.0, worst = 0.0;
    for (std::int64_t x = first; x <= last; ++x) {
        if ((x - first) % 1024 == 0)
            slope = (RawInput(sensor, q + 1e-3) - RawInput(sensor, q - 1e-3)) / 2e-3;
        for (int step = 0; step < 2; ++step)
            q -= (RawInput(sensor, q) - double(x)) / slope;
        worst = std::max(worst, std::abs(double(CurveValue(curve, x)) / sensor.outputScale - q));
    }
    return worst;
}

double WorstColdJunctionError(const SensorCharacteristic& thermocouple, const Curve& curve)
{
    double worst = 0.0;
    for (std::int64_t x = ColdJunctionLowX; x <= ColdJunctionHighX; ++x) {
        worst = std::max(worst, std::abs(double(ColdJunctionEmf(curve, x)) / 10.0 - ThermocoupleEmf(thermocouple, double(x) / 100.0)));
    }
    return worst;
}

double SmallestSeebeck(const SensorCharacteristic& sensor)
{
    double smallest = std::numeric_limits<double>::max();
    for (int k = 0; k <= 1000; ++k) {
        const double t = sensor.low + (sensor.high - sensor.low) * k / 1000;
        smallest = std::min(smallest, (ThermocoupleEmf(sensor, t + 0.01) - ThermocoupleEmf(sensor, t - 0.01)) / 0.02);
    }
    return smallest;
}

TransferCost PrimaryTransferCost(const Curve& curve)
{
    const int lines = int(curve.lines.size()) + 1;
    const TransferCost a = transferCost(lines, WidePointsPerChunk, 3);
    const TransferCost b = transferCost(3 * lines, WidePointsPerChunk, 3);
    return {a.chunks + b.chunks, a.seconds + b.seconds};
}

TransferCost SecondaryTransferCost(int values)
{
    return transferCost(values, NarrowPointsPerChunk, 2);
}

std::optional<std::vector<SensorDesign>> DesignAllTables(std::string& error)
{
    std::vector<SensorDesign> designs;
    for (const SensorCharacteristic& sensor : SensorCharacteristics()) {
        const InverseCharacteristic inverse(sensor);
        const auto reading = [&](double x) { return sensor.outputScale * inverse(x); };
        const auto xLow = std::int64_t(std::floor(RawInput(sensor, sensor.low)));
        const auto xHigh = std::int64_t(std::ceil(RawInput(sensor, sensor.high)));
        std::vector<std::int64_t> joins;
        // Below the join from both sides, so that a function that steps there (W3 by 0.04 µV) is
        // not ambiguous at the breakpoint.
        for (const double t : sensor.joins)
            if (t > sensor.low && t < sensor.high)
                joins.push_back(std::int64_t(
                    std::floor(std::min(RawInput(sensor, t - 1e-9), RawInput(sensor, t + 1e-9)))));
        SensorDesign design{sensor, {}, std::nullopt, 0.0, 0.0};
        const bool temperature = sensor.readingUnits == UnitsCelsius;
        for (int segments : temperature ? std::vector<int>(std::begin(SegmentSteps), std::end(SegmentSteps))
                                        : std::vector<int>{1}) {
            const double largest = std::max(std::abs(reading(double(xLow))), std::abs(reading(double(xHigh))));
            const auto curve =
                FitCurve(reading, xLow, xHigh, joins, segments, WideValueLimit, FractionBits(largest, WideValueLimit));
            if (!curve) {
                error = "cannot represent the table of " + sensor.name;
                return std::nullopt;
            }
            design.primary = *curve;
            design.worstError = WorstLinearisationError(sensor, *curve);
            if (design.worstError <= TargetError)
                break;
        }
        if (sensor.family == InputFamily::Thermocouple) {
            const auto emf = [&](double x) { return ThermocoupleEmf(sensor, x / 100.0); };
            const double largest = std::max(std::abs(emf(double(ColdJunctionLowX))), std::abs(emf(double(ColdJunctionHighX))));
            design.coldJunction = FitCurve(emf, ColdJunctionLowX, ColdJunctionHighX, {0}, ColdJunctionSegments,
                                           NarrowValueLimit, FractionBits(largest, NarrowValueLimit));
            if (!design.coldJunction) {
                error = "cannot represent the cold-junction table of " + sensor.name;
                return std::nullopt;
            }
            design.coldJunctionMicrovolts = WorstColdJunctionError(sensor, *design.coldJunction);
        }
        designs.push_back(design);
    }
    return designs;
}
