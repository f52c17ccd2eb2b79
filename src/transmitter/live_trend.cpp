#include "transmitter/live_trend.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <ctime>

namespace doxa {

void TrendRecording::add(std::int64_t timeMs, const LiveCycle& cycle) {
    samples_.push_back({timeMs, cycle});
    while (samples_.size() > capacity_) samples_.pop_front();
}

std::size_t TrendRecording::firstAtOrAfter(std::int64_t timeMs) const {
    const auto it = std::lower_bound(
        samples_.begin(), samples_.end(), timeMs,
        [](const TrendSample& sample, std::int64_t t) { return sample.timeMs < t; });
    return static_cast<std::size_t>(it - samples_.begin());
}

std::string localTimeText(std::int64_t timeMs) {
    const std::time_t seconds = static_cast<std::time_t>(std::floor(timeMs / 1000.0));
    const int millis = static_cast<int>(timeMs - static_cast<std::int64_t>(seconds) * 1000);
    std::tm local{};
    localtime_r(&seconds, &local);
    char text[64];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d.%03d", local.tm_year + 1900,
                  local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec,
                  millis);
    return text;
}

std::string valueCsvText(double value) {
    char text[32];
    const float single = static_cast<float>(value);
    // Every value came as four bytes; a huge one that no single float holds is written whole.
    const auto [end, error] = std::isfinite(single) && static_cast<double>(single) == value
                                  ? std::to_chars(text, text + sizeof text, single)
                                  : std::to_chars(text, text + sizeof text, value);
    return error == std::errc() ? std::string(text, end) : std::string();
}

namespace {

struct CsvUnits {
    std::string primary;
    std::string output;

    bool operator==(const CsvUnits&) const = default;
};

std::string column(std::string_view name, std::string_view unit) {
    std::string text(name);
    if (!unit.empty()) text.append(" [").append(unit).append("]");
    return text;
}

std::string headerLine(const CsvUnits& units) {
    return "czas," + column("PV", units.primary) + "," + column("wyjście", units.output) + "," +
           column("temp. otocz.", AmbientUnit) + "\n";
}

std::string field(const std::optional<double>& value) {
    return value ? valueCsvText(*value) : std::string();
}

// The first unit the recording names for a series, so that the header can say it even when the
// first cycles missed that value.
CsvUnits firstUnits(const TrendRecording& recording) {
    CsvUnits units;
    for (const TrendSample& sample : recording.samples()) {
        if (units.primary.empty()) units.primary = sample.values.primaryUnit;
        if (units.output.empty()) units.output = sample.values.outputUnit;
    }
    return units;
}

}  // namespace

std::string trendCsv(const TrendRecording& recording) {
    CsvUnits units = firstUnits(recording);
    std::string csv = headerLine(units);
    for (const TrendSample& sample : recording.samples()) {
        const LiveCycle& v = sample.values;
        CsvUnits now = units;
        if (!v.primaryUnit.empty()) now.primary = v.primaryUnit;
        if (!v.outputUnit.empty()) now.output = v.outputUnit;
        if (now != units) {
            units = now;
            csv += headerLine(units);
        }
        csv += localTimeText(sample.timeMs) + "," + field(v.primary) + "," + field(v.output) + "," +
               field(v.ambient) + "\n";
    }
    return csv;
}

}  // namespace doxa
