#include <ctime>
#include <map>
#include <string>

#include "cli/commands.h"
#include "cli/console_window.h"
#include "cli/exit_codes.h"
#include "cli/run_outcome.h"
#include "cli/session.h"
#include "cli/text_format.h"
#include "transmitter/display_dlg.h"

namespace doxa::cli {

namespace {

using Dlg = CDisplayDlg;

// The values of one polling cycle: what the dialog showed fresh from an answer in that cycle.
class CycleWriter {
public:
    CycleWriter(const ConsoleWindow& window, std::ostream& out, bool csv)
        : window_(window), out_(out), csv_(csv) {}

    void shown(int id, const std::string& text) {
        if (id != Dlg::PrimaryValue && id != Dlg::OutputValue && id != Dlg::AmbientValue) return;
        // A blanked field (" ", " mA") means no answer came.
        const ValueText value = splitValue(text);
        if (value.number.empty())
            fresh_.erase(id);
        else
            fresh_[id] = value;
    }

    // Writes the line of the cycle that has just ended; false when nobody reads any more.
    bool endCycle() {
        ++cycles_;
        if (!fresh_.contains(Dlg::PrimaryValue)) ++cyclesWithoutValue_;
        // The header comes with the first values, so a transmitter that never answered leaves
        // the output empty.
        if (csv_ && cycles_ == 1) out_ << "time,pv,pv_unit,output,output_unit,ambient,ambient_unit\n";
        if (csv_)
            writeCsv();
        else
            writePlain();
        fresh_.clear();
        out_.flush();
        return static_cast<bool>(out_);
    }

    int cycles() const { return cycles_; }
    int cyclesWithoutValue() const { return cyclesWithoutValue_; }

private:
    void writePlain() {
        out_ << "PV: " << plain(Dlg::PrimaryValue) << "   Wyjście: " << plain(Dlg::OutputValue);
        if (window_.isVisible(Dlg::AmbientValue)) out_ << "   Temp. otocz.: " << plain(Dlg::AmbientValue);
        out_ << '\n';
    }

    std::string plain(int id) const {
        const auto it = fresh_.find(id);
        if (it == fresh_.end()) return "-";
        const ValueText& v = it->second;
        return v.unit.empty() ? v.number : v.number + " " + v.unit;
    }

    void writeCsv() {
        out_ << timestamp();
        for (int id : {Dlg::PrimaryValue, Dlg::OutputValue, Dlg::AmbientValue}) {
            const auto it = window_.isVisible(id) ? fresh_.find(id) : fresh_.end();
            out_ << ',' << (it == fresh_.end() ? "" : csvField(it->second.number)) << ','
                 << (it == fresh_.end() ? "" : csvField(it->second.unit));
        }
        out_ << '\n';
    }

    static std::string timestamp() {
        const std::time_t now = std::time(nullptr);
        std::tm local{};
        localtime_r(&now, &local);
        char text[32];
        std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S", &local);
        return text;
    }

    const ConsoleWindow& window_;
    std::ostream& out_;
    bool csv_;
    std::map<int, ValueText> fresh_;
    int cycles_ = 0;
    int cyclesWithoutValue_ = 0;
};

// A cycle ends when the display goes back to the primary value after reading a value.
bool cycleEnded(int previousState, int state) {
    return state == Dlg::SendPrimary &&
           (previousState == Dlg::ReadPrimary || previousState == Dlg::ReadOutput ||
            previousState == Dlg::ReadAmbient);
}

}  // namespace

int runWatch(const Invocation& invocation, Session& session, std::ostream& out) {
    ConsoleWindow window(session.loop(), session.console());
    window.showProgressOf({Dlg::ProgressText, Dlg::LineErrorText});
    CycleWriter writer(window, out, invocation.csv);
    window.onText = [&writer](int id, const std::string& text) { writer.shown(id, text); };

    Station& station = session.station();
    ConsoleLoop& loop = session.loop();
    const int timeoutMs = invocation.timeoutSeconds * 1000;
    loop.extendDeadline(timeoutMs);
    int previousState = -1;
    bool readerGone = false;
    CDisplayDlg dialog(station);
    const ConsoleWindow::End end = window.run(dialog, [&] {
        // The display only tries the port again on "Start", which nobody presses here.
        if (station.link.portOpen == 0) return true;
        const int state = station.link.exchangeState;
        if (cycleEnded(previousState, state)) {
            readerGone = !writer.endCycle();
            // Polling goes on as long as cycles complete, answered or not; only a transmitter
            // that never got identified runs into the deadline.
            loop.extendDeadline(timeoutMs);
        }
        previousState = state;
        return readerGone || (invocation.count && writer.cycles() >= *invocation.count);
    });

    if (station.link.portOpen == 0 || writer.cycles() == 0)
        return reportFailure(end == ConsoleWindow::End::Finished ? ConsoleWindow::End::TimedOut : end,
                             session, invocation.timeoutSeconds);
    if (writer.cyclesWithoutValue() > 0) {
        session.console().error(std::to_string(writer.cyclesWithoutValue()) + " of " +
                                std::to_string(writer.cycles()) +
                                " cycles without a primary value from " + session.describe());
        return ExitNoAnswer;
    }
    if (end == ConsoleWindow::End::TimedOut) return reportFailure(end, session, invocation.timeoutSeconds);
    return ExitOk;
}

}  // namespace doxa::cli
