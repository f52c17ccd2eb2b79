#include "app/help_window.h"

#include <QScrollBar>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include "dialog/command_ids.h"
#include "dialog/screen_text.h"
#include "host/dialog_host.h"

// Resources of a static library must be pulled in by name, and only from the global namespace.
static void loadHelpResources() { Q_INIT_RESOURCE(app_resources); }

namespace doxa {

namespace {
constexpr auto GuideUrl = "qrc:/help/pomoc.html";
constexpr auto UsingHelpAnchor = "pomoc";
constexpr auto Title = UI_TEXT("DOXA WIN - Pomoc");
}  // namespace

HelpWindow::HelpWindow(QWidget* parent) : QDialog(parent), browser_(new QTextBrowser(this)) {
    loadHelpResources();
    setWindowTitle(shownQText(Title));
    setModal(false);
    browser_->setOpenExternalLinks(false);
    browser_->setSource(QUrl(QString::fromLatin1(GuideUrl)));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(browser_);
    resize(640, 560);
}

void HelpWindow::showFor(int commandId) {
    browser_->setSource(QUrl(QString::fromLatin1(GuideUrl)));
    if (commandId == CmdHelpUsing)
        browser_->scrollToAnchor(QString::fromLatin1(UsingHelpAnchor));
    else
        browser_->verticalScrollBar()->setValue(0);
    show();
    raise();
    activateWindow();
}

QString HelpWindow::guideText() const { return browser_->toPlainText(); }

}  // namespace doxa
