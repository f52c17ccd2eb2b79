#include <ostream>
#include <sstream>
#include <string>

#include "cli/commands.h"
#include "cli/console.h"
#include "cli/exit_codes.h"
#include "cli/session.h"
#include "cli/text_format.h"
#include "history/history_csv.h"
#include "history/history_store.h"
#include "settings/start_up.h"

namespace doxa::cli {

namespace {

// What --hand-over names the records left waiting by an earlier program, which kept no database.
constexpr std::string_view UnknownDestination = "unknown";

void printJson(const std::vector<StoredRecord>& records, std::ostream& out) {
    out << "[";
    for (std::size_t i = 0; i < records.size(); ++i) out << (i == 0 ? "\n" : ",\n") << recordJson(records[i]);
    out << (records.empty() ? "]\n" : "\n]\n");
}

void printTable(const std::vector<StoredRecord>& records, std::ostream& out) {
    out << padded("Czas", 21) << padded("Model", 13) << padded("Nr seryjny", 12)
        << padded("Rodzaj", 26) << padded("Wynik", 15) << "Zastane → pozostawione (wzorzec)\n";
    for (const StoredRecord& s : records) {
        const ServiceRecord& r = s.record;
        out << padded(localTimeText(s.time), 21) << padded(r.model, 13)
            << padded(std::to_string(r.serial), 12) << padded(kindName(r.kind), 26)
            << padded(outcomeName(r.outcome), 15) << shownValues(r.asFound) << " → "
            << shownValues(r.asLeft);
        if (!r.reference.empty()) out << " (" << shownValues(r.reference) << ")";
        if (s.waitingFor) out << "  [czeka na: " << (s.waitingFor->empty() ? "nieznana baza" : *s.waitingFor) << "]";
        out << '\n';
    }
}

// FROM's waiting records go to the database of --db (or of the settings).
int handOver(HistoryStore& store, const std::string& from, Console& console, std::ostream& out) {
    const auto handed = store.handOver(from == UnknownDestination ? "" : from);
    if (!handed) {
        console.error(store.problem());
        return ExitBadInput;
    }
    out << *handed << " service record(s) handed over from " << from << " to " << store.databaseLocation() << '\n';
    return ExitOk;
}

}  // namespace

std::string recordJson(const StoredRecord& s) {
    const ServiceRecord& r = s.record;
    std::ostringstream out;
    out << "{\"time\": " << jsonString(s.time)
        << ", \"user\": " << jsonString(s.user) << ", \"kind\": " << jsonString(kindName(r.kind))
        << ", \"outcome\": " << jsonString(outcomeName(r.outcome))
        << ", \"model\": " << jsonString(r.model) << ", \"serial\": " << r.serial
        << ", \"address\": " << r.address << ", \"mode\": " << jsonString(modeName(r))
        << ", \"line\": " << jsonString(r.line) << ", \"backup_file\": " << jsonString(r.backupFile)
        << ", \"as_found\": " << valuesJson(r.asFound) << ", \"as_left\": " << valuesJson(r.asLeft)
        << ", \"reference\": " << valuesJson(r.reference) << ", \"device\": " << jsonString(r.device)
        << ", \"refusal_code\": " << (r.refusalCode ? std::to_string(*r.refusalCode) : std::string("null"))
        << ", \"waiting_for\": " << (s.waitingFor ? jsonString(*s.waitingFor) : std::string("null")) << "}";
    return out.str();
}

int runHistory(const Invocation& invocation, Console& console, std::ostream& out) {
    const auto store = openHistory(storedHistoryDatabase(*doxaWinSettings(console), invocation.database));
    if (!invocation.handOver.empty()) return handOver(*store, invocation.handOver, console, out);
    const auto records = store->records({invocation.serial, invocation.model, invocation.since});
    if (!store->problem().empty()) {
        console.error(store->problem());
        return ExitBadInput;
    }
    if (invocation.json)
        printJson(records, out);
    else if (invocation.csv)
        writeHistoryCsv(records, out);
    else
        printTable(records, out);
    out.flush();
    return ExitOk;
}

}  // namespace doxa::cli
