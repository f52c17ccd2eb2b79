#include "service/console_dlg.h"

#include <gtest/gtest.h>

#include "service/byte_values.h"
#include "support/fake_window.h"
#include "support/sim_station.h"

namespace doxa::test {
namespace {

using Dlg = CHartConsoleDlg;

struct ParseCase {
    const char* text;
    Bytes values;
};

TEST(ByteValues, ReadFromTheFirstZeroWithCBase0Rules) {
    const ParseCase cases[] = {
        {"Do wysłania:\r\n0xff, 0xff, 0x02", {0xFF, 0xFF, 0x02}},
        {"2, 0x02, 2", {0x02, 2}},        // the first 2 lies before the first '0'
        {"010, 0x10, 10", {8, 16, 10}},   // octal, hexadecimal, decimal
        {"0x1ff", {0xFF}},                // the low byte is kept
        {"0x4g1,,,0", {0x41, 0}},          // a stray letter is dropped, commas run together
        {"0x, 0", {0, 0}},
        {"no values here", {}},
        {"", {}},
    };
    for (const ParseCase& c : cases) EXPECT_EQ(parseByteValues(c.text), c.values) << c.text;
    // The register dialog keeps ten characters of a value.
    EXPECT_EQ(parseByteValues("0x0000000012"), Bytes{0x12});
    EXPECT_EQ(parseByteValues("0x0000000012", 10), Bytes{0x00});
}

// The console opened on a simulated DOXA-22 in HART mode.
struct Console {
    Console() { EXPECT_TRUE(window.open()); }

    void type(std::string_view typed) {
        window.focus(Dlg::InstructionText);
        window.type(Dlg::InstructionText, consoleTemplate() + std::string(typed));
    }
    std::string text() const { return window.text(Dlg::InstructionText); }
    std::string conversion() const { return window.text(Dlg::ConversionText); }
    void convert(std::string_view typed, int button) {
        window.focus(Dlg::ConversionText);
        window.type(Dlg::ConversionText, "Liczba do konwersji:\r\n" + std::string(typed));
        window.click(button);
    }

