#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace doxa::fuzz {

// One fuzz input read from both ends: the answers of the line from the front, length-prefixed,
// and what the technician does from the back, a byte at a time. Keeping the two apart lets the
// fuzzer change an answer without reshuffling every click after it.
class FuzzInput {
public:
    explicit FuzzInput(std::span<const std::uint8_t> bytes) : bytes_(bytes), back_(bytes.size()) {}

    bool actionsLeft() const { return back_ > front_; }
    // The next action byte, 0 once the input is used up.
    std::uint8_t action() { return back_ > front_ ? bytes_[--back_] : 0; }
    std::string actionText(std::size_t maxLength) {
        std::string text;
        const std::size_t length = action() % (maxLength + 1);
        for (std::size_t i = 0; i < length && actionsLeft(); ++i) text += static_cast<char>(action());
        return text;
    }
    // The next answer: a length byte and that many bytes (fewer at the end of the input).
    std::vector<std::uint8_t> answer() {
        if (front_ >= back_) return {};
        std::size_t length = bytes_[front_++];
        length = std::min(length, back_ - front_);
        std::vector<std::uint8_t> chunk(bytes_.begin() + static_cast<std::ptrdiff_t>(front_),
                                        bytes_.begin() + static_cast<std::ptrdiff_t>(front_ + length));
        front_ += length;
        return chunk;
    }

private:
    std::span<const std::uint8_t> bytes_;
    std::size_t front_ = 0;
    std::size_t back_;
};

// Builds a seed in the layout FuzzInput reads.
class SeedWriter {
public:
    void answer(const std::vector<std::uint8_t>& bytes) {
        const std::size_t length = std::min<std::size_t>(bytes.size(), 255);
        front_.push_back(static_cast<std::uint8_t>(length));
        front_.insert(front_.end(), bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(length));
    }
    void action(std::uint8_t byte) { back_.push_back(byte); }
    void actionText(const std::string& text) {
        action(static_cast<std::uint8_t>(text.size()));
        for (char c : text) action(static_cast<std::uint8_t>(c));
    }
    std::vector<std::uint8_t> bytes() const {
        std::vector<std::uint8_t> all = front_;
        all.insert(all.end(), back_.rbegin(), back_.rend());
        return all;
    }

private:
    std::vector<std::uint8_t> front_;
    std::vector<std::uint8_t> back_;
};

}  // namespace doxa::fuzz
