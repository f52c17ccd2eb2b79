#include "link/line_statistics.h"

#include <algorithm>
#include <numeric>

namespace doxa {

void LineStatistics::requestSent(std::span<const std::uint8_t> request, std::int64_t nowMs) {
    ++requests_;
    const bool same =
        std::equal(request.begin(), request.end(), lastRequest_.begin(), lastRequest_.end());
    if (same && !lastAnswered_) ++retries_;
    lastRequest_.assign(request.begin(), request.end());
    lastAnswered_ = false;
    awaiting_ = true;
    sentAt_ = nowMs;
}

void LineStatistics::answerRead(int arrived, AnswerFault fault, std::int64_t nowMs) {
    if (!awaiting_) return;
    awaiting_ = false;
    if (arrived <= 0) {
        ++noAnswers_;
    } else if (fault != AnswerFault::None) {
        ++rejected_[static_cast<std::size_t>(fault)];
    } else {
        ++valid_;
        lastAnswered_ = true;
        answerMsTotal_ += std::max<std::int64_t>(nowMs - sentAt_, 0);
    }
}

void LineStatistics::lineErrors(std::uint32_t mask) {
    for (std::size_t i = 0; i < ErrorKinds.size(); ++i)
        if (mask & ErrorKinds[i]) ++errors_[i];
}

void LineStatistics::reset() {
    // A request still on the line keeps its place, so its answer is counted when it comes.
    const bool awaiting = awaiting_;
    const std::int64_t sentAt = sentAt_;
    *this = LineStatistics{};
    awaiting_ = awaiting;
    sentAt_ = sentAt;
    cleared_ = true;
}

std::uint64_t LineStatistics::rejected(AnswerFault fault) const {
    return rejected_[static_cast<std::size_t>(fault)];
}

std::uint64_t LineStatistics::rejectedTotal() const {
    return std::accumulate(rejected_.begin(), rejected_.end(), std::uint64_t{0});
}

std::uint64_t LineStatistics::lineErrorCount(std::uint32_t kind) const {
    const auto at = std::find(ErrorKinds.begin(), ErrorKinds.end(), kind);
    return at == ErrorKinds.end() ? 0 : errors_[static_cast<std::size_t>(at - ErrorKinds.begin())];
}

std::optional<double> LineStatistics::meanAnswerMs() const {
    if (valid_ == 0) return std::nullopt;
    return static_cast<double>(answerMsTotal_) / static_cast<double>(valid_);
}

}  // namespace doxa
