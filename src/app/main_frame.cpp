#include "app/main_frame.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QDockWidget>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPalette>
#include <QPushButton>
#include <QScreen>
#include <QSplitter>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include "app/application.h"
#include "host/dialog_host.h"
#include "host/folder_watch.h"
#include "app/help_window.h"
#include "link/screen_text.h"
#include "app/lock_indicators.h"
#include "history/history_store.h"
#include "app/main_menu.h"
#include "views/main_view.h"
#include "views/report_printer.h"
#include "views/traffic_log_pane.h"
#include "app/status_panel_bar.h"
#include "settings/shown_language.h"
#include "settings/settings_keys.h"
#include "views/trend_window.h"
#include "transmitter/station.h"

namespace doxa {

namespace {

constexpr auto WindowTitle = KEPT_TEXT("DOXA - DOXA WIN 7.1.32 ");
constexpr auto TitleAfterDocument = KEPT_TEXT(" - DOXA WIN 7.1.32 ");
constexpr auto DocumentFilter = UI_TEXT("Dane DOXA(*.prg)");
constexpr auto DocumentSuffix = "prg";
constexpr auto CsvFilter = UI_TEXT("Pliki CSV (*.csv)");
constexpr auto CsvSuffix = "csv";
constexpr auto RecentFilePrompt = UI_TEXT("Otwórz ten dokument");
// How wide a path may be in the recent-file entries before its middle gives way to "...".
constexpr int RecentFileWidth = 400;
// With the master password the main view starts with this many tenths of the screen height
// and the traffic log pane gets the rest.
constexpr int MasterViewTenths = 6;
constexpr auto IdlePrompt = UI_TEXT("Wciśnij F1, aby uzyskać pomoc ");
constexpr int ToolbarSlotSize = 60;
constexpr int LockPollMs = 500;
// How often the status bar looks at the records waiting for the service history's database,
// and how often their delivery is tried again.
constexpr int HistoryPollMs = 1000;
constexpr int HistoryRetryMs = 60 * 1000;
constexpr auto ToolbarTitle = UI_TEXT("Pasek narzędzi");
constexpr auto ForcedOutputHint = UI_TEXT(
    "Wyjście przetwornika jest ustawione na stałą wartość. Zwolnij je przyciskiem Zeruj w oknie "
    "Ustaw prąd wy.");
constexpr auto HistoryWaiting = UI_TEXT("Rekordy historii czekają na bazę: %1");
constexpr auto Yes = UI_TEXT("Tak");
constexpr auto No = UI_TEXT("Nie");
constexpr auto Cancel = UI_TEXT("Anuluj");

struct LockIndicator {
    LockKey key;
    const char* text;
};
constexpr std::array<LockIndicator, 3> lockIndicators = {{
    {LockKey::Caps, KEPT_TEXT("CAPS")},
    {LockKey::Num, KEPT_TEXT("NUM")},
    {LockKey::Scroll, KEPT_TEXT("SCR")},
}};

}  // namespace

MainFrame::MainFrame(Station& station, const ToolbarCommands& toolbar,
                     const WindowPlacement& placement)
    : station_(station) {
    const bool large =
        placement.width == LargeWindow.width && placement.height == LargeWindow.height;
    placeKey_ = large ? LargeMainWindowKey : MainWindowKey;
    splitKey_ = large ? LargeMainSplitKey : MainSplitKey;
    setWindowTitle(QString::fromUtf8(WindowTitle));
    commands_ = buildMainMenu(*menuBar(), *this, [this](int id) { runCommand(id); });
    auto* menuHelpKey = new MenuHelpKey(this, [this](int id) { showHelp(id); });
    for (QMenu* menu : menuBar()->findChildren<QMenu*>()) {
        connect(menu, &QMenu::aboutToShow, this, &MainFrame::refreshCommands);
        menu->installEventFilter(menuHelpKey);
    }
    createToolbar(toolbar);
    createStatusBar();
    createForcedOutputNotice();
    createStatusPanel();
    createSplitter();
    place(placement);
    refreshCommands();
}

MainFrame::~MainFrame() = default;

void MainFrame::attach(Application& application) {
    application_ = &application;
    refreshCommands();
}

void MainFrame::createToolbar(const ToolbarCommands& commands) {
    toolbar_ = addToolBar(shownQText(ToolbarTitle));
    toolbar_->setObjectName(QStringLiteral("toolbar"));
    toolbar_->setMovable(false);
    toolbar_->setFloatable(false);
    toolbar_->setContextMenuPolicy(Qt::PreventContextMenu);
    toolbar_->setIconSize(QSize(ToolbarImageSize, ToolbarImageSize));
    toolbar_->setToolButtonStyle(Qt::ToolButtonIconOnly);
    // Nine 60-pixel slots just fit the small window's width; the style's padding would not.
    toolbar_->layout()->setContentsMargins(0, 0, 0, 0);
    toolbar_->layout()->setSpacing(0);
    for (int slot = 0; slot < ToolbarSlotCount; ++slot) {
        const int id = commands[std::size_t(slot)];
        QAction* action = toolbar_->addAction(QIcon(toolbarImage(slot)), commandName(id));
        action->setData(id);
        action->setStatusTip(commandPrompt(id));
        action->setEnabled(false);
        if (id != CmdBlank) {
            connect(action, &QAction::triggered, this, [this, id] { runCommand(id); });
            commands_.append(action);
        }
        toolbar_->widgetForAction(action)->setFixedSize(ToolbarSlotSize, ToolbarSlotSize);
    }
}

void MainFrame::createStatusBar() {
    auto* prompt = new QLabel(shownQText(IdlePrompt));
    prompt->setObjectName(QStringLiteral("idlePrompt"));
    statusBar()->addWidget(prompt, 1);
    for (std::size_t i = 0; i < lockIndicators.size(); ++i) {
        auto* label = new QLabel;
        label->setObjectName(QString::fromLatin1(lockIndicators[i].text));
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        label->setAlignment(Qt::AlignCenter);
        label->setMinimumWidth(label->fontMetrics().horizontalAdvance(QStringLiteral("CAPS")) + 10);
        statusBar()->addPermanentWidget(label);
        lockLabels_[i] = label;
    }
    auto* poll = new QTimer(this);
    connect(poll, &QTimer::timeout, this, &MainFrame::showLockKeys);
    poll->start(LockPollMs);
    showLockKeys();
}

void MainFrame::showLockKeys() {
    for (std::size_t i = 0; i < lockIndicators.size(); ++i)
        lockLabels_[i]->setText(isLockOn(lockIndicators[i].key)
                                    ? QString::fromLatin1(lockIndicators[i].text)
                                    : QString());
}

void MainFrame::createForcedOutputNotice() {
    forcedOutputNotice_ = new QLabel;
    forcedOutputNotice_->setObjectName(QStringLiteral("forcedOutputNotice"));
    // Coloured through its palette: a style sheet would bring Qt's style-sheet engine into every
    // start, for a notice that is seldom shown.
    QPalette colours = forcedOutputNotice_->palette();
    colours.setColor(QPalette::Window, QColor(0xff, 0xd5, 0x4f));
    colours.setColor(QPalette::WindowText, Qt::black);
    forcedOutputNotice_->setPalette(colours);
    forcedOutputNotice_->setAutoFillBackground(true);
    QFont bold = forcedOutputNotice_->font();
    bold.setBold(true);
    forcedOutputNotice_->setFont(bold);
    forcedOutputNotice_->setContentsMargins(6, 0, 6, 0);
    forcedOutputNotice_->setToolTip(shownQText(ForcedOutputHint));
    forcedOutputNotice_->hide();
    statusBar()->addPermanentWidget(forcedOutputNotice_);
}

void MainFrame::showForcedOutput() {
    const std::string_view notice = application_ ? application_->forcedOutputNotice() : std::string_view{};
    forcedOutputNotice_->setText(shownQText(notice));
    forcedOutputNotice_->setVisible(!notice.empty());
}

void MainFrame::watchHistory(HistoryStore& history) {
    history_ = &history;
    historyNotice_ = new QLabel;
    historyNotice_->setObjectName(QStringLiteral("historyNotice"));
    historyNotice_->hide();
    statusBar()->addPermanentWidget(historyNotice_);
    auto* poll = new QTimer(this);
    connect(poll, &QTimer::timeout, this, &MainFrame::showHistoryWaiting);
    poll->start(HistoryPollMs);
    auto* retry = new QTimer(this);
    connect(retry, &QTimer::timeout, this, [this] {
        history_->retry();
        showHistoryWaiting();
    });
    retry->start(HistoryRetryMs);
    showHistoryWaiting();
}

void MainFrame::showHistoryWaiting() {
    const std::size_t waiting = history_->waiting();
    historyNotice_->setText(shownQText(formatText(HistoryWaiting, {std::to_string(waiting)})));
    historyNotice_->setToolTip(shownQText(history_->problem()));
    historyNotice_->setVisible(waiting > 0);
}

void MainFrame::createStatusPanel() {
    statusPanel_ = new StatusPanelBar(station_.statusPanel, this);
    auto* dock = new QDockWidget(this);
    dock->setObjectName(QStringLiteral("statusPanelDock"));
    dock->setTitleBarWidget(new QWidget(dock));
    dock->setFeatures(QDockWidget::NoDockWidgetFeatures);
    dock->setAllowedAreas(Qt::LeftDockWidgetArea);
    dock->setWidget(statusPanel_);
    addDockWidget(Qt::LeftDockWidgetArea, dock);
}

void MainFrame::createSplitter() {
    splitter_ = new QSplitter(Qt::Vertical, this);
    mainView_ = new MainView(station_);
    trafficLogPane_ = new TrafficLogPane(station_);
    splitter_->addWidget(mainView_);
    splitter_->addWidget(trafficLogPane_);
    // The main view takes the whole screen height, so the traffic log pane starts closed; the
    // master password leaves the pane its share of the window.
    const QScreen* screen = QGuiApplication::primaryScreen();
    const int height = screen ? screen->availableGeometry().height() : 1;
    const int view = station_.hasMasterAccess() ? height / 10 * MasterViewTenths : height;
    splitter_->setSizes({view, height - view});
    restoreSizes(station_.settings, splitKey_, *splitter_);
    setCentralWidget(splitter_);
}

void MainFrame::place(const WindowPlacement& placement) {
    if (restorePlace(station_.settings, placeKey_, *this)) return;
    move(placement.x, placement.y);
    resize(placement.width, placement.height);
}

int MainFrame::runDialog(DialogLogic& dialog) {
    DialogHost host(dialog, this);
    const int result = host.run();
    refreshCommands();
    return result;
}

void MainFrame::showMessage(std::string_view utf8, std::string_view informative) {
    showMessageBox(this, utf8, BoxIcon::Information, BoxButtons::Ok, {informative, {}});
}

void MainFrame::repaintView() { mainView_->viewport()->update(); }

void MainFrame::printReport() { doxa::printReport(this, station_.device); }

void MainFrame::exportReportPdf() {
    doxa::exportReportPdf(this, station_.device,
                          RememberedFolder(station_.settings, FileKind::Export));
}

void MainFrame::showHelp(int commandId) {
    if (!helpWindow_)
        helpWindow_ = new HelpWindow(this, shownLanguage());
    helpWindow_->showFor(commandId);
}

void MainFrame::closeMainWindow() { close(); }

std::string MainFrame::askOpenPath() {
    // Configurations are usually kept together: start where one was last chosen, or else where
    // the newest one is.
    RememberedFolder configurations(station_.settings, FileKind::Configuration);
    QString folder = configurations.folder();
    if (folder.isEmpty() && application_ && !application_->recentFiles().empty())
        folder = QFileInfo(QFile::decodeName(application_->recentFiles().front().c_str())).path();
    const QString path =
        QFileDialog::getOpenFileName(this, QString(), folder, shownQText(DocumentFilter));
    configurations.keep(path);
    return QFile::encodeName(path).toStdString();
}

std::string MainFrame::askSavePath(std::string_view suggested) {
    return askSavePathOf(suggested, DocumentFilter, DocumentSuffix, FileKind::Configuration);
}

std::string MainFrame::askCsvSavePath(std::string_view suggested) {
    return askSavePathOf(suggested, CsvFilter, CsvSuffix, FileKind::Export);
}

std::string MainFrame::askSavePathOf(std::string_view suggested, const char* filter,
                                     const char* suffix, FileKind kind) {
    RememberedFolder folder(station_.settings, kind);
    QFileDialog dialog(this, QString(), folder.folder(), shownQText(filter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QString::fromLatin1(suffix));
    dialog.selectFile(
        folder.place(QFile::decodeName(QByteArray(suggested.data(), qsizetype(suggested.size())))));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    const QString chosen = dialog.selectedFiles().constFirst();
    folder.keep(chosen);
    return QFile::encodeName(chosen).toStdString();
}

void MainFrame::setDocumentTitle(std::string_view title) {
    setWindowTitle(QFile::decodeName(QByteArray(title.data(), qsizetype(title.size()))) +
                   QString::fromUtf8(TitleAfterDocument));
}

LiveValuesObserver* MainFrame::showTrend() {
    // The plot belongs to the modal dialog that asks for it: only its own windows take input
    // while it runs, and it goes away with it.
    QWidget* dialog = QApplication::activeModalWidget();
    QWidget* owner = dialog ? dialog : this;
    auto* trend = owner->findChild<TrendWindow*>(QString(), Qt::FindDirectChildrenOnly);
    if (!trend) trend = new TrendWindow(owner, station_.settings);
    trend->showBeside(*owner);
    return trend;
}

std::unique_ptr<FolderWatch> MainFrame::watchFolders(const std::vector<std::string>& folders,
                                                     std::function<void()> changed) {
    return watchFoldersWithQt(folders, std::move(changed));
}

Choice MainFrame::askYesNoCancel(std::string_view utf8) {
    QMessageBox box(QMessageBox::Warning, QStringLiteral("DOXA WIN"), shownQText(utf8),
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, this);
    box.button(QMessageBox::Yes)->setText(shownQText(Yes));
    box.button(QMessageBox::No)->setText(shownQText(No));
    box.button(QMessageBox::Cancel)->setText(shownQText(Cancel));
    box.setDefaultButton(QMessageBox::Yes);
    switch (box.exec()) {
        case QMessageBox::Yes: return Choice::Yes;
        case QMessageBox::No: return Choice::No;
        default: return Choice::Cancel;
    }
}

bool MainFrame::confirmWarning(std::string_view utf8) {
    return showMessageBox(this, utf8, BoxIcon::Warning, BoxButtons::OkCancel) == Answer::Ok;
}

void MainFrame::closeEvent(QCloseEvent* event) {
    if (application_ && !application_->mayClose()) {
        showForcedOutput();
        event->ignore();
        return;
    }
    if (application_) application_->shutDown();
    if (helpWindow_) helpWindow_->close();
    rememberPlace(station_.settings, placeKey_, *this);
    rememberSizes(station_.settings, splitKey_, *splitter_);
    event->accept();
}

void MainFrame::runCommand(int commandId) {
    if (!application_) return;
    application_->onCommand(commandId);
    refreshCommands();
}

void MainFrame::refreshCommands() {
    for (QAction* action : commands_) {
        const int id = action->data().toInt();
        action->setEnabled(application_ && application_->isEnabled(id));
        // Only a checked item is checkable, so unchecked items show no empty box.
        const bool checked = application_ && application_->isChecked(id);
        action->setCheckable(checked);
        action->setChecked(checked);
    }
    refreshRecentFiles();
    showForcedOutput();
}

void MainFrame::refreshRecentFiles() {
    QAction* placeholder = nullptr;
    for (QAction* action : std::as_const(commands_))
        if (action->data().toInt() == CmdRecentFile) placeholder = action;
    auto* menu = placeholder ? qobject_cast<QMenu*>(placeholder->parent()) : nullptr;
    if (!menu) return;
    // The entry that was just chosen may still be delivering its signal.
    for (QAction* action : std::as_const(recentFileActions_)) {
        menu->removeAction(action);
        action->deleteLater();
    }
    recentFileActions_.clear();
    const std::vector<std::string> files =
        application_ ? application_->recentFiles() : std::vector<std::string>();
    placeholder->setVisible(files.empty());
    for (std::size_t i = 0; i < files.size(); ++i) {
        const QString path = QDir::toNativeSeparators(QFile::decodeName(files[i].c_str()));
        const QString shown = fontMetrics().elidedText(path, Qt::ElideMiddle, RecentFileWidth);
        auto* action = new QAction(
            QStringLiteral("&%1 %2").arg(i + 1).arg(QString(shown).replace('&', "&&")), menu);
        const int id = CmdRecentFile + int(i);
        action->setData(id);
        action->setStatusTip(shownQText(RecentFilePrompt));
        connect(action, &QAction::triggered, this, [this, id] { runCommand(id); });
        menu->insertAction(placeholder, action);
        recentFileActions_.append(action);
    }
}

std::unique_ptr<MainFrame> createMainFrame(Station& station) {
    const AccessLevel access = decideAccess(station, [](DialogLogic& dialog) {
        DialogHost host(dialog, nullptr);
        return host.run();
    });
    // Building the window takes a moment the technician should not take for a hang.
    if (access.asked) QApplication::setOverrideCursor(Qt::WaitCursor);
    auto frame = std::make_unique<MainFrame>(station, access.toolbar, access.placement);
    if (access.asked) QApplication::restoreOverrideCursor();
    return frame;
}

}  // namespace doxa
