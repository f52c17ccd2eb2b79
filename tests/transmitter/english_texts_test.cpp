// The transmitter's shared texts in English: the tables shown as they are and the texts composed
// from them, each found again on its way to the screen.

#include <gtest/gtest.h>

#include "settings/shown_language.h"
#include "transmitter/code_tables.h"
#include "transmitter/write_table.h"

namespace doxa {
namespace {

struct EnglishShown : ::testing::Test {
    void SetUp() override { ASSERT_TRUE(startLanguage(Language::English)); }
    void TearDown() override { startLanguage(Language::Polish); }
};

TEST_F(EnglishShown, TableTextsKeepTheirBlanksAndComposedTextsTheirValues) {
    const struct {
        std::string polish;
        const char* english;
    } cases[] = {
        {std::string(*sensorName(4, false)), " TC type 'K'"},
        {std::string(*sensorName(0, true)), " Resistance"},
        {std::string(*sensorName(1, true)), " Pt 100 (385)"},
        {std::string(outputTypeText(3, true)), " voltage"},
        {std::string(breakSignalText(1)), " to min  "},
        {filterText(2, 5), "5 s, order: 2"},
        {filterText(1, std::nullopt), " s, order: 1"},
        {filterText(0, 10), " off"},
        {std::string(ThresholdInactiveText), " not active"},
        {std::string(ChangePortText), "Change the serial port "},
    };
    for (const auto& c : cases) EXPECT_EQ(shownText(c.polish), c.english) << c.polish;
}

TEST_F(EnglishShown, ARefusalNamesItsCodeAndMeaning) {
    const WriteJudgement hart{.verdict = WriteVerdict::Refused, .code = 7};
    EXPECT_EQ(shownText(hart.refusalText()),
              "The transmitter refused the write: code 7 (in write-protect mode)");
    const WriteJudgement modbus{.verdict = WriteVerdict::Refused, .code = 2, .modbus = true};
    EXPECT_EQ(shownText(modbus.refusalText()),
              "The transmitter refused the write: exception 02 (illegal register address)");
}

TEST(PolishShown, RefusalsAreComposedAsBefore) {
    const WriteJudgement hart{.verdict = WriteVerdict::Refused, .code = 7};
    EXPECT_EQ(hart.refusalText(), "Przetwornik odrzucił zapis: kod 7 (tryb ochrony przed zapisem)");
    const WriteJudgement modbus{.verdict = WriteVerdict::Refused, .code = 2, .modbus = true};
    EXPECT_EQ(modbus.refusalText(),
              "Przetwornik odrzucił zapis: wyjątek 02 (niedozwolony adres rejestru)");
}

}  // namespace
}  // namespace doxa
