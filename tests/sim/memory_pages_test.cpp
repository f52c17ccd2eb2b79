#include <gtest/gtest.h>

#include "sim/transmitter.h"
#include "sim_wire.h"

namespace doxa::sim::test {
namespace {

// A dump as the main view reads it: the byte of page address a is dump[255 - a].
class Dump {
public:
    explicit Dump(Bytes bytes) : bytes_(std::move(bytes)) {}
    std::uint8_t at(int address) const { return bytes_[255 - address]; }
    float f4(int a) const { return decode(at(a), at(a + 1), at(a + 2), at(a + 3)); }
    float f3(int a) const { return decode(at(a), at(a + 1), at(a + 2), 0); }

private:
    static float decode(std::uint8_t b0, std::uint8_t b1, std::uint8_t b2, std::uint8_t b3) {
        return static_cast<float>(decodeFloat(b0, b1, b2, b3, FloatLayout::Modbus).value);
    }
    Bytes bytes_;
};

Bytes hartDump(Transmitter& t, char letter) {
    Bytes request(10, 0xFF);
    request.push_back(static_cast<std::uint8_t>(letter));
    return t.answer(request);
}

void configure(Transmitter& t) {
    State& s = t.state();
    s.address = 7;
    s.sensorCode = 4;
    s.breakToMin = true;
    s.rangeLower = -50;
    s.rangeUpper = 650;
    s.thresholdMode = 2;
    s.threshold = 500;
    s.thresholdRelease = 480;
    s.filterOrder = 2;
    s.filterTimeCode = 0x7C;
    s.delta = 5;
    s.calibration.inputLowU = 0.25f;
    s.calibration.inputHighU = 80.5f;
    s.calibration.compensation = -0.5f;
    s.trim = 2;
}

TEST(MemoryPages, DumpLettersAnswerWithAPageHighestAddressFirst) {
    Transmitter t(Model::Doxa22, Options{.address = 7});
    const Bytes hart = hartDump(t, 'F');
    ASSERT_EQ(hart.size(), 256u);
    const Bytes rs485 = t.answer(Bytes{'F'});
    EXPECT_EQ(hart, rs485);
    EXPECT_EQ(Dump(hart).at(3), 5);  // the model code lies at EEPROM address 3
    EXPECT_TRUE(t.answer(Bytes{'X'}).empty());
    for (char letter : {'E', 'R', 'S'}) EXPECT_EQ(t.answer(Bytes{static_cast<std::uint8_t>(letter)}).size(), 256u);
}

TEST(MemoryPages, CurrentGenerationPagesDecodeToTheConfiguration) {
    Transmitter t(Model::Doxa21U);
    configure(t);
    t.state().input = 300;

    const Dump eeprom(hartDump(t, 'E'));
    EXPECT_EQ(eeprom.at(8) & 0x3F, 4);
    EXPECT_EQ(eeprom.f4(4), -50.0f);
    EXPECT_EQ(eeprom.f4(0), 650.0f);
    EXPECT_EQ(eeprom.at(9), 0x15);  // break "na min", threshold on, "max"
    EXPECT_EQ(eeprom.at(13), 0x7C);
    EXPECT_EQ(eeprom.at(12), 2);
    EXPECT_EQ(eeprom.at(14), 5);
    EXPECT_EQ(eeprom.f4(16), 500.0f);
    EXPECT_EQ(eeprom.f4(20), 480.0f);
    EXPECT_EQ(eeprom.f4(88), 0.25f);
    EXPECT_EQ(eeprom.f4(92), 80.5f);
    EXPECT_EQ(eeprom.f4(40), 2.0f);
    EXPECT_EQ(eeprom.f4(56), -0.5f);
    EXPECT_EQ(eeprom.at(60), 7);

    const Dump ram0(hartDump(t, 'R'));
    EXPECT_EQ(ram0.at(219), 7);
    EXPECT_EQ(ram0.at(71) & 0x3F, 4);
    EXPECT_EQ(ram0.f4(63), -50.0f);
    EXPECT_EQ(ram0.f4(67), 650.0f);
    EXPECT_EQ(ram0.at(61) & 0x10, 0x10);
    EXPECT_EQ(ram0.at(86), 2);
    EXPECT_EQ(ram0.at(87), 0x7C);
    EXPECT_EQ(ram0.f4(210), 0.25f);  // IN_CAL1
    EXPECT_EQ(ram0.f4(206), 80.5f);  // IN_CAL2
    // The primary value: type K (about 0.041 mV/°C) read through the input calibration
    // 0.25...80.5 mV for 0...80 mV, then trimmed.
    EXPECT_NEAR(ram0.f4(220), (0.041 * 300 - 0.25) * 80 / 80.25 / 0.041 - 2, 1e-3);

    const Dump ram1(hartDump(t, 'S'));
    EXPECT_NEAR(ram1.f4(16), t.live().ambient, 1e-4);
    EXPECT_EQ(ram1.f4(84), -0.5f);
}

TEST(MemoryPages, OlderGenerationPagesUseThreeByteNumbers) {
    Transmitter t(Model::Doxa22, Options{.oldGeneration = true});
    configure(t);
    t.state().sensorCode = 1;

    const Dump eeprom(hartDump(t, 'E'));
    EXPECT_EQ(eeprom.f3(4), -50.0f);
    EXPECT_EQ(eeprom.f3(0), 650.0f);
    EXPECT_EQ(eeprom.at(8), 1);
    EXPECT_EQ(eeprom.f3(16), 500.0f);

    const Dump ram0(hartDump(t, 'R'));
    EXPECT_EQ(ram0.at(116), 1);
    EXPECT_EQ(ram0.f3(104), -50.0f);
    EXPECT_EQ(ram0.f3(107), 650.0f);
    EXPECT_EQ(ram0.at(121), 0x15);
    EXPECT_EQ(ram0.at(84), 2);
    EXPECT_EQ(ram0.at(85), 0x7C);
    EXPECT_EQ(ram0.at(86), 5);
    EXPECT_EQ(ram0.f3(160), 500.0f);
    EXPECT_EQ(ram0.f3(163), 480.0f);
    EXPECT_EQ(ram0.at(219), 7);
    EXPECT_EQ(ram0.at(220), 7);
}

TEST(MemoryPages, IdentityPageHoldsSerialAndText) {
    Transmitter t(Model::Sawe01, Options{.serialNumber = 0x123456});
    t.state().text = "PIEC 3";
    const Dump eeprom(t.answer(Bytes{'F'}));
    EXPECT_EQ(eeprom.at(0), 0x12);
    EXPECT_EQ(eeprom.at(1), 0x34);
    EXPECT_EQ(eeprom.at(2), 0x56);
    EXPECT_EQ(eeprom.at(3), 10);
    EXPECT_EQ(eeprom.at(8), 'P');
    EXPECT_EQ(eeprom.at(13), '3');
    EXPECT_EQ(eeprom.at(14), 0);
}

TEST(MemoryPages, ProgrammingThroughRegistersShowsInTheEepromPage) {
    Transmitter t(Model::Doxa22);
    t.answer(modbusWrite(0, modbus::WriteAndStore, 0x0000, concat(modbusFloat(120), modbusFloat(-20))));
    t.answer(modbusWrite(0, modbus::WriteAndStore, 0x0050, {0xAB}));  // a byte without a parameter
    const Dump eeprom(t.answer(Bytes{'E'}));
    EXPECT_EQ(eeprom.f4(0), 120.0f);
    EXPECT_EQ(eeprom.f4(4), -20.0f);
    EXPECT_EQ(eeprom.at(0x50), 0xAB);
    EXPECT_EQ(eeprom.at(0x51), 0xFF);  // erased EEPROM
}

}  // namespace
}  // namespace doxa::sim::test
