#pragma once

#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "dialog/dialog.h"

namespace doxa::test {

class VirtualClock;

// A DialogWindow that remembers what the logic did to it and answers message boxes and child
// dialogs the way the test scripts them.
class FakeWindow : public DialogWindow {
public:
    FakeWindow(DialogLogic& logic, VirtualClock& clock);
    ~FakeWindow() override;

    // Attaches and initialises the logic, as the host does when the dialog is shown.
    // False when the dialog refused to be created.
    bool open();

    // What the technician does.
    void click(int id);
    void type(int id, std::string_view utf8);  // sets the text and reports the edit
    void focus(int id);
    void leave(int id);                        // focus lost: edits are committed here
    void choose(int id, int index);            // picks an entry of a list
    void close();                              // the window's close box

    // DialogWindow
    void setText(int id, std::string_view utf8) override;
    std::string text(int id) const override;
    void setChecked(int id, bool checked) override;
    bool isChecked(int id) const override;
    void setSelection(int id, int index) override;
    int selection(int id) const override;
    void setItems(int id, const std::vector<std::string>& utf8) override;
    void setEnabled(int id, bool enabled) override;
    void setVisible(int id, bool visible) override;
    void setReadOnly(int id, bool readOnly) override;
    void setTitle(std::string_view utf8) override;
    void startTimer(int timer, int ms) override;
    void stopTimer(int timer) override;
    Answer messageBox(std::string_view utf8, BoxIcon icon, BoxButtons buttons,
                      const BoxDetails& details = {}) override;
    int runChild(DialogLogic& child) override;
    void end(int result) override;

    const std::vector<std::string>& items(int id) const;
    bool isEnabled(int id) const;
    bool isVisible(int id) const;
    bool isReadOnly(int id) const;
    const std::string& title() const { return title_; }
    bool ended() const { return ended_; }
    int result() const { return result_; }
    bool timerRunning(int timer) const;
    int timerInterval(int timer) const;

    struct Box {
        std::string text;
        BoxIcon icon;
        BoxButtons buttons;
        std::string informative;
        std::string extraButton;  // empty: none
    };
    const std::vector<Box>& boxes() const { return boxes_; }
    // Answers for the next message boxes, in order; Answer::Ok once they run out.
    std::deque<Answer> boxAnswers;
    // Called for every message box before it is answered (the dialog is "inside" the box).
    std::function<void(const Box&)> onBox;
    // Runs a child dialog; by default the child is opened on its own fake window and ended
    // with ResultCancel at once.
    std::function<int(DialogLogic&)> onChild;

    void fireTimer(int timer);

private:
    DialogLogic& logic_;
    VirtualClock& clock_;
    std::map<int, std::string> texts_;
    std::map<int, bool> checked_;
    std::map<int, int> selections_;
    std::map<int, std::vector<std::string>> items_;
    std::map<int, bool> enabled_;
    std::map<int, bool> visible_;
    std::map<int, bool> readOnly_;
    std::string title_;
    std::vector<Box> boxes_;
    bool opened_ = false;
    bool ended_ = false;
    int result_ = 0;
};

}  // namespace doxa::test
