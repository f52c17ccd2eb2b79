// The warning to take the control loop out of automatic control: given by the menu commands
// before the first dialog of a session that forces the transmitter's output.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/application.h"
#include "app/port_dlg.h"
#include "calibration/calib_dlg.h"
#include "calibration/calib_procedure_dlg.h"
#include "calibration/calib_settings_dlg.h"
#include "calibration/calib_wizard_dlg.h"
#include "calibration/output_current_dlg.h"
#include "dialog/command_ids.h"
#include "support/fake_shell.h"
#include "support/sim_station.h"
#include "transmitter/ident_dlg.h"

namespace doxa::test {
namespace {

const std::string Warning =
    "Przed wymuszeniem wyjścia przetwornika przełącz pętlę sterowania na pracę ręczną: "
    "wartość wyjścia nie będzie odpowiadać pomiarowi.";

// A menu command that forces the output, and the dialog it opens (with the master password,
// "Kalibracja" opens the calibration dialog itself).
struct Forcing {
    int command;
    int dialog;
};
constexpr Forcing ForcingCommands[] = {
    {CmdOutputCurrent, COutputCurrentDlg::Resource},
    {CmdCalibrate, CCalibrationDlg::Resource},
    {CmdCalibrationProcedure, CCalibProcedureDlg::Resource},
};

// The program as it starts: COM1 stored, the transmitter identified.
struct Program {
    explicit Program(SimStation& sim) : sim(sim), shell(sim.clock), app(sim.station, shell) {
        shell.scripts[CInitDlg::Resource] = [&sim](FakeWindow& window, DialogLogic&) {
            sim.clock.advanceUntil(
                [&] { return window.ended() || window.text(CInitDlg::ProgressText) == "Koniec"; },
                60'000);
            window.click(CInitDlg::Close);
        };
        sim.settings.writeInt("COM", "COM", 0);
        app.startUp();
    }

    // What the dialogs opened after start-up.
    std::vector<int> dialogsOpened() const { return {shell.dialogsRun.begin() + 1, shell.dialogsRun.end()}; }

    SimStation& sim;
    FakeShell shell;
    Application app;
};

class LoopWarningTest : public ::testing::Test {
protected:
    LoopWarningTest() { sim.station.enteredPassword = "qvzr"; }

