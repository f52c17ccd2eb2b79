#include "app/main_frame.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDockWidget>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QSplitter>
#include <QScrollBar>
#include <QStatusBar>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <vector>

#include "app/application.h"
#include "app/help_window.h"
#include "app/status_panel_bar.h"
#include "settings/settings_keys.h"
#include "settings/shown_language.h"
#include "transmitter/settings_store.h"
#include "transmitter/station.h"

namespace doxa {
namespace {

// What was done to a port, kept beyond the port's life.
struct LineRecord {
    std::vector<std::uint8_t> written;
    bool closed = false;
};

// A port that only remembers what was done to it.
class RecordingLine : public SerialLine {
public:
    explicit RecordingLine(LineRecord& record) : record_(record) {}
    bool open() override { return true; }
    bool configure(int, Parity) override { return true; }
    bool setDtr(bool) override { return true; }
    void setRts(bool) override {}
    int queuedInput() override { return 0; }
    int read(std::uint8_t*, int) override { return 0; }
    int write(const std::uint8_t* bytes, int count) override {
        record_.written.insert(record_.written.end(), bytes, bytes + count);
        return count;
    }
    void drain() override {}
    void purge() override {}
    std::uint32_t takeErrors() override { return 0; }
    void close() override { record_.closed = true; }
    std::string device() const override { return {}; }

private:
    LineRecord& record_;
};

class MainFrameTest : public ::testing::Test {
protected:
    MainFrameTest() { frame.attach(application); }

    QMenu* menu(const QString& title, QWidget* in = nullptr) {
        for (QAction* action : (in ? in : frame.menuBar())->actions())
            if (action->menu() && action->text().remove('&') == title) return action->menu();
        ADD_FAILURE() << "no menu " << title.toStdString();
        return nullptr;
    }
    static QStringList texts(const QMenu* menu) {
        QStringList result;
        for (QAction* action : menu->actions())
            if (!action->isSeparator()) result << action->text();
        return result;
    }
    QAction* menuCommand(int id) {
        for (QAction* action : frame.menuBar()->findChildren<QAction*>())
            if (action->data().toInt() == id) return action;
        ADD_FAILURE() << "no menu item " << id;
        return nullptr;
    }
    QList<QAction*> toolbarSlots() { return frame.toolbar()->actions(); }

