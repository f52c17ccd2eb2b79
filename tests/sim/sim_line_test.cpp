#include <gtest/gtest.h>

#include "sim/sim_line.h"
#include "sim_wire.h"

namespace doxa::sim::test {
namespace {

class SimLineTest : public ::testing::Test {
protected:
    SimLineTest() : device(std::make_shared<Transmitter>(Model::Doxa22)), line(device, [this] { return now; }) {}
    int send(const Bytes& request) { return line.write(request.data(), static_cast<int>(request.size())); }
    Bytes readAll() {
        Bytes bytes(300);
        bytes.resize(static_cast<std::size_t>(line.read(bytes.data(), static_cast<int>(bytes.size()))));
        return bytes;
    }

    std::int64_t now = 0;
    std::shared_ptr<Transmitter> device;
    SimLine line;
};

TEST_F(SimLineTest, EachWriteIsARequestAndItsAnswerIsReadableAtOnce) {
    ASSERT_TRUE(line.open());
    EXPECT_TRUE(line.configure(1200, Parity::Odd));
    const Bytes request = hartRequest(0, 0);
    EXPECT_EQ(send(request), 15);
    const int queued = line.queuedInput();
    EXPECT_GE(queued, 5 + 20);
    const Bytes answer = readAll();
    EXPECT_EQ(static_cast<int>(answer.size()), queued);
    EXPECT_EQ(parseHart(answer).normalisedLength(), 25);

    send(Bytes{0xFF});  // the close sequence
    EXPECT_EQ(line.queuedInput(), 0);

    ASSERT_EQ(line.requests().size(), 2u);
    EXPECT_EQ(line.requests()[0], request);
    EXPECT_EQ(line.requests()[1], Bytes{0xFF});
    EXPECT_EQ(line.answers()[0], answer);
    EXPECT_TRUE(line.answers()[1].empty());
    EXPECT_EQ(line.received(), answer);
    EXPECT_EQ(line.baud(), 1200);
}

TEST_F(SimLineTest, LateAnswerArrivesOnTheClockAndSurvivesAPurge) {
    line.open();
    device->faults.late.onRequest = 1;
    send(hartRequest(0, 1));
    now += 800;
    EXPECT_EQ(line.queuedInput(), 0);
    line.purge();
    send(hartRequest(0, 1));  // answered at once, but after the late one
    EXPECT_EQ(line.queuedInput(), 0);
    now += 700;
    const Bytes both = readAll();
    EXPECT_EQ(both.size(), line.answers()[0].size() + line.answers()[1].size());
}

TEST_F(SimLineTest, ClosedLineCarriesNothing) {
    EXPECT_EQ(send(hartRequest(0, 0)), 0);
    EXPECT_TRUE(line.requests().empty());
    EXPECT_FALSE(line.configure(9600, Parity::None));

    line.open();
    send(hartRequest(0, 0));
    line.close();
    EXPECT_EQ(line.queuedInput(), 0);
    line.open();
    EXPECT_EQ(line.queuedInput(), 0);  // what was waiting went with the close
}

TEST_F(SimLineTest, SwitchesMakeTheLineFail) {
    line.failOpen = true;
    EXPECT_FALSE(line.open());
    line.failOpen = false;
    ASSERT_TRUE(line.open());
    line.failConfigure = true;
    EXPECT_FALSE(line.configure(1200, Parity::Odd));
    line.failDtr = true;
    EXPECT_FALSE(line.setDtr(true));

    line.injectErrors(CeFrame);
    line.injectErrors(CeRxParity);
    EXPECT_EQ(line.takeErrors(), CeFrame | CeRxParity);
    EXPECT_EQ(line.takeErrors(), 0u);
}

TEST_F(SimLineTest, TheLineDrivesTheTransmittersClock) {
    line.open();
    const float first = device->live().ambient;
    now += 150'000;
    EXPECT_NE(device->live().ambient, first);
}

// A device set to 9600 baud without parity, asked for its identity over lines set every way.
TEST(SimLineSettings, ADeviceKeepingToItsLineHearsOnlyItsSpeedAndAnswersDamagedAtTheOtherParity) {
    const Bytes identify{0x05, 0x03, 0x01, 0x38, 0x00, 0x06};
    const Bytes request = concat(identify, {0x44, 0x7D});
    struct Case {
        int baud;
        Parity parity;
        bool answered;
        bool intact;
    };
    for (const Case c : {Case{9600, Parity::None, true, true}, Case{9600, Parity::Odd, true, false},
                         Case{1200, Parity::None, false, false}, Case{19200, Parity::Odd, false, false}}) {
        SCOPED_TRACE(c.baud);
        auto device = std::make_shared<Transmitter>(Model::Doxa22, Options{.address = 5, .lineSettings = 0x02});
        SimLine line(device, [] { return 0; });
        ASSERT_TRUE(line.open());
        line.configure(c.baud, c.parity);
        line.write(request.data(), static_cast<int>(request.size()));
        Bytes answer(100);
        answer.resize(static_cast<std::size_t>(line.read(answer.data(), 100)));
        EXPECT_EQ(answer.size(), c.answered ? 17u : 0u);
        if (!c.answered) continue;
        EXPECT_EQ(answer[0] == 0x05 && answer[1] == 0x03, c.intact);
        EXPECT_EQ(line.takeErrors(), c.intact ? 0u : static_cast<std::uint32_t>(CeFrame));
    }
}

TEST(SimLineSettings, HartAndAnUnsetDeviceAnswerAtAnySpeed) {
    auto keeping = std::make_shared<Transmitter>(Model::Doxa22, Options{.lineSettings = 0x02});
    auto unset = std::make_shared<Transmitter>(Model::Doxa22);
    SimLine hart(keeping, [] { return 0; }), modbus(unset, [] { return 0; });
    for (SimLine* line : {&hart, &modbus}) {
        line->open();
        line->configure(1200, Parity::Odd);
    }
    const Bytes hartIdentify = hartRequest(0, 0);
    hart.write(hartIdentify.data(), static_cast<int>(hartIdentify.size()));
    EXPECT_GT(hart.queuedInput(), 0);
    const Bytes identify{0x00, 0x03, 0x01, 0x38, 0x00, 0x06, 0x44, 0x28};
    modbus.write(identify.data(), static_cast<int>(identify.size()));
    EXPECT_EQ(modbus.queuedInput(), 17);
}

// Programming new line settings moves a device that keeps to its line over to them.
TEST(SimLineSettings, NewSettingsTakeEffectAtOnce) {
    auto device = std::make_shared<Transmitter>(Model::Doxa22, Options{.lineSettings = 0x80});
    SimLine line(device, [] { return 0; });
    line.open();
    line.configure(1200, Parity::Odd);
    std::array<std::uint8_t, 100> frame{};
    const std::array<std::uint8_t, 1> nineSixNone{0x02};
    const int length = buildWriteRegisters(frame, 0, modbus::WriteAndStore, 0x007E, nineSixNone);
    line.write(frame.data(), length);
    EXPECT_EQ(line.queuedInput(), 8);
    line.purge();
    const Bytes identify{0x00, 0x03, 0x01, 0x38, 0x00, 0x06, 0x44, 0x28};
    line.write(identify.data(), static_cast<int>(identify.size()));
    EXPECT_EQ(line.queuedInput(), 0);
    line.configure(9600, Parity::None);
    line.write(identify.data(), static_cast<int>(identify.size()));
    EXPECT_EQ(line.queuedInput(), 17);
}

}  // namespace
}  // namespace doxa::sim::test

