#include "history/history_database.h"

#include <fcntl.h>
#include <unistd.h>

#include <QDateTime>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <QUrl>
#include <QUrlQuery>
#include <QVariant>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <filesystem>

#include "link/screen_text.h"
#include "history/history_store.h"
#include "history/record_columns.h"

namespace doxa {

namespace {

constexpr std::string_view ServerScheme = "postgresql://";
// A server that does not answer holds a connection up no longer than this, and one that vanishes
// in the middle of a query is given up within about a minute.
constexpr const char* ServerConnectOptions =
    "connect_timeout=5;keepalives=1;keepalives_idle=30;keepalives_interval=10;keepalives_count=3";
// Counted for serverConnectsOnThisThread().
thread_local int serverConnects = 0;
// A lock another client holds (a table's, the schema's below, or a file's) is waited for this
// long, and no statement runs longer on a server: whoever holds a lock or runs a slow query cannot
// hold a technician up without end.
constexpr int LockWaitS = 5;
constexpr int StatementWaitS = 30;
// Set for the session after connecting, so that a connection pooler in between does not have to
// pass start-up options on.
const std::string ServerWaitLimits = "SELECT set_config('lock_timeout', '" + std::to_string(LockWaitS) +
                                     "s', false), set_config('statement_timeout', '" +
                                     std::to_string(StatementWaitS) + "s', false)";
// Two connections to one file (the program's and its delivery thread's) wait for each other's
// short writes instead of failing on the lock.
const std::string FileConnectOptions = "QSQLITE_BUSY_TIMEOUT=" + std::to_string(LockWaitS * 1000);
// The words a wait given up on is told with, for insert() to know it from a lost connection.
constexpr std::string_view GaveUpWaiting = "gave up waiting";
// Taken by whoever brings a server's schema up to date, so two programs opening a new database
// at once do not both make it. Only a schema that must change takes it: the version is read
// without it first.
constexpr const char* MigrationLock = "SELECT pg_advisory_xact_lock(4242019)";

// Each step brings the schema from the version before it to its own number. The same text
// serves both kinds of database; only the id column is spelt differently (see ddl()).
const std::vector<const char*> SchemaSteps[HistoryDatabase::SchemaVersion] = {
    {"CREATE TABLE records (id INTEGER PRIMARY KEY AUTOINCREMENT, time TEXT NOT NULL, "
     "\"user\" TEXT NOT NULL, kind TEXT NOT NULL, outcome TEXT NOT NULL, model TEXT NOT NULL, "
     "serial INTEGER NOT NULL, address INTEGER NOT NULL, mode TEXT NOT NULL, line TEXT NOT NULL, "
     "backup_file TEXT NOT NULL, as_found TEXT NOT NULL, as_left TEXT NOT NULL, "
     "reference TEXT NOT NULL)",
     "CREATE INDEX records_by_serial ON records (serial, time)"},
    // Records made before this version have no id of their own and keep none.
    {"ALTER TABLE records ADD COLUMN uid TEXT",
     "CREATE UNIQUE INDEX records_by_uid ON records (uid)",
     "CREATE TABLE waiting (id INTEGER PRIMARY KEY AUTOINCREMENT, uid TEXT NOT NULL UNIQUE, "
     "time TEXT NOT NULL, \"user\" TEXT NOT NULL, kind TEXT NOT NULL, outcome TEXT NOT NULL, "
     "model TEXT NOT NULL, serial INTEGER NOT NULL, address INTEGER NOT NULL, mode TEXT NOT NULL, "
     "line TEXT NOT NULL, backup_file TEXT NOT NULL, as_found TEXT NOT NULL, "
     "as_left TEXT NOT NULL, reference TEXT NOT NULL)"},
    // The device the port was opened on (records made before name none), and a refused write's
    // code: older programs cannot read the outcome "refused" and must not open a database that
    // holds it.
    {"ALTER TABLE records ADD COLUMN device TEXT NOT NULL DEFAULT ''",
     "ALTER TABLE waiting ADD COLUMN device TEXT NOT NULL DEFAULT ''",
     "ALTER TABLE records ADD COLUMN refusal_code INTEGER",
     "ALTER TABLE waiting ADD COLUMN refusal_code INTEGER"},
    // The database each waiting record is meant for (see destinationOf()); records left waiting
    // by an earlier program keep none and are delivered only when handed over on purpose.
    // Listings newest first and the list of transmitters read through indexes, not by sorting
    // or scanning every record.
    {"ALTER TABLE waiting ADD COLUMN destination TEXT",
     "CREATE INDEX records_by_time ON records (time, id)",
     "CREATE INDEX records_by_transmitter ON records (serial, model, time)"},
    // Calibration events: the records of one calibration procedure carry its id. The register of
    // reference instruments (in the local file: the copy that serves while the shared one is out
    // of reach) and every change made to it; certificate numbers, counted per year, each given
    // to one event with the verification code it was printed with.
    {"ALTER TABLE records ADD COLUMN event TEXT NOT NULL DEFAULT ''",
     "ALTER TABLE waiting ADD COLUMN event TEXT NOT NULL DEFAULT ''",
     "CREATE INDEX records_by_event ON records (event)",
     "CREATE TABLE instruments (id TEXT PRIMARY KEY, name TEXT NOT NULL, model TEXT NOT NULL, "
     "serial TEXT NOT NULL, certificate TEXT NOT NULL, due TEXT NOT NULL, "
     "uncertainties TEXT NOT NULL, retired INTEGER NOT NULL DEFAULT 0)",
     "CREATE TABLE instrument_changes (id INTEGER PRIMARY KEY AUTOINCREMENT, time TEXT NOT NULL, "
     "\"user\" TEXT NOT NULL, instrument TEXT NOT NULL, field TEXT NOT NULL, "
     "old_value TEXT NOT NULL, new_value TEXT NOT NULL)",
     "CREATE TABLE certificate_counters (year INTEGER PRIMARY KEY, last INTEGER NOT NULL)",
     "CREATE TABLE certificates (number TEXT PRIMARY KEY, event TEXT NOT NULL UNIQUE, "
     "code TEXT NOT NULL, issued TEXT NOT NULL, \"user\" TEXT NOT NULL)"},
};

QString qs(std::string_view utf8) { return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())); }
std::string utf8(const QString& text) { return text.toUtf8().toStdString(); }

