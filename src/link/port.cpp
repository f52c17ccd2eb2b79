#include "link/port.h"

#include <algorithm>
#include <array>

#include "link/port_names.h"
#include "link/link_state.h"
#include "link/screen_text.h"

namespace doxa {

namespace {

constexpr std::string_view OpenCommText = KEPT_TEXT("Error OpenComm ");

struct Speed {
    const char* text;
    int baud;
};
// The definition text stops at 19200; the fastest speed is set on top of it.
constexpr std::array<Speed, 5> Speeds{{
    {":1200", 1200}, {":4800", 4800}, {":9600", 9600}, {":19200", 19200}, {":19200", 38400}}};

const Speed& speedOf(int baudIndex) {
    return Speeds[baudIndex >= 0 && baudIndex < static_cast<int>(Speeds.size()) ? baudIndex : 0];
}

SerialLine* lineOf(LinkState& station) { return station.link.portHandle.get(); }

void tell(LinkState& station, std::string_view text, std::string_view informative = {}) {
    if (station.showMessage) station.showMessage(text, informative);
}

bool isRs485(const LinkState& station) { return station.link.transmissionMode == ModeRs485; }

void forgetLineWork(LinkState& station) {
    station.link.lineWork.clear();
    station.link.lineFreeAtMs = 0;
}

// A port that failed half-way is closed again: it is opened for exclusive use, so keeping it
// would lock out every later attempt.
std::string_view failOpen(std::unique_ptr<SerialLine> line, std::string_view text) {
    if (line) line->close();
    return text;
}

// Opens the line and makes it the station's; the text of the failure, empty on success.
std::string_view openLine(LinkState& station, int portNumber) {
    // An earlier line that never became usable is let go before the device is asked for again.
    if (station.link.portHandle) {
        station.link.portHandle->close();
        station.link.portHandle.reset();
    }
    forgetLineWork(station);
    station.link.openFailure = {};
    station.link.failedDevice.reset();
    std::unique_ptr<SerialLine> line;
    if (station.makeLine && portNumber >= 0 && portNumber < PortCount) line = station.makeLine(portNumber);
    if (!line || !line->open()) {
        station.link.openFailure = line ? line->openFailure() : OpenFailure{};
        if (line) station.link.failedDevice = line->device();
        return failOpen(std::move(line), OpenCommText);
    }
    if (!line->setDtr(true)) return failOpen(std::move(line), KEPT_TEXT("Error BuildComm"));
    const Parity parity = station.link.parityOff == 1 ? Parity::None : Parity::Odd;
    if (!line->configure(speedOf(station.link.baudIndex).baud, parity))
        return failOpen(std::move(line), KEPT_TEXT("Error SetComState"));
    line->setDtr(true);
    station.link.portDevice = line->device();
    station.link.portHandle = std::move(line);
    station.link.portVanished = 0;
    return {};
}

// A vanished device leaves a handle nothing passes through any more; it is closed and portOpen
// cleared, so that the port is opened anew once the device is back.
void dropVanishedLine(LinkState& station) {
    station.link.portHandle->close();
    station.link.portHandle.reset();
    station.link.portOpen = 0;
    station.link.portVanished = 1;
    forgetLineWork(station);
}

struct ErrorName {
    std::uint32_t bit;
    std::string_view text;
};
constexpr std::array<ErrorName, 10> ErrorNames{{
    {CeBreak, KEPT_TEXT("Error CE_BREAK")},     {CeFrame, KEPT_TEXT("Error CE_FRAME")},
    {CeIoe, KEPT_TEXT("Error CE_IOE")},         {CeMode, KEPT_TEXT("Error CE_MODE")},
    {CeOop, KEPT_TEXT("Error CE_OOP")},         {CeOverrun, KEPT_TEXT("Error CE_OVERRUN")},
    {CePto, KEPT_TEXT("Error CE_PTO")},         {CeRxOver, KEPT_TEXT("Error CE_RXOVER")},
    {CeRxParity, KEPT_TEXT("Error CE_RXPARITY")}, {CeTxFull, KEPT_TEXT("Error CE_TXFULL")},
}};

// Where a HART answer's delimiter follows at least two preambles: a modem may let fewer than
// five through, or put a byte of its own before them when the carrier comes up. Nothing found, -1.
int hartDelimiterAt(const std::array<std::uint8_t, FrameSize>& frame, int length) {
    constexpr std::uint8_t SlaveDelimiter = 0x06;
    for (int at = 2; at < length; ++at)
        if (frame[at] == SlaveDelimiter && frame[at - 1] == 0xFF && frame[at - 2] == 0xFF) return at;
    return -1;
}

// Puts the bytes from `from` on after exactly six preambles; returns the new length.
int preamblesBefore(std::array<std::uint8_t, FrameSize>& frame, int length, int from) {
    constexpr int Wanted = 6;
    const int kept = std::min(length - from, FrameSize - Wanted);
    if (from > Wanted)
        std::copy(frame.begin() + from, frame.begin() + from + kept, frame.begin() + Wanted);
    else if (from < Wanted)  // a byte pushed past the buffer's end is lost
        std::copy_backward(frame.begin() + from, frame.begin() + from + kept, frame.begin() + Wanted + kept);
    std::fill_n(frame.begin(), Wanted, std::uint8_t{0xFF});
    const int normalised = Wanted + kept;
    if (normalised < length) std::fill(frame.begin() + normalised, frame.begin() + length, std::uint8_t{0});
    return normalised;
}

// A HART answer arrives with however many preambles the modem let through; every reader
// expects exactly six, so the delimiter always sits at byte 6. Five or more leading 0xFF are
// preambles whatever follows them; a HART answer is also found after fewer, or after a stray
// byte, by its delimiter. A MODBUS answer is never touched.
int normalisePreamble(std::array<std::uint8_t, FrameSize>& frame, int length, bool hartAnswer) {
    int leading = 0;
    while (leading < length && frame[leading] == 0xFF) ++leading;
    const int delimiter = hartAnswer ? hartDelimiterAt(frame, length) : -1;
    if (delimiter >= 0) return preamblesBefore(frame, length, delimiter);
    if (leading < 5) return length;
    return preamblesBefore(frame, length, leading);
}

// The answer awaited is a HART one: the request on the line was, or (a console's own bytes) the
// line is in HART mode.
bool awaitsHart(const LinkState& station) {
    using Protocol = PendingRequest::Protocol;
    const Protocol protocol = station.link.pendingRequest.protocol;
    return protocol == Protocol::Hart || (protocol == Protocol::None && !isRs485(station));
}

long long transmitTimeUs(const LinkState& station, int bytes) {
    const int bitsPerByte = station.link.parityOff == 1 ? 10 : 11;
    const long long bits = static_cast<long long>(std::max(bytes, 0)) * bitsPerByte;
    const int baud = speedOf(station.link.baudIndex).baud;
    return (bits * 1'000'000 + baud - 1) / baud;
}

// A HART modem frames by its carrier, so its line is free as soon as the frame has left it.
void noteFrameOnLine(LinkState& station, int bytes) {
    const long long busyUs = transmitTimeUs(station, bytes) + (isRs485(station) ? rtuGapUs(station) : 0);
    station.link.lineFreeAtMs = station.monotonicMs() + (busyUs + 999) / 1000;
}

void turnDriver(LinkState& station, bool transmit) {
    // On RS485 the converter's driver is enabled by a dropped RTS, on the HART modem by a raised one.
    if (SerialLine* line = lineOf(station)) line->setRts(transmit != isRs485(station));
}

int writeNow(LinkState& station, const std::uint8_t* bytes, int count) {
    const int written = writeRaw(station, bytes, count);
    station.trafficLog.append(TrafficLog::WrittenMarker, isRs485(station), bytes, written);
    if (written > 0) noteFrameOnLine(station, written);
    return written;
}

void carryOut(LinkState& station, const LineWork& work) {
    switch (work.kind) {
        case LineWork::Kind::Write:
            writeNow(station, work.bytes.data(), static_cast<int>(work.bytes.size()));
            return;
        case LineWork::Kind::Transmit:
            turnDriver(station, true);
            return;
        case LineWork::Kind::Receive:
            turnDriver(station, false);
            return;
    }
}

// True when the work must wait: the line is not free yet, or earlier work still waits.
bool deferred(LinkState& station, LineWork work) {
    if (carryOutLineWork(station) && msUntilLineFree(station) == 0) return false;
    station.link.lineWork.push_back(std::move(work));
    carryOutLineWork(station);
    return true;
}

std::string openFailureExplanation(const LinkSettings& link, int portNumber) {
    const std::string name = portName(portNumber);
    if (!link.failedDevice) return noDeviceText(name);
    return openFailureText(name, *link.failedDevice, link.openFailure);
}

}  // namespace

int baudRate(int baudIndex) { return speedOf(baudIndex).baud; }

std::string portDefinition(int portNumber, int baudIndex, int parityOff) {
    return portName(portNumber) + speedOf(baudIndex).text + (parityOff == 1 ? ",n,8,1" : ",o,8,1");
}

int openPort(LinkState& station, int portNumber) {
    const std::string_view failure = openLine(station, portNumber);
    if (failure.empty()) return 1;
    tell(station, failure,
         failure == OpenCommText ? openFailureExplanation(station.link, portNumber) : "");
    return 0;
}

bool reopenVanishedPort(LinkState& station) {
    if (station.link.portVanished == 0 || station.link.portOpen != 0) return station.link.portOpen != 0;
    if (!openLine(station, station.link.portNumber).empty()) return false;
    station.link.portOpen = 1;
    purge(station);
    return true;
}

void setTransmit(LinkState& station) {
    if (!deferred(station, {LineWork::Kind::Transmit, {}})) turnDriver(station, true);
}

void setReceive(LinkState& station) {
    if (!deferred(station, {LineWork::Kind::Receive, {}})) turnDriver(station, false);
}

int msUntilLineFree(LinkState& station) {
    return static_cast<int>(std::max<std::int64_t>(station.link.lineFreeAtMs - station.monotonicMs(), 0));
}

bool carryOutLineWork(LinkState& station) {
    std::deque<LineWork>& work = station.link.lineWork;
    while (!work.empty() && msUntilLineFree(station) == 0) {
        const LineWork next = std::move(work.front());
        work.pop_front();
        carryOut(station, next);
    }
    if (work.empty()) return true;
    // One wake for each moment the line becomes free is enough.
    if (station.wakeForLineWork && station.link.lineWorkWakeAtMs != station.link.lineFreeAtMs) {
        station.link.lineWorkWakeAtMs = station.link.lineFreeAtMs;
        station.wakeForLineWork(msUntilLineFree(station));
    }
    return false;
}

int writeRaw(LinkState& station, const std::uint8_t* bytes, int count) {
    SerialLine* line = lineOf(station);
    if (!line || count <= 0) return 0;
    return std::clamp(line->write(bytes, count), 0, count);
}

int readRaw(LinkState& station, std::uint8_t* buffer, int maxCount) {
    SerialLine* line = lineOf(station);
    if (!line || maxCount <= 0) return 0;
    const int queued = line->queuedInput();
    if (queued <= 0) return 0;
    const int wanted = std::min(queued, maxCount);
    return std::clamp(line->read(buffer, wanted), 0, wanted);
}

int writeLogged(LinkState& station, int count) {
    count = std::clamp(count, 0, FrameSize);
    const auto bytes = std::span(station.frame).first(static_cast<std::size_t>(count));
    // A write that must wait is taken whole; the log shows it when it goes on the line.
    if (lineOf(station) && deferred(station, {LineWork::Kind::Write, {bytes.begin(), bytes.end()}}))
        return count;
    return writeNow(station, bytes.data(), count);
}

int readLogged(LinkState& station, int maxCount) {
    const int wanted = std::min(maxCount, FrameSize);
    std::vector<std::uint8_t>& collected = station.link.fast.collected;
    const int early = std::min(static_cast<int>(collected.size()), std::max(wanted, 0));
    std::copy_n(collected.begin(), early, station.frame.begin());
    collected.clear();
    const int length = early + readRaw(station, station.frame.data() + early, wanted - early);
    if (length == 0) return 0;
    station.trafficLog.append(TrafficLog::ReadMarker, isRs485(station), station.frame.data(), length);
    return normalisePreamble(station.frame, length, awaitsHart(station));
}

bool collectWholeAnswer(LinkState& station) {
    std::vector<std::uint8_t>& collected = station.link.fast.collected;
    const int have = static_cast<int>(collected.size());
    if (have < FrameSize) {
        collected.resize(FrameSize);
        const int got = readRaw(station, collected.data() + have, FrameSize - have);
        collected.resize(static_cast<std::size_t>(have + got));
    }
    std::array<std::uint8_t, FrameSize> answer{};
    std::copy(collected.begin(), collected.end(), answer.begin());
    const int length = normalisePreamble(answer, static_cast<int>(collected.size()), awaitsHart(station));
    return takeAnswer(station.link.pendingRequest, answer, length).length > 0;
}

int queuedOutput(LinkState& station) {
    SerialLine* line = lineOf(station);
    return line ? std::max(line->queuedOutput(), 0) : 0;
}

bool clearErrors(LinkState& station) {
    SerialLine* line = lineOf(station);
    if (!line) {
        // While the device is away the technician keeps seeing why nothing is exchanged.
        station.link.commErrors = station.link.portVanished ? std::uint32_t{CeIoe} : 0u;
        return station.link.portVanished != 0;
    }
    station.link.commErrors = line->takeErrors();
    if (line->vanished()) {
        station.link.commErrors |= CeIoe;
        dropVanishedLine(station);
    }
    // Counted here, where the line reports them, and not for the repeats of a vanished port
    // above: each error the line saw is counted once, whichever dialog asked.
    station.lineStatistics.lineErrors(station.link.commErrors);
    return true;
}

std::vector<std::string_view> errorParts(std::uint32_t mask) {
    std::vector<std::string_view> parts;
    for (const ErrorName& name : ErrorNames)
        if (mask & name.bit) parts.push_back(name.text);
    return parts;
}

std::string errorText(std::uint32_t mask) {
    std::string text;
    for (std::string_view part : errorParts(mask)) text += part;
    return text;
}

void errorBoxes(LinkState& station, std::uint32_t mask) {
    for (std::string_view part : errorParts(mask)) tell(station, part);
}

void purge(LinkState& station) {
    station.link.fast.collected.clear();
    if (SerialLine* line = lineOf(station)) line->purge();
}

void discardInput(LinkState& station) {
    station.link.fast.collected.clear();
    if (SerialLine* line = lineOf(station)) line->discardInput();
}

int transmitTimeMs(const LinkState& station, int bytes) {
    return static_cast<int>((transmitTimeUs(station, bytes) + 999) / 1000);
}

int rtuGapUs(const LinkState& station) {
    constexpr int FastLineGapUs = 1750;
    const int baud = speedOf(station.link.baudIndex).baud;
    return baud > 19200 ? FastLineGapUs : (385 * 100'000 + baud - 1) / baud;
}

void closeSequence(LinkState& station) {
    clearErrors(station);
    station.frame[0] = 0xFF;
    writeLogged(station, 1);
    setReceive(station);
}

void settleLine(LinkState& station) {
    std::deque<LineWork>& work = station.link.lineWork;
    while (!work.empty()) {
        station.sleepUntilMs(station.link.lineFreeAtMs);
        const LineWork next = std::move(work.front());
        work.pop_front();
        carryOut(station, next);
    }
    if (station.link.portHandle) station.sleepUntilMs(station.link.lineFreeAtMs);
}

void releasePort(LinkState& station) {
    if (station.link.portHandle) closeSequence(station);
    settleLine(station);
    forgetLineWork(station);
    // The close sequence may have found the device gone and let the line go already.
    if (station.link.portHandle) {
        station.link.portHandle->close();
        station.link.portHandle.reset();
    }
    station.link.portOpen = 0;
    station.link.portVanished = 0;
}

}  // namespace doxa
