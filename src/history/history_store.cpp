#include "history/history_store.h"

#include <fcntl.h>
#include <pwd.h>
#include <unistd.h>

#include <QDateTime>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QStringList>
#include <QVariant>
#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>

namespace doxa {

namespace {

// Each step brings the schema from the version before it to its own number.
const char* const SchemaSteps[HistoryStore::SchemaVersion][2] = {
    {"CREATE TABLE records (id INTEGER PRIMARY KEY AUTOINCREMENT, time TEXT NOT NULL, "
     "user TEXT NOT NULL, kind TEXT NOT NULL, outcome TEXT NOT NULL, model TEXT NOT NULL, "
     "serial INTEGER NOT NULL, address INTEGER NOT NULL, mode TEXT NOT NULL, line TEXT NOT NULL, "
     "backup_file TEXT NOT NULL, as_found TEXT NOT NULL, as_left TEXT NOT NULL, "
     "reference TEXT NOT NULL)",
     "CREATE INDEX records_by_serial ON records (serial, time)"},
};

QString qs(std::string_view utf8) { return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())); }
std::string utf8(const QString& text) { return text.toUtf8().toStdString(); }

std::string isoUtc(std::chrono::sys_seconds time) {
    return utf8(QDateTime::fromSecsSinceEpoch(time.time_since_epoch().count(), Qt::UTC).toString(Qt::ISODate));
}

QString valuesJson(const RecordValues& values) {
    QJsonObject object;
    for (const auto& [name, value] : values) {
        if (const double* number = std::get_if<double>(&value))
            object.insert(qs(name), *number);
        else
            object.insert(qs(name), qs(std::get<std::string>(value)));
    }
    return QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Compact));
}

// Named numbers and texts, by name (a JSON object keeps no order).
RecordValues valuesFromJson(const QString& json) {
    RecordValues values;
    const QJsonObject object = QJsonDocument::fromJson(json.toUtf8()).object();
    for (auto it = object.begin(); it != object.end(); ++it) {
        if (it->isDouble())
            values.emplace_back(utf8(it.key()), it->toDouble());
        else if (it->isString())
            values.emplace_back(utf8(it.key()), utf8(it->toString()));
    }
    return values;
}

std::string queryError(const QSqlQuery& query) { return utf8(query.lastError().text()); }

StoredRecord recordFrom(const QSqlQuery& q) {
    StoredRecord stored{utf8(q.value("time").toString()), utf8(q.value("user").toString()), {}};
    ServiceRecord& r = stored.record;
    r.kind = kindFromName(utf8(q.value("kind").toString())).value_or(RecordKind::Identification);
    r.outcome = outcomeFromName(utf8(q.value("outcome").toString())).value_or(RecordOutcome::NoAnswer);
    r.model = utf8(q.value("model").toString());
    r.serial = q.value("serial").toInt();
    r.address = q.value("address").toInt();
    r.rs485 = q.value("mode").toString() == QLatin1String("RS485");
    r.line = utf8(q.value("line").toString());
    r.backupFile = utf8(q.value("backup_file").toString());
    r.asFound = valuesFromJson(q.value("as_found").toString());
    r.asLeft = valuesFromJson(q.value("as_left").toString());
    r.reference = valuesFromJson(q.value("reference").toString());
    return stored;
}

bool insert(QSqlDatabase& db, const StoredRecord& stored, std::string& error) {
    const ServiceRecord& r = stored.record;
    QSqlQuery q(db);
    q.prepare("INSERT INTO records (time, user, kind, outcome, model, serial, address, mode, line, "
              "backup_file, as_found, as_left, reference) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
    for (const QVariant& v :
         {QVariant(qs(stored.time)), QVariant(qs(stored.user)), QVariant(qs(kindName(r.kind))),
          QVariant(qs(outcomeName(r.outcome))), QVariant(qs(r.model)), QVariant(r.serial),
          QVariant(r.address), QVariant(QString(r.rs485 ? "RS485" : "HART")), QVariant(qs(r.line)),
          QVariant(qs(r.backupFile)), QVariant(valuesJson(r.asFound)), QVariant(valuesJson(r.asLeft)),
          QVariant(valuesJson(r.reference))})
        q.addBindValue(v);
    if (q.exec()) return true;
    error = queryError(q);
    return false;
}

// A new file is made by hand, so that no one else may read it from the first moment.
bool makeFile(const std::string& path, std::string& error) {
    std::error_code ignored;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ignored);
    const int fd = ::open(path.c_str(), O_CREAT | O_WRONLY | O_CLOEXEC, 0600);
    if (fd < 0) {
        error = "cannot make " + path + ": " + std::strerror(errno);
        return false;
    }
    ::close(fd);
    return true;
}

}  // namespace

