#pragma once

#include <chrono>
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "history/history_query.h"
#include "transmitter/service_record.h"

namespace doxa {

// The service history in one SQLite file. The file is made on the first record (mode 0600) and
// its schema brought up to date when it is opened; a file written by a newer program is refused
// and left as it is. A file that cannot be opened or written never stops the work: the records
// wait in memory and go in with the next record that finds the file usable.
class HistoryStore : public ServiceRecorder, public HistoryQuery {
public:
    using Clock = std::function<std::chrono::sys_seconds()>;

    explicit HistoryStore(std::string path, Clock now = systemNow);
    ~HistoryStore() override;
    HistoryStore(const HistoryStore&) = delete;
    HistoryStore& operator=(const HistoryStore&) = delete;

    // $XDG_DATA_HOME/doxa-win/history.sqlite (~/.local/share/doxa-win/ by default).
    static std::string defaultPath();
    static std::chrono::sys_seconds systemNow();

    void record(const ServiceRecord& record) override;
    // Newest first. A file not yet made holds no records; one that cannot be read gives none and
    // sets problem().
    std::vector<StoredRecord> records(const HistoryFilter& filter) override;
    std::optional<std::chrono::sys_seconds> sinceFromText(std::string_view text) const override;
    std::string localTime(std::string_view isoUtc) const override;

    // Records kept in memory until the file can take them.
    std::size_t waiting() const { return waiting_.size(); }
    // Why the file could not be used the last time it was tried; empty when it could.
    const std::string& problem() const override { return problem_; }
    const std::string& path() const { return path_; }

    // The schema this program writes.
    static constexpr int SchemaVersion = 1;

private:
    bool open(bool create);
    bool migrate();
    void deliverWaiting();
    bool fail(std::string why);

    std::string path_;
    Clock now_;
    std::string connection_;
    bool open_ = false;
    std::vector<StoredRecord> waiting_;
    std::string problem_;
};

// The user of the computer: $USER, $LOGNAME, else the name of the account.
std::string computerUser();
// "2025-03-01" (the start of that day, local time) or a full ISO 8601 time; nullopt for
// anything else.
std::optional<std::chrono::sys_seconds> parseSince(std::string_view text);
// A stored UTC time as the technician's clock shows it: "2025-03-01 10:15:00".
std::string localTimeText(std::string_view isoUtc);
// The names records are exported under, back to the kinds; nullopt for an unknown name.
std::optional<RecordKind> kindFromName(std::string_view name);
std::optional<RecordOutcome> outcomeFromName(std::string_view name);

}  // namespace doxa
