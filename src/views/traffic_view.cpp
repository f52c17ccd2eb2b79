#include "views/traffic_view.h"

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <map>

#include "link/traffic_log.h"
#include "service/byte_values.h"

namespace doxa {

namespace {

constexpr int RunLength = 5;  // a record is found by its run of at least five 0xFF bytes

std::string hexDigits(std::uint8_t byte) {
    const std::string text = formatByte("%#2.2x", byte);  // "0xab", but "00" for zero
    return text.substr(text.size() - 2);
}

}  // namespace

std::vector<LogCell> trafficCells(const TrafficLog& log) {
    const auto& bytes = log.bytes();
    const int end = std::clamp(log.trafficLogPos, 0, TrafficLog::Size);
    std::vector<LogCell> cells;
    int line = 0;
    int column = 0;
    bool inRun = false;
    Rgb colour = Red;
    const auto at = [&](int i) { return i >= 0 && i < end ? bytes[static_cast<std::size_t>(i)] : 0; };
    for (int i = 0; i < end; ++i) {
        const bool runStarts =
            i + RunLength <= end && std::all_of(bytes.begin() + i, bytes.begin() + i + RunLength,
                                                [](std::uint8_t b) { return b == 0xFF; });
        if (runStarts && !inRun) {
            // Blanks drawn over the marker byte just shown, which belongs to no line.
            const int marker = column - 1;
            std::erase_if(cells, [&](const LogCell& c) { return c.line == line && c.column == marker; });
            ++line;
            inRun = true;
            column = 0;
            if (at(i - 1) == TrafficLog::ReadMarker || at(i - 2) == TrafficLog::ReadMarker)
                cells.push_back({column++, line, "RX:  ", ReadTagColour});
            if (at(i - 1) == TrafficLog::WrittenMarker) cells.push_back({column++, line, "TX:  ", WriteTagColour});
            ++column;
            colour = PreambleColour;
        }
        if (bytes[static_cast<std::size_t>(i)] != 0xFF) {
            inRun = false;
            colour = Black;
        }
        cells.push_back({column++, line, hexDigits(bytes[static_cast<std::size_t>(i)]), colour});
    }
    return cells;
}

std::vector<std::string> trafficText(const std::vector<LogCell>& cells) {
    std::map<int, std::map<int, std::string>> lines;
    for (const LogCell& cell : cells) lines[cell.line][cell.column] = cell.text;
    std::vector<std::string> text;
    for (const auto& [line, row] : lines) {
        std::string joined;
        int expected = row.begin()->first;
        for (const auto& [column, cellText] : row) {
            for (; expected < column; ++expected) joined += "   ";  // an empty cell keeps its place
            if (!joined.empty() && joined.back() != ' ') joined += ' ';
            joined += cellText;
            expected = column + 1;
        }
        text.push_back(joined);
    }
    return text;
}

void TrafficJournal::record(std::uint8_t marker, const std::uint8_t* bytes, int count, bool restarted) {
    if (restarted) entries_.clear();
    Entry entry{clock_(), marker, {}};
    if (bytes && count > 0) entry.bytes.assign(bytes, bytes + count);
    entries_.push_back(std::move(entry));
    if (entries_.size() > MaxEntries) entries_.pop_front();
}

std::string TrafficJournal::text() const {
    std::string out;
    for (const Entry& entry : entries_) {
        const std::time_t seconds = std::chrono::system_clock::to_time_t(entry.time);
        const auto millis = std::chrono::duration_cast<std::chrono::milliseconds>(
                                entry.time.time_since_epoch()).count() % 1000;
        std::tm local{};
        localtime_r(&seconds, &local);
        char stamp[32];
        const std::size_t length = std::strftime(stamp, sizeof stamp, "%H:%M:%S", &local);
        std::snprintf(stamp + length, sizeof stamp - length, ".%03d", static_cast<int>(millis));
        out += stamp;
        out += entry.marker == TrafficLog::ReadMarker ? " RX:" : " TX:";
        for (std::uint8_t b : entry.bytes) out += ' ' + hexDigits(b);
        out += '\n';
    }
    return out;
}

}  // namespace doxa
