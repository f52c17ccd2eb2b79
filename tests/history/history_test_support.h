#pragma once

// What the service history's tests share: records to write, a clock to move, and plain SQL on a
// database with a connection of the test's own, beside the store's.

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>
#include <chrono>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "history/history_store.h"
#include "support/sql_connection.h"

namespace doxa::test {

inline ServiceRecord compensation(int serial, std::string model = "DOXA-22") {
    ServiceRecord r;
    r.kind = RecordKind::CalibrationCompensation;
    r.outcome = RecordOutcome::Confirmed;
    r.model = std::move(model);
    r.serial = serial;
    r.address = 1;
    r.line = "COM2:1200,o,8,1";
    r.asFound = {{"ambient", 24.5}};
    r.asLeft = {{"ambient", 25.5}};
    r.reference = {{"ambient", 25.5}};
    return r;
}

// A clock the test moves: 1 March 2025, 09:00 UTC, and on.
struct TestClock {
    std::chrono::sys_seconds now = std::chrono::sys_days(std::chrono::year(2025) / 3 / 1) + std::chrono::hours(9);
    HistoryStore::Clock clock() {
        return [this] { return now; };
    }
};

// Whether `done` came true within 10 s, asked every 20 ms: for what a thread of the store does.
inline bool eventually(const std::function<bool()>& done) {
    for (int tries = 0; tries < 500; ++tries) {
        if (done()) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return done();
}

// A server that takes connections and never answers, as a host whose packets vanish, on a port
// of the loopback interface.
class SilentServer {
public:
    SilentServer() : socket_(::socket(AF_INET, SOCK_STREAM, 0)) {
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        EXPECT_EQ(::bind(socket_, reinterpret_cast<sockaddr*>(&address), length), 0);
        EXPECT_EQ(::listen(socket_, 4), 0);
        EXPECT_EQ(::getsockname(socket_, reinterpret_cast<sockaddr*>(&address), &length), 0);
        url_ = "postgresql://doxa@127.0.0.1:" + std::to_string(ntohs(address.sin_port)) + "/history";
    }
    ~SilentServer() { close(); }
    SilentServer(const SilentServer&) = delete;
    SilentServer& operator=(const SilentServer&) = delete;

    const std::string& url() const { return url_; }
    // From now on a connection is refused.
    void close() {
        if (socket_ >= 0) ::close(socket_);
        socket_ = -1;
    }

private:
    int socket_;
    std::string url_;
};

// Runs `statements` on an SQLite file or a postgresql:// URL; the first column of the last row
// the last statement gave, -1 when none did.
inline int runSql(const std::string& location, const std::vector<std::string>& statements) {
    int lastValue = -1;
    {
        QSqlDatabase db = sqlConnection(location, "history-test");
        EXPECT_TRUE(db.open()) << db.lastError().text().toStdString();
        QSqlQuery q(db);
        for (const std::string& statement : statements) {
            EXPECT_TRUE(q.exec(QString::fromStdString(statement))) << statement << ": " << q.lastError().text().toStdString();
            while (q.next()) lastValue = q.value(0).toInt();
        }
        q.finish();
        db.close();
    }
    QSqlDatabase::removeDatabase("history-test");
    return lastValue;
}

// The tables of the first version, as the program that wrote it made them (an id of the
// server's kind on PostgreSQL), with one record.
inline std::vector<std::string> firstSchema(bool server) {
    const std::string id = server ? "SERIAL PRIMARY KEY" : "INTEGER PRIMARY KEY AUTOINCREMENT";
    return {
        "CREATE TABLE schema_version (version INTEGER NOT NULL)",
        "INSERT INTO schema_version (version) VALUES (1)",
        "CREATE TABLE records (id " + id + ", time TEXT NOT NULL, "
        "\"user\" TEXT NOT NULL, kind TEXT NOT NULL, outcome TEXT NOT NULL, model TEXT NOT NULL, "
        "serial INTEGER NOT NULL, address INTEGER NOT NULL, mode TEXT NOT NULL, line TEXT NOT NULL, "
        "backup_file TEXT NOT NULL, as_found TEXT NOT NULL, as_left TEXT NOT NULL, "
        "reference TEXT NOT NULL)",
        "CREATE INDEX records_by_serial ON records (serial, time)",
        "INSERT INTO records (time, \"user\", kind, outcome, model, serial, address, mode, line, "
        "backup_file, as_found, as_left, reference) VALUES ('2024-12-31T08:00:00Z', 'technik', "
        "'programming', 'confirmed', 'RIVO-22', 77, 5, 'RS485', 'COM3:9600,n,8,1', '', "
        "'{\"range_max\":150}', '{\"range_max\":200}', '{}')",
    };
}

// A schema of a program newer than this one.
inline const std::vector<std::string> NewerSchema = {
    "CREATE TABLE schema_version (version INTEGER NOT NULL)",
    "INSERT INTO schema_version VALUES (6)",
    "CREATE TABLE records (id INTEGER PRIMARY KEY, something_new TEXT)",
};

// Checks the records of the first version's database above, once brought up to date.
inline void expectFirstVersionRecordKept(HistoryStore& store) {
    const auto found = store.records({.serial = 77});
    ASSERT_EQ(found.size(), 1u) << store.problem();
    EXPECT_EQ(found[0].time, "2024-12-31T08:00:00Z");
    EXPECT_EQ(found[0].user, "technik");
    EXPECT_EQ(found[0].record.kind, RecordKind::Programming);
    EXPECT_EQ(found[0].record.asLeft, (RecordValues{{"range_max", 200.0}}));
    EXPECT_EQ(found[0].record.device, "") << "no device was recorded then";
}

}  // namespace doxa::test
