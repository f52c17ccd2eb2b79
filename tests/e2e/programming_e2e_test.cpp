// doxa-win programs doxa-sim on a pseudo-terminal through the real serial line, the way a
// technician does it: "Programowanie", a new range and filter, "Wyślij", "Dane zostały zapisane";
// then "Inicjalizacja" reads the new configuration back from the simulator.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <algorithm>
#include <string>
#include <vector>

#include "dialog/command_ids.h"
#include "host/dialog_host.h"
#include "support/gui/program_on_pty.h"
#include "support/gui/start_up_driver.h"

namespace doxa {
namespace {

enum : int {
    RangeMinEdit = 102,
    RangeMaxEdit = 103,
    FilterOrder2 = 139,
    StepText = 142,
    SendButton = 132,
    AddressEdit = 101,
    ProgramAddressBox = 147,
    CloseButton = 2,
    IdentRangeMin = 134,
    IdentRangeMax = 135,
    IdentFilter = 138,
    IdentProgress = 143,
};

template <typename Widget>
Widget* control(DialogHost* dialog, int id) {
    return qobject_cast<Widget*>(dialog->control(id));
}

struct Case {
    const char* name;
    int rs485;
    // A transmitter that answers otherwise where the documentation leaves room, given a new
    // address as well.
    bool otherwise = false;
};

class ProgrammingOnPty : public ::testing::TestWithParam<Case> {};

TEST_P(ProgrammingOnPty, TheSimulatorKeepsWhatWasProgrammed) {
    const bool rs485 = GetParam().rs485 != 0;
    std::vector<std::string> simArgs{"--model", "DOXA-22"};
    if (GetParam().otherwise) simArgs.insert(simArgs.end(), {"--documented-bits", "--answer-from-new-address"});
    test::ProgramOnPty pty(simArgs, {{"Transmisja", "RS485", rs485 ? 1 : 0}, {"BAUD", "BAUD", 3}});
    ASSERT_TRUE(pty.linked());
    test::startUpUntilIdentified(pty.application, {});
    ASSERT_EQ(pty.station.device.modelName, "DOXA-22");

    std::vector<std::string> boxes;
    bool sent = false;
    const auto finished = [&] { return !boxes.empty() && boxes.back().starts_with("Dane"); };
    pty.runCommand(CmdProgram, [&](QWidget* modal) {
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            boxes.push_back(box->text().toStdString());
            box->button(QMessageBox::Ok)->click();
            return false;
        }
        auto* dialog = qobject_cast<DialogHost*>(modal);
        if (!dialog) return false;
        if (finished()) {
            control<QPushButton>(dialog, CloseButton)->click();
            return true;
        }
        if (sent) return false;
        if (!rs485 && dialog->text(StepText) != "Przetwornik rozpoznany") return false;
        control<QLineEdit>(dialog, RangeMinEdit)->setText("-20");
        control<QLineEdit>(dialog, RangeMaxEdit)->setText("120.5");
        control<QRadioButton>(dialog, FilterOrder2)->click();
        if (GetParam().otherwise) {
            control<QCheckBox>(dialog, ProgramAddressBox)->click();
            control<QLineEdit>(dialog, AddressEdit)->setText("5");
        }
        control<QPushButton>(dialog, SendButton)->click();
        sent = true;
        return false;
    }, 60000);
    ASSERT_FALSE(boxes.empty());
    EXPECT_EQ(boxes.back(), "Dane zostały zapisane");
    EXPECT_EQ(std::count(boxes.begin(), boxes.end(), "Błąd w programowaniu adresu !"), 0);
    if (GetParam().otherwise) {
        EXPECT_EQ(pty.station.device.pollingAddress, 5);
        EXPECT_EQ(pty.store.readInt("Polling_adres", "ADRES", -1), 5);
    }

    std::string rangeMin, rangeMax, filter;
    pty.runCommand(CmdInitialize, [&](QWidget* modal) {
        auto* dialog = qobject_cast<DialogHost*>(modal);
        if (!dialog || dialog->text(IdentProgress) != "Koniec") return false;
        rangeMin = dialog->text(IdentRangeMin);
        rangeMax = dialog->text(IdentRangeMax);
        filter = dialog->text(IdentFilter);
        control<QPushButton>(dialog, 1)->click();
        return true;
    }, 60000);
    EXPECT_EQ(rangeMin, " -20. °C");
    EXPECT_EQ(rangeMax, " 120.5 °C");
    EXPECT_TRUE(filter.ends_with(",rząd: 2")) << filter;
    EXPECT_TRUE(pty.messages.empty());
    pty.frame.close();
    EXPECT_EQ(pty.sim().stop(), 0);
}

INSTANTIATE_TEST_SUITE_P(BothModes, ProgrammingOnPty,
                         ::testing::Values(Case{"Hart", 0}, Case{"Rs485", 1},
                                           Case{"HartAnsweredOtherwise", 0, true}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace doxa
