#include "link/port.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "sim/sim_line.h"
#include "transmitter/station.h"

namespace doxa {
namespace {

using sim::SimLine;
using Strings = std::vector<std::string>;
using Bytes = std::vector<std::uint8_t>;

class PortTest : public ::testing::Test {
protected:
    PortTest() {
        station.makeLine = [this](int number) -> std::unique_ptr<SerialLine> {
            requestedPort = number;
            if (!nextLine) return nullptr;
            line = nextLine.get();
            line->journal = calls;
            return std::move(nextLine);
        };
        station.showMessage = [this](std::string_view text, std::string_view informative) {
            boxes.emplace_back(text);
            informativeTexts.emplace_back(informative);
        };
        // Time moves where the test moves it, and a release that waits for the line moves it.
        station.monotonicMs = [this] { return now; };
        station.sleepUntilMs = [this](std::int64_t atMs) { now = std::max(now, atMs); };
    }

    // Opens the port on a fresh line with nobody at its other end and leaves it to the test.
    SimLine& openSilent() {
        nextLine = std::make_unique<SimLine>();
        EXPECT_EQ(openPort(station, 1), 1);
        station.link.portOpen = 1;
        calls->clear();
        return *line;
    }

    int readAnswer(const Bytes& answer) {
        line->feed(answer);
        return readLogged(station, 100);
    }

    Bytes frameHead(int count) const { return {station.frame.begin(), station.frame.begin() + count}; }

