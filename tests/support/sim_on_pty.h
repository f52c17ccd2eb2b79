#pragma once

#include <filesystem>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "support/sim_process.h"
#include "transmitter/settings_store.h"
#include "transmitter/station.h"

namespace doxa::test {

struct StoredSetting {
    const char* section;
    const char* key;
    int value;
};

// doxa-sim serving a pseudo-terminal in a private folder, and a station that talks to it through
// the real serial line: COM3, chosen in an earlier run, leads to the simulator. Plain message
// boxes of the link layer are collected in `messages`.
class SimOnPty {
public:
    static constexpr int PortCom3 = 2;

    // `simArgs` name no link; `settings` are stored before the station is built.
    explicit SimOnPty(std::vector<std::string> simArgs,
                      std::initializer_list<StoredSetting> settings = {});
    // The port is let go before the simulator ends.
    ~SimOnPty();
    SimOnPty(const SimOnPty&) = delete;
    SimOnPty& operator=(const SimOnPty&) = delete;

    // Whether the simulator published its link in time; a test asserts it first.
    bool linked() const { return sim_->linked(); }
    SimProcess& sim() { return *sim_; }
    // Starts the simulator anew on the same link, after it ended; false when the link did not
    // come back.
    bool startSimulatorAgain();

    TempFolder folder;
    const std::filesystem::path link = folder.path() / "tty";
    MemorySettingsStore store;
    Station station{store};
    std::vector<std::string> messages;

private:
    std::vector<std::string> simArgs_;
    std::unique_ptr<SimProcess> sim_;
};

}  // namespace doxa::test
