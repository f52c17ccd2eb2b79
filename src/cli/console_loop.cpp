#include "cli/console_loop.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <ctime>
#include <algorithm>

#include "cli/console_window.h"

namespace doxa::cli {

sigset_t stopSignals() {
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGINT);
    sigaddset(&set, SIGTERM);
    sigaddset(&set, SIGHUP);
    return set;
}

void blockStopSignals() {
    const sigset_t set = stopSignals();
    sigprocmask(SIG_BLOCK, &set, nullptr);
}

std::int64_t RealTime::nowMs() const {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

bool RealTime::sleepUntil(std::int64_t ms) {
    const sigset_t set = stopSignals();
    for (;;) {
        // A signal already pending is taken even when the time has come.
        const std::int64_t left = std::max<std::int64_t>(0, ms - nowMs());
        const timespec wait{.tv_sec = static_cast<time_t>(left / 1000),
                            .tv_nsec = static_cast<long>(left % 1000) * 1'000'000L};
        if (sigtimedwait(&set, nullptr, &wait) > 0) return false;
        if (errno == EINTR) continue;
        if (nowMs() >= ms) return true;
    }
}

std::list<ConsoleLoop::Timer>::iterator ConsoleLoop::find(const ConsoleWindow* window, int timer) {
    return std::find_if(timers_.begin(), timers_.end(),
                        [&](const Timer& t) { return t.window == window && t.id == timer; });
}

void ConsoleLoop::start(ConsoleWindow* window, int timer, int ms) {
    startWatched(window, timer, ms, ms, {});
}

void ConsoleLoop::startWatched(ConsoleWindow* window, int timer, int firstMs, int ms,
                               std::function<bool()> ready) {
    stop(window, timer);
    timers_.push_back({window, timer, ms, time_.nowMs() + firstMs, started_++, std::move(ready), {}});
}

void ConsoleLoop::callAfter(int ms, std::function<void()> call) {
    timers_.push_back({nullptr, 0, 0, time_.nowMs() + ms, started_++, {}, std::move(call)});
}

void ConsoleLoop::stop(ConsoleWindow* window, int timer) {
    if (const auto it = find(window, timer); it != timers_.end()) timers_.erase(it);
}

void ConsoleLoop::stopAll(ConsoleWindow* window) {
    timers_.remove_if([window](const Timer& t) { return t.window == window; });
}

bool ConsoleLoop::hasTimers(const ConsoleWindow* window) const {
    return std::any_of(timers_.begin(), timers_.end(),
                       [window](const Timer& t) { return t.window == window; });
}

std::list<ConsoleLoop::Timer>::iterator ConsoleLoop::readyTimer() {
    return std::find_if(timers_.begin(), timers_.end(), [](const Timer& t) { return t.ready && t.ready(); });
}

ConsoleLoop::Step ConsoleLoop::step() {
    const auto next = std::min_element(timers_.begin(), timers_.end(), [](const Timer& a, const Timer& b) {
        return a.due != b.due ? a.due < b.due : a.order < b.order;
    });
    // Without timers and without a deadline nothing would ever happen again.
    if (next == timers_.end() && !deadline_) return Step::Deadline;
    const bool beyondDeadline = deadline_ && (next == timers_.end() || next->due > *deadline_);
    const std::int64_t dueAt = beyondDeadline ? *deadline_ : next->due;
    const bool watching = std::any_of(timers_.begin(), timers_.end(), [](const Timer& t) { return bool(t.ready); });
    const std::int64_t wakeAt = watching ? std::min(dueAt, time_.nowMs() + WatchMs) : dueAt;
    if (!time_.sleepUntil(wakeAt)) {
        interrupted_ = true;
        return Step::Interrupted;
    }
    if (beyondDeadline && wakeAt == dueAt) return Step::Deadline;
    if (watching) {
        if (const auto ready = readyTimer(); ready != timers_.end()) {
            ready->due = time_.nowMs();
            return fire(ready);
        }
        if (wakeAt < dueAt) return Step::Watched;
    }
    return fire(next);
}

ConsoleLoop::Step ConsoleLoop::fire(std::list<Timer>::iterator timer) {
    if (timer->call) {
        const std::function<void()> call = std::move(timer->call);
        timers_.erase(timer);
        call();
        return Step::Fired;
    }
    // The handler may stop or restart any timer, this one included: it is rescheduled first.
    ConsoleWindow* window = timer->window;
    const int id = timer->id;
    timer->due = std::max(timer->due + timer->interval, time_.nowMs());
    timer->ready = nullptr;
    window->fire(id);
    return Step::Fired;
}

}  // namespace doxa::cli
