#include "transmitter/sensor_conversion.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <initializer_list>

#include "link/screen_text.h"

namespace doxa {

namespace {

// Σ c[i]·tⁱ, by Horner.
double polynomial(std::initializer_list<double> c, double t) {
    double sum = 0.0;
    for (auto it = std::rbegin(c); it != std::rend(c); ++it) sum = sum * t + *it;
    return sum;
}

// --- Resistance thermometers: R(t) in Ohm ------------------------------------------------------

// Callendar–Van Dusen; C only below 0 °C.
struct PlatinumCoefficients {
    double a, b, c;
};
constexpr PlatinumCoefficients Platinum385{3.9083e-3, -5.775e-7, -4.183e-12};
constexpr PlatinumCoefficients Platinum391{3.9690e-3, -5.841e-7, -4.330e-12};

double platinumRatio(const PlatinumCoefficients& k, double t) {
    const double ratio = 1.0 + k.a * t + k.b * t * t;
    return t < 0.0 ? ratio + k.c * (t - 100.0) * t * t * t : ratio;
}

// Above 0 °C the equation is a quadratic and is solved as one.
std::optional<double> platinumClosedForm(const PlatinumCoefficients& k, double ratio) {
    if (ratio < 1.0) return std::nullopt;
    return (-k.a + std::sqrt(k.a * k.a - 4.0 * k.b * (1.0 - ratio))) / (2.0 * k.b);
}

double pt100x385(double t) { return 100.0 * platinumRatio(Platinum385, t); }
double pt100x391(double t) { return 100.0 * platinumRatio(Platinum391, t); }
std::optional<double> pt100x385Above0(double ohm) { return platinumClosedForm(Platinum385, ohm / 100.0); }
std::optional<double> pt100x391Above0(double ohm) { return platinumClosedForm(Platinum391, ohm / 100.0); }

double nickel617Ratio(double t) {
    constexpr double A = 5.4963e-3, B = 6.7556e-6, C = 9.2004e-9;
    const double ratio = 1.0 + A * t + B * t * t;
    return t < 100.0 ? ratio : ratio + C * (t - 100.0) * t * t;
}

double nickel618Ratio(double t) {
    constexpr double A = 5.485e-3, B = 6.650e-6, D = 2.805e-11, F = -2.000e-17;
    const double t2 = t * t;
    const double t4 = t2 * t2;
    return 1.0 + A * t + B * t2 + D * t4 + F * t4 * t2;
}

double copper426Ratio(double t) { return 1.0 + 4.26e-3 * t; }

double copper428Ratio(double t) {
    constexpr double A = 4.28e-3, B = -6.2032e-7, C = 8.5154e-10;
    return t < 0.0 ? 1.0 + A * t + B * t * (t + 6.7) + C * t * t * t : 1.0 + A * t;
}

double ni100x617(double t) { return 100.0 * nickel617Ratio(t); }
double ni100x618(double t) { return 100.0 * nickel618Ratio(t); }
double cu100x426(double t) { return 100.0 * copper426Ratio(t); }
double cu100x428(double t) { return 100.0 * copper428Ratio(t); }
double cu50x426(double t) { return 50.0 * copper426Ratio(t); }
double cu50x428(double t) { return 50.0 * copper428Ratio(t); }

// --- Thermocouples: the ITS-90 reference functions, E(t) in mV against 0 °C -------------------

double typeK(double t) {
    if (t < 0.0)
        return polynomial({0.0, 3.9450128025e-2, 2.3622373598e-5, -3.2858906784e-7, -4.9904828777e-9,
                           -6.7509059173e-11, -5.7410327428e-13, -3.1088872894e-15, -1.0451609365e-17,
                           -1.9889266878e-20, -1.6322697486e-23},
                          t);
    const double magnetic = 1.185976e-1 * std::exp(-1.183432e-4 * (t - 126.9686) * (t - 126.9686));
    return polynomial({-1.7600413686e-2, 3.8921204975e-2, 1.8558770032e-5, -9.9457592874e-8, 3.1840945719e-10,
                       -5.6072844889e-13, 5.6075059059e-16, -3.2020720003e-19, 9.7151147152e-23,
                       -1.2104721275e-26},
                      t) +
           magnetic;
}

double typeJ(double t) {
    if (t < 760.0)
        return polynomial({0.0, 5.0381187815e-2, 3.0475836930e-5, -8.5681065720e-8, 1.3228195295e-10,
                           -1.7052958337e-13, 2.0948090697e-16, -1.2538395336e-19, 1.5631725697e-23},
                          t);
    return polynomial({2.9645625681e2, -1.4976127786, 3.1787103924e-3, -3.1847686701e-6, 1.5720819004e-9,
                       -3.0691369056e-13},
                      t);
}

double typeS(double t) {
    if (t < 1064.18)
        return polynomial({0.0, 5.40313308631e-3, 1.25934289740e-5, -2.32477968689e-8, 3.22028823036e-11,
                           -3.31465196389e-14, 2.55744251786e-17, -1.25068871393e-20, 2.71443176145e-24},
                          t);
    if (t < 1664.5)
        return polynomial({1.32900444085, 3.34509311344e-3, 6.54805192818e-6, -1.64856259209e-9,
                           1.29989605174e-14},
                          t);
    return polynomial({1.46628232636e2, -2.58430516752e-1, 1.63693574641e-4, -3.30439046987e-8,
                       -9.43223690612e-15},
                      t);
}

double typeB(double t) {
    if (t < 630.615)
        return polynomial({0.0, -2.4650818346e-4, 5.9040421171e-6, -1.3257931636e-9, 1.5668291901e-12,
                           -1.6944529240e-15, 6.2990347094e-19},
                          t);
    return polynomial({-3.8938168621, 2.8571747470e-2, -8.4885104785e-5, 1.5785280164e-7, -1.6835344864e-10,
                       1.1109794013e-13, -4.4515431033e-17, 9.8975640821e-21, -9.3791330289e-25},
                      t);
}

double typeN(double t) {
    if (t < 0.0)
        return polynomial({0.0, 2.6159105962e-2, 1.0957484228e-5, -9.3841111554e-8, -4.6412039759e-11,
                           -2.6303357716e-12, -2.2653438003e-14, -7.6089300791e-17, -9.3419667835e-20},
                          t);
    return polynomial({0.0, 2.5929394601e-2, 1.5710141880e-5, 4.3825627237e-8, -2.5261169794e-10,
                       6.4311819339e-13, -1.0063471519e-15, 9.9745338992e-19, -6.0863245607e-22,
                       2.0849229339e-25, -3.0682196151e-29},
                      t);
}

double typeT(double t) {
    if (t < 0.0)
        return polynomial({0.0, 3.8748106364e-2, 4.4194434347e-5, 1.1844323105e-7, 2.0032973554e-8,
                           9.0138019559e-10, 2.2651156593e-11, 3.6071154205e-13, 3.8493939883e-15,
                           2.8213521925e-17, 1.4251594779e-19, 4.8768662286e-22, 1.0795539270e-24,
                           1.3945027062e-27, 7.9795153927e-31},
                          t);
    return polynomial({0.0, 3.8748106364e-2, 3.3292227880e-5, 2.0618243404e-7, -2.1882256846e-9,
                       1.0996880928e-11, -3.0815758772e-14, 4.5479135290e-17, -2.7512901673e-20},
                      t);
}

struct Curve {
    SensorCurveInfo info;
    double (*signalAt)(double celsius);
    // Where the standard gives the inverse in closed form (a platinum sensor above 0 °C).
    std::optional<double> (*closedInverse)(double signal);
};

constexpr SensorSignal Ohm = SensorSignal::Ohm;
constexpr SensorSignal Millivolt = SensorSignal::Millivolt;

constexpr std::array<Curve, 14> Curves{{
    {{"pt100-385", Ohm, -200.0, 850.0, -200.0}, pt100x385, pt100x385Above0},
    {{"pt100-391", Ohm, -200.0, 850.0, -200.0}, pt100x391, pt100x391Above0},
    {{"ni100-617", Ohm, -60.0, 180.0, -60.0}, ni100x617, nullptr},
    {{"ni100-618", Ohm, -60.0, 250.0, -60.0}, ni100x618, nullptr},
    {{"cu100-426", Ohm, -50.0, 200.0, -50.0}, cu100x426, nullptr},
    {{"cu100-428", Ohm, -180.0, 200.0, -180.0}, cu100x428, nullptr},
    {{"cu50-426", Ohm, -50.0, 200.0, -50.0}, cu50x426, nullptr},
    {{"cu50-428", Ohm, -180.0, 200.0, -180.0}, cu50x428, nullptr},
    {{"k", Millivolt, -270.0, 1372.0, -270.0}, typeK, nullptr},
    {{"j", Millivolt, -210.0, 1200.0, -210.0}, typeJ, nullptr},
    {{"s", Millivolt, -50.0, 1768.1, -50.0}, typeS, nullptr},
    // Below about 42 °C type B gives nearly no voltage, and two temperatures the same.
    {{"b", Millivolt, 0.0, 1820.0, 250.0}, typeB, nullptr},
    {{"n", Millivolt, -270.0, 1300.0, -270.0}, typeN, nullptr},
    {{"t", Millivolt, -270.0, 400.0, -270.0}, typeT, nullptr},
}};

const Curve& curveOf(const SensorCurveInfo& info) {
    return *std::find_if(Curves.begin(), Curves.end(), [&](const Curve& c) { return c.info.id == info.id; });
}

std::string number(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.6g", value);
    return text;
}

std::string_view unitOf(const SensorCurveInfo& curve) { return curve.signal == Ohm ? "Ohm" : "mV"; }

bool within(double value, double low, double high) { return value >= low && value <= high; }

// A value the tables print at a range's end may lie past it by the rounding of their last digit.
double printedRounding(const SensorCurveInfo& curve) { return curve.signal == Ohm ? 0.005 : 0.0005; }

Conversion refused(std::string reason) { return {std::nullopt, std::move(reason)}; }

// The curve rises over its whole valid range, so halving the interval always closes in.
double solveRising(double (*f)(double), double target, double low, double high) {
    for (int i = 0; i < 100 && high - low > 1e-10; ++i) {
        const double middle = 0.5 * (low + high);
        (f(middle) < target ? low : high) = middle;
    }
    return 0.5 * (low + high);
}

std::optional<std::string> coldJunctionProblem(const SensorCurveInfo& curve, double coldJunction) {
    if (curve.signal == Ohm || within(coldJunction, curve.lowCelsius, curve.highCelsius)) return std::nullopt;
    return formatText(UI_TEXT("zimne końce w %1 °C są poza zakresem ważności %2: %3..%4 °C"),
                      {number(coldJunction), curve.id, number(curve.lowCelsius), number(curve.highCelsius)});
}

double coldJunctionSignal(const Curve& curve, double coldJunction) {
    return curve.info.signal == Ohm ? 0.0 : curve.signalAt(coldJunction);
}

}  // namespace

std::span<const SensorCurveInfo> sensorCurves() {
    static const auto infos = [] {
        std::array<SensorCurveInfo, Curves.size()> result{};
        std::transform(Curves.begin(), Curves.end(), result.begin(), [](const Curve& c) { return c.info; });
        return result;
    }();
    return infos;
}

const SensorCurveInfo* findSensorCurve(std::string_view id) {
    const auto curves = sensorCurves();
    const auto it = std::find_if(curves.begin(), curves.end(), [id](const SensorCurveInfo& c) { return c.id == id; });
    return it == curves.end() ? nullptr : &*it;
}

Conversion signalAt(const SensorCurveInfo& info, double celsius, double coldJunction) {
    if (const auto problem = coldJunctionProblem(info, coldJunction)) return refused(*problem);
    if (!within(celsius, info.lowCelsius, info.highCelsius))
        return refused(formatText(UI_TEXT("%1 °C jest poza zakresem ważności %2: %3..%4 °C"),
                                  {number(celsius), info.id, number(info.lowCelsius), number(info.highCelsius)}));
    const Curve& curve = curveOf(info);
    return {curve.signalAt(celsius) - coldJunctionSignal(curve, coldJunction), {}};
}

Conversion celsiusAt(const SensorCurveInfo& info, double signal, double coldJunction) {
    if (const auto problem = coldJunctionProblem(info, coldJunction)) return refused(*problem);
    const Curve& curve = curveOf(info);
    const double offset = coldJunctionSignal(curve, coldJunction);
    const double low = curve.signalAt(info.lowestReadCelsius) - offset;
    const double high = curve.signalAt(info.highCelsius) - offset;
    const double slack = printedRounding(info);
    if (!within(signal, low - slack, high + slack))
        return refused(formatText(UI_TEXT("%1 %2 jest poza zakresem ważności %3: %4..%5 %2 (%6..%7 °C)"),
                                  {number(signal), unitOf(info), info.id, number(low), number(high),
                                   number(info.lowestReadCelsius), number(info.highCelsius)}));
    const double target = std::clamp(signal, low, high);
    if (curve.closedInverse) {
        if (const auto celsius = curve.closedInverse(target)) return {*celsius, {}};
    }
    return {solveRising(curve.signalAt, target + offset, info.lowestReadCelsius, info.highCelsius), {}};
}

}  // namespace doxa
