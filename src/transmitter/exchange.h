#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "link/answer_check.h"
#include "link/modbus.h"
#include "transmitter/model_recognition.h"

namespace doxa {

class Station;
class DialogWindow;

// The steps every dialog's timer takes for one request/answer exchange: send the request, turn
// the line driver round after replyWait, read what came back. Each step hands the line error
// text back rather than showing it, because every dialog has its own field for it; the text is
// empty when the line reported no error.

// The one window timer that drives a dialog's exchange.
inline constexpr int ExchangeTimer = 1;
// How long the answer gets after the line driver switched to receive, in most states.
inline constexpr int AnswerWait = 500;
// Every read asks for up to the whole frame buffer.
inline constexpr int ReadMax = 100;

// One request in both wire formats; the station's transmission mode picks the one sent.
// HART: a short frame with the command and its data. MODBUS: a read of holding registers unless
// another function is named.
struct Request {
    std::uint8_t hartCommand = 0;
    std::span<const std::uint8_t> hartData = {};
    int modbusStart = 0;
    int modbusCount = 0;
    // WriteSingle puts modbusValue into register modbusStart; WriteMultiple and WriteAndStore
    // write one register per byte of modbusData from modbusStart on; any other function carries
    // modbusData as it is (nothing for 136 and 137, four float bytes for 145 and 146).
    std::uint8_t modbusFunction = modbus::ReadHolding;
    std::span<const std::uint8_t> modbusData = {};
    std::uint16_t modbusValue = 0;
};

// Fills the preambles and builds the request in the frame buffer; returns its length.
int buildRequest(Station& station, const Request& request);
// Notes what the request of `length` bytes built in the frame buffer expects of its answer and
// discards whatever still waits in the receive queue, so that only an answer to this request
// can be read. transmitFrame() does it; a dialog that writes a request itself calls it first.
void expectAnswer(Station& station, int length);
// SEND for a frame already built: expectAnswer, transmit level, logged write, line errors.
std::string transmitFrame(Station& station, int length);
// SEND: build and transmit.
std::string sendRequest(Station& station, const Request& request);
// The user characteristic, sensor and text functions speak HART whatever the transmission mode:
// the HART form of the request is built and transmitted, keyed by the mode as every request is.
int buildHartFrame(Station& station, const Request& request);
std::string sendHartRequest(Station& station, const Request& request);
// TURN: an empty frame buffer for the answer and the line driver at receive level.
void turnToReceive(Station& station);

struct Reply {
    int length = 0;  // 0 = no answer to the request: nothing arrived, or the answer was rejected
    std::string lineErrors;
    int arrived = 0;  // the frame length read, whether the answer was taken or not
    AnswerFault fault = AnswerFault::None;  // why an arrived answer was rejected
};
// READ: line errors, the logged read and the check of the answer against the request written
// last; then in HART the status bytes of an answer that passed. The first whole answer that
// passes is taken and whatever followed it in the read (a late answer to an earlier request) is
// dropped, with fast exchanges or without. An answer that fails the check is reported as no
// answer (length 0), so that no dialog ever parses it.
Reply readReply(Station& station);

// A MODBUS answer in the frame buffer that really answers `function`: at least address,
// function and CRC long, the function echoed without the exception bit, and the CRC right.
bool isModbusAnswer(const Station& station, int length, std::uint8_t function);

// Opens the station's port unless a dialog opened it already. False when it cannot be opened.
bool ensurePortOpen(Station& station);
// Moves the exchange to `state`; the timer fires next after `ms`. Dialogs with a second
// exchange name its timer.
// With fast exchanges on (doxa-cli --fast) the wait depends on the step before it: after a
// request the driver turns once the request has left the line; after the turn the read comes as
// soon as a whole answer that passes the check has arrived, else at the documented read time;
// after an answer taken the next step follows the line's gap, unless the request handed the
// transmitter data to keep. Any other wait is the documented one.
void goToState(Station& station, DialogWindow& window, int state, int ms,
               int timer = ExchangeTimer);
// The close sequence (one 0xFF byte, receive level), so that the line driver is never left at
// transmit; nothing to do while no port is open.
void releaseLine(Station& station);
// What a dialog does when it goes away: no further ticks, the line released.
void endExchange(Station& station, DialogWindow& window);

// The identification request every dialog that identifies the transmitter sends first, and the
// two answer lengths it accepts (HART command 0, MODBUS registers 0x0138..0x013D).
inline constexpr Request IdentifyRequest{.hartCommand = 0, .modbusStart = 0x0138, .modbusCount = 6};
inline constexpr int HartIdentityLength = 25;
inline constexpr int Rs485IdentityLength = 17;
bool isIdentityLength(int length);

// What an identification answer in the frame buffer tells, at the positions of the current
// mode whatever the answer's length.
struct Identity {
    int serialNumber = 0;
    std::uint8_t unitCode = 0;  // RS485 only
    ModelBytes model;
};
Identity identityInFrame(const Station& station);
// Takes the serial number, and in RS485 the unit code, of that answer into the device record.
ModelBytes takeIdentity(Station& station);

// Reads an address typed by the user; nullopt for anything but a whole number in 0..127, which
// the address fields turn into 0.
std::optional<int> parsePollingAddress(std::string_view text);

}  // namespace doxa
