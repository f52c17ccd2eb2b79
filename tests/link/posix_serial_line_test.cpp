#include "link/posix_serial_line.h"

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <string>

namespace doxa {
namespace {

// The far end of a pseudo-terminal plays the transmitter.
class PseudoTerminal : public ::testing::Test {
protected:
    void SetUp() override {
        master = posix_openpt(O_RDWR | O_NOCTTY);
        ASSERT_GE(master, 0);
        ASSERT_EQ(grantpt(master), 0);
        ASSERT_EQ(unlockpt(master), 0);
        slavePath = ptsname(master);
    }
    void TearDown() override {
        if (master >= 0) ::close(master);
    }

    // The pty delivers asynchronously; a short poll of the queued count avoids a flaky read.
    int waitForQueued(PosixSerialLine& line, int wanted) {
        for (int i = 0; i < 200 && line.queuedInput() < wanted; ++i) usleep(1000);
        return line.queuedInput();
    }

    int master = -1;
    std::string slavePath;
};

// The simulator's pty is opened again by every dialog session and every doxa-cli run; the
// parity it cannot hold must not refuse the port the second time.
TEST_F(PseudoTerminal, TakesTheHartLineAgainAfterItWasClosed) {
    for (int run = 0; run < 3; ++run) {
        SCOPED_TRACE(run);
        PosixSerialLine line(slavePath);
        ASSERT_TRUE(line.open());
        EXPECT_TRUE(line.configure(1200, Parity::Odd));
        EXPECT_TRUE(line.configure(19200, Parity::None));
        EXPECT_TRUE(line.configure(1200, Parity::Odd));
        line.close();
    }
}

TEST_F(PseudoTerminal, CarriesBytesBothWaysWithoutBlocking) {
    PosixSerialLine line(slavePath);
    ASSERT_TRUE(line.open());
    ASSERT_TRUE(line.configure(1200, Parity::Odd));
    EXPECT_TRUE(line.setDtr(true));
    line.setRts(true);

    std::uint8_t buffer[16] = {};
    EXPECT_EQ(line.queuedInput(), 0);
    EXPECT_EQ(line.read(buffer, 16), 0);  // nothing there: returns at once

    const std::uint8_t answer[] = {0xFF, 0x06, 0x0A, 0x00, 0x0D};  // raw mode keeps CR and 0xFF
    ASSERT_EQ(::write(master, answer, sizeof answer), 5);
    EXPECT_EQ(waitForQueued(line, 5), 5);
    EXPECT_EQ(line.read(buffer, 3), 3);
    EXPECT_EQ(line.queuedInput(), 2);
    EXPECT_EQ(line.read(buffer + 3, 16), 2);
    EXPECT_EQ(std::string(buffer, buffer + 5), std::string(answer, answer + 5));

    const std::uint8_t request[] = {0x02, 0x80, 0x00, 0x00, 0x82};
    EXPECT_EQ(line.write(request, 5), 5);
    line.drain();
    std::uint8_t received[8] = {};
    EXPECT_EQ(::read(master, received, sizeof received), 5);
    EXPECT_EQ(std::string(received, received + 5), std::string(request, request + 5));

    EXPECT_EQ(line.takeErrors(), 0u);
    ASSERT_EQ(::write(master, answer, sizeof answer), 5);
    waitForQueued(line, 5);
    line.purge();
    EXPECT_EQ(line.queuedInput(), 0);
    line.close();
    EXPECT_EQ(line.queuedInput(), 0);
    EXPECT_EQ(line.write(request, 5), 0);
}

TEST_F(PseudoTerminal, SpeedsOutsideTheRangeAndMissingDevicesAreRefused) {
    PosixSerialLine line(slavePath);
    EXPECT_FALSE(line.configure(9600, Parity::None));  // not open yet
    ASSERT_TRUE(line.open());
    for (int baud : {1200, 4800, 9600, 19200, 38400}) EXPECT_TRUE(line.configure(baud, Parity::None)) << baud;
    EXPECT_FALSE(line.configure(12345, Parity::None));

    PosixSerialLine missing("/dev/does-not-exist-ttyS99");
    EXPECT_FALSE(missing.open());
    EXPECT_FALSE(missing.setDtr(true));
    PosixSerialLine notATerminal("/dev/null");
    EXPECT_FALSE(notATerminal.open());
}

}  // namespace
}  // namespace doxa
