#include "cli/history_keeper.h"

#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <iostream>

#include "cli/commands.h"
#include "link/screen_text.h"
#include "history/history_csv.h"

namespace doxa::cli {

namespace {

// What the thread that puts a record into the local file after a stop leaves behind for the
// caller, who may no longer be waiting for it.
struct Rescue {
    std::string problem;
    std::atomic<bool> kept{false};
};

}  // namespace

HistoryKeeper::~HistoryKeeper() {
    if (!stopped()) thread_.run([store = store_] { store->reset(); });
}

bool HistoryKeeper::open(const std::string& database) {
    database_ = database;
    return thread_.run([store = store_, database] { *store = openHistory(database); }) ==
           WatchedThread::Outcome::Done;
}

void HistoryKeeper::record(const ServiceRecord& record) {
    const PendingRecord stamped = (*store_)->stamped(record);
    if (!stopped() && thread_.run([store = store_, stamped] { (*store)->keep(stamped); }) ==
                          WatchedThread::Outcome::Done)
        return;
    const bool firstStop = !stoppedAt_;
    if (firstStop) stoppedAt_ = std::chrono::steady_clock::now();
    keepAfterStop(stamped);
    // The signal this wait took is the command's to end on.
    if (firstStop) ::kill(::getpid(), thread_.stopSignal());
}

// The record goes where it would wait for the database had that been out of reach, on a
// connection of a thread of its own: the store's thread may hold its own connections up.
void HistoryKeeper::keepAfterStop(const PendingRecord& record) {
    const auto rescue = std::make_shared<Rescue>();
    WatchedThread thread;
    const auto outcome = thread.runUntil(
        [rescue, database = database_, record] {
            const auto store = historyWithoutDelivery(database);
            const bool kept = store->keepInLocalFile(record);
            rescue->problem = store->problem();
            rescue->kept = kept;
        },
        *stoppedAt_ + RescueTime);
    if (outcome == WatchedThread::Outcome::Done && rescue->kept) {
        console_.error(formatText(UI_TEXT("zatrzymano w trakcie zachowywania rekordu serwisowego; trafił do %1"),
                                  {HistoryStore::defaultPath()}));
        return;
    }
    recordLost_ = true;
    const std::string why = outcome == WatchedThread::Outcome::Done
                                ? rescue->problem
                                : UI_TEXT("plik lokalny nie przyjął go w ciągu sekundy");
    console_.error(formatText(
        UI_TEXT("zatrzymano w trakcie zachowywania rekordu serwisowego; nie udało się go zachować (%1), oto on:"),
        {why}));
    std::cerr << historyJson(record.stored) << '\n' << std::flush;
}

}  // namespace doxa::cli