QString tableName(HistoryTable table) {
    return table == HistoryTable::Records ? QStringLiteral("records") : QStringLiteral("waiting");
}

// PostgreSQL's lock_timeout and statement_timeout (by their SQLSTATE, as the server may tell
// them in any language), and SQLite's busy time-out.
std::string waitGivenUp(const QSqlError& error) {
    const QString code = error.nativeErrorCode();
    const std::string after = std::string(GaveUpWaiting) + " after ";
    if (code == QLatin1String("55P03"))
        return after + std::to_string(LockWaitS) + " s for a lock another client holds";
    if (code == QLatin1String("57014"))
        return after + std::to_string(StatementWaitS) + " s for the server to answer (or the statement was cancelled)";
    if (code == QLatin1String("5") && error.databaseText().contains(QLatin1String("locked")))
        return after + std::to_string(LockWaitS) + " s for another program to let the file go";
    return {};
}

std::string queryError(const QSqlQuery& query) {
    const QSqlError error = query.lastError();
    const std::string given = waitGivenUp(error);
    return (given.empty() ? "" : given + ": ") + utf8(error.text());
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

// What a postgresql:// URL names.
struct ServerAddress {
    QString user;
    QString host;          // empty for a Unix socket
    QString socketFolder;  // empty for a host
    int port = 0;          // 0 when not given
    QString database;
    // Why the URL cannot be used, when it cannot.
    std::string problem;
};

ServerAddress serverAddress(const std::string& location) {
    const QUrl url(qs(location), QUrl::StrictMode);
    ServerAddress address;
    address.database = url.path().mid(1);
    if (!url.isValid() || address.database.isEmpty() || address.database.contains(QLatin1Char('/'))) {
        address.problem = "not a database URL: " + location + " (postgresql://user@host:port/dbname)";
        address.database.clear();
        return address;
    }
    if (!url.password().isEmpty())
        address.problem = "the URL " + utf8(url.toString(QUrl::RemovePassword)) +
                          " holds a password; keep it in ~/.pgpass or PGPASSWORD instead";
    const QUrlQuery query(url);
    address.user = url.userName();
    address.socketFolder = query.queryItemValue(QStringLiteral("host"), QUrl::FullyDecoded);
    if (address.socketFolder.isEmpty()) address.host = url.host();
    address.port = url.port() > 0 ? url.port() : query.queryItemValue(QStringLiteral("port")).toInt();
    return address;
}

// Sets the connection up for a server named by a usable postgresql:// URL; the password is left
// to libpq, which takes it from ~/.pgpass or PGPASSWORD.
void useServerAddress(QSqlDatabase& db, const ServerAddress& address) {
    db.setHostName(address.socketFolder.isEmpty() ? address.host : address.socketFolder);
    if (address.port > 0) db.setPort(address.port);
    db.setUserName(address.user);
    db.setDatabaseName(address.database);
    db.setConnectOptions(QString::fromLatin1(ServerConnectOptions));
}

constexpr int DefaultServerPort = 5432;

std::string encoded(const QString& part) { return QUrl::toPercentEncoding(part).toStdString(); }

// One spelling per server database: the host in lower case (an IPv6 address in brackets), the
// port filled in, a socket folder without a trailing slash, and never a password.
std::string normalServerUrl(const ServerAddress& a) {
    std::string text(ServerScheme);
    if (!a.user.isEmpty()) text += encoded(a.user) + "@";
    const std::string port = std::to_string(a.port > 0 ? a.port : DefaultServerPort);
    if (!a.socketFolder.isEmpty()) {
        const std::string folder = std::filesystem::path(utf8(a.socketFolder)).lexically_normal().string();
        const bool root = folder == "/";
        return text + "/" + encoded(a.database) + "?host=" +
               (root || !folder.ends_with('/') ? folder : folder.substr(0, folder.size() - 1)) + "&port=" + port;
    }
    const std::string host = utf8(a.host.toLower());
    text += host.find(':') == std::string::npos ? host : "[" + host + "]";
    return text + ":" + port + "/" + encoded(a.database);
}

}  // namespace

