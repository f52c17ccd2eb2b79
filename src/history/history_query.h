#pragma once

#include <chrono>
#include <cstddef>
#include <functional>
#include <map>
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
    // Column name -> the text stored there, for each field this program cannot read (a kind or
    // outcome it does not know, a serial number that is no number, damaged values...). The field
    // of `record` then holds nothing true, and every output shows the stored text marked instead.
    std::map<std::string, std::string> unreadable = {};
    // Set for a record not yet in the database it is meant for: that database (destinationOf()),
    // or "" when it is unknown (left by an earlier program) or the local file alone.
    std::optional<std::string> waitingFor = {};
};

// Which records to list; an empty field lets every record through.
struct HistoryFilter {
    std::optional<int> serial = {};
    std::string model = {};
    std::optional<std::chrono::sys_seconds> since = {};
    // A serial number that could not be read, as stored (it then outweighs `serial`).
    std::string serialAsStored = {};
    // The records of one calibration event.
    std::string event = {};
    // Only records of these kinds.
    std::vector<RecordKind> kinds = {};
};

// A transmitter the history knows, and its newest record's time.
struct KnownTransmitter {
    std::string model;
    int serial = 0;
    std::string lastSeen;
    // What is stored where the serial number could not be read; empty when it could.
    std::string serialAsStored = {};
};

inline bool sameTransmitter(const KnownTransmitter& a, const KnownTransmitter& b) {
    return a.model == b.model && a.serial == b.serial && a.serialAsStored == b.serialAsStored;
}

// How far a listing reaches: the records of the local file alone come at once; those of a shared
// database may take as long as its server.
enum class Reach { LocalFile, Everywhere };

// Where a page of records starts: after this many rows of the database, and before the time of
// the last of them (records of the local file waiting for the database are listed among them by
// their time).
struct PageStart {
    std::size_t databaseRows = 0;
    std::string olderThan;
};

struct RecordPage {
    std::vector<StoredRecord> records;
    // Where the next page starts; none after the last.
    std::optional<PageStart> next;
};

// A certificate number given to a calibration event, with the verification code the
// certificate was printed with; kept where the event's records are.
struct IssuedCertificate {
    std::string number;  // "ŚK/2026/000123"
    std::string event;
    std::string code;
    std::string issued;  // UTC, as the records' times
    std::string user;
};

// "ŚK/2026/000123": the year, then the event's place among that year's numbers, six digits (more
// once a year passes 999999).
inline std::string certificateNumberText(int year, int count) {
    std::string digits = std::to_string(count);
    if (digits.size() < 6) digits.insert(0, 6 - digits.size(), '0');
    return "ŚK/" + std::to_string(year) + "/" + digits;
}

// The number of a calibration event's certificate, or why it has none (the certificate is then a
// draft).
struct CertificateNumbering {
    std::optional<IssuedCertificate> certificate;
    // Numbered before, and printed then with another verification code than the one given now.
    bool codeDiffers = false;
    std::string whyNone;
};

// What the history dialog asks of the service history.
class HistoryQuery {
public:
    virtual ~HistoryQuery() = default;
    // Newest first.
    virtual std::vector<StoredRecord> records(const HistoryFilter& filter) = 0;
    // The transmitters with records that pass the filter, the last seen first.
    virtual std::vector<KnownTransmitter> transmitters(const HistoryFilter& filter, Reach reach) = 0;
    // Up to `size` records of the database from `start`, with the waiting ones among them; newest
    // first.
    virtual RecordPage recordPage(const HistoryFilter& filter, Reach reach, const PageStart& start,
                                  std::size_t size) = 0;
    // Whether a database beyond the local file holds records: a listing of Reach::LocalFile is
    // then not all there is.
    virtual bool beyondLocalFile() const = 0;
    // The records this program made itself since it started, newest first: known without
    // asking any database.
    virtual std::vector<StoredRecord> madeHere(const HistoryFilter& filter) const = 0;
    // Why the history could not be read; empty when it could.
    virtual std::string problem() const = 0;
    // "2025-03-01" or a full ISO 8601 time as a point in time; nullopt for anything else.
    virtual std::optional<std::chrono::sys_seconds> sinceFromText(std::string_view text) const = 0;
    // A stored UTC time as the technician's clock shows it.
    virtual std::string localTime(std::string_view isoUtc) const = 0;
    // Gives the calibration event its certificate number, kept with the verification code the
    // certificate is printed with; an event numbered already gets its number again. None, and
    // why, while the event cannot be numbered.
    virtual CertificateNumbering numberCertificate(const std::string& event, const std::string& code) = 0;
    // The certificate with this number; nullopt when there is none, or (problem() set) when the
    // database could not be read.
    virtual std::optional<IssuedCertificate> certificate(const std::string& number) = 0;
};

// Runs jobs against the service history off the window's thread, one after another, each on a
// history of the runner's own (a database connection serves only the thread that made it).
class HistoryRunner {
public:
    virtual ~HistoryRunner() = default;
    using Job = std::function<void(HistoryQuery&)>;
    virtual void run(Job job) = 0;
    // Gives up the jobs queued and under way: a job held up by the database is left to end by
    // itself, and the next job runs on a fresh connection without waiting for it.
    virtual void abandon() = 0;
};

}  // namespace doxa
