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

}  // namespace
}  // namespace doxa::test
