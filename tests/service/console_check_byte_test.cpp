// The check byte the HART console adds to a typed frame: every byte after the preambles, the
// last one included.

#include <gtest/gtest.h>

#include <algorithm>

#include "service/console_dlg.h"
#include "support/fake_window.h"
#include "support/sim_station.h"

namespace doxa::test {
namespace {

using Dlg = CHartConsoleDlg;

struct CheckByteCase {
    const char* typed;
    const char* shownCheckByte;
    Bytes written;
};

// Frames that end in a non-zero byte, and an odd number of preambles, so that a check byte
// that leaves out the last byte or takes in the preambles differs.
TEST(HartConsoleCheckByte, CoversEveryByteAfterThePreamblesUpToTheLast) {
    const CheckByteCase cases[] = {
        {"0xff, 0xff, 0xff, 0xff, 0xff, 0x02, 0x80, 0x01, 0x02, 0x12, 0x34",
         "0xa7",
         {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x02, 0x80, 0x01, 0x02, 0x12, 0x34, 0xA7}},
        {"0xff, 0xff, 0xff, 0x02, 0x81, 0x0d, 0x00, 0x7f",
         "0xf1",
         {0xFF, 0xFF, 0xFF, 0x02, 0x81, 0x0D, 0x00, 0x7F, 0xF1}},
    };
    for (const CheckByteCase& c : cases) {
        SCOPED_TRACE(c.typed);
        SimStation sim;
        Dlg dialog{sim.station};
        FakeWindow window{dialog, sim.clock};
        ASSERT_TRUE(window.open());
        window.focus(Dlg::InstructionText);
        window.type(Dlg::InstructionText, std::string("Do wysłania:\r\n") + c.typed);
        window.click(Dlg::Send);
        EXPECT_NE(window.text(Dlg::InstructionText).find(std::string(c.typed) + c.shownCheckByte + ", "),
                  std::string::npos)
            << window.text(Dlg::InstructionText);
        sim.clock.advance(600);
        EXPECT_EQ(sim.writes(), std::vector<Bytes>{c.written});
    }
}

// The answer is listed to its last byte: as many entries as "Ilosc RX" counts.
TEST(HartConsoleCheckByte, TheAnswerIsListedToItsLastByte) {
    SimStation sim;
    Dlg dialog{sim.station};
    FakeWindow window{dialog, sim.clock};
    ASSERT_TRUE(window.open());
    window.focus(Dlg::InstructionText);
    window.type(Dlg::InstructionText, "Do wysłania:\r\n0xff, 0xff, 0xff, 0xff, 0xff, 0x02, 0x80, 0x00, 0x00");
    window.click(Dlg::Send);
    sim.clock.advance(1600);
    const std::string shown = window.text(Dlg::InstructionText);
    const std::string listed = "Ilosc RX: 25.\r\nOdebrane:\r\n";
    const std::size_t at = shown.find(listed);
    ASSERT_NE(at, std::string::npos) << shown;
    const std::string answer = shown.substr(at + listed.size());
    EXPECT_EQ(std::count(answer.begin(), answer.end(), ','), 25) << answer;
}

}  // namespace
}  // namespace doxa::test
