#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "link/answer_check.h"
#include "link/serial_line.h"

namespace doxa {

enum TransmissionMode : int { ModeHart = 0, ModeRs485 = 1 };

// Fast exchanges (doxa-cli --fast): the exchange steps end an answer wait as soon as a whole
// answer that passes the check has arrived, and pace the line by its own gaps instead of the
// fixed step intervals. Off everywhere else, and then nothing here is ever used.
struct FastPacing {
    bool on = false;
    // What the exchange did last, which tells what kind of wait the next step asks for.
    enum class After { Nothing, Request, Turn, Answer };
    After after = After::Nothing;
    int requestLength = 0;
    // The request handed the transmitter data to keep: the wait after its answer stays whole.
    bool handsOverData = false;
    // The part of the documented turn wait left out; the answer wait gets it back, so that the
    // read without a whole answer comes exactly when the documented schedule reads.
    int turnSavedMs = 0;
    // Bytes of the awaited answer taken off the line while the answer wait watched it; the next
    // read takes them first.
    std::vector<std::uint8_t> collected;
};

// A write or a driver turn that came while the line still carried the previous frame or its
// closing silence; it goes out, in order, once the line is free.
struct LineWork {
    enum class Kind { Write, Transmit, Receive };
    Kind kind = Kind::Write;
    std::vector<std::uint8_t> bytes;  // Write only
};

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
    // What the port was last opened on (SerialLine::device), kept while it is closed.
    std::string portDevice;
    // Why the port last failed to open, and on which device (nullopt when it leads to none).
    OpenFailure openFailure;
    std::optional<std::string> failedDevice;
    FastPacing fast;
    // When the last frame written has left the line and the silence that ends it has passed (on
    // the station's monotonic clock): a write or a driver turn before then would run into it.
    std::int64_t lineFreeAtMs = 0;
    std::deque<LineWork> lineWork;
    std::int64_t lineWorkWakeAtMs = -1;  // the moment the shell was last asked to carry it out
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
