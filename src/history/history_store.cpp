#include "history/history_store.h"

#include <pwd.h>
#include <unistd.h>

#include <QDateTime>
#include <QStandardPaths>
#include <QUuid>
#include <algorithm>
#include <cstdlib>
#include <set>

namespace doxa {

namespace {

std::string utf8(const QString& text) { return text.toUtf8().toStdString(); }
QString qs(std::string_view utf8) { return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())); }

std::string joined(const std::string& first, const std::string& second) {
    if (first.empty() || second.empty() || first == second) return first.empty() ? second : first;
    return first + "; " + second;
}

// The filter the databases apply, for the records waiting in memory.
bool passes(const HistoryFilter& filter, const StoredRecord& stored) {
    return (!filter.serial || stored.record.serial == *filter.serial) &&
           (filter.model.empty() || stored.record.model == filter.model) &&
           (!filter.since || stored.time >= isoUtc(*filter.since));
}

}  // namespace

HistoryStore::HistoryStore(std::string localFile, Clock now)
    : now_(std::move(now)), database_(std::make_unique<HistoryDatabase>(std::move(localFile))) {}

HistoryStore::HistoryStore(std::string database, std::string localFile, Clock now, Delivery delivery)
    : now_(std::move(now)), database_(std::make_unique<HistoryDatabase>(std::move(database))),
      local_(std::make_unique<HistoryDatabase>(std::move(localFile))), destination_(destinationOf(database_->location())) {
    local_->countWaiting(destination_, waiting_->inLocalFile);
    if (delivery == Delivery::InBackground)
        background_ = std::make_unique<BackgroundDelivery>(database_->location(), local_->location(), waiting_);
}

HistoryStore::~HistoryStore() = default;

std::string HistoryStore::defaultPath() {
    return utf8(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)) +
           "/doxa-win/history.sqlite";
}

std::chrono::sys_seconds HistoryStore::systemNow() {
    return std::chrono::time_point_cast<std::chrono::seconds>(std::chrono::system_clock::now());
}

void HistoryStore::record(const ServiceRecord& record) {
    inMemory_.push_back({utf8(QUuid::createUuid().toString(QUuid::WithoutBraces)),
                         {isoUtc(now_()), computerUser(), record}});
    inMemory_.back().stored.waitingFor = destination_;
    if (!background_) return deliver();
    keepLocally();
    background_->wake();
}

void HistoryStore::retry() {
    if (background_) keepLocally();
    if (waiting() == 0) return;
    if (background_)
        background_->wake();
    else
        deliver();
}

std::size_t HistoryStore::waiting() const {
    const std::lock_guard hold(waiting_->lock);
    return inMemory_.size() + std::size_t(waiting_->inLocalFile);
}

std::size_t HistoryStore::waitingOfThisRun() const {
    const std::lock_guard hold(waiting_->lock);
    return inMemory_.size() + waiting_->ownInLocalFile.size();
}

std::string HistoryStore::whyWaiting() const {
    const std::lock_guard hold(waiting_->lock);
    return waiting_->whyWaiting.empty() ? "not delivered before the program ended" : waiting_->whyWaiting;
}

std::vector<StoredRecord> HistoryStore::notKept() const {
    std::vector<StoredRecord> lost;
    for (const PendingRecord& r : inMemory_) lost.push_back(r.stored);
    return lost;
}

std::string HistoryStore::problem() const {
    const std::lock_guard hold(waiting_->lock);
    return waiting_->problem;
}

void HistoryStore::setProblem(std::string problem) {
    const std::lock_guard hold(waiting_->lock);
    waiting_->problem = std::move(problem);
}

// The oldest records go first: those in the local file, then those in memory.
void HistoryStore::deliver() {
    // A database that just failed is not kept waiting for a second time.
    const bool reachable =
        !local_ || waiting() == inMemory_.size() || deliverWaiting(*local_, *database_, *waiting_, destination_);
    if (reachable && !inMemory_.empty() && database_->insert(HistoryTable::Records, inMemory_)) inMemory_.clear();
    {
        const std::lock_guard hold(waiting_->lock);
        waiting_->delivery(database_->problem());
    }
    if (local_) keepLocally();
}

void HistoryStore::keepLocally() {
    if (inMemory_.empty()) return;
    const std::lock_guard hold(waiting_->lock);
    if (local_->insert(HistoryTable::Waiting, inMemory_)) {
        for (const PendingRecord& r : inMemory_) waiting_->ownInLocalFile.insert(r.uid);
        inMemory_.clear();
        local_->countWaiting(destination_, waiting_->inLocalFile);
    } else {
        waiting_->delivery(joined(waiting_->problem, local_->problem()));
    }
}

