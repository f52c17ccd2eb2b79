#pragma once

#include <chrono>
#include <cstddef>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "history/history_database.h"
#include "history/history_delivery.h"
#include "history/history_query.h"
#include "transmitter/service_record.h"

namespace doxa {

// How records reach a database other than the local file.
enum class Delivery {
    // Each record goes to the database at once, and the caller waits for it: a batch tool.
    Immediate,
    // Each record is put into the local file, and a thread of its own takes it to the database:
    // the caller never waits on the network.
    InBackground,
};

// The service history: an SQLite file of the user's own, or a database a service team shares on
// a PostgreSQL server. A database that cannot be reached or written never stops the work: the
// record waits in the local file (its "waiting" table) and is delivered with the next record or
// the next retry(); when the local file cannot be written either, it waits in memory. Every
// record carries an id of its own, so one delivered twice is kept once.
class HistoryStore : public ServiceRecorder, public HistoryQuery {
public:
    using Clock = std::function<std::chrono::sys_seconds()>;

    // The history in the local file alone.
    explicit HistoryStore(std::string localFile, Clock now = systemNow);
    // The history in `database` (a postgresql:// URL or another SQLite file); records wait in
    // `localFile` while it cannot be used.
    HistoryStore(std::string database, std::string localFile, Clock now = systemNow,
                 Delivery delivery = Delivery::Immediate);
    ~HistoryStore() override;
    HistoryStore(const HistoryStore&) = delete;
    HistoryStore& operator=(const HistoryStore&) = delete;

    // $XDG_DATA_HOME/doxa-win/history.sqlite (~/.local/share/doxa-win/ by default).
    static std::string defaultPath();
    static std::chrono::sys_seconds systemNow();

    void record(const ServiceRecord& record) override;
    // A record as record() keeps it: an id of its own, the time now and the user of the computer.
    PendingRecord stamped(const ServiceRecord& record) const;
    // record(), for a record stamped already (a program that may have to keep it otherwise,
    // should this take too long).
    void keep(PendingRecord record);
    // Puts the record where it waits for the database (the local file alone: into the history)
    // without trying the database; false when the local file did not take it.
    bool keepInLocalFile(PendingRecord record);
    // Delivers the records that wait, when there are any (in the background: wakes the thread
    // that delivers them, and counts those left by an earlier run the first time).
    void retry();
    // Newest first: every record held, the waiting ones with their destination. A file not yet
    // made holds no records; a part of the history that cannot be read sets problem().
    std::vector<StoredRecord> records(const HistoryFilter& filter) override;
    // The records of records(), each handed on as it is read: a listing of any length holds only
    // the records still waiting in the local file (a few) in memory. False, with problem() set,
    // when the database could not be read to the end; nothing more is handed on then.
    using RecordSink = std::function<void(StoredRecord&&)>;
    bool forEachRecord(const HistoryFilter& filter, const RecordSink& sink);
    std::vector<KnownTransmitter> transmitters(const HistoryFilter& filter, Reach reach) override;
    RecordPage recordPage(const HistoryFilter& filter, Reach reach, const PageStart& start,
                          std::size_t size) override;
    bool beyondLocalFile() const override { return local_ != nullptr; }
    std::vector<StoredRecord> madeHere(const HistoryFilter& filter) const override;
    std::optional<std::chrono::sys_seconds> sinceFromText(std::string_view text) const override;
    std::string localTime(std::string_view isoUtc) const override;

    // Records not yet in the database: in the local file and in memory. Those meant for another
    // database, or left by an earlier program without one, are not counted: they are not
    // delivered here. In the background, those of an earlier run count from the first retry().
    std::size_t waiting() const;
    // Records that could not be put even into the local file.
    std::size_t waitingInMemory() const { return inMemory_.size(); }
    // The records this program made that are not in the database yet, and why (never empty).
    std::size_t waitingOfThisRun() const;
    std::string whyWaiting() const;
    // The records waiting in memory: lost when the program ends.
    std::vector<StoredRecord> notKept() const;
    // Delivers to this store's database, on purpose, the records waiting in the local file for
    // the database `from` names ("" for those left by an earlier program without a database).
    // How many; nullopt, with problem() set, when the local file or the database failed.
    std::optional<std::size_t> handOver(const std::string& from);
    // A number is given only when every record of the event is in the database (none waits, the
    // database answers), so a certificate never names records the database does not hold. The
    // number counts within the year the event began (local time).
    CertificateNumbering numberCertificate(const std::string& event, const std::string& code) override;
    std::optional<IssuedCertificate> certificate(const std::string& number) override;
    // The path or URL of the database, as named.
    const std::string& databaseLocation() const { return database_->location(); }
    // Why the database could not be used the last time it was tried; empty when it could.
    std::string problem() const override;

private:
    void deliver();
    // What the database has not taken waits in the local file, or in memory when that cannot be
    // written.
    void keepLocally();
    void setProblem(std::string problem);
    // The records that pass the filter waiting in the local file (for any database; the history
    // itself when there is no other) and in memory, newest first. Sets waitingProblem_.
    std::vector<PendingRecord> waitingRecords(const HistoryFilter& filter);
    // Leaves out the records the database has taken meanwhile (it lists them itself); false when
    // the database could not be asked.
    bool leaveOutDelivered(std::vector<PendingRecord>& waiting);
    // Why the event cannot be numbered yet; empty when it can. `year` gets the year it began.
    std::string unnumberable(const std::string& event, int& year);
    // The database of a listing that reaches that far.
    HistoryDatabase& databaseOf(Reach reach) const;

    Clock now_;
    std::unique_ptr<HistoryDatabase> database_;
    // Where records wait; none when the database is the local file itself.
    std::unique_ptr<HistoryDatabase> local_;
    // What records made here wait for: destinationOf() the database; "" for the local file alone.
    std::string destination_;
    // Why the waiting records could not be read the last time they were asked for.
    std::string waitingProblem_;
    std::vector<PendingRecord> inMemory_;
    // What this program recorded, the newest last; the oldest are let go past a day's work.
    std::deque<StoredRecord> madeHere_;
    std::shared_ptr<WaitingRecords> waiting_ = std::make_shared<WaitingRecords>();
    // Last, so that it ends before the connections above close.
    std::unique_ptr<BackgroundDelivery> background_;
};

// The history a program keeps: the database named on the command line, else the one of the
// settings ([Baza] URL), else the local file. Records left waiting by an earlier run are
// delivered at once.
std::unique_ptr<HistoryStore> openHistory(const std::string& database);
// The same history, with the records left waiting left as they are (until retry(); in the
// background they are not even counted before it).
std::unique_ptr<HistoryStore> historyWithoutDelivery(const std::string& database,
                                                     Delivery delivery = Delivery::Immediate);

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
