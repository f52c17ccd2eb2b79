#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

namespace doxa::bench {

// What a finished child process cost, as the kernel accounted it.
struct ChildCost {
    double wallSeconds = 0;  // from just before it was started until it was reaped
    double cpuSeconds = 0;   // user and system time
    double peakMiB = 0;      // peak resident memory
    int exitStatus = -1;     // -1 when it did not exit normally
};

// A program started with the environment of this one plus `environment` ("NAME=value"), its
// standard output and error thrown away.
class ChildProcess {
public:
    ChildProcess(const std::vector<std::string>& argv, const std::vector<std::string>& environment = {});
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool started() const { return pid_ > 0; }
    void signal(int number);
    // Waits for it to end; after `timeoutSeconds` (when given) it is killed first.
    ChildCost wait(double timeoutSeconds = 0);

private:
    pid_t pid_ = -1;
    double startedAt_ = 0;
};

// Seconds on the monotonic clock.
double monotonicSeconds();

}  // namespace doxa::bench
