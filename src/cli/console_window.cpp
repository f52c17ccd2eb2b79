#include "cli/console_window.h"

#include "cli/console.h"
#include "cli/console_loop.h"

namespace doxa::cli {

ConsoleWindow::~ConsoleWindow() { loop_.stopAll(this); }

ConsoleWindow::End ConsoleWindow::run(DialogLogic& logic, const std::function<bool()>& finished) {
    if (!logic.canCreate()) return End::Ended;
    logic_ = &logic;
    logic.attach(*this);
    logic.onInit();
    bool acceptedWhenIdle = false;
    End end = End::Ended;
    for (;;) {
        if (ended_) break;
        if (finished && finished()) {
            end = End::Finished;
            break;
        }
        if (loop_.interrupted()) {
            end = End::Interrupted;
            break;
        }
        if (!loop_.hasTimers(this)) {
            // A modal child waiting for its OK gets it, as a message box gets its default.
            if (childWindow_ && !acceptedWhenIdle) {
                acceptedWhenIdle = true;
                logic.onCommand(ResultOk);
                continue;
            }
            end = End::Idle;
            break;
        }
        const ConsoleLoop::Step step = loop_.step();
        if (step == ConsoleLoop::Step::Deadline) {
            end = End::TimedOut;
            break;
        }
    }
    loop_.stopAll(this);
    logic.onDestroy();
    console_.endProgress();
    logic_ = nullptr;
    return end;
}

void ConsoleWindow::fire(int timer) {
    if (logic_) logic_->onTimer(timer);
}

bool ConsoleWindow::isVisible(int id) const {
    const auto it = visible_.find(id);
    return it == visible_.end() || it->second;
}

void ConsoleWindow::setText(int id, std::string_view utf8) {
    std::string& kept = texts_[id];
    kept = utf8;
    if (progressIds_.contains(id)) console_.progress(kept);
    if (onText) onText(id, kept);
}

std::string ConsoleWindow::text(int id) const {
    const auto it = texts_.find(id);
    return it == texts_.end() ? std::string() : it->second;
}

void ConsoleWindow::setChecked(int id, bool checked) { checked_[id] = checked; }

bool ConsoleWindow::isChecked(int id) const {
    const auto it = checked_.find(id);
    return it != checked_.end() && it->second;
}

void ConsoleWindow::setSelection(int id, int index) { selections_[id] = index; }

void ConsoleWindow::setItems(int id, const std::vector<std::string>& utf8) { items_[id] = utf8; }

int ConsoleWindow::selection(int id) const {
    const auto it = selections_.find(id);
    return it == selections_.end() ? -1 : it->second;
}

// Nobody clicks or types here, so whether a control would take input does not matter.
void ConsoleWindow::setEnabled(int, bool) {}
void ConsoleWindow::setReadOnly(int, bool) {}
void ConsoleWindow::setTitle(std::string_view) {}

void ConsoleWindow::setVisible(int id, bool visible) { visible_[id] = visible; }

void ConsoleWindow::startTimer(int timer, int ms) { loop_.start(this, timer, ms); }

void ConsoleWindow::stopTimer(int timer) { loop_.stop(this, timer); }

void ConsoleWindow::startWatchedTimer(int timer, int firstMs, int ms, std::function<bool()> ready) {
    loop_.startWatched(this, timer, firstMs, ms, std::move(ready));
}

void ConsoleWindow::click(int id) {
    if (logic_) logic_->onCommand(id);
}

Answer ConsoleWindow::messageBox(std::string_view utf8, BoxIcon, BoxButtons buttons,
                                 const BoxDetails&) {
    if (answerBox) return answerBox(utf8, buttons);
    console_.error(utf8);
    return Answer::Ok;
}

int ConsoleWindow::runChild(DialogLogic& child) {
    ConsoleWindow window(loop_, console_);
    window.childWindow_ = true;
    window.progressIds_ = progressIds_;
    window.answerBox = answerBox;
    window.run(child);
    return window.result();
}

void ConsoleWindow::end(int result) {
    ended_ = true;
    result_ = result;
}

}  // namespace doxa::cli
