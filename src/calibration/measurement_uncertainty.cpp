#include "calibration/measurement_uncertainty.h"

#include <cmath>

#include "link/screen_text.h"
#include "transmitter/sensor_conversion.h"

namespace doxa {

namespace {

// The change of the value in `to` per unit of `from` at `at`, by a central difference; a step
// of a ten-thousandth keeps the curves' curvature out of the result.
std::optional<double> sensitivity(double at, const std::string& from, const std::string& to,
                                  const CalibrationConditions& c) {
    if (from == to) return 1.0;
    const double step = 1e-4 * std::max(1.0, std::fabs(at));
    std::string reason;
    const auto above = valueInUnit(at + step, from, to, c, reason);
    const auto below = valueInUnit(at - step, from, to, c, reason);
    if (!above || !below) return std::nullopt;
    return (*above - *below) / (2 * step);
}

bool covers(const InstrumentUncertainty& u, double value) {
    return (!u.from || value >= *u.from) && (!u.to || value <= *u.to);
}

// The standard uncertainty of the instruments' first entry in `unit` whose range holds `value`.
std::optional<double> instrumentUncertainty(const CalibrationConditions& c, const std::string& unit, double value) {
    for (const ReferenceInstrument& instrument : c.instruments)
        for (const InstrumentUncertainty& u : instrument.uncertainties)
            if (u.unit == unit && covers(u, value) && u.coverage > 0) return std::fabs(u.expanded) / u.coverage;
    return std::nullopt;
}

double standardDeviationOfMean(const std::vector<double>& readings) {
    const std::size_t n = readings.size();
    if (n < 2) return 0;
    const double mean = *meanOf(readings);
    double squares = 0;
    for (double r : readings) squares += (r - mean) * (r - mean);
    return std::sqrt(squares / static_cast<double>(n - 1)) / std::sqrt(static_cast<double>(n));
}

double halfDigit(double resolution) { return std::fabs(resolution) / 2 / std::sqrt(3.0); }

bool isThermocouple(const CalibrationConditions& c) {
    const SensorCurveInfo* curve = findSensorCurve(c.sensor);
    return curve && curve->signal == SensorSignal::Millivolt;
}

// The cold junction's uncertainty counts where the transmitter compensates it: its reading and
// the reference are in different units. In mV it weighs with the curve's slope at the junction.
std::optional<double> coldJunctionTerm(const CalibrationConditions& c, const std::string& unit) {
    if (!isThermocouple(c) || c.readingUnit == c.appliedUnit) return 0.0;
    if (unit == Celsius) return c.coldJunctionUncertainty;
    const auto slope = sensitivity(c.coldJunctionCelsius, std::string(Celsius), unit, c);
    if (!slope) return std::nullopt;
    return c.coldJunctionUncertainty * std::fabs(*slope);
}

std::optional<UncertaintyBudget> inputBudget(const CalibrationConditions& c, const CalibrationPoint& point,
                                             double mean, const std::string& unit) {
    const auto reference = instrumentUncertainty(c, c.appliedUnit, point.applied);
    const auto referenceSlope = sensitivity(point.applied, c.appliedUnit, unit, c);
    const auto readingSlope = sensitivity(mean, c.readingUnit, unit, c);
    const auto coldJunction = coldJunctionTerm(c, unit);
    if (!reference || !referenceSlope || !readingSlope || !coldJunction) return std::nullopt;
    UncertaintyBudget budget;
    budget.reference = *reference * std::fabs(*referenceSlope);
    budget.readings = standardDeviationOfMean(point.readings) * std::fabs(*readingSlope);
    budget.resolution = halfDigit(c.readingResolution) * std::fabs(*readingSlope);
    budget.coldJunction = *coldJunction;
    return budget;
}

// An output point is read by the meter in the output's own unit.
std::optional<UncertaintyBudget> outputBudget(const CalibrationConditions& c, const CalibrationPoint& point,
                                              double mean) {
    const auto meter = instrumentUncertainty(c, c.outputUnit, mean);
    if (!meter) return std::nullopt;
    UncertaintyBudget budget;
    budget.reference = *meter;
    budget.readings = standardDeviationOfMean(point.readings);
    budget.resolution = halfDigit(c.meterResolution);
    return budget;
}

}  // namespace

double UncertaintyBudget::combined() const {
    return std::sqrt(reference * reference + readings * readings + resolution * resolution +
                     coldJunction * coldJunction);
}

std::optional<double> valueInUnit(double value, const std::string& from, const std::string& to,
                                  const CalibrationConditions& c, std::string& reason) {
    if (from == to) return value;
    const SensorCurveInfo* curve = findSensorCurve(c.sensor);
    if (!curve) {
        reason = formatText(UI_TEXT("brak charakterystyki czujnika do przeliczenia %1 na %2"), {from, to});
        return std::nullopt;
    }
    const Conversion converted = from == Celsius ? signalAt(*curve, value, c.coldJunctionCelsius)
                                                 : celsiusAt(*curve, value, c.coldJunctionCelsius);
    if (!converted.value) reason = converted.reason;
    return converted.value;
}

std::optional<UncertaintyBudget> uncertaintyBudget(const CalibrationConditions& c, const CalibrationPoint& point,
                                                   const std::string& unit) {
    const auto mean = meanOf(point.readings);
    if (!mean) return std::nullopt;
    if (point.channel == CalibrationChannel::Output) {
        if (unit != c.outputUnit) return std::nullopt;
        return outputBudget(c, point, *mean);
    }
    return inputBudget(c, point, *mean, unit);
}

}  // namespace doxa
