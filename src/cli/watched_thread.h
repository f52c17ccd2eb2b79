#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <thread>

namespace doxa::cli {

// A thread of its own for work that may block in the kernel without end (a database that waits
// for a lock or a server that does not answer), waited for while watching the stop signals, so
// that doxa-cli still ends when told to. Work that is not waited for to its end is left to end
// by itself, and the thread takes no more. The stop signals must have been blocked with
// blockStopSignals() before any thread exists.
class WatchedThread {
public:
    enum class Outcome { Done, Stopped, TimedOut };

    WatchedThread();
    // Waits for nothing left running.
    ~WatchedThread();
    WatchedThread(const WatchedThread&) = delete;
    WatchedThread& operator=(const WatchedThread&) = delete;

    // Runs `work` on the thread and waits for it, or for SIGINT, SIGTERM or SIGHUP (taken: the
    // signal is in stopSignal()). What `work` uses must stay valid after a stop: own it.
    Outcome run(std::function<void()> work);
    // Waits no longer than until `deadline`, whatever signal comes.
    Outcome runUntil(std::function<void()> work, std::chrono::steady_clock::time_point deadline);

    bool leftRunning() const { return leftRunning_; }
    int stopSignal() const { return stopSignal_; }

    // Whether work was left to end by itself in this process (it may have ended since): a
    // program must not take its libraries down under it at exit.
    static bool anyLeftRunning();

private:
    struct Shared;
    Outcome wait(std::function<void()> work, bool watchSignals, int timeoutMs);

    std::shared_ptr<Shared> shared_;
    std::thread thread_;
    int signalFd_ = -1;
    bool leftRunning_ = false;
    int stopSignal_ = 0;
};

}  // namespace doxa::cli
