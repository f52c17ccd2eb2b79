#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "sim/sim_line.h"
#include "sim/transmitter.h"
#include "support/virtual_clock.h"
#include "transmitter/settings_store.h"
#include "transmitter/station.h"

namespace doxa::test {

using Bytes = std::vector<std::uint8_t>;

// A station whose ports all lead to one simulated transmitter, on a virtual clock: where every
// dialog test starts. Plain message boxes of the link layer are collected in `messages`.
// With the transmitter reset to nullptr nobody answers, and the test feeds the line itself.
class SimStation {
public:
    explicit SimStation(sim::Model model = sim::Model::Doxa22, const sim::Options& options = {});

    // RS485 at 1200 baud, as the menu sets it up.
    void useRs485();

    sim::State& device() { return transmitter->state(); }
    // The line the station opened; nullptr before any dialog opened it.
    sim::SimLine* line() const;
    // Every request written so far (none before the port was opened).
    std::vector<Bytes> writes() const;
    // For every request written from index `from` on: its HART command, or in RS485 its first
    // register; -1 for the single 0xFF byte that releases the line.
    std::vector<int> requests(std::size_t from = 0) const;

    MemorySettingsStore settings;
    Station station{settings};
    VirtualClock clock;
    std::shared_ptr<sim::Transmitter> transmitter;
    std::vector<std::string> messages;
    std::vector<std::string> informativeTexts;  // below each of `messages`, empty for none
    bool portFails = false;  // the device behind every port name refuses to open
    // Where a test wants them: every line made ("make <port>") and every call to it, in order.
    std::shared_ptr<std::vector<std::string>> journal;
    void keepJournal() { journal = std::make_shared<std::vector<std::string>>(); }

    // The adapter pulled out: the open line vanishes and no port opens until plugIn().
    void unplug();
    void plugIn();

private:
    bool present_ = true;
};

}  // namespace doxa::test
