#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace doxa {

class Station;
class StatusPanel;

// HART short frames. A request lies in the frame buffer as ten 0xFF preambles, delimiter 0x02,
// address 0x80 + polling address, command, byte count, data and checksum.
namespace hart {
inline constexpr int PreambleCount = 10;
inline constexpr std::uint8_t MasterDelimiter = 0x02;
inline constexpr std::uint8_t PrimaryMaster = 0x80;
// Positions in an answer after the read has normalised its preamble to six bytes.
inline constexpr int AnswerDelimiter = 6;
inline constexpr int AnswerAddress = 7;
inline constexpr int AnswerCommand = 8;
inline constexpr int AnswerCount = 9;
inline constexpr int AnswerStatus1 = 10;
inline constexpr int AnswerStatus2 = 11;
inline constexpr int AnswerData = 12;
// An answer with d data bytes is this long plus d.
inline constexpr int AnswerOverhead = 13;
}  // namespace hart

// XOR of the bytes after the leading 0xFF preambles up to position length-1.
std::uint8_t hartChecksum(std::span<const std::uint8_t> frame, int length);

// Builds a request for the polling address in frame and returns its length (15 + data size).
int buildHartRequest(std::span<std::uint8_t> frame, int pollingAddress, std::uint8_t command,
                     std::span<const std::uint8_t> data = {});

// Shows the two status bytes of an answer on the status panel.
void decodeStatus(StatusPanel& panel, std::uint8_t first, std::uint8_t second);

// A condition of the transmitter that makes its readings doubtful, under the name scripts rely
// on ("malfunction", "sensor_break", "pv_out_of_limits") and the panel's text for it.
struct DeviceCondition {
    std::string_view code;
    std::string_view text;
    bool operator==(const DeviceCondition&) const = default;
};
// The conditions the status panel shows now, in the panel's order.
std::vector<DeviceCondition> deviceConditions(const StatusPanel& panel);

}  // namespace doxa
