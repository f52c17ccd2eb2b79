#include "sim/sim_line.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <utility>

namespace doxa::sim {

SimLine::SimLine(std::shared_ptr<Transmitter> transmitter, std::function<std::int64_t()> nowMs)
    : transmitter_(std::move(transmitter)), now_(std::move(nowMs)) {
    if (transmitter_) transmitter_->setClock(now_);
}

SimLine::SimLine() : SimLine(nullptr, [] { return std::int64_t{0}; }) {}

bool SimLine::open() {
    note("open");
    if (failOpen || !present_) return false;
    open_ = true;
    vanished_ = false;
    return true;
}

OpenFailure SimLine::openFailure() const {
    if (!present_) return {ENODEV, {}, false};
    return failOpen ? openRefusal : OpenFailure{};
}

void SimLine::setPresent(bool present) {
    present_ = present;
    if (present || !open_) return;
    vanished_ = true;
    input_.clear();
    inFlight_.clear();
}

bool SimLine::configure(int baud, Parity parity) {
    if (journal)
        note("configure " + std::to_string(baud) + (parity == Parity::Odd ? " odd" : " none"));
    if (failConfigure || !open_) return false;
    baud_ = baud;
    parity_ = parity;
    return true;
}

bool SimLine::setDtr(bool raised) {
    note(raised ? "dtr+" : "dtr-");
    if (failDtr || !open_) return false;
    dtr_ = raised;
    return true;
}

void SimLine::setRts(bool raised) {
    note(raised ? "rts+" : "rts-");
    rts_ = raised;
}

int SimLine::queuedInput() {
    takeArrived();
    return open_ && !vanished_ ? static_cast<int>(input_.size()) : 0;
}

int SimLine::queuedOutput() { return open_ && stuckOutput ? lastWriteCount_ : 0; }

int SimLine::read(std::uint8_t* buffer, int maxCount) {
    takeArrived();
    if (!open_ || vanished_ || maxCount <= 0) return 0;
    const int count = std::min(maxCount, static_cast<int>(input_.size()));
    std::copy_n(input_.begin(), count, buffer);
    if (keepRecords) received_.insert(received_.end(), input_.begin(), input_.begin() + count);
    input_.erase(input_.begin(), input_.begin() + count);
    return count;
}

int SimLine::write(const std::uint8_t* bytes, int count) {
    if (journal) {
        std::string entry = "write";
        for (int i = 0; i < count; ++i) {
            char hex[4];
            std::snprintf(hex, sizeof hex, " %02X", bytes[i]);
            entry += hex;
        }
        note(entry);
    }
    count = std::min(count, acceptLimit);
    if (!open_ || vanished_ || count <= 0) return 0;
    lastWriteCount_ = count;
    if (!framing(bytes, count)) deliver(std::vector<std::uint8_t>(bytes, bytes + count), now_());
    return count;
}

void SimLine::deliver(std::vector<std::uint8_t> request, std::int64_t sentAt) {
    const bool hart = request.front() == 0xFF;
    Reply reply = transmitter_ ? transmitter_->replyOnLine(request, baud_, parity_) : Reply{};
    if (reply.misframed) errors_ |= CeFrame;
    if (keepRecords) {
        requests_.push_back(std::move(request));
        answers_.push_back(reply.bytes);
    }
    if (alterAnswer && !reply.bytes.empty()) alterAnswer(reply.bytes);
    // With nobody at the other end there is no answer to time; a test feeds what arrives.
    if (!transmitter_) return;
    for (AnswerPiece& piece : timedPieces(transmitter_->timing, std::move(reply.bytes), reply.delayMs,
                                          documentedWaitMs(hart, baud_)))
        inFlight_.push_back({sentAt + piece.atMs, std::move(piece.bytes)});
    takeArrived();
}

bool SimLine::framing(const std::uint8_t* bytes, int count) {
    if (!frameBySilence || baud_ <= 0) return false;
    takeFramed();
    // HART frames by its preambles; only what runs into a MODBUS frame is received with it.
    if (onLine_.empty() && bytes[0] == 0xFF) return false;
    const int bitsPerByte = parity_ == Parity::None ? 10 : 11;
    const std::int64_t nowUs = now_() * 1000;
    onLineEndsUs_ = std::max(onLineEndsUs_, nowUs) + std::int64_t{count} * bitsPerByte * 1'000'000 / baud_;
    onLine_.insert(onLine_.end(), bytes, bytes + count);
    return true;
}

void SimLine::takeFramed() {
    if (onLine_.empty()) return;
    const std::int64_t silenceUs = baud_ > 19200 ? 1750 : std::int64_t{385} * 100'000 / baud_;
    const std::int64_t receivedUs = onLineEndsUs_ + silenceUs;
    if (now_() * 1000 < receivedUs) return;
    deliver(std::exchange(onLine_, {}), (receivedUs + 999) / 1000);
}

void SimLine::drain() { note("drain"); }

void SimLine::feed(const std::vector<std::uint8_t>& bytes) {
    input_.insert(input_.end(), bytes.begin(), bytes.end());
}

// Only what has arrived is thrown away: an answer still on its way comes in afterwards.
void SimLine::purge() {
    note("purge");
    takeArrived();
    input_.clear();
    ++purges_;
}

void SimLine::discardInput() {
    takeArrived();
    input_.clear();
}

std::uint32_t SimLine::takeErrors() {
    const std::uint32_t errors = errors_;
    errors_ = 0;
    return errors;
}

void SimLine::close() {
    note("close");
    open_ = false;
    input_.clear();
    inFlight_.clear();
    onLine_.clear();
}

void SimLine::clearRecords() {
    requests_.clear();
    answers_.clear();
    received_.clear();
}

void SimLine::note(std::string_view entry) {
    if (journal) journal->emplace_back(entry);
}

void SimLine::takeArrived() {
    takeFramed();
    const std::int64_t now = now_();
    // Answers arrive in the order they were sent, even when an earlier one is late.
    while (!inFlight_.empty() && inFlight_.front().arrivesAt <= now) {
        input_.insert(input_.end(), inFlight_.front().bytes.begin(), inFlight_.front().bytes.end());
        inFlight_.erase(inFlight_.begin());
    }
}

}  // namespace doxa::sim
