#include "history/instrument_register.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSqlQuery>
#include <QUuid>
#include <QVariant>
#include <algorithm>
#include <set>

#include "link/screen_text.h"
#include "history/history_store.h"
#include "history/uncertainty_text.h"
#include "settings/settings_keys.h"
#include "transmitter/settings_store.h"
#include "transmitter/station.h"

namespace doxa {

namespace {

QString qs(std::string_view utf8) { return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())); }
std::string utf8(const QString& text) { return text.toUtf8().toStdString(); }

std::string uncertaintiesJson(const std::vector<InstrumentUncertainty>& uncertainties) {
    QJsonArray rows;
    for (const InstrumentUncertainty& u : uncertainties) {
        QJsonObject row{{"value", u.expanded}, {"unit", qs(u.unit)}, {"k", u.coverage}};
        if (u.from) row.insert("from", *u.from);
        if (u.to) row.insert("to", *u.to);
        rows.append(row);
    }
    return QJsonDocument(rows).toJson(QJsonDocument::Compact).toStdString();
}

// A row without a value or unit is left out rather than read as a zero uncertainty.
std::vector<InstrumentUncertainty> uncertaintiesFromJson(const QString& text) {
    std::vector<InstrumentUncertainty> found;
    for (const QJsonValue& value : QJsonDocument::fromJson(text.toUtf8()).array()) {
        const QJsonObject row = value.toObject();
        if (!row.value("value").isDouble() || !row.value("unit").isString()) continue;
        InstrumentUncertainty u{row.value("value").toDouble(), utf8(row.value("unit").toString()),
                                row.value("k").toDouble(1.0)};
        if (row.value("from").isDouble()) u.from = row.value("from").toDouble();
        if (row.value("to").isDouble()) u.to = row.value("to").toDouble();
        found.push_back(std::move(u));
    }
    return found;
}

// What the audit trail shows of the uncertainties: their text, or the stored JSON when it
// cannot be read, so that a change never hides what was there.
std::string uncertaintiesShown(const QString& json) {
    const std::vector<InstrumentUncertainty> read = uncertaintiesFromJson(json);
    if (read.empty() && !QJsonDocument::fromJson(json.toUtf8()).isArray()) return utf8(json);
    std::string text;
    for (const InstrumentUncertainty& u : read) text += (text.empty() ? "" : "; ") + uncertaintyText(u);
    return text;
}

std::string uncertaintiesShown(const std::vector<InstrumentUncertainty>& uncertainties) {
    return uncertaintiesShown(qs(uncertaintiesJson(uncertainties)));
}

// The instrument's fields as the table and the audit trail name them, in the table's order.
struct Field {
    const char* column;
    std::string ReferenceInstrument::*member;
};
constexpr Field TextFields[] = {
    {instrument_field::Name, &ReferenceInstrument::name},
    {instrument_field::Model, &ReferenceInstrument::model},
    {instrument_field::Serial, &ReferenceInstrument::serial},
    {instrument_field::Certificate, &ReferenceInstrument::certificate},
    {instrument_field::Due, &ReferenceInstrument::due},
};

bool exec(QSqlQuery& q, const HistoryDatabase& database, std::string_view doing, std::string& error) {
    if (q.exec()) return true;
    error = database.queryFailure(doing, q);
    return false;
}

bool insertChange(QSqlQuery& q, const HistoryDatabase& database, const InstrumentChange& c, std::string& error) {
    q.prepare("INSERT INTO instrument_changes (time, \"user\", instrument, field, old_value, new_value) "
              "VALUES (?, ?, ?, ?, ?, ?)");
    for (const std::string* value : {&c.time, &c.user, &c.instrument, &c.field, &c.oldValue, &c.newValue})
        q.addBindValue(qs(*value));
    return exec(q, database, "write to", error);
}

bool insertInstrument(QSqlQuery& q, const HistoryDatabase& database, const ReferenceInstrument& i, bool retired,
                      std::string& error) {
    q.prepare("INSERT INTO instruments (id, name, model, serial, certificate, due, uncertainties, retired) "
              "VALUES (?, ?, ?, ?, ?, ?, ?, ?) ON CONFLICT (id) DO NOTHING");
    q.addBindValue(qs(i.id));
    for (const Field& f : TextFields) q.addBindValue(qs(i.*f.member));
    q.addBindValue(qs(uncertaintiesJson(i.uncertainties)));
    q.addBindValue(retired ? 1 : 0);
    return exec(q, database, "write to", error);
}

