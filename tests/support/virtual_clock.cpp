#include "support/virtual_clock.h"

#include <algorithm>

#include "support/fake_window.h"

namespace doxa::test {

void VirtualClock::advance(std::int64_t ms) {
    const std::int64_t target = now_ + ms;
    for (;;) {
        auto next = std::min_element(timers_.begin(), timers_.end(), [](const Timer& a, const Timer& b) {
            return a.due != b.due ? a.due < b.due : a.order < b.order;
        });
        if (next == timers_.end() || next->due > target) break;
        now_ = next->due;
        if (next->call) {
            const std::function<void()> call = std::move(next->call);
            timers_.erase(next);
            call();
            continue;
        }
        next->due += std::max(next->interval, 1);
        FakeWindow* window = next->window;
        const int id = next->id;
        window->fireTimer(id);  // may start, stop or end anything, `next` included
    }
    now_ = target;
}

void VirtualClock::start(FakeWindow* window, int timer, int ms) {
    stop(window, timer);
    timers_.push_back(Timer{window, timer, ms, now_ + std::max(ms, 1), started_++, {}});
}

void VirtualClock::callAfter(int ms, std::function<void()> call) {
    timers_.push_back(Timer{nullptr, 0, 0, now_ + std::max(ms, 0), started_++, std::move(call)});
}

void VirtualClock::stop(FakeWindow* window, int timer) {
    timers_.remove_if([&](const Timer& t) { return t.window == window && t.id == timer; });
}

void VirtualClock::stopAll(FakeWindow* window) {
    timers_.remove_if([&](const Timer& t) { return t.window == window; });
}

bool VirtualClock::isRunning(const FakeWindow* window, int timer) const {
    return interval(window, timer) >= 0;
}

int VirtualClock::interval(const FakeWindow* window, int timer) const {
    for (const Timer& t : timers_)
        if (t.window == window && t.id == timer) return t.interval;
    return -1;
}

}  // namespace doxa::test
