#include <array>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "cli/console_window.h"
#include "cli/exit_codes.h"
#include "cli/identification.h"
#include "cli/run_outcome.h"
#include "cli/session.h"
#include "cli/text_format.h"
#include "link/screen_text.h"
#include "dialog/visible_text.h"
#include "link/hart.h"
#include "settings/shown_language.h"
#include "transmitter/station.h"
#include "transmitter/code_tables.h"
#include "transmitter/ident_dlg.h"

namespace doxa::cli {

namespace {

// The identification dialog's fields in the order the dialog shows them, with its labels and
// the names a script finds them by in JSON.
struct Field {
    int id;
    std::string_view label;
    std::string_view key;
};
constexpr std::array<Field, 10> Fields{{
    {CInitDlg::ModelText, UI_TEXT("Typ przetwornika:"), "model"},
    {CInitDlg::SerialText, UI_TEXT("Nr seryjny:"), "serialNumber"},
    {CInitDlg::SensorText, UI_TEXT("Typ czujnika:"), "sensor"},
    {CInitDlg::OutputText, UI_TEXT("Rodzaj wyjścia:"), "output"},
    {CInitDlg::BreakText, UI_TEXT("Sygnalizacja przerwy:"), "breakSignal"},
    {CInitDlg::RangeMinText, UI_TEXT("Zakres min:"), "rangeMin"},
    {CInitDlg::RangeMaxText, UI_TEXT("Zakres max:"), "rangeMax"},
    {CInitDlg::ThresholdText, UI_TEXT("Próg:"), "threshold"},
    {CInitDlg::ReleaseText, UI_TEXT("Histereza:"), "release"},
    {CInitDlg::FilterText, UI_TEXT("Filtracja:"), "filter"},
}};
// What the dialog's layout shows in a field the exchange did not fill.
constexpr std::string_view Unfilled = ".....";
constexpr std::size_t LabelWidth = 23;

}  // namespace

void printIdentification(const ConsoleWindow& window, const Session& session, std::ostream& out) {
    out << padded(shownText(UI_TEXT("Adres:")), LabelWidth) << session.line().pollingAddress << '\n';
    for (const Field& f : Fields) {
        const std::string shown = shownTrimmed(window.text(f.id));
        out << padded(shownText(f.label), LabelWidth)
            << (window.wasSet(f.id) ? visibleText(shown) : std::string(Unfilled)) << '\n';
    }
    const std::vector<DeviceCondition> conditions = deviceConditions(session.station().statusPanel);
    if (conditions.empty()) return;
    out << padded(shownText(UI_TEXT("Status:")), LabelWidth);
    for (std::size_t i = 0; i < conditions.size(); ++i) out << (i ? ", " : "") << shownText(conditions[i].text);
    out << '\n';
}

namespace {

void printJson(const ConsoleWindow& window, const Session& session, std::ostream& out) {
    const LineChoice& line = session.line();
    out << "{\"port\": " << jsonString(line.port) << ", \"mode\": "
        << (line.rs485 ? "\"RS485\"" : "\"HART\"") << ", \"address\": " << line.pollingAddress;
    for (const Field& f : Fields) {
        out << ", " << jsonString(f.key) << ": ";
        if (window.wasSet(f.id))
            out << jsonString(trimmed(std::string(window.text(f.id))));
        else
            out << "null";
    }
    out << ", \"status\": [";
    const std::vector<DeviceCondition> conditions = deviceConditions(session.station().statusPanel);
    for (std::size_t i = 0; i < conditions.size(); ++i) out << (i ? ", " : "") << jsonString(conditions[i].code);
    // The keys above keep the dialog's texts for the scripts written against them.
    out << "], " << identificationValuesJson(window, session) << "}\n";
}

}  // namespace

int identifyTransmitter(const Invocation& invocation, Session& session, ConsoleWindow& window) {
    window.showProgressOf({CInitDlg::ProgressText, CInitDlg::LineErrorText});
    // The dialog's "change the port" box is left out: the failure's cause follows on one line.
    window.answerBox = [&session](std::string_view text, BoxButtons) {
        if (text != ChangePortText) session.console().error(text);
        return Answer::Ok;
    };
    CInitDlg dialog(session.station());
    session.loop().extendDeadline(invocation.timeoutSeconds * 1000);
    const ConsoleWindow::End end = window.run(dialog, [&window] {
        return window.text(CInitDlg::ProgressText) == FinishedText;
    });
    if (end != ConsoleWindow::End::Finished) {
        const std::string model(trimmed(window.text(CInitDlg::ModelText)));
        const std::string detail =
            model.empty() ? "" : formatText(UI_TEXT(" (%1 odpowiedział, po czym zamilkł)"), {model});
        return reportFailure(end, session, invocation.timeoutSeconds, detail);
    }
    return ExitOk;
}

int runIdentify(const Invocation& invocation, Session& session, std::ostream& out) {
    ConsoleWindow window(session.loop(), session.console());
    if (const int status = identifyTransmitter(invocation, session, window); status != ExitOk)
        return status;
    if (invocation.json)
        printJson(window, session, out);
    else
        printIdentification(window, session, out);
    out.flush();
    // What was read is all there, but the transmitter says its readings cannot be trusted.
    return deviceConditions(session.station().statusPanel).empty() ? ExitOk : ExitDeviceStatus;
}

}  // namespace doxa::cli
