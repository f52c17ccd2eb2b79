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

private:
    std::array<std::uint8_t, Size> bytes_{};
};

}  // namespace doxa
