#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace doxa {

class DialogLogic;
class LiveValuesObserver;

enum class Choice { Yes, No, Cancel };

// Watches folders for as long as it lives.
class FolderWatch {
public:
    virtual ~FolderWatch() = default;
};

// What the application's command logic needs of the main window. The Qt main frame implements
// it; the tests use a fake that runs dialogs against a fake window.
class Shell {
public:
    virtual ~Shell() = default;
    // Runs a modal dialog and returns its end result (ResultCancel when it refused creation).
    virtual int runDialog(DialogLogic& dialog) = 0;
    // Plain information box with an OK button; an informative text, when given, below its text.
    virtual void showMessage(std::string_view utf8, std::string_view informative = {}) = 0;
    // The main view shows the device record and the dump buffer again; menu check marks are
    // read from the station whenever a menu opens, so they need no call.
    virtual void repaintView() = 0;
    virtual void showHelp(int commandId) = 0;
    // The one-page configuration report: through the print dialog (with a preview), or into a
    // PDF file the user names.
    virtual void printReport() = 0;
    virtual void exportReportPdf() = 0;
    virtual void closeMainWindow() = 0;
    // The configuration document's file dialogs; an empty path when the technician cancelled.
    virtual std::string askOpenPath() = 0;
    virtual std::string askSavePath(std::string_view suggested) = 0;
    // A CSV file to export into: the dialog offers CSV files and adds ".csv" to a name typed
    // without a suffix; an empty path when the technician cancelled.
    virtual std::string askCsvSavePath(std::string_view suggested) = 0;
    // The window title names the document: "DOXA" or the file's name.
    virtual void setDocumentTitle(std::string_view title) = 0;
    // Shows the live trend plot beside the dialog that runs now (the same plot again if it was
    // closed) and gives what feeds it; both live as long as that dialog's window.
    virtual LiveValuesObserver* showTrend() = 0;
    // A question with the buttons "Tak", "Nie" and "Anuluj".
    virtual Choice askYesNoCancel(std::string_view utf8) = 0;
    // A warning with the buttons "OK" and "Anuluj"; true when the technician chose OK.
    virtual bool confirmWarning(std::string_view utf8) = 0;
    // Calls `changed` whenever an entry comes into or leaves one of `folders`, until the watch
    // is destroyed; a folder that does not exist yet is watched from when it appears.
    virtual std::unique_ptr<FolderWatch> watchFolders(const std::vector<std::string>& folders,
                                                      std::function<void()> changed) = 0;
};

}  // namespace doxa
