#include "link/modbus.h"

#include <algorithm>
#include <cassert>

namespace doxa {

namespace {

// The two 256-entry tables of the serial-line CRC (reflected polynomial 0xA001), one for the
// byte that ends up low and one for the byte that ends up high after each step.
struct CrcTables {
    std::array<std::uint8_t, 256> low{};
    std::array<std::uint8_t, 256> high{};
};

constexpr CrcTables makeCrcTables() {
    CrcTables tables;
    for (int index = 0; index < 256; ++index) {
        std::uint16_t crc = static_cast<std::uint16_t>(index);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 1) ? static_cast<std::uint16_t>((crc >> 1) ^ 0xA001) : static_cast<std::uint16_t>(crc >> 1);
        tables.low[index] = static_cast<std::uint8_t>(crc);
        tables.high[index] = static_cast<std::uint8_t>(crc >> 8);
    }
    return tables;
}

constexpr CrcTables Crc = makeCrcTables();

void putWord(std::span<std::uint8_t> frame, int pos, int value) {
    frame[pos] = static_cast<std::uint8_t>(value >> 8);
    frame[pos + 1] = static_cast<std::uint8_t>(value);
}

int header(std::span<std::uint8_t> frame, int slave, std::uint8_t function) {
    frame[0] = static_cast<std::uint8_t>(slave);
    frame[1] = function;
    return 2;
}

// Appends the CRC, low byte first, and returns the frame's full length.
int finish(std::span<std::uint8_t> frame, int length) {
    const std::uint16_t crc = modbusCrc(frame, length);
    frame[length] = static_cast<std::uint8_t>(crc);
    frame[length + 1] = static_cast<std::uint8_t>(crc >> 8);
    return length + 2;
}

}  // namespace

std::uint16_t modbusCrc(std::span<const std::uint8_t> frame, int length) {
    const int end = std::clamp(length, 0, static_cast<int>(frame.size()));
    std::uint8_t low = 0xFF;
    std::uint8_t high = 0xFF;
    for (int pos = 0; pos < end; ++pos) {
        const std::uint8_t index = low ^ frame[pos];
        low = high ^ Crc.low[index];
        high = Crc.high[index];
    }
    return static_cast<std::uint16_t>(high << 8 | low);
}

int buildReadRequest(std::span<std::uint8_t> frame, int slave, int start, int count) {
    assert(frame.size() >= 8);
    header(frame, slave, modbus::ReadHolding);
    putWord(frame, 2, start);
    putWord(frame, 4, count);
    return finish(frame, 6);
}

int buildWriteSingle(std::span<std::uint8_t> frame, int slave, int reg, std::uint16_t value) {
    assert(frame.size() >= 8);
    header(frame, slave, modbus::WriteSingle);
    putWord(frame, 2, reg);
    putWord(frame, 4, value);
    return finish(frame, 6);
}

int buildWriteRegisters(std::span<std::uint8_t> frame, int slave, std::uint8_t function,
                        int start, std::span<const std::uint8_t> lowBytes) {
    assert(frame.size() >= 9 + 2 * lowBytes.size());
    // Registers that would not fit in the buffer are left out rather than written past its end.
    const int room = (static_cast<int>(frame.size()) - 9) / 2;
    const int count = std::clamp(static_cast<int>(lowBytes.size()), 0, std::min(room, 127));
    header(frame, slave, function);
    putWord(frame, 2, start);
    putWord(frame, 4, count);
    frame[6] = static_cast<std::uint8_t>(2 * count);
    for (int k = 0; k < count; ++k) putWord(frame, 7 + 2 * k, lowBytes[k]);
    return finish(frame, 7 + 2 * count);
}

int buildBareRequest(std::span<std::uint8_t> frame, int slave, std::uint8_t function) {
    assert(frame.size() >= 4);
    return finish(frame, header(frame, slave, function));
}

int buildDataRequest(std::span<std::uint8_t> frame, int slave, std::uint8_t function,
                     std::span<const std::uint8_t> data) {
    assert(frame.size() >= 4 + data.size());
    const int count = std::clamp(static_cast<int>(data.size()), 0, static_cast<int>(frame.size()) - 4);
    const int start = header(frame, slave, function);
    std::copy_n(data.begin(), count, frame.begin() + start);
    return finish(frame, start + count);
}

int buildFloatRequest(std::span<std::uint8_t> frame, int slave, std::uint8_t function,
                      double value) {
    assert(frame.size() >= 8);
    header(frame, slave, function);
    const auto bytes = encodeFloat(value, FloatLayout::Modbus);
    std::copy(bytes.begin(), bytes.end(), frame.begin() + 2);
    return finish(frame, 6);
}

namespace {
std::uint8_t byteAt(std::span<const std::uint8_t> answer, int pos) {
    return pos >= 0 && pos < static_cast<int>(answer.size()) ? answer[pos] : 0;
}
}  // namespace

std::uint8_t registerLow(std::span<const std::uint8_t> answer, int k) {
    return byteAt(answer, 4 + 2 * k);
}

std::uint8_t registerHigh(std::span<const std::uint8_t> answer, int k) {
    return byteAt(answer, 3 + 2 * k);
}

DecodedFloat registerFloat(std::span<const std::uint8_t> answer, int k) {
    return decodeFloat(registerLow(answer, k), registerLow(answer, k + 1),
                       registerLow(answer, k + 2), registerLow(answer, k + 3), FloatLayout::Modbus);
}

}  // namespace doxa
