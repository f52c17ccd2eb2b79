#include "transmitter/service_record.h"

namespace doxa {

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
