#pragma once

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

#include "history/history_query.h"

namespace doxa::test {

// A service history in memory. It filters as the store does and keeps the last filter asked
// for; its clock is UTC, so a stored "2025-03-01T09:15:00Z" shows as "2025-03-01 09:15:00".
// With a server, `stored` is what the server holds and `waiting` what the local file holds for
// it; without, `stored` is the local file.
class FakeHistory : public HistoryQuery {
public:
    // Newest first, as the store lists them.
    std::vector<StoredRecord> stored;
    std::vector<StoredRecord> waiting;
    bool server = false;
    std::string failure;
    HistoryFilter lastFilter;

    std::vector<StoredRecord> records(const HistoryFilter& filter) override {
        lastFilter = filter;
        return listed(filter, Reach::Everywhere);
    }
    // The filter of the listing, not of the chosen transmitter's pages, is kept.
    std::vector<KnownTransmitter> transmitters(const HistoryFilter& filter, Reach reach) override {
        lastFilter = filter;
        std::vector<KnownTransmitter> found;
        for (const StoredRecord& s : listed(filter, reach)) {
            const KnownTransmitter seen{s.record.model, s.record.serial, s.time, storedSerial(s)};
            if (std::ranges::none_of(found, [&seen](const KnownTransmitter& t) { return sameTransmitter(t, seen); }))
                found.push_back(seen);
        }
        return found;
    }
    // The pages count records of the merged listing.
    RecordPage recordPage(const HistoryFilter& filter, Reach reach, const PageStart& start,
                          std::size_t size) override {
        const std::vector<StoredRecord> all = listed(filter, reach);
        RecordPage page;
        for (std::size_t i = start.databaseRows; i < all.size() && page.records.size() < size; ++i)
            page.records.push_back(all[i]);
        if (start.databaseRows + size < all.size()) page.next = PageStart{start.databaseRows + size, "-"};
        return page;
    }
    bool beyondLocalFile() const override { return server; }
    std::vector<StoredRecord> madeHere(const HistoryFilter& filter) const override {
        std::vector<StoredRecord> found;
        std::ranges::copy_if(stored, std::back_inserter(found), [&](const StoredRecord& s) { return passes(filter, s); });
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
    // Numbers the events of 2025 one after another, or none while `notNumbered` says why.
    CertificateNumbering numberCertificate(const std::string& event, const std::string& code) override {
        if (!notNumbered.empty()) return {std::nullopt, false, notNumbered};
        for (const IssuedCertificate& c : certificates)
            if (c.event == event) return {c, c.code != code, {}};
        certificates.push_back({certificateNumberText(2025, int(certificates.size()) + 1), event, code,
                                "2025-03-01T09:00:00Z", "jan"});
        return {certificates.back(), false, {}};
    }
    std::optional<IssuedCertificate> certificate(const std::string& number) override {
        const auto found = std::ranges::find(certificates, number, &IssuedCertificate::number);
        if (found == certificates.end()) return std::nullopt;
        return *found;
    }
    std::vector<IssuedCertificate> certificates;
    std::string notNumbered;

private:
    std::vector<StoredRecord> listed(const HistoryFilter& filter, Reach reach) const {
        std::vector<StoredRecord> all = server ? waiting : stored;
        if (server && reach == Reach::Everywhere && failure.empty()) {
            all.insert(all.end(), stored.begin(), stored.end());
            std::ranges::stable_sort(all, std::ranges::greater(), &StoredRecord::time);
        }
        std::vector<StoredRecord> found;
        std::ranges::copy_if(all, std::back_inserter(found), [&](const StoredRecord& s) { return passes(filter, s); });
        return found;
    }
    static std::string storedSerial(const StoredRecord& s) {
        const auto stored = s.unreadable.find("serial");
        return stored == s.unreadable.end() ? std::string() : stored->second;
    }
    static bool passes(const HistoryFilter& filter, const StoredRecord& s) {
        const bool serialPasses = !filter.serialAsStored.empty()
                                      ? storedSerial(s) == filter.serialAsStored
                                      : !filter.serial || (storedSerial(s).empty() && s.record.serial == *filter.serial);
        return serialPasses &&
               (filter.model.empty() || s.record.model == filter.model) &&
               (!filter.since || s.time >= isoOf(*filter.since)) &&
               (filter.event.empty() || s.record.event == filter.event) &&
               (filter.kinds.empty() || std::ranges::find(filter.kinds, s.record.kind) != filter.kinds.end());
    }
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

// Runs the history dialog's jobs when the test says, on the test's thread; or at once.
class QueuedRunner : public HistoryRunner {
public:
    explicit QueuedRunner(HistoryQuery& history, bool atOnce = false) : history_(history), atOnce_(atOnce) {}
    void run(Job job) override {
        if (atOnce_) return job(history_);
        jobs.push_back(std::move(job));
    }
    void abandon() override {
        jobs.clear();
        ++abandoned;
    }
    // Runs the oldest job waiting; false when none waits.
    bool runNext() {
        if (jobs.empty()) return false;
        Job job = std::move(jobs.front());
        jobs.pop_front();
        job(history_);
        return true;
    }
    void runAll() {
        while (runNext()) {
        }
    }

    std::deque<Job> jobs;
    int abandoned = 0;

private:
    HistoryQuery& history_;
    bool atOnce_;
};

}  // namespace doxa::test
