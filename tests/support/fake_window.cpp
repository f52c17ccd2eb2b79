#include "support/fake_window.h"

#include "support/virtual_clock.h"

namespace doxa::test {

namespace {
template <typename Map, typename Value>
Value lookup(const Map& map, int id, Value fallback) {
    auto it = map.find(id);
    return it == map.end() ? fallback : it->second;
}
}  // namespace

FakeWindow::FakeWindow(DialogLogic& logic, VirtualClock& clock) : logic_(logic), clock_(clock) {}

FakeWindow::~FakeWindow() { clock_.stopAll(this); }

bool FakeWindow::open() {
    if (!logic_.canCreate()) {
        ended_ = true;
        result_ = ResultCancel;
        return false;
    }
    opened_ = true;
    logic_.attach(*this);
    logic_.onInit();
    return true;
}

void FakeWindow::click(int id) {
    if (!ended_) logic_.onCommand(id);
}

void FakeWindow::type(int id, std::string_view utf8) {
    texts_[id] = std::string(utf8);
    if (!ended_) logic_.onChange(id);
}

void FakeWindow::focus(int id) {
    if (!ended_) logic_.onFocus(id, true);
}

void FakeWindow::leave(int id) {
    if (!ended_) logic_.onFocus(id, false);
}

void FakeWindow::choose(int id, int index) {
    selections_[id] = index;
    if (!ended_) logic_.onChange(id);
}

void FakeWindow::close() { click(ResultCancel); }

void FakeWindow::setText(int id, std::string_view utf8) { texts_[id] = std::string(utf8); }
std::string FakeWindow::text(int id) const { return lookup(texts_, id, std::string()); }
void FakeWindow::setChecked(int id, bool checked) { checked_[id] = checked; }
bool FakeWindow::isChecked(int id) const { return lookup(checked_, id, false); }
void FakeWindow::setSelection(int id, int index) { selections_[id] = index; }
int FakeWindow::selection(int id) const { return lookup(selections_, id, -1); }
void FakeWindow::setItems(int id, const std::vector<std::string>& utf8) {
    items_[id] = utf8;
    selections_[id] = -1;
}
const std::vector<std::string>& FakeWindow::items(int id) const {
    static const std::vector<std::string> none;
    const auto it = items_.find(id);
    return it == items_.end() ? none : it->second;
}
void FakeWindow::setEnabled(int id, bool enabled) { enabled_[id] = enabled; }
void FakeWindow::setVisible(int id, bool visible) { visible_[id] = visible; }
void FakeWindow::setReadOnly(int id, bool readOnly) { readOnly_[id] = readOnly; }
void FakeWindow::setTitle(std::string_view utf8) { title_ = std::string(utf8); }
bool FakeWindow::isEnabled(int id) const { return lookup(enabled_, id, true); }
bool FakeWindow::isVisible(int id) const { return lookup(visible_, id, true); }
bool FakeWindow::isReadOnly(int id) const { return lookup(readOnly_, id, false); }

void FakeWindow::startTimer(int timer, int ms) {
    if (!ended_) clock_.start(this, timer, ms);
}

void FakeWindow::stopTimer(int timer) { clock_.stop(this, timer); }
bool FakeWindow::timerRunning(int timer) const { return clock_.isRunning(this, timer); }
int FakeWindow::timerInterval(int timer) const { return clock_.interval(this, timer); }

Answer FakeWindow::messageBox(std::string_view utf8, BoxIcon icon, BoxButtons buttons,
                              const BoxDetails& details) {
    boxes_.push_back(Box{std::string(utf8), icon, buttons, std::string(details.informative),
                         std::string(details.extraButton)});
    if (onBox) onBox(boxes_.back());
    if (boxAnswers.empty()) return Answer::Ok;
    Answer answer = boxAnswers.front();
    boxAnswers.pop_front();
    return answer;
}

int FakeWindow::runChild(DialogLogic& child) {
    if (onChild) return onChild(child);
    FakeWindow childWindow(child, clock_);
    if (!childWindow.open()) return ResultCancel;
    childWindow.end(ResultCancel);
    return ResultCancel;
}

void FakeWindow::end(int result) {
    if (ended_) return;
    ended_ = true;
    result_ = result;
    clock_.stopAll(this);
    if (opened_) logic_.onDestroy();
}

void FakeWindow::fireTimer(int timer) {
    if (!ended_) logic_.onTimer(timer);
}

}  // namespace doxa::test
