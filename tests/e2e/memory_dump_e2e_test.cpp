// A memory dump read from doxa-sim on a pseudo-terminal through the real serial line: the raw
// page below HART arrives whole and the main view gets it.

#include <gtest/gtest.h>

#include "dialog/command_ids.h"
#include "support/gui/program_on_pty.h"
#include "views/dump_view.h"

namespace doxa {
namespace {

TEST(MemoryDumpOnPty, TheEepromPageArrivesHighestAddressFirst) {
    test::ProgramOnPty pty({"--model", "DOXA-22", "--serial", "4242"});
    ASSERT_TRUE(pty.linked());
    const Station& station = pty.station;

    pty.application.onCommand(CmdEeprom0);  // runs the dump dialog until it closes by itself

    EXPECT_EQ(station.dumpSelection, DumpSelection::EepromLow);
    // The serial number 4242 = 0x001092 and the type byte 5 lead the page.
    EXPECT_EQ(pageByte(station, 0), 0x00);
    EXPECT_EQ(pageByte(station, 1), 0x10);
    EXPECT_EQ(pageByte(station, 2), 0x92);
    EXPECT_EQ(pageByte(station, 3), 5);
    pty.frame.close();
    EXPECT_EQ(pty.sim().stop(), 0);
}

}  // namespace
}  // namespace doxa
