#pragma once

#include <deque>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "dialog/dialog.h"
#include "dialog/shell.h"
#include "support/fake_window.h"
#include "transmitter/live_trend.h"

namespace doxa::test {

// A main window for the command logic: every dialog is opened on a FakeWindow and handed to the
// script the test gave for its resource number. A dialog still open when its script returns
// (or that has no script) is closed the way the close box does.
class FakeShell : public Shell {
public:
    explicit FakeShell(VirtualClock& clock) : clock_(clock) {}

    using Script = std::function<void(FakeWindow&, DialogLogic&)>;
    std::map<int, Script> scripts;
    // Answers for the message boxes of the next dialog of a resource number, given before it
    // opens: for the boxes its start shows.
    std::map<int, std::deque<Answer>> boxAnswers;

    std::vector<int> dialogsRun;  // resource numbers, in the order they were shown
    std::vector<std::string> messages;
    std::vector<std::string> informativeTexts;  // one for each message, empty for none
    std::vector<int> helpRequests;
    int repaints = 0;
    int reportsPrinted = 0;
    int reportsExported = 0;
    bool mainWindowClosed = false;
    // What the technician picks in the next file dialogs (empty: cancelled), and what the
    // save dialog suggested.
    std::string openPath;
    std::string savePath;
    std::string suggestedSavePath;
    // What "Eksport CSV..." is answered, and the name it offered.
    std::string csvPath;
    std::string suggestedCsvPath;
    std::string documentTitle;
    // The plot the live display feeds: every cycle it was told of.
    struct TrendRecorder : LiveValuesObserver {
        std::vector<LiveCycle> cycles;
        void onLiveCycle(const LiveCycle& cycle) override { cycles.push_back(cycle); }
    } trend;
    int trendsShown = 0;

    int runDialog(DialogLogic& dialog) override {
        FakeWindow window(dialog, clock_);
        if (auto answers = boxAnswers.find(dialog.layout()); answers != boxAnswers.end()) {
            window.boxAnswers = std::move(answers->second);
            boxAnswers.erase(answers);
        }
        if (!window.open()) return ResultCancel;
        dialogsRun.push_back(dialog.layout());
        if (auto script = scripts.find(dialog.layout()); script != scripts.end())
            script->second(window, dialog);
        if (!window.ended()) window.close();
        return window.result();
    }
    void showMessage(std::string_view utf8, std::string_view informative = {}) override {
        messages.emplace_back(utf8);
        informativeTexts.emplace_back(informative);
    }
    void repaintView() override { ++repaints; }
    void showHelp(int commandId) override { helpRequests.push_back(commandId); }
    void closeMainWindow() override { mainWindowClosed = true; }
    std::string askOpenPath() override { return openPath; }
    std::string askSavePath(std::string_view suggested) override {
        suggestedSavePath = std::string(suggested);
        return savePath;
    }
    std::string askCsvSavePath(std::string_view suggested) override {
        suggestedCsvPath = std::string(suggested);
        return csvPath;
    }
    void setDocumentTitle(std::string_view title) override { documentTitle = std::string(title); }
    void printReport() override { ++reportsPrinted; }
    void exportReportPdf() override { ++reportsExported; }
    LiveValuesObserver* showTrend() override {
        ++trendsShown;
        return &trend;
    }
    // The folders watched now and what to call when one changes: a test plays the system.
    std::vector<std::string> watchedFolders;
    std::function<void()> folderChanged;
    std::unique_ptr<FolderWatch> watchFolders(const std::vector<std::string>& folders,
                                              std::function<void()> changed) override {
        struct Watch : FolderWatch {
            explicit Watch(FakeShell& shell) : shell_(shell) {}
            ~Watch() override {
                shell_.watchedFolders.clear();
                shell_.folderChanged = nullptr;
            }
            FakeShell& shell_;
        };
        watchedFolders = folders;
        folderChanged = std::move(changed);
        return std::make_unique<Watch>(*this);
    }
    // Answers for the next questions, in order; "Nie" once they run out.
    std::deque<Choice> choices;
    std::vector<std::string> questions;
    Choice askYesNoCancel(std::string_view utf8) override {
        questions.emplace_back(utf8);
        if (choices.empty()) return Choice::No;
        const Choice choice = choices.front();
        choices.pop_front();
        return choice;
    }

    // Answers for the next warnings, in order; OK once they run out.
    std::deque<bool> warningAnswers;
    std::vector<std::string> warnings;
    bool confirmWarning(std::string_view utf8) override {
        warnings.emplace_back(utf8);
        if (warningAnswers.empty()) return true;
        const bool ok = warningAnswers.front();
        warningAnswers.pop_front();
        return ok;
    }

    int timesRun(int resource) const {
        int count = 0;
        for (int shown : dialogsRun) count += shown == resource;
        return count;
    }

private:
    VirtualClock& clock_;
};

}  // namespace doxa::test