HistoryStore::HistoryStore(std::string path, Clock now) : path_(std::move(path)), now_(std::move(now)) {
    static std::atomic<int> stores{0};
    connection_ = "doxa-history-" + std::to_string(++stores);
    QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), qs(connection_)).setDatabaseName(qs(path_));
}

HistoryStore::~HistoryStore() {
    QSqlDatabase::database(qs(connection_), false).close();
    QSqlDatabase::removeDatabase(qs(connection_));
}

std::string HistoryStore::defaultPath() {
    return utf8(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)) +
           "/doxa-win/history.sqlite";
}

std::chrono::sys_seconds HistoryStore::systemNow() {
    return std::chrono::time_point_cast<std::chrono::seconds>(std::chrono::system_clock::now());
}

void HistoryStore::record(const ServiceRecord& record) {
    waiting_.push_back({isoUtc(now_()), computerUser(), record});
    deliverWaiting();
}

void HistoryStore::deliverWaiting() {
    if (!open(true)) return;
    QSqlDatabase db = QSqlDatabase::database(qs(connection_), false);
    std::string error;
    db.transaction();
    for (const StoredRecord& stored : waiting_) {
        if (!insert(db, stored, error)) {
            db.rollback();
            fail("cannot write to " + path_ + ": " + error);
            return;
        }
    }
    if (!db.commit()) {
        fail("cannot write to " + path_ + ": " + utf8(db.lastError().text()));
        return;
    }
    waiting_.clear();
}

std::vector<StoredRecord> HistoryStore::records(const HistoryFilter& filter) {
    if (!open(false)) return {};
    QStringList conditions{QStringLiteral("1")};
    if (filter.serial) conditions << QStringLiteral("serial = :serial");
    if (!filter.model.empty()) conditions << QStringLiteral("model = :model");
    if (filter.since) conditions << QStringLiteral("time >= :since");
    QSqlQuery q(QSqlDatabase::database(qs(connection_), false));
    q.prepare("SELECT * FROM records WHERE " + conditions.join(" AND ") + " ORDER BY time DESC, id DESC");
    if (filter.serial) q.bindValue(":serial", *filter.serial);
    if (!filter.model.empty()) q.bindValue(":model", qs(filter.model));
    if (filter.since) q.bindValue(":since", qs(isoUtc(*filter.since)));
    std::vector<StoredRecord> found;
    if (!q.exec()) {
        fail("cannot read " + path_ + ": " + queryError(q));
        return found;
    }
    while (q.next()) found.push_back(recordFrom(q));
    return found;
}

bool HistoryStore::open(bool create) {
    if (open_) return true;
    std::string error;
    if (!std::filesystem::exists(path_)) {
        if (!create) return false;
        if (!makeFile(path_, error)) return fail(error);
    }
    QSqlDatabase db = QSqlDatabase::database(qs(connection_), false);
    if (!db.open()) return fail("cannot open " + path_ + ": " + utf8(db.lastError().text()));
    open_ = migrate();
    if (!open_) db.close();
    else problem_.clear();
    return open_;
}

bool HistoryStore::migrate() {
    QSqlDatabase db = QSqlDatabase::database(qs(connection_), false);
    QSqlQuery q(db);
    if (!q.exec("SELECT count(*) FROM sqlite_master WHERE type = 'table' AND name = 'schema_version'") || !q.next())
        return fail("cannot read " + path_ + ": " + queryError(q));
    const bool versioned = q.value(0).toInt() > 0;
    if (versioned && (!q.exec("SELECT max(version) FROM schema_version") || !q.next()))
        return fail("cannot read " + path_ + ": " + queryError(q));
    const int version = versioned ? q.value(0).toInt() : 0;
    if (version > SchemaVersion)
        return fail(path_ + " holds a service history of version " + std::to_string(version) +
                    ", written by a newer program (this one knows versions up to " +
                    std::to_string(SchemaVersion) + "); it is left as it is");
    if (version == SchemaVersion) return true;
    db.transaction();
    bool done = version > 0 || q.exec("CREATE TABLE schema_version (version INTEGER NOT NULL)");
    for (int step = version; done && step < SchemaVersion; ++step)
        for (const char* statement : SchemaSteps[step]) done = done && q.exec(statement);
    done = done && q.exec("DELETE FROM schema_version") &&
           q.exec("INSERT INTO schema_version (version) VALUES (" + QString::number(SchemaVersion) + ")");
    if (done && db.commit()) return true;
    const std::string error = queryError(q);
    db.rollback();
    return fail("cannot prepare " + path_ + ": " + error);
}

bool HistoryStore::fail(std::string why) {
    problem_ = std::move(why);
    if (open_) QSqlDatabase::database(qs(connection_), false).close();
    open_ = false;
    return false;
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
    for (int o = 0; o <= static_cast<int>(RecordOutcome::NoAnswer); ++o)
        if (outcomeName(static_cast<RecordOutcome>(o)) == name) return static_cast<RecordOutcome>(o);
    return std::nullopt;
}

}  // namespace doxa
