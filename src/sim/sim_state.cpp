#include "sim/sim_state.h"

namespace doxa::sim {

namespace {

constexpr std::uint8_t BreakBit = 0x80;
constexpr std::uint8_t OutputMask = 0x70;
constexpr std::uint8_t SensorMask = 0x0F;
constexpr std::uint8_t FlagBreak = 0x10;
constexpr std::uint8_t FlagThresholdOn = 0x04;
constexpr std::uint8_t FlagThresholdMax = 0x01;

struct Limits {
    float lower, upper, span;
};

// Measuring limits by sensor code, the standard list and the resistance-thermometer list.
constexpr std::array<Limits, 10> StandardLimits{{{10, 400, 10},
                                                 {-200, 850, 10},
                                                 {-60, 200, 10},
                                                 {-20, 90, 1},
                                                 {-250, 1350, 50},
                                                 {-200, 1200, 50},
                                                 {-50, 1750, 200},
                                                 {220, 1820, 200},
                                                 {-200, 1300, 100},
                                                 {-260, 400, 50}}};
constexpr std::array<Limits, 9> RtdLimits{{{10, 400, 10},
                                           {-200, 850, 10},
                                           {-200, 850, 10},
                                           {-60, 200, 10},
                                           {-60, 180, 10},
                                           {-180, 200, 10},
                                           {-50, 200, 10},
                                           {-180, 200, 10},
                                           {-50, 200, 10}}};

}  // namespace

std::uint8_t State::configurationByte() const {
    return static_cast<std::uint8_t>((breakToMin ? BreakBit : 0) | (outputBits & OutputMask) |
                                     (sensorCode & SensorMask));
}

void State::setConfigurationByte(std::uint8_t byte) {
    breakToMin = (byte & BreakBit) != 0;
    outputBits = byte & OutputMask;
    sensorCode = byte & SensorMask;
}

std::uint8_t State::flagsByte() const {
    std::uint8_t flags = breakToMin ? FlagBreak : 0;
    if (thresholdMode != 0) flags |= FlagThresholdOn;
    if (thresholdMode != 0 && thresholdMode != 1) flags |= FlagThresholdMax;
    return flags;
}

void State::setFlagsByte(std::uint8_t flags) {
    breakToMin = (flags & FlagBreak) != 0;
    if ((flags & FlagThresholdOn) == 0)
        thresholdMode = 0;
    else
        thresholdMode = (flags & FlagThresholdMax) ? 2 : 1;
}

State defaultState(Model model, bool oldGeneration) {
    const ModelTraits& traits = modelTraits(model);
    State s;
    s.typeByte = traits.typeByte;
    s.variantByte = traits.variantByte;
    if (oldGeneration && canBeOldGeneration(model)) s.variantByte |= OldGenerationBit;
    s.serialNumber = 23456;
    s.sensorSerial = 1001;
    s.sensorCode = traits.defaultSensor;
    s.rangeLower = traits.defaultLower;
    s.rangeUpper = traits.defaultUpper;
    if (traits.rivo) {
        s.outputBits = 0x10;  // 4...20 mA
        // The RIVO current outputs are calibrated at 2 and 18 mA.
        s.calibration.outputLowI = 2.0f;
        s.calibration.outputHighI = 18.0f;
        s.factoryCalibration = s.calibration;
    }
    s.threshold = traits.defaultUpper * 0.8f;
    s.thresholdRelease = s.threshold - 5;
    s.text = "TT-101";
    return s;
}

SensorInfo sensorInfo(std::uint8_t sensorCode, bool rtdOnly) {
    if (rtdOnly) {
        if (sensorCode < RtdLimits.size()) {
            const Limits& l = RtdLimits[sensorCode];
            return {sensorCode == 0 ? UnitOhm : UnitCelsius, l.lower, l.upper, l.span};
        }
    } else if (sensorCode < StandardLimits.size()) {
        const Limits& l = StandardLimits[sensorCode];
        std::uint8_t unit = sensorCode == 0 ? UnitOhm : sensorCode == 3 ? UnitMillivolt : UnitCelsius;
        return {unit, l.lower, l.upper, l.span};
    }
    // A user characteristic, or a code without a table entry: no limits of its own.
    return {UnitCelsius, std::nullopt, std::nullopt, 1};
}

}  // namespace doxa::sim
