#pragma once

#include <QDialog>
#include <QString>
#include <functional>

#include "settings/language.h"

class QTextBrowser;

namespace doxa {

// The guide in the language the program speaks: a Qt resource path.
QString guidePath(Language language);

// The part of the guide that tells about a menu command; empty for the guide's beginning. The
// anchors are the same in every language.
QString guideAnchor(int commandId);

// The user guide, in a window of its own that stays open beside the main window.
class HelpWindow : public QDialog {
    Q_OBJECT

public:
    HelpWindow(QWidget* parent, Language language);

    // Shows the guide at the part about a command; at its beginning for the help commands and
    // for any command it has no part of its own for.
    void showFor(int commandId);
    QString guideText() const;

private:
    QUrl guideUrl() const;

    QTextBrowser* browser_;
    Language language_;
};

// F1 on a highlighted menu command closes the menu and asks for the guide's part about that
// command, as desktop programs give help on a menu item; install it on every menu.
class MenuHelpKey : public QObject {
    Q_OBJECT

public:
    MenuHelpKey(QObject* parent, std::function<void(int commandId)> showHelp);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<void(int)> showHelp_;
};

}  // namespace doxa
