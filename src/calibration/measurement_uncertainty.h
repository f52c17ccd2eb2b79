#pragma once

#include <optional>
#include <string>

#include "calibration/calibration_event.h"

namespace doxa {

// The standard uncertainties (k = 1) a point's result combines, each already in the unit the
// point is compared in.
struct UncertaintyBudget {
    double reference = 0;     // the reference's or the meter's certificate, U / k
    double readings = 0;      // s / sqrt(n) of the readings
    double resolution = 0;    // half a digit, rectangular: res / 2 / sqrt(3)
    double coldJunction = 0;  // a thermocouple's cold junction
    double combined() const;  // in quadrature
    double expanded() const { return 2 * combined(); }
};

// The value in `to` of a value in `from`, through the sensor's curve where the units differ;
// none, with `reason` said, when the curve does not reach it or there is no curve.
std::optional<double> valueInUnit(double value, const std::string& from, const std::string& to,
                                  const CalibrationConditions& conditions, std::string& reason);

// The budget of a point judged in `unit`; none when an instrument's uncertainty for the point's
// unit and value is not known, or a contribution cannot be taken to `unit`.
std::optional<UncertaintyBudget> uncertaintyBudget(const CalibrationConditions& conditions,
                                                   const CalibrationPoint& point, const std::string& unit);

}  // namespace doxa
