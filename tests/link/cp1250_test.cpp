#include "link/cp1250.h"

#include <gtest/gtest.h>

namespace doxa {
namespace {

TEST(Cp1250, PolishLettersAndDegreeRoundTrip) {
    const std::string text = "zażółć gęślą jaźń ° ZAŻÓŁĆ GĘŚLĄ JAŹŃ";
    const std::string page = utf8ToCp1250(text);
    EXPECT_EQ(page.size(), 37u);
    EXPECT_EQ(page.substr(0, 6), "za\xBF\xF3\xB3\xE6");
    EXPECT_EQ(page[18], '\xB0');
    EXPECT_EQ(cp1250ToUtf8(page), text);
}

TEST(Cp1250, EveryDefinedByteRoundTrips) {
    for (int b = 1; b < 256; ++b) {
        const std::string byte(1, static_cast<char>(b));
        const std::string utf8 = cp1250ToUtf8(byte);
        if (b == 0x81 || b == 0x83 || b == 0x88 || b == 0x90 || b == 0x98)
            EXPECT_EQ(utf8, "?") << b;
        else
            EXPECT_EQ(utf8ToCp1250(utf8), byte) << b;
    }
}

TEST(Cp1250, UnmappableAndMalformedInputBecomesQuestionMarks) {
    EXPECT_EQ(utf8ToCp1250("€ 5 ✓"), "\x80 5 ?");
    EXPECT_EQ(utf8ToCp1250("a\xC3"), "a?");           // cut in the middle of a character
    EXPECT_EQ(utf8ToCp1250("\xC0\xAF" "b"), "?b");    // overlong form of '/'
    EXPECT_EQ(utf8ToCp1250("\xFF" "c"), "?c");
    EXPECT_EQ(utf8ToCp1250("\xED\xA0\x80"), "?");     // a lone surrogate
    EXPECT_EQ(utf8ToCp1250(std::string("x\0y", 3)), std::string("x\0y", 3));
}

}  // namespace
}  // namespace doxa
