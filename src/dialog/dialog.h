#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace doxa {

// Dialog end results, numbered like the buttons that usually give them.
enum DialogResult : int { ResultOk = 1, ResultCancel = 2 };

enum class BoxIcon { None, Information, Warning, Error };
enum class BoxButtons { Ok, OkCancel };
// Extra answers the box's extra button (BoxDetails::extraButton).
enum class Answer { Ok, Cancel, Extra };

// What a message box may show besides its text and buttons: an informative text below the
// text, and one more button, which answers Answer::Extra.
struct BoxDetails {
    std::string_view informative;
    std::string_view extraButton;
};

// Scroll-bar arrow and page codes forwarded by the host.
enum class Scroll { LineUp, LineDown, PageUp, PageDown };

class DialogLogic;

// What dialog logic may do to its window. Controls are addressed by their numeric id; the
// layout names them "c<id>".
class DialogWindow {
public:
    virtual ~DialogWindow() = default;

    virtual void setText(int id, std::string_view utf8) = 0;
    virtual std::string text(int id) const = 0;
    virtual void setChecked(int id, bool checked) = 0;
    virtual bool isChecked(int id) const = 0;
    // Drop-down lists and list boxes: the zero-based selected entry, -1 for none.
    virtual void setSelection(int id, int index) = 0;
    virtual int selection(int id) const = 0;
    // Replaces the entries of a list box or drop-down list; nothing is selected afterwards.
    virtual void setItems(int id, const std::vector<std::string>& utf8) = 0;
    virtual void setEnabled(int id, bool enabled) = 0;
    virtual void setVisible(int id, bool visible) = 0;
    virtual void setReadOnly(int id, bool readOnly) = 0;
    virtual void setTitle(std::string_view utf8) = 0;

    // (Re)starts a repeating timer; onTimer(timer) runs every `ms` until stopTimer.
    virtual void startTimer(int timer, int ms) = 0;
    virtual void stopTimer(int timer) = 0;
    // (Re)starts a timer whose first tick comes after `firstMs` and the next ones every `ms`; a
    // host that watches `ready` (the console host of doxa-cli --fast, every few ms) brings the
    // first tick forward to the moment it holds. Only fast exchanges start one; a host without
    // them keeps to `firstMs`.
    virtual void startWatchedTimer(int timer, int firstMs, int /*ms*/,
                                   std::function<bool()> /*ready*/) {
        startTimer(timer, firstMs);
    }

    virtual Answer messageBox(std::string_view utf8, BoxIcon icon = BoxIcon::None,
                              BoxButtons buttons = BoxButtons::Ok,
                              const BoxDetails& details = {}) = 0;
    // Runs a modal child dialog and returns its end result.
    virtual int runChild(DialogLogic& child) = 0;
    virtual void end(int result) = 0;
};

// What a dialog's logic handles. Every dialog of the program is one of these plus its layout.
class DialogLogic {
public:
    virtual ~DialogLogic() = default;

    // The dialog's resource number, which names its layout.
    virtual int layout() const = 0;
    // False refuses the dialog: nothing is shown and runDialog() returns ResultCancel.
    virtual bool canCreate() const { return true; }
    // The host attaches its window first, then calls onInit().
    void attach(DialogWindow& window) { window_ = &window; }
    virtual void onInit() {}
    // Default: button 1 ends with OK, button 2 with Cancel.
    virtual void onCommand(int id);
    virtual void onChange(int /*id*/) {}
    virtual void onFocus(int /*id*/, bool /*gained*/) {}
    virtual void onScroll(int /*id*/, Scroll /*code*/) {}
    virtual void onMouseDown(int /*x*/, int /*y*/) {}
    virtual void onTimer(int /*timer*/) {}
    // The window is going away, however it was closed.
    virtual void onDestroy() {}

protected:
    DialogWindow& window() const { return *window_; }

private:
    DialogWindow* window_ = nullptr;
};

}  // namespace doxa
