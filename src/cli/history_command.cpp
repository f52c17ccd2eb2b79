#include <QByteArray>
#include <fstream>
#include <iterator>
#include <memory>
#include <ostream>
#include <string>

#include "cli/commands.h"
#include "cli/console.h"
#include "cli/exit_codes.h"
#include "cli/session.h"
#include "cli/text_format.h"
#include "cli/watched_thread.h"
#include "link/screen_text.h"
#include "dialog/visible_text.h"
#include "history/calibration_due.h"
#include "history/certificate_metadata.h"
#include "history/event_canonical_form.h"
#include "history/history_csv.h"
#include "history/history_store.h"
#include "history/record_texts.h"
#include "settings/shown_language.h"
#include "settings/start_up.h"

namespace doxa::cli {

namespace {

// The table's columns of the kind and the outcome hold the longest of their texts, in English too.
constexpr std::size_t KindWidth = 36;
constexpr std::size_t OutcomeWidth = 17;

// What --hand-over names the records left waiting by an earlier program, which kept no database.
constexpr std::string_view UnknownDestination = "unknown";

// FROM's waiting records go to the database of --db (or of the settings); why not, when they
// could not.
std::string handOver(HistoryStore& store, const std::string& from, std::ostream& out) {
    const auto handed = store.handOver(from == UnknownDestination ? "" : from);
    if (!handed) return store.problem();
    out << shownText(formatText(UI_TEXT("przekazane rekordy serwisowe: %1, z %2 do %3"),
                                {std::to_string(*handed), from, store.databaseLocation()}))
        << '\n';
    out.flush();
    return {};
}

constexpr std::string_view Matching = UI_TEXT("zgodny");
constexpr std::string_view NotMatching = UI_TEXT("niezgodny");

// The certificate's verdict (Matching, NotMatching) with what it rests on, or why there is none.
struct Verification {
    std::string verdict;
    std::string detail;
    std::string problem;
};

// The event's records as the database holds them now, against the code a certificate carries.
// A certificate found by its number (the history's numbering gives the event) is checked here too.
Verification verifyEvent(HistoryStore& store, const CertificateMark& mark) {
    std::vector<StoredRecord> records;
    store.forEachRecord({.event = mark.eventId}, [&records](StoredRecord&& s) { records.push_back(std::move(s)); });
    if (!store.problem().empty()) return {{}, {}, store.problem()};
    if (records.empty())
        return {{}, {}, formatText(UI_TEXT("zdarzenia kalibracji %1 nie ma w historii %2"),
                                   {mark.eventId, store.databaseLocation()})};
    const std::string code = verificationCode(mark.eventId, records);
    if (code == mark.code)
        return {std::string(Matching), formatText(UI_TEXT("zdarzenie %1, kod %2"), {mark.eventId, code}), {}};
    return {std::string(NotMatching),
            formatText(UI_TEXT("zdarzenie %1, kod świadectwa %2, kod z historii %3"), {mark.eventId, mark.code, code}),
            {}};
}

Verification verifyCertificateFile(HistoryStore& store, const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) return {{}, {}, formatText(UI_TEXT("%1: nie można odczytać pliku"), {path})};
    const std::string bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    const auto mark = readCertificateMark(QByteArray::fromStdString(bytes));
    if (!mark) return {{}, {}, formatText(UI_TEXT("%1: nie znaleziono kodu weryfikacyjnego świadectwa kalibracji"), {path})};
    return verifyEvent(store, *mark);
}

// The certificate the history numbered so, checked against its event as the history holds it now.
Verification verifyCertificateNumber(HistoryStore& store, const std::string& number) {
    const auto issued = store.certificate(number);
    if (!store.problem().empty()) return {{}, {}, store.problem()};
    if (!issued) return {{}, {}, formatText(UI_TEXT("nie ma świadectwa %1 w historii %2"), {number, store.databaseLocation()})};
    return verifyEvent(store, {issued->event, issued->code});
}

void printTableHeader(std::ostream& out) {
    out << padded(shownText(UI_TEXT("Czas")), 21) << padded(shownText(UI_TEXT("Model")), 13)
        << padded(shownText(UI_TEXT("Nr seryjny")), 12) << padded(shownText(UI_TEXT("Rodzaj")), KindWidth)
        << padded(shownText(UI_TEXT("Wynik")), OutcomeWidth)
        << shownText(UI_TEXT("Zastane → pozostawione (wzorzec)")) << '\n';
}

// What a person reads: every field as stored, a field that could not be read marked, and no
// control character from the database reaching the terminal.
void printTableRow(const StoredRecord& s, std::ostream& out) {
    const ServiceRecord& r = s.record;
    out << padded(shownField(s, "time", localTimeText(s.time)), 21) << padded(shownField(s, "model", r.model), 13)
        << padded(shownField(s, "serial", std::to_string(r.serial)), 12)
        << padded(shownText(shownField(s, "kind", kindText(r.kind))), KindWidth)
        << padded(shownText(shownField(s, "outcome", outcomeText(r.outcome))), OutcomeWidth)
        << shownField(s, "as_found", shownValues(r.asFound)) << " → "
        << shownField(s, "as_left", shownValues(r.asLeft));
    if (!r.reference.empty() || s.unreadable.contains("reference"))
        out << " (" << shownField(s, "reference", shownValues(r.reference)) << ")";
    if (s.waitingFor) {
        const std::string database = s.waitingFor->empty() ? UI_TEXT("nieznana baza") : visibleText(*s.waitingFor);
        out << "  " << shownText(formatText(UI_TEXT("[czeka na: %1]"), {database}));
    }
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
            out_ << (count_ == 1 ? "\n" : ",\n") << historyJson(s);
        else if (invocation_.csv)
            out_ << historyCsvRow(s) << '\n';
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
            out_ << historyCsvHeader() << '\n';
        else
            printTableHeader(out_);
    }

