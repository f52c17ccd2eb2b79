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
#include "history/instrument_register.h"
#include "history/uncertainty_text.h"
#include "settings/shown_language.h"
#include "settings/start_up.h"

namespace doxa::cli {

namespace {

std::string uncertaintiesJson(const ReferenceInstrument& instrument) {
    std::string text = "[";
    for (const InstrumentUncertainty& u : instrument.uncertainties) {
        text += (text.size() > 1 ? ", " : "") + std::string("{\"value\": ") + jsonNumber(u.expanded) +
                ", \"unit\": " + jsonString(u.unit) + ", \"k\": " + jsonNumber(u.coverage);
        if (u.from) text += ", \"from\": " + jsonNumber(*u.from);
        if (u.to) text += ", \"to\": " + jsonNumber(*u.to);
        text += "}";
    }
    return text + "]";
}

std::string instrumentJson(const ReferenceInstrument& i) {
    return "{\"id\": " + jsonString(i.id) + ", \"name\": " + jsonString(i.name) + ", \"model\": " + jsonString(i.model) +
           ", \"serial\": " + jsonString(i.serial) + ", \"certificate\": " + jsonString(i.certificate) +
           ", \"due\": " + jsonString(i.due) + ", \"uncertainties\": " + uncertaintiesJson(i) + "}";
}

void printJson(const std::vector<ReferenceInstrument>& instruments, std::ostream& out) {
    out << "[";
    for (std::size_t n = 0; n < instruments.size(); ++n) out << (n == 0 ? "\n" : ",\n") << instrumentJson(instruments[n]);
    out << (instruments.empty() ? "]\n" : "\n]\n");
}

void printTable(const std::vector<ReferenceInstrument>& instruments, std::ostream& out) {
    out << padded(shownText(UI_TEXT("Nazwa")), 24) << padded(shownText(UI_TEXT("Model")), 16)
        << padded(shownText(UI_TEXT("Nr seryjny")), 14) << padded(shownText(UI_TEXT("Świadectwo")), 16)
        << padded(shownText(UI_TEXT("Ważny do")), 12) << shownText(UI_TEXT("Niepewność")) << '\n';
    for (const ReferenceInstrument& i : instruments) {
        std::string uncertainties;
        for (const InstrumentUncertainty& u : i.uncertainties)
            uncertainties += (uncertainties.empty() ? "" : "; ") + uncertaintyText(u);
        out << padded(i.name, 24) << padded(i.model, 16) << padded(i.serial, 14) << padded(i.certificate, 16)
            << padded(i.due, 12) << uncertainties << '\n';
    }
}

}  // namespace

// Read on a thread of its own, as the history is, so that a server that keeps it waiting never
// keeps it from a stop signal.
int runInstruments(const Invocation& invocation, Console& console, std::ostream& out) {
    const std::unique_ptr<SettingsStore> settings = doxaWinSettings(console);
    const std::string database = storedHistoryDatabase(*settings, invocation.database);
    const ReferenceInstrument fromSettings = instrumentFromSettings(*settings);
    struct Listed {
        std::vector<ReferenceInstrument> instruments;
        std::string problem;
        std::string localCopy;
    };
    const auto listed = std::make_shared<Listed>();
    WatchedThread thread;
    const auto outcome = thread.run([database, fromSettings, listed] {
        const auto instruments = openInstrumentRegister(database, fromSettings);
        listed->instruments = instruments->instruments();
        listed->problem = instruments->problem();
        if (instruments->fromLocalCopy()) listed->localCopy = instruments->lastProblem();
    });
    if (outcome != WatchedThread::Outcome::Done) {
        console.error(UI_TEXT("przerwano"));
        return ExitInterrupted;
    }
    if (!listed->problem.empty()) {
        console.error(listed->problem);
        return ExitBadInput;
    }
    if (!listed->localCopy.empty()) console.error(listed->localCopy);
    if (invocation.json)
        printJson(listed->instruments, out);
    else
        printTable(listed->instruments, out);
    out.flush();
    return ExitOk;
}

}  // namespace doxa::cli