InstrumentChange changeFromRow(const QSqlQuery& q) {
    return {utf8(q.value(0).toString()), utf8(q.value(1).toString()), utf8(q.value(2).toString()),
            utf8(q.value(3).toString()), utf8(q.value(4).toString()), utf8(q.value(5).toString())};
}

std::string unreachable(const HistoryDatabase& database) {
    return formatText(UI_TEXT("Rejestr przyrządów wzorcowych w %1 jest nieosiągalny (%2)"),
                      {database.location(), database.problem()});
}

std::string localCopyShown(const HistoryDatabase& shared, const HistoryDatabase& local) {
    return formatText(UI_TEXT("%1; pokazana jest kopia lokalna z %2."), {unreachable(shared), local.location()});
}

}  // namespace

HistoryInstrumentRegister::HistoryInstrumentRegister(const std::string& database, const std::string& localFile,
                                                     Clock now)
    : now_(std::move(now)), local_(localFile) {
    if (!database.empty() && database != localFile) shared_ = std::make_unique<HistoryDatabase>(database);
}

std::vector<ReferenceInstrument> HistoryInstrumentRegister::instruments() {
    // A register the takeover could not reach is not asked a second time: a silent server would
    // hold the caller up twice.
    const bool reachable = takeOverIfDue();
    Contents contents;
    fromLocalCopy_ = false;
    problem_.clear();
    lastProblem_.clear();
    if (reachable && read(registerDatabase(), contents)) {
        if (shared_) refreshCopy(contents);
    } else if (shared_) {
        lastProblem_ = localCopyShown(*shared_, local_);
        fromLocalCopy_ = read(local_, contents) && !contents.instruments.empty();
        if (!fromLocalCopy_) problem_ = formatText(UI_TEXT("%1, a kopii lokalnej nie ma."), {unreachable(*shared_)});
    } else {
        problem_ = lastProblem_ = local_.problem();
    }
    std::vector<ReferenceInstrument> inUse;
    for (StoredInstrument& s : contents.instruments)
        if (!s.retired) inUse.push_back(std::move(s.instrument));
    return inUse;
}

// A file not made yet holds an empty register.
bool HistoryInstrumentRegister::read(HistoryDatabase& database, Contents& contents) {
    const bool done = database.run(false, "read", [&](QSqlQuery& q, std::string& error) {
        contents = {};
        q.setForwardOnly(true);
        if (!q.exec("SELECT id, name, model, serial, certificate, due, uncertainties, retired FROM instruments "
                    "ORDER BY name, id"))
            return (error = database.queryFailure("read", q)), false;
        while (q.next()) {
            StoredInstrument s;
            s.instrument.id = utf8(q.value(0).toString());
            for (int i = 0; i < int(std::size(TextFields)); ++i)
                s.instrument.*TextFields[i].member = utf8(q.value(i + 1).toString());
            s.instrument.uncertainties = uncertaintiesFromJson(q.value(6).toString());
            s.retired = q.value(7).toInt() != 0;
            contents.instruments.push_back(std::move(s));
        }
        if (!q.exec("SELECT time, \"user\", instrument, field, old_value, new_value FROM instrument_changes "
                    "ORDER BY id"))
            return (error = database.queryFailure("read", q)), false;
        while (q.next()) contents.changes.push_back(changeFromRow(q));
        return true;
    });
    return done || (database.problem().empty() && !database.isServer());
}

// The copy holds each instrument of the shared register as last read, with its trail: what was
// retired or changed there meanwhile is so in the copy too. An instrument the shared register
// does not know (kept in the local file before the history moved to a server) stays as it was:
// the copy never loses what was entered. A copy that cannot be written leaves the shared
// register readable.
void HistoryInstrumentRegister::refreshCopy(const Contents& contents) {
    std::set<std::string> shared;
    for (const StoredInstrument& s : contents.instruments) shared.insert(s.instrument.id);
    for (const InstrumentChange& c : contents.changes) shared.insert(c.instrument);
    local_.run(true, "write to", [&](QSqlQuery& q, std::string& error) {
        for (const std::string& id : shared)
            for (const char* statement : {"DELETE FROM instruments WHERE id = ?", "DELETE FROM instrument_changes WHERE instrument = ?"}) {
                q.prepare(statement);
                q.addBindValue(qs(id));
                if (!exec(q, local_, "write to", error)) return false;
            }
        for (const StoredInstrument& s : contents.instruments)
            if (!insertInstrument(q, local_, s.instrument, s.retired, error)) return false;
        for (const InstrumentChange& c : contents.changes)
            if (!insertChange(q, local_, c, error)) return false;
        return true;
    });
}

