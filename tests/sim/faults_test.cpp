#include <gtest/gtest.h>

#include "sim/transmitter.h"
#include "sim_wire.h"

namespace doxa::sim::test {
namespace {

Transmitter fixedDevice(std::uint64_t seed = 1) {
    Transmitter t(Model::Doxa22, Options{.seed = seed, .minPreambles = 6, .maxPreambles = 6});
    t.setClock([] { return 0; });
    t.state().input = 50;
    t.state().powerUp = false;  // so that every answer is the same
    return t;
}

TEST(Faults, EachFaultStrikesOnItsRequestOnly) {
    Transmitter t = fixedDevice();
    const Bytes request = hartRequest(0, 1);
    const Bytes clean = t.answer(request);  // request 1

    t.faults.drop.onRequest = 2;
    EXPECT_TRUE(t.answer(request).empty());
    EXPECT_EQ(t.answer(request), clean);

    t.faults.truncate.onRequest = 4;
    const Bytes cut = t.answer(request);
    EXPECT_GE(cut.size(), 1u);
    EXPECT_LT(cut.size(), clean.size());
    EXPECT_TRUE(std::equal(cut.begin(), cut.end(), clean.begin()));

    t.faults.garble.onRequest = 5;
    const Bytes garbled = t.answer(request);
    ASSERT_EQ(garbled.size(), clean.size());
    int differing = 0;
    for (std::size_t i = 0; i < clean.size(); ++i) differing += garbled[i] != clean[i];
    EXPECT_EQ(differing, 1);
    EXPECT_EQ(garbled[0], 0xFF);  // preambles stay as they were

    t.faults.late.onRequest = 6;
    t.faults.lateMs = 1700;
    const Reply late = t.reply(request);
    EXPECT_EQ(late.bytes, clean);
    EXPECT_EQ(late.delayMs, 1700);
    EXPECT_EQ(t.reply(request).delayMs, 0);

    t.faults.losePreambles.onRequest = 8;
    EXPECT_LE(parseHart(t.answer(request)).preambles, 1);

    t.faults.notImplemented.onRequest = 9;
    const HartAnswer refused = parseHart(t.answer(request));
    EXPECT_EQ(refused.status1, 0x40);
    EXPECT_EQ(refused.normalisedLength(), 18);  // the length alone still passes
}

TEST(Faults, RequestsForOthersAreNotCounted) {
    Transmitter t = fixedDevice();
    t.faults.drop.onRequest = 1;
    t.answer(hartRequest(5, 1));
    t.answer(Bytes{0xFF});
    EXPECT_EQ(t.requestCount(), 0u);
    EXPECT_TRUE(t.answer(hartRequest(0, 1)).empty());
}

TEST(Faults, ModbusRefusalIsAnExceptionAndChangesNothing) {
    Transmitter t = fixedDevice();
    t.faults.notImplemented.onRequest = 1;
    const Bytes answer = t.answer(modbusWrite(0, modbus::WriteAndStore, 0x000C, {0, 0x68, 3}));
    EXPECT_EQ(answer, withCrc({0x00, 0xF4, 0x01}));
    EXPECT_EQ(t.state().filterOrder, 1);
}

TEST(Faults, ProbabilitiesAreReproducibleBySeed) {
    auto pattern = [](std::uint64_t seed) {
        Transmitter t = fixedDevice(seed);
        t.faults.drop.probability = 0.3;
        t.faults.garble.probability = 0.2;
        std::vector<Bytes> answers;
        for (int i = 0; i < 200; ++i) answers.push_back(t.answer(hartRequest(0, 1)));
        return answers;
    };
    const auto first = pattern(42);
    EXPECT_EQ(first, pattern(42));
    EXPECT_NE(first, pattern(43));
    const auto dropped = std::count_if(first.begin(), first.end(), [](const Bytes& b) { return b.empty(); });
    EXPECT_GT(dropped, 35);
    EXPECT_LT(dropped, 85);
}

}  // namespace
}  // namespace doxa::sim::test