    MemorySettingsStore store;
    Station station{store};
    MainFrame frame{station};
    Application application{station, frame};
};

TEST_F(MainFrameTest, HasTheMenusWithTheirItemsAndAccelerators) {
    EXPECT_EQ(frame.windowTitle(), "DOXA - DOXA WIN 7.1.32 ");
    QStringList titles;
    for (QAction* action : frame.menuBar()->actions()) titles << action->text().remove('&');
    EXPECT_EQ(titles, QStringList({"Dane konfiguracyjne", "Przetwornik", "Ustawienia", "Serwis",
                                   "Pomoc"}));

    EXPECT_EQ(texts(menu("Dane konfiguracyjne")),
              QStringList({"&Nowe", "&Pobierz...", "Za&chowaj", "Zac&howaj jako...",
                           "Kopie zapasowe...", "Historia przetwornika...",
                           "&Drukuj", "Eksport do PDF", "Poprzednie",
                           "&Wyjście"}));
    EXPECT_EQ(menuCommand(CmdNew)->shortcut(), QKeySequence("Ctrl+N"));
    EXPECT_EQ(menuCommand(CmdOpen)->shortcut(), QKeySequence("Ctrl+O"));
    EXPECT_EQ(menuCommand(CmdSave)->shortcut(), QKeySequence("Ctrl+S"));
    EXPECT_EQ(texts(menu("Przetwornik")),
              QStringList({"&Inicjalizacja", "&Wyświetlanie", "P&rogramowanie", "&Kalibracja",
                           "Procedura kalibracji...", "&Czujnik", "&Tekst", "&Ustaw prąd wy."}));

    QMenu* settings = menu("Ustawienia");
    EXPECT_EQ(texts(settings), QStringList({"&Hasła", "&Port", "Transmisja", "Przetwornik",
                                            "Potwierdzanie zmian przed zapisem",
                                            "Ostrzeżenie przed wymuszeniem wyjścia", "Przyrząd wzorcowy...",
                                            "Przyrządy wzorcowe...", "Język"}));
    EXPECT_EQ(texts(menu("Transmisja", settings)), QStringList({"HART/RS232", "RS 485 (MODBUS)"}));
    // Each language is named in itself, whatever the language of the rest.
    EXPECT_EQ(texts(menu("Język", settings)), QStringList({"Polski", "English"}));
    EXPECT_EQ(texts(menu("Przetwornik", settings)), QStringList({"DOXA-2X", "RIVO-22"}));

    QMenu* service = menu("Serwis");
    EXPECT_EQ(texts(service), QStringList({"RAM", "EEPROM", "Rejestry (MODBUS)", "&Monitor linii",
                                           "&Komenda HART", "&Ustawienia fabryczne",
                                           "Ustaw DELTA", "&Szukaj przetwornika",
                                           "Statystyka łącza"}));
    EXPECT_EQ(texts(menu("RAM", service)), QStringList({"RAM 0", "RAM 1"}));
    EXPECT_EQ(texts(menu("EEPROM", service)), QStringList({"0x00-0xff", "0x100-0x1ff"}));
    EXPECT_EQ(texts(menu("Rejestry (MODBUS)", service)), QStringList({"Odczyt", "Zapis"}));
    EXPECT_EQ(texts(menu("Pomoc")),
              QStringList({"&Skorowidz", "&Korzystanie z", "&O DOXA WIN..."}));

    std::vector<std::pair<int, QKeySequence>> windowKeys;
    for (QAction* action : frame.actions())
        windowKeys.emplace_back(action->data().toInt(), action->shortcut());
    EXPECT_EQ(windowKeys, (std::vector<std::pair<int, QKeySequence>>{
                              {CmdHelp, QKeySequence("F1")},
                              {CmdContextHelp, QKeySequence("Shift+F1")}}));
}

TEST_F(MainFrameTest, TheStatusBarShowsThePromptOfTheHighlightedItem) {
    frame.show();
    const auto* idle = frame.statusBar()->findChild<QLabel*>("idlePrompt");
    ASSERT_NE(idle, nullptr);
    EXPECT_EQ(idle->text(), "Wciśnij F1, aby uzyskać pomoc ");
    for (const char* indicator : {"CAPS", "NUM", "SCR"})
        EXPECT_NE(frame.statusBar()->findChild<QLabel*>(indicator), nullptr) << indicator;

    QMenu* file = menu("Przetwornik");
    frame.menuBar()->setActiveAction(file->menuAction());
    ASSERT_TRUE(file->isVisible());
    file->setActiveAction(menuCommand(CmdInitialize));
    EXPECT_EQ(frame.statusBar()->currentMessage(), "Inicjalizacja programu");
    file->setActiveAction(menuCommand(CmdDisplay));
    EXPECT_EQ(frame.statusBar()->currentMessage(), "Wyświetlanie danych pomiarowych");
    file->close();
    EXPECT_TRUE(frame.statusBar()->currentMessage().isEmpty());
}

TEST_F(MainFrameTest, MenusAskTheApplicationForChecksAndEnabledStatesWhenTheyOpen) {
    EXPECT_TRUE(menuCommand(CmdModeHart)->isChecked());
    EXPECT_FALSE(menuCommand(CmdModeRs485)->isChecked());
    EXPECT_TRUE(menuCommand(CmdFamilyDoxa)->isChecked());

    station.link.transmissionMode = ModeRs485;
    station.device.isRivo = 1;
    QMenu* settings = menu("Ustawienia");
    emit menu("Transmisja", settings)->aboutToShow();
    EXPECT_FALSE(menuCommand(CmdModeHart)->isChecked());
    EXPECT_TRUE(menuCommand(CmdModeRs485)->isChecked());
    EXPECT_FALSE(menuCommand(CmdFamilyDoxa)->isChecked());
    EXPECT_TRUE(menuCommand(CmdFamilyRivo)->isChecked());

    for (QAction* action : frame.menuBar()->findChildren<QAction*>()) {
        if (action->menu() || action->isSeparator()) continue;
        const int id = action->data().toInt();
        EXPECT_EQ(action->isEnabled(), application.isEnabled(id)) << id;
        // An unchecked item shows no check box at all.
        EXPECT_EQ(action->isCheckable(), application.isChecked(id)) << id;
    }
}

TEST_F(MainFrameTest, TheToolbarHasNineSlotsWithTheirOwnImagesAndTheStandardCommands) {
    // Display, program, calibrate, passwords, initialise, sensor, output current, two blanks.
    const int documented[] = {61204, 61205, 61206, 61207, 61208, 61213, 61209, 61212, 61212};
    const QList<QAction*> slotActions = toolbarSlots();
    ASSERT_EQ(slotActions.size(), 9);
    for (int slot = 0; slot < 9; ++slot) {
        QAction* action = slotActions[slot];
        EXPECT_EQ(action->data().toInt(), documented[slot]) << slot;
        EXPECT_EQ(frame.toolbar()->widgetForAction(action)->size(), QSize(60, 60));
        const QImage shown = action->icon().pixmap(50, 50).toImage().convertToFormat(
            QImage::Format_ARGB32_Premultiplied);
        EXPECT_EQ(shown, toolbarImage(slot).toImage().convertToFormat(
                             QImage::Format_ARGB32_Premultiplied))
            << "slot " << slot;
        const int id = action->data().toInt();
        EXPECT_EQ(action->isEnabled(), id != CmdBlank && application.isEnabled(id)) << slot;
    }
    EXPECT_EQ(slotActions[0]->toolTip(), "Wyświetlanie");
    EXPECT_EQ(slotActions[4]->statusTip(), "Inicjalizacja programu");
    // The nine images are nine different pictures, and the ones the build drew are the ones the
    // code draws, each within its own slot.
    for (int a = 0; a < ToolbarSlotCount; ++a)
        for (int b = a + 1; b < ToolbarSlotCount; ++b)
            EXPECT_NE(toolbarImage(a).toImage(), toolbarImage(b).toImage()) << a << "," << b;
    const QImage painted = paintedToolbarStrip();
    for (int slot = 0; slot < ToolbarSlotCount; ++slot)
        EXPECT_EQ(toolbarImage(slot).toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied),
                  painted.copy(slot * ToolbarImageSize, 0, ToolbarImageSize, ToolbarImageSize))
            << "slot " << slot;
}

TEST_F(MainFrameTest, CommandsReachTheApplicationAndItsMessagesAreShown) {
    station.link.transmissionMode = ModeRs485;
    station.link.replyWait = 5;
    menuCommand(CmdModeHart)->trigger();
    EXPECT_EQ(station.link.transmissionMode, ModeHart);
    EXPECT_EQ(station.link.replyWait, 300);
    EXPECT_EQ(store.readInt("Transmisja", "RS485", -1), 0);

    QString shown;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        shown = box->windowTitle() + ": " + box->text();
        box->accept();
    });
    menuCommand(CmdRegistersRead)->trigger();
    EXPECT_EQ(shown, "DOXA WIN: Opcja dostępna dla RS485");
}

