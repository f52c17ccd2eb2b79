#include "link/traffic_log.h"

#include <algorithm>

namespace doxa {

namespace {
constexpr int FillCount = 6;
}

void TrafficLog::append(std::uint8_t marker, bool rs485, const std::uint8_t* bytes, int count) {
    const int fill = rs485 ? FillCount : 0;
    count = std::clamp(count, 0, Size - 1 - fill);
    const int length = 1 + fill + count;
    const bool restarted = trafficLogPos == 0;
    if (trafficLogPos < 0 || trafficLogPos + length > Size) trafficLogPos = 0;
    bytes_[trafficLogPos++] = marker;
    std::fill_n(bytes_.begin() + trafficLogPos, fill, std::uint8_t{0xFF});
    trafficLogPos += fill;
    if (count > 0) std::copy_n(bytes, count, bytes_.begin() + trafficLogPos);
    trafficLogPos += count;
    if (onRecord) onRecord(marker, bytes, count, restarted);
    if (onChange) onChange();
}

}  // namespace doxa
