#pragma once

#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "dialog/dialog.h"

namespace doxa::cli {

class Console;
class ConsoleLoop;

// A dialog's window on the console: the dialog's own logic runs here unchanged, with its
// timers in real time. It keeps what the logic shows, prints message boxes on standard error
// and answers them with their default button, as nobody is there to choose.
class ConsoleWindow : public DialogWindow {
public:
    ConsoleWindow(ConsoleLoop& loop, Console& console) : loop_(loop), console_(console) {}
    ~ConsoleWindow() override;

    enum class End {
        Ended,        // the dialog ended itself; result() tells how
        Finished,     // the caller has what it waited for
        Idle,         // no timer runs any more: the dialog waits for someone at the keyboard
        TimedOut,     // the loop's deadline passed
        Interrupted,  // Ctrl-C or SIGTERM
    };

    // Opens the dialog and runs it until it ends, `finished` holds (asked after every event),
    // it goes idle, the deadline passes or a stop signal comes; then the window goes away as if
    // closed, so the dialog cleans up after itself exactly as it does on the desktop.
    End run(DialogLogic& logic, const std::function<bool()>& finished = {});

    // Fields whose texts are shown as progress on a terminal.
    void showProgressOf(std::set<int> ids) { progressIds_ = std::move(ids); }
    // Called with every text the logic sets, after it is kept.
    std::function<void(int id, const std::string& text)> onText;
    // Takes the message boxes of this window and its children instead of standard error: a
    // command that judges the dialog's outcome by them answers and tells them itself.
    std::function<Answer(std::string_view text, BoxButtons buttons)> answerBox;
    // The technician's click on a button, between two events of run().
    void click(int id);

    // Whether the logic ever set the control's text; text() is empty until then.
    bool wasSet(int id) const { return texts_.contains(id); }
    bool isVisible(int id) const;
    // The entries of a list control, as the logic set them.
    const std::vector<std::string>& items(int id) { return items_[id]; }
    int result() const { return result_; }

    // DialogWindow
    void setText(int id, std::string_view utf8) override;
    std::string text(int id) const override;
    void setChecked(int id, bool checked) override;
    bool isChecked(int id) const override;
    void setSelection(int id, int index) override;
    void setItems(int id, const std::vector<std::string>& utf8) override;
    int selection(int id) const override;
    void setEnabled(int id, bool enabled) override;
    void setVisible(int id, bool visible) override;
    void setReadOnly(int id, bool readOnly) override;
    void setTitle(std::string_view utf8) override;
    void startTimer(int timer, int ms) override;
    void stopTimer(int timer) override;
    void startWatchedTimer(int timer, int firstMs, int ms, std::function<bool()> ready) override;
    Answer messageBox(std::string_view utf8, BoxIcon icon, BoxButtons buttons,
                      const BoxDetails& details = {}) override;
    int runChild(DialogLogic& child) override;
    void end(int result) override;

    // The loop fires a timer of this window.
    void fire(int timer);

private:
    ConsoleLoop& loop_;
    Console& console_;
    DialogLogic* logic_ = nullptr;
    std::map<int, std::string> texts_;
    std::map<int, bool> checked_;
    std::map<int, int> selections_;
    std::map<int, std::vector<std::string>> items_;
    std::map<int, bool> visible_;
    std::set<int> progressIds_;
    bool childWindow_ = false;
    bool ended_ = false;
    int result_ = ResultCancel;
};

}  // namespace doxa::cli
