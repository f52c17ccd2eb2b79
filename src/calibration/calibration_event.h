#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "transmitter/reference_instrument.h"
#include "transmitter/service_record.h"

namespace doxa {

// One run of the calibration procedure as the history keeps it: its conditions, each test point
// as found and as left, and how it ended. Everything a certificate prints is kept with the
// event, so a reprint never depends on what the settings or the register say later.

enum class CalibrationPhase { AsFound, AsLeft };
enum class CalibrationChannel { Input, Output };

inline constexpr std::string_view Celsius = "°C";

struct CalibrationConditions {
    std::string technician;  // full name
    std::string customer;    // customer or plant
    std::string tag;
    std::optional<double> ambientCelsius;
    std::optional<double> humidityPercent;
    std::vector<ReferenceInstrument> instruments;
    // The input: the sensor's standard curve ("pt100-385", "k", ...; empty when the input follows
    // none), the unit the reference is applied in ("Ohm", "mV", "°C"), the unit the transmitter
    // reads in, and the configured range in that unit.
    std::string sensor;
    std::string appliedUnit;
    std::string readingUnit;
    double rangeLow = 0;
    double rangeHigh = 100;
    // A thermocouple's cold junction: its temperature and that temperature's standard
    // uncertainty, °C.
    double coldJunctionCelsius = 0;
    double coldJunctionUncertainty = 0;
    // The output's span and unit.
    double outputLow = 4;
    double outputHigh = 20;
    std::string outputUnit = "mA";
    // What the points are judged against: the input's tolerance in its own unit ("°C" or the
    // applied unit), the output's in the output's unit. None judges nothing.
    std::optional<double> inputTolerance;
    std::string inputToleranceUnit = std::string(Celsius);
    std::optional<double> outputTolerance;
    // The smallest step of the transmitter's reading and of the meter that reads the output.
    double readingResolution = 0.01;
    double meterResolution = 0.001;
    int intervalMonths = 12;
    std::string programVersion;
};

// A point's error in the unit its tolerance is given in, with the other unit beside it.
struct PointResult {
    std::optional<double> error;
    std::string errorUnit;
    std::optional<double> otherError;
    std::string otherUnit;
    // The expanded uncertainty (k = 2) of the result, in errorUnit.
    std::optional<double> uncertainty;
    // None when there is no tolerance or no error.
    std::optional<bool> within;
    // Why there is no error (a value outside the sensor curve's range, no readings).
    std::string reason;
};

struct CalibrationPoint {
    CalibrationPhase phase = CalibrationPhase::AsFound;
    CalibrationChannel channel = CalibrationChannel::Input;
    double percent = 0;  // of the range
    // Input: the value actually applied at the reference, as typed (appliedUnit). Output: the
    // value the output was driven to (outputUnit).
    double applied = 0;
    // Input: the transmitter's readings (readingUnit). Output: the meter's reading (outputUnit).
    std::vector<double> readings;
    // As judged when it was measured.
    PointResult result;
};

struct CalibrationEnd {
    bool finished = false;  // false: interrupted
    bool adjusted = false;
    std::string reason;  // why it was interrupted
};

struct CalibrationEvent {
    std::string id;
    std::optional<CalibrationConditions> conditions;
    std::vector<CalibrationPoint> points;
    // The documented calibration steps made during the event, as their records.
    std::vector<ServiceRecord> adjustments;
    // None: the run never ended (interrupted without a word, the program stopped).
    std::optional<CalibrationEnd> end;
    bool interrupted() const { return !end || !end->finished; }
};

// A new event's id: 32 hexadecimal digits from the system's random source.
std::string newCalibrationEventId();

// The records of an event, made of `base` (the transmitter and its line, the event's id): the
// conditions, one point, the end.
ServiceRecord conditionsRecord(ServiceRecord base, const CalibrationConditions& conditions);
ServiceRecord pointRecord(ServiceRecord base, const CalibrationPoint& point);
ServiceRecord endRecord(ServiceRecord base, const CalibrationEnd& end);

// Adds a record of the event to what is known of it; a record of another event, or one that is
// not the procedure's, changes nothing and gives false.
bool addToEvent(CalibrationEvent& event, const ServiceRecord& record);

// "Stan zastany" or "Stan pozostawiony", as the technician reads the phase.
std::string_view phaseText(CalibrationPhase phase);

// The mean of the readings.
std::optional<double> meanOf(const std::vector<double>& readings);
// Simple acceptance: the error is within the tolerance when |error| <= tolerance, both taken to
// the thousandths the values are shown with.
bool withinTolerance(double error, double tolerance);
// The point's error, in the tolerance's unit, and its verdict.
PointResult judgePoint(const CalibrationConditions& conditions, const CalibrationPoint& point);

}  // namespace doxa
