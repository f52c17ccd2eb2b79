// Fast exchanges: doxa-cli's identify and write, with and without --fast, against doxa-sim on a
// pseudo-terminal in the same run, over HART and over RS485 (1200 baud each), beside the
// physical time of the same exchanges: every byte both ways at 11 bits on the line's speed, plus
// the simulator's reply delay for every answer.
// Usage: fast_bench [RUNS]   (the median of RUNS runs; 1 unless given)

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "child_process.h"
#include "cli/commands.h"
#include "cli/console.h"
#include "cli/console_loop.h"
#include "cli/exit_codes.h"
#include "cli/session.h"
#include "figure.h"
#include "support/sim_process.h"

namespace {

using namespace doxa;
using namespace doxa::bench;

constexpr double OfDocumented = 0.35;
constexpr double OfPhysical = 1.5;
constexpr int ReplyDelayMs = 20;
constexpr int Baud = 1200;
constexpr int BitsPerCharacter = 11;

using Command = int (*)(const cli::Invocation&, cli::Session&, std::ostream&);

struct Timing {
    double wallMs = 0;
    double physicalMs = 0;
};

// One command on its own session, as one doxa-cli invocation runs it.
Timing runCommand(Command command, cli::Invocation invocation, const std::string& link, bool rs485, bool fast) {
    invocation.line = {.port = link, .rs485 = rs485, .fast = fast};
    std::ostringstream quiet;
    cli::Console console(quiet, false);
    cli::RealTime time;
    std::string error;
    const auto session = cli::Session::open(invocation.line, console, time, error);
    if (!session) {
        std::fprintf(stderr, "%s\n", error.c_str());
        std::exit(2);
    }
    long long bytes = 0;
    int answers = 0;
    session->station().trafficLog.onRecord = [&](std::uint8_t marker, const std::uint8_t*, int count, bool) {
        bytes += count;
        if (marker == TrafficLog::ReadMarker && count > 0) ++answers;
    };
    std::ostringstream out;
    const double start = monotonicSeconds();
    const int status = command(invocation, *session, out);
    Timing timing;
    timing.wallMs = (monotonicSeconds() - start) * 1000;
    if (status != cli::ExitOk) {
        std::fprintf(stderr, "the exchange with doxa-sim failed (status %d): %s\n", status, quiet.str().c_str());
        std::exit(2);
    }
    timing.physicalMs = double(bytes) * BitsPerCharacter * 1000 / Baud + double(answers) * ReplyDelayMs;
    return timing;
}

struct Figures {
    std::vector<double> documented, fast, physical;
};

Figures measure(int runs, const std::function<Timing(bool fast)>& run) {
    Figures f;
    for (int i = 0; i < runs; ++i) {
        f.documented.push_back(run(false).wallMs);
        const Timing fast = run(true);
        f.fast.push_back(fast.wallMs);
        f.physical.push_back(fast.physicalMs);
    }
    return f;
}

// Identification carries both targets; programming is told for comparison (its waits after each
// stored write are kept, so it has no target of its own).
bool report(const std::string& name, const Figures& f, bool withTargets) {
    const double documented = median(f.documented), fast = median(f.fast), physical = median(f.physical);
    char against[200];
    std::snprintf(against, sizeof against, "fast %.0f ms, documented %.0f ms, physical %.0f ms", fast,
                  documented, physical);
    if (!withTargets) {
        std::printf("%-34s %.2f of documented, %.2f of physical (no target)   %s\n", name.c_str(),
                    fast / documented, fast / physical, against);
        return true;
    }
    const bool ofDocumented = reportFigure(name + " vs documented", fast / documented, OfDocumented, against);
    const bool ofPhysical = reportFigure(name + " vs physical", fast / physical, OfPhysical, against);
    return ofDocumented && ofPhysical;
}

}  // namespace

int main(int argc, char* argv[]) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 1;
    test::TempFolder folder;
    const auto link = folder.path() / "tty";
    test::SimProcess sim({"--model", "DOXA-22", "--reply-delay", std::to_string(ReplyDelayMs), "--link", link.string()});
    if (!test::waitForLink(link)) {
        std::fprintf(stderr, "doxa-sim did not publish %s\n", link.c_str());
        return 2;
    }
    bool met = true;
    for (const bool rs485 : {false, true}) {
        const std::string line = rs485 ? "RS485" : "HART";
        const Figures identification = measure(runs, [&](bool fast) {
            return runCommand(cli::runIdentify, {}, link, rs485, fast);
        });
        cli::Invocation read;
        read.output = (folder.path() / (line + ".prg")).string();
        runCommand(cli::runRead, read, link, rs485, false);
        cli::Invocation write;
        write.operands = {read.output};
        const Figures programming = measure(runs, [&](bool fast) {
            return runCommand(cli::runWrite, write, link, rs485, fast);
        });
        met = report(line + " identification", identification, true) && met;
        report(line + " programming", programming, false);
    }
    return met ? 0 : 1;
}
