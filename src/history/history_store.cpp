#include "history/history_store.h"

#include <pwd.h>
#include <unistd.h>

#include <QDateTime>
#include <QStandardPaths>
#include <QUuid>
#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <set>
#include "link/screen_text.h"

namespace doxa {

namespace {

std::string utf8(const QString& text) { return text.toUtf8().toStdString(); }
QString qs(std::string_view utf8) { return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())); }

constexpr std::size_t MadeHereKept = 1000;
constexpr std::string_view NoEventText = UI_TEXT("Historia nie zawiera wpisów tego zdarzenia kalibracji.");
constexpr std::string_view UnreadableEventText =
    UI_TEXT("Wpisu zdarzenia kalibracji nie można w całości odczytać z historii.");
constexpr std::string_view EventWaitsText = UI_TEXT("Wpisy zdarzenia kalibracji czekają na bazę historii: %1: %2");

bool passes(const HistoryFilter& filter, const StoredRecord& s) {
    const auto stored = s.unreadable.find("serial");
    const bool serialPasses = !filter.serialAsStored.empty()
                                  ? stored != s.unreadable.end() && stored->second == filter.serialAsStored
                                  : !filter.serial || (stored == s.unreadable.end() && s.record.serial == *filter.serial);
    const auto kinds = std::ranges::find(filter.kinds, s.record.kind);
    return serialPasses &&
           (filter.model.empty() || s.record.model == filter.model) &&
           (!filter.since || s.time >= isoUtc(*filter.since)) &&
           (filter.event.empty() || s.record.event == filter.event) &&
           (filter.kinds.empty() || (kinds != filter.kinds.end() && !s.unreadable.contains("kind")));
}

// Lists the records waiting in the local file among those of the database as they are read,
// newest first; a waiting record goes before the database's records of its second. A waiting
// record delivered while the listing is read is found on the database as well, and listed once.
class NewestFirst {
public:
    NewestFirst(std::vector<PendingRecord> waiting, const HistoryStore::RecordSink& sink)
        : waiting_(std::move(waiting)), sink_(sink) {}

    void add(PendingRecord&& delivered) {
        while (next_ < waiting_.size() && waiting_[next_].stored.time >= delivered.stored.time) handOnWaiting();
        if (!handedOn_.contains(delivered.uid)) sink_(std::move(delivered.stored));
    }
    void finish() {
        while (next_ < waiting_.size()) handOnWaiting();
    }

private:
    void handOnWaiting() {
        PendingRecord& w = waiting_[next_++];
        handedOn_.insert(w.uid);
        sink_(std::move(w.stored));
    }

    std::vector<PendingRecord> waiting_;
    std::size_t next_ = 0;
    std::set<std::string> handedOn_;
    const HistoryStore::RecordSink& sink_;
};

std::string joined(const std::string& first, const std::string& second) {
    if (first.empty() || second.empty() || first == second) return first.empty() ? second : first;
    return first + "; " + second;
}


}  // namespace

HistoryStore::HistoryStore(std::string localFile, Clock now)
    : now_(std::move(now)), database_(std::make_unique<HistoryDatabase>(std::move(localFile))) {}

HistoryStore::HistoryStore(std::string database, std::string localFile, Clock now, Delivery delivery)
    : now_(std::move(now)), database_(std::make_unique<HistoryDatabase>(std::move(database))),
      local_(std::make_unique<HistoryDatabase>(std::move(localFile))), destination_(destinationOf(database_->location())) {
    // In the background the records left waiting are counted by the thread when it is first
    // woken: a program does not load the database before its window is up.
    if (delivery == Delivery::InBackground)
        background_ = std::make_unique<BackgroundDelivery>(database_->location(), local_->location(), waiting_);
    else
        local_->countWaiting(destination_, waiting_->inLocalFile);
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
    return {utf8(QUuid::createUuid().toString(QUuid::WithoutBraces)), {isoUtc(now_()), computerUser(), record, {}, destination_}};
}