    const Invocation& invocation_;
    std::ostream& out_;
    std::size_t count_ = 0;
};

void printDueTable(const std::vector<CalibrationDue>& due, std::chrono::sys_days today, std::ostream& out) {
    out << padded(shownText(UI_TEXT("Model")), 13) << padded(shownText(UI_TEXT("Nr seryjny")), 12)
        << padded(shownText(UI_TEXT("Ostatnia kalibracja")), 21) << padded(shownText(UI_TEXT("Interwał")), 10)
        << shownText(UI_TEXT("Termin")) << '\n';
    for (const CalibrationDue& d : due)
        out << padded(visibleText(d.transmitter.model), 13) << padded(std::to_string(d.transmitter.serial), 12)
            << padded(localTimeText(d.finished), 21)
            << padded(shownText(formatText(UI_TEXT("%1 mies."), {std::to_string(d.intervalMonths)})), 10)
            << dateText(d.due) << (overdue(d, today) ? "  " + shownText(OverdueText) : "") << '\n';
}

void printDueJson(const std::vector<CalibrationDue>& due, std::chrono::sys_days today, std::ostream& out) {
    out << "[";
    for (std::size_t i = 0; i < due.size(); ++i) {
        const CalibrationDue& d = due[i];
        out << (i == 0 ? "\n" : ",\n") << "{\"model\": " << jsonString(d.transmitter.model)
            << ", \"serial\": " << d.transmitter.serial << ", \"event\": " << jsonString(d.event)
            << ", \"calibrated\": " << jsonString(d.finished) << ", \"interval_months\": " << d.intervalMonths
            << ", \"due\": " << jsonString(dateText(d.due)) << ", \"overdue\": " << (overdue(d, today) ? "true" : "false")
            << "}";
    }
    out << (due.empty() ? "]\n" : "\n]\n");
}

// The transmitters due; why not, when the history could not be read whole.
std::string listDue(HistoryStore& store, const Invocation& invocation, int defaultMonths, std::ostream& out) {
    const DueQuestion question{localToday(), *invocation.dueDays, defaultMonths};
    const auto due = calibrationsDue(store, {invocation.serial, invocation.model}, question);
    if (!store.problem().empty()) return store.problem();
    if (invocation.json)
        printDueJson(due, question.today, out);
    else
        printDueTable(due, question.today, out);
    out.flush();
    return {};
}

}  // namespace

// The listing runs on a thread of its own, so that a database that keeps it waiting never keeps
// it from a stop signal; it then owns all it uses, as it may outlive this call.
int runHistory(const Invocation& invocation, Console& console, std::ostream& out) {
    const auto settings = doxaWinSettings(console);
    const std::string database = storedHistoryDatabase(*settings, invocation.database);
    const int defaultMonths = storedCalibrationIntervalMonths(*settings);
    const auto problem = std::make_shared<std::string>();
    WatchedThread thread;
    const auto listed = thread.run([invocation, database, defaultMonths, problem, &out] {
        const auto store = openHistory(database);
        if (!invocation.handOver.empty()) {
            *problem = handOver(*store, invocation.handOver, out);
            return;
        }
        if (invocation.dueDays) {
            *problem = listDue(*store, invocation, defaultMonths, out);
            return;
        }
        if (!invocation.verify.empty() || !invocation.certificate.empty()) {
            const Verification checked = invocation.verify.empty()
                                             ? verifyCertificateNumber(*store, invocation.certificate)
                                             : verifyCertificateFile(*store, invocation.verify);
            if (!checked.verdict.empty())
                out << shownText(checked.verdict) << ": " << shownText(checked.detail) << '\n';
            out.flush();
            *problem = checked.verdict == NotMatching ? UI_TEXT("świadectwo nie zgadza się ze swoim zdarzeniem w historii")
                                                      : checked.problem;
            return;
        }
        Listing listing(invocation, out);
        store->forEachRecord({invocation.serial, invocation.model, invocation.since},
                             [&listing](StoredRecord&& s) { listing.add(s); });
        *problem = store->problem();
        if (problem->empty())
            listing.end();
        else
            out.flush();
    });
    if (listed != WatchedThread::Outcome::Done) {
        console.error(UI_TEXT("przerwano"));
        return ExitInterrupted;
    }
    if (!problem->empty()) {
        console.error(*problem);
        return ExitBadInput;
    }
    return ExitOk;
}

}  // namespace doxa::cli
