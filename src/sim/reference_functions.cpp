#include "sim/reference_functions.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <span>

namespace {

// One range of a piecewise reference function: E(t) = sum c_i t^i for t up to `upTo`.
struct PolynomialRange {
    double upTo;
    std::vector<double> coefficients;  // c_0 first
};

double polynomial(std::span<const double> c, double t)
{
    double sum = 0.0;
    for (auto it = c.rbegin(); it != c.rend(); ++it)
        sum = sum * t + *it;
    return sum;
}

// The range holding t (the first one whose upper limit is not below t; the last one beyond).
double piecewise(const std::vector<PolynomialRange>& ranges, double t)
{
    for (const PolynomialRange& range : ranges)
        if (t <= range.upTo)
            return polynomial(range.coefficients, t);
    return polynomial(ranges.back().coefficients, t);
}

// NIST ITS-90 thermocouple reference functions (NIST Monograph 175, SRD 60); E in mV.
const std::vector<PolynomialRange>& nistB()
{
    static const std::vector<PolynomialRange> ranges = {
        {630.615, {0.0, -0.246508183460e-03, 0.590404211710e-05, -0.132579316360e-08, 0.156682919010e-11,
                   -0.169445292400e-14, 0.629903470940e-18}},
        {1820.0, {-0.389381686210e+01, 0.285717474700e-01, -0.848851047850e-04, 0.157852801640e-06,
                  -0.168353448640e-09, 0.111097940130e-12, -0.445154310330e-16, 0.989756408210e-20,
                  -0.937913302890e-24}}};
    return ranges;
}

const std::vector<PolynomialRange>& nistE()
{
    static const std::vector<PolynomialRange> ranges = {
        {0.0, {0.0, 0.586655087080e-01, 0.454109771240e-04, -0.779980486860e-06, -0.258001608430e-07,
               -0.594525830570e-09, -0.932140586670e-11, -0.102876055340e-12, -0.803701236210e-15,
               -0.439794973910e-17, -0.164147763550e-19, -0.396736195160e-22, -0.558273287210e-25,
               -0.346578420130e-28}},
        {1000.0, {0.0, 0.586655087100e-01, 0.450322755820e-04, 0.289084072120e-07, -0.330568966520e-09,
                  0.650244032700e-12, -0.191974955040e-15, -0.125366004970e-17, 0.214892175690e-20,
                  -0.143880417820e-23, 0.359608994810e-27}}};
    return ranges;
}

const std::vector<PolynomialRange>& nistJ()
{
    static const std::vector<PolynomialRange> ranges = {
        {760.0, {0.0, 0.503811878150e-01, 0.304758369300e-04, -0.856810657200e-07, 0.132281952950e-09,
                 -0.170529583370e-12, 0.209480906970e-15, -0.125383953360e-18, 0.156317256970e-22}},
        {1200.0, {0.296456256810e+03, -0.149761277860e+01, 0.317871039240e-02, -0.318476867010e-05,
                  0.157208190040e-08, -0.306913690560e-12}}};
    return ranges;
}

const std::vector<PolynomialRange>& nistK()
{
    static const std::vector<PolynomialRange> ranges = {
        {0.0, {0.0, 0.394501280250e-01, 0.236223735980e-04, -0.328589067840e-06, -0.499048287770e-08,
               -0.675090591730e-10, -0.574103274280e-12, -0.310888728940e-14, -0.104516093650e-16,
               -0.198892668780e-19, -0.163226974860e-22}},
        {1372.0, {-0.176004136860e-01, 0.389212049750e-01, 0.185587700320e-04, -0.994575928740e-07,
                  0.318409457190e-09, -0.560728448890e-12, 0.560750590590e-15, -0.320207200030e-18,
                  0.971511471520e-22, -0.121047212750e-25}}};
    return ranges;
}

const std::vector<PolynomialRange>& nistN()
{
    static const std::vector<PolynomialRange> ranges = {
        {0.0, {0.0, 0.261591059620e-01, 0.109574842280e-04, -0.938411115540e-07, -0.464120397590e-10,
               -0.263033577160e-11, -0.226534380030e-13, -0.760893007910e-16, -0.934196678350e-19}},
        {1300.0, {0.0, 0.259293946010e-01, 0.157101418800e-04, 0.438256272370e-07, -0.252611697940e-09,
                  0.643118193390e-12, -0.100634715190e-14, 0.997453389920e-18, -0.608632456070e-21,
                  0.208492293390e-24, -0.306821961510e-28}}};
    return ranges;
}

const std::vector<PolynomialRange>& nistR()
{
    static const std::vector<PolynomialRange> ranges = {
        {1064.18, {0.0, 0.528961729765e-02, 0.139166589782e-04, -0.238855693017e-07, 0.356916001063e-10,
                   -0.462347666298e-13, 0.500777441034e-16, -0.373105886191e-19, 0.157716482367e-22,
                   -0.281038625251e-26}},
        {1664.5, {0.295157925316e+01, -0.252061251332e-02, 0.159564501865e-04, -0.764085947576e-08,
                  0.205305291024e-11, -0.293359668173e-15}},
        {1768.1, {0.152232118209e+03, -0.268819888545e+00, 0.171280280471e-03, -0.345895706453e-07,
                  -0.934633971046e-14}}};
    return ranges;
}

const std::vector<PolynomialRange>& nistS()
{
    static const std::vector<PolynomialRange> ranges = {
        {1064.18, {0.0, 0.540313308631e-02, 0.125934289740e-04, -0.232477968689e-07, 0.322028823036e-10,
                   -0.331465196389e-13, 0.255744251786e-16, -0.125068871393e-19, 0.271443176145e-23}},
        {1664.5, {0.132900444085e+01, 0.334509311344e-02, 0.654805192818e-05, -0.164856259209e-08,
                  0.129989605174e-13}},
        {1768.1, {0.146628232636e+03, -0.258430516752e+00, 0.163693574641e-03, -0.330439046987e-07,
                  -0.943223690612e-14}}};
    return ranges;
}

const std::vector<PolynomialRange>& nistT()
{
    static const std::vector<PolynomialRange> ranges = {
        {0.0, {0.0, 0.387481063640e-01, 0.441944343470e-04, 0.118443231050e-06, 0.200329735540e-07,
               0.901380195590e-09, 0.226511565930e-10, 0.360711542050e-12, 0.384939398830e-14,
               0.282135219250e-16, 0.142515947790e-18, 0.487686622860e-21, 0.107955392700e-23,
               0.139450270620e-26, 0.797951539270e-30}},
        {400.0, {0.0, 0.387481063640e-01, 0.332922278800e-04, 0.206182434040e-06, -0.218822568460e-08,
                 0.109968809280e-10, -0.308157587720e-13, 0.454791352900e-16, -0.275129016730e-19}}};
    return ranges;
}

// Type K above 0 °C carries an additional exponential term (NIST).
double typeKExponential(double t)
{
    if (t <= 0.0)
        return 0.0;
    const double a0 = 0.118597600000e+00, a1 = -0.118343200000e-03, a2 = 0.126968600000e+03;
    return a0 * std::exp(a1 * (t - a2) * (t - a2));
}

// W / W-26Re (ASTM E1751, table 1, ITS-90); E in mV.
const std::vector<PolynomialRange>& astmW()
{
    static const std::vector<PolynomialRange> ranges = {
        {630.615, {0.0, 1.2792201e-03, 2.1634754e-05, -1.1393234e-08, 4.3850022e-12, -1.7089202e-15}},
        {2315.0, {-1.1064412e+00, 9.4962455e-03, -3.6467516e-06, 3.1141330e-08, -3.8615222e-11, 2.4455012e-14,
                  -8.9888053e-18, 1.8120237e-21, -1.5534591e-25}}};
    return ranges;
}

// W-3Re / W-25Re (OMEGA "Tungsten-Rhenium Thermocouples Calibration Equivalents", IPTS-68); mV.
const std::vector<PolynomialRange>& omegaW3()
{
    static const std::vector<PolynomialRange> ranges = {
        {783.0, {0.0, 9.5685256e-3, 2.0592621e-5, -1.8464573e-8, 7.9498033e-12, -1.4240735e-15}},
        {2320.0, {0.0, 9.9109462e-3, 1.8666488e-5, -1.4935266e-8, 5.3743821e-12, -7.9026726e-16}}};
    return ranges;
}

// W-5Re / W-26Re, same source; published in °F, referred here to 0 mV at 0 °C (32 °F), which
// shifts the published curve by 0.40 µV.
double tungstenW5(double t)
{
    static const std::array<double, 6> fahrenheit = {-0.234471,     0.7190027e-2, 0.3956443e-5,
                                                     -0.1842722e-8, 0.3471851e-12, -0.2616792e-16};
    return polynomial(fahrenheit, 32.0 + 1.8 * t) - polynomial(fahrenheit, 32.0);
}

// DIN 43710 base values (mV) at -200, -100, 0, 100 ... °C, interpolated by a cubic spline with
// not-a-knot ends.
class BaseValueSpline {
public:
    explicit BaseValueSpline(std::vector<double> values) : y_(std::move(values)), m_(y_.size(), 0.0)
    {
        const std::size_t n = y_.size();
        // Second derivatives M: interior rows M[i-1] + 4 M[i] + M[i+1] = 6 (y[i+1] - 2 y[i] + y[i-1]) / h^2,
        // not-a-knot: M[0] = 2 M[1] - M[2], M[n-1] = 2 M[n-2] - M[n-3]. Solved by elimination.
        std::vector<std::vector<double>> a(n, std::vector<double>(n + 1, 0.0));
        a[0][0] = 1.0, a[0][1] = -2.0, a[0][2] = 1.0;
        a[n - 1][n - 1] = 1.0, a[n - 1][n - 2] = -2.0, a[n - 1][n - 3] = 1.0;
        for (std::size_t i = 1; i + 1 < n; ++i) {
            a[i][i - 1] = 1.0, a[i][i] = 4.0, a[i][i + 1] = 1.0;
            a[i][n] = 6.0 * (y_[i + 1] - 2.0 * y_[i] + y_[i - 1]) / (Step * Step);
        }
        for (std::size_t col = 0; col < n; ++col) {
            std::size_t pivot = col;
            for (std::size_t row = col + 1; row < n; ++row)
                if (std::abs(a[row][col]) > std::abs(a[pivot][col]))
                    pivot = row;
            std::swap(a[col], a[pivot]);
            for (std::size_t row = 0; row < n; ++row) {
                if (row == col)
                    continue;
                const double f = a[row][col] / a[col][col];
                for (std::size_t k = col; k <= n; ++k)
                    a[row][k] -= f * a[col][k];
            }
        }
        for (std::size_t i = 0; i < n; ++i)
            m_[i] = a[i][n] / a[i][i];
    }

