#include "sim/transmitter.h"

#include <algorithm>
#include <chrono>
#include <limits>

#include "link/hart.h"
#include "link/port.h"
#include "sim/calibration_effect.h"

namespace doxa::sim {

namespace {

constexpr std::uint8_t Preamble = 0xFF;
constexpr std::uint8_t SlaveDelimiter = 0x06;
constexpr std::uint8_t ResponseNotImplemented = 0x40;
constexpr std::uint8_t CommunicationChecksumError = 0x88;
// The bit a miskept write gets wrong.
constexpr std::uint8_t MiskeptBit = 0x01;

std::size_t leadingPreambles(std::span<const std::uint8_t> bytes) {
    std::size_t count = 0;
    while (count < bytes.size() && bytes[count] == Preamble) ++count;
    return count;
}

// The HART commands that change the device's calibration.
bool isCalibrationCommand(std::uint8_t command) {
    switch (command) {
        case 43: case 136: case 137: case 139: case 145: case 146: case 203: return true;
        default: return false;
    }
}

std::function<std::int64_t()> steadyClock() {
    const auto start = std::chrono::steady_clock::now();
    return [start] {
        return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start)
            .count();
    };
}

}  // namespace

Transmitter::Transmitter(Model model, const Options& options)
    : timing(options.timing),
      model_(model),
      state_(defaultState(model, options.oldGeneration)),
      options_(options),
      injector_(options.seed),
      clock_(steadyClock()) {
    state_.address = std::clamp(options.address, 0, 127);
    if (options.lineSettings) state_.lineSettings = *options.lineSettings;
    if (options.serialNumber) state_.serialNumber = *options.serialNumber & 0xFFFFFF;
    options_.minPreambles = std::clamp(options_.minPreambles, 2, 30);
    options_.maxPreambles = std::clamp(options_.maxPreambles, options_.minPreambles, 30);
}

std::vector<std::uint8_t> Transmitter::answer(std::span<const std::uint8_t> request) {
    return reply(request).bytes;
}

Reply Transmitter::reply(std::span<const std::uint8_t> request) {
    const std::size_t preambles = leadingPreambles(request);
    const auto rest = request.subspan(preambles);
    std::optional<std::vector<std::uint8_t>> bytes;
    if (rest.size() == 1 && pageForLetter(rest[0])) {
        verdict_ = injector_.decide(faults, ++requests_);
        bytes = dump(*pageForLetter(rest[0]));
    } else if (preambles > 0) {
        bytes = answerHart(rest);
    } else {
        bytes = answerModbus(request);
    }
    if (!bytes || verdict_.drop) return {};

    Reply out{std::move(*bytes), 0};
    if (verdict_.truncate) injector_.truncate(out.bytes);
    if (verdict_.garble) injector_.garble(out.bytes, leadingPreambles(out.bytes));
    if (verdict_.late) out.delayMs = faults.lateMs;
    std::vector<std::uint8_t> answered = out.bytes;
    if (verdict_.stale) out.bytes.insert(out.bytes.end(), previousAnswer_.begin(), previousAnswer_.end());
    previousAnswer_ = std::move(answered);
    return out;
}

Reply Transmitter::replyOnLine(std::span<const std::uint8_t> request, int baud,
                               std::optional<Parity> parity) {
    // HART comes through its modem, which has a speed of its own; only MODBUS meets the RS485
    // settings of the device.
    if (!options_.lineSettings || leadingPreambles(request) > 0) return reply(request);
    constexpr std::uint8_t OddParity = 0x80;
    if (baud != baudRate(state_.lineSettings & ~OddParity)) return {};
    Reply out = reply(request);
    const Parity own = (state_.lineSettings & OddParity) ? Parity::Odd : Parity::None;
    if (parity && *parity != own && !out.bytes.empty()) {
        // The master's receiver expects one bit more or less per character than it gets and
        // slips by a bit: every byte arrives shifted, with a stop bit in its top bit.
        for (std::uint8_t& byte : out.bytes) byte = static_cast<std::uint8_t>(byte >> 1 | 0x80);
        out.misframed = true;
    }
    return out;
}

LiveValues Transmitter::live() const {
    LiveValues values = liveValues(state_, traits(), clock_(), options_.seed);
    if (faults.notANumberPrimary) values.primary = std::numeric_limits<float>::quiet_NaN();
    return values;
}

PageBytes Transmitter::page(Page page) const {
    return memory_.read(page, state_, live(), traits(), oldGeneration());
}

std::vector<std::uint8_t> Transmitter::dump(Page which) const {
    const PageBytes bytes = page(which);
    return {bytes.rbegin(), bytes.rend()};
}

