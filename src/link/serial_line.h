#pragma once

#include <algorithm>
#include <cstdint>
#include <string>

#include "link/open_failure.h"

namespace doxa {

// Line error bits, numbered as the communication-error mask that errorText() spells out.
enum LineError : std::uint32_t {
    CeRxOver = 0x0001,
    CeOverrun = 0x0002,
    CeRxParity = 0x0004,
    CeFrame = 0x0008,
    CeBreak = 0x0010,
    CeTxFull = 0x0100,
    CePto = 0x0200,
    CeIoe = 0x0400,
    CeOop = 0x1000,
    CeMode = 0x8000,
};

enum class Parity { Odd, None };

// The operating-system boundary of the one serial port. Every call returns at once:
// reads take only what is queued, waiting is the dialogs' business.
class SerialLine {
public:
    virtual ~SerialLine() = default;

    // Opens the device for exclusive read/write. False when the device cannot be opened.
    virtual bool open() = 0;
    // Why the last open() failed; nothing when it did not, or when the line cannot tell.
    virtual OpenFailure openFailure() const { return {}; }
    // Applies speed and parity with 8 data bits, 1 stop bit, raw binary, no flow control.
    virtual bool configure(int baud, Parity parity) = 0;
    // Modem lines. A device without modem lines (a pseudo-terminal) reports success.
    virtual bool setDtr(bool raised) = 0;
    virtual void setRts(bool raised) = 0;

    virtual int queuedInput() = 0;
    // Bytes written but not yet sent; 0 when the driver cannot tell.
    virtual int queuedOutput() { return 0; }
    virtual int read(std::uint8_t* buffer, int maxCount) = 0;
    virtual int write(const std::uint8_t* bytes, int count) = 0;
    virtual void drain() = 0;
    // Discards both the transmit and the receive queue.
    virtual void purge() = 0;
    // Discards what waits in the receive queue, so that a late answer to an earlier request is
    // never taken for the answer to the next one.
    virtual void discardInput() {
        std::uint8_t sink[64];
        for (int guard = 0; guard < 64; ++guard) {
            const int queued = std::min(queuedInput(), static_cast<int>(sizeof sink));
            if (queued <= 0 || read(sink, queued) <= 0) break;
        }
    }
    // True once the device has gone (an adapter pulled out, the far end of a pseudo-terminal
    // closed): nothing will pass this handle again, the device has to be opened anew.
    virtual bool vanished() const { return false; }
    // Line errors (LineError bits) seen since the previous call; 0 when the driver cannot tell.
    virtual std::uint32_t takeErrors() = 0;
    // What the line was made on, as the technician named it: a device path or "sim:MODEL".
    virtual std::string device() const = 0;
    virtual void close() = 0;
};

}  // namespace doxa
