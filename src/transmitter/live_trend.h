#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <string_view>

namespace doxa {

// What one polling cycle of the live display measured. A value that did not come with a
// complete answer this cycle is empty, however the display's field still reads.
struct LiveCycle {
    std::optional<double> primary;
    std::string primaryUnit;  // "Ohm", "mV", "°C"; empty while unknown
    std::optional<double> output;
    std::string outputUnit;         // "mA" or "V"
    std::optional<double> ambient;  // always °C
};

// Hears the live display's cycles as they complete.
class LiveValuesObserver {
public:
    virtual ~LiveValuesObserver() = default;
    virtual void onLiveCycle(const LiveCycle& cycle) = 0;
};

inline constexpr std::string_view AmbientUnit = "°C";

struct TrendSample {
    std::int64_t timeMs = 0;  // wall-clock milliseconds since the epoch
    LiveCycle values;
};

// The cycles recorded since the plot was opened, oldest first. The plot shows the last ten
// minutes of it; a CSV file gets all of it.
class TrendRecording {
public:
    static constexpr std::int64_t VisibleSpanMs = 10 * 60 * 1000;
    // Cycles further apart than this are not joined by a line: the display was stopped or the
    // technician was answering its message box meanwhile.
    static constexpr std::int64_t GapMs = 15 * 1000;
    // More than a day of cycles at the fastest rate; the oldest go first beyond it.
    static constexpr std::size_t Capacity = 100000;

    explicit TrendRecording(std::size_t capacity = Capacity) : capacity_(capacity) {}

    void add(std::int64_t timeMs, const LiveCycle& cycle);
    const std::deque<TrendSample>& samples() const { return samples_; }
    bool empty() const { return samples_.empty(); }
    // Index of the first sample at or after `timeMs`.
    std::size_t firstAtOrAfter(std::int64_t timeMs) const;

private:
    std::size_t capacity_;
    std::deque<TrendSample> samples_;
};

// The recording as CSV: a header line, then one line per cycle with the local time and the
// three values; a missing value leaves its field empty. Should a unit change on the way (another
// transmitter after "Stop" and "Start"), a new header line names the units from there on.
std::string trendCsv(const TrendRecording& recording);

// "2026-12-07 10:25:22.123" in local time.
std::string localTimeText(std::int64_t timeMs);
// The shortest text that reads back as the same 32-bit value the transmitter sent.
std::string valueCsvText(double value);

}  // namespace doxa