// "Ustaw prąd wy." first warns, in a box with OK and "Anuluj"; "Anuluj" leaves the line alone.
TEST_F(MainFrameTest, OutputCurrentWarnsOfTheLoopFirstAndAnulujOpensNothing) {
    LineRecord port;
    station.link.portHandle = std::make_unique<RecordingLine>(port);
    station.link.portOpen = 1;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QString text;
    QString cancelText;
    bool hasOk = false;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        icon = box->icon();
        text = box->text();
        hasOk = box->button(QMessageBox::Ok) != nullptr;
        cancelText = box->button(QMessageBox::Cancel)->text();
        box->button(QMessageBox::Cancel)->click();
    });
    // Should the dialog open all the same, it is closed rather than left waiting.
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [] {
        if (QWidget* open = QApplication::activeModalWidget()) open->close();
    });
    guard.start(2000);
    menuCommand(CmdOutputCurrent)->trigger();

    EXPECT_EQ(icon, QMessageBox::Warning);
    EXPECT_EQ(text, "Przed wymuszeniem wyjścia przetwornika przełącz pętlę sterowania na pracę "
                    "ręczną: wartość wyjścia nie będzie odpowiadać pomiarowi.");
    EXPECT_TRUE(hasOk);
    EXPECT_EQ(cancelText, "Anuluj");
    EXPECT_TRUE(port.written.empty());
}

