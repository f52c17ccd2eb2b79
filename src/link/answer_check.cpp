#include "link/answer_check.h"

#include "link/hart.h"
#include "link/modbus.h"

namespace doxa {

namespace {

constexpr std::uint8_t SlaveDelimiter = 0x06;
// A transmitter in burst mode sets this bit of the address in its answers.
constexpr std::uint8_t BurstBit = 0x40;
// Bit 7 of the function code marks a MODBUS exception answer (address, code, exception, CRC).
constexpr std::uint8_t ExceptionBit = 0x80;
constexpr int ExceptionLength = 5;
constexpr int ModbusMinimum = 5;
constexpr std::uint8_t SetAddressCommand = 6;
// Bit 7 of a short-frame address byte marks the primary master; the rest is the polling address.
constexpr std::uint8_t PrimaryMasterBit = 0x80;

AnswerFault checkHart(const PendingRequest& request, std::span<const std::uint8_t> f, int length) {
    if (length < hart::AnswerOverhead) return AnswerFault::Length;
    if (f[hart::AnswerDelimiter] != SlaveDelimiter) return AnswerFault::Delimiter;
    if (f[hart::AnswerCount] != length - (hart::AnswerOverhead - 2)) return AnswerFault::Length;
    if (hartChecksum(f, length - 1) != f[length - 1]) return AnswerFault::Checksum;
    const auto isFrom = [&](std::uint8_t address) {
        return ((f[hart::AnswerAddress] ^ address) & ~BurstBit) == 0;
    };
    if (!isFrom(request.address) && !(request.newAddress && isFrom(*request.newAddress)))
        return AnswerFault::Address;
    if (f[hart::AnswerCommand] != request.command) return AnswerFault::Command;
    return AnswerFault::None;
}

AnswerFault checkModbus(const PendingRequest& request, std::span<const std::uint8_t> f, int length) {
    if (length < ModbusMinimum) return AnswerFault::Length;
    // A cut or overlong read answer is a length fault, whatever its CRC then says.
    if (f[1] == modbus::ReadHolding && length != ModbusMinimum + f[2]) return AnswerFault::Length;
    const std::uint16_t crc = static_cast<std::uint16_t>(f[length - 2] | f[length - 1] << 8);
    if (modbusCrc(f, length - 2) != crc) return AnswerFault::Checksum;
    if (f[0] != request.address) return AnswerFault::Address;
    // The transmitter's own functions have bit 7 set already and have no exception form.
    if (!(request.command & ExceptionBit) && f[1] == (request.command | ExceptionBit))
        return length == ExceptionLength ? AnswerFault::Exception : AnswerFault::Length;
    if (f[1] != request.command) return AnswerFault::Command;
    return AnswerFault::None;
}

}  // namespace

PendingRequest pendingRequestOf(std::span<const std::uint8_t> request, int length) {
    int preambles = 0;
    while (preambles < length && request[preambles] == 0xFF) ++preambles;
    PendingRequest pending;
    if (preambles > 0 && preambles + 3 < length && request[preambles] == hart::MasterDelimiter) {
        pending.protocol = PendingRequest::Protocol::Hart;
        pending.address = request[preambles + 1];
        pending.command = request[preambles + 2];
        const int data = preambles + 4;
        if (pending.command == SetAddressCommand && request[preambles + 3] >= 1 && data < length)
            pending.newAddress = static_cast<std::uint8_t>((pending.address & PrimaryMasterBit) |
                                                           (request[data] & ~PrimaryMasterBit));
    } else if (preambles == 0 && length >= 4) {
        pending.protocol = PendingRequest::Protocol::Modbus;
        pending.address = request[0];
        pending.command = request[1];
    }
    return pending;
}

AnswerFault checkAnswer(const PendingRequest& request, std::span<const std::uint8_t> answer,
                        int length) {
    if (length <= 0 || length > static_cast<int>(answer.size())) return AnswerFault::Length;
    switch (request.protocol) {
        case PendingRequest::Protocol::Hart:
            return checkHart(request, answer, length);
        case PendingRequest::Protocol::Modbus:
            return checkModbus(request, answer, length);
        case PendingRequest::Protocol::None:
            break;
    }
    // Nothing was asked, so nothing that arrives can be its answer.
    return AnswerFault::Command;
}

AnswerTaken takeAnswer(const PendingRequest& request, std::span<const std::uint8_t> read,
                       int length) {
    for (int whole = 1; whole < length; ++whole)
        if (checkAnswer(request, read, whole) == AnswerFault::None) return {whole, AnswerFault::None};
    const AnswerFault fault = checkAnswer(request, read, length);
    return {fault == AnswerFault::None ? length : 0, fault};
}

}  // namespace doxa
