// The calibration commands of the menu: which tool the access level opens, DELTA, and the
// forced output that must not be forgotten when the program ends.

#include <gtest/gtest.h>

#include "app/application.h"
#include "dialog/command_ids.h"
#include "support/fake_shell.h"
#include "calibration/calib_dlg.h"
#include "calibration/calib_settings_dlg.h"
#include "calibration/calib_wizard_dlg.h"
#include "calibration/delta_dlg.h"
#include "calibration/output_current_dlg.h"
#include "support/sim_station.h"

namespace doxa::test {
namespace {

class CalibrationCommands : public ::testing::Test {
protected:
    SimStation sim;
    Station& station = sim.station;
    FakeShell shell{sim.clock};
    Application app{sim.station, shell};
};

TEST_F(CalibrationCommands, KalibracjaOpensTheCalibrationDialogWithTheMasterPassword) {
    station.enteredPassword = "qvzr";
    station.trafficLog.trafficLogPos = 40;
    EXPECT_TRUE(app.isEnabled(CmdCalibrate));
    app.onCommand(CmdCalibrate);
    EXPECT_EQ(shell.dialogsRun, std::vector<int>{CCalibrationDlg::Resource});
    // The log was cleared: it holds only the record of the byte that closed the dialog.
    EXPECT_EQ(station.trafficLog.trafficLogPos, 2);
}

TEST_F(CalibrationCommands, KalibracjaOtherwiseRunsTheWizardOnlyAfterOkWithAPhase) {
    struct Case {
        int button;
        bool checkInput;
        std::vector<int> shown;
    };
    const std::vector<int> settingsOnly{CCalibrationSettingsDlg::Resource};
    const std::vector<int> both{CCalibrationSettingsDlg::Resource, CCalibrationWizardDlg::Resource};
    for (const Case& t : {Case{ResultOk, true, both}, Case{ResultOk, false, settingsOnly},
                          Case{ResultCancel, true, settingsOnly}}) {
        FakeShell fresh(sim.clock);
        Application application(station, fresh);
        station.enteredPassword = "serwis";
        fresh.scripts[CCalibrationSettingsDlg::Resource] = [&](FakeWindow& window, DialogLogic&) {
            if (t.checkInput) window.click(CCalibrationSettingsDlg::Input);
            window.click(t.button);
        };
        application.onCommand(CmdCalibrate);
        EXPECT_EQ(fresh.dialogsRun, t.shown);
    }
}

TEST_F(CalibrationCommands, UstawDeltaNeedsTheMasterPasswordAndKeepsTheValue) {
    station.enteredPassword = "serwis";
    app.onCommand(CmdSetDelta);
    EXPECT_EQ(shell.messages, std::vector<std::string>{"Dostęp zabroniony"});
    EXPECT_TRUE(shell.dialogsRun.empty());

    station.enteredPassword = "qvzr";
    station.device.deltaValue = 5;
    shell.scripts[CDeltaDlg::Resource] = [](FakeWindow& window, DialogLogic&) {
        EXPECT_EQ(window.text(CDeltaDlg::Value), "5");
        window.type(CDeltaDlg::Value, "201");
        window.click(CDeltaDlg::Ok);
        EXPECT_FALSE(window.ended());
        window.type(CDeltaDlg::Value, "17");
        window.click(CDeltaDlg::Ok);
    };
    app.onCommand(CmdSetDelta);
    EXPECT_EQ(station.device.deltaValue, 17);
    EXPECT_EQ(sim.settings.readInt("DELTA", "DELTA", -1), 17);
}

// The technician forces 12 mA and closes the dialog: the main window says so, and leaving the
// program asks first whether to release the output.
TEST_F(CalibrationCommands, AForcedOutputIsShownAndReleasedAtExitOnRequest) {
    shell.scripts[COutputCurrentDlg::Resource] = [&](FakeWindow& window, DialogLogic&) {
        sim.clock.advance(2000);
        window.type(COutputCurrentDlg::Value, "12");
        window.click(COutputCurrentDlg::Set);
        sim.clock.advanceUntil([&] { return window.text(COutputCurrentDlg::Status) == "Wyjście ustawione"; }, 5000);
        window.click(COutputCurrentDlg::Close);
    };
    EXPECT_TRUE(app.forcedOutputNotice().empty());
    app.onCommand(CmdOutputCurrent);
    EXPECT_EQ(sim.device().fixedOutput, 12.0f);
    EXPECT_EQ(app.forcedOutputNotice(), "UWAGA: wyjście wymuszone");

    shell.choices = {Choice::Cancel};
    EXPECT_FALSE(app.mayClose());
    ASSERT_EQ(shell.questions.size(), 1u);
    EXPECT_EQ(shell.questions[0],
              "Wyjście przetwornika jest nadal ustawione na stałą wartość.\n"
              "Czy zwolnić wyjście przed zakończeniem programu?");
    EXPECT_EQ(sim.device().fixedOutput, 12.0f);

    // The release dialog runs by itself; no script is needed for it.
    shell.scripts.erase(COutputCurrentDlg::Resource);
    shell.scripts[COutputCurrentDlg::Resource] = [&](FakeWindow& window, DialogLogic&) {
        sim.clock.advanceUntil([&] { return window.ended(); }, 5000);
    };
    shell.choices = {Choice::Yes};
    EXPECT_TRUE(app.mayClose());
    EXPECT_FALSE(sim.device().fixedOutput);
    EXPECT_TRUE(app.forcedOutputNotice().empty());
    EXPECT_EQ(shell.questions.size(), 2u);
}

TEST_F(CalibrationCommands, TheQuestionComesBackWhileTheReleaseIsNotConfirmed) {
    station.outputForced = true;
    sim.transmitter->faults.drop.probability = 1;
    shell.scripts[COutputCurrentDlg::Resource] = [&](FakeWindow& window, DialogLogic&) {
        sim.clock.advance(3000);
        window.click(COutputCurrentDlg::Close);
    };
    shell.choices = {Choice::Yes, Choice::No};
    EXPECT_TRUE(app.mayClose());
    EXPECT_EQ(shell.questions.size(), 2u);
    EXPECT_TRUE(station.outputForced);
}

TEST_F(CalibrationCommands, NothingIsAskedWhenTheOutputIsNotForced) {
    EXPECT_TRUE(app.mayClose());
    EXPECT_TRUE(shell.questions.empty());
}

}  // namespace
}  // namespace doxa::test
