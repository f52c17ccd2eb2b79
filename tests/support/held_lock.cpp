#include "support/held_lock.h"

#include "support/sql_connection.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>
#include <atomic>

namespace doxa::test {


HeldLock::HeldLock(const std::string& location, const std::vector<std::string>& statements, int serverLetsGoAfterS) {
    static std::atomic<int> count{0};
    connection_ = "held-lock-" + std::to_string(++count);
    QSqlDatabase db = sqlConnection(location, connection_);
    if (!db.open()) {
        problem_ = db.lastError().text().toStdString();
        return;
    }
    const bool server = location.starts_with("postgresql://");
    QSqlQuery q(db);
    std::vector<std::string> all;
    if (server) all.push_back("SET idle_in_transaction_session_timeout = '" + std::to_string(serverLetsGoAfterS) + "s'");
    all.push_back(server ? "BEGIN" : "BEGIN IMMEDIATE");
    all.insert(all.end(), statements.begin(), statements.end());
    for (const std::string& statement : all)
        if (!q.exec(QString::fromStdString(statement))) {
            problem_ = statement + ": " + q.lastError().text().toStdString();
            return;
        }
}

HeldLock::~HeldLock() {
    {
        QSqlDatabase db = QSqlDatabase::database(QString::fromStdString(connection_), false);
        QSqlQuery(db).exec("ROLLBACK");
        db.close();
    }
    QSqlDatabase::removeDatabase(QString::fromStdString(connection_));
}

int HeldLock::othersWaiting() const {
    QSqlQuery q(QSqlDatabase::database(QString::fromStdString(connection_), false));
    if (!q.exec("SELECT count(DISTINCT pid) FROM pg_locks WHERE NOT granted") ||
        !q.next())
        return -1;
    return q.value(0).toInt();
}

}  // namespace doxa::test