void HistoryStore::keep(PendingRecord record) {
    madeHere_.push_back(record.stored);
    if (madeHere_.size() > MadeHereKept) madeHere_.pop_front();
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

// The thread is woken even when no record is known to wait: those of an earlier run are only
// known once it has looked.
void HistoryStore::retry() {
    if (background_) {
        keepLocally();
        return background_->wake();
    }
    if (waiting() > 0) deliver();
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
// in memory. A part that cannot be read sets problem(): a listing without it would look complete.
std::vector<StoredRecord> HistoryStore::records(const HistoryFilter& filter) {
    std::vector<StoredRecord> found;
    if (forEachRecord(filter, [&found](StoredRecord&& s) { found.push_back(std::move(s)); })) return found;
    found.clear();
    for (PendingRecord& w : waitingRecords(filter)) found.push_back(std::move(w.stored));
    return found;
}

// The waiting records are read first: one delivered in between is then found on the database.
bool HistoryStore::forEachRecord(const HistoryFilter& filter, const RecordSink& sink) {
    std::vector<PendingRecord> waiting = waitingRecords(filter);
    bool read = leaveOutDelivered(waiting);
    NewestFirst merged(std::move(waiting), sink);
    read = read && database_->select(HistoryTable::Records, filter,
                                     [&merged](PendingRecord&& r) { merged.add(std::move(r)); });
    setProblem(joined(waitingProblem_, database_->problem()));
    if (read) merged.finish();
    return read;
}

// Those of the local file (the history itself when there is no other) and those in memory,
// newest first.
std::vector<PendingRecord> HistoryStore::waitingRecords(const HistoryFilter& filter) {
    std::vector<PendingRecord> waiting;
    HistoryDatabase& waitingFile = local_ ? *local_ : *database_;
    waitingProblem_ = waitingFile.select(HistoryTable::Waiting, filter, waiting) ? "" : waitingFile.problem();
    std::set<std::string> listed;
    for (const PendingRecord& w : waiting) listed.insert(w.uid);
    for (const PendingRecord& r : inMemory_)
        if (passes(filter, r.stored) && listed.insert(r.uid).second) waiting.push_back(r);
    std::ranges::stable_sort(waiting, std::ranges::greater(), [](const PendingRecord& w) { return w.stored.time; });
    return waiting;
}

// A database that cannot be asked is not asked again for the listing: a silent server would
// hold it up twice.
bool HistoryStore::leaveOutDelivered(std::vector<PendingRecord>& waiting) {
    std::set<std::string> delivered;
    if (!database_->holding(HistoryTable::Records, waiting, delivered)) return false;
    std::erase_if(waiting, [&delivered](const PendingRecord& w) { return delivered.contains(w.uid); });
    return true;
}

HistoryDatabase& HistoryStore::databaseOf(Reach reach) const {
    return reach == Reach::LocalFile && local_ ? *local_ : *database_;
}

std::vector<KnownTransmitter> HistoryStore::transmitters(const HistoryFilter& filter, Reach reach) {
    std::vector<KnownTransmitter> found;
    if (reach == Reach::Everywhere || !local_) database_->transmitters(HistoryTable::Records, filter, found);
    for (const PendingRecord& w : waitingRecords(filter)) {
        const ServiceRecord& r = w.stored.record;
        const auto stored = w.stored.unreadable.find("serial");
        const KnownTransmitter waiting{r.model, r.serial, w.stored.time,
                                       stored == w.stored.unreadable.end() ? std::string() : stored->second};
        const auto known = std::ranges::find_if(
            found, [&waiting](const KnownTransmitter& t) { return sameTransmitter(t, waiting); });
        if (known == found.end())
            found.push_back(waiting);
        else
            known->lastSeen = std::max(known->lastSeen, w.stored.time);
    }
    std::ranges::stable_sort(found, std::ranges::greater(), &KnownTransmitter::lastSeen);
    setProblem(joined(waitingProblem_, databaseOf(reach).problem()));
    return found;
}

// A page holds `size` records of the database and the waiting records of their span; reaching
// the local file alone, the waiting records are the page.
RecordPage HistoryStore::recordPage(const HistoryFilter& filter, Reach reach, const PageStart& start,
                                    std::size_t size) {
    const bool everywhere = reach == Reach::Everywhere || !local_;
    std::vector<PendingRecord> waiting = waitingRecords(filter);
    const bool readable = everywhere && leaveOutDelivered(waiting);
    if (!start.olderThan.empty())
        std::erase_if(waiting, [&start](const PendingRecord& w) { return w.stored.time >= start.olderThan; });
    RecordPage page;
    const RecordSink intoPage = [&page](StoredRecord&& s) { page.records.push_back(std::move(s)); };
    NewestFirst merged(std::move(waiting), intoPage);
    if (readable) {
        std::size_t rows = 0;
        std::string lastTime;
        database_->select(HistoryTable::Records, filter, [&](PendingRecord&& r) {
            if (rows++ == size) return;  // only tells that another page follows
            lastTime = r.stored.time;
            merged.add(std::move(r));
        }, start.databaseRows, size + 1);
        if (rows > size) page.next = PageStart{start.databaseRows + size, lastTime};
    }
    if (!page.next) merged.finish();
    setProblem(joined(waitingProblem_, databaseOf(reach).problem()));
    return page;
}

std::vector<StoredRecord> HistoryStore::madeHere(const HistoryFilter& filter) const {
    std::vector<StoredRecord> found;
    std::copy_if(madeHere_.rbegin(), madeHere_.rend(), std::back_inserter(found),
                 [&filter](const StoredRecord& s) { return passes(filter, s); });
    return found;
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

CertificateNumbering HistoryStore::numberCertificate(const std::string& event, const std::string& code) {
    CertificateNumbering numbering;
    if (event.empty()) return (numbering.whyNone = NoEventText), numbering;
    // Records still on their way are given their chance first.
    retry();
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (!database_->certificateOfEvent(event, numbering.certificate)) break;
        if (numbering.certificate) {
            numbering.codeDiffers = numbering.certificate->code != code;
            return numbering;
        }
        int year = 0;
        if (numbering.whyNone = unnumberable(event, year); !numbering.whyNone.empty()) return numbering;
        IssuedCertificate made{{}, event, code, isoUtc(now_()), computerUser()};
        if (database_->numberCertificate(year, made)) return (numbering.certificate = std::move(made)), numbering;
        // Another program may have numbered the event meanwhile: its number is looked up again.
    }
    numbering.whyNone = database_->problem();
    setProblem(numbering.whyNone);
    return numbering;
}

std::string HistoryStore::unnumberable(const std::string& event, int& year) {
    std::vector<PendingRecord> waiting = waitingRecords({.event = event});
    if (!waitingProblem_.empty()) return waitingProblem_;
    if (!leaveOutDelivered(waiting)) return database_->problem();
    if (!waiting.empty())
        return formatText(EventWaitsText, {std::to_string(waiting.size()), whyWaiting()});
    std::string first;
    bool whole = true;
    const bool read = database_->select(HistoryTable::Records, {.event = event}, [&](PendingRecord&& r) {
        first = std::move(r.stored.time);
        whole = whole && r.stored.unreadable.empty();
    });
    if (!read) return database_->problem();
    if (first.empty()) return std::string(NoEventText);
    // A record read only in part is never certified, nor numbered.
    if (!whole) return std::string(UnreadableEventText);
    const std::string began = localTimeText(first);
    std::from_chars(began.data(), began.data() + std::min<std::size_t>(began.size(), 4), year);
    return {};
}

std::optional<IssuedCertificate> HistoryStore::certificate(const std::string& number) {
    std::optional<IssuedCertificate> found;
    database_->certificateNumbered(number, found);
    setProblem(database_->problem());
    return found;
}

std::unique_ptr<HistoryStore> openHistory(const std::string& database) {
    auto store = historyWithoutDelivery(database);
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
    for (int k = 0; k <= static_cast<int>(LastRecordKind); ++k)
        if (kindName(static_cast<RecordKind>(k)) == name) return static_cast<RecordKind>(k);
    return std::nullopt;
}

std::optional<RecordOutcome> outcomeFromName(std::string_view name) {
    for (int o = 0; o <= static_cast<int>(RecordOutcome::Refused); ++o)
        if (outcomeName(static_cast<RecordOutcome>(o)) == name) return static_cast<RecordOutcome>(o);
    return std::nullopt;
}

}  // namespace doxa
