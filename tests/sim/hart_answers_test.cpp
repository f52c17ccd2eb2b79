#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include "sim/transmitter.h"
#include "sim_wire.h"

namespace doxa::sim::test {
namespace {

class HartAnswers : public ::testing::Test {
protected:
    HartAnswers() : device(Model::Doxa22, Options{.address = 3, .serialNumber = 70000, .seed = 7}) {
        device.setClock([this] { return now; });
    }
    HartAnswer ask(std::uint8_t command, const Bytes& data = {}) {
        const Bytes bytes = device.answer(hartRequest(3, command, data));
        return parseHart(bytes);
    }

    std::int64_t now = 0;
    Transmitter device;
};

TEST_F(HartAnswers, EveryCommandAnswersWithTheLengthTheConfiguratorAccepts) {
    const Bytes four = hartFloat(12.0);
    const Bytes range = concat(concat({0}, hartFloat(100)), hartFloat(0));
    const struct {
        std::uint8_t command;
        Bytes data;
        int length;
    } cases[] = {
        {0, {}, 25},           {1, {}, 18},         {2, {}, 21},          {14, {}, 29},
        {15, {}, 30},          {35, range, 22},     {40, four, 17},       {43, {}, 13},
        {49, {1, 0x11, 0x70}, 16}, {136, {}, 13},   {137, {}, 13},        {139, {1}, 14},
        {145, four, 17},       {146, four, 17},     {147, {}, 14},        {147, {0x84}, 14},
        {200, {}, 22},         {200, range, 22},    {201, {}, 16},        {201, {2, 0x7C, 3}, 16},
        {202, {}, 18},         {203, four, 17},     {212, Bytes(24, 'A'), 37}, {217, {}, 37},
        {220, {76}, 22},       {220, concat({76}, concat(four, four)), 22}, {221, {}, 14},
        {221, {20}, 14},       {6, {3}, 14},
    };
    for (const auto& c : cases) {
        const HartAnswer a = ask(c.command, c.data);
        EXPECT_EQ(a.normalisedLength(), c.length) << "command " << int(c.command);
        EXPECT_EQ(a.command, c.command);
        EXPECT_EQ(a.address, 0x83);
        EXPECT_EQ(a.status1, 0) << "command " << int(c.command);
    }
}

TEST_F(HartAnswers, IdentificationCarriesModelVariantAndSerialWhereTheConfiguratorReadsThem) {
    const HartAnswer a = ask(0);
    ASSERT_EQ(a.data.size(), 12u);
    EXPECT_EQ(a.data[6], 5);     // frame byte 18
    EXPECT_EQ(a.data[7], 0x02);  // frame byte 19
    EXPECT_EQ((a.data[9] << 16) | (a.data[10] << 8) | a.data[11], 70000);

    const struct {
        Model model;
        std::uint8_t type, variant;
    } family[] = {{Model::Rivo22, 5, 145},  {Model::Sawe01, 10, 0x01},  {Model::Sawe01Rtd, 11, 0x01},
                  {Model::Rivo21R, 6, 17}, {Model::Doxa21U, 6, 0x81}, {Model::Rivo21U, 6, 145},
                  {Model::Doxa21R, 6, 0x01}};
    for (const auto& f : family) {
        Transmitter t(f.model);
        const HartAnswer id = parseHart(t.answer(hartRequest(0, 0)));
        ASSERT_EQ(id.data.size(), 12u);
        EXPECT_EQ(id.data[6], f.type) << modelName(f.model);
        EXPECT_EQ(id.data[7], f.variant) << modelName(f.model);
    }
    // The older generation sets bit 3 of the variant byte without changing the family member.
    Transmitter old(Model::Doxa21U, Options{.oldGeneration = true});
    EXPECT_EQ(parseHart(old.answer(hartRequest(0, 0))).data[7], 0x89);
    Transmitter rivo(Model::Rivo21U, Options{.oldGeneration = true});
    EXPECT_EQ(parseHart(rivo.answer(hartRequest(0, 0))).data[7], 145);
}

TEST_F(HartAnswers, AnswersOnlyItsOwnAddressAndIgnoresStrayBytes) {
    EXPECT_TRUE(device.answer(hartRequest(0, 0)).empty());
    EXPECT_TRUE(device.answer(hartRequest(4, 0)).empty());
    EXPECT_TRUE(device.answer(Bytes{0xFF}).empty());
    EXPECT_TRUE(device.answer(Bytes(10, 0xFF)).empty());
    Bytes cut = hartRequest(3, 0);
    cut.pop_back();
    EXPECT_TRUE(device.answer(cut).empty());
    // Fewer preambles than the configurator sends are still a request.
    Bytes shortPreamble = hartRequest(3, 0);
    shortPreamble.erase(shortPreamble.begin(), shortPreamble.begin() + 8);
    EXPECT_EQ(ask(0).normalisedLength(), parseHart(device.answer(shortPreamble)).normalisedLength());
}

TEST_F(HartAnswers, PreamblesVaryWithinTheirLimits) {
    std::set<int> seen;
    for (int i = 0; i < 60; ++i) {
        const HartAnswer a = ask(1);
        EXPECT_GE(a.preambles, 5);
        EXPECT_LE(a.preambles, 20);
        seen.insert(a.preambles);
    }
    EXPECT_GT(seen.size(), 5u);
}

TEST_F(HartAnswers, DamagedOrUnknownRequestsGetAnErrorStatusWithoutData) {
    Bytes bad = hartRequest(3, 1);
    bad.back() ^= 0x55;
    const HartAnswer checksum = parseHart(device.answer(bad));
    EXPECT_EQ(checksum.status1, 0x88);
    EXPECT_EQ(checksum.normalisedLength(), 13);

    const HartAnswer unknown = ask(99);
    EXPECT_EQ(unknown.status1, 0x40);
    EXPECT_EQ(unknown.normalisedLength(), 13);

    EXPECT_EQ(ask(200, {2, 0x42}).status1, 5);  // too few data bytes for a threshold write
    EXPECT_EQ(ask(220, {32 * 4}).status1, 2);   // no 33rd point
    EXPECT_EQ(ask(221, {33}).status1, 3);
    EXPECT_EQ(ask(212, Bytes(25, 'x')).status1, 3);
    EXPECT_EQ(ask(139, {2}).status1, 2);
}

TEST_F(HartAnswers, ConfigurationWritesAreReadBack) {
    ask(35, concat(concat({0}, hartFloat(300)), hartFloat(-50)));
    const HartAnswer range = ask(15);
    EXPECT_EQ(range.data[2], 32);  // unit °C for Pt 100
    EXPECT_EQ(range.real(3), 300.0f);
    EXPECT_EQ(range.real(7), -50.0f);

    EXPECT_EQ(ask(147, {0xA4}).data[0], 0xA4);
    EXPECT_EQ(ask(147).data[0], 0xA4);
    EXPECT_EQ(device.state().sensorCode, 4);
    EXPECT_TRUE(device.state().breakToMin);

    ask(200, concat(concat({2}, hartFloat(50)), hartFloat(48)));
    const HartAnswer threshold = ask(200);
    EXPECT_EQ(threshold.data[0], 2);
    EXPECT_EQ(threshold.real(1), 50.0f);
    EXPECT_EQ(threshold.real(5), 48.0f);

    ask(201, {2, 0x7C, 9});
    EXPECT_EQ(ask(201).data, (Bytes{2, 0x7C, 9}));

    ask(212, {'P', 'i', 'e', 'c', 0xB9});  // code page 1250 passes through untouched
    EXPECT_EQ(ask(217).data, (Bytes{'P', 'i', 'e', 'c', 0xB9}));

    ask(221, {20});
    ask(220, concat({76}, concat(hartFloat(1.5), hartFloat(-2))));
    EXPECT_EQ(ask(221).data[0], 20);
    const HartAnswer point = ask(220, {76});
    EXPECT_EQ(point.data[0], 76);
    EXPECT_EQ(point.real(1), 1.5f);
    EXPECT_EQ(point.real(5), -2.0f);

    ask(49, {0x01, 0x11, 0x70});
    const HartAnswer sensor = ask(14);
    EXPECT_EQ((sensor.data[0] << 16) | (sensor.data[1] << 8) | sensor.data[2], 70000);
    EXPECT_EQ(sensor.data[3], 32);           // TC K is in °C
    EXPECT_EQ(sensor.real(4), 1350.0f);      // upper limit
    EXPECT_EQ(sensor.real(8), -250.0f);      // lower limit
}

TEST_F(HartAnswers, NewPollingAddressAnswersInTheOldFrameAndTakesOverAfterwards) {
    const HartAnswer a = ask(6, {12});
    EXPECT_EQ(a.address, 0x83);
    EXPECT_EQ(a.data[0], 12);
    EXPECT_TRUE(device.answer(hartRequest(3, 0)).empty());
    EXPECT_FALSE(device.answer(hartRequest(12, 0)).empty());
    EXPECT_EQ(parseHart(device.answer(hartRequest(12, 6, {200}))).status1, 2);
}

TEST_F(HartAnswers, DeviceStatusBitsMeanWhatTheyShow) {
    EXPECT_EQ(ask(0).status2 & 0x20, 0x20);  // power-up, once
    EXPECT_EQ(ask(0).status2 & 0x20, 0);

    EXPECT_EQ(ask(0).status2 & 0x40, 0);
    ask(201, {1, 0x70, 3});
    EXPECT_EQ(ask(0).status2 & 0x40, 0x40);  // configuration changed until reset
    ask(38);
    EXPECT_EQ(ask(0).status2 & 0x40, 0);

    const HartAnswer forced = ask(40, hartFloat(5.5));
    EXPECT_EQ(forced.status2 & 0x08, 0x08);
    EXPECT_EQ(ask(2).real(0), 5.5f);
    ask(40, hartFloat(0));
    EXPECT_EQ(ask(2).status2 & 0x08, 0);
    EXPECT_EQ(ask(40, hartFloat(-1)).status1, 4);

    device.state().input = 500;  // beyond the range 0..150
    EXPECT_EQ(ask(1).status2 & 0x01, 0x01);
    device.state().input = 75;
    EXPECT_EQ(ask(1).status2 & 0x01, 0);
    device.state().sensorBroken = true;
    const HartAnswer broken = ask(2);
    EXPECT_EQ(broken.status2 & 0x04, 0x04);
    EXPECT_EQ(broken.real(0), 21.0f);  // break signalled "na max"

    // Bits given to the device come on top of its own, in every answer.
    device.state().sensorBroken = false;
    device.faults.deviceStatusBits = 0x81;
    EXPECT_EQ(ask(0).status2, 0x81);
    EXPECT_EQ(ask(1).status2, 0x81);
}

TEST_F(HartAnswers, APrimaryValueSentAsNoNumberHasTheExponent255) {
    device.faults.notANumberPrimary = true;
    const HartAnswer primary = ask(1);
    ASSERT_EQ(primary.data.size(), 5u);
    EXPECT_EQ(Bytes(primary.data.begin() + 1, primary.data.end()), (Bytes{0x7F, 0xC0, 0x00, 0x00}));
    // The output goes on as before.
    EXPECT_TRUE(std::isfinite(ask(2).real(0)));
}

TEST_F(HartAnswers, LiveValuesStayInsideTheRangeAndTheOutputFollowsIt) {
    for (now = 0; now < 200'000; now += 3'700) {
        const HartAnswer pv = ask(1);
        EXPECT_EQ(pv.data[0], 32);
        EXPECT_GE(pv.real(1), 0.0f);
        EXPECT_LE(pv.real(1), 150.0f);
        const float expected = 4 + 16 * pv.real(1) / 150;
        EXPECT_NEAR(ask(2).real(0), expected, 0.01);
        const float ambient = ask(202).real(1);
        EXPECT_GT(ambient, 15.0f);
        EXPECT_LT(ambient, 35.0f);
    }
    device.state().input = 75;
    EXPECT_FLOAT_EQ(ask(2).real(0), 12.0f);
    EXPECT_FLOAT_EQ(ask(2).real(4), 50.0f);
}

TEST_F(HartAnswers, RivoOutputTypesScaleTheOutput) {
    Transmitter rivo(Model::Rivo22);
    rivo.state().input = 75;  // half of 0..150
    auto output = [&] { return parseHart(rivo.answer(hartRequest(0, 2))).real(0); };
    rivo.answer(hartRequest(0, 147, {0x41}));  // voltage output
    EXPECT_FLOAT_EQ(output(), 5.0f);
    rivo.answer(hartRequest(0, 147, {0x21}));  // 0...5 mA
    EXPECT_FLOAT_EQ(output(), 2.5f);
    rivo.answer(hartRequest(0, 147, {0x01}));  // 0...20 mA
    EXPECT_FLOAT_EQ(output(), 10.0f);
}

TEST_F(HartAnswers, CalibrationCommandsChangeWhatTheyShould) {
    device.state().input = 110;
    ask(137);
    // A Pt 100 at 110 °C has 142.35 Ohm, which the device now takes for its 100 Ohm reference:
    // the same input reads 0 °C from here on.
    EXPECT_FLOAT_EQ(device.state().calibration.inputLowR, 142.35f);
    EXPECT_NEAR(ask(1).real(1), 0.0f, 1e-3);
    ask(145, hartFloat(5.625));
    EXPECT_EQ(device.state().calibration.outputLowI, 5.625f);

    const float before = ask(202).real(1);
    ask(203, hartFloat(1.25));
    EXPECT_NEAR(ask(202).real(1), before + 1.25f, 1e-4);

    device.state().rangeLower = -20;
    ask(43);  // trim: the present input reads as the lower range end
    EXPECT_NEAR(ask(1).real(1), -20.0f, 1e-3);
    ask(147, {ask(147).data[0]});  // writing the configuration back cancels the trim
    EXPECT_NEAR(ask(1).real(1), 0.0f, 1e-3);

    ask(139, {1});
    EXPECT_NEAR(ask(1).real(1), 110.0f, 1e-3);
    EXPECT_EQ(device.state().calibration.inputLowR, device.state().factoryCalibration.inputLowR);
    EXPECT_EQ(device.state().calibration.compensation, 0.0f);
}

// The answers a real transmitter may give where the documentation leaves room, each taking
// the write as ours does.
TEST_F(HartAnswers, VariantsAnswerOtherwiseButKeepWhatWasWritten) {
    device.faults.documentedBitsOnly = true;
    EXPECT_EQ(ask(147, {0x91}).data, Bytes{0x81});  // RIVO output bits left out of the write's answer
    EXPECT_EQ(device.state().outputBits, 0x10);
    EXPECT_EQ(ask(147).data, Bytes{0x91}) << "the read reports them";

    device.faults.misindexedPoints = 2;
    EXPECT_EQ(ask(220, concat({8}, concat(hartFloat(1), hartFloat(2)))).data[0], 12);
    EXPECT_EQ(ask(220, {8}).data[0], 12);
    EXPECT_EQ(ask(220, {8}).data[0], 8) << "only the first two";
    EXPECT_EQ(device.state().characteristicY[2], 2.0f);

    device.faults.answerFromNewAddress = true;
    const HartAnswer moved = parseHart(device.answer(hartRequest(3, 6, {9})));
    EXPECT_EQ(moved.address, 0x89);
    EXPECT_EQ(moved.data, Bytes{9});
    EXPECT_EQ(device.state().address, 9);
}

}  // namespace
}  // namespace doxa::sim::test
