#include <ostream>
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

void printJsonRecord(const StoredRecord& s, bool first, std::ostream& out) {
    const ServiceRecord& r = s.record;
    out << (first ? "\n" : ",\n") << "{\"time\": " << jsonString(s.time)
        << ", \"user\": " << jsonString(s.user) << ", \"kind\": " << jsonString(kindName(r.kind))
        << ", \"outcome\": " << jsonString(outcomeName(r.outcome))
        << ", \"model\": " << jsonString(r.model) << ", \"serial\": " << r.serial
        << ", \"address\": " << r.address << ", \"mode\": " << jsonString(modeName(r))
        << ", \"line\": " << jsonString(r.line) << ", \"backup_file\": " << jsonString(r.backupFile)
        << ", \"as_found\": " << valuesJson(r.asFound) << ", \"as_left\": " << valuesJson(r.asLeft)
        << ", \"reference\": " << valuesJson(r.reference) << ", \"device\": " << jsonString(r.device)
        << ", \"refusal_code\": " << (r.refusalCode ? std::to_string(*r.refusalCode) : std::string("null")) << "}";
}

void printTableHeader(std::ostream& out) {
    out << padded("Czas", 21) << padded("Model", 13) << padded("Nr seryjny", 12)
        << padded("Rodzaj", 26) << padded("Wynik", 15) << "Zastane → pozostawione (wzorzec)\n";
}

void printTableRow(const StoredRecord& s, std::ostream& out) {
    const ServiceRecord& r = s.record;
    out << padded(localTimeText(s.time), 21) << padded(r.model, 13)
        << padded(std::to_string(r.serial), 12) << padded(kindName(r.kind), 26)
        << padded(outcomeName(r.outcome), 15) << shownValues(r.asFound) << " → "
        << shownValues(r.asLeft);
    if (!r.reference.empty()) out << " (" << shownValues(r.reference) << ")";
    out << '\n';
}

// A listing in one of the three forms, written record by record as the history is read. The
// head waits for the first record, so that a history that cannot be read writes nothing.
class Listing {
public:
    Listing(const Invocation& invocation, std::ostream& out) : invocation_(invocation), out_(out) {}

    void add(const StoredRecord& s) {
        if (count_++ == 0) head();
        if (invocation_.json)
            printJsonRecord(s, count_ == 1, out_);
        else if (invocation_.csv)
            writeHistoryCsvRow(s, out_);
        else
            printTableRow(s, out_);
    }
    void end() {
        if (count_ == 0) head();
        if (invocation_.json) out_ << (count_ == 0 ? "]\n" : "\n]\n");
        out_.flush();
    }

private:
    void head() {
        if (invocation_.json)
            out_ << "[";
        else if (invocation_.csv)
            writeHistoryCsvHeader(out_);
        else
            printTableHeader(out_);
    }

    const Invocation& invocation_;
    std::ostream& out_;
    std::size_t count_ = 0;
};

}  // namespace

int runHistory(const Invocation& invocation, Console& console, std::ostream& out) {
    const auto store = openHistory(storedHistoryDatabase(*doxaWinSettings(console), invocation.database));
    Listing listing(invocation, out);
    store->forEachRecord({invocation.serial, invocation.model, invocation.since},
                         [&listing](StoredRecord&& s) { listing.add(s); });
    if (!store->problem().empty()) {
        out.flush();
        console.error(store->problem());
        return ExitBadInput;
    }
    listing.end();
    return ExitOk;
}

}  // namespace doxa::cli
