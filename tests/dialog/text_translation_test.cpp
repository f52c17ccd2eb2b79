#include "dialog/text_translation.h"

#include <gtest/gtest.h>

#include <map>

#include "link/screen_text.h"

namespace doxa {
namespace {

const std::map<std::string, std::string, std::less<>> English = {
    {"Błąd transmisji", "Transmission error"},
    {"Zakres", "Range"},
    {"Port %1 (%2) jest zajęty", "Port %1 (%2) is in use"},
    {"Czujnik %1, zakres %2..%3 %4", "Sensor %1, range %2..%3 %4"},
    {"%2 z %1", "%2 of %1"},
    {"Temperatura: %1 °C", "Temperature: %1 °C"},
    {"Wartość %1", "Value %1"},
    {"%1 %2", "%2 %1"},
};

TextTranslation english() {
    std::vector<std::string> patterns;
    for (const auto& [source, translation] : English)
        if (source.find('%') != std::string::npos) patterns.push_back(source);
    return TextTranslation(
        [](std::string_view text) -> std::optional<std::string> {
            const auto found = English.find(text);
            return found == English.end() ? std::nullopt : std::optional(found->second);
        },
        patterns);
}

TEST(TextTranslation, WholeTextsPatternsAndLinesAreTranslatedTheRestKeptAsItIs) {
    const TextTranslation translated = english();
    const struct {
        const char* polish;
        const char* shown;
    } cases[] = {
        {"Błąd transmisji", "Transmission error"},
        {"Port COM3 (/dev/ttyUSB0) jest zajęty", "Port COM3 (/dev/ttyUSB0) is in use"},
        // The values are translated in turn.
        {"Port Zakres (x) jest zajęty", "Port Range (x) is in use"},
        {"Czujnik Pt 100, zakres -50..150 °C", "Sensor Pt 100, range -50..150 °C"},
        {"3 z 7", "3 of 7"},
        {"Temperatura: 21.50 °C", "Temperature: 21.50 °C"},
        {"Temperatura:  °C", "Temperature:  °C"},
        // Line by line when the whole is not a translated text; the line ends stay.
        {"Błąd transmisji\r\nZakres\n\nTAG-1", "Transmission error\r\nRange\n\nTAG-1"},
        // A pattern must match the whole text, and one with no word in it never does.
        {"Temperatura: 21.50 °C!", "Temperatura: 21.50 °C!"},
        {"TT 101", "TT 101"},
        {"Error OpenComm ", "Error OpenComm "},
        {"", ""},
        {"Wartość 100 %", "Value 100 %"},
    };
    for (const auto& c : cases) EXPECT_EQ(translated(c.polish), c.shown) << c.polish;
}

TEST(TextTranslation, APlaceholderTwiceInAPatternMustHoldTheSameValue) {
    const std::map<std::string, std::string, std::less<>> table = {{"%1 albo %1", "%1 or %1"}};
    const TextTranslation translated(
        [&](std::string_view text) -> std::optional<std::string> {
            const auto found = table.find(text);
            return found == table.end() ? std::nullopt : std::optional(found->second);
        },
        {"%1 albo %1"});
    EXPECT_EQ(translated("tak albo tak"), "tak or tak");
    EXPECT_EQ(translated("tak albo nie"), "tak albo nie");
}

TEST(FormatText, FillsThePlaceholdersInOrderAndLeavesOtherPercentSigns) {
    EXPECT_EQ(formatText("Port %1 (%2) jest zajęty", {"COM3", "/dev/ttyS2"}),
              "Port COM3 (/dev/ttyS2) jest zajęty");
    EXPECT_EQ(formatText("%2 z %1", {"a", "b"}), "b z a");
    EXPECT_EQ(formatText("100 % i %3", {"a"}), "100 % i %3");
}

}  // namespace
}  // namespace doxa
