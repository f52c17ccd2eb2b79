#include "sim/answer_timing.h"

#include <algorithm>

#include "link/port.h"
#include "transmitter/exchange.h"
#include "link/link_settings.h"

namespace doxa::sim {

namespace {
constexpr int BaudCount = 5;
}  // namespace

int documentedWaitMs(bool hart, int baud) {
    if (hart) return replyWaitFor(ModeHart, 0) + AnswerWait;
    // A speed the line does not name gets the shortest wait of all.
    int index = BaudCount - 1;
    for (int i = 0; i < BaudCount; ++i)
        if (baudRate(i) == baud) index = i;
    return replyWaitFor(ModeRs485, index) + AnswerWait;
}

std::vector<AnswerPiece> timedPieces(const AnswerTiming& timing, std::vector<std::uint8_t> answer,
                                     int lateMs, int waitEndMs) {
    if (answer.empty()) return {};
    const std::size_t count = std::clamp<std::size_t>(std::size_t(std::max(timing.chunks, 1)), 1, answer.size());
    const std::int64_t spread = std::int64_t(count - 1) * timing.chunkGapMs;
    const std::int64_t first =
        lateMs + (timing.atWaitEnd ? std::max<std::int64_t>(waitEndMs - spread, 0) : timing.replyDelayMs);
    std::vector<AnswerPiece> pieces;
    for (std::size_t i = 0, from = 0; i < count; ++i) {
        const std::size_t to = answer.size() * (i + 1) / count;
        pieces.push_back({first + std::int64_t(i) * timing.chunkGapMs,
                          std::vector<std::uint8_t>(answer.begin() + std::ptrdiff_t(from), answer.begin() + std::ptrdiff_t(to))});
        from = to;
    }
    return pieces;
}

}  // namespace doxa::sim
