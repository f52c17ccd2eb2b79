#include <QApplication>
#include <QEvent>
#include <QFile>
#include <QLibraryInfo>
#include <QLocale>
#include <QTimer>
#include <QTranslator>
#include <QWindow>
#include <cstdio>
#include <cstdlib>
#include <functional>

#include "app/application.h"
#include "history/certificate_printer.h"
#include "history/history_store.h"
#include "history/history_worker.h"
#include "history/instrument_register.h"
#include "host/dialog_host.h"
#include "link/port.h"
#include "sim/line_factory.h"
#include "app/main_frame.h"
#include "app/qt_settings_store.h"
#include "app/toolbar_images.h"
#include "settings/start_up.h"
#include "settings/shown_language.h"
#include "transmitter/station.h"

namespace {

// A configuration file named on the command line, as a desktop opens a document; empty when
// none was named.
std::string documentArgument(const QStringList& arguments) {
    for (qsizetype i = 1; i < arguments.size(); ++i)
        if (!arguments[i].startsWith(QLatin1Char('-')))
            return QFile::encodeName(arguments[i]).toStdString();
    return {};
}

// Qt's own dialogs (file, print) speak the program's language: Polish from Qt's translation,
// English as they are.
void loadPolishQtTexts(QApplication& app, QTranslator& translator) {
    if (doxa::shownLanguage() != doxa::Language::Polish) return;
    if (translator.load(QLocale(QLocale::Polish), QStringLiteral("qtbase"), QStringLiteral("_"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        app.installTranslator(&translator);
}

// Runs `then` once the window has been painted for the first time, so that the main window is
// on the screen before start-up builds its first dialog. A window the desktop never exposes (one
// started minimised, say) gets it after a second all the same.
class AfterFirstPaint : public QObject {
public:
    AfterFirstPaint(QWidget& window, std::function<void()> then)
        : QObject(&window), window_(window.windowHandle()), then_(std::move(then)) {
        window_->installEventFilter(this);
        QTimer::singleShot(UnexposedMs, this, [this] { run(); });
    }

    bool eventFilter(QObject*, QEvent* event) override {
        // The window paints while it handles the expose; what is queued now comes after that.
        if (event->type() == QEvent::Expose && window_->isExposed())
            QTimer::singleShot(0, this, [this] { run(); });
        return false;
    }

private:
    static constexpr int UnexposedMs = 1000;

    void run() {
        if (!then_) return;
        window_->removeEventFilter(this);
        const std::function<void()> then = std::move(then_);
        then_ = nullptr;
        then();
    }

    QWindow* window_;
    std::function<void()> then_;
};

int runDoxaWin(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("DOXA WIN"));
    doxa::QtSettingsStore settings;
    doxa::takeDoxaWinDefaults(settings);
    doxa::startChosenLanguage(settings);
    QTranslator qtTexts;
    doxa::Station station(settings);
    station.makeLine = doxa::makeLineFactory(settings);
    const std::string historyDatabase = doxa::storedHistoryDatabase(settings);
    // Nothing of the database is loaded before the window is up: the records an earlier run left
    // waiting are looked for once it has been painted.
    const std::unique_ptr<doxa::HistoryStore> history =
        doxa::historyWithoutDelivery(historyDatabase, doxa::Delivery::InBackground);
    doxa::HistoryWorker historyWorker([historyDatabase] { return doxa::historyWithoutDelivery(historyDatabase); });
    station.recorder = history.get();
    const std::unique_ptr<doxa::HistoryInstrumentRegister> instruments =
        doxa::attachInstrumentRegister(station, historyDatabase);
    const std::unique_ptr<doxa::MainFrame> window = doxa::createMainFrame(station);
    doxa::MainFrame& frame = *window;
    station.showMessage = [&frame](std::string_view utf8, std::string_view informative) {
        frame.showMessage(utf8, informative);
    };
    // A frame still on the line holds back the next write or driver turn (a dialog's close
    // sequence among them) until the event loop comes back for it.
    station.wakeForLineWork = [&frame, &station](int ms) {
        QTimer::singleShot(ms, &frame, [&station] { doxa::carryOutLineWork(station); });
    };
    doxa::Application application(station, frame);
    application.keepBackupsIn(doxa::defaultBackupFolder());
    application.showHistoryFrom(*history, historyWorker);
    application.editInstrumentsIn(*instruments);
    frame.watchHistory(*history);
    application.showCertificatesWith([&frame, &settings](const doxa::Certificate& certificate) {
        doxa::showCertificate(QApplication::activeWindow() ? QApplication::activeWindow() : &frame,
                              certificate,
                              doxa::RememberedFolder(settings, doxa::FileKind::Certificate));
    });
    frame.attach(application);
    frame.show();
    // Start-up runs modal dialogs, so it runs inside the event loop.
    const std::string document = documentArgument(QApplication::arguments());
    new AfterFirstPaint(frame, [&app, &qtTexts, &application, &frame, &settings, &history, document] {
        // What the first window does not show waits until it is up: the icon the desktop is given
        // (drawn at all its sizes), Qt's own texts (its dialogs come later), the history's records.
        QApplication::setWindowIcon(doxa::applicationIcon());
        loadPolishQtTexts(app, qtTexts);
        history->retry();
        if (!settings.notice().empty()) frame.showMessage(settings.notice());
        application.startUp(document);
    });
    return app.exec();
}

}  // namespace

int main(int argc, char* argv[]) {
    const int status = runDoxaWin(argc, argv);
    // A delivery of the history still held up by the network is not waited for: its records stay
    // in the local file for the next start, and the process ends without taking the database
    // libraries down under it, nor under a listing left waiting for the server.
    if (doxa::BackgroundDelivery::running() > 0 || doxa::HistoryWorker::running() > 0) {
        std::fflush(nullptr);
        std::_Exit(status);
    }
    return status;
}
