// Schedule fidelity: how long identification and a full programming sequence take against
// doxa-sim on a pseudo-terminal, through the real serial line and the console host's real-time
// timers, against the sum of the waits the dialogs' own timers ask for.
// Usage: schedule_bench [RUNS]

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <map>
#include <string>

#include "child_process.h"
#include "cli/console.h"
#include "cli/console_loop.h"
#include "cli/console_window.h"
#include "cli/session.h"
#include "figure.h"
#include "programming/prog_dlg.h"
#include "programming/prog_identify.h"
#include "support/sim_process.h"
#include "transmitter/code_tables.h"
#include "transmitter/ident_dlg.h"

namespace {

using namespace doxa;
using namespace doxa::bench;

constexpr double Target = 1.01;

// Stands between a dialog's logic and its console window and keeps the schedule the logic asks
// for: each timer falls due `ms` after it was (re)started, and a repeating timer again one
// interval after it fell due. The time of the last tick on that schedule is the sum of the waits.
class ScheduleKeeper : public DialogLogic, public DialogWindow {
public:
    explicit ScheduleKeeper(DialogLogic& inner) : inner_(inner) {}

    // Milliseconds of the schedule at the latest tick.
    double scheduledMs() const { return now_; }
    std::string lastBox;

    // DialogLogic, forwarded with the logic attached to this window.
    int layout() const override { return inner_.layout(); }
    bool canCreate() const override { return inner_.canCreate(); }
    void onInit() override {
        inner_.attach(*this);
        inner_.onInit();
    }
    void onCommand(int id) override { inner_.onCommand(id); }
    void onChange(int id) override { inner_.onChange(id); }
    void onFocus(int id, bool gained) override { inner_.onFocus(id, gained); }
    void onScroll(int id, Scroll code) override { inner_.onScroll(id, code); }
    void onMouseDown(int x, int y) override { inner_.onMouseDown(x, y); }
    void onTimer(int timer) override {
        if (const auto it = due_.find(timer); it != due_.end()) {
            now_ = it->second.due;
            it->second.due += it->second.interval;
        }
        inner_.onTimer(timer);
    }
    void onDestroy() override { inner_.onDestroy(); }

    // DialogWindow, forwarded to the console window.
    void setText(int id, std::string_view utf8) override { window().setText(id, utf8); }
    std::string text(int id) const override { return window().text(id); }
    void setChecked(int id, bool checked) override { window().setChecked(id, checked); }
    bool isChecked(int id) const override { return window().isChecked(id); }
    void setSelection(int id, int index) override { window().setSelection(id, index); }
    int selection(int id) const override { return window().selection(id); }
    void setItems(int id, const std::vector<std::string>& utf8) override { window().setItems(id, utf8); }
    void setEnabled(int id, bool enabled) override { window().setEnabled(id, enabled); }
    void setVisible(int id, bool visible) override { window().setVisible(id, visible); }
    void setReadOnly(int id, bool readOnly) override { window().setReadOnly(id, readOnly); }
    void setTitle(std::string_view utf8) override { window().setTitle(utf8); }
    void startTimer(int timer, int ms) override {
        due_[timer] = {now_ + ms, ms};
        window().startTimer(timer, ms);
    }
    void stopTimer(int timer) override {
        due_.erase(timer);
        window().stopTimer(timer);
    }
    Answer messageBox(std::string_view utf8, BoxIcon, BoxButtons, const BoxDetails&) override {
        lastBox = utf8;
        return Answer::Ok;
    }
    int runChild(DialogLogic& child) override { return window().runChild(child); }
    void end(int result) override { window().end(result); }

private:
    struct Due {
        double due;
        int interval;
    };
    DialogLogic& inner_;
    std::map<int, Due> due_;
    double now_ = 0;
};

struct Timing {
    double wallMs = 0;
    double scheduledMs = 0;
    bool ok = false;
};

std::unique_ptr<cli::Session> openSession(const std::string& link, cli::Console& console, cli::RealTime& time) {
    cli::LineChoice line;
    line.port = link;
    std::string error;
    auto session = cli::Session::open(line, console, time, error);
    if (!session) std::fprintf(stderr, "%s\n", error.c_str());
    return session;
}

Timing identify(cli::Session& session) {
    cli::ConsoleWindow window(session.loop(), session.console());
    CInitDlg dialog(session.station());
    ScheduleKeeper keeper(dialog);
    session.loop().extendDeadline(60000);
    Timing timing;
    const double start = monotonicSeconds();
    const auto end = window.run(keeper, [&] {
        if (window.text(CInitDlg::ProgressText) != FinishedText) return false;
        timing.wallMs = (monotonicSeconds() - start) * 1000;
        return true;
    });
    timing.scheduledMs = keeper.scheduledMs();
    timing.ok = end == cli::ConsoleWindow::End::Finished;
    return timing;
}

// Over HART the dialog identifies the transmitter first; "Wyślij" is pressed once it is
// recognised, and the sequence is timed from there to its closing message.
Timing program(cli::Session& session) {
    cli::ConsoleWindow window(session.loop(), session.console());
    CProgDlg dialog(session.station());
    ScheduleKeeper keeper(dialog);
    session.loop().extendDeadline(120000);
    Timing timing;
    double sentAt = 0, scheduledAtSend = 0;
    const auto end = window.run(keeper, [&] {
        if (sentAt == 0) {
            if (window.text(CProgDlg::StepText) != RecognizedText) return false;
            scheduledAtSend = keeper.scheduledMs();
            sentAt = monotonicSeconds();
            keeper.lastBox.clear();
            keeper.onCommand(CProgDlg::Send);
            return false;
        }
        if (keeper.lastBox.empty()) return false;
        timing.wallMs = (monotonicSeconds() - sentAt) * 1000;
        return true;
    });
    timing.scheduledMs = keeper.scheduledMs() - scheduledAtSend;
    timing.ok = end == cli::ConsoleWindow::End::Finished && keeper.lastBox == "Dane zostały zapisane";
    if (!timing.ok) std::fprintf(stderr, "programming ended with \"%s\"\n", keeper.lastBox.c_str());
    return timing;
}

bool report(const char* name, const std::vector<Timing>& runs) {
    double wall = 0, scheduled = 0;
    for (const Timing& t : runs) {
        wall += t.wallMs;
        scheduled += t.scheduledMs;
    }
    char against[160];
    std::snprintf(against, sizeof against, "%.0f ms on the clock, %.0f ms of scheduled waits (%zu runs)",
                  wall, scheduled, runs.size());
    return reportFigure(name, wall / scheduled, Target, against);
}

}  // namespace

int main(int argc, char* argv[]) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
    test::TempFolder folder;
    const auto link = folder.path() / "tty";
    test::SimProcess sim({"--model", "DOXA-22", "--link", link.string()});
    if (!test::waitForLink(link)) {
        std::fprintf(stderr, "doxa-sim did not publish %s\n", link.c_str());
        return 2;
    }
    cli::Console console(std::cerr, false);
    cli::RealTime time;
    const auto session = openSession(link.string(), console, time);
    if (!session) return 2;

    std::vector<Timing> identifications, programmings;
    for (int i = 0; i < runs; ++i) {
        const Timing identified = identify(*session);
        const Timing programmed = program(*session);
        if (!identified.ok || !programmed.ok) {
            std::fprintf(stderr, "the exchange with doxa-sim failed\n");
            return 2;
        }
        identifications.push_back(identified);
        programmings.push_back(programmed);
    }
    const bool identificationMet = report("identification", identifications);
    const bool programmingMet = report("programming", programmings);
    return identificationMet && programmingMet ? 0 : 1;
}
