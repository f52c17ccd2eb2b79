#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace doxa {

struct LinkState;

// The serial operations every dialog uses. They act on the link's one port, its frame
// buffer and its traffic log, and never block.

// Opens port 0..11 with the link's speed and parity. 1 = open, 0 = failed (a message box
// said why). The caller sets portOpen.
int openPort(LinkState& station, int portNumber);
// Opens the port again, without message boxes, when it was closed because its device vanished;
// true when the port is open. The exchange steps call it before each request, so that an
// exchange carries on by itself once the device is back.
bool reopenVanishedPort(LinkState& station);
// "COM1:1200,o,8,1" and so on: the line definition of the port with the current settings.
std::string portDefinition(int portNumber, int baudIndex, int parityOff);
// The line speed of baud index 0..4 (an index out of range means the slowest, as when opening).
int baudRate(int baudIndex);

// A driver turn or a write (the logged one included) that comes before the line is free again
// after the last frame written waits as line work, and goes out in order once it is.
void setTransmit(LinkState& station);
void setReceive(LinkState& station);
// Milliseconds until the last frame written has left the line and the silence that ends it
// (3.5 characters on MODBUS RTU) has passed; 0 once it has.
int msUntilLineFree(LinkState& station);
// Carries out the line work whose time has come; true when none is left. While some waits, it
// asks the shell (wakeForLineWork) to call again when the line is free.
bool carryOutLineWork(LinkState& station);

// Writes frame[0..count-1]; logs what was accepted and returns its count. A write that has to
// wait for the line returns the whole count and is logged when it goes out.
int writeLogged(LinkState& station, int count);
// Reads up to maxCount queued bytes into frame, logs them, normalises a HART preamble to six
// 0xFF bytes and returns the frame length now in the buffer (0 = nothing arrived).
// Bytes the answer wait of a fast exchange collected come first, as if read now.
int readLogged(LinkState& station, int maxCount);
// Fast exchanges: takes what has arrived into the collected bytes (unlogged; the read logs them)
// and tells whether they are a whole answer that passes the check against the pending request.
bool collectWholeAnswer(LinkState& station);
int writeRaw(LinkState& station, const std::uint8_t* bytes, int count);
int readRaw(LinkState& station, std::uint8_t* buffer, int maxCount);

// Bytes still waiting in the output queue of the open port (0 without one).
int queuedOutput(LinkState& station);

// Reads the line error mask into link.commErrors. False when no port is open. A line whose
// device vanished reports CE_IOE and is closed (portOpen = 0, portVanished = 1); until the
// port is open again every call reports CE_IOE.
bool clearErrors(LinkState& station);
std::string errorText(std::uint32_t mask);
// The parts of errorText(), one per error bit, for callers that show them one by one.
std::vector<std::string_view> errorParts(std::uint32_t mask);
// One plain message box per error bit, in the errorText() order.
void errorBoxes(LinkState& station, std::uint32_t mask);
void purge(LinkState& station);
// Discards what waits in the receive queue, unlogged, collected bytes included.
void discardInput(LinkState& station);
// How long `bytes` take on the line at the link's speed and parity, in milliseconds (rounded
// up): start bit, 8 data bits, the parity bit when there is one, stop bit.
int transmitTimeMs(const LinkState& station, int bytes);
// The silence that ends a MODBUS RTU frame at the link's speed, in microseconds: 3.5 characters
// of 11 bits, fixed at 1750 us above 19200 baud.
int rtuGapUs(const LinkState& station);

// What every dialog does when it closes: clear errors, send one 0xFF byte, switch to receive.
void closeSequence(LinkState& station);
// The close sequence, then the port is closed and portOpen becomes 0. The line work left is
// carried out first, waiting for the line (sleepUntilMs), so that the port is never closed
// under a frame.
void releasePort(LinkState& station);

}  // namespace doxa