// Tried until the register has been reached once; the check and the takeover are one
// transaction, and the fixed id keeps one instrument when two computers take theirs over at once.
bool HistoryInstrumentRegister::takeOverIfDue() {
    if (!fromSettings_) return true;
    HistoryDatabase& database = registerDatabase();
    ReferenceInstrument instrument = *fromSettings_;
    instrument.id = TakenOverId;
    const bool reached = database.run(true, "write to", [&](QSqlQuery& q, std::string& error) {
        if (!q.exec(qs(std::string("SELECT (SELECT count(*) FROM instruments) + (SELECT count(*) FROM "
                               "instrument_changes WHERE field = '") + instrument_field::Source + "')")) || !q.next())
            return (error = database.queryFailure("read", q)), false;
        if (q.value(0).toInt() > 0) return true;
        bool inserted = false;
        return insertNew(q, instrument, inserted, error) &&
               (!inserted || insertChange(q, database, stamped(instrument.id, instrument_field::Source, "", SettingsSource), error));
    });
    if (reached) fromSettings_.reset();
    return reached;
}

void HistoryInstrumentRegister::takeOver(ReferenceInstrument fromSettings) {
    if (!fromSettings.name.empty() || !fromSettings.serial.empty()) fromSettings_ = std::move(fromSettings);
}

// A first try whose answer was lost may have written the instrument: its change rows are then
// there too.
bool HistoryInstrumentRegister::insertNew(QSqlQuery& q, const ReferenceInstrument& instrument, bool& inserted,
                                          std::string& error) {
    HistoryDatabase& database = registerDatabase();
    if (!insertInstrument(q, database, instrument, false, error)) return false;
    inserted = q.numRowsAffected() > 0;
    if (!inserted) return true;
    for (const Field& f : TextFields)
        if (!(instrument.*f.member).empty() &&
            !insertChange(q, database, stamped(instrument.id, f.column, "", instrument.*f.member), error))
            return false;
    return instrument.uncertainties.empty() ||
           insertChange(q, database,
                        stamped(instrument.id, instrument_field::Uncertainties, "", uncertaintiesShown(instrument.uncertainties)),
                        error);
}

InstrumentChange HistoryInstrumentRegister::stamped(const std::string& id, std::string field, std::string oldValue,
                                                    std::string newValue) const {
    return {isoUtc(now_()), computerUser(), id, std::move(field), std::move(oldValue), std::move(newValue)};
}

// Only the register itself takes an edit; the local copy is written from it alone.
bool HistoryInstrumentRegister::edit(const HistoryDatabase::TableWork& work) {
    HistoryDatabase& database = registerDatabase();
    if (takeOverIfDue() && database.run(true, "write to", work)) return lastProblem_.clear(), true;
    lastProblem_ = formatText(UI_TEXT("Zmiana nie została zapisana w rejestrze przyrządów wzorcowych: %1"),
                              {database.problem()});
    if (shared_)
        lastProblem_ = formatText(UI_TEXT("%1. Kopia lokalna w %2 służy tylko do odczytu."), {lastProblem_, local_.location()});
    return false;
}

std::optional<std::string> HistoryInstrumentRegister::add(const ReferenceInstrument& given) {
    ReferenceInstrument instrument = given;
    instrument.id = utf8(QUuid::createUuid().toString(QUuid::WithoutBraces));
    const bool added = edit([&](QSqlQuery& q, std::string& error) {
        bool inserted = false;
        return insertNew(q, instrument, inserted, error);
    });
    if (!added) return std::nullopt;
    return instrument.id;
}

