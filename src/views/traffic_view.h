#pragma once

#include <chrono>
#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "views/dump_view.h"

namespace doxa {

class TrafficLog;

// One cell of the traffic log pane: column c is drawn at x = 20 c + 10, on `line` times the
// line height.
struct LogCell {
    int column = 0;
    int line = 0;
    std::string text;
    Rgb colour;
    bool operator==(const LogCell&) const = default;
};

inline constexpr Rgb ReadTagColour{250, 100, 100};
inline constexpr Rgb WriteTagColour{100, 100, 250};
inline constexpr Rgb PreambleColour{168, 50, 22};
inline constexpr int LogCellWidth = 20;
inline constexpr int LogCellOffset = 10;

// The cells of the log since its position was last reset: every record starts a line with its
// "TX:  " or "RX:  " tag, an empty cell, its leading 0xFF bytes in brown-red and the rest in black.
std::vector<LogCell> trafficCells(const TrafficLog& log);
// The same lines as plain text, one per line, the cells separated by blanks.
std::vector<std::string> trafficText(const std::vector<LogCell>& cells);

// Every request and answer with the time it passed, for a trace a technician can send on. It
// follows the log: a command that resets the log position starts it afresh.
class TrafficJournal {
public:
    using Clock = std::function<std::chrono::system_clock::time_point()>;
    explicit TrafficJournal(Clock clock = std::chrono::system_clock::now) : clock_(std::move(clock)) {}

    void record(std::uint8_t marker, const std::uint8_t* bytes, int count, bool restarted);
    // "10:15:02.125 TX: ff ff ... 82", one line per record, local time.
    std::string text() const;
    std::size_t size() const { return entries_.size(); }

    // A long session keeps its latest records.
    static constexpr std::size_t MaxEntries = 100000;

private:
    struct Entry {
        std::chrono::system_clock::time_point time;
        std::uint8_t marker;
        std::vector<std::uint8_t> bytes;
    };
    Clock clock_;
    std::deque<Entry> entries_;
};

}  // namespace doxa
