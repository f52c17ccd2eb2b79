#include <gtest/gtest.h>

#include "sim/transmitter.h"
#include "sim_wire.h"

namespace doxa::sim::test {
namespace {

class ModbusAnswers : public ::testing::Test {
protected:
    ModbusAnswers() : device(Model::Doxa22, Options{.address = 1, .serialNumber = 0x0A1B2C}) {
        device.setClock([] { return 0; });
    }
    Bytes ask(const Bytes& request) {
        const Bytes answer = device.answer(request);
        EXPECT_TRUE(answer.empty() || crcValid(answer));
        return answer;
    }
    Bytes read(int start, int count) { return ask(modbusRead(1, start, count)); }
    Bytes store(int start, const Bytes& lowBytes) { return ask(modbusWrite(1, modbus::WriteAndStore, start, lowBytes)); }
    HartAnswer hart(std::uint8_t command, const Bytes& data = {}) {
        return parseHart(device.answer(hartRequest(1, command, data)));
    }

    Transmitter device;
};

TEST_F(ModbusAnswers, APrimaryValueSentAsNoNumberHasItsExponentByteAllOnes) {
    device.faults.notANumberPrimary = true;
    const Bytes answer = read(0x00DC, 8);
    ASSERT_EQ(answer.size(), 21u);
    EXPECT_EQ(answer[4], 0xFF);
    EXPECT_FALSE(decodeFloat(answer[4], answer[6], answer[8], answer[10], FloatLayout::Modbus).isNumber());
    EXPECT_TRUE(decodeFloat(answer[12], answer[14], answer[16], answer[18], FloatLayout::Modbus).isNumber());
}

TEST_F(ModbusAnswers, IdentityBlockAnswersTheDocumentedRequest) {
    const Bytes answer = ask({0x01, 0x03, 0x01, 0x38, 0x00, 0x06, 0x45, 0xF9});
    ASSERT_EQ(answer.size(), 17u);
    EXPECT_EQ(answer[2], 12);
    EXPECT_EQ(answer[4], 0x0A);
    EXPECT_EQ(answer[6], 0x1B);
    EXPECT_EQ(answer[8], 0x2C);
    EXPECT_EQ(answer[10], 5);     // model code
    EXPECT_EQ(answer[12], 0x02);  // variant byte
    EXPECT_EQ(answer[14], ' ');   // Pt 100 measures in °C

    Transmitter rivo(Model::Rivo22);
    const Bytes rivoAnswer = rivo.answer(modbusRead(0, 0x138, 6));
    EXPECT_EQ(rivoAnswer[11], 145);  // the byte the RIVO-22 test reads for model code 5
}

TEST_F(ModbusAnswers, ReadsTheConfiguratorMakesHaveTheirLengths) {
    const struct {
        int start, count;
        std::size_t length;
    } reads[] = {{0x003D, 11, 27}, {0x0047, 1, 7},  {0x0168, 8, 21}, {0x0056, 2, 9},
                 {0x00DC, 8, 21},  {0x00DC, 4, 13}, {0x00E0, 4, 13}, {0x0110, 4, 13}, {0x0154, 4, 13}};
    for (const auto& r : reads) EXPECT_EQ(read(r.start, r.count).size(), r.length) << std::hex << r.start;
}

TEST_F(ModbusAnswers, WhatOneProtocolWritesTheOtherReads) {
    // RS485 programming as the configurator sends it.
    EXPECT_EQ(store(0x0000, concat(modbusFloat(400), modbusFloat(-100))).size(), 8u);
    EXPECT_EQ(store(0x0008, {4, 0x15, 0xF7}).size(), 8u);
    EXPECT_EQ(store(0x000C, {2, 0x7C, 6}).size(), 8u);
    EXPECT_EQ(store(0x0010, concat(modbusFloat(300), modbusFloat(290))).size(), 8u);

    const HartAnswer range = hart(15);
    EXPECT_EQ(range.real(3), 400.0f);
    EXPECT_EQ(range.real(7), -100.0f);
    EXPECT_EQ(hart(147).data[0] & 0x8F, 0x84);  // TC K, break "na min"
    EXPECT_EQ(hart(201).data, (Bytes{2, 0x7C, 6}));
    const HartAnswer threshold = hart(200);
    EXPECT_EQ(threshold.data[0], 2);  // flags 0x05: on, "max"
    EXPECT_EQ(threshold.real(1), 300.0f);
    EXPECT_EQ(threshold.real(5), 290.0f);

    // And back: HART writes, MODBUS reads the configuration block.
    hart(35, concat(concat({0}, hartFloat(250)), hartFloat(20)));
    hart(147, {0x01});
    const Bytes config = read(0x003D, 11);
    EXPECT_EQ(config[4], 0x05);         // break bit cleared, threshold still on and "max"
    EXPECT_EQ(registerReal(config, 2), 20.0f);
    EXPECT_EQ(registerReal(config, 6), 250.0f);
    EXPECT_EQ(config[24] & 0x0F, 1);
    EXPECT_EQ(read(0x0056, 2)[6], 0x7C);
    EXPECT_EQ(registerReal(read(0x0168, 8), 4), 290.0f);
}

TEST_F(ModbusAnswers, NewSlaveAddressTakesEffectWithTheClosingWrite) {
    EXPECT_EQ(store(0x003C, {9}).size(), 8u);
    EXPECT_EQ(read(0x0047, 1).size(), 7u);  // still the old address
    EXPECT_EQ(ask(modbusWriteSingle(1, 0x00ED, 0x00AA)).size(), 8u);
    EXPECT_TRUE(read(0x0047, 1).empty());
    EXPECT_EQ(device.answer(modbusRead(9, 0x0047, 1)).size(), 7u);
}

TEST_F(ModbusAnswers, LineSettingsAndCompensationAreKept) {
    store(0x007E, {0x82});
    EXPECT_EQ(device.state().lineSettings, 0x82);

    const float ambient = registerReal(read(0x0110, 4), 0);
    store(0x0038, modbusFloat(1.5));
    EXPECT_EQ(registerReal(read(0x0154, 4), 0), 1.5f);
    EXPECT_NEAR(registerReal(read(0x0110, 4), 0), ambient + 1.5f, 1e-4);
}

TEST_F(ModbusAnswers, ForcedOutputFollowsTheModeRegister) {
    device.state().input = 75;
    EXPECT_EQ(ask(modbusWriteSingle(1, 0x003E, 0x0008)).size(), 8u);
    EXPECT_FLOAT_EQ(registerReal(read(0x00E0, 4), 0), 12.0f);  // held where it was
    EXPECT_EQ(ask(modbusWrite(1, modbus::WriteMultiple, 0x00E0, modbusFloat(18.4))).size(), 8u);
    const float sent = static_cast<float>(decodeFloat(modbusFloat(18.4).data(), FloatLayout::Modbus).value);
    EXPECT_EQ(registerReal(read(0x00DC, 8), 4), sent);
    EXPECT_EQ(hart(0).status2 & 0x08, 0x08);
    ask(modbusWriteSingle(1, 0x003E, 0x0000));
    EXPECT_FLOAT_EQ(registerReal(read(0x00E0, 4), 0), 12.0f);
    EXPECT_FALSE(device.state().fixedOutput);
}

TEST_F(ModbusAnswers, CalibrationFunctions) {
    device.state().input = 300;
    std::array<std::uint8_t, 8> frame{};
    const Bytes upper(frame.begin(), frame.begin() + buildBareRequest(frame, 1, modbus::CalibrateUpper));
    const Bytes answer = ask(upper);
    ASSERT_EQ(answer.size(), 8u);
    EXPECT_EQ(answer[1], 136);
    EXPECT_FLOAT_EQ(device.state().calibration.inputHighR, 215.5f);  // a Pt 100 at 300 °C, in Ohm

    const Bytes point(frame.begin(), frame.begin() + buildFloatRequest(frame, 1, modbus::CalibrateOutputHigh, 18.5));
    EXPECT_EQ(ask(point), point);
    EXPECT_EQ(device.state().calibration.outputHighI, 18.5f);
}

TEST_F(ModbusAnswers, BadRequestsAreTreatedAsASlaveTreatsThem) {
    Bytes corrupt = modbusRead(1, 0x0047, 1);
    corrupt[3] ^= 1;
    EXPECT_TRUE(device.answer(corrupt).empty());
    EXPECT_TRUE(device.answer(modbusRead(2, 0x0047, 1)).empty());
    EXPECT_TRUE(device.answer(Bytes{0x01, 0x03}).empty());

    EXPECT_EQ(read(0x01FF, 2), withCrc({0x01, 0x83, 0x02}));           // past the last register
    EXPECT_EQ(store(0x00FF, {1, 2}), withCrc({0x01, 0xF4, 0x02}));     // past the EEPROM page
    EXPECT_EQ(ask(withCrc({0x01, 0x2B, 0x0E, 0x01, 0x00})), withCrc({0x01, 0xAB, 0x01}));
    EXPECT_EQ(ask(withCrc({0x01, 0x10, 0x00, 0x10, 0x00, 0x02, 0x03, 0, 1, 0})), withCrc({0x01, 0x90, 0x03}));
}

TEST_F(ModbusAnswers, RegistersWithoutAParameterKeepWhatWasWritten) {
    ask(modbusWrite(1, modbus::WriteMultiple, 0x0020, {0x12, 0x34}));
    const Bytes answer = read(0x0020, 2);
    EXPECT_EQ(answer[4], 0x12);
    EXPECT_EQ(answer[6], 0x34);
    // A read-only parameter is laid out anew from the device's state.
    ask(modbusWriteSingle(1, 0x00DB, 0x0055));
    EXPECT_EQ(read(0x00DB, 1)[4], 1);
}

}  // namespace
}  // namespace doxa::sim::test
