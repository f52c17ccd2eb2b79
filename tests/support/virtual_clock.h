#pragma once

#include <cstdint>
#include <functional>
#include <list>

namespace doxa::test {

class FakeWindow;

// Virtual time for dialog tests: owns the timers of fake windows and fires them in time order.
class VirtualClock {
public:
    std::int64_t now() const { return now_; }

    // Moves time forward by ms, firing every timer that falls due on the way (a repeating timer
    // fires once per interval), in the order they fall due.
    void advance(std::int64_t ms);
    // Advances in small steps until pred() holds or maxMs have passed; true when it held.
    template <typename Pred>
    bool advanceUntil(Pred pred, std::int64_t maxMs, std::int64_t stepMs = 10) {
        for (std::int64_t waited = 0; !pred(); waited += stepMs) {
            if (waited >= maxMs) return false;
            advance(stepMs);
        }
        return true;
    }

    void start(FakeWindow* window, int timer, int ms);
    // Calls `call` once, `ms` from now, in time order with the windows' timers: the event loop's
    // single-shot timers, which the link asks for to carry out its waiting line work.
    void callAfter(int ms, std::function<void()> call);
    void stop(FakeWindow* window, int timer);
    void stopAll(FakeWindow* window);
    bool isRunning(const FakeWindow* window, int timer) const;
    // Interval of a running timer, -1 when it is not running.
    int interval(const FakeWindow* window, int timer) const;

private:
    struct Timer {
        FakeWindow* window;
        int id;
        int interval;
        std::int64_t due;
        std::uint64_t order;  // ties fire in the order the timers were started
        std::function<void()> call;  // a single shot, with no window
    };
    std::list<Timer> timers_;
    std::int64_t now_ = 0;
    std::uint64_t started_ = 0;
};

}  // namespace doxa::test
