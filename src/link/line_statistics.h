#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "link/answer_check.h"
#include "link/serial_line.h"

namespace doxa {

// What passed over the line since the program started or since the technician last cleared the
// counts: requests, how each was answered, repeated requests, line errors by kind and how long
// the answers took. The exchange steps and the error query feed it, so every dialog is counted
// without knowing.
class LineStatistics {
public:
    // The kinds of line error counted, in the order the error texts name them.
    static constexpr std::array<std::uint32_t, 10> ErrorKinds = {
        CeBreak, CeFrame, CeIoe, CeMode, CeOop, CeOverrun, CePto, CeRxOver, CeRxParity, CeTxFull};
    static constexpr int FaultKinds = 7;  // AnswerFault values, None included

    // A request of these bytes went on the line at `nowMs`. It counts as a retry when it repeats
    // the previous request's bytes and that request was not answered validly: the same
    // question asked again because the first one went wrong, not a value polled again.
    void requestSent(std::span<const std::uint8_t> request, std::int64_t nowMs);
    // The read for the request on the line: `arrived` bytes, judged `fault`. Only the first read
    // after a request counts, so a request is counted under one outcome at most.
    void answerRead(int arrived, AnswerFault fault, std::int64_t nowMs);
    // A line error mask as the line reported it.
    void lineErrors(std::uint32_t mask);
    void reset();
    // True once reset() was called: the counts run since then, not since the start.
    bool cleared() const { return cleared_; }

    std::uint64_t requests() const { return requests_; }
    std::uint64_t validAnswers() const { return valid_; }
    std::uint64_t rejected(AnswerFault fault) const;
    std::uint64_t rejectedTotal() const;
    std::uint64_t noAnswers() const { return noAnswers_; }
    std::uint64_t retries() const { return retries_; }
    // How often the error bit `kind` (one of ErrorKinds) was reported.
    std::uint64_t lineErrorCount(std::uint32_t kind) const;
    // From the request's write to the read that took its valid answer, in ms; none before the
    // first valid answer.
    std::optional<double> meanAnswerMs() const;

private:
    std::uint64_t requests_ = 0;
    std::uint64_t valid_ = 0;
    std::uint64_t noAnswers_ = 0;
    std::uint64_t retries_ = 0;
    std::array<std::uint64_t, FaultKinds> rejected_{};
    std::array<std::uint64_t, ErrorKinds.size()> errors_{};
    std::int64_t answerMsTotal_ = 0;
    bool cleared_ = false;

    std::vector<std::uint8_t> lastRequest_;
    bool awaiting_ = false;
    bool lastAnswered_ = true;
    std::int64_t sentAt_ = 0;
};

}  // namespace doxa
