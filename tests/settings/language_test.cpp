#include "settings/language.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "transmitter/settings_store.h"

namespace doxa {
namespace {

struct Case {
    const char* stored;  // "" when the menu never chose
    std::map<std::string, std::string> environment;
    Language expected;
};

TEST(Language, TheMenuChoiceFirstThenTheFirstLocaleVariableSet) {
    const Case cases[] = {
        {"", {}, Language::Polish},
        {"", {{"LANG", "en_US.UTF-8"}}, Language::English},
        {"", {{"LANG", "C"}}, Language::Polish},
        {"", {{"LANG", "POSIX"}}, Language::Polish},
        {"", {{"LANG", "pl_PL.UTF-8"}}, Language::Polish},
        {"", {{"LANG", "de_DE.UTF-8"}}, Language::Polish},
        {"", {{"LC_MESSAGES", "en_GB.UTF-8"}, {"LANG", "pl_PL.UTF-8"}}, Language::English},
        {"", {{"LC_ALL", "C"}, {"LC_MESSAGES", "en_GB.UTF-8"}}, Language::Polish},
        {"", {{"LC_ALL", "en"}, {"LANG", "pl_PL.UTF-8"}}, Language::English},
        {"", {{"LC_ALL", ""}, {"LANG", "en_US.UTF-8"}}, Language::English},
        {"pl", {{"LANG", "en_US.UTF-8"}}, Language::Polish},
        {"en", {{"LANG", "pl_PL.UTF-8"}}, Language::English},
        {"en", {}, Language::English},
    };
    for (const Case& c : cases) {
        MemorySettingsStore settings;
        if (*c.stored) settings.writeText("Jezyk", "Jezyk", c.stored);
        const auto environment = [&](const char* name) -> std::string_view {
            const auto found = c.environment.find(name);
            return found == c.environment.end() ? std::string_view{} : found->second;
        };
        EXPECT_EQ(chosenLanguage(settings, environment), c.expected)
            << "stored '" << c.stored << "', LANG '"
            << (c.environment.count("LANG") ? c.environment.at("LANG") : "") << "'";
    }
}

TEST(Language, TheMenuChoiceIsStoredAndReadBack) {
    MemorySettingsStore settings;
    const auto english = [](const char*) -> std::string_view { return "en_US.UTF-8"; };
    storeLanguage(settings, Language::Polish);
    EXPECT_EQ(settings.readText("Jezyk", "Jezyk", ""), "pl");
    EXPECT_EQ(chosenLanguage(settings, english), Language::Polish);
    storeLanguage(settings, Language::English);
    EXPECT_EQ(chosenLanguage(settings, [](const char*) -> std::string_view { return "C"; }),
              Language::English);
}

}  // namespace
}  // namespace doxa