TEST_F(MainFrameTest, TheStatusPanelFollowsTheStationAndLetsGoOfItWhenClosed) {
    QDockWidget* dock = frame.findChild<QDockWidget*>();
    ASSERT_NE(dock, nullptr);
    EXPECT_EQ(frame.dockWidgetArea(dock), Qt::LeftDockWidgetArea);
    station.statusPanel.setText(151, "Ramka");
    station.statusPanel.setText(156, "Prąd ustawiony");
    EXPECT_EQ(frame.statusPanel()->field(151)->text(), "Ramka");
    EXPECT_EQ(frame.statusPanel()->field(156)->text(), "Prąd ustawiony");
    EXPECT_EQ(frame.statusPanel()->field(153)->text(), "");

    Station other(store);
    {
        MainFrame shortLived(other);
        other.statusPanel.setText(149, "Parzystość");
        EXPECT_EQ(shortLived.statusPanel()->field(149)->text(), "Parzystość");
    }
    other.statusPanel.setText(149, "Kom nie implem");  // nobody listens any more
    EXPECT_FALSE(other.statusPanel.onChange);
}

TEST_F(MainFrameTest, StartsSmallWithTheTrafficLogPaneClosed) {
    frame.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
    EXPECT_EQ(frame.size(), QSize(550, 130));
    ASSERT_EQ(frame.splitter()->count(), 2);
    EXPECT_EQ(frame.splitter()->orientation(), Qt::Vertical);
    EXPECT_EQ(frame.splitter()->sizes()[1], 0);
    EXPECT_GT(frame.splitter()->sizes()[0], 0);
}

TEST_F(MainFrameTest, ClosingTheWindowReleasesThePort) {
    LineRecord port;
    station.link.portHandle = std::make_unique<RecordingLine>(port);
    station.link.portOpen = 1;
    frame.show();
    frame.close();
    EXPECT_EQ(station.link.portOpen, 0);
    EXPECT_TRUE(port.closed);
    // The transmitter is left listening: one 0xFF byte goes out before the port closes.
    EXPECT_EQ(port.written, std::vector<std::uint8_t>{0xFF});
}

TEST_F(MainFrameTest, HelpOpensTheGuide) {
    store.writeText(LanguageSection, LanguageKey, "pl");
    EXPECT_EQ(frame.helpWindow(), nullptr);
    frame.actions().front()->trigger();
    ASSERT_NE(frame.helpWindow(), nullptr);
    EXPECT_TRUE(frame.helpWindow()->isVisible());
    const QString guide = frame.helpWindow()->guideText();
    for (const char* topic : {"Modem HART", "RS485", "[Porty]", "sim:DOXA-22", "Inicjalizacja"})
        EXPECT_TRUE(guide.contains(QString::fromUtf8(topic))) << topic;
}

TEST_F(MainFrameTest, F1OnAHighlightedMenuCommandShowsItsPartOfTheGuide) {
    store.writeText(LanguageSection, LanguageKey, "pl");
    frame.show();
    QMenu* settings = menu("Ustawienia");
    settings->popup(frame.geometry().topLeft());
    settings->setActiveAction(menuCommand(CmdPort));
    QTest::keyClick(settings, Qt::Key_F1);
    EXPECT_FALSE(settings->isVisible());
    ASSERT_NE(frame.helpWindow(), nullptr);
    EXPECT_TRUE(frame.helpWindow()->isVisible());
    EXPECT_GT(frame.helpWindow()->findChild<QTextBrowser*>()->verticalScrollBar()->value(), 0);
}