    SimStation sim;
    Dlg dialog{sim.station};
    FakeWindow window{dialog, sim.clock};
};

TEST(HartConsole, SendsTheTypedCommandOnceWithItsCheckByteAndListsTheAnswer) {
    Console c;
    EXPECT_EQ(c.text(), "Do wysłania:\r\n0xff, 0xff, 0xff, 0xff, 0xff, 0xff, ");
    c.type("0x02, 0x80, 0x00, 0x00");
    c.window.click(Dlg::Send);
    EXPECT_EQ(c.text(), consoleTemplate() + "0x02, 0x80, 0x00, 0x000x82, \r\nIlosc TX: 11.\r\n");
    c.window.click(Dlg::Send);  // not again until the box is clicked
    c.sim.clock.advance(1600);

    const Bytes request{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x02, 0x80, 0x00, 0x00, 0x82};
    EXPECT_EQ(c.sim.writes(), std::vector<Bytes>{request});
    const std::string shown = c.text();
    EXPECT_NE(shown.find("\r\nIlosc RX: 25.\r\nOdebrane:\r\n0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0x6, 0x80,   , 0xe,"),
              std::string::npos)
        << shown;
    EXPECT_EQ(c.sim.station.statusPanel.text(155), "Wł. zasilanie");
    EXPECT_FALSE(c.window.timerRunning(1));

    c.window.focus(Dlg::InstructionText);
    EXPECT_EQ(c.text(), consoleTemplate()) << "the box starts afresh for the next instruction";
}

TEST(HartConsole, ATextWithoutAValueBeginningWithZeroSendsNothing) {
    Console c;
    c.window.type(Dlg::InstructionText, "Do wysłania:\r\n2, 128");
    c.window.click(Dlg::Send);
    EXPECT_EQ(c.text(), "Do wysłania:\r\n2, 128  , ") << "only the check byte of an empty frame";
    c.sim.clock.advance(2000);
    EXPECT_TRUE(c.sim.writes().empty());
}

TEST(HartConsole, RefusesMoreBytesThanTheFrameHolds) {
    Console c;
    std::string typed = "0x01";
    for (int i = 1; i < 94; ++i) typed += ", 0x01";  // 6 preambles + 94 = 100 bytes
    c.type(typed);
    c.window.click(Dlg::Send);
    ASSERT_EQ(c.window.boxes().size(), 1u);
    EXPECT_NE(c.window.boxes()[0].text.find("100 bajtów"), std::string::npos) << c.window.boxes()[0].text;
    EXPECT_EQ(c.text(), consoleTemplate() + typed) << "nothing appended";
    c.sim.clock.advance(2000);
    EXPECT_TRUE(c.sim.writes().empty());

    c.type(typed.substr(6));  // 99 bytes fit, with the check byte as the hundredth
    c.window.click(Dlg::Send);
    c.sim.clock.advance(600);
    ASSERT_EQ(c.sim.writes().size(), 1u);
    EXPECT_EQ(c.sim.writes()[0].size(), 100u);
}

TEST(HartConsole, InputFilterLowersLettersAndCutsAtTheFirstStrayCharacter) {
    Console c;
    c.type("0XFF, 0x02");
    EXPECT_EQ(c.text(), consoleTemplate() + "0xff, 0x02");
    c.type("0x02, 0xg1, 0x03");
    EXPECT_EQ(c.text(), consoleTemplate() + "0x02, 0x");
    c.window.type(Dlg::InstructionText, "Do wysłania:\nq");  // the header is never looked at
    EXPECT_EQ(c.text(), "Do wysłania:\n");
}

TEST(HartConsole, ConvertsBetweenNumbersAndHartFloatBytes) {
    Console c;
    c.convert("0x41, 0x48, 0, 0", Dlg::ToFloat);
    EXPECT_EQ(c.conversion(), "Liczba do konwersji:\r\n0x41, 0x48, 0, 0\r\nliczba po konwersji: \r\n12.5");
    c.convert("1.1", Dlg::ToHart);
    EXPECT_EQ(c.conversion(), "Liczba do konwersji:\r\n1.1\r\nliczba po konwersji: \r\n0x3f, 0x8c, 0xcc, 0xcc, ");

    c.window.type(Dlg::ConversionText, c.conversion() + "\r\n12.55");
    c.window.focus(Dlg::ConversionText);
    EXPECT_EQ(c.conversion(), "Liczba do konwersji:\r\n") << "a shown result is cleared on the next visit";
    c.window.type(Dlg::ConversionText, "Liczba do konwersji:\r\n3.1");
    c.window.click(Dlg::ToHart);
    EXPECT_NE(c.conversion().find("0x40, 0x46, 0x66, 0x66, "), std::string::npos) << c.conversion();
    c.convert("-0.25, 7", Dlg::ToHart);
    EXPECT_NE(c.conversion().find("0xbe, 0x80, 00, 00, "), std::string::npos);
    c.convert("0x41", Dlg::ToFloat);  // missing bytes count as 0
    EXPECT_TRUE(c.conversion().ends_with("\r\n8.")) << c.conversion();
}

TEST(HartConsole, TheConversionBoxLowersTypedLettersAsTheInstructionBoxDoes) {
    Console c;
    c.convert("0X41, 0X48, 0, 0", Dlg::ToFloat);
    EXPECT_EQ(c.conversion(), "Liczba do konwersji:\r\n0x41, 0x48, 0, 0\r\nliczba po konwersji: \r\n12.5");
    c.convert("0x3F, 0x8C, 0xCC, 0xCD", Dlg::ToFloat);
    EXPECT_TRUE(c.conversion().ends_with("\r\n1.1")) << c.conversion();
}

}  // namespace
}  // namespace doxa::test
