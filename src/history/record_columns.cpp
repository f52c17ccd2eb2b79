#include "history/record_columns.h"

#include <QDate>
#include <QTime>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSqlQuery>
#include <QVariant>
#include <climits>
#include <optional>

#include "history/history_database.h"
#include "history/history_store.h"

namespace doxa {

const char* const RecordColumnNames =
    "uid, time, \"user\", kind, outcome, model, serial, address, mode, line, backup_file, "
    "as_found, as_left, reference, device, refusal_code, event";

namespace {

// A polling or MODBUS address fits a byte.
constexpr qlonglong HighestAddress = 255;
// Times are stored in this one form, so that they sort and filter as texts.
// "2025-03-01T09:15:00Z"; the date and the time are checked apart, since a QDateTime would ask
// the system for its time zone for every row.
constexpr qsizetype StoredTimeLength = 20;

QString qs(std::string_view utf8) { return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())); }
std::string utf8(const QString& text) { return text.toUtf8().toStdString(); }

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

// Named numbers and texts, by name (a JSON object keeps no order); nullopt for anything else.
std::optional<RecordValues> valuesFromJson(const QString& json) {
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(json.toUtf8(), &error);
    if (error.error != QJsonParseError::NoError || !document.isObject()) return std::nullopt;
    RecordValues values;
    const QJsonObject object = document.object();
    for (auto it = object.begin(); it != object.end(); ++it) {
        if (it->isDouble())
            values.emplace_back(utf8(it.key()), it->toDouble());
        else if (it->isString())
            values.emplace_back(utf8(it.key()), utf8(it->toString()));
        else
            return std::nullopt;
    }
    return values;
}

// An integer stored as one, within [lowest, highest]; a text or a fraction is none.
std::optional<int> integerIn(const QVariant& value, qlonglong lowest, qlonglong highest) {
    const int type = value.typeId();
    if (value.isNull() || (type != QMetaType::Int && type != QMetaType::LongLong && type != QMetaType::Short))
        return std::nullopt;
    const qlonglong number = value.toLongLong();
    if (number < lowest || number > highest) return std::nullopt;
    return static_cast<int>(number);
}

// Reads one row, noting what it cannot read.
class RowReader {
public:
    explicit RowReader(const QSqlQuery& q) : q_(q) {}

    std::string text(const char* column) const { return utf8(q_.value(column).toString()); }

    template <typename T, typename Read>
    void read(const char* column, T& into, Read reading) {
        const QVariant value = q_.value(column);
        if (auto read = reading(value))
            into = std::move(*read);
        else
            unreadable_.emplace(column, value.isNull() ? std::string("NULL") : utf8(value.toString()));
    }

    std::map<std::string, std::string> unreadable() && { return std::move(unreadable_); }

private:
    const QSqlQuery& q_;
    std::map<std::string, std::string> unreadable_;
};

std::optional<std::string> storedTime(const QVariant& value) {
    const QString text = value.toString();
    const bool stored = !value.isNull() && text.size() == StoredTimeLength && text[10] == QLatin1Char('T') &&
                        text[19] == QLatin1Char('Z') &&
                        QDate::fromString(text.left(10), QStringLiteral("yyyy-MM-dd")).isValid() &&
                        QTime::fromString(text.mid(11, 8), QStringLiteral("HH:mm:ss")).isValid();
    if (!stored) return std::nullopt;
    return utf8(text);
}

std::optional<bool> rs485(const QVariant& value) {
    if (value.toString() == QLatin1String("RS485")) return true;
    if (value.toString() == QLatin1String("HART")) return false;
    return std::nullopt;
}

std::optional<RecordValues> values(const QVariant& value) {
    if (value.isNull()) return std::nullopt;
    return valuesFromJson(value.toString());
}

// No code is no refusal; one stored is a number.
std::optional<std::optional<int>> refusalCode(const QVariant& value) {
    if (value.isNull()) return std::optional<int>();
    if (const auto code = integerIn(value, INT_MIN, INT_MAX)) return code;
    return std::nullopt;
}

}  // namespace

StoredRecord recordFromRow(const QSqlQuery& q, HistoryTable table) {
    RowReader row(q);
    StoredRecord stored;
    ServiceRecord& r = stored.record;
    // A field that cannot be read claims nothing: a record whose outcome is unknown was not
    // confirmed.
    r.outcome = RecordOutcome::NotConfirmed;
    row.read("time", stored.time, storedTime);
    stored.user = row.text("user");
    row.read("kind", r.kind, [](const QVariant& v) { return kindFromName(utf8(v.toString())); });
    row.read("outcome", r.outcome, [](const QVariant& v) { return outcomeFromName(utf8(v.toString())); });
    r.model = row.text("model");
    row.read("serial", r.serial, [](const QVariant& v) { return integerIn(v, 0, INT_MAX); });
    row.read("address", r.address, [](const QVariant& v) { return integerIn(v, 0, HighestAddress); });
    row.read("mode", r.rs485, rs485);
    r.line = row.text("line");
    r.backupFile = row.text("backup_file");
    r.device = row.text("device");
    row.read("as_found", r.asFound, values);
    row.read("as_left", r.asLeft, values);
    row.read("reference", r.reference, values);
    row.read("refusal_code", r.refusalCode, refusalCode);
    r.event = row.text("event");
    stored.unreadable = std::move(row).unreadable();
    if (table == HistoryTable::Waiting) stored.waitingFor = row.text("destination");
    return stored;
}

KnownTransmitter transmitterFromRow(const QSqlQuery& q) {
    KnownTransmitter known{utf8(q.value(0).toString()), 0, utf8(q.value(2).toString())};
    const QVariant serial = q.value(1);
    if (const auto read = integerIn(serial, 0, INT_MAX))
        known.serial = *read;
    else
        known.serialAsStored = serial.isNull() ? std::string("NULL") : utf8(serial.toString());
    return known;
}

// What could not be read goes on as it was stored, so a damaged waiting record is delivered as
// it is rather than as a plausible one (a server refuses a text where it keeps a number, and the
// record waits, with the reason told).
bool insertRecord(QSqlQuery& q, const PendingRecord& pending, HistoryTable table) {
    const StoredRecord& stored = pending.stored;
    const ServiceRecord& r = stored.record;
    const std::pair<const char*, QVariant> columns[] = {
        {"uid", qs(pending.uid)},
        {"time", qs(stored.time)},
        {"user", qs(stored.user)},
        {"kind", qs(kindName(r.kind))},
        {"outcome", qs(outcomeName(r.outcome))},
        {"model", qs(r.model)},
        {"serial", r.serial},
        {"address", r.address},
        {"mode", QString(r.rs485 ? "RS485" : "HART")},
        {"line", qs(r.line)},
        {"backup_file", qs(r.backupFile)},
        {"as_found", valuesJson(r.asFound)},
        {"as_left", valuesJson(r.asLeft)},
        {"reference", valuesJson(r.reference)},
        {"device", qs(r.device)},
        {"refusal_code", r.refusalCode ? QVariant(*r.refusalCode) : QVariant(QMetaType::fromType<int>())},
        {"event", qs(r.event)},
    };
    for (const auto& [column, value] : columns) {
        const auto kept = stored.unreadable.find(column);
        q.addBindValue(kept == stored.unreadable.end() ? value : QVariant(qs(kept->second)));
    }
    if (table == HistoryTable::Waiting) q.addBindValue(qs(stored.waitingFor.value_or("")));
    return q.exec();
}

}  // namespace doxa