    double operator()(double t) const
    {
        const double u = (t - First) / Step;
        const std::size_t i = static_cast<std::size_t>(std::clamp(std::floor(u), 0.0, double(y_.size() - 2)));
        const double s = u - double(i);  // 0..1 within the interval (beyond the ends: extrapolated)
        const double h2 = Step * Step;
        return (1.0 - s) * y_[i] + s * y_[i + 1]
            - h2 / 6.0 * s * (1.0 - s) * ((2.0 - s) * m_[i] + (1.0 + s) * m_[i + 1]);
    }

private:
    static constexpr double First = -200.0;
    static constexpr double Step = 100.0;
    std::vector<double> y_;
    std::vector<double> m_;
};

double dinTypeL(double t)
{
    // Fe-CuNi base values from -200 °C to 400 °C (the values above 400 °C were not available).
    static const BaseValueSpline spline({-8.15, -4.75, 0.0, 5.37, 10.95, 16.56, 22.16});
    return spline(t);
}

double dinTypeU(double t)
{
    // Cu-CuNi base values from -200 °C to 600 °C.
    static const BaseValueSpline spline({-5.70, -3.40, 0.0, 4.25, 9.20, 14.90, 21.00, 27.41, 34.31});
    return spline(t);
}

double callendarVanDusen(double a, double b, double c, double t)
{
    return 1.0 + a * t + b * t * t + (t < 0.0 ? c * (t - 100.0) * t * t * t : 0.0);
}

// Nickel characteristics of the form 1 + A t + B t^2 + D t^4 + F t^6.
double nickel(double a, double b, double d, double f, double t)
{
    const double t2 = t * t;
    return 1.0 + a * t + b * t2 + d * t2 * t2 + f * t2 * t2 * t2;
}

// GOST 6651 (alpha 0.00428).
double copper(double t)
{
    return 1.0 + 4.28e-3 * t + (t < 0.0 ? -6.2032e-7 * t * (t + 6.7) + 8.5154e-10 * t * t * t : 0.0);
}

double identity(double quantity)
{
    return quantity;
}

double microvolts(double millivolts)
{
    return 1000.0 * millivolts;
}

// EMF in µV of a piecewise polynomial function.
template <const std::vector<PolynomialRange>& (*ranges)()>
double piecewiseEmf(double t)
{
    return microvolts(piecewise(ranges(), t));
}

// Where a piecewise function changes from one range to the next.
std::vector<double> joinsOf(const std::vector<PolynomialRange>& ranges)
{
    std::vector<double> joins;
    for (std::size_t i = 0; i + 1 < ranges.size(); ++i)
        joins.push_back(ranges[i].upTo);
    return joins;
}

constexpr double Unbounded = std::numeric_limits<double>::infinity();

// A published function: EMF in µV, R(t) / R(0 °C), or the quantity itself for a linear input;
// where it changes pieces; where it is published.
struct Published {
    double (*value)(double quantity) = nullptr;
    std::vector<double> joins;
    double low = -Unbounded;
    double high = Unbounded;
};

Published published(ReferenceFunction reference)
{
    using R = ReferenceFunction;
    switch (reference) {
    case R::Copper: return {copper, {0.0}};
    case R::Ni120: return {[](double t) { return nickel(5.88025e-3, 8.28385e-6, 7.67175e-12, -1.5e-16, t); }, {}};
    case R::Ni1000: return {[](double t) { return nickel(5.485e-3, 6.650e-6, 2.805e-11, -2.000e-17, t); }, {}};
    case R::NiFe: return {[](double t) { return 1.0 + 5.18e-3 * t; }, {}};
    case R::Pt385: return {[](double t) { return callendarVanDusen(3.9083e-3, -5.775e-7, -4.183e-12, t); }, {0.0}};
    case R::Pt392:
        return {[](double t) { return callendarVanDusen(3.97869e-3, -5.86863e-7, -4.16696e-12, t); }, {0.0}};
    case R::TypeK:
        return {[](double t) { return microvolts(piecewise(nistK(), t) + typeKExponential(t)); }, joinsOf(nistK())};
    case R::TypeJ: return {piecewiseEmf<nistJ>, joinsOf(nistJ())};
    case R::TypeE: return {piecewiseEmf<nistE>, joinsOf(nistE())};
    case R::TypeT: return {piecewiseEmf<nistT>, joinsOf(nistT())};
    case R::TypeS: return {piecewiseEmf<nistS>, joinsOf(nistS())};
    case R::TypeR: return {piecewiseEmf<nistR>, joinsOf(nistR())};
    case R::TypeN: return {piecewiseEmf<nistN>, joinsOf(nistN())};
    // The spline is published only between its first and last base values.
    case R::TypeL: return {[](double t) { return microvolts(dinTypeL(t)); }, {}, -200.0, 400.0};
    case R::TypeU: return {[](double t) { return microvolts(dinTypeU(t)); }, {}, -200.0, 600.0};
    case R::TypeB: return {piecewiseEmf<nistB>, joinsOf(nistB())};
    case R::TypeW: return {piecewiseEmf<astmW>, joinsOf(astmW())};
    case R::TypeW3: return {piecewiseEmf<omegaW3>, joinsOf(omegaW3())};
    case R::TypeW5:
    case R::TypeC: return {[](double t) { return microvolts(tungstenW5(t)); }, {}};
    case R::Resistance:
    case R::Millivolt: return {identity, {}};
    case R::Potentiometer: return {identity, {}, 0.0, 100.0};
    case R::None: break;
    }
    return {};
}

// How the raw input and the reading of a family follow from the published value and the quantity.
struct Scales {
    std::uint8_t readingUnits;
    double raw;     // raw input units per unit of the published value
    double output;  // reading units per quantity unit
};

Scales scalesOf(InputFamily family)
{
    switch (family) {
    case InputFamily::Copper:
    case InputFamily::Nickel:
    case InputFamily::Platinum: return {UnitsCelsius, 1e6, 100.0};
    case InputFamily::Thermocouple: return {UnitsCelsius, 10.0, 100.0};
    case InputFamily::Resistor: return {UnitsOhm, 1e3, 100.0};
    case InputFamily::Voltage: return {UnitsMillivolt, 1e4, 1000.0};
    case InputFamily::Potentiometer: return {UnitsPercent, 1e4, 100.0};  // 1 % is 10^4 parts per million
    case InputFamily::Unidentified: break;
    }
    return {NoCode, 1.0, 1.0};
}

// The characteristic of an input type's primary table, which every input type naming the same
// file shares: it covers their widest limits within the range where the function is published.
SensorCharacteristic characteristicOf(const InputType& type)
{
    const Published function = published(type.reference);
    const Scales scales = scalesOf(type.family);
    SensorCharacteristic sensor{{}, type.primaryFile, type.secondaryFile, type.family, scales.readingUnits,
                                function.value, scales.raw, function.joins, function.low, function.high, scales.output};
    std::optional<RangeLimit> widest;
    for (const InputType& other : InputTypes) {
        if (sensor.primaryFile != other.primaryFile)
            continue;
        sensor.name += (sensor.name.empty() ? "" : ", ") + std::string(other.name);
        if (scales.readingUnits >= other.limits.size() || !other.limits[scales.readingUnits])
            continue;
        const RangeLimit limit = *other.limits[scales.readingUnits];
        widest = widest ? RangeLimit{std::min(widest->low, limit.low), std::max(widest->high, limit.high)} : limit;
    }
    if (widest) {
        sensor.low = std::max(sensor.low, double(widest->low));
        sensor.high = std::min(sensor.high, double(widest->high));
    }
    return sensor;
}

} // namespace

double RawInput(const SensorCharacteristic& sensor, double quantity)
{
    return sensor.rawScale * sensor.published(quantity);
}

double ThermocoupleEmf(const SensorCharacteristic& thermocouple, double t)
{
    return thermocouple.published(t);
}

std::vector<SensorCharacteristic> SensorCharacteristics()
{
    std::vector<SensorCharacteristic> sensors;
    for (const InputType& type : InputTypes) {
        const auto sameTable = [&type](const SensorCharacteristic& sensor) { return sensor.primaryFile == type.primaryFile; };
        if (type.reference != ReferenceFunction::None && std::none_of(sensors.begin(), sensors.end(), sameTable))
            sensors.push_back(characteristicOf(type));
    }
    return sensors;
}

std::optional<SensorCharacteristic> SensorCharacteristicOf(std::uint8_t inputCode)
{
    const InputType* type = FindInputType(inputCode);
    if (!type || type->reference == ReferenceFunction::None)
        return std::nullopt;
    return characteristicOf(*type);
}