// English for as long as it lives; made before the window, so the window is built in English.
struct EnglishStarted {
    EnglishStarted() { EXPECT_TRUE(startLanguage(Language::English)); }
    ~EnglishStarted() { startLanguage(Language::Polish); }
};

// MainFrameTest's members come after its bases: started here, English precedes the window.
class MainFrameInEnglishTest : protected EnglishStarted, public MainFrameTest {
protected:
    // The mnemonic letters of the items of a menu or of the menu bar, upper case.
    static QString mnemonics(const QWidget* menu) {
        QString letters;
        for (QAction* action : menu->actions()) {
            const QString text = action->text();
            const qsizetype at = text.indexOf('&');
            if (at >= 0 && at + 1 < text.size()) letters += text[at + 1].toUpper();
        }
        return letters;
    }
};

// The help speaks the language the program started in, as the rest does; a choice made since
// (Polish, here) waits for the next start.
TEST_F(MainFrameInEnglishTest, HelpSpeaksTheLanguageTheProgramStartedIn) {
    store.writeText(LanguageSection, LanguageKey, "pl");
    frame.actions().front()->trigger();
    ASSERT_NE(frame.helpWindow(), nullptr);
    EXPECT_EQ(frame.helpWindow()->windowTitle(), "DOXA WIN - Help");
    const QString guide = frame.helpWindow()->guideText();
    for (const char* topic : {"HART modem", "RS485", "[Porty]", "sim:DOXA-22", "Initialization"})
        EXPECT_TRUE(guide.contains(QString::fromUtf8(topic))) << topic;
    EXPECT_FALSE(guide.contains("Inicjalizacja"));
}

TEST_F(MainFrameInEnglishTest, MenusPromptsAndStatusBarSpeakEnglishKeepingTheAccelerators) {
    QStringList titles;
    for (QAction* action : frame.menuBar()->actions()) titles << action->text();
    EXPECT_EQ(titles, QStringList({"&Configuration", "&Transmitter", "&Settings", "S&ervice",
                                   "&Help"}));
    EXPECT_EQ(texts(menu("Configuration")),
              QStringList({"&New", "&Open...", "&Save", "Save &as...", "Backups...",
                           "Transmitter history...", "&Print", "Export to PDF", "Recent",
                           "E&xit"}));
    EXPECT_EQ(menuCommand(CmdNew)->shortcut(), QKeySequence("Ctrl+N"));
    EXPECT_EQ(menuCommand(CmdOpen)->shortcut(), QKeySequence("Ctrl+O"));
    EXPECT_EQ(menuCommand(CmdSave)->shortcut(), QKeySequence("Ctrl+S"));
    EXPECT_EQ(menuCommand(CmdInitialize)->statusTip(), "Initialize the program");
    EXPECT_EQ(texts(menu("Transmitter", menu("Settings"))), QStringList({"DOXA-2X", "RIVO-22"}));
    EXPECT_EQ(texts(menu("Language", menu("Settings"))), QStringList({"Polski", "English"}));

    // A letter taken twice in one menu would leave one of its items out of reach of Alt.
    std::vector<const QWidget*> menus{frame.menuBar()};
    for (const QMenu* each : frame.menuBar()->findChildren<QMenu*>()) menus.push_back(each);
    for (const QWidget* each : menus) {
        const QString letters = mnemonics(each);
        for (QChar letter : letters)
            EXPECT_EQ(letters.count(letter), 1) << letters.toStdString();
    }

    const auto* idle = frame.statusBar()->findChild<QLabel*>("idlePrompt");
    ASSERT_NE(idle, nullptr);
    EXPECT_EQ(idle->text(), "Press F1 for help ");
    station.outputForced = true;
    frame.attach(application);
    EXPECT_EQ(frame.forcedOutputNotice()->text(), "NOTE: output forced");
    station.outputForced = false;
}

}  // namespace
}  // namespace doxa
