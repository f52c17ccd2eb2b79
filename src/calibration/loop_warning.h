#pragma once

#include <string_view>

#include "link/screen_text.h"

namespace doxa {

class SettingsStore;

// While the program forces the transmitter's output, the output no longer follows the process,
// and a controller still in automatic would act on it. Handheld communicators remind the
// technician of this before they force anything; so does this program, unless the settings
// switch the reminder off.
inline constexpr std::string_view LoopWarning =
    UI_TEXT("Przed wymuszeniem wyjścia przetwornika przełącz pętlę sterowania na pracę ręczną: "
            "wartość wyjścia nie będzie odpowiadać pomiarowi.");

// On unless [Ostrzezenia] Petla is 0.
bool warnsOfLoop(const SettingsStore& settings);

}  // namespace doxa