namespace doxa::sim::test {
namespace {

TEST(WriteFaults, AMiskeptWriteIsKeptAndReportedOneBitOffEveryTime) {
    Transmitter t = fixedDevice();
    t.faults.hartWrites[201] = WriteFault::Miskept;
    for (int attempt = 0; attempt < 2; ++attempt) {
        const HartAnswer a = parseHart(t.answer(hartRequest(0, 201, {2, 0x7C, 6})));
        EXPECT_EQ(a.data, (Bytes{2, 0x7C, 7}));
    }
    EXPECT_EQ(t.state().delta, 7);
    // Reads of the same command and writes of other commands are not touched.
    EXPECT_EQ(parseHart(t.answer(hartRequest(0, 201))).data, (Bytes{2, 0x7C, 7}));
    EXPECT_EQ(parseHart(t.answer(hartRequest(0, 147, {0x84}))).data, Bytes{0x84});
}

TEST(WriteFaults, AnUnansweredWriteChangesNothing) {
    Transmitter t = fixedDevice();
    t.faults.hartWrites[35] = WriteFault::Unanswered;
    const float upper = t.state().rangeUpper;
    EXPECT_TRUE(t.answer(hartRequest(0, 35, concat(concat({0}, hartFloat(300)), hartFloat(-10)))).empty());
    EXPECT_EQ(t.state().rangeUpper, upper);
}

TEST(WriteFaults, ModbusWritesGoWrongByTheirFirstRegister) {
    Transmitter t(Model::Doxa22, Options{.address = 1});
    t.faults.modbusWrites[12] = WriteFault::Miskept;
    t.faults.modbusWrites[60] = WriteFault::Unanswered;
    const Bytes echo = t.answer(modbusWrite(1, modbus::WriteAndStore, 12, {2, 0x7C, 6}));
    EXPECT_EQ(echo.size(), 8u);
    EXPECT_EQ(t.state().delta, 7);
    EXPECT_EQ(t.state().filterOrder, 2);
    EXPECT_TRUE(t.answer(modbusWrite(1, modbus::WriteAndStore, 60, {9})).empty());
    EXPECT_FALSE(t.state().pendingAddress);
    EXPECT_EQ(t.answer(modbusWrite(1, modbus::WriteAndStore, 8, {3, 0x10, 0xF7})).size(), 8u);
    EXPECT_EQ(t.state().sensorCode, 3);
}

}  // namespace
}  // namespace doxa::sim::test

namespace doxa::sim::test {
namespace {

// The answer is lost but the write is carried out: command 203 adds its difference each time it
// comes, answered or not. Reads are answered, and each write counts its own losses.
TEST(WriteFaults, LostAnswersHideWritesThatWereCarriedOut) {
    Transmitter t = fixedDevice();
    t.state().ambient = 24.5f;
    t.faults.lostWriteAnswers = 2;
    const Bytes plusOne = hartRequest(0, 203, hartFloat(1));
    EXPECT_TRUE(t.answer(plusOne).empty());
    EXPECT_EQ(parseHart(t.answer(hartRequest(0, 202))).data, concat({32}, hartFloat(25.5)));
    EXPECT_TRUE(t.answer(plusOne).empty());
    EXPECT_EQ(parseHart(t.answer(plusOne)).data, hartFloat(1));
    EXPECT_EQ(t.state().calibration.compensation, 3.0f);
    EXPECT_TRUE(t.answer(hartRequest(0, 40, hartFloat(12))).empty());
    EXPECT_EQ(t.state().fixedOutput, 12.0f);
    EXPECT_TRUE(t.answer(hartRequest(0, 137)).empty());  // a calibration command without data
}

TEST(WriteFaults, LostModbusAnswersCountByFunctionAndRegister) {
    Transmitter t(Model::Doxa22, Options{.address = 1});
    t.faults.lostWriteAnswers = 1;
    EXPECT_TRUE(t.answer(modbusWriteSingle(1, 0x3E, 8)).empty());
    EXPECT_TRUE(t.answer(modbusWrite(1, modbus::WriteMultiple, 0xE0, modbusFloat(12))).empty());
    EXPECT_EQ(t.state().fixedOutput, 12.0f);
    EXPECT_EQ(t.answer(modbusWriteSingle(1, 0x3E, 8)).size(), 8u);
    EXPECT_TRUE(t.answer(modbusWrite(1, modbus::WriteAndStore, 0x38, modbusFloat(1.5))).empty());
    EXPECT_EQ(t.state().calibration.compensation, 1.5f);
    EXPECT_EQ(t.answer(modbusRead(1, 0x154, 4)).size(), 13u);
}

}  // namespace
}  // namespace doxa::sim::test
