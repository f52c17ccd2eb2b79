#pragma once

#include <QMainWindow>
#include <array>
#include <memory>
#include <string_view>

#include "access/access.h"
#include "dialog/command_ids.h"
#include "dialog/shell.h"
#include "app/toolbar_images.h"
#include "host/window_memory.h"

class QLabel;
class QSplitter;
class QToolBar;

namespace doxa {

class Application;
class HelpWindow;
class HistoryStore;
class MainView;
class TrafficLogPane;
class Station;
class StatusPanelBar;

static_assert(std::tuple_size_v<ToolbarCommands> == ToolbarSlotCount);

// The main window (CSplitterFrame): menu, toolbar, status bar, the status panel at the left,
// and a splitter with the main view over the traffic log pane, which starts closed unless the
// master password was given. It opens where and as large as it was closed last time (the master
// password's larger window has its place of its own), and its file dialogs start in the folder
// last chosen for their kind of file.
class MainFrame : public QMainWindow, public Shell {
    Q_OBJECT

public:
    explicit MainFrame(Station& station, const ToolbarCommands& toolbar = StandardToolbar,
                       const WindowPlacement& placement = SmallWindow);
    ~MainFrame() override;

    // The command logic is made for this window; attach it before the window is shown.
    void attach(Application& application);

    int runDialog(DialogLogic& dialog) override;
    void showMessage(std::string_view utf8, std::string_view informative = {}) override;
    void repaintView() override;
    void showHelp(int commandId) override;
    void closeMainWindow() override;
    std::string askOpenPath() override;
    std::string askSavePath(std::string_view suggested) override;
    std::string askCsvSavePath(std::string_view suggested) override;
    void setDocumentTitle(std::string_view title) override;
    void printReport() override;
    void exportReportPdf() override;
    LiveValuesObserver* showTrend() override;
    Choice askYesNoCancel(std::string_view utf8) override;
    bool confirmWarning(std::string_view utf8) override;
    std::unique_ptr<FolderWatch> watchFolders(const std::vector<std::string>& folders,
                                              std::function<void()> changed) override;

    QToolBar* toolbar() const { return toolbar_; }
    StatusPanelBar* statusPanel() const { return statusPanel_; }
    QSplitter* splitter() const { return splitter_; }
    MainView* mainView() const { return mainView_; }
    TrafficLogPane* trafficLogPane() const { return trafficLogPane_; }
    // The status bar's reminder that the transmitter's output is forced; hidden otherwise.
    QLabel* forcedOutputNotice() const { return forcedOutputNotice_; }
    // Tells on the status bar how many service records wait for their database, and tries to
    // deliver them now and then.
    void watchHistory(HistoryStore& history);
    // "Rekordy historii czekają na bazę: N" while N > 0; hidden otherwise.
    QLabel* historyNotice() const { return historyNotice_; }
    // Nothing until help was first asked for.
    HelpWindow* helpWindow() const { return helpWindow_; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // The save dialog offering files of `filter` in the folder of their kind, adding `suffix` to a
    // name typed without one.
    std::string askSavePathOf(std::string_view suggested, const char* filter, const char* suffix,
                              FileKind kind);
    void createToolbar(const ToolbarCommands& commands);
    void createStatusBar();
    void createStatusPanel();
    void createSplitter();
    void place(const WindowPlacement& placement);
    void runCommand(int commandId);
    // Enabled states and check marks, as the command logic sees them now.
    void refreshCommands();
    void showLockKeys();
    // "Poprzednie" gives way to the entries of the recent-file list, when there are any.
    void refreshRecentFiles();
    void createForcedOutputNotice();
    void showForcedOutput();
    void showHistoryWaiting();

    Station& station_;
    // Where this window's place and the split between its view and the traffic log are kept.
    std::string_view placeKey_;
    std::string_view splitKey_;
    Application* application_ = nullptr;
    QList<QAction*> commands_;
    QToolBar* toolbar_ = nullptr;
    StatusPanelBar* statusPanel_ = nullptr;
    QSplitter* splitter_ = nullptr;
    MainView* mainView_ = nullptr;
    TrafficLogPane* trafficLogPane_ = nullptr;
    HelpWindow* helpWindow_ = nullptr;
    std::array<QLabel*, 3> lockLabels_{};
    QList<QAction*> recentFileActions_;
    QLabel* forcedOutputNotice_ = nullptr;
    HistoryStore* history_ = nullptr;
    QLabel* historyNotice_ = nullptr;
};

// Builds the main window as start-up does: the access decision first (the password dialog may
// appear before any window), then the frame with that level's toolbar and placement.
std::unique_ptr<MainFrame> createMainFrame(Station& station);

}  // namespace doxa
