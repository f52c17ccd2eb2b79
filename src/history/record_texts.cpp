#include "link/screen_text.h"
#include "history/record_texts.h"

namespace doxa {

std::string_view kindText(RecordKind kind) {
    switch (kind) {
        case RecordKind::Identification: return UI_TEXT("Identyfikacja");
        case RecordKind::Programming: return UI_TEXT("Programowanie");
        case RecordKind::CalibrationInput: return UI_TEXT("Kalibracja wejścia");
        case RecordKind::CalibrationOutput: return UI_TEXT("Kalibracja wyjścia");
        case RecordKind::CalibrationCompensation: return UI_TEXT("Kompensacja");
        case RecordKind::Trim: return UI_TEXT("Trim");
        case RecordKind::FactoryData: return UI_TEXT("Dane fabryczne");
        case RecordKind::ForcedOutput: return UI_TEXT("Wymuszenie wyjścia");
        case RecordKind::CalibrationConditions: return UI_TEXT("Procedura kalibracji: warunki");
        case RecordKind::CalibrationPoint: return UI_TEXT("Procedura kalibracji: punkt");
        case RecordKind::CalibrationEnd: return UI_TEXT("Procedura kalibracji: koniec");
    }
    return {};
}

std::string_view outcomeText(RecordOutcome outcome) {
    switch (outcome) {
        case RecordOutcome::Confirmed: return UI_TEXT("potwierdzone");
        case RecordOutcome::NotConfirmed: return UI_TEXT("niepotwierdzone");
        case RecordOutcome::NoAnswer: return UI_TEXT("brak odpowiedzi");
        case RecordOutcome::Refused: return UI_TEXT("odrzucone");
    }
    return {};
}

}  // namespace doxa
