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

}  // namespace

HistoryStore::HistoryStore(std::string localFile, Clock now)
    : now_(std::move(now)), database_(std::make_unique<HistoryDatabase>(std::move(localFile))) {}

HistoryStore::HistoryStore(std::string database, std::string localFile, Clock now, Delivery delivery)
    : now_(std::move(now)), database_(std::make_unique<HistoryDatabase>(std::move(database))),
      local_(std::make_unique<HistoryDatabase>(std::move(localFile))) {
    local_->count(HistoryTable::Waiting, waiting_->inLocalFile);
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

void HistoryStore::record(const ServiceRecord& record) { keep(stamped(record)); }

PendingRecord HistoryStore::stamped(const ServiceRecord& record) const {
    return {utf8(QUuid::createUuid().toString(QUuid::WithoutBraces)), {isoUtc(now_()), computerUser(), record}};
}

void HistoryStore::keep(PendingRecord record) {
    inMemory_.push_back(std::move(record));
    if (!background_) return deliver();
    keepLocally();
    background_->wake();
}

bool HistoryStore::keepInLocalFile(PendingRecord record) {
    inMemory_.push_back(std::move(record));
    // Without a database of its own, the local file is the history.
    if (local_)
        keepLocally();
    else
        deliver();
    return inMemory_.empty();
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
    const bool reachable = !local_ || waiting() == inMemory_.size() || deliverWaiting(*local_, *database_, *waiting_);
    if (reachable && !inMemory_.empty() && database_->insert(HistoryTable::Records, inMemory_)) inMemory_.clear();
    setProblem(database_->problem());
    if (local_) keepLocally();
}

void HistoryStore::keepLocally() {
    if (inMemory_.empty()) return;
    const std::lock_guard hold(waiting_->lock);
    if (local_->insert(HistoryTable::Waiting, inMemory_)) {
        inMemory_.clear();
        local_->count(HistoryTable::Waiting, waiting_->inLocalFile);
    } else {
        std::string& problem = waiting_->problem;
        problem += (problem.empty() ? "" : "; ") + local_->problem();
    }
}

// The records still waiting for the database are listed with those it holds, so that a session
// recorded while the server was out of reach can be looked at and certified at once. They are read
// first: one delivered in between is then found on the database as well, and listed once.
std::vector<StoredRecord> HistoryStore::records(const HistoryFilter& filter) {
    std::vector<PendingRecord> waiting;
    if (local_) local_->select(HistoryTable::Waiting, filter, waiting);
    std::vector<PendingRecord> delivered;
    database_->select(HistoryTable::Records, filter, delivered);
    setProblem(database_->problem());

    std::set<std::string> onDatabase;
    for (const PendingRecord& r : delivered) onDatabase.insert(r.uid);
    std::vector<StoredRecord> found;
    for (PendingRecord& r : waiting)
        if (!onDatabase.contains(r.uid)) found.push_back(std::move(r.stored));
    for (PendingRecord& r : delivered) found.push_back(std::move(r.stored));
    // Newest first; the waiting ones first among records of the same second.
    std::stable_sort(found.begin(), found.end(),
                     [](const StoredRecord& a, const StoredRecord& b) { return a.time > b.time; });
    return found;
}

std::unique_ptr<HistoryStore> openHistory(const std::string& database, Delivery delivery) {
    auto store = historyWithoutDelivery(database, delivery);
    store->retry();
    return store;
}

std::unique_ptr<HistoryStore> historyWithoutDelivery(const std::string& database, Delivery delivery) {
    const std::string localFile = HistoryStore::defaultPath();
    if (database.empty() || database == localFile) return std::make_unique<HistoryStore>(localFile);
    return std::make_unique<HistoryStore>(database, localFile, HistoryStore::systemNow, delivery);
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