std::string isoUtc(std::chrono::sys_seconds time) {
    return utf8(QDateTime::fromSecsSinceEpoch(time.time_since_epoch().count(), Qt::UTC).toString(Qt::ISODate));
}

std::string destinationOf(const std::string& location) {
    if (location.empty()) return {};
    if (!HistoryDatabase::isServerUrl(location)) {
        std::error_code ignored;
        return std::filesystem::weakly_canonical(std::filesystem::absolute(location, ignored), ignored).string();
    }
    const ServerAddress address = serverAddress(location);
    if (address.database.isEmpty()) return utf8(QUrl(qs(location)).toString(QUrl::RemovePassword));
    return normalServerUrl(address);
}

// The connection, and with it Qt's database driver and the database's own library, is made at
// the first use: a program that keeps no record before its window is up does not load them.
HistoryDatabase::HistoryDatabase(std::string location)
    : location_(std::move(location)), server_(isServerUrl(location_)) {
    static std::atomic<int> connections{0};
    connection_ = "doxa-history-" + std::to_string(++connections);
    if (server_) urlProblem_ = serverAddress(location_).problem;
}

HistoryDatabase::~HistoryDatabase() {
    if (!connectionMade_) return;
    QSqlDatabase::database(qs(connection_), false).close();
    QSqlDatabase::removeDatabase(qs(connection_));
}

void HistoryDatabase::makeConnection() {
    if (connectionMade_) return;
    QSqlDatabase db = QSqlDatabase::addDatabase(server_ ? QStringLiteral("QPSQL") : QStringLiteral("QSQLITE"),
                                                qs(connection_));
    if (server_) {
        useServerAddress(db, serverAddress(location_));
    } else {
        db.setDatabaseName(qs(location_));
        db.setConnectOptions(qs(FileConnectOptions));
    }
    connectionMade_ = true;
}

bool HistoryDatabase::isServerUrl(std::string_view location) { return location.starts_with(ServerScheme); }

int HistoryDatabase::serverConnectsOnThisThread() { return serverConnects; }

bool HistoryDatabase::open(bool create) {
    if (open_) return true;
    if (server_) return connect();
    if (!std::filesystem::exists(location_)) {
        std::string error;
        // A file not made yet holds nothing, and that is no fault.
        if (!create) return problem_.clear(), false;
        if (!makeFile(location_, error)) return fail(error);
    }
    return connect();
}

