#include <iostream>
#include <istream>
#include <string>

#include "calibration/calib_procedure_dlg.h"
#include "calibration/loop_warning.h"
#include "cli/commands.h"
#include "cli/console_window.h"
#include "cli/exit_codes.h"
#include "cli/identification.h"
#include "cli/session.h"
#include "link/screen_text.h"
#include "settings/shown_language.h"
#include "transmitter/station.h"

namespace doxa::cli {

namespace {

using Dlg = CCalibProcedureDlg;

// The procedure in a console window: the conditions from the command line or standard input,
// each value the technician types asked for on standard input, and after the points as found
// the run ends without an adjustment, which needs the calibration dialogs of doxa-win.
class ConsoleProcedure {
public:
    ConsoleProcedure(const Invocation& invocation, Session& session, std::istream& in)
        : invocation_(invocation),
          session_(session),
          in_(in),
          window_(session.loop(), session.console()),
          dialog_(session.station()) {}

    int run(std::ostream& out) {
        window_.showProgressOf({Dlg::Status});
        window_.answerBox = [this](std::string_view text, BoxButtons) {
            session_.console().error(text);
            refused_ = true;
            return Answer::Ok;
        };
        dialog_.programVersion = DOXA_VERSION;
        // Each wait is the dialog's own; only the technician's answers take longer.
        session_.loop().setDeadline(std::nullopt);
        const ConsoleWindow::End end = window_.run(dialog_, [this] { return step(); });
        for (const std::string& line : window_.items(Dlg::Results)) out << shownText(line) << '\n';
        if (!dialog_.outcome().eventId.empty())
            out << shownText(formatText(UI_TEXT("Zdarzenie: %1"), {dialog_.outcome().eventId})) << '\n';
        if (window_.wasSet(Dlg::Prompt) && dialog_.outcome().recorded)
            out << shownText(window_.text(Dlg::Prompt)) << '\n';
        out.flush();
        return status(end);
    }

private:
    // Asked after every event of the window: whatever the dialog waits for is given until an
    // exchange runs again; true once there is nothing more to do.
    bool step() {
        while (!session_.loop().hasTimers(&window_)) {
            if (act()) return true;
        }
        return false;
    }

    bool act() {
        if (!started_) return start();
        switch (dialog_.waiting()) {
            case Dlg::Waiting::Value:
                return typeValue();
            case Dlg::Waiting::Repeat:
                notConfirmed_ = true;
                window_.click(Dlg::Cancel);
                return false;
            case Dlg::Waiting::Decision:
                window_.click(Dlg::Finish);
                return false;
            case Dlg::Waiting::Ended:
            case Dlg::Waiting::Nothing:
                return true;
        }
        return true;
    }

    bool start() {
        started_ = true;
        for (const auto& [option, text] : invocation_.fields) {
            if (const int id = fieldOf(option)) window_.setText(id, text);
        }
        if (!askIfEmpty(Dlg::Technician, UI_TEXT("Technik (imię i nazwisko)")) ||
            !askIfMissing(Opt::Ambient, Dlg::Ambient, UI_TEXT("Temperatura otoczenia [°C]")) ||
            !askIfMissing(Opt::Humidity, Dlg::Humidity, UI_TEXT("Wilgotność względna [%]")) ||
            !chooseInstrument(Opt::Instrument, Dlg::InputInstrument, true) ||
            !chooseInstrument(Opt::Meter, Dlg::OutputInstrument, false) || !chooseToleranceUnit())
            return true;
        window_.click(Dlg::Start);
        return refused_ || dialog_.waiting() == Dlg::Waiting::Nothing;
    }

    static int fieldOf(Opt option) {
        switch (option) {
            case Opt::Technician:
                return Dlg::Technician;
            case Opt::Customer:
                return Dlg::Customer;
            case Opt::Tag:
                return Dlg::Tag;
            case Opt::Ambient:
                return Dlg::Ambient;
            case Opt::Humidity:
                return Dlg::Humidity;
            case Opt::Points:
                return Dlg::Points;
            case Opt::Tolerance:
                return Dlg::InputTolerance;
            case Opt::OutputTolerance:
                return Dlg::OutputTolerance;
            case Opt::Interval:
                return Dlg::Interval;
            default:
                return 0;
        }
    }

    bool ask(std::string_view prompt, std::string& answer) {
        session_.console().prompt(prompt);
        if (!std::getline(in_, answer)) {
            inputEnded_ = true;
            return false;
        }
        return true;
    }

