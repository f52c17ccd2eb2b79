#pragma once

#include <sys/types.h>

#include <filesystem>
#include <string>
#include <vector>

namespace doxa::test {

// One doxa-sim process serving a pseudo-terminal, with its standard output on a pipe.
class SimProcess {
public:
    explicit SimProcess(std::vector<std::string> args);
    // Serves the pseudo-terminal under `link` and waits up to five seconds for it to appear.
    SimProcess(std::vector<std::string> args, const std::filesystem::path& link);
    ~SimProcess();
    SimProcess(const SimProcess&) = delete;
    SimProcess& operator=(const SimProcess&) = delete;

    // Sends SIGTERM and returns the exit status, -1 when it did not end normally.
    int stop();
    // Everything it printed so far.
    std::string output();
    // Whether the link appeared in time (always false for a process started without one).
    bool linked() const { return linked_; }

private:
    pid_t pid_ = -1;
    bool linked_ = false;
    int output_ = -1;
    std::string text_;
};

// A private folder for a simulator's link, removed with everything in it afterwards.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

// Waits up to five seconds for doxa-sim to publish its pseudo-terminal under `link`.
bool waitForLink(const std::filesystem::path& link);

}  // namespace doxa::test
