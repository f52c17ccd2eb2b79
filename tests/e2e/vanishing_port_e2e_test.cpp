// The simulator on a pseudo-terminal ends while the live display polls it and is started again
// on the same link: the display tells the technician, lets the dead port go, and carries on by
// itself once the transmitter is back.

#include <gtest/gtest.h>

#include <QMessageBox>
#include <QPushButton>
#include <string>
#include <vector>

#include "dialog/command_ids.h"
#include "host/dialog_host.h"
#include "support/gui/program_on_pty.h"

namespace doxa {
namespace {

enum : int { PrimaryValue = 101, LineErrorText = 131 };

// A number, not the layout's dots nor the blank of missed answers.
bool showsValue(const std::string& text) {
    return text.find_first_of("0123456789") != std::string::npos;
}

TEST(VanishingPort, LiveDisplayCarriesOnWhenTheSimulatorIsBack) {
    test::ProgramOnPty pty({"--model", "DOXA-22"});
    ASSERT_TRUE(pty.linked());
    const Station& station = pty.station;

    enum class Step { Polling, Ended, Restarted, Done } step = Step::Polling;
    bool sawPortError = false;
    pty.runCommand(CmdDisplay, [&](QWidget* modal) {
        // "Sprawdź połączenie z przetwornikiem" may come while the simulator is away.
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            box->accept();
            return false;
        }
        auto* dialog = qobject_cast<DialogHost*>(modal);
        if (!dialog) return false;
        sawPortError = sawPortError || dialog->text(LineErrorText) == "Error CE_IOE";
        const std::string value = dialog->text(PrimaryValue);
        switch (step) {
            case Step::Polling:
                if (!showsValue(value)) return false;
                EXPECT_EQ(pty.sim().stop(), 0);
                step = Step::Ended;
                break;
            case Step::Ended:
                // Restarted once the dead port is let go and the value has been blanked.
                if (station.link.portOpen != 0 || showsValue(value)) return false;
                EXPECT_TRUE(pty.startSimulatorAgain());
                step = Step::Restarted;
                break;
            case Step::Restarted:
                if (!showsValue(value)) return false;
                step = Step::Done;
                qobject_cast<QPushButton*>(dialog->control(ResultOk))->click();
                break;
            case Step::Done:
                break;
        }
        return false;
    }, 40000);

    EXPECT_EQ(step, Step::Done);
    EXPECT_TRUE(sawPortError);
    EXPECT_EQ(station.link.portOpen, 1);
    EXPECT_TRUE(pty.messages.empty());
    pty.frame.close();
    EXPECT_EQ(pty.sim().stop(), 0);
}

// The simulator ends while a programming sequence writes: the sequence neither hangs nor claims
// success, the technician sees why, and "Wyślij" programs the transmitter once it is back.
TEST(VanishingPort, ProgrammingSaysNotSavedAndSavesOnceTheSimulatorIsBack) {
    enum : int { SendButton = 132, CloseButton = 2, StepText = 142, ReplyText = 143 };
    test::ProgramOnPty pty({"--model", "DOXA-22"}, {{"BAUD", "BAUD", 3}});
    ASSERT_TRUE(pty.linked());

    enum class Step { Identifying, Writing, Failed, Restarted, Done } step = Step::Identifying;
    std::vector<std::string> boxes;
    bool sawPortError = false;
    const auto ended = [&] { return !boxes.empty() && boxes.back().starts_with("Dane"); };
    pty.runCommand(CmdProgram, [&](QWidget* modal) {
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            boxes.push_back(box->text().toStdString());
            box->accept();
            return false;
        }
        auto* dialog = qobject_cast<DialogHost*>(modal);
        if (!dialog) return false;
        sawPortError = sawPortError || dialog->text(ReplyText) == "Error CE_IOE";
        const auto press = [&](int id) { qobject_cast<QPushButton*>(dialog->control(id))->click(); };
        switch (step) {
            case Step::Identifying:
                if (dialog->text(StepText) != "Przetwornik rozpoznany") return false;
                boxes.clear();
                press(SendButton);
                EXPECT_EQ(pty.sim().stop(), 0);
                step = Step::Writing;
                break;
            case Step::Writing:
                if (!ended()) return false;
                EXPECT_EQ(boxes.back(), "Dane nie zostały zapisane prawidłowo");
                EXPECT_TRUE(pty.startSimulatorAgain());
                step = Step::Failed;
                break;
            case Step::Failed:
                boxes.clear();
                press(SendButton);
                step = Step::Restarted;
                break;
            case Step::Restarted:
                if (!ended()) return false;
                EXPECT_EQ(boxes.back(), "Dane zostały zapisane");
                step = Step::Done;
                press(CloseButton);
                break;
            case Step::Done:
                break;
        }
        return false;
    }, 60000);

    EXPECT_EQ(step, Step::Done);
    EXPECT_TRUE(sawPortError);
    EXPECT_TRUE(pty.messages.empty());
    pty.frame.close();
    EXPECT_EQ(pty.sim().stop(), 0);
}

}  // namespace
}  // namespace doxa
