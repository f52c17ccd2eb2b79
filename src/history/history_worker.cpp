#include "history/history_worker.h"

#include <atomic>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

namespace doxa {

namespace {

std::atomic<int> runningThreads{0};

}  // namespace

// Shared by the worker and its thread, so that an abandoned thread still has it.
struct HistoryWorker::Thread {
    std::mutex lock;
    std::condition_variable changed;
    std::deque<Job> jobs;
    bool abandoned = false;

    static void run(std::shared_ptr<Thread> self, Open open) {
        self->serve(open);
        self.reset();
        --runningThreads;
    }

    // The history is opened, used and closed on this thread.
    void serve(const Open& open) {
        const std::unique_ptr<HistoryQuery> history = open();
        std::unique_lock hold(lock);
        for (;;) {
            changed.wait(hold, [this] { return !jobs.empty() || abandoned; });
            if (abandoned) return;
            Job job = std::move(jobs.front());
            jobs.pop_front();
            hold.unlock();
            job(*history);
            hold.lock();
        }
    }
};

HistoryWorker::~HistoryWorker() { abandon(); }

void HistoryWorker::run(Job job) {
    if (!thread_) {
        thread_ = std::make_shared<Thread>();
        ++runningThreads;
        std::thread(Thread::run, thread_, open_).detach();
    }
    const std::lock_guard hold(thread_->lock);
    thread_->jobs.push_back(std::move(job));
    thread_->changed.notify_all();
}

void HistoryWorker::abandon() {
    if (!thread_) return;
    {
        const std::lock_guard hold(thread_->lock);
        thread_->abandoned = true;
        thread_->jobs.clear();
        thread_->changed.notify_all();
    }
    thread_.reset();
}

int HistoryWorker::running() { return runningThreads; }

}  // namespace doxa
