// What the simulated transmitter's calibration does to what it reports.

#include <gtest/gtest.h>

#include "sim/sim_options.h"
#include "sim/transmitter.h"
#include "sim_wire.h"

namespace doxa::sim::test {
namespace {

HartAnswer ask(Transmitter& device, std::uint8_t command, const Bytes& data = {}) {
    return parseHart(device.answer(hartRequest(0, command, data)));
}

// The technician reads 5.7 mA where the device drove 5.6: the device corrects every later
// output by that, and a forced 12 mA comes out accordingly lower.
TEST(CalibrationEffect, MeasuredTestPointsShiftTheOutput) {
    Transmitter device(Model::Doxa22);
    ask(device, 40, hartFloat(12));
    EXPECT_FLOAT_EQ(ask(device, 2).real(0), 12.0f);
    ask(device, 145, hartFloat(5.7));
    EXPECT_NEAR(ask(device, 2).real(0), 5.6 + (12 - 5.7) * (18.4 - 5.6) / (18.4 - 5.7), 1e-4);
    ask(device, 139, {1});  // factory points: exact again
    EXPECT_FLOAT_EQ(ask(device, 2).real(0), 12.0f);
}

TEST(CalibrationEffect, RivoCurrentOutputIsCalibratedAtTwoAndEighteen) {
    Transmitter device(Model::Rivo22);
    EXPECT_EQ(device.state().calibration.outputLowI, 2.0f);
    EXPECT_EQ(device.state().calibration.outputHighI, 18.0f);
    ask(device, 40, hartFloat(10));
    EXPECT_FLOAT_EQ(ask(device, 2).real(0), 10.0f);
}

// With a 0 mV reference that really gave 0.5 mV, a type K input reads 0.5 mV lower.
TEST(CalibrationEffect, ReferencePointsShiftTheReading) {
    Transmitter device(Model::Doxa21U);
    device.state().sensorCode = 3;  // millivolts
    device.state().input = 0.5f;
    ask(device, 137);
    EXPECT_FLOAT_EQ(device.state().calibration.inputLowU, 0.5f);
    device.state().input = 40.25f;
    EXPECT_NEAR(ask(device, 1).real(1), (40.25 - 0.5) * 80 / 79.5, 1e-4);
}

TEST(CalibrationEffect, ALostCalibrationWriteIsNeitherTakenNorAnswered) {
    Transmitter device(Model::Doxa22);
    device.faults.loseCalibration.probability = 1;
    EXPECT_TRUE(device.answer(hartRequest(0, 145, hartFloat(5.7))).empty());
    EXPECT_EQ(device.state().calibration.outputLowI, 5.6f);
    EXPECT_TRUE(device.answer(modbusWrite(0, 116, 0x38, modbusFloat(1))).empty());
    EXPECT_EQ(device.state().calibration.compensation, 0.0f);
    EXPECT_FALSE(device.answer(hartRequest(0, 1)).empty());  // measurement goes on
    EXPECT_FALSE(device.answer(modbusRead(0, 0x0110, 4)).empty());
}

TEST(CalibrationEffect, FixedAmbientCarriesTheCompensation) {
    Transmitter device(Model::Doxa22);
    device.state().ambient = 21.5f;
    device.state().calibration.compensation = -0.5f;
    EXPECT_FLOAT_EQ(ask(device, 202).real(1), 21.0f);
}

TEST(CalibrationEffect, LostCalibrationIsAnOptionOfTheProgram) {
    const std::vector<std::string_view> args{"--lose-calibration", "0.5", "--lose-calibration-nth", "4"};
    const ParsedOptions p = parseSimOptions(args);
    ASSERT_EQ(p.error, "");
    EXPECT_EQ(p.options.faults.loseCalibration.probability, 0.5);
    EXPECT_EQ(p.options.faults.loseCalibration.onRequest, 4u);
    EXPECT_NE(simUsage().find("--lose-calibration"), std::string::npos);
}

}  // namespace
}  // namespace doxa::sim::test
