#include "settings/language.h"

#include <cstdlib>

#include "settings/settings_keys.h"
#include "transmitter/settings_store.h"

namespace doxa {

EnvironmentLookup processEnvironment() {
    return [](const char* name) -> std::string_view {
        const char* value = std::getenv(name);
        return value ? value : "";
    };
}

Language chosenLanguage(const SettingsStore& settings, const EnvironmentLookup& environment) {
    const std::string stored = settings.readText(LanguageSection, LanguageKey, "");
    if (stored == "en") return Language::English;
    if (stored == "pl") return Language::Polish;
    // The locale's variables in the order the C library gives them precedence; an empty one
    // counts as unset.
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const std::string_view locale = environment(variable);
        if (!locale.empty()) return locale.starts_with("en") ? Language::English : Language::Polish;
    }
    return Language::Polish;
}

void storeLanguage(SettingsStore& settings, Language language) {
    settings.writeText(LanguageSection, LanguageKey, language == Language::English ? "en" : "pl");
}

}  // namespace doxa
