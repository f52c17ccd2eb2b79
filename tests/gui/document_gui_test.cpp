#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QFileDialog>
#include <QMenu>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QTimer>

#include "app/application.h"
#include "dialog/command_ids.h"
#include "sim/line_factory.h"
#include "app/main_frame.h"
#include "programming/prog_dlg.h"
#include "support/fake_window.h"
#include "support/gui/start_up_driver.h"
#include "support/virtual_clock.h"
#include "transmitter/settings_store.h"
#include "transmitter/station.h"

namespace doxa {
namespace {

// The technician picks `path` in the file dialog that is about to open.
void pickInNextFileDialog(const QString& path) {
    QTimer::singleShot(0, [path] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->nameFilters(), QStringList{"Dane DOXA(*.prg)"});
        dialog->selectFile(path);
        QMetaObject::invokeMethod(dialog, "accept");
    });
}

class DocumentWindow : public ::testing::Test {
protected:
    DocumentWindow() {
        store.writeInt("COM", "COM", 1);
        store.writeText("Porty", "COM2", "sim:RIVO-22");
        station.makeLine = makeLineFactory(store);
        frame.attach(application);
        frame.show();
    }

    QAction* command(int id) {
        for (QAction* action : frame.menuBar()->findChildren<QAction*>())
            if (action->data().toInt() == id && action->isVisible()) return action;
        return nullptr;
    }
    QMenu* fileMenu() { return frame.menuBar()->actions().front()->menu(); }

    QTemporaryDir folder;
    MemorySettingsStore store;
    Station station{store};
    MainFrame frame{station};
    Application application{station, frame};
};

// "Eksport CSV..." asks with CSV files offered and the name given, and adds their suffix to a
// name typed without one.
TEST_F(DocumentWindow, TheCsvSaveDialogOffersCsvFilesAndAddsTheirSuffix) {
    QTimer::singleShot(0, [this] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->nameFilters(), QStringList{"Pliki CSV (*.csv)"});
        EXPECT_EQ(dialog->selectedFiles().value(0).section('/', -1), "historia-4242.csv");
        dialog->selectFile(folder.filePath("exp3"));
        QMetaObject::invokeMethod(dialog, "accept");
    });
    EXPECT_EQ(frame.askCsvSavePath("historia-4242.csv"), folder.filePath("exp3.csv").toStdString());
}

TEST_F(DocumentWindow, SaveNewAndOpenFromTheRecentListBringsTheConfigurationBack) {
    test::startUpUntilIdentified(application, {});
    ASSERT_EQ(station.device.modelName, "RIVO-22");
    EXPECT_EQ(frame.windowTitle(), "DOXA - DOXA WIN 7.1.32 ");
    // What identification read, with another range and a characteristic of 32 points on top.
    station.device.rangeMin = -12.5F;
    station.device.rangeMax = 160.0F;
    const DeviceRecord identified = station.device;
    station.characteristic.characteristicCount = 32;
    station.characteristic.characteristicTable[31] = 400.0F;
    station.characteristic.characteristicTable[63] = 410.0F;

    emit fileMenu()->aboutToShow();
    EXPECT_TRUE(command(CmdRecentFile) && !command(CmdRecentFile)->isEnabled())
        << "\"Poprzednie\" stands disabled for an empty list";

    pickInNextFileDialog(folder.filePath("rivo"));
    command(CmdSave)->trigger();
    EXPECT_EQ(frame.windowTitle(), "rivo.prg - DOXA WIN 7.1.32 ");

    command(CmdNew)->trigger();
    EXPECT_EQ(frame.windowTitle(), "DOXA - DOXA WIN 7.1.32 ");
    EXPECT_EQ(station.device.modelName, "");
    EXPECT_EQ(station.device.rangeMin, 100.0F);
    station.characteristic = Characteristic{};

    emit fileMenu()->aboutToShow();
    QAction* first = command(CmdRecentFile);
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(first->text().startsWith("&1 ")) << "the placeholder gave way to the list";
    EXPECT_TRUE(first->text().endsWith("rivo.prg"));
    first->trigger();

    EXPECT_EQ(frame.windowTitle(), "rivo.prg - DOXA WIN 7.1.32 ");
    const DeviceRecord& loaded = station.device;
    EXPECT_EQ(loaded.modelName, "RIVO-22");
    EXPECT_EQ(loaded.sensorType, identified.sensorType);
    EXPECT_EQ(loaded.rangeMin, identified.rangeMin);
    EXPECT_EQ(loaded.rangeMax, identified.rangeMax);
    EXPECT_EQ(loaded.filterTime, identified.filterTime);
    EXPECT_EQ(loaded.filterOrder, identified.filterOrder);
    EXPECT_EQ(loaded.breakSignal, identified.breakSignal);
    EXPECT_EQ(loaded.serialNumber, identified.serialNumber);
    EXPECT_EQ(station.characteristic.characteristicCount, 32);
    EXPECT_EQ(station.characteristic.characteristicTable[31], 400.0F);
    EXPECT_EQ(station.characteristic.characteristicTable[63], 410.0F);

    // The programming dialog starts from the loaded file, so "Wyślij" would write it.
    test::VirtualClock clock;
    CProgDlg programming(station);
    test::FakeWindow programmingWindow(programming, clock);
    ASSERT_TRUE(programmingWindow.open());
    EXPECT_EQ(programmingWindow.text(CProgDlg::RangeMin), "-12.5");
    EXPECT_EQ(programmingWindow.text(CProgDlg::RangeMax), "160");
    programmingWindow.end(ResultCancel);

    // "Pobierz..." reaches the same file through the open dialog.
    command(CmdNew)->trigger();
    pickInNextFileDialog(folder.filePath("rivo.prg"));
    command(CmdOpen)->trigger();
    EXPECT_EQ(station.device.rangeMax, identified.rangeMax);
    EXPECT_EQ(frame.windowTitle(), "rivo.prg - DOXA WIN 7.1.32 ");
    frame.close();
}

}  // namespace
}  // namespace doxa