    SimStation sim;
};

TEST_F(LoopWarningTest, ComesBeforeTheFirstForcingDialogAndNotAgainInTheSession) {
    for (const Forcing& first : ForcingCommands) {
        Program program(sim);
        ASSERT_EQ(sim.station.lastRead->device.modelName, "DOXA-22");
        std::size_t warnedWhenOpened = 0;
        program.shell.scripts[first.dialog] = [&](FakeWindow&, DialogLogic&) {
            warnedWhenOpened = program.shell.warnings.size();
        };
        program.app.onCommand(first.command);
        EXPECT_EQ(warnedWhenOpened, 1u) << first.command;
        EXPECT_EQ(program.shell.warnings, std::vector<std::string>{Warning});

        for (const Forcing& next : ForcingCommands) program.app.onCommand(next.command);
        EXPECT_EQ(program.shell.warnings.size(), 1u) << first.command;
        EXPECT_EQ(program.dialogsOpened().size(), 4u) << first.command;
    }
}

TEST_F(LoopWarningTest, AnulujOpensNothingAndPutsNothingOnTheLine) {
    Program program(sim);
    const std::size_t written = sim.writes().size();
    ASSERT_GT(written, 0u) << "identification used the line";
    for (const Forcing& forcing : ForcingCommands) {
        sim.station.trafficLog.trafficLogPos = 40;
        program.shell.warningAnswers = {false};
        program.app.onCommand(forcing.command);
        EXPECT_TRUE(program.dialogsOpened().empty()) << forcing.command;
        EXPECT_EQ(sim.writes().size(), written) << forcing.command;
        EXPECT_EQ(sim.station.trafficLog.trafficLogPos, 40) << "the log is kept";
    }
    // A warning refused was not taken in: the next command asks again.
    program.app.onCommand(CmdOutputCurrent);
    EXPECT_EQ(program.shell.warnings.size(), 4u);
    EXPECT_EQ(program.dialogsOpened(), std::vector<int>{COutputCurrentDlg::Resource});
}

TEST_F(LoopWarningTest, ComesAgainForAnotherTransmitterPortOrRunNotForTheSameOneIdentifiedAgain) {
    Program program(sim);
    const auto warnings = [&] { return program.shell.warnings.size(); };
    program.app.onCommand(CmdOutputCurrent);
    ASSERT_EQ(warnings(), 1u);

    program.app.onCommand(CmdInitialize);
    program.app.onCommand(CmdOutputCurrent);
    EXPECT_EQ(warnings(), 1u) << "the same transmitter on the same line";

    sim.device().serialNumber = 4711;
    program.app.onCommand(CmdInitialize);
    ASSERT_EQ(sim.station.lastRead->device.serialNumber, 4711);
    program.app.onCommand(CmdOutputCurrent);
    EXPECT_EQ(warnings(), 2u) << "another transmitter was identified";

    program.shell.scripts[CPortDlg::Resource] = [](FakeWindow& window, DialogLogic&) {
        window.setSelection(CPortDlg::PortList, 1);
        window.click(CPortDlg::Ok);
    };
    program.app.onCommand(CmdPort);
    ASSERT_EQ(sim.station.link.portNumber, 1);
    program.app.onCommand(CmdOutputCurrent);
    EXPECT_EQ(warnings(), 3u) << "another port";

    Program restarted(sim);
    restarted.app.onCommand(CmdOutputCurrent);
    EXPECT_EQ(restarted.shell.warnings.size(), 1u) << "a new run of the program";
}

TEST_F(LoopWarningTest, SwitchedOffInTheSettingsMenuItNeverComes) {
    Program program(sim);
    EXPECT_TRUE(program.app.isEnabled(CmdLoopWarning));
    EXPECT_TRUE(program.app.isChecked(CmdLoopWarning)) << "on without a setting";

    program.app.onCommand(CmdLoopWarning);
    EXPECT_EQ(sim.settings.readInt("Ostrzezenia", "Petla", -1), 0);
    EXPECT_FALSE(program.app.isChecked(CmdLoopWarning));
    for (const Forcing& forcing : ForcingCommands) program.app.onCommand(forcing.command);
    EXPECT_TRUE(program.shell.warnings.empty());
    EXPECT_EQ(program.dialogsOpened().size(), 3u);

    program.app.onCommand(CmdLoopWarning);
    EXPECT_EQ(sim.settings.readInt("Ostrzezenia", "Petla", -1), 1);
    program.app.onCommand(CmdOutputCurrent);
    EXPECT_EQ(program.shell.warnings.size(), 1u);
}

// Without the master password "Kalibracja" starts with the settings dialog's own "UWAGA!" box;
// the loop warning comes when the wizard is about to open, and only then.
TEST_F(LoopWarningTest, TheWizardIsWarnedOfAfterTheCalibrationSettings) {
    struct Case {
        int settingsButton;
        bool warningOk;
        std::vector<int> opened;
        std::size_t warnings;
    };
    const int Settings = CCalibrationSettingsDlg::Resource;
    const int Wizard = CCalibrationWizardDlg::Resource;
    for (const Case& t : {Case{ResultOk, true, {Settings, Wizard}, 1}, Case{ResultOk, false, {Settings}, 1},
                          Case{ResultCancel, true, {Settings}, 0}}) {
        sim.station.enteredPassword = "serwis";
        Program program(sim);
        program.shell.scripts[Settings] = [&](FakeWindow& window, DialogLogic&) {
            ASSERT_EQ(window.boxes().size(), 1u);
            EXPECT_TRUE(window.boxes()[0].text.starts_with("UWAGA! Błędna kalibracja"));
            EXPECT_TRUE(program.shell.warnings.empty());
            window.click(CCalibrationSettingsDlg::Input);
            window.click(t.settingsButton);
        };
        program.shell.warningAnswers = {t.warningOk};
        program.app.onCommand(CmdCalibrate);
        EXPECT_EQ(program.dialogsOpened(), t.opened);
        EXPECT_EQ(program.shell.warnings.size(), t.warnings);
    }
}

}  // namespace
}  // namespace doxa::test
