#include "service/line_monitor_dlg.h"

#include <gtest/gtest.h>

#include "support/fake_window.h"
#include "support/sim_station.h"

namespace doxa::test {
namespace {

using Dlg = CLineMonitorDlg;

// The monitor on a line with nobody at its other end: the test feeds the arriving bytes.
struct Monitor {
    Monitor() {
        sim.transmitter.reset();
        EXPECT_TRUE(window.open());
        line = sim.line();
    }

    SimStation sim;
    sim::SimLine* line = nullptr;
    Dlg dialog{sim.station};
    FakeWindow window{dialog, sim.clock};
};

TEST(LineMonitor, ListsEveryByteThatArrivesInHexadecimal) {
    Monitor m;
    EXPECT_EQ(m.window.text(Dlg::StopStart), "Stop");
    m.line->feed({0x06, 0x41, 0x00});
    m.sim.clock.advance(500);
    EXPECT_EQ(m.window.text(Dlg::Bytes), "0x06,0x41,00,");
    EXPECT_EQ(m.window.text(Dlg::LineState), "Ilość RX: 3.");
    m.line->feed({0xAB});
    m.line->injectErrors(CeFrame);
    m.sim.clock.advance(200);
    EXPECT_EQ(m.window.text(Dlg::Bytes), "0x06,0x41,00,0xab,");
    m.sim.clock.advance(200);
    EXPECT_EQ(m.window.text(Dlg::LineState), "Ilość RX: 0.");
    EXPECT_TRUE(m.line->requests().empty()) << "listening sends nothing";
}

TEST(LineMonitor, ACharacterTypedWhileStoppedFollowsSixPreambles) {
    Monitor m;
    m.sim.clock.advance(500);
    m.window.type(Dlg::Bytes, "x");
    m.sim.clock.advance(500);
    EXPECT_TRUE(m.line->requests().empty()) << "typing while running sends nothing";

    m.window.click(Dlg::StopStart);
    EXPECT_EQ(m.window.text(Dlg::StopStart), "Start");
    EXPECT_FALSE(m.window.timerRunning(1));
    m.window.type(Dlg::Bytes, "xA");
    EXPECT_EQ(m.window.text(Dlg::StopStart), "Stop");
    m.sim.clock.advance(10);
    EXPECT_EQ(m.line->requests(), std::vector<Bytes>{(Bytes{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x41})});
    m.line->feed({0x41});
    m.sim.clock.advance(400);
    EXPECT_EQ(m.window.text(Dlg::Bytes), "xA0x41,") << "and listens again";
}

// Under a flood the field keeps the newest bytes, as a terminal keeps its last lines: what is
// shown stays bounded and starts at a whole entry.
TEST(LineMonitor, AFloodKeepsOnlyTheNewestBytesInWholeEntries) {
    Monitor m;
    m.sim.clock.advance(500);
    for (int tick = 0; tick < 200; ++tick) {
        m.line->feed(std::vector<std::uint8_t>(100, std::uint8_t(0x41 + tick % 8)));
        m.sim.clock.advance(200);
    }
    m.line->feed({0x0F, 0x00, 0xAB});
    m.sim.clock.advance(200);
    const std::string shown = m.window.text(Dlg::Bytes);
    // 20,003 bytes arrived, 100,013 characters of entries; about the last 4,000 bytes stay.
    EXPECT_LE(shown.size(), 20'480U);
    EXPECT_GE(shown.size(), 16'000U);
    EXPECT_TRUE(shown.ends_with("0x48,0x48,0x0f,00,0xab,")) << shown.substr(shown.size() - 40);
    EXPECT_TRUE(shown.starts_with("0x4")) << shown.substr(0, 20);
    EXPECT_EQ(m.window.text(Dlg::LineState), "Ilość RX: 3.");
}

}  // namespace
}  // namespace doxa::test
