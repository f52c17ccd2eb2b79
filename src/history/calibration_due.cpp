#include "history/calibration_due.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <map>
#include <optional>

#include "settings/start_up.h"

namespace doxa {

namespace {

constexpr std::string_view IntervalName = "interval_months";

std::optional<int> numberAt(std::string_view text, std::size_t at, std::size_t length) {
    int value = 0;
    if (text.size() < at + length) return std::nullopt;
    const char* first = text.data() + at;
    const auto [end, error] = std::from_chars(first, first + length, value);
    if (error != std::errc() || end != first + length) return std::nullopt;
    return value;
}

// The day of a time as the technician's clock shows it: "2025-03-01 10:15:00".
std::optional<std::chrono::year_month_day> dayOf(std::string_view shown) {
    const auto year = numberAt(shown, 0, 4);
    const auto month = numberAt(shown, 5, 2);
    const auto day = numberAt(shown, 8, 2);
    if (!year || !month || !day) return std::nullopt;
    const std::chrono::year_month_day date{std::chrono::year(*year), std::chrono::month(unsigned(*month)),
                                           std::chrono::day(unsigned(*day))};
    if (!date.ok()) return std::nullopt;
    return date;
}

// A month on from 31 January is the last day of February.
std::chrono::sys_days monthsAfter(std::chrono::year_month_day day, int months) {
    const std::chrono::year_month_day shifted = day + std::chrono::months(months);
    if (shifted.ok()) return shifted;
    return std::chrono::year_month_day_last(shifted.year(), std::chrono::month_day_last(shifted.month()));
}

std::optional<int> intervalOf(const RecordValues& reference) {
    for (const auto& [name, value] : reference) {
        const double* months = std::get_if<double>(&value);
        if (name != IntervalName || !months) continue;
        if (*months >= 1 && *months <= LongestCalibrationIntervalMonths && std::floor(*months) == *months) return int(*months);
    }
    return std::nullopt;
}

bool readWhole(const StoredRecord& s) { return s.unreadable.empty() && !s.record.event.empty(); }

// The interval each event chose, by event.
std::map<std::string, int> intervalsByEvent(const std::vector<StoredRecord>& records) {
    std::map<std::string, int> intervals;
    for (const StoredRecord& s : records)
        if (s.record.kind == RecordKind::CalibrationConditions && readWhole(s))
            if (const auto months = intervalOf(s.record.reference)) intervals[s.record.event] = *months;
    return intervals;
}

// The latest end of a finished event, by transmitter.
std::map<std::pair<std::string, int>, const StoredRecord*> latestFinished(const std::vector<StoredRecord>& records) {
    std::map<std::pair<std::string, int>, const StoredRecord*> latest;
    for (const StoredRecord& s : records) {
        const ServiceRecord& r = s.record;
        if (r.kind != RecordKind::CalibrationEnd || r.outcome != RecordOutcome::Confirmed || !readWhole(s)) continue;
        const StoredRecord*& kept = latest[{r.model, r.serial}];
        if (!kept || kept->time < s.time) kept = &s;
    }
    return latest;
}

}  // namespace

std::vector<CalibrationDue> calibrationsDue(const std::vector<StoredRecord>& records, const DueQuestion& question,
                                            const HistoryQuery& clock) {
    const std::map<std::string, int> intervals = intervalsByEvent(records);
    const std::chrono::sys_days horizon = question.today + std::chrono::days(question.withinDays);
    std::vector<CalibrationDue> due;
    for (const auto& [transmitter, end] : latestFinished(records)) {
        const auto day = dayOf(clock.localTime(end->time));
        if (!day) continue;
        const auto interval = intervals.find(end->record.event);
        const int months = interval == intervals.end() ? question.defaultMonths : interval->second;
        CalibrationDue next{{transmitter.first, transmitter.second, end->time}, end->record.event, end->time, months,
                            monthsAfter(*day, months)};
        if (next.due <= horizon) due.push_back(std::move(next));
    }
    std::ranges::stable_sort(due, {}, &CalibrationDue::due);
    return due;
}

std::vector<CalibrationDue> calibrationsDue(HistoryQuery& history, const HistoryFilter& transmitters,
                                            const DueQuestion& question) {
    HistoryFilter events{.serial = transmitters.serial, .model = transmitters.model,
                         .serialAsStored = transmitters.serialAsStored};
    events.kinds = {RecordKind::CalibrationConditions, RecordKind::CalibrationEnd};
    return calibrationsDue(history.records(events), question, history);
}

std::string dateText(std::chrono::sys_days day) {
    const std::chrono::year_month_day date(day);
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02u-%02u", int(date.year()), unsigned(date.month()), unsigned(date.day()));
    return text;
}

std::chrono::sys_days localToday() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return std::chrono::year(local.tm_year + 1900) / unsigned(local.tm_mon + 1) / unsigned(local.tm_mday);
}

}  // namespace doxa
