#pragma once

#include <QDialog>
#include <map>
#include <set>

#include "dialog/dialog.h"
#include "host/dialog_layouts.h"

class QTimer;

namespace doxa {

// One of the program's texts as the screen shows it: in the language the program started in.
QString shownQText(std::string_view polish);

// The one message box of the program: titled "DOXA WIN", modal to `parent`.
Answer showMessageBox(QWidget* parent, std::string_view utf8, BoxIcon icon = BoxIcon::None,
                      BoxButtons buttons = BoxButtons::Ok, const BoxDetails& details = {});

// Shows any dialog: puts its layout on itself, binds every control named c<id> and forwards the
// widgets' events to the dialog's logic. Buttons, check and radio boxes report clicks as
// onCommand; line edits, text edits and drop-down lists report what the user changed as
// onChange (changes made through setText or setSelection are not reported).
class DialogHost : public QDialog, public DialogWindow {
    Q_OBJECT

public:
    DialogHost(DialogLogic& logic, QWidget* parent, LayoutLookup lookup = findLayout);
    ~DialogHost() override;

    // Runs the dialog modally and returns its end result. A dialog that refuses creation, or
    // that has no layout, shows nothing and gives ResultCancel.
    int run();
    // The control c<id> of the layout; nullptr when there is none.
    QWidget* control(int id) const;

    // Both the widget's and the window's meaning stay reachable.
    using QDialog::setVisible;
    using QWidget::setEnabled;

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

public slots:
    // Esc, the close box and any accepting button go through the logic, which decides.
    void accept() override;
    void reject() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void bindControls();
    void translateLayout();
    void bind(int id, QWidget* widget);
    void makeButtonOneTheDefault();
    // The logic hears nothing once the dialog has ended.
    bool listening() const { return attached_ && !ended_; }
    // Stops the timers and tells the logic the window is gone, once.
    void finish();
    QWidget* lookupControl(int id) const;

    DialogLogic& logic_;
    LayoutLookup lookup_;
    bool hasLayout_ = false;
    bool attached_ = false;
    bool ended_ = false;
    bool destroyed_ = false;
    // Set while the logic itself changes a control, so that only the user's edits are reported.
    bool settingText_ = false;
    std::map<int, QWidget*> controls_;
    std::map<QObject*, int> ids_;
    std::map<int, QTimer*> timers_;
    mutable std::set<int> reportedMissing_;
};

}  // namespace doxa
