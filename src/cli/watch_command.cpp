#include <algorithm>
#include <array>
#include <ctime>
#include <map>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "cli/console_window.h"
#include "cli/exit_codes.h"
#include "cli/run_outcome.h"
#include "cli/session.h"
#include "cli/text_format.h"
#include "link/screen_text.h"
#include "link/hart.h"
#include "settings/shown_language.h"
#include "transmitter/station.h"
#include "transmitter/display_dlg.h"

namespace doxa::cli {

namespace {

using Dlg = CDisplayDlg;

enum class Format { Plain, Csv, Json };

Format formatOf(const Invocation& invocation) {
    if (invocation.csv) return Format::Csv;
    return invocation.json ? Format::Json : Format::Plain;
}

// The values of one polling cycle: what the dialog showed fresh from an answer in that cycle,
// and the conditions the transmitter reported in any answer of it.
class CycleWriter {
public:
    CycleWriter(const ConsoleWindow& window, std::ostream& out, Format format)
        : window_(window), out_(out), format_(format) {}

    void shown(int id, const std::string& text) {
        if (id != Dlg::PrimaryValue && id != Dlg::OutputValue && id != Dlg::AmbientValue) return;
        // A blanked field (" ", " mA") means no answer came, or no number in it.
        const ValueText value = splitValue(text);
        if (value.number.empty())
            fresh_.erase(id);
        else
            fresh_[id] = value;
    }

    void reported(const std::vector<DeviceCondition>& conditions) {
        for (const DeviceCondition& c : conditions)
            if (std::find(conditions_.begin(), conditions_.end(), c) == conditions_.end())
                conditions_.push_back(c);
    }

    // Writes the line of the cycle that has just ended; false when nobody reads any more.
    bool endCycle() {
        ++cycles_;
        if (!fresh_.contains(Dlg::PrimaryValue)) ++cyclesWithoutValue_;
        if (!conditions_.empty()) ++cyclesWithConditions_;
        // The header comes with the first values, so a transmitter that never answered leaves
        // the output empty.
        if (format_ == Format::Csv && cycles_ == 1)
            out_ << "time,pv,pv_unit,output,output_unit,ambient,ambient_unit,status\n";
        if (format_ == Format::Csv)
            writeCsv();
        else if (format_ == Format::Json)
            writeJson();
        else
            writePlain();
        fresh_.clear();
        conditions_.clear();
        out_.flush();
        return static_cast<bool>(out_);
    }

    int cycles() const { return cycles_; }
    int cyclesWithoutValue() const { return cyclesWithoutValue_; }
    int cyclesWithConditions() const { return cyclesWithConditions_; }

private:
    void writePlain() {
        out_ << shownText(formatText(UI_TEXT("PV: %1   Wyjście: %2"), {plain(Dlg::PrimaryValue), plain(Dlg::OutputValue)}));
        if (window_.isVisible(Dlg::AmbientValue))
            out_ << shownText(formatText(UI_TEXT("   Temp. otocz.: %1"), {plain(Dlg::AmbientValue)}));
        if (!conditions_.empty()) out_ << shownText(formatText(UI_TEXT("   Status: %1"), {shownConditions()}));
        out_ << '\n';
    }

    std::string plain(int id) const {
        const auto it = fresh_.find(id);
        if (it == fresh_.end()) return "-";
        const ValueText& v = it->second;
        return v.unit.empty() ? v.number : v.number + " " + v.unit;
    }

    // The value of a field as the script sees it: nothing for a field the model does not show.
    const ValueText* value(int id) const {
        const auto it = window_.isVisible(id) ? fresh_.find(id) : fresh_.end();
        return it == fresh_.end() ? nullptr : &it->second;
    }

    void writeCsv() {
        out_ << timestamp();
        for (int id : ValueFields) {
            const ValueText* v = value(id);
            out_ << ',' << (v ? csvField(v->number) : "") << ',' << (v ? csvField(v->unit) : "");
        }
        out_ << ',' << joined(&DeviceCondition::code, ";") << '\n';
    }

    void writeJson() {
        out_ << "{\"time\": " << jsonString(timestamp());
        for (std::size_t i = 0; i < ValueFields.size(); ++i) {
            const ValueText* v = value(ValueFields[i]);
            out_ << ", " << jsonString(JsonKeys[i]) << ": " << (v ? shownNumberJson(v->number) : "null") << ", "
                 << jsonString(std::string(JsonKeys[i]) + "_unit") << ": " << (v ? jsonString(v->unit) : "null");
        }
        out_ << ", \"status\": [";
        for (std::size_t i = 0; i < conditions_.size(); ++i)
            out_ << (i ? ", " : "") << jsonString(conditions_[i].code);
        out_ << "]}\n";
    }

    std::string shownConditions() const {
        std::string text;
        for (const DeviceCondition& c : conditions_) text += (text.empty() ? "" : ", ") + shownText(c.text);
        return text;
    }

    std::string joined(std::string_view DeviceCondition::*part, std::string_view separator) const {
        std::string text;
        for (const DeviceCondition& c : conditions_) {
            if (!text.empty()) text += separator;
            text += c.*part;
        }
        return text;
    }

    static std::string timestamp() {
        const std::time_t now = std::time(nullptr);
        std::tm local{};
        localtime_r(&now, &local);
        char text[32];
        std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S", &local);
        return text;
    }

    static constexpr std::array<int, 3> ValueFields{Dlg::PrimaryValue, Dlg::OutputValue, Dlg::AmbientValue};
    static constexpr std::array<std::string_view, 3> JsonKeys{"pv", "output", "ambient"};

    const ConsoleWindow& window_;
    std::ostream& out_;
    Format format_;
    std::map<int, ValueText> fresh_;
    std::vector<DeviceCondition> conditions_;
    int cycles_ = 0;
    int cyclesWithoutValue_ = 0;
    int cyclesWithConditions_ = 0;
};

// The reads whose answers count for a cycle; the panel shows the status of the last answer.
bool isValueRead(int state) {
    return state == Dlg::ReadPrimary || state == Dlg::ReadOutput || state == Dlg::ReadAmbient;
}

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
    CycleWriter writer(window, out, formatOf(invocation));
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
        if (state != previousState && isValueRead(previousState))
            writer.reported(deviceConditions(station.statusPanel));
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
        session.console().error(formatText(UI_TEXT("%1 z %2 cykli bez wartości PV od %3"),
                                           {std::to_string(writer.cyclesWithoutValue()),
                                            std::to_string(writer.cycles()), session.describe()}));
        return ExitNoAnswer;
    }
    if (end == ConsoleWindow::End::TimedOut) return reportFailure(end, session, invocation.timeoutSeconds);
    if (writer.cyclesWithConditions() > 0) {
        session.console().error(
            formatText(UI_TEXT("%1 z %2 cykli, w których %3 zgłosił awarię, przerwę czujnika lub PV poza granicami"),
                       {std::to_string(writer.cyclesWithConditions()), std::to_string(writer.cycles()),
                        session.describe()}));
        return ExitDeviceStatus;
    }
    return ExitOk;
}

}  // namespace doxa::cli
