#include <array>
#include <functional>
#include <string>
#include <vector>

#include "document/document.h"
#include "document/document_file.h"
#include "cli/commands.h"
#include "cli/console_window.h"
#include "cli/exit_codes.h"
#include "cli/identification.h"
#include "cli/run_outcome.h"
#include "cli/session.h"
#include "link/screen_text.h"
#include "dialog/typed_number.h"
#include "programming/prog_dlg.h"
#include "programming/prog_identify.h"
#include "programming/prog_rules.h"
#include "programming/prog_zu_dlg.h"
#include "settings/shown_language.h"
#include "transmitter/code_tables.h"
#include "transmitter/station.h"
#include "transmitter/write_table.h"

namespace doxa::cli {

namespace {

// The texts the programming sequence ends with.
constexpr std::string_view SavedText = "Dane zostały zapisane";
constexpr std::string_view NotSavedText = "Dane nie zostały zapisane prawidłowo";

// The configuration doxa-win starts every run with, then fills from the transmitter: a new
// document, the address the command line gives, and the identification.
int identifyIntoNewDocument(const Invocation& invocation, Session& session) {
    Station& station = session.station();
    resetToNewDocument(station.device);
    station.device.pollingAddress = session.line().pollingAddress;
    ConsoleWindow window(session.loop(), session.console());
    return identifyTransmitter(invocation, session, window);
}

// --- write --dry-run: the fields the programming dialog writes, as the technician reads them.

struct Field {
    std::string_view label;
    std::function<std::string(const DeviceRecord&)> shown;
    // Whether the programming dialog writes the field into this transmitter on this line.
    std::function<bool(const DeviceRecord& transmitter, bool rs485)> written;
};

// Every code a file may bring has a name: the loader refuses the others.
std::string sensorText(const DeviceRecord& d) {
    return std::string(trimmed(sensorName(d.sensorType, d.isRtdOnly != 0).value_or("")));
}

std::string withUnit(float value, const DeviceRecord& d) {
    return numberText(value) + " " + std::string(trimmed(rangeUnitText(d.sensorType, d.isRtdOnly != 0)));
}

bool always(const DeviceRecord&, bool) { return true; }
// The resistance-thermometer-only dialog writes the range, the sensor and the filter only; the
// SAWE-01 has no threshold, and RS485 carries only whether it is on.
bool thresholdSwitch(const DeviceRecord& t, bool) { return !t.isRtdOnly && !t.isSawe; }
bool thresholdValues(const DeviceRecord& t, bool rs485) { return thresholdSwitch(t, rs485) && !rs485; }

const std::array<Field, 9> Fields{{
    {UI_TEXT("Typ czujnika"), sensorText, always},
    {UI_TEXT("Zakres min"), [](const DeviceRecord& d) { return withUnit(d.rangeMin, d); }, always},
    {UI_TEXT("Zakres max"), [](const DeviceRecord& d) { return withUnit(d.rangeMax, d); }, always},
    {UI_TEXT("Filtracja"),
     [](const DeviceRecord& d) {
         return std::string(trimmed(filterText(d.filterOrder, d.filterTime)));
     },
     always},
    {UI_TEXT("Sygnalizacja przerwy"),
     [](const DeviceRecord& d) { return std::string(trimmed(breakSignalText(d.breakSignal))); },
     always},
    {UI_TEXT("Próg aktywny"), [](const DeviceRecord& d) { return std::string(d.thresholdActive ? UI_TEXT("tak") : UI_TEXT("nie")); },
     thresholdSwitch},
    {UI_TEXT("Kierunek progu"),
     [](const DeviceRecord& d) { return std::string(d.thresholdDirection == 1 ? "min" : "max"); },
     thresholdValues},
    {UI_TEXT("Próg"), [](const DeviceRecord& d) { return withUnit(d.threshold, d); }, thresholdValues},
    {UI_TEXT("Histereza"), [](const DeviceRecord& d) { return withUnit(d.hysteresis, d); }, thresholdValues},
}};

void printChanges(const DeviceRecord& held, const DeviceRecord& file, bool rs485, std::ostream& out) {
    bool any = false;
    for (const Field& f : Fields) {
        if (!f.written(held, rs485)) continue;
        const std::string before = f.shown(held);
        const std::string after = f.shown(file);
        if (before == after) continue;
        out << shownText(f.label) << ": " << shownText(before) << " → " << shownText(after) << '\n';
        any = true;
    }
    if (!any) out << shownText(UI_TEXT("bez zmian")) << '\n';
}

// --- write: the programming dialog, driven as the technician drives it.

struct Outcome {
    std::vector<std::string> boxes;  // every message box, in order
    bool ended = false;              // the sequence told whether the data was saved
};

// Runs `dialog` until its sequence has ended: its own identification first, then "Wyślij".
int program(DialogLogic& dialog, const Invocation& invocation, Session& session, std::ostream& out) {
    ConsoleLoop& loop = session.loop();
    ConsoleWindow window(loop, session.console());
    window.showProgressOf({ProgrammingSequence::StepText, ProgrammingSequence::ReplyText});
    Outcome outcome;
    window.answerBox = [&outcome](std::string_view text, BoxButtons) {
        outcome.boxes.emplace_back(text);
        if (text == SavedText || text == NotSavedText) outcome.ended = true;
        return Answer::Ok;
    };
    // A refusal shows in the dialog's reply field only: the console keeps them for the verdict.
    std::vector<std::string> refusals;
    window.onText = [&refusals](int id, const std::string& text) {
        if (id == ProgrammingSequence::ReplyText && text.starts_with(RefusedText)) refusals.push_back(text);
    };
    const bool rs485 = session.line().rs485;
    // The dialog's own retries bound its identification and every write; a deadline could only
    // cut a write short between two of its steps.
    loop.setDeadline(std::nullopt);
    bool sent = false;
    std::size_t boxesBeforeSend = 0;
    const ConsoleWindow::End end = window.run(dialog, [&] {
        if (outcome.ended) return true;
        const bool ready = rs485 || window.text(ProgrammingSequence::StepText) == RecognizedText;
        if (ready && !sent) {
            sent = true;
            boxesBeforeSend = outcome.boxes.size();
            window.click(CProgDlg::Send);
        }
        return false;
    });

    Console& console = session.console();
    if (outcome.ended) {
        // The address is never programmed from here, so the verdict is the last box.
        if (outcome.boxes.back() == SavedText) {
            out << shownText(SavedText) << '\n';
            out.flush();
            return ExitOk;
        }
        for (const std::string& refusal : refusals) console.error(refusal);
        console.error(outcome.boxes.back());
        return ExitNotConfirmed;
    }
    if (end == ConsoleWindow::End::Idle && sent && outcome.boxes.size() > boxesBeforeSend) {
        // "Wyślij" refused what the file holds.
        console.error(outcome.boxes.back());
        return ExitBadInput;
    }
    if (end == ConsoleWindow::End::Ended && !outcome.boxes.empty() &&
        outcome.boxes.back() == IncompatibleText) {
        console.error(outcome.boxes.back());
        return ExitBadInput;
    }
    return reportFailure(end == ConsoleWindow::End::Ended ? ConsoleWindow::End::TimedOut : end,
                         session, invocation.timeoutSeconds);
}

}  // namespace

int runRead(const Invocation& invocation, Session& session, std::ostream& out) {
    if (const int status = identifyIntoNewDocument(invocation, session); status != ExitOk)
        return status;
    const Station& station = session.station();
    if (!saveDocumentFile(invocation.output, station.device, station.characteristic)) {
        session.console().error(invocation.output, SaveFailedText);
        return ExitBadInput;
    }
    out << shownText(formatText(UI_TEXT("%1, nr %2 → %3"), {station.device.modelName,
                                                           std::to_string(station.device.serialNumber),
                                                           invocation.output}))
        << '\n';
    out.flush();
    return ExitOk;
}

int runWrite(const Invocation& invocation, Session& session, std::ostream& out) {
    const std::string& path = invocation.operands.front();
    Station& station = session.station();
    Console& console = session.console();
    // A file that cannot be used is told before the line is touched.
    {
        DeviceRecord device = station.device;
        Characteristic characteristic = station.characteristic;
        if (const std::string error = loadDocumentFile(path, device, characteristic); !error.empty()) {
            console.error(error);
            return ExitBadInput;
        }
    }
    if (const int status = identifyIntoNewDocument(invocation, session); status != ExitOk)
        return status;
    const DeviceRecord held = station.device;
    // The file then supplies the configuration, as when doxa-win is started with it.
    if (const std::string error = loadDocumentFile(path, station.device, station.characteristic);
        !error.empty()) {
        console.error(error);
        return ExitBadInput;
    }
    // The transmitter on the line is the one the command line names, whatever address the file
    // was read at.
    station.device.pollingAddress = session.line().pollingAddress;
    // The dialog shows a sensor the model cannot take checked but greyed, and sends it if nobody
    // looks: in a batch nobody does, so a file of another model is refused unless asked for.
    const std::string& fileModel = station.device.modelName;
    if (!invocation.anyModel && !fileModel.empty() && fileModel != held.modelName) {
        console.error(formatText(UI_TEXT("%1 zawiera konfigurację modelu %2, a przetwornik to %3 (--any-model "
                                         "mimo to ją zapisze)"),
                                 {path, fileModel, held.modelName}));
        return ExitBadInput;
    }
    // The dialog would refuse it at "Wyślij"; told here, nothing more goes on the line.
    const DeviceRecord& file = station.device;
    const bool rtdOnly = file.isRtdOnly != 0;
    if (const std::string refused =
            refusedRange(file.rangeMin, file.rangeMax, rangeLimits(file.sensorType, rtdOnly),
                         rangeUnitText(file.sensorType, rtdOnly));
        !refused.empty()) {
        console.error(path, refused);
        return ExitBadInput;
    }

    if (invocation.dryRun) {
        printChanges(held, station.device, session.line().rs485, out);
        out.flush();
        return ExitOk;
    }
    // The resistance-thermometer-only transmitters have a programming dialog of their own.
    if (station.device.isRtdOnly) {
        CProgZUDlg dialog(station);
        return program(dialog, invocation, session, out);
    }
    CProgDlg dialog(station);
    return program(dialog, invocation, session, out);
}

}  // namespace doxa::cli
