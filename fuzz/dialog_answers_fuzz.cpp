// Arbitrary answers to every exchanging dialog: the first byte picks the dialog, the next two set
// up the station, the rest answers each request and works the dialog's controls.
#include <cstddef>
#include <cstdint>

#include "dialog_driver.h"
#include "fuzz_line.h"
#include "link/port.h"
#include "support/virtual_clock.h"
#include "transmitter/settings_store.h"
#include "transmitter/station.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace doxa;
    if (size < 3) return 0;
    const auto& cases = fuzz::dialogCases();
    const fuzz::DialogCase& chosen = cases[data[0] % cases.size()];
    const std::uint8_t flags = data[1];
    fuzz::FuzzInput input({data + 3, size - 3});

    test::VirtualClock clock;
    MemorySettingsStore settings;
    Station station(settings);
    fuzz::prepareStation(station, flags, data[2]);
    station.makeLine = [&](int) { return std::make_unique<fuzz::FuzzLine>(input); };
    // The line's own time is the dialog's: what waits for the line goes out on the same clock.
    station.monotonicMs = [&clock] { return clock.now(); };
    station.wakeForLineWork = [&](int ms) { clock.callAfter(ms, [&station] { carryOutLineWork(station); }); };
    station.sleepUntilMs = [](std::int64_t) {};
    {
        const std::unique_ptr<DialogLogic> dialog = chosen.make(station);
        fuzz::driveDialog(*dialog, chosen.controls, clock, input, flags & fuzz::CancelBoxes);
    }
    return 0;
}
