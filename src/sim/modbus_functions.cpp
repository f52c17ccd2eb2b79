// The MODBUS RTU side of the transmitter: the standard register functions over its two RAM
// pages, function 116 over its EEPROM, and its own calibration functions.

#include <algorithm>
#include <array>

#include "link/modbus.h"
#include "link/value_codec.h"
#include "sim/transmitter.h"

namespace doxa::sim {

namespace {

constexpr std::uint8_t IllegalFunction = 1;
constexpr std::uint8_t IllegalAddress = 2;
constexpr std::uint8_t IllegalValue = 3;
constexpr std::uint8_t ExceptionBit = 0x80;

constexpr int RegisterCount = 0x200;       // RAM 0 and RAM 1
constexpr int EepromRegisterCount = 0x100;  // the EEPROM page function 116 reaches
constexpr int MaxReadCount = 125;
constexpr int MaxWriteCount = 123;
// Register 4 of the identity block carries the variant byte in its high byte as well.
constexpr int VariantRegister = 0x13C;
// Writes to these registers drive the output; they do not change the configuration.
constexpr std::array<int, 6> OutputControlRegisters{0x3E, 0xE0, 0xE1, 0xE2, 0xE3, 0xED};

int word(std::span<const std::uint8_t> frame, std::size_t at) { return frame[at] << 8 | frame[at + 1]; }

// The bit a miskept write gets wrong.
constexpr std::uint8_t MiskeptBit = 0x01;

// A write long enough to carry a start register and at least one value.
bool isWrite(std::span<const std::uint8_t> frame) {
    const std::uint8_t function = frame[1];
    return frame.size() >= 6 && (function == modbus::WriteSingle || function == modbus::WriteMultiple ||
                                 function == modbus::WriteAndStore);
}

std::vector<std::uint8_t> exception(std::span<const std::uint8_t> frame, std::uint8_t code) {
    return {frame[0], static_cast<std::uint8_t>(frame[1] | ExceptionBit), code};
}

std::vector<std::uint8_t> lowBytesOf(std::span<const std::uint8_t> values) {
    std::vector<std::uint8_t> low;
    for (std::size_t i = 1; i < values.size(); i += 2) low.push_back(values[i]);
    return low;
}

bool onlyOutputControl(int start, int count) {
    for (int reg = start; reg < start + count; ++reg)
        if (std::find(OutputControlRegisters.begin(), OutputControlRegisters.end(), reg) ==
            OutputControlRegisters.end())
            return false;
    return true;
}

// The calibration functions, and the compensation correction written with function 116.
bool isCalibrationWrite(std::span<const std::uint8_t> frame) {
    constexpr int CompensationRegister = 0x38;
    switch (frame[1]) {
        case modbus::CalibrateUpper:
        case modbus::CalibrateLower:
        case modbus::CalibrateOutputLow:
        case modbus::CalibrateOutputHigh: return true;
        case modbus::WriteAndStore: return frame.size() >= 4 && word(frame, 2) == CompensationRegister;
        default: return false;
    }
}

}  // namespace

std::optional<std::vector<std::uint8_t>> Transmitter::answerModbus(std::span<const std::uint8_t> frame) {
    constexpr std::size_t Shortest = 4;  // address, function, CRC
    if (frame.size() < Shortest || frame[0] != state_.address) return std::nullopt;
    const int body = static_cast<int>(frame.size()) - 2;
    const std::uint16_t crc = modbusCrc(frame, body);
    if (frame[body] != (crc & 0xFF) || frame[body + 1] != (crc >> 8)) return std::nullopt;

    verdict_ = injector_.decide(faults, ++requests_);
    std::vector<std::uint8_t> payload(frame.begin(), frame.begin() + body);
    if (verdict_.loseCalibration && isCalibrationWrite(payload)) return std::nullopt;
    if (isWrite(payload)) {
        const auto fault = faults.modbusWrites.find(word(payload, 2));
        if (fault != faults.modbusWrites.end()) {
            if (fault->second == WriteFault::Unanswered) return std::nullopt;
            payload.back() ^= MiskeptBit;
        }
    }
    const bool write = isWrite(payload) || isCalibrationWrite(payload);
    // HART keys are the commands 0..255; a MODBUS write is known by its function and register.
    const int key = payload[1] << 16 | (isWrite(payload) ? word(payload, 2) : 0);
    const auto refused = write ? refusalCode(faults.modbusRefusals, key) : std::nullopt;
    std::vector<std::uint8_t> out = verdict_.notImplemented ? exception(payload, IllegalFunction)
                                    : refused ? exception(payload, static_cast<std::uint8_t>(*refused))
                                              : modbusFunction(payload);
    // The device's own functions have bit 7 set already: an exception answer is known by its length.
    const bool exceptionAnswer = out.size() == 3 && (out[1] & ExceptionBit);
    if (write && !exceptionAnswer && answerLost(key)) return std::nullopt;
    const std::uint16_t answerCrc = modbusCrc(out, static_cast<int>(out.size()));
    out.push_back(answerCrc & 0xFF);
    out.push_back(answerCrc >> 8);
    return out;
}

// `frame` is the request without its CRC; the answer is returned without its CRC.
std::vector<std::uint8_t> Transmitter::modbusFunction(std::span<const std::uint8_t> frame) {
    switch (frame[1]) {
        case modbus::ReadHolding: return readRegisters(frame);
        case modbus::WriteSingle: {
            if (frame.size() != 6) return exception(frame, IllegalValue);
            const int reg = word(frame, 2);
            if (reg >= RegisterCount) return exception(frame, IllegalAddress);
            if (!onlyOutputControl(reg, 1)) state_.configChanged = true;
            writeRam(reg, frame.subspan(5, 1));
            return {frame.begin(), frame.end()};
        }
        case modbus::WriteMultiple:
        case modbus::WriteAndStore: return writeRegisters(frame);
        case modbus::CalibrateUpper:
        case modbus::CalibrateLower: return calibrateModbus(frame);
        case modbus::CalibrateOutputLow:
        case modbus::CalibrateOutputHigh: {
            if (frame.size() != 6) return exception(frame, IllegalValue);
            const double measured = decodeFloat(frame.data() + 2, FloatLayout::Modbus).value;
            storeOutputPoint(frame[1] == modbus::CalibrateOutputHigh, static_cast<float>(measured));
            return {frame.begin(), frame.end()};
        }
        default: return exception(frame, IllegalFunction);
    }
}

std::vector<std::uint8_t> Transmitter::readRegisters(std::span<const std::uint8_t> frame) {
    if (frame.size() != 6) return exception(frame, IllegalValue);
    const int start = word(frame, 2), count = word(frame, 4);
    if (count < 1 || count > MaxReadCount) return exception(frame, IllegalValue);
    if (start + count > RegisterCount) return exception(frame, IllegalAddress);

    const PageBytes ram0 = memory_.read(Page::Ram0, state_, live(), traits());
    const PageBytes ram1 = memory_.read(Page::Ram1, state_, live(), traits());
    std::vector<std::uint8_t> out{frame[0], frame[1], static_cast<std::uint8_t>(2 * count)};
    for (int reg = start; reg < start + count; ++reg) {
        out.push_back(reg == VariantRegister ? state_.variantByte : 0);
        out.push_back(reg < 0x100 ? ram0[reg] : ram1[reg - 0x100]);
    }
    return out;
}

std::vector<std::uint8_t> Transmitter::writeRegisters(std::span<const std::uint8_t> frame) {
    if (frame.size() < 7) return exception(frame, IllegalValue);
    const int start = word(frame, 2), count = word(frame, 4);
    const std::size_t byteCount = frame[6];
    if (count < 1 || count > MaxWriteCount || byteCount != 2u * count || frame.size() != 7 + byteCount)
        return exception(frame, IllegalValue);
    const bool eeprom = frame[1] == modbus::WriteAndStore;
    if (start + count > (eeprom ? EepromRegisterCount : RegisterCount)) return exception(frame, IllegalAddress);

    const std::vector<std::uint8_t> low = lowBytesOf(frame.subspan(7));
    if (eeprom) {
        memory_.write(Page::EepromHigh, start, low, state_, live(), traits());
        state_.configChanged = true;
    } else {
        if (!onlyOutputControl(start, count)) state_.configChanged = true;
        writeRam(start, low);
    }
    return {frame.begin(), frame.begin() + 6};
}

void Transmitter::writeRam(int firstRegister, std::span<const std::uint8_t> lowBytes) {
    // A block may run from RAM 0 into RAM 1.
    const std::size_t inRam0 = static_cast<std::size_t>(std::clamp(0x100 - firstRegister, 0, static_cast<int>(lowBytes.size())));
    if (inRam0 > 0) memory_.write(Page::Ram0, firstRegister, lowBytes.first(inRam0), state_, live(), traits());
    if (inRam0 < lowBytes.size())
        memory_.write(Page::Ram1, firstRegister + static_cast<int>(inRam0) - 0x100, lowBytes.subspan(inRam0),
                      state_, live(), traits());
}

std::vector<std::uint8_t> Transmitter::calibrateModbus(std::span<const std::uint8_t> frame) {
    if (frame.size() != 2) return exception(frame, IllegalValue);
    const auto value = encodeFloat(captureInput(frame[1] == modbus::CalibrateUpper), FloatLayout::Modbus);
    std::vector<std::uint8_t> out{frame[0], frame[1]};
    out.insert(out.end(), value.begin(), value.end());
    return out;
}

}  // namespace doxa::sim
