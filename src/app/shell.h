#pragma once

#include <string_view>

namespace doxa {

class DialogLogic;

enum class Choice { Yes, No, Cancel };

// What the application's command logic needs of the main window. The Qt main frame implements
// it; the tests use a fake that runs dialogs against a fake window.
class Shell {
public:
    virtual ~Shell() = default;
    // Runs a modal dialog and returns its end result (ResultCancel when it refused creation).
    virtual int runDialog(DialogLogic& dialog) = 0;
    // Plain information box with an OK button.
    virtual void showMessage(std::string_view utf8) = 0;
    // The main view shows the device record and the dump buffer again; menu check marks are
    // read from the station whenever a menu opens, so they need no call.
    virtual void repaintView() = 0;
    virtual void showHelp(int commandId) = 0;
    virtual void closeMainWindow() = 0;
    // A question with the buttons "Tak", "Nie" and "Anuluj".
    virtual Choice askYesNoCancel(std::string_view utf8) = 0;
};

}  // namespace doxa