    bool askIfMissing(Opt option, int id, std::string_view prompt) {
        if (invocation_.fields.contains(option)) return true;
        std::string answer;
        if (!ask(prompt, answer)) return false;
        window_.setText(id, answer);
        return true;
    }

    bool askIfEmpty(int id, std::string_view prompt) {
        if (!trimmed(window_.text(id)).empty()) return true;
        std::string answer;
        if (!ask(prompt, answer)) return false;
        window_.setText(id, answer);
        return true;
    }

    // The register's entries follow "(brak)" in the window's list.
    bool chooseInstrument(Opt option, int id, bool required) {
        std::string wanted;
        const auto given = invocation_.fields.find(option);
        if (given != invocation_.fields.end())
            wanted = given->second;
        else if (!required || !ask(UI_TEXT("Przyrząd wzorcowy (id lub numer seryjny z rejestru)"), wanted))
            return !required;
        const std::vector<ReferenceInstrument> instruments =
            session_.station().instruments ? session_.station().instruments->instruments()
                                           : std::vector<ReferenceInstrument>{};
        for (std::size_t i = 0; i < instruments.size(); ++i) {
            if (instruments[i].id == wanted || instruments[i].serial == wanted) {
                window_.setSelection(id, static_cast<int>(i + 1));
                return true;
            }
        }
        const InstrumentRegister* known = session_.station().instruments;
        if (!known)
            session_.console().error(
                UI_TEXT("bez historii serwisowej nie ma rejestru przyrządów wzorcowych"));
        else if (!known->problem().empty())
            session_.console().error(known->problem());
        session_.console().error(
            formatText(UI_TEXT("w rejestrze przyrządów wzorcowych nie ma przyrządu '%1'"), {wanted}));
        refused_ = true;
        return false;
    }

    bool chooseToleranceUnit() {
        const auto given = invocation_.fields.find(Opt::ToleranceUnit);
        if (given == invocation_.fields.end()) return true;
        const std::vector<std::string>& units = window_.items(Dlg::InputToleranceUnit);
        for (std::size_t i = 0; i < units.size(); ++i) {
            if (units[i] == given->second) {
                window_.setSelection(Dlg::InputToleranceUnit, static_cast<int>(i));
                return true;
            }
        }
        session_.console().error(formatText(
            UI_TEXT("--tolerance-unit przyjmuje jedną z jednostek tego wejścia, a nie '%1'"), {given->second}));
        refused_ = true;
        return false;
    }

    bool typeValue() {
        std::string answer;
        if (!ask(window_.text(Dlg::Prompt), answer)) {
            window_.click(Dlg::Cancel);
            return false;
        }
        window_.setText(Dlg::Typed, answer);
        window_.click(Dlg::Next);
        return false;
    }

    int status(ConsoleWindow::End end) const {
        if (end == ConsoleWindow::End::Interrupted) {
            session_.console().error(UI_TEXT("przerwano"));
            return ExitInterrupted;
        }
        if (refused_) return ExitBadInput;
        if (inputEnded_) {
            session_.console().error(UI_TEXT("standardowe wejście skończyło się przed końcem kalibracji"));
            return ExitBadInput;
        }
        if (notConfirmed_) {
            session_.console().error(window_.text(Dlg::Status));
            return ExitNotConfirmed;
        }
        if (dialog_.waiting() == Dlg::Waiting::Ended && window_.result() != ResultOk) {
            session_.console().error(window_.text(Dlg::Prompt));
            return ExitNoAnswer;
        }
        return ExitOk;
    }

    const Invocation& invocation_;
    Session& session_;
    std::istream& in_;
    ConsoleWindow window_;
    Dlg dialog_;
    bool started_ = false;
    bool refused_ = false;
    bool inputEnded_ = false;
    bool notConfirmed_ = false;
};

}  // namespace

int calibrate(const Invocation& invocation, Session& session, std::istream& in, std::ostream& out) {
    ConsoleWindow identification(session.loop(), session.console());
    if (const int status = identifyTransmitter(invocation, session, identification);
        status != ExitOk)
        return status;
    // A script runs unattended: the loop warning is told, not asked.
    if (warnsOfLoop(session.station().settings)) session.console().error(LoopWarning);
    ConsoleProcedure procedure(invocation, session, in);
    return procedure.run(out);
}

int runCalibrate(const Invocation& invocation, Session& session, std::ostream& out) {
    session.useInstrumentRegister();
    return calibrate(invocation, session, std::cin, out);
}

}  // namespace doxa::cli
