#pragma once

// Requests as a master builds them and answers taken apart, for the simulator's tests.

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <vector>

#include "link/hart.h"
#include "link/modbus.h"
#include "link/value_codec.h"

namespace doxa::sim::test {

using Bytes = std::vector<std::uint8_t>;

inline Bytes hartRequest(int address, std::uint8_t command, const Bytes& data = {}) {
    std::array<std::uint8_t, 100> frame{};
    const int length = buildHartRequest(frame, address, command, data);
    return {frame.begin(), frame.begin() + length};
}

inline Bytes hartFloat(double value) {
    const auto b = encodeFloat(value, FloatLayout::Hart);
    return {b.begin(), b.end()};
}

inline Bytes concat(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// A HART answer with its preamble stripped and its frame checked.
struct HartAnswer {
    int preambles = 0;
    std::uint8_t address = 0, command = 0, status1 = 0, status2 = 0;
    Bytes data;
    // The length the configurator judges: the preamble normalised to six bytes.
    int normalisedLength() const { return 13 + static_cast<int>(data.size()); }
    float real(std::size_t at) const { return static_cast<float>(decodeFloat(data.data() + at, FloatLayout::Hart).value); }
};

inline HartAnswer parseHart(const Bytes& bytes) {
    HartAnswer a;
    while (a.preambles < static_cast<int>(bytes.size()) && bytes[a.preambles] == 0xFF) ++a.preambles;
    const std::size_t p = static_cast<std::size_t>(a.preambles);
    EXPECT_GE(bytes.size(), p + 7) << "answer too short";
    if (bytes.size() < p + 7) return a;
    EXPECT_EQ(bytes[p], 0x06);
    a.address = bytes[p + 1];
    a.command = bytes[p + 2];
    const std::size_t count = bytes[p + 3];
    EXPECT_EQ(bytes.size(), p + 4 + count + 1) << "byte count and length disagree";
    if (bytes.size() != p + 4 + count + 1 || count < 2) return a;
    EXPECT_EQ(hartChecksum(bytes, static_cast<int>(bytes.size()) - 1), bytes.back());
    a.status1 = bytes[p + 4];
    a.status2 = bytes[p + 5];
    a.data.assign(bytes.begin() + static_cast<std::ptrdiff_t>(p + 6), bytes.end() - 1);
    return a;
}

inline Bytes withCrc(Bytes frame) {
    const std::uint16_t crc = modbusCrc(frame, static_cast<int>(frame.size()));
    frame.push_back(crc & 0xFF);
    frame.push_back(crc >> 8);
    return frame;
}

inline Bytes modbusRead(int slave, int start, int count) {
    std::array<std::uint8_t, 100> frame{};
    return {frame.begin(), frame.begin() + buildReadRequest(frame, slave, start, count)};
}

inline Bytes modbusWrite(int slave, std::uint8_t function, int start, const Bytes& lowBytes) {
    std::array<std::uint8_t, 100> frame{};
    return {frame.begin(), frame.begin() + buildWriteRegisters(frame, slave, function, start, lowBytes)};
}

inline Bytes modbusWriteSingle(int slave, int reg, std::uint16_t value) {
    std::array<std::uint8_t, 100> frame{};
    return {frame.begin(), frame.begin() + buildWriteSingle(frame, slave, reg, value)};
}

inline Bytes modbusFloat(double value) {
    const auto b = encodeFloat(value, FloatLayout::Modbus);
    return {b.begin(), b.end()};
}

// The float in the low bytes of registers k..k+3 of a read answer.
inline float registerReal(const Bytes& answer, int k) {
    return static_cast<float>(registerFloat(answer, k).value);
}

inline bool crcValid(const Bytes& frame) {
    if (frame.size() < 3) return false;
    const std::uint16_t crc = modbusCrc(frame, static_cast<int>(frame.size()) - 2);
    return frame[frame.size() - 2] == (crc & 0xFF) && frame.back() == (crc >> 8);
}

}  // namespace doxa::sim::test
