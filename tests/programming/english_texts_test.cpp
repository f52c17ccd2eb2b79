// Programming's composed texts in English: each is made from one marked pattern, so that it is
// found again, values and all, on its way to the screen.

#include <gtest/gtest.h>

#include "programming/prog_rules.h"
#include "settings/shown_language.h"

namespace doxa {
namespace {

struct EnglishShown : ::testing::Test {
    void SetUp() override { ASSERT_TRUE(startLanguage(Language::English)); }
    void TearDown() override { startLanguage(Language::Polish); }
};

TEST_F(EnglishShown, ARefusedRangeKeepsItsValuesAndUnits) {
    const RangeLimits pt100{-200, 850, 10};
    const RangeLimits noSpan{-200, 850, std::nullopt};
    const struct {
        std::string polish;
        const char* english;
    } cases[] = {
        {refusedRange(50, 50, pt100, "°C"),
         "Invalid range: min = 50 °C, allowed -200 … 850 °C and at least 10 °C below max = 50 °C"},
        {refusedRange(0, 900, pt100, "°C"),
         "Invalid range: max = 900 °C, allowed -200 … 850 °C and at least 10 °C above min = 0 °C"},
        {refusedRange(-300, 100, noSpan, "Ohm"), "Invalid range: min = -300 Ohm, allowed -200 … 850 Ohm"},
        {refusedRange(5, 5, std::nullopt, ""), "Invalid range: max = 5, must differ from min = 5"},
    };
    for (const auto& c : cases) EXPECT_EQ(shownText(c.polish), c.english) << c.polish;
}

}  // namespace
}  // namespace doxa
