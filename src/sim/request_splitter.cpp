#include "sim/request_splitter.h"

#include <algorithm>
#include <utility>

#include "link/hart.h"
#include "link/modbus.h"
#include "sim/memory_map.h"

namespace doxa::sim {

namespace {

constexpr std::uint8_t Preamble = 0xFF;

std::optional<std::size_t> modbusLength(std::span<const std::uint8_t> bytes) {
    constexpr std::size_t ByteCountAt = 6;
    if (bytes.size() < 2) return std::nullopt;
    switch (bytes[1]) {
        case modbus::ReadHolding:
        case modbus::WriteSingle:
        case modbus::CalibrateOutputLow:
        case modbus::CalibrateOutputHigh: return 8;
        case modbus::CalibrateUpper:
        case modbus::CalibrateLower: return 4;
        case modbus::WriteMultiple:
        case modbus::WriteAndStore:
            if (bytes.size() <= ByteCountAt) return std::nullopt;
            return 9 + bytes[ByteCountAt];
        default: return std::nullopt;
    }
}

}  // namespace

std::optional<std::size_t> RequestSplitter::completeLength() const {
    const std::size_t preambles = static_cast<std::size_t>(
        std::find_if(buffer_.begin(), buffer_.end(), [](std::uint8_t b) { return b != Preamble; }) - buffer_.begin());
    std::optional<std::size_t> length;
    if (preambles == 0) {
        length = modbusLength(buffer_);
    } else if (preambles < buffer_.size()) {
        const std::uint8_t first = buffer_[preambles];
        constexpr std::size_t Header = 4;  // delimiter, address, command, byte count
        if (pageForLetter(first))
            length = preambles + 1;
        else if (buffer_.size() >= preambles + Header)
            length = preambles + Header + buffer_[preambles + 3] + 1;
    }
    if (length && *length <= buffer_.size()) return length;
    return std::nullopt;
}

// 0xFF bytes before something that is neither a HART frame nor a dump letter were a close
// sequence or noise, not preambles: what follows is parsed on its own.
void RequestSplitter::dropStrayPreambles() {
    const auto first = std::find_if(buffer_.begin(), buffer_.end(), [](std::uint8_t b) { return b != Preamble; });
    if (first == buffer_.begin() || first == buffer_.end()) return;
    if (*first != hart::MasterDelimiter && !pageForLetter(*first)) buffer_.erase(buffer_.begin(), first);
}

void RequestSplitter::takeComplete(std::vector<std::vector<std::uint8_t>>& requests) {
    for (dropStrayPreambles(); const auto length = completeLength(); dropStrayPreambles()) {
        requests.emplace_back(buffer_.begin(), buffer_.begin() + static_cast<std::ptrdiff_t>(*length));
        buffer_.erase(buffer_.begin(), buffer_.begin() + static_cast<std::ptrdiff_t>(*length));
    }
}

std::vector<std::vector<std::uint8_t>> RequestSplitter::feed(std::span<const std::uint8_t> bytes,
                                                             std::int64_t nowMs) {
    buffer_.insert(buffer_.end(), bytes.begin(), bytes.end());
    if (!bytes.empty()) lastByteAt_ = nowMs;
    std::vector<std::vector<std::uint8_t>> requests;
    takeComplete(requests);
    // A peer that floods the line without a pause would make the buffer grow without end: no
    // request is longer than MaxPending bytes, so anything older that still waits is debris.
    if (buffer_.size() > MaxPending) {
        buffer_.erase(buffer_.begin(), buffer_.end() - static_cast<std::ptrdiff_t>(MaxPending));
        takeComplete(requests);
    }
    return requests;
}

std::vector<std::vector<std::uint8_t>> RequestSplitter::idle(std::int64_t nowMs) {
    std::vector<std::vector<std::uint8_t>> requests;
    if (buffer_.empty() || nowMs - lastByteAt_ < silenceMs_) return requests;
    const bool onlyPreambles = std::all_of(buffer_.begin(), buffer_.end(), [](std::uint8_t b) { return b == Preamble; });
    if (!onlyPreambles) requests.push_back(buffer_);
    buffer_.clear();
    return requests;
}

std::optional<std::int64_t> RequestSplitter::deadline() const {
    if (buffer_.empty()) return std::nullopt;
    return lastByteAt_ + silenceMs_;
}

void SilenceFramer::feed(std::span<const std::uint8_t> bytes, std::int64_t nowUs, std::int64_t byteUs,
                         std::int64_t gapUs) {
    if (bytes.empty()) return;
    gapUs_ = gapUs;
    endsUs_ = std::max(endsUs_, nowUs) + static_cast<std::int64_t>(bytes.size()) * byteUs;
    frame_.insert(frame_.end(), bytes.begin(), bytes.end());
}

std::optional<std::vector<std::uint8_t>> SilenceFramer::idle(std::int64_t nowUs) {
    if (frame_.empty() || nowUs < endsUs_ + gapUs_) return std::nullopt;
    return std::exchange(frame_, {});
}

std::optional<std::int64_t> SilenceFramer::deadlineUs() const {
    if (frame_.empty()) return std::nullopt;
    return endsUs_ + gapUs_;
}

}  // namespace doxa::sim
