#include "link/modbus.h"

#include <gtest/gtest.h>

#include <vector>

namespace doxa {
namespace {

std::vector<std::uint8_t> head(const std::array<std::uint8_t, 100>& frame, int length) {
    return {frame.begin(), frame.begin() + length};
}

TEST(ModbusCrc, MatchesTheStandardCheckValues) {
    const std::uint8_t text[] = {'1', '2', '3', '4', '5', '6', '7', '8', '9'};
    EXPECT_EQ(modbusCrc(text, 9), 0x4B37);
    EXPECT_EQ(modbusCrc(text, 0), 0xFFFF);
}

TEST(ModbusRequest, ReadOfTheIdentityRegisters) {
    std::array<std::uint8_t, 100> frame{};
    const int length = buildReadRequest(frame, 1, 0x0138, 6);
    EXPECT_EQ(head(frame, length), (std::vector<std::uint8_t>{0x01, 0x03, 0x01, 0x38, 0x00, 0x06, 0x45, 0xF9}));
}

TEST(ModbusRequest, WritesOfRegisters) {
    std::array<std::uint8_t, 100> frame{};
    const std::uint8_t address[] = {7};
    int length = buildWriteRegisters(frame, 3, modbus::WriteAndStore, 0x003C, address);
    ASSERT_EQ(length, 11);
    EXPECT_EQ(head(frame, 9), (std::vector<std::uint8_t>{3, 116, 0x00, 0x3C, 0x00, 0x01, 0x02, 0x00, 0x07}));
    EXPECT_EQ(modbusCrc(frame, 9), frame[9] | frame[10] << 8);

    const auto value = encodeFloat(12.0, FloatLayout::Modbus);
    length = buildWriteRegisters(frame, 1, modbus::WriteMultiple, 0x00E0, value);
    ASSERT_EQ(length, 17);
    EXPECT_EQ(std::vector<std::uint8_t>(frame.begin() + 7, frame.begin() + 15),
              (std::vector<std::uint8_t>{0x00, 0x82, 0x00, 0x40, 0x00, 0x00, 0x00, 0x00}));

    length = buildWriteSingle(frame, 1, 0x00ED, 0x00AA);
    EXPECT_EQ(head(frame, 6), (std::vector<std::uint8_t>{1, 6, 0x00, 0xED, 0x00, 0xAA}));
    EXPECT_EQ(length, 8);
}

TEST(ModbusRequest, BareAndFloatFunctions) {
    std::array<std::uint8_t, 100> frame{};
    EXPECT_EQ(buildBareRequest(frame, 2, modbus::CalibrateUpper), 4);
    EXPECT_EQ(frame[1], 136);
    EXPECT_EQ(modbusCrc(frame, 2), frame[2] | frame[3] << 8);
    EXPECT_EQ(buildFloatRequest(frame, 2, modbus::CalibrateOutputLow, 12.0), 8);
    EXPECT_EQ(head(frame, 6), (std::vector<std::uint8_t>{2, 145, 0x82, 0x40, 0x00, 0x00}));
}

TEST(ModbusAnswer, RegistersAndFloatsByLowBytes) {
    // Answer to a read of 4 registers holding 12.0.
    const std::uint8_t answer[] = {1, 3, 8, 0xAA, 0x82, 0xBB, 0x40, 0, 0, 0, 0, 0x12, 0x34};
    EXPECT_EQ(registerLow(answer, 0), 0x82);
    EXPECT_EQ(registerHigh(answer, 1), 0xBB);
    EXPECT_EQ(registerFloat(answer, 0).value, 12.0);
    EXPECT_EQ(registerLow(answer, 10), 0);  // past the answer reads as nothing
}

}  // namespace
}  // namespace doxa
