#pragma once

#include <array>
#include <cstdint>
#include <functional>

namespace doxa {

// The 4096-byte ring of every byte written ('T' records) and read ('R' records).
class TrafficLog {
public:
    static constexpr int Size = 4096;
    static constexpr std::uint8_t WrittenMarker = 'T';
    static constexpr std::uint8_t ReadMarker = 'R';

    // Appends marker, six 0xFF fill bytes when rs485, then the bytes; a record that does not
    // fit before the end starts again at position 0. Calls onChange afterwards.
    void append(std::uint8_t marker, bool rs485, const std::uint8_t* bytes, int count);

    const std::array<std::uint8_t, Size>& bytes() const { return bytes_; }

    int trafficLogPos = 0;
    std::function<void()> onChange;  // the traffic view asks to be repainted
    // Every record as it is appended: its marker and the bytes of the line (without the RS485
    // fill). `restarted` tells that the log position had been reset to 0 before it, by a
    // command rather than by the ring's wrap.
    std::function<void(std::uint8_t marker, const std::uint8_t* bytes, int count, bool restarted)> onRecord;

private:
    std::array<std::uint8_t, Size> bytes_{};
};

}  // namespace doxa
