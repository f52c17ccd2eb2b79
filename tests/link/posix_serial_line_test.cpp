#include "link/posix_serial_line.h"

#include <fcntl.h>
#include <sys/ioctl.h>
#include <sys/wait.h>
#include <stdlib.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <optional>
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

// The speeds of the baud table and what termios calls them.
struct Speed {
    int baud;
    speed_t constant;
};
constexpr Speed BaudTable[] = {{1200, B1200}, {4800, B4800}, {9600, B9600}, {19200, B19200},
                               {38400, B38400}};

TEST(LineSettings, OddParityEightDataBitsOneStopBitAtEverySpeed) {
    termios current{};
    current.c_cflag = CS7 | CSTOPB | CRTSCTS | HUPCL;
    current.c_iflag = INPCK | ISTRIP | IXON;
    for (const Speed& speed : BaudTable) {
        for (const Parity parity : {Parity::Odd, Parity::None}) {
            SCOPED_TRACE(speed.baud);
            const std::optional<termios> tio = lineTermios(current, speed.baud, parity);
            ASSERT_TRUE(tio);
            EXPECT_EQ(cfgetospeed(&*tio), speed.constant);
            EXPECT_EQ(cfgetispeed(&*tio), speed.constant);
            EXPECT_EQ(tio->c_cflag & CSIZE, tcflag_t{CS8});
            EXPECT_EQ(tio->c_cflag & (PARENB | PARODD),
                      parity == Parity::Odd ? tcflag_t{PARENB | PARODD} : tcflag_t{0});
            EXPECT_EQ(tio->c_cflag & (CSTOPB | CRTSCTS | HUPCL), tcflag_t{0});
            EXPECT_EQ(tio->c_cflag & (CLOCAL | CREAD), tcflag_t{CLOCAL | CREAD});
            // Parity is not checked on input and nothing is stripped or swallowed.
            EXPECT_EQ(tio->c_iflag & (INPCK | ISTRIP | IXON | IXOFF), tcflag_t{0});
            EXPECT_EQ(tio->c_cc[VMIN], 0);
            EXPECT_EQ(tio->c_cc[VTIME], 0);
        }
    }
    EXPECT_FALSE(lineTermios(current, 12345, Parity::Odd));
}

TEST(LineSettings, ARealPortMustHoldParityWhileAPseudoTerminalNeedOnlyHoldTheSpeed) {
    const termios wanted = *lineTermios(termios{}, 1200, Parity::Odd);
    termios withoutParity = wanted;
    withoutParity.c_cflag &= ~PARENB;
    termios even = wanted;
    even.c_cflag &= ~PARODD;
    termios slower = wanted;
    cfsetospeed(&slower, B300);
    EXPECT_TRUE(settingsTook(wanted, wanted, false));
    EXPECT_FALSE(settingsTook(wanted, withoutParity, false));
    EXPECT_FALSE(settingsTook(wanted, even, false));
    EXPECT_TRUE(settingsTook(wanted, withoutParity, true));
    EXPECT_FALSE(settingsTook(wanted, slower, true));
    EXPECT_FALSE(settingsTook(wanted, slower, false));
}