bool HistoryDatabase::connect() {
    if (!urlProblem_.empty()) return fail(urlProblem_);
    if (server_) ++serverConnects;
    makeConnection();
    QSqlDatabase db = QSqlDatabase::database(qs(connection_), false);
    if (!db.open()) return fail("cannot open " + location_ + ": " + utf8(db.lastError().text()));
    open_ = true;
    if (server_) {
        QSqlQuery limits(db);
        if (!limits.exec(qs(ServerWaitLimits))) return fail(failure("open", queryError(limits)));
    }
    if (!migrate()) return false;
    problem_.clear();
    return true;
}

// Most openings find the schema up to date and change nothing, so they read the version without
// a lock; one that must bring the schema up to date takes the lock and reads it again under it,
// as another program may have done so in between.
bool HistoryDatabase::migrate() {
    int version = 0;
    std::string error;
    if (!readVersion(version, error)) return fail(error);
    if (version > SchemaVersion) return fail(newerSchema(version));
    if (version == SchemaVersion) return true;
    return inTransaction("prepare", [this](std::string& error) {
        int version = 0;
        if (!lockSchema(error) || !readVersion(version, error)) return false;
        if (version > SchemaVersion) return (error = newerSchema(version)), false;
        return version == SchemaVersion || upgrade(version, error);
    });
}

std::string HistoryDatabase::newerSchema(int version) const {
    return formatText(UI_TEXT("Baza historii serwisowej %1 ma schemat w wersji %2, nowszej niż znane temu "
                              "programowi (do %3); program zostawia ją bez zmian."),
                      {location_, std::to_string(version), std::to_string(SchemaVersion)});
}

// SQLite's write lock, taken as the transaction began, already holds the others off.
bool HistoryDatabase::lockSchema(std::string& error) {
    QSqlQuery q(QSqlDatabase::database(qs(connection_), false));
    if (server_ && !q.exec(MigrationLock)) return (error = failure("prepare", queryError(q))), false;
    return true;
}

// 0 for a database without the version table.
bool HistoryDatabase::readVersion(int& version, std::string& error) {
    QSqlDatabase db = QSqlDatabase::database(qs(connection_), false);
    QSqlQuery q(db);
    if (!db.tables().contains(QStringLiteral("schema_version"))) return true;
    if (!q.exec("SELECT max(version) FROM schema_version") || !q.next())
        return (error = failure("prepare", queryError(q))), false;
    version = q.value(0).toInt();
    return true;
}

bool HistoryDatabase::upgrade(int from, std::string& error) {
    QSqlQuery q(QSqlDatabase::database(qs(connection_), false));
    bool done = from > 0 || q.exec("CREATE TABLE schema_version (version INTEGER NOT NULL)");
    for (int step = from; done && step < SchemaVersion; ++step)
        for (const char* statement : SchemaSteps[step]) done = done && q.exec(qs(ddl(statement)));
    done = done && q.exec("DELETE FROM schema_version") &&
           q.exec("INSERT INTO schema_version (version) VALUES (" + QString::number(SchemaVersion) + ")");
    if (!done) error = failure("prepare", queryError(q));
    return done;
}

std::string HistoryDatabase::ddl(const char* statement) const {
    std::string text = statement;
    constexpr std::string_view FileId = "INTEGER PRIMARY KEY AUTOINCREMENT";
    if (server_)
        if (const auto at = text.find(FileId); at != std::string::npos) text.replace(at, FileId.size(), "SERIAL PRIMARY KEY");
    return text;
}

bool HistoryDatabase::insert(HistoryTable table, const std::vector<PendingRecord>& records) {
    const bool wasOpen = open_;
    if (write(table, records)) return true;
    // A connection the server dropped since its last use (a restart) fails once; a fresh one
    // may not. Writing again is harmless: what arrived the first time is kept once. A lock given
    // up on is not waited for a second time.
    return wasOpen && problem_.find(GaveUpWaiting) == std::string::npos && write(table, records);
}

