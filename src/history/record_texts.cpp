#include "history/record_texts.h"

namespace doxa {

std::string_view kindText(RecordKind kind) {
    switch (kind) {
        case RecordKind::Identification: return "Identyfikacja";
        case RecordKind::Programming: return "Programowanie";
        case RecordKind::CalibrationInput: return "Kalibracja wejścia";
        case RecordKind::CalibrationOutput: return "Kalibracja wyjścia";
        case RecordKind::CalibrationCompensation: return "Kompensacja";
        case RecordKind::Trim: return "Trim";
        case RecordKind::FactoryData: return "Dane fabryczne";
        case RecordKind::ForcedOutput: return "Wymuszenie wyjścia";
        case RecordKind::CalibrationConditions: return "Procedura kalibracji: warunki";
        case RecordKind::CalibrationPoint: return "Procedura kalibracji: punkt";
        case RecordKind::CalibrationEnd: return "Procedura kalibracji: koniec";
    }
    return {};
}

std::string_view outcomeText(RecordOutcome outcome) {
    switch (outcome) {
        case RecordOutcome::Confirmed: return "potwierdzone";
        case RecordOutcome::NotConfirmed: return "niepotwierdzone";
        case RecordOutcome::NoAnswer: return "brak odpowiedzi";
        case RecordOutcome::Refused: return "odrzucone";
    }
    return {};
}

}  // namespace doxa
