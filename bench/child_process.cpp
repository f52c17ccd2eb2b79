#include "child_process.h"

#include <fcntl.h>
#include <signal.h>
#include <poll.h>
#include <spawn.h>
#include <sys/syscall.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <ctime>
#include <map>

extern char** environ;

namespace doxa::bench {

namespace {

double seconds(const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; }

// This process's environment with `overrides` replacing or adding variables.
std::vector<std::string> mergedEnvironment(const std::vector<std::string>& overrides) {
    std::map<std::string, std::string> byName;
    const auto add = [&byName](const std::string& entry) {
        byName[entry.substr(0, entry.find('='))] = entry;
    };
    for (char** e = environ; *e; ++e) add(*e);
    for (const std::string& entry : overrides) add(entry);
    std::vector<std::string> merged;
    for (auto& [name, entry] : byName) merged.push_back(entry);
    return merged;
}

}  // namespace

double monotonicSeconds() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<double>(now.tv_sec) + now.tv_nsec / 1e9;
}

ChildProcess::ChildProcess(const std::vector<std::string>& argv, const std::vector<std::string>& environment) {
    std::vector<std::string> env = mergedEnvironment(environment);
    std::vector<char*> envp;
    for (std::string& e : env) envp.push_back(e.data());
    envp.push_back(nullptr);
    std::vector<std::string> args = argv;
    std::vector<char*> argp;
    for (std::string& a : args) argp.push_back(a.data());
    argp.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    startedAt_ = monotonicSeconds();
    if (posix_spawn(&pid_, argp[0], &actions, nullptr, argp.data(), envp.data()) != 0) pid_ = -1;
    posix_spawn_file_actions_destroy(&actions);
}

ChildProcess::~ChildProcess() {
    if (pid_ > 0) {
        ::kill(pid_, SIGKILL);
        wait();
    }
}

void ChildProcess::signal(int number) {
    if (pid_ > 0) ::kill(pid_, number);
}

ChildCost ChildProcess::wait(double timeoutSeconds) {
    ChildCost cost;
    if (pid_ <= 0) return cost;
    if (timeoutSeconds > 0) {
        // A process descriptor becomes readable the moment the process ends, so the wait adds
        // nothing to the time measured.
        const int descriptor = static_cast<int>(::syscall(SYS_pidfd_open, pid_, 0));
        if (descriptor >= 0) {
            pollfd ended{.fd = descriptor, .events = POLLIN, .revents = 0};
            if (::poll(&ended, 1, static_cast<int>(timeoutSeconds * 1000)) == 0) ::kill(pid_, SIGKILL);
            ::close(descriptor);
        }
    }
    int status = 0;
    rusage usage{};
    while (::wait4(pid_, &status, 0, &usage) < 0 && errno == EINTR) {
    }
    cost.wallSeconds = monotonicSeconds() - startedAt_;
    pid_ = -1;
    cost.cpuSeconds = seconds(usage.ru_utime) + seconds(usage.ru_stime);
    cost.peakMiB = static_cast<double>(usage.ru_maxrss) / 1024.0;  // ru_maxrss is in KiB
    cost.exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return cost;
}

}  // namespace doxa::bench