// Every record the program holds is listed, wherever it is: those the database holds, those
// waiting in the local file (whatever database they are meant for, so that a session recorded
// while the server was out of reach can be looked at and certified at once) and those waiting
// in memory. The waiting ones are read first: one delivered in between is then found on the
// database as well, and listed once. A part that cannot be read sets problem(): a listing
// without it would look complete.
std::vector<StoredRecord> HistoryStore::records(const HistoryFilter& filter) {
    std::vector<PendingRecord> found;
    HistoryDatabase& waitingFile = local_ ? *local_ : *database_;
    std::string problem;
    if (!waitingFile.select(HistoryTable::Waiting, filter, found)) problem = waitingFile.problem();
    for (const PendingRecord& r : inMemory_)
        if (passes(filter, r.stored)) found.push_back(r);
    std::vector<PendingRecord> delivered;
    if (!database_->select(HistoryTable::Records, filter, delivered)) problem = joined(problem, database_->problem());
    setProblem(problem);

    std::set<std::string> listed;
    for (const PendingRecord& r : delivered) listed.insert(r.uid);
    std::vector<StoredRecord> records;
    for (PendingRecord& r : found)
        if (listed.insert(r.uid).second) records.push_back(std::move(r.stored));
    for (PendingRecord& r : delivered) records.push_back(std::move(r.stored));
    // Newest first; the waiting ones first among records of the same second.
    std::stable_sort(records.begin(), records.end(),
                     [](const StoredRecord& a, const StoredRecord& b) { return a.time > b.time; });
    return records;
}

std::optional<std::size_t> HistoryStore::handOver(const std::string& from) {
    HistoryDatabase& waitingFile = local_ ? *local_ : *database_;
    const std::string destination = destinationOf(from);
    int before = 0;
    int after = 0;
    const bool delivered = waitingFile.countWaiting(destination, before) &&
                           deliverWaiting(waitingFile, *database_, *waiting_, destination) &&
                           waitingFile.countWaiting(destination, after);
    const std::lock_guard hold(waiting_->lock);
    waiting_->inLocalFile = 0;
    if (local_) local_->countWaiting(destination_, waiting_->inLocalFile);
    waiting_->problem = joined(waitingFile.problem(), database_->problem());
    if (!delivered || !waiting_->problem.empty()) return std::nullopt;
    return std::size_t(before - after);
}

std::unique_ptr<HistoryStore> openHistory(const std::string& database, Delivery delivery) {
    const std::string localFile = HistoryStore::defaultPath();
    if (database.empty() || database == localFile) return std::make_unique<HistoryStore>(localFile);
    auto store = std::make_unique<HistoryStore>(database, localFile, HistoryStore::systemNow, delivery);
    store->retry();
    return store;
}

std::optional<std::chrono::sys_seconds> HistoryStore::sinceFromText(std::string_view text) const {
    return parseSince(text);
}

std::string HistoryStore::localTime(std::string_view isoUtc) const { return localTimeText(isoUtc); }

std::string computerUser() {
    for (const char* variable : {"USER", "LOGNAME"})
        if (const char* name = std::getenv(variable); name && *name) return name;
    if (const passwd* account = ::getpwuid(::getuid())) return account->pw_name;
    return std::to_string(::getuid());
}

std::optional<std::chrono::sys_seconds> parseSince(std::string_view text) {
    const QString given = qs(text);
    QDateTime time;
    // A date alone is ten characters; Qt would also take a date from the front of a time.
    if (const QDate day = QDate::fromString(given, Qt::ISODate); day.isValid() && text.size() == 10)
        time = day.startOfDay();
    else
        time = QDateTime::fromString(given, Qt::ISODate);
    if (!time.isValid()) return std::nullopt;
    return std::chrono::sys_seconds(std::chrono::seconds(time.toSecsSinceEpoch()));
}

std::string localTimeText(std::string_view isoUtc) {
    return utf8(QDateTime::fromString(qs(isoUtc), Qt::ISODate).toLocalTime().toString("yyyy-MM-dd HH:mm:ss"));
}

std::optional<RecordKind> kindFromName(std::string_view name) {
    for (int k = 0; k <= static_cast<int>(RecordKind::ForcedOutput); ++k)
        if (kindName(static_cast<RecordKind>(k)) == name) return static_cast<RecordKind>(k);
    return std::nullopt;
}

std::optional<RecordOutcome> outcomeFromName(std::string_view name) {
    for (int o = 0; o <= static_cast<int>(RecordOutcome::Refused); ++o)
        if (outcomeName(static_cast<RecordOutcome>(o)) == name) return static_cast<RecordOutcome>(o);
    return std::nullopt;
}

}  // namespace doxa
