// Cost while polling: the processor time doxa-cli's live display ("watch", the display dialog's
// own logic) takes per second on the clock while it polls doxa-sim on a pseudo-terminal.
// Usage: polling_bench [SECONDS]

#include <signal.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

#include "child_process.h"
#include "figure.h"
#include "support/sim_process.h"

namespace {

using namespace doxa::bench;

constexpr double Target = 0.002;

}  // namespace

int main(int argc, char* argv[]) {
    const int seconds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 60;
    doxa::test::TempFolder folder;
    const auto link = folder.path() / "tty";
    doxa::test::SimProcess sim({"--model", "DOXA-22", "--link", link.string()});
    if (!doxa::test::waitForLink(link)) {
        std::fprintf(stderr, "doxa-sim did not publish %s\n", link.c_str());
        return 2;
    }
    ChildProcess watch({DOXA_CLI_PROGRAM, "watch", "--port", link.string()});
    std::this_thread::sleep_for(std::chrono::seconds(seconds));
    // The display is stopped as a technician stops doxa-cli: it releases the line and ends.
    watch.signal(SIGTERM);
    const ChildCost cost = watch.wait(10);
    // Status 0 after the stop means every cycle brought a value.
    if (cost.exitStatus != 0) {
        std::fprintf(stderr, "doxa-cli watch ended with status %d: it did not poll throughout\n",
                     cost.exitStatus);
        return 2;
    }
    char against[160];
    std::snprintf(against, sizeof against, "%.3f s of processor time in %.1f s on the clock (doxa-cli watch)",
                  cost.cpuSeconds, cost.wallSeconds);
    return reportFigure("polling cost", cost.cpuSeconds / cost.wallSeconds, Target, against) ? 0 : 1;
}
