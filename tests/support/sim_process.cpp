#include "support/sim_process.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <thread>

namespace doxa::test {

SimProcess::SimProcess(std::vector<std::string> args) {
    int out[2];
    if (::pipe(out) != 0) return;
    pid_ = ::fork();
    if (pid_ == 0) {
        ::dup2(out[1], STDOUT_FILENO);
        ::close(out[0]);
        std::vector<char*> argv{const_cast<char*>(DOXA_SIM_PROGRAM)};
        for (std::string& a : args) argv.push_back(a.data());
        argv.push_back(nullptr);
        ::execv(DOXA_SIM_PROGRAM, argv.data());
        ::_exit(127);
    }
    ::close(out[1]);
    output_ = out[0];
    ::fcntl(output_, F_SETFL, O_NONBLOCK);
}

namespace {

std::vector<std::string> withLink(std::vector<std::string> args, const std::filesystem::path& link) {
    args.insert(args.end(), {"--link", link.string()});
    return args;
}

}  // namespace

SimProcess::SimProcess(std::vector<std::string> args, const std::filesystem::path& link)
    : SimProcess(withLink(std::move(args), link)) {
    linked_ = waitForLink(link);
}

SimProcess::~SimProcess() {
    if (pid_ > 0) stop();
    if (output_ >= 0) ::close(output_);
}

int SimProcess::stop() {
    if (pid_ <= 0) return -1;
    ::kill(pid_, SIGTERM);
    int status = 0;
    ::waitpid(pid_, &status, 0);
    pid_ = -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string SimProcess::output() {
    char buffer[4096];
    ssize_t n;
    while (output_ >= 0 && (n = ::read(output_, buffer, sizeof buffer)) > 0)
        text_.append(buffer, static_cast<std::size_t>(n));
    return text_;
}

TempFolder::TempFolder() {
    char pattern[] = "/tmp/doxa-sim-test-XXXXXX";
    if (::mkdtemp(pattern)) path_ = pattern;
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
}

bool waitForLink(const std::filesystem::path& link) {
    using namespace std::chrono_literals;
    for (int i = 0; i < 500 && !std::filesystem::is_symlink(link); ++i)
        std::this_thread::sleep_for(10ms);
    return std::filesystem::is_symlink(link);
}

}  // namespace doxa::test