bool HistoryDatabase::write(HistoryTable table, const std::vector<PendingRecord>& records) {
    if (!open(true)) return false;
    return inTransaction("write to", [&](std::string& error) {
        QSqlQuery q(QSqlDatabase::database(qs(connection_), false));
        const bool waiting = table == HistoryTable::Waiting;
        const QString statement = "INSERT INTO " + tableName(table) + " (" + QLatin1String(RecordColumnNames) +
                                  (waiting ? ", destination" : "") + ") VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?" +
                                  (waiting ? ", ?" : "") + ") ON CONFLICT (uid) DO NOTHING";
        for (const PendingRecord& record : records)
            if (!q.prepare(statement) || !insertRecord(q, record, table)) return (error = failure("write to", queryError(q))), false;
        return true;
    });
}

bool HistoryDatabase::run(bool create, std::string_view doing, const TableWork& work) {
    const bool wasOpen = open_;
    if (runOnce(create, doing, work)) return true;
    return wasOpen && problem_.find(GaveUpWaiting) == std::string::npos && runOnce(create, doing, work);
}

bool HistoryDatabase::runOnce(bool create, std::string_view doing, const TableWork& work) {
    if (!open(create)) return false;
    return inTransaction(std::string(doing), [&work, this](std::string& error) {
        QSqlQuery q(QSqlDatabase::database(qs(connection_), false));
        return work(q, error);
    });
}

std::string HistoryDatabase::queryFailure(std::string_view doing, const QSqlQuery& query) const {
    return failure(doing, queryError(query));
}

bool HistoryDatabase::remove(HistoryTable table, const std::vector<PendingRecord>& records) {
    if (!open(false)) return false;
    return inTransaction("write to", [&](std::string& error) {
        QSqlQuery q(QSqlDatabase::database(qs(connection_), false));
        for (const PendingRecord& record : records) {
            q.prepare("DELETE FROM " + tableName(table) + " WHERE uid = ?");
            q.addBindValue(qs(record.uid));
            if (!q.exec()) return (error = failure("write to", queryError(q))), false;
        }
        return true;
    });
}

// A record of an earlier program, which named no destination, is waiting for "".
constexpr const char* ForDestination = "coalesce(destination, '') = ?";

bool HistoryDatabase::pending(const std::string& destination, std::vector<PendingRecord>& found) {
    if (!open(false)) return problem_.empty();
    QSqlQuery q(QSqlDatabase::database(qs(connection_), false));
    if (!q.prepare(QStringLiteral("SELECT * FROM waiting WHERE ") + ForDestination + " ORDER BY id"))
        return fail(failure("read", queryError(q)));
    q.addBindValue(qs(destination));
    if (!q.exec()) return fail(failure("read", queryError(q)));
    while (q.next()) found.push_back({utf8(q.value("uid").toString()), recordFromRow(q, HistoryTable::Waiting)});
    return true;
}

bool HistoryDatabase::select(HistoryTable table, const HistoryFilter& filter, std::vector<PendingRecord>& found) {
    return select(table, filter, [&found](PendingRecord&& record) {
        found.push_back(std::move(record));
    });
}

bool HistoryDatabase::select(HistoryTable table, const HistoryFilter& filter, const RecordSink& sink,
                             std::size_t skip, std::size_t limit) {
    if (!open(false)) return problem_.empty();
    if (!checkedForListing()) return false;
    QSqlQuery q(QSqlDatabase::database(qs(connection_), false));
    // Read row by row: the driver keeps no copy of the rows already handed on.
    q.setForwardOnly(true);
    QString window = QStringLiteral(" ORDER BY time DESC, id DESC");
    if (limit > 0) window += QStringLiteral(" LIMIT %1").arg(limit);
    if (skip > 0) window += QStringLiteral(" OFFSET %1").arg(skip);
    if (!runFiltered(q, "SELECT * FROM " + tableName(table), filter, window)) return false;
    while (q.next()) sink({utf8(q.value("uid").toString()), recordFromRow(q, table)});
    // A connection lost halfway ends the rows early: what was handed on is then not all.
    if (q.lastError().isValid()) return fail(failure("read", queryError(q)));
    return true;
}

