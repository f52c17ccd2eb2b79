#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>

namespace doxa {

// Why an answer was not taken as the answer to the request on the line. The exchange steps
// report a rejected answer like a missing one; the reason is kept for the line statistics.
enum class AnswerFault : int {
    None = 0,
    Length,     // too short for a frame, or the byte count disagrees with what arrived
    Delimiter,  // not a short-frame answer of a slave
    Checksum,   // HART checksum or MODBUS CRC
    Address,    // another transmitter's answer
    Command,    // the answer to another command or function, or to nothing asked
    Exception,  // a MODBUS exception answer
};

// What the request written last expects of its answer, taken from the request as built.
struct PendingRequest {
    enum class Protocol { None, Hart, Modbus };
    Protocol protocol = Protocol::None;
    std::uint8_t address = 0;  // HART: the address byte of the request; MODBUS: the slave
    std::uint8_t command = 0;  // HART: the command; MODBUS: the function
    // HART command 6: the address byte it sets. The transmitter may answer from either.
    std::optional<std::uint8_t> newAddress;
    // HART: how many data bytes the request carried.
    int dataCount = 0;
    // MODBUS: bytes 2..5 of the request (register and value, or register and count), which the
    // answer to a register write echoes.
    std::array<std::uint8_t, 4> modbusFields{};
    // MODBUS functions 6, 16 and 116: the first register written, which their answer echoes.
    std::optional<std::uint16_t> echoedRegister;
};

// Reads what a request of `length` bytes asks for: a HART short frame after its preambles, or
// else a MODBUS RTU frame.
PendingRequest pendingRequestOf(std::span<const std::uint8_t> request, int length);

// Checks an answer lying in the frame buffer (a HART answer with its preamble normalised to six
// bytes) against the request it should answer.
AnswerFault checkAnswer(const PendingRequest& request, std::span<const std::uint8_t> answer,
                        int length);

// What a read holds for the request: the first whole answer at its start that passes the check,
// whatever frame of the same transmitter follows it (a late answer to an earlier request).
// Without one, length is 0 and the fault is the whole read's.
struct AnswerTaken {
    int length = 0;
    AnswerFault fault = AnswerFault::None;
};
AnswerTaken takeAnswer(const PendingRequest& request, std::span<const std::uint8_t> read,
                       int length);

}  // namespace doxa
