#include "history/history_delivery.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <thread>

namespace doxa {

namespace {

// How long quitting waits for a delivery under way.
constexpr std::chrono::seconds QuitGrace{2};

std::atomic<int> runningThreads{0};

}  // namespace

bool deliverWaiting(HistoryDatabase& local, HistoryDatabase& database, WaitingRecords& waiting,
                    const std::string& destination) {
    std::vector<PendingRecord> queued;
    if (!local.pending(destination, queued) || queued.empty()) return true;
    const bool delivered = database.insert(HistoryTable::Records, queued);
    const std::lock_guard hold(waiting.lock);
    if (delivered) {
        local.remove(HistoryTable::Waiting, queued);
        for (const PendingRecord& r : queued) waiting.ownInLocalFile.erase(r.uid);
    }
    local.countWaiting(destination, waiting.inLocalFile);
    waiting.delivery(database.problem());
    return delivered;
}

// Shared by the program and the thread, so that a thread left to end by itself still has it.
struct BackgroundDelivery::Thread {
    std::string database;
    std::string localFile;
    std::shared_ptr<WaitingRecords> waiting;
    std::mutex lock;
    std::condition_variable changed;
    bool woken = false;
    bool stopping = false;
    bool ended = false;

    static void run(std::shared_ptr<Thread> self) {
        self->deliverWhenWoken();
        {
            const std::lock_guard hold(self->lock);
            self->ended = true;
            self->changed.notify_all();
        }
        self.reset();
        --runningThreads;
    }

    // The connections are made, used and closed in this thread.
    void deliverWhenWoken() {
        HistoryDatabase target(database);
        HistoryDatabase local(localFile);
        const std::string destination = destinationOf(database);
        std::unique_lock hold(lock);
        for (;;) {
            changed.wait(hold, [this] { return woken || stopping; });
            if (!woken) return;
            woken = false;
            hold.unlock();
            deliverWaiting(local, target, *waiting, destination);
            hold.lock();
        }
    }
};

BackgroundDelivery::BackgroundDelivery(std::string database, std::string localFile,
                                       std::shared_ptr<WaitingRecords> waiting)
    : thread_(std::make_shared<Thread>()) {
    thread_->database = std::move(database);
    thread_->localFile = std::move(localFile);
    thread_->waiting = std::move(waiting);
    ++runningThreads;
    std::thread(Thread::run, thread_).detach();
}

BackgroundDelivery::~BackgroundDelivery() {
    std::unique_lock hold(thread_->lock);
    thread_->stopping = true;
    thread_->changed.notify_all();
    thread_->changed.wait_for(hold, QuitGrace, [this] { return thread_->ended; });
}

int BackgroundDelivery::running() { return runningThreads; }

void BackgroundDelivery::wake() {
    const std::lock_guard hold(thread_->lock);
    thread_->woken = true;
    thread_->changed.notify_all();
}

}  // namespace doxa
