#pragma once

#include <string>
#include <string_view>

#include "settings/language.h"

namespace doxa {

// Puts the program's texts into `language` for the rest of the process; called once at start-up,
// before any window or thread. English loads the translation (the only place it is loaded);
// Polish needs none. False when the translation could not be loaded: the texts stay Polish.
bool startLanguage(Language language);

// Starts the language the settings and the locale choose (chosenLanguage), as both programs do.
bool startChosenLanguage(const SettingsStore& settings);

// The language started; Polish before startLanguage().
Language shownLanguage();

// One of the program's texts on its way to the screen, in the language started.
std::string shownText(std::string_view polish);

}  // namespace doxa