// A field written as it already stands is no change and leaves no row.
bool HistoryInstrumentRegister::change(const ReferenceInstrument& instrument) {
    return edit([&](QSqlQuery& q, std::string& error) {
        HistoryDatabase& database = registerDatabase();
        q.prepare("SELECT name, model, serial, certificate, due, uncertainties FROM instruments WHERE id = ?");
        q.addBindValue(qs(instrument.id));
        if (!exec(q, database, "read", error)) return false;
        if (!q.next()) return (error = "no instrument " + instrument.id + " in the register"), false;
        std::vector<InstrumentChange> changed;
        for (std::size_t i = 0; i < std::size(TextFields); ++i) {
            const std::string old = utf8(q.value(int(i)).toString());
            const std::string& now = instrument.*TextFields[i].member;
            if (old != now) changed.push_back(stamped(instrument.id, TextFields[i].column, old, now));
        }
        const std::string oldUncertainties = uncertaintiesShown(q.value(5).toString());
        const std::string newUncertainties = uncertaintiesShown(instrument.uncertainties);
        if (oldUncertainties != newUncertainties)
            changed.push_back(stamped(instrument.id, instrument_field::Uncertainties, oldUncertainties, newUncertainties));
        if (changed.empty()) return true;
        q.prepare("UPDATE instruments SET name = ?, model = ?, serial = ?, certificate = ?, due = ?, "
                  "uncertainties = ? WHERE id = ?");
        for (const Field& f : TextFields) q.addBindValue(qs(instrument.*f.member));
        q.addBindValue(qs(uncertaintiesJson(instrument.uncertainties)));
        q.addBindValue(qs(instrument.id));
        if (!exec(q, database, "write to", error)) return false;
        return std::ranges::all_of(changed, [&](const InstrumentChange& c) { return insertChange(q, database, c, error); });
    });
}

bool HistoryInstrumentRegister::retire(const std::string& id) {
    return edit([&](QSqlQuery& q, std::string& error) {
        HistoryDatabase& database = registerDatabase();
        q.prepare("SELECT retired FROM instruments WHERE id = ?");
        q.addBindValue(qs(id));
        if (!exec(q, database, "read", error)) return false;
        if (!q.next()) return (error = "no instrument " + id + " in the register"), false;
        if (q.value(0).toInt() != 0) return true;
        q.prepare("UPDATE instruments SET retired = 1 WHERE id = ?");
        q.addBindValue(qs(id));
        return exec(q, database, "write to", error) && insertChange(q, database, stamped(id, instrument_field::Retired, "0", "1"), error);
    });
}

std::vector<InstrumentChange> HistoryInstrumentRegister::changes(const std::string& id) {
    std::vector<InstrumentChange> found;
    const auto readFrom = [&](HistoryDatabase& database) {
        return database.run(false, "read", [&](QSqlQuery& q, std::string& error) {
            found.clear();
            q.prepare("SELECT time, \"user\", instrument, field, old_value, new_value FROM instrument_changes "
                      "WHERE instrument = ? ORDER BY id");
            q.addBindValue(qs(id));
            if (!exec(q, database, "read", error)) return false;
            while (q.next()) found.push_back(changeFromRow(q));
            return true;
        });
    };
    // The trail of an instrument listed from the copy comes from the copy too: a server that just
    // failed is not waited for a second time.
    if (!fromLocalCopy_) {
        lastProblem_.clear();
        if (readFrom(registerDatabase()) || !shared_) return found;
        lastProblem_ = localCopyShown(*shared_, local_);
    }
    readFrom(local_);
    return found;
}

std::string HistoryInstrumentRegister::localTime(std::string_view isoUtc) const { return localTimeText(isoUtc); }

std::unique_ptr<HistoryInstrumentRegister> attachInstrumentRegister(Station& station, const std::string& database) {
    auto instruments = openInstrumentRegister(database, instrumentFromSettings(station.settings));
    station.instruments = instruments.get();
    return instruments;
}

ReferenceInstrument instrumentFromSettings(const SettingsStore& settings) {
    ReferenceInstrument instrument;
    instrument.name = settings.readText(ReferenceSection, ReferenceNameKey, "");
    instrument.serial = settings.readText(ReferenceSection, ReferenceSerialKey, "");
    // Settings that name no instrument give none, whatever uncertainty they hold; and every
    // start is spared the parser's making.
    if (instrument.name.empty() && instrument.serial.empty()) return instrument;
    const std::string uncertainty = settings.readText(ReferenceSection, ReferenceUncertaintyKey, "");
    if (const auto parsed = parseUncertainty(uncertainty))
        instrument.uncertainties.push_back(*parsed);
    else if (!uncertainty.empty())
        instrument.model = "niepewność z ustawień: " + uncertainty;
    return instrument;
}

std::unique_ptr<HistoryInstrumentRegister> openInstrumentRegister(const std::string& database,
                                                                  const ReferenceInstrument& fromSettings) {
    auto instruments =
        std::make_unique<HistoryInstrumentRegister>(database, HistoryStore::defaultPath(), HistoryStore::systemNow);
    instruments->takeOver(fromSettings);
    return instruments;
}

}  // namespace doxa