    MemorySettingsStore store;
    Station station{store};
    std::unique_ptr<SimLine> nextLine;
    SimLine* line = nullptr;
    // Every call to the lines the station made, kept after they are gone.
    std::shared_ptr<Strings> calls = std::make_shared<Strings>();
    int requestedPort = -1;
    Strings boxes;
    Strings informativeTexts;  // below each of `boxes`
    std::int64_t now = 0;
};

TEST_F(PortTest, DefinitionTexts) {
    EXPECT_EQ(portDefinition(1, 0, 0), "COM2:1200,o,8,1");
    EXPECT_EQ(portDefinition(11, 3, 1), "COM12:19200,n,8,1");
    EXPECT_EQ(portDefinition(0, 4, 0), "COM1:19200,o,8,1");
}

TEST_F(PortTest, OpeningRaisesDtrAroundTheLineSettings) {
    nextLine = std::make_unique<SimLine>();
    station.link.baudIndex = 4;
    station.link.parityOff = 1;
    EXPECT_EQ(openPort(station, 3), 1);
    EXPECT_EQ(requestedPort, 3);
    EXPECT_EQ(*calls, (Strings{"open", "dtr+", "configure 38400 none", "dtr+"}));
    EXPECT_EQ(line->baud(), 38400);
    EXPECT_EQ(line->parity(), Parity::None);
    EXPECT_EQ(station.link.portHandle.get(), line);
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(station.link.portOpen, 0);  // the caller's to set
}

TEST_F(PortTest, EachOpeningFailureHasItsBoxAndLeavesNoLineHeld) {
    struct Case {
        bool open, dtr, configure;
        const char* box;
    };
    for (const Case& c : {Case{false, true, true, "Error OpenComm "}, Case{true, false, true, "Error BuildComm"},
                          Case{true, true, false, "Error SetComState"}}) {
        boxes.clear();
        nextLine = std::make_unique<SimLine>();
        nextLine->failOpen = !c.open;
        nextLine->failDtr = !c.dtr;
        nextLine->failConfigure = !c.configure;
        calls->clear();
        EXPECT_EQ(openPort(station, 1), 0);
        EXPECT_EQ(boxes, Strings{c.box});
        // Only a device that would not open has a reason to tell.
        EXPECT_EQ(informativeTexts.back().empty(), c.open) << informativeTexts.back();
        EXPECT_EQ(calls->back(), "close");
        EXPECT_EQ(station.link.portHandle, nullptr);
    }
    boxes.clear();
    EXPECT_EQ(openPort(station, 1), 0);  // the factory had no line for this port
    EXPECT_EQ(boxes, Strings{"Error OpenComm "});
    EXPECT_EQ(informativeTexts.back(),
              "Port COM2 nie ma przypisanego urządzenia. Wybierz je: Ustawienia → Port.");
    station.makeLine = nullptr;
    station.showMessage = nullptr;
    EXPECT_EQ(openPort(station, 1), 0);
}

// The box keeps its text; below it the technician reads the port, its device and why it failed,
// as the device reported it. A reopened port forgets the reason of the last failure.
TEST_F(PortTest, AFailedOpenTellsWhichPortAndDeviceAndWhyBelowItsBox) {
    nextLine = std::make_unique<SimLine>();
    nextLine->deviceName = "/dev/ttyUSB0";
    nextLine->failOpen = true;
    nextLine->openRefusal = {EACCES, {}, false};
    EXPECT_EQ(openPort(station, 2), 0);
    EXPECT_EQ(boxes, Strings{"Error OpenComm "});
    EXPECT_EQ(informativeTexts.back(),
              "Port COM3 (/dev/ttyUSB0) nie został otwarty: brak uprawnień do urządzenia. "
              "Dodaj użytkownika do grupy dialout poleceniem\n"
              "sudo usermod -aG dialout $USER\ni zaloguj się ponownie.");
    EXPECT_EQ(station.link.openFailure.error, EACCES);
    EXPECT_EQ(station.link.failedDevice, "/dev/ttyUSB0");

    nextLine = std::make_unique<SimLine>();
    nextLine->setPresent(false);  // the adapter was pulled out
    EXPECT_EQ(openPort(station, 0), 0);
    EXPECT_EQ(informativeTexts.back(),
              "Port COM1 nie został otwarty: urządzenie nie istnieje. "
              "Sprawdź, czy konwerter jest podłączony.");

    openSilent();
    EXPECT_EQ(station.link.openFailure.error, 0);
}

TEST_F(PortTest, RtsPolarityFollowsTheMode) {
    openSilent();
    setTransmit(station);
    setReceive(station);
    station.link.transmissionMode = ModeRs485;
    setTransmit(station);
    setReceive(station);
    EXPECT_EQ(*calls, (Strings{"rts+", "rts-", "rts-", "rts+"}));
}

TEST_F(PortTest, WritesAreLoggedAsAcceptedEvenWhenNothingWas) {
    SimLine& l = openSilent();
    station.frame[0] = 0xAA;
    station.frame[1] = 0xBB;
    station.frame[2] = 0xCC;
    l.acceptLimit = 2;
    EXPECT_EQ(writeLogged(station, 3), 2);
    EXPECT_EQ(l.requests(), std::vector<Bytes>{(Bytes{0xAA, 0xBB})});
    now += 1000;
    l.acceptLimit = 0;
    EXPECT_EQ(writeLogged(station, 3), 0);
    EXPECT_EQ(l.requests().size(), 1u);
    EXPECT_EQ(station.trafficLog.trafficLogPos, 4);
    EXPECT_EQ(station.trafficLog.bytes()[3], 'T');
}

TEST_F(PortTest, PreambleIsNormalisedToSixWhileTheLogKeepsTheRawBytes) {
    openSilent();
    const Bytes body{0x06, 0x80, 0x00, 0x0E};
    auto withPreamble = [&](int n) {
        Bytes answer(n, 0xFF);
        answer.insert(answer.end(), body.begin(), body.end());
        return answer;
    };
    Bytes six = withPreamble(6);

    EXPECT_EQ(readAnswer(withPreamble(5)), 10);
    EXPECT_EQ(frameHead(10), six);
    EXPECT_EQ(readAnswer(withPreamble(9)), 10);
    EXPECT_EQ(frameHead(10), six);
    EXPECT_EQ(station.frame[10], 0);  // nothing of the longer answer is left behind it
    EXPECT_EQ(readAnswer(six), 10);
    EXPECT_EQ(frameHead(10), six);
    // A modem that lets only two to four preambles through, or puts a byte of its own before
    // them, still delivers an answer: it is found by its delimiter after at least two.
    EXPECT_EQ(readAnswer(withPreamble(4)), 10);
    EXPECT_EQ(frameHead(10), six);
    EXPECT_EQ(readAnswer(withPreamble(2)), 10);
    EXPECT_EQ(frameHead(10), six);
    Bytes noisy = withPreamble(5);
    noisy.insert(noisy.begin(), 0x00);
    EXPECT_EQ(readAnswer(noisy), 10);
    EXPECT_EQ(frameHead(10), six);
    noisy = withPreamble(2);
    noisy.insert(noisy.begin(), 0x06);
    EXPECT_EQ(readAnswer(noisy), 10);
    EXPECT_EQ(frameHead(10), six);
    // One preamble is not enough to tell an answer from noise.
    EXPECT_EQ(readAnswer(withPreamble(1)), 5);
    EXPECT_EQ(frameHead(5), withPreamble(1));

    // The second record is the nine-preamble answer exactly as it came.
    Bytes expected{'R'};
    const Bytes raw = withPreamble(9);
    expected.insert(expected.end(), raw.begin(), raw.end());
    const auto& log = station.trafficLog.bytes();
    EXPECT_EQ(Bytes(log.begin() + 10, log.begin() + 24), expected);
    // The noise byte stays in the log: it shows what was read.
    EXPECT_EQ(Bytes(log.begin() + 51, log.begin() + 59), (Bytes{'R', 0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x06}));
}

TEST_F(PortTest, AModbusAnswerIsNeverTakenForAHartOneWhateverItCarries) {
    openSilent();
    station.link.transmissionMode = ModeRs485;
    const Bytes request{0x01, 0x03, 0x00, 0x56, 0x00, 0x02, 0x24, 0x1B};
    station.link.pendingRequest = pendingRequestOf(request, static_cast<int>(request.size()));
    const Bytes answer{0x01, 0x03, 0x04, 0xFF, 0xFF, 0x06, 0x00, 0x00, 0x00};
    EXPECT_EQ(readAnswer(answer), 9);
    EXPECT_EQ(frameHead(9), answer);
}

TEST_F(PortTest, NothingQueuedReadsNothingAndLogsNothing) {
    openSilent();
    EXPECT_EQ(readLogged(station, 100), 0);
    EXPECT_EQ(station.trafficLog.trafficLogPos, 0);
}

TEST_F(PortTest, ModbusAnswersAreLeftAsTheyCameAndReadsStopAtTheMaximum) {
    openSilent();
    station.link.transmissionMode = ModeRs485;
    EXPECT_EQ(readAnswer({0x01, 0x03, 0x02, 0x00, 0x05, 0xAA, 0xBB}), 7);
    EXPECT_EQ(frameHead(3), (Bytes{0x01, 0x03, 0x02}));
    EXPECT_EQ(station.trafficLog.trafficLogPos, 14);

    line->feed(Bytes(150, 0x11));
    EXPECT_EQ(readLogged(station, 500), FrameSize);
    EXPECT_EQ(line->queuedInput(), 50);
    std::uint8_t raw[300];
    EXPECT_EQ(readRaw(station, raw, 300), 50);
    EXPECT_EQ(station.trafficLog.trafficLogPos, 14 + 7 + FrameSize);  // the raw read is not logged
}

TEST_F(PortTest, LineErrorsAreSpelledInTheirFixedOrder) {
    EXPECT_EQ(errorText(CeOverrun | CeFrame), "Error CE_FRAMEError CE_OVERRUN");
    EXPECT_EQ(errorText(0), "");
    EXPECT_EQ(errorText(0xFFFF),
              "Error CE_BREAKError CE_FRAMEError CE_IOEError CE_MODEError CE_OOPError CE_OVERRUN"
              "Error CE_PTOError CE_RXOVERError CE_RXPARITYError CE_TXFULL");
    errorBoxes(station, CeTxFull | CeBreak);
    EXPECT_EQ(boxes, (Strings{"Error CE_BREAK", "Error CE_TXFULL"}));
}

TEST_F(PortTest, ClearErrorsTakesTheMaskFromTheLine) {
    EXPECT_FALSE(clearErrors(station));
    SimLine& l = openSilent();
    l.injectErrors(CeRxParity);
    EXPECT_TRUE(clearErrors(station));
    EXPECT_EQ(station.link.commErrors, CeRxParity);
    EXPECT_TRUE(clearErrors(station));
    EXPECT_EQ(station.link.commErrors, 0u);
}

TEST_F(PortTest, CloseSequenceAndRelease) {
    SimLine& l = openSilent();
    station.frame.fill(0);
    closeSequence(station);
    EXPECT_EQ(l.requests(), std::vector<Bytes>{Bytes{0xFF}});
    // The driver turns once the byte has left the line: 11 bits at 1200 baud, 9.2 ms.
    EXPECT_EQ(*calls, (Strings{"write FF"}));
    now += 9;
    carryOutLineWork(station);
    EXPECT_EQ(*calls, (Strings{"write FF"}));
    now += 1;
    carryOutLineWork(station);
    EXPECT_EQ(*calls, (Strings{"write FF", "rts-"}));
    // Released at once, the port waits for its last byte before it is closed.
    releasePort(station);
    EXPECT_EQ(*calls, (Strings{"write FF", "rts-", "write FF", "rts-", "close"}));
    EXPECT_EQ(now, 20);
    EXPECT_EQ(station.link.portOpen, 0);
    EXPECT_EQ(station.link.portHandle, nullptr);
}

TEST_F(PortTest, AVanishedDeviceIsLetGoAndItsPortReopenedQuietlyOnceItIsBack) {
    EXPECT_TRUE(reopenVanishedPort(station) == false && boxes.empty());  // nothing vanished yet
    SimLine& l = openSilent();
    l.injectErrors(CeFrame);
    l.setPresent(false);
    EXPECT_TRUE(clearErrors(station));
    EXPECT_EQ(station.link.commErrors, CeFrame | CeIoe);
    EXPECT_EQ(*calls, Strings{"close"});
    EXPECT_EQ(station.link.portHandle, nullptr);
    EXPECT_EQ(station.link.portOpen, 0);
    // Away: every query says so, reopening fails without a message box.
    EXPECT_TRUE(clearErrors(station));
    EXPECT_EQ(errorText(station.link.commErrors), "Error CE_IOE");
    EXPECT_FALSE(reopenVanishedPort(station));
    EXPECT_TRUE(boxes.empty());

    nextLine = std::make_unique<SimLine>();
    calls->clear();
    EXPECT_TRUE(reopenVanishedPort(station));
    EXPECT_EQ(station.link.portOpen, 1);
    EXPECT_EQ(*calls, (Strings{"open", "dtr+", "configure 1200 odd", "dtr+", "purge"}));
    EXPECT_TRUE(clearErrors(station));
    EXPECT_EQ(station.link.commErrors, 0u);
    EXPECT_TRUE(boxes.empty());

    // Released while the device is gone: nothing is left held, nothing is reopened later.
    line->setPresent(false);
    releasePort(station);
    EXPECT_EQ(station.link.portHandle, nullptr);
    EXPECT_FALSE(clearErrors(station));
    EXPECT_FALSE(reopenVanishedPort(station));
}

TEST_F(PortTest, EveryOperationIsHarmlessWithoutAPort) {
    std::uint8_t buffer[4] = {};
    setTransmit(station);
    setReceive(station);
    purge(station);
    EXPECT_EQ(writeRaw(station, buffer, 4), 0);
    EXPECT_EQ(readRaw(station, buffer, 4), 0);
    EXPECT_EQ(readLogged(station, 100), 0);
    EXPECT_EQ(writeLogged(station, 4), 0);
    closeSequence(station);
    releasePort(station);
    EXPECT_EQ(station.link.portOpen, 0);
}

}  // namespace
}  // namespace doxa
