#include "transmitter/exchange.h"

#include <algorithm>
#include <charconv>
#include <utility>

#include "dialog/dialog.h"
#include "link/hart.h"
#include "link/modbus.h"
#include "link/port.h"
#include "transmitter/station.h"

namespace doxa {

int buildRequest(Station& station, const Request& request) {
    std::fill_n(station.frame.begin(), hart::PreambleCount, 0xFF);
    const int address = station.device.pollingAddress;
    if (station.link.transmissionMode == ModeRs485) {
        switch (request.modbusFunction) {
            case modbus::ReadHolding:
                return buildReadRequest(station.frame, address, request.modbusStart, request.modbusCount);
            case modbus::WriteSingle:
                return buildWriteSingle(station.frame, address, request.modbusStart, request.modbusValue);
            case modbus::WriteMultiple:
            case modbus::WriteAndStore:
                return buildWriteRegisters(station.frame, address, request.modbusFunction,
                                           request.modbusStart, request.modbusData);
            default:
                return buildDataRequest(station.frame, address, request.modbusFunction, request.modbusData);
        }
    }
    return buildHartRequest(station.frame, address, request.hartCommand, request.hartData);
}

namespace {
std::string lineErrors(Station& station) {
    if (!clearErrors(station)) return {};
    return errorText(station.link.commErrors);
}

using After = FastPacing::After;

void noteStep(Station& station, After step) {
    if (station.link.fast.on) station.link.fast.after = step;
}

// A request that hands the transmitter data: a HART command with data bytes, any MODBUS
// function but the plain read of registers.
bool handsOverData(const Station& station, int length) {
    const PendingRequest& request = station.link.pendingRequest;
    if (request.protocol == PendingRequest::Protocol::Modbus) return request.command != modbus::ReadHolding;
    int preambles = 0;
    while (preambles < length && station.frame[preambles] == 0xFF) ++preambles;
    const int count = preambles + 3;
    return count < length && station.frame[count] != 0;
}

// The quiet time the line asks for between an answer and the next request, in ms.
// MODBUS RTU: the silence that ends a frame, never under 2 ms. HART: 8 characters (73.3 ms at
// 1200 baud), the link grant time a HART master leaves after a transaction, so that a second
// master on the loop (a handheld communicator) may take its turn.
int lineGapMs(const Station& station) {
    constexpr int HartGapTenthsOfBits = 880;  // 8 characters of 11 bits
    if (station.link.transmissionMode == ModeRs485) return std::max((rtuGapUs(station) + 999) / 1000, 2);
    const int baud = baudRate(0);
    return (HartGapTenthsOfBits * 100 + baud - 1) / baud;
}

// After a request the driver stays at transmit until the request has left the line, and two
// character times more for the UART's shift register and the adapter behind it.
int requestOnLineMs(const Station& station) {
    constexpr int TrailingCharacters = 2;
    return transmitTimeMs(station, station.link.fast.requestLength + TrailingCharacters);
}

void startFastWait(Station& station, DialogWindow& window, int ms, int timer) {
    FastPacing& fast = station.link.fast;
    switch (std::exchange(fast.after, After::Nothing)) {
        case After::Request: {
            // Never before the silence that ends a MODBUS RTU request: the link would hold the
            // turn back until then, and the watch must not read ahead of it.
            const int turn = std::max(std::min(ms, requestOnLineMs(station)), msUntilLineFree(station));
            fast.turnSavedMs = std::max(ms - turn, 0);
            window.startTimer(timer, turn);
            return;
        }
        case After::Turn:
            window.startWatchedTimer(timer, ms + std::exchange(fast.turnSavedMs, 0), ms,
                                     [&station] { return collectWholeAnswer(station); });
            return;
        case After::Answer:
            // The documented wait after a write lets the transmitter store what it was given.
            window.startWatchedTimer(timer, fast.handsOverData ? ms : std::min(ms, lineGapMs(station)),
                                     ms, {});
            return;
        case After::Nothing:
            window.startTimer(timer, ms);
            return;
    }
}

}  // namespace

void expectAnswer(Station& station, int length) {
    const int sent = std::clamp(length, 0, FrameSize);
    station.link.pendingRequest = pendingRequestOf(station.frame, sent);
    discardInput(station);
    station.lineStatistics.requestSent(std::span(station.frame).first(std::size_t(sent)),
                                       station.monotonicMs());
}

std::string transmitFrame(Station& station, int length) {
    reopenVanishedPort(station);
    expectAnswer(station, length);
    setTransmit(station);
    writeLogged(station, length);
    if (station.link.fast.on) {
        station.link.fast.requestLength = length;
        station.link.fast.handsOverData = handsOverData(station, length);
    }
    noteStep(station, After::Request);
    return lineErrors(station);
}

std::string sendRequest(Station& station, const Request& request) {
    return transmitFrame(station, buildRequest(station, request));
}

int buildHartFrame(Station& station, const Request& request) {
    return buildHartRequest(station.frame, station.device.pollingAddress, request.hartCommand,
                            request.hartData);
}

std::string sendHartRequest(Station& station, const Request& request) {
    return transmitFrame(station, buildHartFrame(station, request));
}

void turnToReceive(Station& station) {
    station.frame.fill(0);
    setReceive(station);
    noteStep(station, After::Turn);
}

Reply readReply(Station& station) {
    Reply reply;
    reply.lineErrors = lineErrors(station);
    reply.arrived = readLogged(station, ReadMax);
    // A device that went away shows itself in the read; say so now, not a cycle later.
    if (station.link.portHandle && station.link.portHandle->vanished()) {
        const std::uint32_t before = station.link.commErrors;
        clearErrors(station);
        station.link.commErrors |= before;
        reply.lineErrors = errorText(station.link.commErrors);
    }
    const PendingRequest& request = station.link.pendingRequest;
    const AnswerTaken taken = takeAnswer(request, station.frame, reply.arrived);
    if (reply.arrived > 0) reply.fault = taken.fault;
    noteStep(station, taken.length > 0 ? After::Answer : After::Nothing);
    station.lineStatistics.answerRead(reply.arrived, reply.fault, station.monotonicMs());
    if (taken.length == 0) return reply;
    reply.length = taken.length;
    // What followed the answer is no part of it.
    std::fill(station.frame.begin() + taken.length, station.frame.begin() + reply.arrived, std::uint8_t{0});
    // The status bytes of a damaged answer could light any bit of the panel, so only those of
    // an answer that passed are shown, whatever length the dialog then expects.
    if (request.protocol == PendingRequest::Protocol::Hart)
        decodeStatus(station.statusPanel, station.frame[hart::AnswerStatus1],
                     station.frame[hart::AnswerStatus2]);
    return reply;
}

bool isModbusAnswer(const Station& station, int length, std::uint8_t function) {
    constexpr int Shortest = 4;
    if (length < Shortest || length > FrameSize) return false;
    const auto& f = station.frame;
    const std::uint16_t crc = modbusCrc(f, length - 2);
    return f[1] == function && f[length - 2] == (crc & 0xFF) && f[length - 1] == (crc >> 8);
}

bool ensurePortOpen(Station& station) {
    if (station.link.portOpen == 0 && openPort(station, station.link.portNumber) == 1)
        station.link.portOpen = 1;
    return station.link.portOpen != 0;
}

void goToState(Station& station, DialogWindow& window, int state, int ms, int timer) {
    station.link.exchangeState = state;
    if (station.link.fast.on)
        startFastWait(station, window, ms, timer);
    else
        window.startTimer(timer, ms);
}

void releaseLine(Station& station) {
    if (station.link.portOpen != 0) closeSequence(station);
}

void endExchange(Station& station, DialogWindow& window) {
    window.stopTimer(ExchangeTimer);
    releaseLine(station);
}

bool isIdentityLength(int length) {
    return length == HartIdentityLength || length == Rs485IdentityLength;
}

Identity identityInFrame(const Station& station) {
    const auto& f = station.frame;
    if (station.link.transmissionMode == ModeRs485)
        return Identity{.serialNumber = f[4] << 16 | f[6] << 8 | f[8],
                        .unitCode = f[14],
                        .model = ModelBytes{.type = f[10], .afterType = f[11], .variant = f[12]}};
    return Identity{.serialNumber = f[21] << 16 | f[22] << 8 | f[23],
                    .model = ModelBytes{.type = f[18], .afterType = f[19], .variant = f[19]}};
}

ModelBytes takeIdentity(Station& station) {
    const Identity identity = identityInFrame(station);
    station.device.serialNumber = identity.serialNumber;
    if (station.link.transmissionMode == ModeRs485) station.device.unitCode = identity.unitCode;
    return identity.model;
}

std::optional<int> parsePollingAddress(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    if (value < 0 || value > 127) return std::nullopt;
    return value;
}

}  // namespace doxa
