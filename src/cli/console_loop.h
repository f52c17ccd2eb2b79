#pragma once

#include <csignal>
#include <cstdint>
#include <functional>
#include <list>
#include <optional>

namespace doxa::cli {

class ConsoleWindow;

// Where the console windows' timers take their time from, and how the loop waits for the next
// one: the real clock for doxa-cli, virtual time for the tests.
class TimeSource {
public:
    virtual ~TimeSource() = default;
    virtual std::int64_t nowMs() const = 0;
    // Waits until `ms`; false when a request to stop came first.
    virtual bool sleepUntil(std::int64_t ms) = 0;
};

// The steady clock; the wait sleeps in the kernel until the time comes or SIGINT, SIGTERM or
// SIGHUP arrives, so a stopped doxa-cli still releases the line. The signals must have been
// blocked with blockStopSignals() before any thread or timer exists.
class RealTime : public TimeSource {
public:
    std::int64_t nowMs() const override;
    bool sleepUntil(std::int64_t ms) override;
};
void blockStopSignals();
// SIGINT, SIGTERM and SIGHUP.
sigset_t stopSignals();

// The window timers of every console window (a dialog and its modal children), fired in time
// order as the windowing system would fire them.
class ConsoleLoop {
public:
    explicit ConsoleLoop(TimeSource& time) : time_(time) {}

    enum class Step { Fired, Watched, Deadline, Interrupted };

    void start(ConsoleWindow* window, int timer, int ms);
    // A timer that falls due first after `firstMs`, then every `ms`; while its first tick is
    // ahead, `ready` (when given) is asked every WatchMs and brings the tick forward once it holds.
    void startWatched(ConsoleWindow* window, int timer, int firstMs, int ms, std::function<bool()> ready);
    static constexpr int WatchMs = 2;
    void stop(ConsoleWindow* window, int timer);
    void stopAll(ConsoleWindow* window);
    bool hasTimers(const ConsoleWindow* window) const;
    // Calls `call` once, `ms` from now, in time order with the windows' timers: the line work
    // the link asks to carry out once the line is free.
    void callAfter(int ms, std::function<void()> call);

    // Sleeps until the next timer falls due and fires it, or until the deadline.
    Step step();

    std::int64_t nowMs() const { return time_.nowMs(); }
    // A point in time after which step() fires nothing more; nullopt for none.
    void setDeadline(std::optional<std::int64_t> ms) { deadline_ = ms; }
    // Moves the deadline to `ms` from now.
    void extendDeadline(int ms) { deadline_ = time_.nowMs() + ms; }
    bool interrupted() const { return interrupted_; }

private:
    struct Timer {
        ConsoleWindow* window;
        int id;
        int interval;
        std::int64_t due;
        std::uint64_t order;  // ties fire in the order the timers were started
        std::function<bool()> ready;  // asked until the first tick
        std::function<void()> call;   // a single shot, with no window
    };
    std::list<Timer>::iterator find(const ConsoleWindow* window, int timer);
    std::list<Timer>::iterator readyTimer();
    Step fire(std::list<Timer>::iterator timer);

    TimeSource& time_;
    std::list<Timer> timers_;
    std::uint64_t started_ = 0;
    std::optional<std::int64_t> deadline_;
    bool interrupted_ = false;
};

}  // namespace doxa::cli
