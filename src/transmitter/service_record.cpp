#include "transmitter/service_record.h"

#include <algorithm>

namespace doxa {

namespace {

const RecordValue* find(const RecordValues& values, std::string_view name) {
    const auto it = std::ranges::find_if(values, [name](const auto& v) { return v.first == name; });
    return it == values.end() ? nullptr : &it->second;
}

}  // namespace

std::optional<double> numberValue(const RecordValues& values, std::string_view name) {
    const RecordValue* value = find(values, name);
    if (!value || !std::holds_alternative<double>(*value)) return std::nullopt;
    return std::get<double>(*value);
}

std::optional<std::string> textValue(const RecordValues& values, std::string_view name) {
    const RecordValue* value = find(values, name);
    if (!value || !std::holds_alternative<std::string>(*value)) return std::nullopt;
    return std::get<std::string>(*value);
}

std::string_view kindName(RecordKind kind) {
    switch (kind) {
        case RecordKind::Identification: return "identification";
        case RecordKind::Programming: return "programming";
        case RecordKind::CalibrationInput: return "calibration_input";
        case RecordKind::CalibrationOutput: return "calibration_output";
        case RecordKind::CalibrationCompensation: return "calibration_compensation";
        case RecordKind::Trim: return "trim";
        case RecordKind::FactoryData: return "factory_data";
        case RecordKind::ForcedOutput: return "forced_output";
        case RecordKind::CalibrationConditions: return "calibration_conditions";
        case RecordKind::CalibrationPoint: return "calibration_point";
        case RecordKind::CalibrationEnd: return "calibration_end";
    }
    return {};
}

std::string_view outcomeName(RecordOutcome outcome) {
    switch (outcome) {
        case RecordOutcome::Confirmed: return "confirmed";
        case RecordOutcome::NotConfirmed: return "not_confirmed";
        case RecordOutcome::NoAnswer: return "no_answer";
        case RecordOutcome::Refused: return "refused";
    }
    return {};
}

}  // namespace doxa
