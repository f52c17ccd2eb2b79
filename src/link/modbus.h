#pragma once

#include <cstdint>
#include <span>

#include "link/value_codec.h"

namespace doxa {

// MODBUS RTU framing. Values travel one byte per register, in the register's low byte.
namespace modbus {
inline constexpr std::uint8_t ReadHolding = 3;
inline constexpr std::uint8_t WriteSingle = 6;
inline constexpr std::uint8_t WriteMultiple = 16;
inline constexpr std::uint8_t WriteAndStore = 116;   // like 16, kept in the transmitter's EEPROM
inline constexpr std::uint8_t CalibrateUpper = 136;
inline constexpr std::uint8_t CalibrateLower = 137;
inline constexpr std::uint8_t CalibrateOutputLow = 145;
inline constexpr std::uint8_t CalibrateOutputHigh = 146;
}  // namespace modbus

std::uint16_t modbusCrc(std::span<const std::uint8_t> frame, int length);

// Each builder fills frame from byte 0, appends the CRC low byte first, returns the length.
int buildReadRequest(std::span<std::uint8_t> frame, int slave, int start, int count);
int buildWriteSingle(std::span<std::uint8_t> frame, int slave, int reg, std::uint16_t value);
// Function 16 or 116; each byte of `lowBytes` becomes one register with a zero high byte.
int buildWriteRegisters(std::span<std::uint8_t> frame, int slave, std::uint8_t function,
                        int start, std::span<const std::uint8_t> lowBytes);
// Functions 136 and 137: address and code only.
int buildBareRequest(std::span<std::uint8_t> frame, int slave, std::uint8_t function);
// Address, function, the data bytes as they are, CRC.
int buildDataRequest(std::span<std::uint8_t> frame, int slave, std::uint8_t function,
                     std::span<const std::uint8_t> data);
// Functions 145 and 146: one float in the MODBUS layout.
int buildFloatRequest(std::span<std::uint8_t> frame, int slave, std::uint8_t function,
                      double value);

// Low byte of register k of a read answer (bytes 3 + 2k high, 4 + 2k low).
std::uint8_t registerLow(std::span<const std::uint8_t> answer, int k);
std::uint8_t registerHigh(std::span<const std::uint8_t> answer, int k);
// The float whose four bytes are the low bytes of registers k..k+3.
DecodedFloat registerFloat(std::span<const std::uint8_t> answer, int k);

}  // namespace doxa
