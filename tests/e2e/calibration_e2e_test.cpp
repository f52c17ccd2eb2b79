// The calibration wizard calibrates doxa-sim's output on a pseudo-terminal through the real
// serial line and the real dialogs, as a technician without the master password does it: the
// warning, the settings, the two measured values, and the simulator keeps what was sent.

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

#include "dialog/command_ids.h"
#include "host/dialog_host.h"
#include "support/gui/program_on_pty.h"

namespace doxa {
namespace {

enum : int { Output = 111, All = 115, Value = 101, Instruction = 133, Send = 143, ReadInput = 144 };

void click(DialogHost& dialog, int id) { qobject_cast<QAbstractButton*>(dialog.control(id))->click(); }

// Plays the technician: answers the warning, picks the output phase, types the two readings of
// the external meter as they are asked for, once the prompt has stood still for a while (the
// output needs its time to settle before the meter is read).
class Technician {
public:
    std::vector<std::string> typed;

    void act(QWidget* modal) {
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            box->button(QMessageBox::Ok)->click();
            return;
        }
        auto* dialog = qobject_cast<DialogHost*>(modal);
        if (!dialog) return;
        if (dialog->control(All)) {
            click(*dialog, Output);
            click(*dialog, ResultOk);
            return;
        }
        if (!dialog->control(ReadInput) || !dialog->control(Send)->isEnabled()) return;
        const std::string value = dialog->text(Value);
        if (dialog->text(Instruction) != "Wpisz wartość prądu" || !dialog->control(Value)->isVisible()) return;
        const char* reading = value == "5.6" ? "5.58" : value == "18.4" ? "18.43" : nullptr;
        if (!reading || (!typed.empty() && typed.back() == reading)) return;
        if (value != seen_) {
            seen_ = value;
            steady_.start();
        }
        if (steady_.elapsed() < SettleMs) return;
        dialog->setText(Value, reading);
        typed.emplace_back(reading);
        click(*dialog, Send);
    }

private:
    static constexpr int SettleMs = 3000;
    std::string seen_;
    QElapsedTimer steady_;
};

class WizardOnPty : public ::testing::TestWithParam<int> {};

TEST_P(WizardOnPty, CalibratesTheOutputOfTheSimulator) {
    const int rs485 = GetParam();
    test::ProgramOnPty pty({"--model", "DOXA-22"});
    ASSERT_TRUE(pty.linked());
    Station& station = pty.station;
    station.link.transmissionMode = rs485;
    station.link.baudIndex = rs485 ? 3 : 0;
    station.link.replyWait = rs485 ? 20 : 300;

    Technician technician;
    // Runs the settings and the wizard modally.
    pty.runCommand(
        CmdCalibrate,
        [&](QWidget* modal) {
            technician.act(modal);
            return false;
        },
        60000);

    EXPECT_EQ(technician.typed, (std::vector<std::string>{"5.58", "18.43"}));
    EXPECT_EQ(station.calibrationOptions, 2);
    EXPECT_FALSE(station.outputForced);
    pty.frame.close();
    const std::string printed = pty.sim().output();
    EXPECT_NE(printed.find("output 5.58..18.4 mA"), std::string::npos) << printed;
    EXPECT_NE(printed.find("output 5.58..18.43 mA"), std::string::npos) << printed;
    EXPECT_EQ(pty.sim().stop(), 0);
}

INSTANTIATE_TEST_SUITE_P(BothModes, WizardOnPty, ::testing::Values(0, 1),
                         [](const auto& info) { return info.param ? "Rs485" : "Hart"; });

}  // namespace
}  // namespace doxa
