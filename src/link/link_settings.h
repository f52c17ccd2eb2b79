#pragma once

#include <cstdint>
#include <memory>

#include "link/answer_check.h"
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
    // What the request on the line expects of its answer; every request notes it when written.
    PendingRequest pendingRequest;
    // 1 while the port is closed because its device vanished: the next request reopens it.
    int portVanished = 0;
};

// The value of exchangeState that tells the identification dialog there is nothing to clean up.
inline constexpr int NoExchange = 100;

inline constexpr int HartReplyWait = 300;
// The replyWait of an RS485 line at baud index 0..4: 1200, 4800, 9600 and 19200 baud each have
// their own, 38400 keeps the fastest.
inline constexpr int rs485ReplyWait(int baudIndex) {
    constexpr int waits[] = {250, 50, 20, 5, 5};
    return baudIndex >= 0 && baudIndex < 5 ? waits[baudIndex] : waits[4];
}

// The wait after a request as choosing the mode in the menu sets it.
constexpr int replyWaitFor(int transmissionMode, int baudIndex) {
    return transmissionMode == ModeRs485 ? rs485ReplyWait(baudIndex) : HartReplyWait;
}

}  // namespace doxa
