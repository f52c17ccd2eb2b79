#include "cli/watched_thread.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <sys/signalfd.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <utility>

#include "cli/console_loop.h"

namespace doxa::cli {

namespace {

std::atomic<int> leftRunningCount{0};

}  // namespace

// Shared with the thread, so that a thread left running still has it after its owner is gone.
struct WatchedThread::Shared {
    std::mutex lock;
    std::condition_variable changed;
    std::function<void()> work;
    bool quitting = false;
    // Counted up each time a work has ended; what the waiting side polls.
    const int done = ::eventfd(0, EFD_CLOEXEC);

    ~Shared() { ::close(done); }

    static void serve(const std::shared_ptr<Shared>& self) {
        std::unique_lock hold(self->lock);
        for (;;) {
            self->changed.wait(hold, [&] { return self->work || self->quitting; });
            if (!self->work) return;
            const std::function<void()> work = std::exchange(self->work, nullptr);
            hold.unlock();
            work();
            const std::uint64_t one = 1;
            [[maybe_unused]] const auto written = ::write(self->done, &one, sizeof one);
            hold.lock();
        }
    }
};

WatchedThread::WatchedThread() : shared_(std::make_shared<Shared>()) {
    const sigset_t signals = stopSignals();
    signalFd_ = ::signalfd(-1, &signals, SFD_CLOEXEC);
    thread_ = std::thread([shared = shared_] { Shared::serve(shared); });
}

WatchedThread::~WatchedThread() {
    ::close(signalFd_);
    {
        const std::lock_guard hold(shared_->lock);
        shared_->quitting = true;
        shared_->changed.notify_all();
    }
    if (leftRunning_)
        thread_.detach();
    else
        thread_.join();
}

bool WatchedThread::anyLeftRunning() { return leftRunningCount > 0; }

WatchedThread::Outcome WatchedThread::run(std::function<void()> work) {
    return wait(std::move(work), true, -1);
}

WatchedThread::Outcome WatchedThread::runUntil(std::function<void()> work,
                                               std::chrono::steady_clock::time_point deadline) {
    using namespace std::chrono;
    const auto left = duration_cast<milliseconds>(deadline - steady_clock::now()).count();
    return wait(std::move(work), false, static_cast<int>(std::max<std::int64_t>(0, left)));
}

WatchedThread::Outcome WatchedThread::wait(std::function<void()> work, bool watchSignals, int timeoutMs) {
    if (leftRunning_) return Outcome::TimedOut;
    {
        const std::lock_guard hold(shared_->lock);
        shared_->work = std::move(work);
        shared_->changed.notify_all();
    }
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    pollfd watched[2] = {{shared_->done, POLLIN, 0}, {signalFd_, POLLIN, 0}};
    for (;;) {
        int wait = -1;
        if (timeoutMs >= 0) {
            using namespace std::chrono;
            wait = static_cast<int>(std::max<std::int64_t>(
                0, duration_cast<milliseconds>(deadline - steady_clock::now()).count()));
        }
        const int ready = ::poll(watched, watchSignals ? 2 : 1, wait);
        if (ready < 0 && errno == EINTR) continue;
        if (watched[0].revents & POLLIN) {
            std::uint64_t count = 0;
            [[maybe_unused]] const auto read = ::read(shared_->done, &count, sizeof count);
            return Outcome::Done;
        }
        if (watchSignals && (watched[1].revents & POLLIN)) {
            signalfd_siginfo taken{};
            if (::read(signalFd_, &taken, sizeof taken) == sizeof taken) stopSignal_ = static_cast<int>(taken.ssi_signo);
            leftRunning_ = true;
            ++leftRunningCount;
            return Outcome::Stopped;
        }
        if (ready == 0) {
            leftRunning_ = true;
            ++leftRunningCount;
            return Outcome::TimedOut;
        }
    }
}

}  // namespace doxa::cli
