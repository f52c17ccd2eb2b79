// A memory dump read from doxa-sim on a pseudo-terminal through the real serial line: the raw
// page below HART arrives whole and the main view gets it.

#include <gtest/gtest.h>

#include "app/application.h"
#include "dialog/command_ids.h"
#include "views/dump_view.h"
#include "sim/line_factory.h"
#include "app/main_frame.h"
#include "support/sim_process.h"
#include "transmitter/settings_store.h"
#include "transmitter/station.h"

namespace doxa {
namespace {

TEST(MemoryDumpOnPty, TheEepromPageArrivesHighestAddressFirst) {
    test::TempFolder folder;
    const auto link = folder.path() / "tty";
    test::SimProcess sim({"--model", "DOXA-22", "--serial", "4242", "--link", link.string()});
    ASSERT_TRUE(test::waitForLink(link));

    MemorySettingsStore store;
    store.writeText("Porty", "COM3", link.string());
    Station station(store);
    station.makeLine = makeLineFactory(store);
    station.link.portNumber = 2;
    MainFrame frame(station);
    Application application(station, frame);
    frame.attach(application);
    frame.show();

    application.onCommand(CmdEeprom0);  // runs the dump dialog until it closes by itself

    EXPECT_EQ(station.dumpSelection, DumpSelection::EepromLow);
    // The serial number 4242 = 0x001092 and the type byte 5 lead the page.
    EXPECT_EQ(pageByte(station, 0), 0x00);
    EXPECT_EQ(pageByte(station, 1), 0x10);
    EXPECT_EQ(pageByte(station, 2), 0x92);
    EXPECT_EQ(pageByte(station, 3), 5);
    frame.close();
    EXPECT_EQ(sim.stop(), 0);
}

}  // namespace
}  // namespace doxa
