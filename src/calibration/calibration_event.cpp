#include "calibration/calibration_event.h"

#include <cmath>
#include <cstdio>
#include <numeric>
#include <random>

#include "calibration/measurement_uncertainty.h"
#include "link/screen_text.h"

namespace doxa {

namespace {

// How an event's records name what they hold.
constexpr std::string_view AsFoundName = "as_found";
constexpr std::string_view AsLeftName = "as_left";
constexpr std::string_view InputName = "input";
constexpr std::string_view OutputName = "output";

// The values of one record, written and read under one naming.
class Values {
public:
    explicit Values(RecordValues& values) : values_(values) {}
    void put(std::string name, double value) { values_.emplace_back(std::move(name), value); }
    void put(std::string name, std::string value) { values_.emplace_back(std::move(name), std::move(value)); }
    void put(std::string name, const std::optional<double>& value) {
        if (value) put(std::move(name), *value);
    }

private:
    RecordValues& values_;
};

std::string indexed(std::string_view prefix, std::size_t index, std::string_view name) {
    return std::string(prefix) + "_" + std::to_string(index + 1) + "_" + std::string(name);
}

void putInstrument(Values& out, std::size_t i, const ReferenceInstrument& instrument) {
    out.put(indexed("instrument", i, "id"), instrument.id);
    out.put(indexed("instrument", i, "name"), instrument.name);
    out.put(indexed("instrument", i, "model"), instrument.model);
    out.put(indexed("instrument", i, "serial"), instrument.serial);
    out.put(indexed("instrument", i, "certificate"), instrument.certificate);
    out.put(indexed("instrument", i, "due"), instrument.due);
    out.put(indexed("instrument", i, "uncertainties"), static_cast<double>(instrument.uncertainties.size()));
    for (std::size_t u = 0; u < instrument.uncertainties.size(); ++u) {
        const InstrumentUncertainty& of = instrument.uncertainties[u];
        const std::string prefix = indexed("instrument", i, "u");
        out.put(indexed(prefix, u, "value"), of.expanded);
        out.put(indexed(prefix, u, "unit"), of.unit);
        out.put(indexed(prefix, u, "k"), of.coverage);
        out.put(indexed(prefix, u, "from"), of.from);
        out.put(indexed(prefix, u, "to"), of.to);
    }
}

ReferenceInstrument instrumentFrom(const RecordValues& in, std::size_t i) {
    const auto text = [&](std::string_view name) { return textValue(in, indexed("instrument", i, name)).value_or(""); };
    ReferenceInstrument instrument{text("id"), text("name"), text("model"), text("serial"), text("certificate"),
                                   text("due"), {}};
    const auto count = numberValue(in, indexed("instrument", i, "uncertainties")).value_or(0);
    const std::string prefix = indexed("instrument", i, "u");
    for (std::size_t u = 0; u < static_cast<std::size_t>(std::max(0.0, count)); ++u) {
        InstrumentUncertainty of;
        of.expanded = numberValue(in, indexed(prefix, u, "value")).value_or(0);
        of.unit = textValue(in, indexed(prefix, u, "unit")).value_or("");
        of.coverage = numberValue(in, indexed(prefix, u, "k")).value_or(2);
        of.from = numberValue(in, indexed(prefix, u, "from"));
        of.to = numberValue(in, indexed(prefix, u, "to"));
        instrument.uncertainties.push_back(std::move(of));
    }
    return instrument;
}

CalibrationConditions conditionsFrom(const RecordValues& in) {
    const auto text = [&](std::string_view name, std::string fallback = {}) {
        return textValue(in, name).value_or(std::move(fallback));
    };
    const auto number = [&](std::string_view name, double fallback) { return numberValue(in, name).value_or(fallback); };
    CalibrationConditions c;
    c.technician = text("technician");
    c.customer = text("customer");
    c.tag = text("tag");
    c.ambientCelsius = numberValue(in, "ambient_c");
    c.humidityPercent = numberValue(in, "humidity_pct");
    c.sensor = text("sensor");
    c.appliedUnit = text("applied_unit");
    c.readingUnit = text("reading_unit");
    c.rangeLow = number("range_low", c.rangeLow);
    c.rangeHigh = number("range_high", c.rangeHigh);
    c.coldJunctionCelsius = number("cold_junction_c", c.coldJunctionCelsius);
    c.coldJunctionUncertainty = number("cold_junction_u", c.coldJunctionUncertainty);
    c.outputLow = number("output_low", c.outputLow);
    c.outputHigh = number("output_high", c.outputHigh);
    c.outputUnit = text("output_unit", c.outputUnit);
    c.inputTolerance = numberValue(in, "input_tolerance");
    c.inputToleranceUnit = text("input_tolerance_unit", c.inputToleranceUnit);
    c.outputTolerance = numberValue(in, "output_tolerance");
    c.readingResolution = number("reading_resolution", c.readingResolution);
    c.meterResolution = number("meter_resolution", c.meterResolution);
    c.intervalMonths = static_cast<int>(number("interval_months", c.intervalMonths));
    c.programVersion = text("program_version");
    const auto count = number("instruments", 0);
    for (std::size_t i = 0; i < static_cast<std::size_t>(std::max(0.0, count)); ++i)
        c.instruments.push_back(instrumentFrom(in, i));
    return c;
}

void putResult(Values& out, const PointResult& result) {
    out.put("error", result.error);
    out.put("error_unit", result.errorUnit);
    out.put("other_error", result.otherError);
    out.put("other_unit", result.otherUnit);
    out.put("uncertainty", result.uncertainty);
    if (result.within) out.put("verdict", std::string(*result.within ? "within" : "outside"));
    if (!result.reason.empty()) out.put("reason", result.reason);
}

PointResult resultFrom(const RecordValues& in) {
    PointResult result;
    result.error = numberValue(in, "error");
    result.errorUnit = textValue(in, "error_unit").value_or("");
    result.otherError = numberValue(in, "other_error");
    result.otherUnit = textValue(in, "other_unit").value_or("");
    result.uncertainty = numberValue(in, "uncertainty");
    if (const auto verdict = textValue(in, "verdict")) result.within = *verdict == "within";
    result.reason = textValue(in, "reason").value_or("");
    return result;
}

std::optional<CalibrationPoint> pointFrom(const ServiceRecord& record) {
    const auto phase = textValue(record.reference, "phase");
    const auto channel = textValue(record.reference, "channel");
    const auto applied = numberValue(record.reference, "applied");
    if (!phase || !channel || !applied) return std::nullopt;
    if ((*phase != AsFoundName && *phase != AsLeftName) || (*channel != InputName && *channel != OutputName))
        return std::nullopt;
    CalibrationPoint point;
    point.phase = *phase == AsFoundName ? CalibrationPhase::AsFound : CalibrationPhase::AsLeft;
    point.channel = *channel == InputName ? CalibrationChannel::Input : CalibrationChannel::Output;
    point.percent = numberValue(record.reference, "percent").value_or(0);
    point.applied = *applied;
    const RecordValues& readings = point.phase == CalibrationPhase::AsFound ? record.asFound : record.asLeft;
    for (std::size_t i = 0;; ++i) {
        const auto reading = numberValue(readings, "reading_" + std::to_string(i + 1));
        if (!reading) break;
        point.readings.push_back(*reading);
    }
    point.result = resultFrom(record.reference);
    return point;
}

// The unit of the sensor's terminals that is not °C: the applied or the reading unit.
std::string signalUnitOf(const CalibrationConditions& c) {
    return c.appliedUnit != Celsius ? c.appliedUnit : c.readingUnit;
}

PointResult judgeInput(const CalibrationConditions& c, double mean, double applied) {
    PointResult result;
    const std::string signal = signalUnitOf(c);
    result.errorUnit = c.inputToleranceUnit;
    result.otherUnit = result.errorUnit == Celsius ? signal : std::string(Celsius);
    const auto errorIn = [&](const std::string& unit, std::string& reason) -> std::optional<double> {
        const auto read = valueInUnit(mean, c.readingUnit, unit, c, reason);
        const auto reference = valueInUnit(applied, c.appliedUnit, unit, c, reason);
        if (!read || !reference) return std::nullopt;
        return *read - *reference;
    };
    result.error = errorIn(result.errorUnit, result.reason);
    std::string otherReason;
    if (result.otherUnit != result.errorUnit) result.otherError = errorIn(result.otherUnit, otherReason);
    if (!result.otherError) result.otherUnit.clear();
    if (result.error && c.inputTolerance) result.within = withinTolerance(*result.error, *c.inputTolerance);
    return result;
}

// An output point's error, and beside it what that error means on the input's range.
PointResult judgeOutput(const CalibrationConditions& c, double mean, double driven) {
    PointResult result;
    result.errorUnit = c.outputUnit;
    result.error = mean - driven;
    const double span = c.outputHigh - c.outputLow;
    if (span != 0) {
        result.otherError = *result.error / span * (c.rangeHigh - c.rangeLow);
        result.otherUnit = c.readingUnit;
    }
    if (c.outputTolerance) result.within = withinTolerance(*result.error, *c.outputTolerance);
    return result;
}

double thousandths(double value) { return std::round(value * 1000) / 1000; }

}  // namespace

std::string newCalibrationEventId() {
    std::random_device source;
    std::string id;
    for (int i = 0; i < 4; ++i) {
        char part[9];
        std::snprintf(part, sizeof part, "%08x", static_cast<unsigned>(source()));
        id += part;
    }
    return id;
}

ServiceRecord conditionsRecord(ServiceRecord base, const CalibrationConditions& c) {
    base.kind = RecordKind::CalibrationConditions;
    base.outcome = RecordOutcome::Confirmed;
    Values out(base.reference);
    out.put("technician", c.technician);
    out.put("customer", c.customer);
    out.put("tag", c.tag);
    out.put("ambient_c", c.ambientCelsius);
    out.put("humidity_pct", c.humidityPercent);
    out.put("sensor", c.sensor);
    out.put("applied_unit", c.appliedUnit);
    out.put("reading_unit", c.readingUnit);
    out.put("range_low", c.rangeLow);
    out.put("range_high", c.rangeHigh);
    out.put("cold_junction_c", c.coldJunctionCelsius);
    out.put("cold_junction_u", c.coldJunctionUncertainty);
    out.put("output_low", c.outputLow);
    out.put("output_high", c.outputHigh);
    out.put("output_unit", c.outputUnit);
    out.put("input_tolerance", c.inputTolerance);
    out.put("input_tolerance_unit", c.inputToleranceUnit);
    out.put("output_tolerance", c.outputTolerance);
    out.put("reading_resolution", c.readingResolution);
    out.put("meter_resolution", c.meterResolution);
    out.put("interval_months", static_cast<double>(c.intervalMonths));
    out.put("program_version", c.programVersion);
    out.put("instruments", static_cast<double>(c.instruments.size()));
    for (std::size_t i = 0; i < c.instruments.size(); ++i) putInstrument(out, i, c.instruments[i]);
    return base;
}

ServiceRecord pointRecord(ServiceRecord base, const CalibrationPoint& point) {
    base.kind = RecordKind::CalibrationPoint;
    base.outcome = RecordOutcome::Confirmed;
    Values reference(base.reference);
    reference.put("phase", std::string(point.phase == CalibrationPhase::AsFound ? AsFoundName : AsLeftName));
    reference.put("channel", std::string(point.channel == CalibrationChannel::Input ? InputName : OutputName));
    reference.put("percent", point.percent);
    reference.put("applied", point.applied);
    putResult(reference, point.result);
    Values readings(point.phase == CalibrationPhase::AsFound ? base.asFound : base.asLeft);
    for (std::size_t i = 0; i < point.readings.size(); ++i)
        readings.put("reading_" + std::to_string(i + 1), point.readings[i]);
    return base;
}

ServiceRecord endRecord(ServiceRecord base, const CalibrationEnd& end) {
    base.kind = RecordKind::CalibrationEnd;
    base.outcome = end.finished ? RecordOutcome::Confirmed : RecordOutcome::NotConfirmed;
    Values out(base.asLeft);
    out.put("end", std::string(end.finished ? "finished" : "interrupted"));
    out.put("adjusted", std::string(end.adjusted ? "yes" : "no"));
    if (!end.reason.empty()) out.put("reason", end.reason);
    return base;
}

bool addToEvent(CalibrationEvent& event, const ServiceRecord& record) {
    if (record.event.empty() || (!event.id.empty() && record.event != event.id)) return false;
    switch (record.kind) {
        case RecordKind::CalibrationConditions: event.conditions = conditionsFrom(record.reference); break;
        case RecordKind::CalibrationPoint: {
            auto point = pointFrom(record);
            if (!point) return false;
            event.points.push_back(std::move(*point));
            break;
        }
        case RecordKind::CalibrationEnd:
            event.end = CalibrationEnd{textValue(record.asLeft, "end") == "finished" &&
                                           record.outcome == RecordOutcome::Confirmed,
                                       textValue(record.asLeft, "adjusted") == "yes",
                                       textValue(record.asLeft, "reason").value_or("")};
            break;
        case RecordKind::CalibrationInput:
        case RecordKind::CalibrationOutput:
        case RecordKind::CalibrationCompensation:
        case RecordKind::Trim: event.adjustments.push_back(record); break;
        default: return false;
    }
    event.id = record.event;
    return true;
}

std::optional<double> meanOf(const std::vector<double>& readings) {
    if (readings.empty()) return std::nullopt;
    return std::accumulate(readings.begin(), readings.end(), 0.0) / static_cast<double>(readings.size());
}

std::string_view phaseText(CalibrationPhase phase) {
    return phase == CalibrationPhase::AsFound ? UI_TEXT("Stan zastany") : UI_TEXT("Stan pozostawiony");
}

bool withinTolerance(double error, double tolerance) {
    return std::fabs(thousandths(error)) <= thousandths(std::fabs(tolerance));
}

PointResult judgePoint(const CalibrationConditions& conditions, const CalibrationPoint& point) {
    const auto mean = meanOf(point.readings);
    if (!mean) {
        PointResult none;
        none.reason = UI_TEXT("brak odczytów");
        return none;
    }
    PointResult result = point.channel == CalibrationChannel::Input ? judgeInput(conditions, *mean, point.applied)
                                                                    : judgeOutput(conditions, *mean, point.applied);
    if (result.error) {
        if (const auto budget = uncertaintyBudget(conditions, point, result.errorUnit))
            result.uncertainty = budget->expanded();
    }
    return result;
}

}  // namespace doxa
