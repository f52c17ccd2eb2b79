#pragma once

#include <algorithm>
#include <deque>
#include <memory>
#include <vector>

#include "fuzz_input.h"
#include "link/serial_line.h"

namespace doxa::fuzz {

// True for the lone 0xFF some dialogs send to release the line; nothing answers it.
inline bool releasesLine(const std::uint8_t* bytes, int count) { return count == 1 && bytes[0] == 0xFF; }

// A line whose far end answers every request with the next answer of the fuzz input, at once.
class FuzzLine : public SerialLine {
public:
    explicit FuzzLine(FuzzInput& input) : input_(input) {}

    bool open() override { return true; }
    bool configure(int, Parity) override { return true; }
    bool setDtr(bool) override { return true; }
    void setRts(bool) override {}
    int queuedInput() override { return static_cast<int>(queued_.size()); }
    int read(std::uint8_t* buffer, int maxCount) override {
        const int count = std::clamp(static_cast<int>(queued_.size()), 0, std::max(maxCount, 0));
        std::copy_n(queued_.begin(), count, buffer);
        queued_.erase(queued_.begin(), queued_.begin() + count);
        return count;
    }
    int write(const std::uint8_t* bytes, int count) override {
        if (count > 0 && !releasesLine(bytes, count)) {
            const std::vector<std::uint8_t> answer = input_.answer();
            queued_.insert(queued_.end(), answer.begin(), answer.end());
        }
        return count;
    }
    void drain() override {}
    void purge() override { queued_.clear(); }
    std::uint32_t takeErrors() override { return 0; }
    void close() override {}
    std::string device() const override { return {}; }

private:
    FuzzInput& input_;
    std::deque<std::uint8_t> queued_;
};

// Passes everything to a line with a simulated transmitter behind it and keeps, for each
// request, the answer as the fuzz input would give it: the seeds are real answers.
class RecordingLine : public SerialLine {
public:
    RecordingLine(std::unique_ptr<SerialLine> inner, std::function<std::vector<std::uint8_t>()> lastAnswer,
                  SeedWriter& seed)
        : inner_(std::move(inner)), lastAnswer_(std::move(lastAnswer)), seed_(seed) {}

    bool open() override { return inner_->open(); }
    bool configure(int baud, Parity parity) override { return inner_->configure(baud, parity); }
    bool setDtr(bool raised) override { return inner_->setDtr(raised); }
    void setRts(bool raised) override { inner_->setRts(raised); }
    int queuedInput() override { return inner_->queuedInput(); }
    int queuedOutput() override { return inner_->queuedOutput(); }
    int read(std::uint8_t* buffer, int maxCount) override { return inner_->read(buffer, maxCount); }
    int write(const std::uint8_t* bytes, int count) override {
        const int written = inner_->write(bytes, count);
        if (count > 0 && !releasesLine(bytes, count)) seed_.answer(lastAnswer_());
        return written;
    }
    void drain() override { inner_->drain(); }
    void purge() override { inner_->purge(); }
    void discardInput() override { inner_->discardInput(); }
    std::uint32_t takeErrors() override { return inner_->takeErrors(); }
    void close() override { inner_->close(); }
    std::string device() const override { return inner_->device(); }

private:
    std::unique_ptr<SerialLine> inner_;
    std::function<std::vector<std::uint8_t>()> lastAnswer_;
    SeedWriter& seed_;
};

}  // namespace doxa::fuzz
