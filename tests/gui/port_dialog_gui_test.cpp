// "Ustawienia" → "Port" on its layout, with the devices of a fake /dev tree in which doxa-sim's
// pseudo-terminal is linked by id, as udev links a USB adapter.

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QElapsedTimer>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <cstdlib>

#include "app/application.h"
#include "app/main_frame.h"
#include "app/port_dlg.h"
#include "dialog/command_ids.h"
#include "support/fake_device_tree.h"
#include "support/sim_process.h"
#include "transmitter/settings_store.h"
#include "transmitter/station.h"

namespace doxa {
namespace {

constexpr const char* Adapter = "usb-Doxa_Sim_Adapter_X1Y2-if00-port0";

QStringList rows(const QListWidget& list) {
    QStringList texts;
    for (int row = 0; row < list.count(); ++row) texts << list.item(row)->text();
    return texts;
}

TEST(PortDialogWindow, APseudoTerminalLinkedByIdIsListedFollowedAndMappedToTheChosenComName) {
    test::FakeDeviceTree tree;
    tree.addNode("ttyUSB1");
    test::SimProcess sim({"--model", "DOXA-22"}, tree.byId(Adapter));
    ASSERT_TRUE(sim.linked());
    ::setenv("DOXA_DEVICE_ROOT", tree.root().c_str(), 1);

    MemorySettingsStore store;
    Station station(store);
    MainFrame frame(station);
    Application application(station, frame);
    frame.attach(application);
    QAction* entry = nullptr;
    for (QAction* action : frame.menuBar()->findChildren<QAction*>())
        if (action->data().toInt() == CmdPort) entry = action;
    ASSERT_NE(entry, nullptr);

    QStringList listed, afterUnplug;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        auto* devices = dialog->findChild<QListWidget*>("c149");
        auto* ports = dialog->findChild<QComboBox*>("c148");
        if (devices && ports) {
            listed = rows(*devices);
            // Pulled out: the folder notification updates the list well before the periodic look.
            tree.remove("ttyUSB1");
            QElapsedTimer waited;
            waited.start();
            while (devices->count() == listed.size() && waited.elapsed() < CPortDlg::RefreshMs / 2) QTest::qWait(10);
            afterUnplug = rows(*devices);
            ports->setCurrentIndex(2);
            emit ports->activated(2);
            devices->setCurrentRow(0);
        }
        // Closed whatever was found, so that a failure cannot leave the test waiting.
        dialog->findChild<QPushButton*>("c1")->click();
    });
    entry->trigger();
    ::unsetenv("DOXA_DEVICE_ROOT");

    ASSERT_EQ(listed.size(), 2);
    EXPECT_TRUE(listed[0].startsWith(QString::fromStdString(tree.byId(Adapter).string()) + " (/dev/pts/")) << listed[0].toStdString();
    EXPECT_TRUE(listed[0].endsWith(" – urządzenie szeregowe")) << listed[0].toStdString();
    EXPECT_EQ(afterUnplug.join("\n").toStdString(), listed.mid(0, 1).join("\n").toStdString());
    EXPECT_EQ(store.readText("Porty", "COM3", ""), tree.byId(Adapter).string());
    EXPECT_EQ(store.readInt("COM", "COM", -1), 2);
}

}  // namespace
}  // namespace doxa
