#pragma once

#include <functional>
#include <string_view>

namespace doxa {

class SettingsStore;

// The language the program speaks to the technician. Polish is its own: every documented text is
// Polish, and English is a translation of it.
enum class Language { Polish, English };

// Reads an environment variable; empty when it is unset.
using EnvironmentLookup = std::function<std::string_view(const char* name)>;
EnvironmentLookup processEnvironment();

// "Ustawienia" → "Język" when it was chosen; otherwise English when the first of LC_ALL,
// LC_MESSAGES and LANG that is set begins with "en", and Polish for any other locale (C, POSIX,
// none at all).
Language chosenLanguage(const SettingsStore& settings, const EnvironmentLookup& environment);

// What the menu stores ("pl", "en"); storing nothing leaves the choice to the environment.
void storeLanguage(SettingsStore& settings, Language language);

}  // namespace doxa
