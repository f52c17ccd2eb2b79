#include <ostream>
#include <string>

#include "cli/commands.h"
#include "cli/console.h"
#include "cli/exit_codes.h"
#include "cli/text_format.h"
#include "history/history_store.h"

namespace doxa::cli {

namespace {

std::string jsonValues(const RecordValues& values) {
    std::string text = "{";
    for (const auto& [name, value] : values) {
        if (text.size() > 1) text += ", ";
        text += jsonString(name) + ": ";
        const double* number = std::get_if<double>(&value);
        text += number ? jsonNumber(*number) : jsonString(std::get<std::string>(value));
    }
    return text + "}";
}

// "ambient=24.5, sensor=Pt 100"
std::string shownValues(const RecordValues& values) {
    std::string text;
    for (const auto& [name, value] : values) {
        if (!text.empty()) text += ", ";
        const double* number = std::get_if<double>(&value);
        text += name + "=" + (number ? jsonNumber(*number) : std::get<std::string>(value));
    }
    return text.empty() ? "-" : text;
}

std::string modeName(const ServiceRecord& r) { return r.rs485 ? "RS485" : "HART"; }

void printJson(const std::vector<StoredRecord>& records, std::ostream& out) {
    out << "[";
    for (std::size_t i = 0; i < records.size(); ++i) {
        const StoredRecord& s = records[i];
        const ServiceRecord& r = s.record;
        out << (i == 0 ? "\n" : ",\n") << "{\"time\": " << jsonString(s.time)
            << ", \"user\": " << jsonString(s.user) << ", \"kind\": " << jsonString(kindName(r.kind))
            << ", \"outcome\": " << jsonString(outcomeName(r.outcome))
            << ", \"model\": " << jsonString(r.model) << ", \"serial\": " << r.serial
            << ", \"address\": " << r.address << ", \"mode\": " << jsonString(modeName(r))
            << ", \"line\": " << jsonString(r.line) << ", \"backup_file\": " << jsonString(r.backupFile)
            << ", \"as_found\": " << jsonValues(r.asFound) << ", \"as_left\": " << jsonValues(r.asLeft)
            << ", \"reference\": " << jsonValues(r.reference) << "}";
    }
    out << (records.empty() ? "]\n" : "\n]\n");
}

void printCsv(const std::vector<StoredRecord>& records, std::ostream& out) {
    out << "time,user,kind,outcome,model,serial,address,mode,line,backup_file,as_found,as_left,reference\n";
    for (const StoredRecord& s : records) {
        const ServiceRecord& r = s.record;
        out << s.time << ',' << csvField(s.user) << ',' << kindName(r.kind) << ','
            << outcomeName(r.outcome) << ',' << csvField(r.model) << ',' << r.serial << ','
            << r.address << ',' << modeName(r) << ',' << csvField(r.line) << ','
            << csvField(r.backupFile) << ',' << csvField(jsonValues(r.asFound)) << ','
            << csvField(jsonValues(r.asLeft)) << ',' << csvField(jsonValues(r.reference)) << '\n';
    }
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
        out << '\n';
    }
}

}  // namespace

int runHistory(const Invocation& invocation, Console& console, std::ostream& out) {
    HistoryStore store(invocation.database.empty() ? HistoryStore::defaultPath() : invocation.database);
    const auto records = store.records({invocation.serial, invocation.model, invocation.since});
    if (!store.problem().empty()) {
        console.error(store.problem());
        return ExitBadInput;
    }
    if (invocation.json)
        printJson(records, out);
    else if (invocation.csv)
        printCsv(records, out);
    else
        printTable(records, out);
    out.flush();
    return ExitOk;
}

}  // namespace doxa::cli
