#pragma once

#include <cstdint>
#include <string_view>

#include "link/screen_text.h"

namespace doxa {

class Station;
class DialogWindow;

// The identification both programming dialogs run over HART before they let "Wyślij" work:
// command 0 on its own timer, at most five requests, each answer judged by its length.

inline constexpr int IdentifyTimer = 2;
// The attempt count that marks a dialog as ready to send.
inline constexpr int Ready = 255;
inline constexpr int IdentifyAttempts = 5;

inline constexpr std::string_view RecognizingText = UI_TEXT("Rozpoznawanie przetwornika");
inline constexpr std::string_view RecognitionNotice = UI_TEXT("Nastąpi rozpoznanie przetwornika");
inline constexpr std::string_view RecognizedText = UI_TEXT("Przetwornik rozpoznany");
inline constexpr std::string_view IncompatibleText =
    UI_TEXT("Przetwornik niezgodny. Uruchom ponownie 'Programowanie'");

enum class IdentifyOutcome {
    Waiting,   // the exchange goes on
    Answered,  // an identification answer lies in the frame buffer; timer 2 is stopped
    GaveUp,    // the last attempt went unanswered; timer 2 is stopped
};

// One tick of timer 2. `attempts` counts the requests sent; line errors and "Brak odpowiedzi"
// go to the field `replyText`.
IdentifyOutcome identifyStep(Station& station, DialogWindow& window, int& attempts, int replyText);

// The identification answer's model code, variant byte and 24-bit serial number.
struct IdentityBytes {
    std::uint8_t modelCode;
    std::uint8_t variant;
    int serial;
};
IdentityBytes identityBytes(const Station& station);

// What an identified dialog does last: errors cleared, one 0xFF byte written, the texts of a
// recognised transmitter shown.
void finishIdentification(Station& station, DialogWindow& window, int stepText, int replyText);

}  // namespace doxa
