// Growth: the resident memory of the live display after 10,000 polling cycles against after
// 100, in virtual time on the simulated DOXA-22 (what a display left running for half a day
// does to the program's memory).
// Usage: growth_bench [CYCLES]

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "figure.h"
#include "support/fake_window.h"
#include "support/sim_station.h"
#include "transmitter/display_dlg.h"

namespace {

using namespace doxa;

constexpr double TargetMiB = 1.0;
constexpr int FirstCycles = 100;

double residentMiB() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmRSS:", 0) == 0) return std::atof(line.c_str() + 6) / 1024.0;
    return 0;
}

// Advances the display to the end of `cycles` more polling cycles; false when it stopped
// polling.
bool poll(test::SimStation& sim, int cycles) {
    int previous = sim.station.link.exchangeState;
    for (int ended = 0; ended < cycles;) {
        // Every wait of the display is at least 100 ms, so no state is passed over.
        sim.clock.advance(50);
        const int state = sim.station.link.exchangeState;
        if (state == CDisplayDlg::SendPrimary && previous != CDisplayDlg::SendPrimary) {
            ++ended;
            // The test line keeps every byte for the tests' checks; that record is no memory
            // of the program's.
            if (sim::SimLine* line = sim.line()) line->clearRecords();
        }
        previous = state;
        if (sim.clock.now() > 60'000LL * cycles) return false;
    }
    return true;
}

}  // namespace

int main(int argc, char* argv[]) {
    const int cycles = argc > 1 ? std::max(FirstCycles + 1, std::atoi(argv[1])) : 10'000;
    test::SimStation sim;
    CDisplayDlg dialog(sim.station);
    test::FakeWindow window(dialog, sim.clock);
    if (!window.open() || !poll(sim, FirstCycles)) {
        std::fprintf(stderr, "the display did not poll the simulated transmitter\n");
        return 2;
    }
    const double early = residentMiB();
    if (!poll(sim, cycles - FirstCycles) || window.text(CDisplayDlg::PrimaryValue).empty()) {
        std::fprintf(stderr, "the display stopped polling\n");
        return 2;
    }
    const double late = residentMiB();
    char against[160];
    std::snprintf(against, sizeof against, "MiB more resident after %d cycles (%.2f MiB) than after %d (%.2f MiB)",
                  cycles, late, FirstCycles, early);
    return bench::reportFigure("growth", late - early, TargetMiB, against) ? 0 : 1;
}
