// The console window must run a dialog's logic exactly as the desktop does: same requests, same
// waits, same clean-up, with nobody at the keyboard.

#include "cli/console_window.h"

#include <gtest/gtest.h>

#include <sstream>

#include "cli/console.h"
#include "cli/console_loop.h"
#include "support/fake_window.h"
#include "support/sim_station.h"
#include "programming/prog_dlg.h"
#include "programming/prog_identify.h"
#include "transmitter/code_tables.h"
#include "transmitter/display_dlg.h"
#include "transmitter/ident_dlg.h"

namespace doxa::cli {
namespace {

// Virtual time that moves the simulated transmitter's clock as the loop sleeps; a stop request
// can be scheduled after a number of waits.
class SimTime : public TimeSource {
public:
    explicit SimTime(test::VirtualClock& clock) : clock_(clock) {}
    std::int64_t nowMs() const override { return clock_.now(); }
    bool sleepUntil(std::int64_t ms) override {
        if (stopAfterWaits && waits_++ >= *stopAfterWaits) return false;
        if (ms > clock_.now()) clock_.advance(ms - clock_.now());
        return true;
    }
    std::optional<int> stopAfterWaits;

private:
    test::VirtualClock& clock_;
    int waits_ = 0;
};

struct ConsoleRun {
    explicit ConsoleRun(sim::Model model = sim::Model::Doxa22) : sim(model) {}
    test::SimStation sim;
    SimTime time{sim.clock};
    ConsoleLoop loop{time};
    std::ostringstream err;
    Console console{err, false};
    ConsoleWindow window{loop, console};
};

bool identified(const ConsoleWindow& window) {
    return window.text(CInitDlg::ProgressText) == FinishedText;
}

TEST(ConsoleWindow, IdentificationPutsTheDesktopsBytesOnTheLineAtTheDesktopsTimes) {
    for (const bool rs485 : {false, true}) {
        SCOPED_TRACE(rs485 ? "RS485" : "HART");
        test::SimStation desktop(sim::Model::Rivo21U);
        if (rs485) desktop.useRs485();
        CInitDlg onDesktop(desktop.station);
        test::FakeWindow fake(onDesktop, desktop.clock);
        ASSERT_TRUE(fake.open());
        ASSERT_TRUE(desktop.clock.advanceUntil(
            [&] { return fake.text(CInitDlg::ProgressText) == FinishedText; }, 30000, 1));
        const std::int64_t desktopTime = desktop.clock.now();
        fake.close();

        ConsoleRun console(sim::Model::Rivo21U);
        if (rs485) console.sim.useRs485();
        CInitDlg inConsole(console.sim.station);
        EXPECT_EQ(console.window.run(inConsole, [&] { return identified(console.window); }),
                  ConsoleWindow::End::Finished);
        EXPECT_EQ(console.sim.clock.now(), desktopTime);

        EXPECT_EQ(console.sim.writes(), desktop.writes());
        EXPECT_EQ(console.sim.station.trafficLog.bytes(), desktop.station.trafficLog.bytes());
        // Closing released the line: the last request is the single 0xFF byte.
        EXPECT_EQ(console.sim.requests().back(), -1);
        EXPECT_EQ(console.window.text(CInitDlg::ModelText), " RIVO-21-U");
        EXPECT_TRUE(console.err.str().empty());
    }
}

TEST(ConsoleWindow, AStopSignalEndsTheDialogAndReleasesTheLine) {
    ConsoleRun run;
    run.time.stopAfterWaits = 7;  // in the middle of the first exchanges
    CDisplayDlg display(run.sim.station);
    EXPECT_EQ(run.window.run(display), ConsoleWindow::End::Interrupted);
    EXPECT_TRUE(run.loop.interrupted());
    EXPECT_FALSE(run.loop.hasTimers(&run.window));
    run.sim.clock.advance(200);  // the request on the line, then the release byte, leave it
    ASSERT_FALSE(run.sim.requests().empty());
    EXPECT_EQ(run.sim.requests().back(), -1);
    EXPECT_FALSE(run.sim.line()->rts()) << "HART receive level";
}

TEST(ConsoleWindow, ADeadlineEndsADialogThatGetsNoAnswer) {
    ConsoleRun run;
    run.sim.station.device.pollingAddress = 9;  // nobody answers there
    // Every 900 ms a request: the fifth is read at 4900 ms, the sixth would go at 5000 ms.
    run.loop.setDeadline(4950);
    CInitDlg identification(run.sim.station);
    EXPECT_EQ(run.window.run(identification), ConsoleWindow::End::TimedOut);
    EXPECT_EQ(run.sim.clock.now(), 4950);
    EXPECT_EQ(run.sim.requests(), (std::vector<int>{0, 0, 0, 0, 0, -1}));
    EXPECT_EQ(run.window.text(CInitDlg::ProgressText), NoAnswerText);
    EXPECT_EQ(run.sim.requests().back(), -1);
}

// What `write` does: the programming dialog's own identification, then "Wyślij", until the
// dialog's verdict; the boxes are the command's to tell, not printed.
TEST(ConsoleWindow, ProgrammingClickedFromTheConsoleSendsTheDesktopsBytes) {
    const auto configure = [](Station& station) {
        station.device.sensorType = 4;
        station.device.rangeMin = -50;
        station.device.rangeMax = 600;
    };
    test::SimStation desktop;
    configure(desktop.station);
    CProgDlg onDesktop(desktop.station);
    test::FakeWindow fake(onDesktop, desktop.clock);
    ASSERT_TRUE(fake.open());
    ASSERT_TRUE(desktop.clock.advanceUntil(
        [&] { return fake.text(CProgDlg::StepText) == RecognizedText; }, 30000, 1));
    fake.click(CProgDlg::Send);
    ASSERT_TRUE(desktop.clock.advanceUntil([&] { return fake.boxes().size() == 2; }, 60000, 1));
    const std::int64_t desktopTime = desktop.clock.now();
    fake.close();

    ConsoleRun run;
    configure(run.sim.station);
    std::vector<std::string> boxes;
    run.window.answerBox = [&boxes](std::string_view text, BoxButtons) {
        boxes.emplace_back(text);
        return Answer::Ok;
    };
    CProgDlg inConsole(run.sim.station);
    bool sent = false;
    EXPECT_EQ(run.window.run(inConsole,
                             [&] {
                                 if (!sent && run.window.text(CProgDlg::StepText) == RecognizedText) {
                                     sent = true;
                                     run.window.click(CProgDlg::Send);
                                 }
                                 return boxes.size() == 2;
                             }),
              ConsoleWindow::End::Finished);
    EXPECT_EQ(run.sim.clock.now(), desktopTime);
    EXPECT_EQ(boxes, (std::vector<std::string>{"Nastąpi rozpoznanie przetwornika", "Dane zostały zapisane"}));
    EXPECT_EQ(run.err.str(), "");
    EXPECT_EQ(run.sim.writes(), desktop.writes());
    // Identification, then the writes of range, sensor, filter and threshold, then the release.
    EXPECT_EQ(run.sim.requests(), (std::vector<int>{0, -1, 35, 147, 201, 200, -1}));
    EXPECT_EQ(run.sim.device().rangeUpper, 600.0F);
    EXPECT_EQ(run.sim.device().sensorCode, 4);
}

// A dialog that asks something, runs a child and then waits for its user.
class Asking : public DialogLogic {
public:
    class Child : public DialogLogic {
    public:
        int layout() const override { return 2; }
        void onCommand(int id) override {
            pressed = id;
            DialogLogic::onCommand(id);
        }
        int pressed = 0;
    };
    int layout() const override { return 1; }
    void onInit() override {
        answer = window().messageBox("UWAGA! Czy zapisać? ", BoxIcon::Information, BoxButtons::OkCancel);
        childResult = window().runChild(child);
    }
    Answer answer = Answer::Cancel;
    Child child;
    int childResult = 0;
};

TEST(ConsoleWindow, MessageBoxesAndChildDialogsTakeTheirDefaultAndAnIdleDialogEnds) {
    ConsoleRun run;
    Asking dialog;
    EXPECT_EQ(run.window.run(dialog), ConsoleWindow::End::Idle);
    EXPECT_EQ(dialog.answer, Answer::Ok);
    EXPECT_EQ(run.err.str(), "doxa-cli: UWAGA! Czy zapisać?\n");
    EXPECT_EQ(dialog.child.pressed, ResultOk);
    EXPECT_EQ(dialog.childResult, ResultOk);
}

TEST(Console, ShowsProgressOnlyOnATerminalAndWipesItBeforeAnError) {
    std::ostringstream pipe;
    Console piped(pipe, false);
    piped.progress("Czytanie danych");
    piped.error("Brak odpowiedzi ");
    EXPECT_EQ(pipe.str(), "doxa-cli: Brak odpowiedzi\n");

    std::ostringstream tty;
    Console terminal(tty, true);
    terminal.progress("Czytanie danych");
    terminal.progress("Czytanie danych");
    terminal.progress(" ");
    terminal.error("Zmień port szeregowy ");
    EXPECT_EQ(tty.str(), "\r\033[KCzytanie danych\r\033[Kdoxa-cli: Zmień port szeregowy\n");
}

}  // namespace
}  // namespace doxa::cli
