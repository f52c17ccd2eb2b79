#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "calibration/calibration_event.h"
#include "transmitter/device_record.h"
#include "transmitter/sensor_conversion.h"

namespace doxa::calibration {

// What the procedure compares on the input of a transmitter configured as `device`: the
// sensor's standard curve (empty for a resistance, a voltage or a user characteristic), the unit
// the reference is applied in, the unit the transmitter reads in and its configured range.
struct InputSetup {
    std::string sensor;
    std::string appliedUnit;
    std::string readingUnit;
    double rangeLow = 0;
    double rangeHigh = 0;
};
InputSetup inputSetup(const DeviceRecord& device);

// A calibration tests from 2 to 11 points, in percent of the range.
inline constexpr std::size_t MaxTestPoints = 11;
inline constexpr std::string_view DefaultTestPoints = "0; 25; 50; 75; 100";
// The points typed as numbers separated by ';' or blanks, each 0..100, in the order typed; none
// for anything else.
std::optional<std::vector<double>> parseTestPoints(std::string_view text);

// The value to set at the reference for `percent` of the range: in the reading unit on the
// range, then through the sensor's curve into the applied unit. Empty with its reason where the
// curve does not reach.
Conversion nominalInput(const CalibrationConditions& conditions, double percent);
// The output the transmitter is driven to at `percent` of its span.
double nominalOutput(const CalibrationConditions& conditions, double percent);

// Why an instrument may not be used on `today` ("2026-12-08"): its calibration has expired or
// its due date is unknown. Empty when it may be used.
std::string instrumentRefusal(const ReferenceInstrument& instrument, std::string_view today);
// Today's date as instruments' due dates are written.
std::string todayText();

// The largest minus the smallest reading.
double spreadOf(const std::vector<double>& readings);
// A number typed into a field, as the decimal it was typed as (138.51, not 138.509995).
std::optional<double> typedDecimal(std::string_view text);

// One line of the results list: phase, channel, percent, reference, mean and spread, error and
// verdict.
std::string pointLine(const CalibrationPoint& point, const CalibrationConditions& conditions);

}  // namespace doxa::calibration
