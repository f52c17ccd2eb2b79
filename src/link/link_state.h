#pragma once

#include <array>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <string_view>
#include <thread>

#include "link/line_statistics.h"
#include "link/link_settings.h"
#include "link/serial_line.h"
#include "link/traffic_log.h"

namespace doxa {

inline constexpr int FrameSize = 100;

// What the port operations act on: the one port and its settings, the frame buffer every
// request and answer passes through, the traffic log and the line statistics. The shared state
// holds it; the link layer knows nothing of what else is shared.
struct LinkState {
    LinkState() = default;
    LinkState(const LinkState&) = delete;
    LinkState& operator=(const LinkState&) = delete;

    LinkSettings link;
    std::array<std::uint8_t, FrameSize> frame{};
    TrafficLog trafficLog;
    // What passed over the line, counted by the exchange steps ("Statystyka łącza").
    LineStatistics lineStatistics;

    // Creates the (unopened) line for a port number 0..11; set by the start-up or a test.
    std::function<std::unique_ptr<SerialLine>(int portNumber)> makeLine;
    // Shows a plain message box with an OK button, with its informative text (empty for none)
    // below (the GUI), or records them (tests).
    std::function<void(std::string_view utf8, std::string_view informative)> showMessage;

    // A monotonic clock in ms for the answer times and the line's pace; tests put their virtual
    // clock here.
    std::function<std::int64_t()> monotonicMs = [] {
        return std::chrono::duration_cast<std::chrono::milliseconds>(
                   std::chrono::steady_clock::now().time_since_epoch())
            .count();
    };
    // Asks the shell to call carryOutLineWork() in `ms`, from its event loop; work that waits
    // for the line is never slept on. Unset, the next port operation carries it out.
    std::function<void(int ms)> wakeForLineWork;
    // Waits until `atMs` on monotonicMs; only releasePort() waits, since the port must not be
    // closed under a frame still on the line.
    std::function<void(std::int64_t atMs)> sleepUntilMs = [this](std::int64_t atMs) {
        const std::int64_t left = atMs - monotonicMs();
        if (left > 0) std::this_thread::sleep_for(std::chrono::milliseconds(left));
    };
};

}  // namespace doxa
