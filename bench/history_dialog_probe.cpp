// Opens "Historia przetwornika..." in its window on the history named, as doxa-win does (its
// queries on a worker thread), and ends as soon as the history's answer is listed: the history
// benchmark measures it. Usage: history_dialog_probe DATABASE (on the offscreen platform)
// Exits 0 once transmitters are listed, 1 when the history's answer lists none.

#include <QApplication>
#include <QListWidget>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "history/history_dlg.h"
#include "history/history_store.h"
#include "history/history_worker.h"
#include "host/dialog_host.h"

namespace {

constexpr std::string_view Connecting = "Łączenie z bazą...";

// Only the way up is measured: nothing is taken down, the worker's thread is not waited for.
[[noreturn]] void endWith(int status) {
    std::fflush(nullptr);
    std::_Exit(status);
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: history_dialog_probe DATABASE\n");
        return 2;
    }
    const std::string database = argv[1];
    const auto history = doxa::historyWithoutDelivery(database);
    doxa::HistoryWorker worker([database] { return doxa::historyWithoutDelivery(database); });
    doxa::CHistoryDlg logic(*history, worker, [](std::string_view) { return std::string(); });
    doxa::DialogHost host(logic, nullptr);
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&host] {
        if (host.text(doxa::CHistoryDlg::StatusText) == Connecting) return;
        const auto* transmitters = qobject_cast<QListWidget*>(host.control(doxa::CHistoryDlg::Transmitters));
        endWith(transmitters && transmitters->count() > 0 ? 0 : 1);
    });
    watch.start(1);
    host.run();
    endWith(1);
}
