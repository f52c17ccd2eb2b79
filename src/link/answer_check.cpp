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
    if (request.echoedRegister && length >= 4 && (f[2] << 8 | f[3]) != *request.echoedRegister)
        return AnswerFault::Command;
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
        pending.dataCount = request[preambles + 3];
        if (pending.command == SetAddressCommand && request[preambles + 3] >= 1 && data < length)
            pending.newAddress = static_cast<std::uint8_t>((pending.address & PrimaryMasterBit) |
                                                           (request[data] & ~PrimaryMasterBit));
    } else if (preambles == 0 && length >= 4) {
        pending.protocol = PendingRequest::Protocol::Modbus;
        pending.address = request[0];
        pending.command = request[1];
        for (std::size_t i = 0; i < pending.modbusFields.size() && int(i) + 2 < length; ++i)
            pending.modbusFields[i] = request[i + 2];
        if (pending.command == modbus::WriteSingle || pending.command == modbus::WriteMultiple ||
            pending.command == modbus::WriteAndStore)
            pending.echoedRegister = static_cast<std::uint16_t>(request[2] << 8 | request[3]);
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

namespace {

// The length of the first whole answer at the start of `read` that passes the check and is
// followed by nothing or by what begins a frame of the same transmitter (a preamble, its slave
// address): an answer cut short and run into by the next one could otherwise pass the 8-bit
// HART checksum by chance, one read in 256. 0 for none.
int firstWholeAnswer(const PendingRequest& request, std::span<const std::uint8_t> read, int length) {
    const std::uint8_t nextStart = request.protocol == PendingRequest::Protocol::Hart ? 0xFF : request.address;
    for (int whole = 1; whole < length; ++whole)
        if (read[static_cast<std::size_t>(whole)] == nextStart &&
            checkAnswer(request, read, whole) == AnswerFault::None)
            return whole;
    return checkAnswer(request, read, length) == AnswerFault::None ? length : 0;
}

// A MODBUS read answer does not say which registers it carries: a late answer to an earlier
// read of as many registers passes for this one. Two different answers that both pass leave
// the read unanswered rather than guessed at.
bool ambiguous(const PendingRequest& request, std::span<const std::uint8_t> read, int taken, int length) {
    if (request.protocol != PendingRequest::Protocol::Modbus || taken == length) return false;
    const auto rest = read.subspan(static_cast<std::size_t>(taken));
    const int other = firstWholeAnswer(request, rest, length - taken);
    return other > 0 && !std::equal(read.begin(), read.begin() + taken, rest.begin(), rest.begin() + other);
}

}  // namespace

AnswerTaken takeAnswer(const PendingRequest& request, std::span<const std::uint8_t> read,
                       int length) {
    const int taken = length > 0 ? firstWholeAnswer(request, read, length) : 0;
    if (taken > 0 && !ambiguous(request, read, taken, length)) return {taken, AnswerFault::None};
    const AnswerFault fault = checkAnswer(request, read, length);
    return {0, fault == AnswerFault::None ? AnswerFault::Length : fault};
}

}  // namespace doxa