TEST_F(PseudoTerminal, OpensTwiceInARowWithOddParityAndHoldsEverySpeed) {
    for (const Speed& speed : BaudTable) {
        for (int open = 1; open <= 2; ++open) {
            SCOPED_TRACE(std::to_string(speed.baud) + " open " + std::to_string(open));
            PosixSerialLine line(slavePath);
            ASSERT_TRUE(line.open());
            EXPECT_TRUE(line.configure(speed.baud, Parity::Odd));
            EXPECT_TRUE(line.configure(speed.baud, Parity::Odd));  // the same request again
            const int fd = ::open(slavePath.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
            ASSERT_GE(fd, 0);
            termios held{};
            ASSERT_EQ(tcgetattr(fd, &held), 0);
            ::close(fd);
            EXPECT_EQ(cfgetospeed(&held), speed.constant);
            EXPECT_EQ(held.c_cflag & CSIZE, tcflag_t{CS8});
            // A pty drops the parity; whatever it keeps of it must not be even.
            EXPECT_FALSE((held.c_cflag & PARENB) && !(held.c_cflag & PARODD));
        }
    }
}

TEST_F(PseudoTerminal, AClosedFarEndIsAVanishedDevice) {
    PosixSerialLine line(slavePath);
    ASSERT_TRUE(line.open());
    ASSERT_TRUE(line.configure(1200, Parity::Odd));
    EXPECT_EQ(line.queuedInput(), 0);
    EXPECT_FALSE(line.vanished());
    ::close(master);
    master = -1;
    EXPECT_EQ(line.queuedInput(), 0);
    EXPECT_TRUE(line.vanished());
    const std::uint8_t request[] = {0x02, 0x80, 0x00, 0x00, 0x82};
    EXPECT_EQ(line.write(request, 5), 0);
    line.close();
    EXPECT_FALSE(line.open());  // the pty is gone with its far end
}

// What a terminal holds, as tcgetattr gives it; a struct compare would also compare padding.
std::string settingsOf(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    termios t{};
    tcgetattr(fd, &t);
    int exclusive = -1;
    ioctl(fd, TIOCGEXCL, &exclusive);
    ::close(fd);
    std::string text = "iflag " + std::to_string(t.c_iflag) + " oflag " + std::to_string(t.c_oflag) +
                       " cflag " + std::to_string(t.c_cflag) + " lflag " + std::to_string(t.c_lflag) +
                       " speed " + std::to_string(cfgetospeed(&t)) + "/" +
                       std::to_string(cfgetispeed(&t)) + " cc";
    for (cc_t c : t.c_cc) text += " " + std::to_string(c);
    return text + " exclusive " + std::to_string(exclusive);
}

// A terminal the line was pointed at by mistake must be usable as before once it is let go,
// however the line ends: closed, failed half-way (closed by the port code) or vanished.
TEST_F(PseudoTerminal, ClosingGivesTheDeviceBackWithItsSettingsAndUnlocked) {
    const int fd = ::open(slavePath.c_str(), O_RDWR | O_NOCTTY);
    termios cooked{};
    ASSERT_EQ(tcgetattr(fd, &cooked), 0);
    cooked.c_lflag |= ECHO | ICANON;
    cfsetspeed(&cooked, B9600);
    ASSERT_EQ(tcsetattr(fd, TCSANOW, &cooked), 0);
    ::close(fd);
    const std::string before = settingsOf(slavePath);
    ASSERT_NE(before.find("exclusive 0"), std::string::npos);

    for (int run = 0; run < 2; ++run) {
        SCOPED_TRACE(run);
        PosixSerialLine line(slavePath);
        ASSERT_TRUE(line.open()) << "a second open succeeds";
        ASSERT_TRUE(line.configure(1200, Parity::Odd));
        const std::string inUse = settingsOf(slavePath);
        EXPECT_NE(inUse, before);
        EXPECT_NE(inUse.find("exclusive 1"), std::string::npos);
        line.close();
        EXPECT_EQ(settingsOf(slavePath), before);
    }
}

// The terminal the program was started from is never taken for a transmitter's line, whether
// it is named by its own path or as /dev/tty.
TEST_F(PseudoTerminal, TheControllingTerminalIsRefusedAndLeftAlone) {
    const pid_t child = ::fork();
    if (child == 0) {
        // A new session whose controlling terminal is the pseudo-terminal.
        if (::setsid() < 0) ::_exit(10);
        const int own = ::open(slavePath.c_str(), O_RDWR);
        if (own < 0 || ::ioctl(own, TIOCSCTTY, 0) != 0) ::_exit(11);
        const std::string before = settingsOf(slavePath);
        for (const char* path : {slavePath.c_str(), "/dev/tty"}) {
            PosixSerialLine line(path);
            if (line.open()) ::_exit(12);
        }
        ::_exit(settingsOf(slavePath) == before ? 0 : 13);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);

    PosixSerialLine line(slavePath);
    EXPECT_TRUE(line.open()) << "the same device is taken when it is nobody's terminal";
}

}  // namespace
}  // namespace doxa
