#pragma once

#include <chrono>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "history/history_query.h"

namespace doxa::test {

// A service history in memory. It filters as the store does and keeps the last filter asked
// for; its clock is UTC, so a stored "2025-03-01T09:15:00Z" shows as "2025-03-01 09:15:00".
class FakeHistory : public HistoryQuery {
public:
    // Newest first, as the store lists them.
    std::vector<StoredRecord> stored;
    std::string failure;
    HistoryFilter lastFilter;

    std::vector<StoredRecord> records(const HistoryFilter& filter) override {
        lastFilter = filter;
        std::vector<StoredRecord> found;
        for (const StoredRecord& s : stored)
            if ((!filter.serial || s.record.serial == *filter.serial) &&
                (filter.model.empty() || s.record.model == filter.model) &&
                (!filter.since || s.time >= isoOf(*filter.since)))
                found.push_back(s);
        return found;
    }
    std::string problem() const override { return failure; }
    std::optional<std::chrono::sys_seconds> sinceFromText(std::string_view text) const override {
        int year = 0;
        unsigned month = 0;
        unsigned day = 0;
        char end = 0;
        if (text.size() != 10 ||
            std::sscanf(std::string(text).c_str(), "%4d-%2u-%2u%c", &year, &month, &day, &end) != 3)
            return std::nullopt;
        const std::chrono::year_month_day date{std::chrono::year(year), std::chrono::month(month),
                                               std::chrono::day(day)};
        if (!date.ok()) return std::nullopt;
        return std::chrono::sys_days(date);
    }
    std::string localTime(std::string_view isoUtc) const override {
        std::string shown(isoUtc.substr(0, 19));
        if (shown.size() > 10) shown[10] = ' ';
        return shown;
    }

private:
    static std::string isoOf(std::chrono::sys_seconds time) {
        const auto day = std::chrono::floor<std::chrono::days>(time);
        const std::chrono::year_month_day date(day);
        const std::chrono::hh_mm_ss clock(time - day);
        char text[32];
        std::snprintf(text, sizeof text, "%04d-%02u-%02uT%02d:%02d:%02dZ", int(date.year()),
                      unsigned(date.month()), unsigned(date.day()), int(clock.hours().count()),
                      int(clock.minutes().count()), int(clock.seconds().count()));
        return text;
    }
};

}  // namespace doxa::test
