#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "transmitter/service_record.h"

namespace doxa {

// A record as the history keeps it: what was done, when (UTC, ISO 8601: "2025-03-01T09:15:00Z")
// and by which user of the computer.
struct StoredRecord {
    std::string time;
    std::string user;
    ServiceRecord record;
    // Set for a record not yet in the database it is meant for: that database (destinationOf()),
    // or "" when it is unknown (left by an earlier program) or the local file alone.
    std::optional<std::string> waitingFor = {};
};

// Which records to list; an empty field lets every record through.
struct HistoryFilter {
    std::optional<int> serial = {};
    std::string model = {};
    std::optional<std::chrono::sys_seconds> since = {};
};

// What the history dialog asks of the service history.
class HistoryQuery {
public:
    virtual ~HistoryQuery() = default;
    // Newest first.
    virtual std::vector<StoredRecord> records(const HistoryFilter& filter) = 0;
    // Why the history could not be read; empty when it could.
    virtual std::string problem() const = 0;
    // "2025-03-01" or a full ISO 8601 time as a point in time; nullopt for anything else.
    virtual std::optional<std::chrono::sys_seconds> sinceFromText(std::string_view text) const = 0;
    // A stored UTC time as the technician's clock shows it.
    virtual std::string localTime(std::string_view isoUtc) const = 0;
};

}  // namespace doxa
