#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QSplitter>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <algorithm>
#include <memory>
#include <vector>

#include "access/access.h"
#include "app/application.h"
#include "host/dialog_host.h"
#include "app/main_frame.h"
#include "access/password_change_dlg.h"
#include "access/password_dlg.h"
#include "app/toolbar_images.h"
#include "transmitter/settings_store.h"
#include "transmitter/station.h"

namespace doxa {
namespace {

QImage comparable(const QPixmap& pixmap) {
    return pixmap.toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

struct ToolbarCase {
    ToolbarCommands set;
    std::vector<int> documented;
};

TEST(AccessWindow, EachToolbarSetShowsItsCommandsWithBlankedSlotsDisabledButPictured) {
    const ToolbarCase cases[] = {
        {FullToolbar, {61204, 61205, 61206, 61207, 61208, 61213, 61209, 61210, 61211}},
        {StandardToolbar, {61204, 61205, 61206, 61207, 61208, 61213, 61209, 61212, 61212}},
        {ProgrammingToolbar, {61204, 61205, 61212, 61212, 61208, 61213, 61209, 61212, 61212}},
        {DisplayToolbar, {61204, 61212, 61212, 61212, 61208, 61213, 61212, 61212, 61212}},
    };
    MemorySettingsStore store;
    Station station(store);
    for (const ToolbarCase& c : cases) {
        MainFrame frame(station, c.set);
        Application application(station, frame);
        frame.attach(application);
        const QList<QAction*> actions = frame.toolbar()->actions();
        ASSERT_EQ(actions.size(), 9);
        for (int slot = 0; slot < 9; ++slot) {
            const int id = actions[slot]->data().toInt();
            EXPECT_EQ(id, c.documented[std::size_t(slot)]) << slot;
            EXPECT_EQ(comparable(actions[slot]->icon().pixmap(50, 50)),
                      comparable(toolbarImage(slot)))
                << slot;
            if (id == 61212) {
                EXPECT_FALSE(actions[slot]->isEnabled()) << slot;
            }
        }
        // The commands the toolbar offers in every set work from it.
        EXPECT_TRUE(actions[0]->isEnabled());
        EXPECT_TRUE(actions[4]->isEnabled());
    }
}

TEST(AccessWindow, TheMasterPasswordOpensTheLargeWindowWithRoomForTheTrafficLog) {
    MemorySettingsStore store;
    Station station(store);
    station.enteredPassword = "qvzr";
    MainFrame frame(station, FullToolbar, LargeWindow);
    frame.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
    EXPECT_EQ(frame.geometry().size(), QSize(750, 550));
    const QList<int> sizes = frame.splitter()->sizes();
    ASSERT_EQ(sizes.size(), 2);
    EXPECT_GT(sizes[1], 0);
    // Six tenths of the height for the main view, the rest for the log.
    EXPECT_NEAR(double(sizes[0]) / (sizes[0] + sizes[1]), 0.6, 0.02);

    station.enteredPassword = "serw1";
    MainFrame service(station, FullToolbar, LargeWindow);
    service.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&service));
    EXPECT_EQ(service.splitter()->sizes()[1], 0);
}

// Protection on and three passwords: the start-up asks before any window exists.
TEST(AccessWindow, StartUpAsksForThePasswordBeforeTheWindowAndBuildsItForTheLevel) {
    struct Case {
        const char* typed;
        int firstBlankSlot;  // -1: none
        QSize size;
        bool logPane;
    };
    for (const Case& c : {Case{"qvzr", -1, {750, 550}, true}, Case{"", 1, {550, 130}, false},
                          Case{"prog3", 2, {550, 130}, false}}) {
        MemorySettingsStore store;
        store.writeText("PASSWORD", "P0", "1");
        store.writeText("PASSWORD", "P1", "serw1");
        store.writeText("PASSWORD", "P2", "kal2");
        store.writeText("PASSWORD", "P3", "prog3");
        Station station(store);
        QString asked;
        bool windowsBefore = true;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<DialogHost*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            asked = dialog->windowTitle();
            const QWidgetList windows = QApplication::topLevelWidgets();
            windowsBefore = std::any_of(windows.begin(), windows.end(),
                                        [](QWidget* w) { return qobject_cast<MainFrame*>(w); });
            QTest::keyClicks(dialog->control(CPasswordDlg::Password), c.typed);
            qobject_cast<QAbstractButton*>(dialog->control(CPasswordDlg::Ok))->click();
        });
        const std::unique_ptr<MainFrame> frame = createMainFrame(station);
        EXPECT_EQ(asked, "Hasło");
        EXPECT_FALSE(windowsBefore);
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
        frame->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(frame.get()));
        EXPECT_EQ(frame->geometry().size(), c.size) << c.typed;
        EXPECT_EQ(frame->splitter()->sizes()[1] > 0, c.logPane) << c.typed;
        const QList<QAction*> actions = frame->toolbar()->actions();
        int firstBlank = -1;
        for (int slot = 8; slot >= 0; --slot)
            if (actions[slot]->data().toInt() == CmdBlank) firstBlank = slot;
        EXPECT_EQ(firstBlank, c.firstBlankSlot) << c.typed;
    }
}

TEST(AccessWindow, ThePasswordFieldsMaskAndLimitWhatIsTyped) {
    MemorySettingsStore store;
    store.writeText("PASSWORD", "P2", "kal2");
    Station station(store);
    station.enteredPassword = "old";

    CPasswordDlg entry(station);
    DialogHost entryHost(entry, nullptr);
    auto* field = qobject_cast<QLineEdit*>(entryHost.control(CPasswordDlg::Password));
    ASSERT_NE(field, nullptr);
    EXPECT_EQ(entryHost.windowTitle(), "Hasło");
    EXPECT_EQ(field->echoMode(), QLineEdit::Password);
    QTimer::singleShot(0, [&] {
        QTest::keyClicks(field, "Tajne12345");
        QTest::keyClick(field, Qt::Key_Return);
    });
    EXPECT_EQ(entryHost.run(), ResultOk);
    EXPECT_EQ(station.enteredPassword, "Tajne123");

    CPasswordChangeDlg change(station);
    DialogHost changeHost(change, nullptr);
    EXPECT_EQ(changeHost.windowTitle(), "Zmień hasło");
    auto* edit = qobject_cast<QLineEdit*>(changeHost.control(CPasswordChangeDlg::Password));
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->echoMode(), QLineEdit::Normal);
    QTimer::singleShot(0, [&] {
        qobject_cast<QRadioButton*>(changeHost.control(CPasswordChangeDlg::Calibration))->click();
        EXPECT_EQ(edit->text(), "kal2");
        edit->clear();
        QTest::keyClicks(edit, "NoweHaslo");
        EXPECT_EQ(edit->text(), "nowehasl");
        qobject_cast<QAbstractButton*>(changeHost.control(CPasswordChangeDlg::Store))->click();
        qobject_cast<QCheckBox*>(changeHost.control(CPasswordChangeDlg::Protection))->click();
        changeHost.reject();
    });
    changeHost.run();
    EXPECT_EQ(store.readText("PASSWORD", "P2", ""), "nowehasl");
    EXPECT_EQ(store.readText("PASSWORD", "P0", ""), "1");
}

}  // namespace
}  // namespace doxa
