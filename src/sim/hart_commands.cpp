// The HART commands the transmitter answers, with the data layouts the configurator expects.

#include <cmath>

#include "link/value_codec.h"
#include "sim/transmitter.h"

namespace doxa::sim {

namespace {

// Response codes.
constexpr std::uint8_t InvalidSelection = 2;
constexpr std::uint8_t TooLarge = 3;
constexpr std::uint8_t TooSmall = 4;
constexpr std::uint8_t TooFewBytes = 5;
constexpr std::uint8_t NotImplemented = 64;

constexpr std::uint8_t ExpansionCode = 254;
constexpr std::uint8_t MakerCode = 0x61;
constexpr std::uint8_t PreamblesWanted = 5;
constexpr std::uint8_t ProtocolRevision = 5;
constexpr std::uint8_t DeviceRevision = 1;
constexpr float MaximumForcedOutput = 25;

class Data {
public:
    Data& byte(std::uint32_t value) {
        bytes.push_back(static_cast<std::uint8_t>(value));
        return *this;
    }
    Data& number24(std::uint32_t value) { return byte(value >> 16).byte(value >> 8).byte(value); }
    Data& real(double value) {
        const auto b = deviceFloat(value, FloatLayout::Hart);
        bytes.insert(bytes.end(), b.begin(), b.end());
        return *this;
    }
    Data& raw(std::span<const std::uint8_t> more) {
        bytes.insert(bytes.end(), more.begin(), more.end());
        return *this;
    }
    std::vector<std::uint8_t> bytes;
};

float realAt(std::span<const std::uint8_t> data, std::size_t at) {
    return static_cast<float>(decodeFloat(data.data() + at, FloatLayout::Hart).value);
}

int filterSeconds(std::uint8_t timeCode) {
    switch (timeCode) {
        case 0x68: return 0;
        case 0x78: return 2;
        case 0x7C: return 5;
        case 0x7E: return 10;
        default: return 1;
    }
}

}  // namespace

std::uint8_t Transmitter::sensorByteWritten(std::span<const std::uint8_t> data) {
    constexpr std::uint8_t BreakBit = 0x80;
    constexpr std::uint8_t DocumentedBits = 0x8F;  // the break bit and the sensor code
    if (data.empty()) return state_.configurationByte();
    const bool keptReversed = faults.breakBit == BreakBitFault::Kept;
    setConfigurationByte(static_cast<std::uint8_t>(keptReversed ? data[0] ^ BreakBit : data[0]));
    std::uint8_t answer = state_.configurationByte();
    if (faults.breakBit == BreakBitFault::Echoed) answer ^= BreakBit;
    return faults.documentedBitsOnly ? answer & DocumentedBits : answer;
}

Transmitter::HartResult Transmitter::hartCommand(std::uint8_t command, std::span<const std::uint8_t> data) {
    State& s = state_;
    const LiveValues now = live();
    const SensorInfo sensor = sensorInfo(s.sensorCode, traits().rtdOnly);
    auto ok = [](Data d) { return HartResult{0, std::move(d.bytes)}; };
    auto fail = [](std::uint8_t code) { return HartResult{code, {}}; };
    auto needs = [&](std::size_t count) { return data.size() >= count; };

    switch (command) {
        case 0:
            return ok(Data{}
                          .byte(ExpansionCode)
                          .byte(MakerCode)
                          .byte(s.typeByte)
                          .byte(PreamblesWanted)
                          .byte(ProtocolRevision)
                          .byte(DeviceRevision)
                          .byte(s.typeByte)
                          .byte(s.variantByte)
                          .byte(0)
                          .number24(s.serialNumber));
        case 1: return ok(Data{}.byte(sensor.unitCode).real(now.primary));
        case 2: return ok(Data{}.real(now.output).real(now.percent));
        case 6:
            if (!needs(1)) return fail(TooFewBytes);
            if (data[0] > 127) return fail(InvalidSelection);
            s.address = data[0];
            s.pendingAddress.reset();
            s.configChanged = true;
            return ok(Data{}.byte(s.address));
        case 14:
            return ok(Data{}
                          .number24(s.sensorSerial)
                          .byte(sensor.unitCode)
                          .real(sensor.upper.value_or(s.rangeUpper))
                          .real(sensor.lower.value_or(s.rangeLower))
                          .real(sensor.minimumSpan));
        case 15:
            return ok(Data{}
                          .byte(s.breakToMin ? 1 : 0)
                          .byte(0)
                          .byte(sensor.unitCode)
                          .real(s.rangeUpper)
                          .real(s.rangeLower)
                          .real(filterSeconds(s.filterTimeCode))
                          .byte(0)
                          .byte(0));
        case 35: {
            if (!needs(9)) return fail(TooFewBytes);
            const float upper = realAt(data, 1), lower = realAt(data, 5);
            if (!std::isfinite(upper) || !std::isfinite(lower)) return fail(InvalidSelection);
            s.rangeUpper = upper;
            s.rangeLower = lower;
            s.configChanged = true;
            return ok(Data{}.byte(sensor.unitCode).real(upper).real(lower));
        }
        case 38: s.configChanged = false; return ok({});
        case 40: {
            if (!needs(4)) return fail(TooFewBytes);
            const float value = realAt(data, 0);
            if (!std::isfinite(value)) return fail(InvalidSelection);
            if (value < 0) return fail(TooSmall);
            if (value > MaximumForcedOutput) return fail(TooLarge);
            if (value == 0)
                s.fixedOutput.reset();
            else
                s.fixedOutput = value;
            s.outputMode = s.fixedOutput ? 0x08 : 0;
            return ok(Data{}.real(value));
        }
        case 43:
            s.trim = now.primary + s.trim - s.rangeLower;
            s.configChanged = true;
            return ok({});
        case 49:
            if (!needs(3)) return fail(TooFewBytes);
            s.sensorSerial = static_cast<std::uint32_t>(data[0] << 16 | data[1] << 8 | data[2]);
            s.configChanged = true;
            return ok(Data{}.number24(s.sensorSerial));
        case 136:
        case 137: captureInput(command == 136); return ok({});
        case 139:
            if (!needs(1)) return fail(TooFewBytes);
            if (data[0] != 1) return fail(InvalidSelection);
            s.calibration = s.factoryCalibration;
            s.trim = 0;
            s.configChanged = true;
            return ok(Data{}.byte(data[0]));
        case 145:
        case 146: {
            if (!needs(4)) return fail(TooFewBytes);
            const float measured = realAt(data, 0);
            if (!std::isfinite(measured)) return fail(InvalidSelection);
            storeOutputPoint(command == 146, measured);
            return ok(Data{}.real(measured));
        }
        case 147:
            return ok(Data{}.byte(sensorByteWritten(data)));
        case 200:
            if (!data.empty()) {
                if (!needs(9)) return fail(TooFewBytes);
                s.thresholdMode = data[0];
                s.threshold = realAt(data, 1);
                s.thresholdRelease = realAt(data, 5);
                s.configChanged = true;
            }
            return ok(Data{}.byte(s.thresholdMode).real(s.threshold).real(s.thresholdRelease));
        case 201:
            if (!data.empty()) {
                if (!needs(3)) return fail(TooFewBytes);
                s.filterOrder = data[0];
                s.filterTimeCode = data[1];
                s.delta = data[2];
                s.configChanged = true;
            }
            return ok(Data{}.byte(s.filterOrder).byte(s.filterTimeCode).byte(s.delta));
        case 202: return ok(Data{}.byte(UnitCelsius).real(now.ambient));
        case 203: {
            if (!needs(4)) return fail(TooFewBytes);
            const float difference = realAt(data, 0);
            if (!std::isfinite(difference)) return fail(InvalidSelection);
            s.calibration.compensation += difference;
            s.configChanged = true;
            return ok(Data{}.real(difference));
        }
        case 212:
            if (data.size() > MaxTextLength) return fail(TooLarge);
            s.text.assign(data.begin(), data.end());
            s.configChanged = true;
            return ok(Data{}.raw(data));
        case 217: {
            const auto* text = reinterpret_cast<const std::uint8_t*>(s.text.data());
            return ok(Data{}.raw({text, s.text.size()}));
        }
        case 220: {
            if (data.size() != 1 && !needs(9)) return fail(TooFewBytes);
            const int point = data[0] / 4;
            if (point >= MaxCharacteristicPoints) return fail(InvalidSelection);
            if (data.size() >= 9) {
                s.characteristicX[point] = realAt(data, 1);
                s.characteristicY[point] = realAt(data, 5);
                s.configChanged = true;
            }
            const bool misindexed = faults.misindexedPoints > 0;
            if (misindexed) --faults.misindexedPoints;
            return ok(Data{}
                          .byte(data[0] + (misindexed ? 4 : 0))
                          .real(s.characteristicX[point])
                          .real(s.characteristicY[point]));
        }
        case 221:
            if (!data.empty()) {
                if (data[0] > MaxCharacteristicPoints) return fail(TooLarge);
                s.characteristicCount = data[0];
                s.configChanged = true;
            }
            return ok(Data{}.byte(s.characteristicCount));
        default: return fail(NotImplemented);
    }
}

}  // namespace doxa::sim
