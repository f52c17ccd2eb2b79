#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QGuiApplication>
#include <QScreen>
#include <QSplitter>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>
#include <memory>

#include "access/access.h"
#include "app/application.h"
#include "app/main_frame.h"
#include "app/qt_settings_store.h"
#include "dialog/command_ids.h"
#include "host/window_memory.h"
#include "transmitter/station.h"

namespace doxa {
namespace {

// One run of doxa-win on the settings file at `path`, as far as its main window goes.
struct DoxaWinRun {
    explicit DoxaWinRun(const QString& path, const WindowPlacement& placement = SmallWindow)
        : settings(path),
          station(settings),
          frame(station, StandardToolbar, placement),
          application(station, frame) {
        takeDoxaWinDefaults(settings);
        frame.attach(application);
    }
    QtSettingsStore settings;
    Station station;
    MainFrame frame;
    Application application;
};

// Runs `answer` on the file dialog a command opens, once it is up.
void onFileDialog(std::function<void(QFileDialog&)> answer) {
    QTimer::singleShot(0, [answer] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        answer(*dialog);
    });
}

// The folder the next file dialog starts in; it is cancelled.
QString startFolder(const std::function<void()>& open) {
    QString folder;
    onFileDialog([&folder](QFileDialog& dialog) {
        folder = dialog.directory().absolutePath();
        dialog.reject();
    });
    open();
    return folder;
}

class DesktopMemory : public ::testing::Test {
protected:
    QString settingsFile() const { return dir.filePath(QStringLiteral("doxa-win/doxa-win.ini")); }
    QString folder(const QString& name) const {
        QDir(dir.path()).mkpath(name);
        return dir.filePath(name);
    }
    QTemporaryDir dir;
};

TEST_F(DesktopMemory, TheMainWindowOpensWhereAndAsLargeAsItWasClosed) {
    {
        DoxaWinRun first(settingsFile());
        first.frame.show();
        first.frame.move(120, 90);
        first.frame.resize(640, 300);
        first.frame.close();
    }
    DoxaWinRun second(settingsFile());
    EXPECT_EQ(second.frame.pos(), QPoint(120, 90));
    EXPECT_EQ(second.frame.size(), QSize(640, 300));
    second.frame.show();
    EXPECT_EQ(second.frame.pos(), QPoint(120, 90));
    // The master password's larger window keeps its own first place until it was moved itself.
    DoxaWinRun master(settingsFile(), LargeWindow);
    EXPECT_EQ(QRect(master.frame.pos(), master.frame.size()), QRect(10, 10, 750, 550));
}

// The master password's window shows the traffic log below the main view; the split the
// technician chose comes back with the window.
TEST_F(DesktopMemory, TheSplitBetweenTheViewAndTheTrafficLogIsKept) {
    QList<int> chosen;
    {
        DoxaWinRun first(settingsFile(), LargeWindow);
        first.frame.show();
        first.frame.splitter()->setSizes({150, 300});
        QApplication::processEvents();
        chosen = first.frame.splitter()->sizes();
        first.frame.close();
    }
    ASSERT_GT(chosen.at(1), chosen.at(0));
    DoxaWinRun second(settingsFile(), LargeWindow);
    second.frame.show();
    QApplication::processEvents();
    EXPECT_EQ(second.frame.splitter()->sizes(), chosen);
    // The small window has its own split: its traffic log starts closed, as always.
    DoxaWinRun small(settingsFile());
    small.frame.show();
    QApplication::processEvents();
    EXPECT_EQ(small.frame.splitter()->sizes().at(1), 0);
}

TEST_F(DesktopMemory, AMaximisedMainWindowOpensMaximisedAndGoesBackToItsNormalPlace) {
    {
        DoxaWinRun first(settingsFile());
        first.frame.show();
        first.frame.move(60, 40);
        first.frame.resize(500, 200);
        first.frame.showMaximized();
        first.frame.close();
    }
    DoxaWinRun second(settingsFile());
    second.frame.show();
    EXPECT_TRUE(second.frame.isMaximized());
    second.frame.showNormal();
    EXPECT_EQ(QRect(second.frame.pos(), second.frame.size()), QRect(60, 40, 500, 200));
}

TEST_F(DesktopMemory, AWindowLeftOnAScreenThatIsGoneComesBackWhereItCanBeSeen) {
    {
        DoxaWinRun first(settingsFile());
        first.frame.show();
        first.frame.resize(600, 250);
        first.frame.move(2600, 1500);  // on the monitor that will be unplugged
        first.frame.close();
    }
    DoxaWinRun second(settingsFile());
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_TRUE(screen.contains(QRect(second.frame.pos(), second.frame.size()))) << screen.width();
    EXPECT_EQ(second.frame.size(), QSize(600, 250));
}

TEST(WindowPlace, IsKeptWhileItsTitleBarCanBeGrabbedAndMovedOnScreenOtherwise) {
    const QRect left(0, 0, 1920, 1080);
    const QRect right(1920, 0, 1280, 1024);
    struct Case {
        const char* what;
        QRect kept;
        QRect expected;
    } const cases[] = {
        {"on the first screen", {100, 100, 600, 400}, {100, 100, 600, 400}},
        {"across both screens", {1700, 100, 600, 400}, {1700, 100, 600, 400}},
        {"on the second screen", {2500, 600, 600, 400}, {2500, 600, 600, 400}},
        {"its title bar above every screen", {100, -300, 600, 400}, {100, 0, 600, 400}},
        {"only a sliver left at the edge", {3190, 100, 600, 400}, {1320, 100, 600, 400}},
        {"beyond a screen that is gone", {3500, 1200, 800, 600}, {1120, 480, 800, 600}},
        {"larger than the screen left", {-2000, -50, 2500, 1400}, {0, 0, 1920, 1080}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(visiblePlace(c.kept, {left, right}), c.expected) << c.what;
}

TEST(WindowPlace, ADamagedEntryIsNoPlace) {
    MemorySettingsStore settings;
    for (const char* text : {"", "10 20 300", "10 20 300 x", "10 20 0 0", "1,2,300,400",
                             "10 20 300 200 1", "zmaksymalizowane"}) {
        settings.writeText("Okna", "Glowne", text);
        EXPECT_FALSE(keptPlace(settings, "Glowne")) << text;
    }
    settings.writeText("Okna", "Glowne", " -40 25 300 200 ");
    ASSERT_TRUE(keptPlace(settings, "Glowne"));
    EXPECT_EQ(keptPlace(settings, "Glowne")->normal, QRect(-40, 25, 300, 200));
    EXPECT_FALSE(keptPlace(settings, "Glowne")->maximized);
}

TEST_F(DesktopMemory, FileDialogsStartInTheFolderLastChosenForTheirKindAtTheNextStart) {
    const QString configurations = folder(QStringLiteral("konfiguracje"));
    const QString exports = folder(QStringLiteral("eksport"));
    {
        DoxaWinRun first(settingsFile());
        onFileDialog([&](QFileDialog& dialog) {
            dialog.selectFile(QDir(configurations).filePath(QStringLiteral("piec.prg")));
            static_cast<QDialog&>(dialog).accept();
        });
        EXPECT_EQ(first.frame.askSavePath("piec.prg"),
                  QDir(configurations).filePath("piec.prg").toStdString());
        onFileDialog([&](QFileDialog& dialog) {
            dialog.selectFile(QDir(exports).filePath(QStringLiteral("historia.csv")));
            static_cast<QDialog&>(dialog).accept();
        });
        EXPECT_FALSE(first.frame.askCsvSavePath("historia.csv").empty());
    }
    DoxaWinRun second(settingsFile());
    EXPECT_EQ(startFolder([&] { second.frame.askOpenPath(); }), configurations);
    EXPECT_EQ(startFolder([&] { second.frame.askSavePath("nowy.prg"); }), configurations);
    EXPECT_EQ(startFolder([&] { second.frame.askCsvSavePath("historia.csv"); }), exports);
    EXPECT_EQ(startFolder([&] { second.frame.exportReportPdf(); }), exports);
    // A folder removed since is not offered.
    QDir(exports).removeRecursively();
    EXPECT_NE(startFolder([&] { second.frame.askCsvSavePath("historia.csv"); }), exports);
}

TEST(RememberedFolder, EachKindKeepsItsOwnFolderAndPlacesSuggestedNamesThere) {
    QTemporaryDir dir;
    QDir(dir.path()).mkpath(QStringLiteral("a"));
    QDir(dir.path()).mkpath(QStringLiteral("b"));
    MemorySettingsStore settings;
    RememberedFolder certificates(settings, FileKind::Certificate);
    RememberedFolder exports(settings, FileKind::Export);
    EXPECT_EQ(certificates.place(QStringLiteral("S-1.pdf")), QStringLiteral("S-1.pdf"));
    certificates.keep(dir.filePath(QStringLiteral("a/S-1.pdf")));
    exports.keep(dir.filePath(QStringLiteral("b/DOXA-7.pdf")));
    EXPECT_EQ(certificates.place(QStringLiteral("S-2.pdf")),
              dir.filePath(QStringLiteral("a/S-2.pdf")));
    EXPECT_EQ(exports.place(QStringLiteral("DOXA-8.pdf")),
              dir.filePath(QStringLiteral("b/DOXA-8.pdf")));
    EXPECT_EQ(exports.place(QStringLiteral("/tmp/x.pdf")), QStringLiteral("/tmp/x.pdf"));
    // Cancelled dialogs choose nothing.
    exports.keep(QString());
    EXPECT_EQ(exports.folder(), dir.filePath(QStringLiteral("b")));
}

TEST_F(DesktopMemory, ANewSettingsFileConfirmsWritesAndAnExistingChoiceIsKept) {
    {
        DoxaWinRun first(settingsFile());
        EXPECT_TRUE(first.application.isChecked(CmdConfirmWrites));
        first.application.onCommand(CmdConfirmWrites);  // the technician switches it off
    }
    DoxaWinRun second(settingsFile());
    EXPECT_FALSE(second.application.isChecked(CmdConfirmWrites));

    // A file from before the default changed, with no choice in it, keeps confirming nothing.
    const QString older = dir.filePath(QStringLiteral("older/doxa-win.ini"));
    QDir(dir.path()).mkpath(QStringLiteral("older"));
    QFile file(older);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[COM]\nCOM=2\n");
    file.close();
    DoxaWinRun fromOlder(older);
    EXPECT_FALSE(fromOlder.application.isChecked(CmdConfirmWrites));
}

}  // namespace
}  // namespace doxa
