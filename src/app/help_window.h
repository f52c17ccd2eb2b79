#pragma once

#include <QDialog>

class QTextBrowser;

namespace doxa {

// The user guide, in a window of its own that stays open beside the main window.
class HelpWindow : public QDialog {
    Q_OBJECT

public:
    explicit HelpWindow(QWidget* parent);

    // Shows the guide at the part a help command asks for.
    void showFor(int commandId);
    QString guideText() const;

private:
    QTextBrowser* browser_;
};

}  // namespace doxa
