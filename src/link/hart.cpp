#include "link/hart.h"

#include <algorithm>
#include <cassert>

namespace doxa {

std::uint8_t hartChecksum(std::span<const std::uint8_t> frame, int length) {
    const int end = std::clamp(length, 0, static_cast<int>(frame.size()));
    int pos = 0;
    while (pos < end && frame[pos] == 0xFF) ++pos;
    std::uint8_t sum = 0;
    for (; pos < end; ++pos) sum ^= frame[pos];
    return sum;
}

int buildHartRequest(std::span<std::uint8_t> frame, int pollingAddress, std::uint8_t command,
                     std::span<const std::uint8_t> data) {
    constexpr int header = hart::PreambleCount + 4;
    assert(static_cast<int>(frame.size()) >= header + 1 + static_cast<int>(data.size()));
    // A request that would not fit is cut to the buffer rather than written past it.
    const int room = static_cast<int>(frame.size()) - header - 1;
    const int count = std::clamp(static_cast<int>(data.size()), 0, std::min(room, 255));

    std::fill_n(frame.begin(), hart::PreambleCount, std::uint8_t{0xFF});
    frame[hart::PreambleCount] = hart::MasterDelimiter;
    frame[hart::PreambleCount + 1] = static_cast<std::uint8_t>(hart::PrimaryMaster + pollingAddress);
    frame[hart::PreambleCount + 2] = command;
    frame[hart::PreambleCount + 3] = static_cast<std::uint8_t>(count);
    std::copy_n(data.begin(), count, frame.begin() + header);
    frame[header + count] = hartChecksum(frame, header + count);
    return header + count + 1;
}

}  // namespace doxa
