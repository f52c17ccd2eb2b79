#include "transmitter/exchange.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "link/modbus.h"
#include "link/port.h"
#include "support/fake_window.h"
#include "support/sim_station.h"
#include "support/virtual_clock.h"
#include "transmitter/station.h"

namespace doxa {
namespace {

using Bytes = std::vector<std::uint8_t>;

// The station's line with nobody at its other end: the test hands out the answers.
class ExchangeSteps : public ::testing::Test {
protected:
    void SetUp() override {
        sim.transmitter.reset();
        ASSERT_TRUE(ensurePortOpen(station));
    }

    // The last request written, empty before any.
    Bytes written() const {
        const std::vector<Bytes> writes = sim.writes();
        return writes.empty() ? Bytes{} : writes.back();
    }
    void answer(const Bytes& bytes) { sim.line()->feed(bytes); }
    void injectErrors(std::uint32_t mask) { sim.line()->injectErrors(mask); }
    bool rts() const { return sim.line()->rts(); }

    test::SimStation sim;
    Station& station = sim.station;
};

TEST_F(ExchangeSteps, SendBuildsTheRequestOfTheModeAtThePollingAddress) {
    station.device.pollingAddress = 5;
    EXPECT_EQ(sendRequest(station, IdentifyRequest), "");
    EXPECT_EQ(written(), (Bytes{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x02,
                                0x85, 0x00, 0x00, 0x87}));
    EXPECT_TRUE(rts());  // the HART modem transmits with RTS raised

    sim.clock.advance(1000);
    station.link.transmissionMode = ModeRs485;
    station.device.pollingAddress = 1;
    sendRequest(station, IdentifyRequest);
    EXPECT_EQ(written(), (Bytes{0x01, 0x03, 0x01, 0x38, 0x00, 0x06, 0x45, 0xF9}));
    EXPECT_FALSE(rts());  // the RS485 driver transmits with RTS dropped
}

TEST_F(ExchangeSteps, LineErrorsComeBackAsTextFromSendAndRead) {
    injectErrors(CeFrame | CeOverrun);
    EXPECT_EQ(sendRequest(station, IdentifyRequest), "Error CE_FRAMEError CE_OVERRUN");
    injectErrors(CeBreak);
    EXPECT_EQ(readReply(station).lineErrors, "Error CE_BREAK");
    EXPECT_EQ(readReply(station).lineErrors, "");
}

TEST_F(ExchangeSteps, ADeviceGoneInTheReadIsReportedAndTheNextRequestReopensThePort) {
    sendRequest(station, IdentifyRequest);
    injectErrors(CeFrame);
    sim.unplug();
    const Reply reply = readReply(station);
    EXPECT_EQ(reply.length, 0);
    EXPECT_EQ(reply.lineErrors, "Error CE_FRAMEError CE_IOE");
    EXPECT_EQ(station.link.portOpen, 0);
    EXPECT_EQ(sendRequest(station, IdentifyRequest), "Error CE_IOE");  // still away
    EXPECT_EQ(readReply(station).lineErrors, "Error CE_IOE");

    sim.plugIn();
    EXPECT_EQ(sendRequest(station, IdentifyRequest), "");
    EXPECT_EQ(station.link.portOpen, 1);
    EXPECT_EQ(sim.writes().size(), 1u);
    EXPECT_EQ(written().size(), 15u);
}

TEST_F(ExchangeSteps, TurnEmptiesTheFrameAndReleasesTheDriver) {
    sendRequest(station, IdentifyRequest);
    sim.clock.advance(300);
    turnToReceive(station);
    EXPECT_FALSE(rts());
    EXPECT_TRUE(
        std::all_of(station.frame.begin(), station.frame.end(), [](auto b) { return b == 0; }));
}

// Answers to HART command 1 at address 0 (seven preambles, cut to six by the read) and to a
// MODBUS read of 8 registers from slave 1, whole and with one thing wrong each.
struct AnswerCase {
    const char* name;
    int mode;
    Bytes answer;
    AnswerFault fault;
};
const Bytes Pre{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
Bytes hart(const Bytes& body) {
    Bytes all = Pre;
    all.insert(all.end(), body.begin(), body.end());
    return all;
}
const std::vector<AnswerCase> AnswerCases{
    {"hart good", ModeHart, hart({0x06, 0x80, 0x01, 0x07, 0x00, 0x0C, 0x20, 0x41, 0x40, 0, 0, 0xAD}),
     AnswerFault::None},
    {"hart burst bit", ModeHart,
     hart({0x06, 0xC0, 0x01, 0x07, 0x00, 0x0C, 0x20, 0x41, 0x40, 0, 0, 0xED}), AnswerFault::None},
    {"hart checksum", ModeHart,
     hart({0x06, 0x80, 0x01, 0x07, 0x00, 0x0C, 0x20, 0x41, 0x40, 0, 0, 0xAE}), AnswerFault::Checksum},
    {"hart address", ModeHart,
     hart({0x06, 0x81, 0x01, 0x07, 0x00, 0x0C, 0x20, 0x41, 0x40, 0, 0, 0xAC}), AnswerFault::Address},
    {"hart command", ModeHart,
     hart({0x06, 0x80, 0x02, 0x07, 0x00, 0x0C, 0x20, 0x41, 0x40, 0, 0, 0xAE}), AnswerFault::Command},
    {"hart delimiter", ModeHart,
     hart({0x01, 0x80, 0x01, 0x07, 0x00, 0x0C, 0x20, 0x41, 0x40, 0, 0, 0xAA}),
     AnswerFault::Delimiter},
    {"hart byte count", ModeHart,
     hart({0x06, 0x80, 0x01, 0x07, 0x00, 0x0C, 0x20, 0x41, 0x40, 0, 0xAD}), AnswerFault::Length},
    {"hart too short", ModeHart, hart({0x06, 0x80, 0x01}), AnswerFault::Length},
    {"modbus good", ModeRs485,
     {0x01, 0x03, 0x10, 0, 0x82, 0, 0x40, 0, 0, 0, 0, 0, 0x81, 0, 0, 0, 0, 0, 0, 0x89, 0xF0},
     AnswerFault::None},
    {"modbus crc", ModeRs485,
     {0x01, 0x03, 0x10, 0, 0x82, 0, 0x40, 0, 0, 0, 0, 0, 0x81, 0, 0, 0, 0, 0, 0, 0x89, 0xF1},
     AnswerFault::Checksum},
    {"modbus slave", ModeRs485,
     {0x02, 0x03, 0x10, 0, 0x82, 0, 0x40, 0, 0, 0, 0, 0, 0x81, 0, 0, 0, 0, 0, 0, 0xCD, 0xB4},
     AnswerFault::Address},
    {"modbus function", ModeRs485,
     {0x01, 0x04, 0x10, 0, 0x82, 0, 0x40, 0, 0, 0, 0, 0, 0x81, 0, 0, 0, 0, 0, 0, 0x38, 0x85},
     AnswerFault::Command},
    {"modbus byte count", ModeRs485,
     {0x01, 0x03, 0x10, 0, 0x82, 0, 0x40, 0, 0, 0, 0, 0, 0x81, 0, 0, 0, 0, 0x89, 0xF0},
     AnswerFault::Length},
    {"modbus exception", ModeRs485, {0x01, 0x83, 0x02, 0xC0, 0xF1}, AnswerFault::Exception},
};
constexpr Request PrimaryValue{.hartCommand = 1, .modbusStart = 0x00DC, .modbusCount = 8};

TEST_F(ExchangeSteps, OnlyAnAnswerToTheRequestWrittenIsAnAnswer) {
    for (const AnswerCase& c : AnswerCases) {
        SCOPED_TRACE(c.name);
        station.link.transmissionMode = c.mode;
        station.device.pollingAddress = c.mode == ModeRs485 ? 1 : 0;
        station.statusPanel = StatusPanel{};
        sendRequest(station, PrimaryValue);
        answer(c.answer);
        const Reply reply = readReply(station);
        EXPECT_EQ(reply.fault, c.fault);
        const bool taken = c.fault == AnswerFault::None;
        EXPECT_EQ(reply.length, taken ? static_cast<int>(c.answer.size()) - (c.mode == ModeHart)
                                      : 0);
        EXPECT_GT(reply.arrived, 0);
        // Status 0x0C: output fixed and sensor break; shown only from an answer taken.
        EXPECT_EQ(station.statusPanel.text(157), taken && c.mode == ModeHart ? "Przerwa" : "");
    }
}

// A transmitter may answer the change of its polling address from the old or the new address.
TEST_F(ExchangeSteps, TheAddressChangeIsAnsweredFromTheOldOrTheNewAddress) {
    const std::array<std::uint8_t, 1> newAddress{5};
    const std::pair<Bytes, AnswerFault> cases[] = {
        {hart({0x06, 0x80, 0x06, 0x03, 0x00, 0x00, 0x05, 0x86}), AnswerFault::None},
        {hart({0x06, 0x85, 0x06, 0x03, 0x00, 0x00, 0x05, 0x83}), AnswerFault::None},
        {hart({0x06, 0x86, 0x06, 0x03, 0x00, 0x00, 0x05, 0x80}), AnswerFault::Address},
    };
    for (const auto& [bytes, fault] : cases) {
        sendRequest(station, Request{.hartCommand = 6, .hartData = newAddress});
        answer(bytes);
        EXPECT_EQ(readReply(station).fault, fault) << int(bytes[8]);
    }
    // Any other command is answered from the address asked only.
    sendRequest(station, PrimaryValue);
    answer(hart({0x06, 0x85, 0x01, 0x07, 0x00, 0x0C, 0x20, 0x41, 0x40, 0, 0, 0xA8}));
    EXPECT_EQ(readReply(station).fault, AnswerFault::Address);
}

TEST_F(ExchangeSteps, WhatWaitsBeforeARequestIsDiscardedUnread) {
    answer(AnswerCases[0].answer);  // late, to a request before this one
    sendRequest(station, PrimaryValue);
    const Reply reply = readReply(station);
    EXPECT_EQ(reply.arrived, 0);
    EXPECT_EQ(reply.length, 0);
    EXPECT_EQ(station.trafficLog.trafficLogPos, 1 + 15);  // the request alone was logged

    // A frame built by hand is checked like a built one: here a MODBUS write in HART mode.
    station.device.pollingAddress = 1;
    const std::array<std::uint8_t, 1> value{0x80};
    const int length = buildWriteRegisters(station.frame, 1, modbus::WriteAndStore, 0x7E, value);
    transmitFrame(station, length);
    answer({0x01, 0x74, 0x00, 0x7E, 0x00, 0x01, 0x00, 0x00});
    EXPECT_EQ(readReply(station).fault, AnswerFault::Checksum);
}

TEST_F(ExchangeSteps, IdentityIsTakenFromThePositionsOfTheCurrentMode) {
    station.frame.fill(0);
    station.frame[18] = 5;
    station.frame[19] = 0x91;
    station.frame[21] = 0x01;
    station.frame[22] = 0x02;
    station.frame[23] = 0x03;
    station.device.unitCode = 32;
    ModelBytes bytes = takeIdentity(station);
    EXPECT_EQ(station.device.serialNumber, 0x010203);
    EXPECT_EQ(bytes.type, 5);
    EXPECT_EQ(bytes.afterType, 0x91);
    EXPECT_EQ(bytes.variant, 0x91);
    EXPECT_EQ(station.device.unitCode, 32);  // HART carries no unit in its identity

    // RS485: one byte per register, the RIVO-22 test byte is the high byte of the variant's.
    station.link.transmissionMode = ModeRs485;
    const Bytes answer{0x01, 0x03, 0x0C, 0, 0x0A, 0, 0x0B, 0, 0x0C, 0, 0x06, 0x91, 0x11, 0, '%'};
    std::copy(answer.begin(), answer.end(), station.frame.begin());
    bytes = takeIdentity(station);
    EXPECT_EQ(station.device.serialNumber, 0x0A0B0C);
    EXPECT_EQ(bytes.type, 6);
    EXPECT_EQ(bytes.afterType, 0x91);
    EXPECT_EQ(bytes.variant, 0x11);
    EXPECT_EQ(station.device.unitCode, '%');
}

TEST_F(ExchangeSteps, EndingStopsTheTimerAndSendsOneReleaseByte) {
    struct Idle : DialogLogic {
        int layout() const override { return 0; }
    } logic;
    test::VirtualClock clock;
    test::FakeWindow window(logic, clock);
    ASSERT_TRUE(window.open());
    goToState(station, window, 7, 300);
    EXPECT_EQ(station.link.exchangeState, 7);
    EXPECT_EQ(window.timerInterval(ExchangeTimer), 300);

    setTransmit(station);
    endExchange(station, window);
    EXPECT_FALSE(window.timerRunning(ExchangeTimer));
    EXPECT_EQ(written(), Bytes{0xFF});
    sim.clock.advance(10);  // the byte has left the line
    EXPECT_FALSE(rts());

    // Without a port there is nothing to release.
    station.link.portOpen = 0;
    const std::size_t writes = sim.writes().size();
    releaseLine(station);
    EXPECT_EQ(sim.writes().size(), writes);
}

// MODBUS RTU at 1200 baud, odd parity: a byte takes 9.17 ms and 3.5 characters of silence
// (32.08 ms) end a frame. The closing write of 8 bytes holds the line for 105.4 ms.
TEST_F(ExchangeSteps, AFrameOnTheLineHoldsBackTheNextWriteAndTurnEvenAfterItsDialogIsGone) {
    station.link.transmissionMode = ModeRs485;
    transmitFrame(station, buildWriteSingle(station.frame, 1, 0x00ED, 0x00AA));
    closeSequence(station);
    EXPECT_EQ(sim.writes().size(), 1u);
    EXPECT_FALSE(rts());  // still driving the line
    sim.clock.advance(105);
    EXPECT_EQ(sim.writes().size(), 1u);
    sim.clock.advance(1);
    EXPECT_EQ(written(), Bytes{0xFF});
    // The release byte holds the line for 9.17 + 32.08 ms in its turn.
    sim.clock.advance(41);
    EXPECT_FALSE(rts());
    sim.clock.advance(1);
    EXPECT_TRUE(rts());
    const auto& log = station.trafficLog.bytes();
    EXPECT_EQ(log[15], 'T');  // logged when it went out, after the write's record
    EXPECT_EQ(log[22], 0xFF);
}

// At 19200 baud a request of 8 bytes takes 4.58 ms and its silence 2.01 ms, longer than the
// 5 ms replyWait: the dialog's turn comes on time, the driver turns once the line is free.
TEST_F(ExchangeSteps, ATurnThatWouldCutIntoTheFrameWaitsForTheLine) {
    station.link.transmissionMode = ModeRs485;
    station.link.baudIndex = 3;
    sendRequest(station, IdentifyRequest);
    sim.clock.advance(5);
    turnToReceive(station);
    EXPECT_FALSE(rts());
    EXPECT_EQ(msUntilLineFree(station), 2);
    sim.clock.advance(2);
    EXPECT_TRUE(rts());
}

TEST(PollingAddress, OnlyWholeNumbersFrom0To127AreAddresses) {
    EXPECT_EQ(parsePollingAddress("0"), 0);
    EXPECT_EQ(parsePollingAddress(" 127 "), 127);
    EXPECT_EQ(parsePollingAddress("+5"), 5);
    for (const char* refused : {"128", "200", "-1", "", " ", "12a", "1.5", "0x10", "99999999999"})
        EXPECT_EQ(parsePollingAddress(refused), std::nullopt) << refused;
}

}  // namespace
}  // namespace doxa
