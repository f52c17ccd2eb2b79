#include "app/help_window.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QScrollBar>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>
#include <array>
#include <utility>

#include "dialog/command_ids.h"

// Resources of a static library must be pulled in by name, and only from the global namespace.
static void loadHelpResources() { Q_INIT_RESOURCE(app_resources); }

namespace doxa {

namespace {

struct GuidePart {
    int commandId;
    const char* anchor;
};
constexpr std::array<GuidePart, 12> GuideParts{{
    {CmdHelpUsing, "pomoc"},
    {CmdPort, "porty"},
    {CmdBackups, "kopie"},
    {CmdConfirmWrites, "kopie"},
    {CmdFindTransmitter, "szukaj"},
    {CmdLineStatistics, "statystyka"},
    {CmdHistory, "historia"},
    {CmdCalibrationProcedure, "procedura"},
    {CmdReferenceInstruments, "wzorce"},
    {CmdReferenceInstrument, "tolerancje"},
    {CmdLanguagePolish, "jezyk"},
    {CmdLanguageEnglish, "jezyk"},
}};

}  // namespace

QString guidePath(Language language) {
    return QString::fromLatin1(language == Language::English ? ":/help/en/help.html"
                                                             : ":/help/pomoc.html");
}

QString guideAnchor(int commandId) {
    for (const GuidePart& part : GuideParts)
        if (part.commandId == commandId) return QString::fromLatin1(part.anchor);
    return {};
}

HelpWindow::HelpWindow(QWidget* parent, Language language)
    : QDialog(parent), browser_(new QTextBrowser(this)), language_(language) {
    loadHelpResources();
    setWindowTitle(language == Language::English ? QStringLiteral("DOXA WIN - Help")
                                                 : QStringLiteral("DOXA WIN - Pomoc"));
    setModal(false);
    browser_->setOpenExternalLinks(false);
    browser_->setSource(guideUrl());
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(browser_);
    resize(640, 560);
}

QUrl HelpWindow::guideUrl() const { return QUrl(QLatin1String("qrc") + guidePath(language_)); }

void HelpWindow::showFor(int commandId) {
    browser_->setSource(guideUrl());
    const QString anchor = guideAnchor(commandId);
    if (anchor.isEmpty())
        browser_->verticalScrollBar()->setValue(0);
    else
        browser_->scrollToAnchor(anchor);
    show();
    raise();
    activateWindow();
}

QString HelpWindow::guideText() const { return browser_->toPlainText(); }

MenuHelpKey::MenuHelpKey(QObject* parent, std::function<void(int)> showHelp)
    : QObject(parent), showHelp_(std::move(showHelp)) {}

bool MenuHelpKey::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress || static_cast<QKeyEvent*>(event)->key() != Qt::Key_F1)
        return false;
    auto* menu = qobject_cast<QMenu*>(watched);
    const QAction* item = menu ? menu->activeAction() : nullptr;
    if (!item || item->menu() || item->data().toInt() == 0) return false;
    const int commandId = item->data().toInt();
    // The whole menu goes, submenus and the bar's open menu with it, so the guide is not hidden
    // behind it.
    while (QWidget* popup = QApplication::activePopupWidget()) popup->close();
    showHelp_(commandId);
    return true;
}

}  // namespace doxa
