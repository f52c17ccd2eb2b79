// The finder finds doxa-sim set to address 5, 9600 baud without parity, on a pseudo-terminal
// through the real serial line and the real dialog, and the program takes the settings over.

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>

#include "dialog/command_ids.h"
#include "host/dialog_host.h"
#include "service/finder_dlg.h"
#include "support/gui/program_on_pty.h"

namespace doxa {
namespace {

using F = CFinderDlg;

TEST(FinderOnPty, FindsTheSimulatorAtItsAddressSpeedAndParity) {
    test::ProgramOnPty pty(
        {"--address", "5", "--baud", "9600", "--parity", "none", "--serial", "4242"});
    ASSERT_TRUE(pty.linked());
    const Station& station = pty.station;

    // The technician: RS485, addresses 5..5, "Szukaj"; then the offer is accepted.
    bool started = false;
    std::string offer;
    std::vector<std::string> listed;
    pty.runCommand(CmdFindTransmitter, [&](QWidget* modal) {
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            offer = box->text().toStdString();
            if (auto* dialog = qobject_cast<DialogHost*>(box->parentWidget())) {
                auto* list = qobject_cast<QListWidget*>(dialog->control(F::Results));
                for (int i = 0; list && i < list->count(); ++i)
                    listed.push_back(list->item(i)->text().toStdString());
            }
            box->button(QMessageBox::Ok)->click();
            return false;
        }
        auto* dialog = qobject_cast<DialogHost*>(modal);
        if (!dialog || started) return false;
        started = true;
        qobject_cast<QRadioButton*>(dialog->control(F::Rs485))->click();
        qobject_cast<QLineEdit*>(dialog->control(F::AddressFrom))->setText("5");
        qobject_cast<QLineEdit*>(dialog->control(F::AddressTo))->setText("5");
        qobject_cast<QPushButton*>(dialog->control(F::SearchStop))->click();
        return false;
    }, 30000);

    EXPECT_TRUE(started);
    EXPECT_EQ(listed,
              (std::vector<std::string>{"adres 5: DOXA-22, nr 4242, 9600 bit/s, bez parzystości"}));
    EXPECT_NE(offer.find("COM3: adres 5: DOXA-22"), std::string::npos) << offer;
    EXPECT_EQ(station.link.transmissionMode, ModeRs485);
    EXPECT_EQ(station.link.baudIndex, 2);
    EXPECT_EQ(station.link.parityOff, 1);
    EXPECT_EQ(station.device.pollingAddress, 5);
    EXPECT_EQ(pty.store.readInt("BAUD", "BAUD", -1), 2);
    EXPECT_TRUE(pty.messages.empty());
    EXPECT_EQ(pty.sim().stop(), 0);
}

}  // namespace
}  // namespace doxa
