#pragma once

#include <QMainWindow>
#include <array>

#include "app/command_ids.h"
#include "app/shell.h"
#include "app/toolbar_images.h"

class QLabel;
class QSplitter;
class QToolBar;

namespace doxa {

class Application;
class HelpWindow;
class Station;
class StatusPanelBar;

// The command of each toolbar slot, left to right; CmdBlank leaves a slot without a command.
using ToolbarCommands = std::array<int, ToolbarSlotCount>;
inline constexpr ToolbarCommands StandardToolbar = {
    CmdDisplay, CmdProgram, CmdCalibrate, CmdPasswords, CmdInitialize,
    CmdSensor,  CmdOutputCurrent, CmdBlank, CmdBlank,
};

// Where the main window first appears, in screen pixels.
struct WindowPlacement {
    int x;
    int y;
    int width;
    int height;
};
inline constexpr WindowPlacement SmallWindow{50, 100, 550, 130};

// The main window (CSplitterFrame): menu, toolbar, status bar, the status panel at the left,
// and a splitter with the main view over the traffic log pane, which starts closed.
class MainFrame : public QMainWindow, public Shell {
    Q_OBJECT

public:
    explicit MainFrame(Station& station, const ToolbarCommands& toolbar = StandardToolbar,
                       const WindowPlacement& placement = SmallWindow);
    ~MainFrame() override;

    // The command logic is made for this window; attach it before the window is shown.
    void attach(Application& application);

    int runDialog(DialogLogic& dialog) override;
    void showMessage(std::string_view utf8) override;
    void repaintView() override;
    void showHelp(int commandId) override;
    void closeMainWindow() override;
    Choice askYesNoCancel(std::string_view utf8) override;

    QToolBar* toolbar() const { return toolbar_; }
    StatusPanelBar* statusPanel() const { return statusPanel_; }
    QSplitter* splitter() const { return splitter_; }
    // The status bar's reminder that the transmitter's output is forced; hidden otherwise.
    QLabel* forcedOutputNotice() const { return forcedOutputNotice_; }
    // Nothing until help was first asked for.
    HelpWindow* helpWindow() const { return helpWindow_; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void createToolbar(const ToolbarCommands& commands);
    void createStatusBar();
    void createStatusPanel();
    void createSplitter();
    void place(const WindowPlacement& placement);
    void runCommand(int commandId);
    // Enabled states and check marks, as the command logic sees them now.
    void refreshCommands();
    void showLockKeys();
    void createForcedOutputNotice();
    void showForcedOutput();

    Station& station_;
    Application* application_ = nullptr;
    QList<QAction*> commands_;
    QToolBar* toolbar_ = nullptr;
    StatusPanelBar* statusPanel_ = nullptr;
    QSplitter* splitter_ = nullptr;
    HelpWindow* helpWindow_ = nullptr;
    std::array<QLabel*, 3> lockLabels_{};
    QLabel* forcedOutputNotice_ = nullptr;
};

}  // namespace doxa