namespace doxa::sim::test {
namespace {

// When the bytes of one answer arrive: the first and the last byte, in ms after the request.
struct Arrival {
    std::int64_t first = -1, last = -1;
    std::size_t size = 0;
};

Arrival arrivalOf(const AnswerTiming& timing, const Bytes& request, int baud) {
    std::int64_t now = 0;
    SimLine line(std::make_shared<Transmitter>(Model::Doxa22, Options{.timing = timing}), [&now] { return now; });
    line.open();
    line.configure(baud, Parity::Odd);
    line.write(request.data(), static_cast<int>(request.size()));
    Arrival arrival;
    for (; now <= 2000; ++now) {
        const int queued = line.queuedInput();
        if (queued > 0 && arrival.first < 0) arrival.first = now;
        if (static_cast<std::size_t>(queued) > arrival.size) arrival.last = now;
        arrival.size = static_cast<std::size_t>(queued);
    }
    EXPECT_EQ(arrival.size, line.answers().front().size());
    return arrival;
}

TEST(AnswerTiming, AnswersComeLaterInPiecesOrAtTheVeryEndOfTheWait) {
    const Bytes hart = hartRequest(0, 0);
    const Bytes modbus = modbusRead(0, 0x0138, 6);
    struct Case {
        const char* name;
        AnswerTiming timing;
        const Bytes& request;
        int baud;
        std::int64_t first, last;
    } cases[] = {
        {"immediate", {}, hart, 1200, 0, 0},
        {"slower", {.replyDelayMs = 250}, hart, 1200, 250, 250},
        {"pieces", {.chunks = 3, .chunkGapMs = 100}, hart, 1200, 0, 200},
        {"slower pieces", {.replyDelayMs = 40, .chunks = 4, .chunkGapMs = 30}, modbus, 9600, 40, 130},
        // HART: 300 ms in transmit, then 500 ms until the read.
        {"HART wait end", {.atWaitEnd = true}, hart, 1200, 800, 800},
        {"HART wait end in pieces", {.chunks = 3, .chunkGapMs = 100, .atWaitEnd = true}, hart, 1200, 600, 800},
        // RS485: 250 ms at 1200 baud, 20 ms at 9600, 5 ms at 38400, then 500 ms.
        {"1200 baud wait end", {.atWaitEnd = true}, modbus, 1200, 750, 750},
        {"9600 baud wait end", {.atWaitEnd = true}, modbus, 9600, 520, 520},
        {"38400 baud wait end", {.atWaitEnd = true}, modbus, 38400, 505, 505},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Arrival arrival = arrivalOf(c.timing, c.request, c.baud);
        EXPECT_EQ(arrival.first, c.first);
        EXPECT_EQ(arrival.last, c.last);
    }
}

}  // namespace
}  // namespace doxa::sim::test
