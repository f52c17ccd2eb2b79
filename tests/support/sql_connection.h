#pragma once

#include <QSqlDatabase>
#include <QString>
#include <QUrl>
#include <QUrlQuery>
#include <string>

namespace doxa::test {

// A connection of a test's own, named `name`, to an SQLite file or a postgresql:// URL of the
// tests' server (its socket folder in ?host=); not opened yet.
inline QSqlDatabase sqlConnection(const std::string& location, const std::string& name) {
    const bool server = location.starts_with("postgresql://");
    QSqlDatabase db = QSqlDatabase::addDatabase(server ? "QPSQL" : "QSQLITE", QString::fromStdString(name));
    if (server) {
        const QUrl url(QString::fromStdString(location));
        db.setHostName(QUrlQuery(url).queryItemValue("host", QUrl::FullyDecoded));
        db.setUserName(url.userName());
        db.setDatabaseName(url.path().mid(1));
    } else {
        db.setDatabaseName(QString::fromStdString(location));
    }
    return db;
}

}  // namespace doxa::test
