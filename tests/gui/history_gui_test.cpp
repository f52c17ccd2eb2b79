// "Historia przetwornika..." in the main window's menu opens the history on its layout.

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QTimer>

#include "app/application.h"
#include "app/main_frame.h"
#include "dialog/command_ids.h"
#include "history/history_dlg.h"
#include "support/fake_history.h"
#include "transmitter/settings_store.h"
#include "transmitter/station.h"

namespace doxa {
namespace {

TEST(HistoryWindow, TheMenuEntryShowsTheTransmittersOfTheHistory) {
    MemorySettingsStore store;
    Station station(store);
    MainFrame frame(station);
    Application application(station, frame);
    frame.attach(application);
    test::FakeHistory history;
    history.stored = {{"2025-03-02T11:00:00Z", "jan", {}}};
    history.stored.front().record.model = "DOXA-22";
    history.stored.front().record.serial = 100;

    QAction* entry = nullptr;
    for (QAction* action : frame.menuBar()->findChildren<QAction*>())
        if (action->data().toInt() == CmdHistory) entry = action;
    ASSERT_NE(entry, nullptr);
    EXPECT_FALSE(application.isEnabled(CmdHistory));
    test::QueuedRunner runner(history, true);
    application.showHistoryFrom(history, runner);
    EXPECT_TRUE(application.isEnabled(CmdHistory));

    // Enabled states are asked for when the menu opens.
    emit frame.menuBar()->actions().front()->menu()->aboutToShow();
    ASSERT_TRUE(entry->isEnabled());

    QString title;
    QStringList transmitters;
    // Reads and closes the dialog the menu entry opens, once it has taken the history's answers.
    QTimer::singleShot(10 * CHistoryDlg::AnswerPollMs, [&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        title = dialog->windowTitle();
        for (const char* name : {"c102", "c111", "c112", "c113", "c114", "c115", "c121", "c131", "c103", "c105", "c106"})
            EXPECT_NE(dialog->findChild<QWidget*>(name), nullptr) << name;
        if (auto* list = dialog->findChild<QListWidget*>("c101"))
            for (int row = 0; row < list->count(); ++row) transmitters << list->item(row)->text();
        dialog->reject();
    });
    entry->trigger();
    EXPECT_EQ(title, "Historia przetwornika");
    EXPECT_EQ(transmitters, QStringList{"DOXA-22   nr 100   2025-03-02 11:00:00"});
}

}  // namespace
}  // namespace doxa
