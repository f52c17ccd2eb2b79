// Start-up: from starting doxa-win on the demo port (a private settings file whose COM2 is the
// simulated DOXA-22, on the offscreen platform) until its main window is shown, against a bare
// Qt main window with a menu, a toolbar and a status bar; and the peak memory of both.
// Usage: startup_bench [RUNS]

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "child_process.h"
#include "figure.h"

namespace {

using namespace doxa::bench;
namespace fs = std::filesystem;

constexpr double TimeTarget = 1.3;
constexpr double MemoryTarget = 1.1;
constexpr double GiveUpSeconds = 30;

// The settings scripts/demo writes: COM2 mapped to the simulated DOXA-22 and chosen.
fs::path demoSettings() {
    char pattern[] = "/tmp/doxa-bench-XXXXXX";
    const fs::path folder = ::mkdtemp(pattern);
    fs::create_directories(folder / "doxa-win");
    std::ofstream(folder / "doxa-win" / "doxa-win.ini") << "[COM]\nCOM=1\n\n[Porty]\nCOM2=sim:DOXA-22\n";
    fs::permissions(folder / "doxa-win" / "doxa-win.ini", fs::perms::owner_read | fs::perms::owner_write);
    return folder;
}

struct Sample {
    std::vector<double> ms;
    std::vector<double> peakMiB;
};

bool runOnce(const char* program, const std::vector<std::string>& environment, Sample* into) {
    ChildProcess child({program}, environment);
    const ChildCost cost = child.wait(GiveUpSeconds);
    if (cost.exitStatus != 0) {
        std::fprintf(stderr, "%s did not come up and end by itself (exit status %d)\n", program,
                     cost.exitStatus);
        return false;
    }
    if (into) {
        into->ms.push_back(cost.wallSeconds * 1000);
        into->peakMiB.push_back(cost.peakMiB);
    }
    return true;
}

}  // namespace

int main(int argc, char* argv[]) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;
    const fs::path config = demoSettings();
    const std::vector<std::string> environment{
        "QT_QPA_PLATFORM=offscreen",
        "XDG_CONFIG_HOME=" + config.string(),
        std::string("LD_PRELOAD=") + SHOWN_HOOK,
    };

    Sample program, bare;
    // The first run of each fills the caches (files, fonts) that every later start finds warm.
    bool ok = runOnce(DOXA_WIN_PROGRAM, environment, nullptr) && runOnce(BARE_WINDOW_PROGRAM, environment, nullptr);
    // Taking turns spreads the machine's moods evenly over both.
    for (int i = 0; ok && i < runs; ++i)
        ok = runOnce(DOXA_WIN_PROGRAM, environment, &program) && runOnce(BARE_WINDOW_PROGRAM, environment, &bare);
    std::error_code ignored;
    fs::remove_all(config, ignored);
    if (!ok) return 2;

    const double programMs = median(program.ms), bareMs = median(bare.ms);
    const double programMiB = median(program.peakMiB), bareMiB = median(bare.peakMiB);
    char against[160];
    std::snprintf(against, sizeof against, "doxa-win %.0f ms, bare window %.0f ms (medians of %d)",
                  programMs, bareMs, runs);
    const bool timeMet = reportFigure("start-up time", programMs / bareMs, TimeTarget, against);
    std::snprintf(against, sizeof against, "doxa-win %.1f MiB, bare window %.1f MiB peak resident",
                  programMiB, bareMiB);
    const bool memoryMet = reportFigure("start-up memory", programMiB / bareMiB, MemoryTarget, against);
    return timeMet && memoryMet ? 0 : 1;
}
