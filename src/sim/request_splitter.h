#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace doxa::sim {

// Cuts the byte stream a master sends into requests. HART frames are delimited by their
// structure (0xFF preambles, delimiter 0x02, address, command, byte count, data, checksum) and
// a dump letter after the preambles ends a request at once; MODBUS RTU frames by the length
// their function implies. A pause in the stream ends whatever is waiting: a lone dump letter,
// a frame of an unknown function, or debris, which the transmitter then ignores. Stray 0xFF
// bytes (a master's close sequence) are dropped.
class RequestSplitter {
public:
    // Longer than any request: up to 255 data bytes after a HART header and many preambles.
    static constexpr std::size_t MaxPending = 512;

    explicit RequestSplitter(int silenceMs = 50) : silenceMs_(silenceMs) {}

    // Adds bytes received at nowMs and returns the requests they complete.
    std::vector<std::vector<std::uint8_t>> feed(std::span<const std::uint8_t> bytes, std::int64_t nowMs);
    // The requests a pause has completed by nowMs.
    std::vector<std::vector<std::uint8_t>> idle(std::int64_t nowMs);
    // When idle() will have something to do; empty while nothing waits.
    std::optional<std::int64_t> deadline() const;

private:
    void dropStrayPreambles();
    void takeComplete(std::vector<std::vector<std::uint8_t>>& requests);
    std::optional<std::size_t> completeLength() const;

    int silenceMs_;
    std::vector<std::uint8_t> buffer_;
    std::int64_t lastByteAt_ = 0;
};

// Frames what a MODBUS RTU master sends by the line's silence, as an RTU slave does: a frame
// ends when the line has been quiet for the gap after its last byte left it. Bytes that come
// sooner are received with it, as one frame (which its CRC then refuses). Times in microseconds.
class SilenceFramer {
public:
    // `bytes` arrived at nowUs on a line that carries a byte in byteUs; `gapUs` of silence end a frame.
    void feed(std::span<const std::uint8_t> bytes, std::int64_t nowUs, std::int64_t byteUs, std::int64_t gapUs);
    // The frame the silence has ended by nowUs, if any.
    std::optional<std::vector<std::uint8_t>> idle(std::int64_t nowUs);
    std::optional<std::int64_t> deadlineUs() const;
    bool receiving() const { return !frame_.empty(); }

private:
    std::vector<std::uint8_t> frame_;
    std::int64_t endsUs_ = 0;  // when the last byte has left the line
    std::int64_t gapUs_ = 0;
};

}  // namespace doxa::sim