std::optional<std::vector<std::uint8_t>> Transmitter::answerHart(std::span<const std::uint8_t> frame) {
    constexpr std::size_t Header = 4;  // delimiter, address, command, byte count
    if (frame.size() < Header + 1 || frame[0] != hart::MasterDelimiter) return std::nullopt;
    const std::uint8_t address = frame[1];
    const std::uint8_t command = frame[2];
    const std::size_t count = frame[3];
    if (frame.size() < Header + count + 1) return std::nullopt;
    if ((address & 0x7F) != state_.address) return std::nullopt;

    verdict_ = injector_.decide(faults, ++requests_);
    if (verdict_.loseCalibration && isCalibrationCommand(command)) return std::nullopt;
    HartResult result;
    if (hartChecksum(frame, static_cast<int>(Header + count)) != frame[Header + count]) {
        result.code = CommunicationChecksumError;
    } else {
        std::vector<std::uint8_t> data(frame.begin() + Header, frame.begin() + Header + count);
        const auto fault = faults.hartWrites.find(command);
        if (!data.empty() && fault != faults.hartWrites.end()) {
            if (fault->second == WriteFault::Unanswered) return std::nullopt;
            data.back() ^= MiskeptBit;
        }
        const bool write = !data.empty() || isCalibrationCommand(command);
        const auto refused = write ? refusalCode(faults.hartRefusals, command) : std::nullopt;
        result = refused ? HartResult{.code = static_cast<std::uint8_t>(*refused), .data = {}} : hartCommand(command, data);
        if (result.code == 0 && write && answerLost(command)) return std::nullopt;
    }
    if (verdict_.notImplemented) result.code |= ResponseNotImplemented;
    constexpr std::uint8_t SetAddress = 6;
    const bool fromNew = command == SetAddress && faults.answerFromNewAddress && result.code == 0;
    const auto answeredFrom = static_cast<std::uint8_t>(fromNew ? (address & 0x80) | state_.address : address);
    const int preambles = verdict_.losePreambles
                              ? injector_.uniform(0, 1)
                              : injector_.uniform(options_.minPreambles, options_.maxPreambles);
    return hartFrame(answeredFrom, command, result.code, result.data, preambles);
}

std::vector<std::uint8_t> Transmitter::hartFrame(std::uint8_t address, std::uint8_t command,
                                                 std::uint8_t status1,
                                                 std::span<const std::uint8_t> data, int preambles) {
    std::vector<std::uint8_t> out;
    if (options_.noiseByte) out.push_back(*options_.noiseByte);
    out.insert(out.end(), static_cast<std::size_t>(preambles), Preamble);
    out.insert(out.end(), {SlaveDelimiter, address, command,
                           static_cast<std::uint8_t>(data.size() + 2), status1,
                           deviceStatus(live())});
    out.insert(out.end(), data.begin(), data.end());
    // The checksum covers the frame from its delimiter: the preambles and any noise before
    // them are no part of it.
    const auto frame = std::span(out).subspan(out.size() - data.size() - 6);
    out.push_back(hartChecksum(frame, static_cast<int>(frame.size())));
    state_.powerUp = false;  // reported once, in the first answer after power-up
    return out;
}

std::uint8_t Transmitter::deviceStatus(const LiveValues& live) const {
    std::uint8_t status = 0;
    if (state_.malfunction) status |= 0x80;
    if (state_.configChanged) status |= 0x40;
    if (state_.powerUp) status |= 0x20;
    if (state_.fixedOutput) status |= 0x08;
    if (state_.sensorBroken) status |= 0x04;
    if (live.outOfRange) status |= 0x01;
    return status | faults.deviceStatusBits;
}

float Transmitter::captureInput(bool upper) {
    // The reference point keeps the electrical reading (Ohm or mV) the reference gave.
    const float input = electricalReading(state_, traits(), live().input);
    Calibration& c = state_.calibration;
    if (resistanceInput(state_, traits()))
        (upper ? c.inputHighR : c.inputLowR) = input;
    else
        (upper ? c.inputHighU : c.inputLowU) = input;
    state_.configChanged = true;
    return input;
}

void Transmitter::storeOutputPoint(bool upper, float measured) {
    Calibration& c = state_.calibration;
    const bool voltage = live().voltageOutput;
    float& point = voltage ? (upper ? c.outputHighU : c.outputLowU) : (upper ? c.outputHighI : c.outputLowI);
    if (faults.relativeOutputTrim) {
        // The error measured at the test point is taken off from where the output stands.
        const OutputPoints nominal = outputTestPoints(traits(), voltage);
        point += measured - (upper ? nominal.high : nominal.low);
    } else {
        point = measured;
    }
    state_.configChanged = true;
}

std::optional<int> Transmitter::refusalCode(const std::map<int, Faults::Refusal>& rules, int key) {
    const auto rule = rules.find(key);
    if (rule == rules.end()) return std::nullopt;
    int& sends = refusedSends_[key];
    if (rule->second.times != 0 && sends >= rule->second.times) return std::nullopt;
    ++sends;
    return rule->second.code;
}

bool Transmitter::answerLost(int key) {
    int& lost = lostAnswers_[key];
    if (lost >= faults.lostWriteAnswers) return false;
    ++lost;
    return true;
}

void Transmitter::setConfigurationByte(std::uint8_t byte) {
    state_.setConfigurationByte(byte);
    state_.trim = 0;  // writing the configuration is how a trim is cancelled
    state_.configChanged = true;
}

}  // namespace doxa::sim