bool HistoryDatabase::holding(HistoryTable table, const std::vector<PendingRecord>& records,
                              std::set<std::string>& found) {
    if (records.empty()) return true;
    if (!open(false)) return problem_.empty();
    QSqlQuery q(QSqlDatabase::database(qs(connection_), false));
    QStringList marks;
    for (std::size_t i = 0; i < records.size(); ++i) marks << QStringLiteral("?");
    if (!q.prepare("SELECT uid FROM " + tableName(table) + " WHERE uid IN (" + marks.join(", ") + ")"))
        return fail(failure("read", queryError(q)));
    for (const PendingRecord& record : records) q.addBindValue(qs(record.uid));
    if (!q.exec()) return fail(failure("read", queryError(q)));
    while (q.next()) found.insert(utf8(q.value(0).toString()));
    return true;
}

// One row a transmitter, counted by the database: the dialog never reads every record to list them.
bool HistoryDatabase::transmitters(HistoryTable table, const HistoryFilter& filter,
                                   std::vector<KnownTransmitter>& found) {
    if (!open(false)) return problem_.empty();
    if (!checkedForListing()) return false;
    QSqlQuery q(QSqlDatabase::database(qs(connection_), false));
    q.setForwardOnly(true);
    if (!runFiltered(q, "SELECT model, serial, max(time) AS seen FROM " + tableName(table), filter,
                     " GROUP BY model, serial ORDER BY seen DESC, max(id) DESC"))
        return false;
    while (q.next())
        found.push_back(transmitterFromRow(q));
    return true;
}

bool HistoryDatabase::runFiltered(QSqlQuery& q, const QString& head, const HistoryFilter& filter,
                                  const QString& tail) {
    QStringList conditions{QStringLiteral("1 = 1")};
    const bool bySerial = filter.serial || !filter.serialAsStored.empty();
    if (bySerial) conditions << QStringLiteral("serial = :serial");
    if (!filter.model.empty()) conditions << QStringLiteral("model = :model");
    if (filter.since) conditions << QStringLiteral("time >= :since");
    if (!filter.event.empty()) conditions << QStringLiteral("event = :event");
    QStringList kinds;
    for (const RecordKind kind : filter.kinds) kinds << "'" + qs(kindName(kind)) + "'";
    if (!kinds.isEmpty()) conditions << "kind IN (" + kinds.join(", ") + ")";
    // A server prepares under the table's lock, so a lock given up on is told here.
    if (!q.prepare(head + " WHERE " + conditions.join(" AND ") + tail)) return fail(failure("read", queryError(q)));
    // A serial number stored as something else than a number is found by what is stored.
    if (bySerial)
        q.bindValue(":serial", filter.serialAsStored.empty() ? QVariant(*filter.serial) : QVariant(qs(filter.serialAsStored)));
    if (!filter.model.empty()) q.bindValue(":model", qs(filter.model));
    if (filter.since) q.bindValue(":since", qs(isoUtc(*filter.since)));
    if (!filter.event.empty()) q.bindValue(":event", qs(filter.event));
    if (!q.exec()) return fail(failure("read", queryError(q)));
    return true;
}

// A file with damaged pages can still answer a query, with rows made up of whatever the damaged
// pages hold; such a file is refused for listing, with what SQLite found. A server keeps its own
// pages.
bool HistoryDatabase::checkedForListing() {
    if (server_ || checked_) return true;
    QSqlQuery q(QSqlDatabase::database(qs(connection_), false));
    if (!q.exec(QStringLiteral("PRAGMA quick_check(%1)").arg(DamageReported)))
        return fail(failure("check", queryError(q)));
    QStringList damage;
    while (q.next())
        if (const QString found = q.value(0).toString(); found != QLatin1String("ok")) damage << found;
    if (!damage.isEmpty())
        return fail(formatText(UI_TEXT("Baza historii serwisowej %1 jest uszkodzona: %2"),
                               {location_, utf8(damage.join("; "))}));
    checked_ = true;
    return true;
}

bool HistoryDatabase::countWaiting(const std::string& destination, int& found) {
    found = 0;
    if (!open(false)) return problem_.empty();
    QSqlQuery q(QSqlDatabase::database(qs(connection_), false));
    q.prepare(QStringLiteral("SELECT count(*) FROM waiting WHERE ") + ForDestination);
    q.addBindValue(qs(destination));
    if (!q.exec() || !q.next()) return fail(failure("read", queryError(q)));
    found = q.value(0).toInt();
    return true;
}

