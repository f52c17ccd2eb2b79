#pragma once

#include <chrono>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "history/history_query.h"

class QSqlQuery;
class QString;

namespace doxa {

// A record on its way into the history, with the id it keeps wherever it is stored, so that a
// record delivered twice (the answer to the first delivery lost) is kept once.
struct PendingRecord {
    std::string uid;
    StoredRecord stored;
};

// The two tables of the schema: the history itself, and the records a local file keeps while
// the shared database cannot be reached.
enum class HistoryTable { Records, Waiting };

// One connection to a service history: an SQLite file, or a PostgreSQL server named by a
// postgresql:// URL. Its schema is brought up to date when it is opened; a schema of a newer
// program is refused and left as it is. Every failure closes the connection, so the next use
// tries afresh.
// A time as the history stores it: "2025-03-01T09:15:00Z".
std::string isoUtc(std::chrono::sys_seconds time);

// The database a waiting record is meant for, spelt one way whatever way it was named: a
// server as postgresql://user@host:port/dbname (the port filled in with 5432, the host in lower
// case) or postgresql://user@/dbname?host=/socket/folder&port=5432, never with a password; a file
// as its absolute path. A record of an earlier program, which kept none, is meant for "".
std::string destinationOf(const std::string& location);

class HistoryDatabase {
public:
    // A path, or postgresql://user@host:port/dbname (postgresql://user@/dbname?host=/socket/dir
    // for a Unix socket).
    explicit HistoryDatabase(std::string location);
    ~HistoryDatabase();
    HistoryDatabase(const HistoryDatabase&) = delete;
    HistoryDatabase& operator=(const HistoryDatabase&) = delete;

    static bool isServerUrl(std::string_view location);
    // How often the calling thread has tried to reach a server: shows which thread waits on the
    // network.
    static int serverConnectsOnThisThread();

    bool isServer() const { return server_; }
    // The path, or the URL as given.
    const std::string& location() const { return location_; }

    // Opens the database; a file not there yet is made (mode 0600) only when `create` is set.
    bool open(bool create);
    // Adds the records in one transaction; one whose id is there already is left out.
    bool insert(HistoryTable table, const std::vector<PendingRecord>& records);
    // Removes the records with these ids, in one transaction.
    bool remove(HistoryTable table, const std::vector<PendingRecord>& records);
    // The waiting records meant for `destination` (see destinationOf()), oldest first.
    bool pending(const std::string& destination, std::vector<PendingRecord>& found);
    // Newest first; a waiting record comes with its destination in `waitingFor`. A file is
    // checked for damage first, once for each time it is opened, and refused when it holds any.
    bool select(HistoryTable table, const HistoryFilter& filter, std::vector<PendingRecord>& found);
    // Each record as it is read, newest first, skipping `skip` and handing on at most `limit`
    // (0: all); none is held in memory.
    using RecordSink = std::function<void(PendingRecord&&)>;
    bool select(HistoryTable table, const HistoryFilter& filter, const RecordSink& sink,
                std::size_t skip = 0, std::size_t limit = 0);
    // Which of these records the table holds, by id.
    bool holding(HistoryTable table, const std::vector<PendingRecord>& records, std::set<std::string>& found);
    // The transmitters of the records that pass the filter, the last seen first.
    bool transmitters(HistoryTable table, const HistoryFilter& filter, std::vector<KnownTransmitter>& found);
    bool countWaiting(const std::string& destination, int& found);
    // The certificate given to the event, or the one with this number; `found` stays empty when
    // there is none.
    bool certificateOfEvent(const std::string& event, std::optional<IssuedCertificate>& found);
    bool certificateNumbered(const std::string& number, std::optional<IssuedCertificate>& found);
    // Takes the next number of `year` and gives it to `certificate.event`, both in one
    // transaction, so that a number is never taken without its certificate nor given twice.
    // False when it could not, among others because another program numbered the event
    // meanwhile (then nothing is taken).
    bool numberCertificate(int year, IssuedCertificate& certificate);

    // Runs `work` on the database (made first when `create`) in one transaction, with the same
    // time-outs, messages and second try after a dropped connection as the records get: `work`
    // must therefore leave the same state when it runs twice. False, with problem() set, when
    // the database or `work` failed (`work` tells why in its second argument).
    using TableWork = std::function<bool(QSqlQuery&, std::string&)>;
    bool run(bool create, std::string_view doing, const TableWork& work);
    // A failure of `query`, worded as the database's own failures are.
    std::string queryFailure(std::string_view doing, const QSqlQuery& query) const;

    // Why the last use failed; empty after one that worked.
    const std::string& problem() const { return problem_; }

    // The schema this program writes.
    static constexpr int SchemaVersion = 5;

private:
    // How many of the faults SQLite finds in a damaged file are told.
    static constexpr int DamageReported = 3;

    void makeConnection();
    bool connect();
    bool write(HistoryTable table, const std::vector<PendingRecord>& records);
    bool runOnce(bool create, std::string_view doing, const TableWork& work);
    bool migrate();
    bool readVersion(int& version, std::string& error);
    bool lockSchema(std::string& error);
    std::string newerSchema(int version) const;
    bool upgrade(int from, std::string& error);
    bool inTransaction(const std::string& doing, const std::function<bool(std::string&)>& work);
    bool checkedForListing();
    bool fail(std::string why);
    bool runFiltered(QSqlQuery& q, const QString& head, const HistoryFilter& filter, const QString& tail);
    std::string failure(std::string_view doing, const std::string& detail) const;
    std::string ddl(const char* statement) const;
    bool findCertificate(const char* column, const std::string& value, std::optional<IssuedCertificate>& found);

    std::string location_;
    bool server_ = false;
    std::string connection_;
    bool connectionMade_ = false;
    bool open_ = false;
    // The file was found whole since it was opened.
    bool checked_ = false;
    std::string problem_;
    // Why the URL cannot be used, when it cannot.
    std::string urlProblem_;
};

}  // namespace doxa
