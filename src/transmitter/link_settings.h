#pragma once

#include <cstdint>
#include <memory>

#include "link/serial_line.h"

namespace doxa {

enum TransmissionMode : int { ModeHart = 0, ModeRs485 = 1 };

struct LinkSettings {
    int portNumber = 1;  // 0..11 = COM1..COM12, -1 = none chosen
    std::unique_ptr<SerialLine> portHandle;
    int portOpen = 0;
    int transmissionMode = ModeHart;
    int baudIndex = 0;  // 0..4 = 1200, 4800, 9600, 19200, 38400
    int parityOff = 0;
    int replyWait = 300;  // ms the driver stays in transmit after a request
    std::uint32_t commErrors = 0;
    int exchangeState = 0;
};

// The value of exchangeState that tells the identification dialog there is nothing to clean up.
inline constexpr int NoExchange = 100;

}  // namespace doxa

namespace doxa {

// The wait after a request as choosing the mode in the menu sets it: 300 ms in HART; in RS485
// 250, 50, 20 and 5 ms at 1200, 4800, 9600 and 19200 baud, and 5 ms at 38400.
constexpr int replyWaitFor(int transmissionMode, int baudIndex) {
    if (transmissionMode != ModeRs485) return 300;
    constexpr int Waits[] = {250, 50, 20, 5, 5};
    return baudIndex >= 0 && baudIndex < 5 ? Waits[baudIndex] : 5;
}

}  // namespace doxa