// SQLite takes the write lock at the start, so two writers queue up instead of failing halfway.
bool HistoryDatabase::inTransaction(const std::string& doing, const std::function<bool(std::string&)>& work) {
    QSqlDatabase db = QSqlDatabase::database(qs(connection_), false);
    std::string error;
    {
        QSqlQuery begin(db);
        if (!begin.exec(server_ ? "BEGIN" : "BEGIN IMMEDIATE"))
            return fail(failure(doing, queryError(begin)));
    }
    if (work(error)) {
        QSqlQuery commit(db);
        if (commit.exec("COMMIT")) return true;
        error = failure(doing, queryError(commit));
    }
    QSqlQuery(db).exec("ROLLBACK");
    return fail(error);
}

std::string HistoryDatabase::failure(std::string_view doing, const std::string& detail) const {
    return "cannot " + std::string(doing) + " " + location_ + ": " + detail;
}

bool HistoryDatabase::fail(std::string why) {
    problem_ = std::move(why);
    checked_ = false;
    if (open_) QSqlDatabase::database(qs(connection_), false).close();
    open_ = false;
    return false;
}

bool HistoryDatabase::certificateOfEvent(const std::string& event, std::optional<IssuedCertificate>& found) {
    return findCertificate("event", event, found);
}

bool HistoryDatabase::certificateNumbered(const std::string& number, std::optional<IssuedCertificate>& found) {
    return findCertificate("number", number, found);
}

bool HistoryDatabase::findCertificate(const char* column, const std::string& value,
                                      std::optional<IssuedCertificate>& found) {
    found.reset();
    if (!open(false)) return problem_.empty();
    QSqlQuery q(QSqlDatabase::database(qs(connection_), false));
    if (!q.prepare(QStringLiteral("SELECT number, event, code, issued, \"user\" FROM certificates WHERE %1 = ?")
                       .arg(QLatin1String(column))))
        return fail(failure("read", queryError(q)));
    q.addBindValue(qs(value));
    if (!q.exec()) return fail(failure("read", queryError(q)));
    if (q.next())
        found = IssuedCertificate{utf8(q.value(0).toString()), utf8(q.value(1).toString()), utf8(q.value(2).toString()),
                                  utf8(q.value(3).toString()), utf8(q.value(4).toString())};
    return true;
}

// The counter's row is locked by the update until the transaction ends, so two programs taking
// numbers of one year at once get one after the other; a certificate that cannot be stored takes
// its number back with it.
bool HistoryDatabase::numberCertificate(int year, IssuedCertificate& certificate) {
    static const std::string NumberedMeanwhile = "the event was numbered by another program meanwhile";
    if (!open(true)) return false;
    return inTransaction("number a certificate in", [&](std::string& error) {
        QSqlQuery q(QSqlDatabase::database(qs(connection_), false));
        const bool counted =
            q.prepare("INSERT INTO certificate_counters (year, last) VALUES (?, 1) ON CONFLICT (year) "
                      "DO UPDATE SET last = certificate_counters.last + 1 RETURNING last") &&
            (q.addBindValue(year), q.exec()) && q.next();
        if (!counted) return (error = failure("number a certificate in", queryError(q))), false;
        certificate.number = certificateNumberText(year, q.value(0).toInt());
        q.finish();
        // An event another program numbered meanwhile is left as it is: the server lets this
        // insert wait for the other's transaction rather than fail on it.
        const bool stored =
            q.prepare("INSERT INTO certificates (number, event, code, issued, \"user\") VALUES (?, ?, ?, ?, ?) "
                      "ON CONFLICT (event) DO NOTHING RETURNING number") &&
            (q.addBindValue(qs(certificate.number)), q.addBindValue(qs(certificate.event)),
             q.addBindValue(qs(certificate.code)), q.addBindValue(qs(certificate.issued)),
             q.addBindValue(qs(certificate.user)), q.exec());
        if (!stored) return (error = failure("number a certificate in", queryError(q))), false;
        if (!q.next()) return (error = failure("number a certificate in", NumberedMeanwhile)), false;
        return true;
    });
}

}  // namespace doxa
