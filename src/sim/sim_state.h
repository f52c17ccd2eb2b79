#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "sim/sim_model.h"

namespace doxa::sim {

// The correction values the device keeps for its input, output and ambient measurement: the
// readings taken at the reference points, the measured output at the two drive points, and the
// offset added to the ambient temperature.
struct Calibration {
    float inputLowR = 100, inputHighR = 300;  // Ohm, resistance inputs
    float inputLowU = 0, inputHighU = 80;     // mV, voltage inputs
    float outputLowI = 5.6f, outputHighI = 18.4f;
    float outputLowU = 1.0f, outputHighU = 9.0f;
    float compensation = 0;  // °C added to the ambient temperature

    bool operator==(const Calibration&) const = default;
};

inline constexpr int MaxCharacteristicPoints = 32;
inline constexpr int MaxTextLength = 24;

// Everything the device knows; tests read and set it directly.
struct State {
    // identity
    std::uint8_t typeByte = 5;
    std::uint8_t variantByte = 0x02;
    std::uint32_t serialNumber = 0;  // 24 bits
    int address = 0;                 // HART polling address and MODBUS slave address
    std::optional<int> pendingAddress;  // written over RS485, adopted by the closing write

    // configuration
    std::uint8_t sensorCode = 1;
    bool breakToMin = false;
    std::uint8_t outputBits = 0;  // bits 6..4 of the configuration byte: output type or count
    float rangeLower = 0, rangeUpper = 150;
    std::uint8_t thresholdMode = 0;  // 0 off, 1 "min", anything else "max"
    float threshold = 0, thresholdRelease = 0;
    std::uint8_t filterOrder = 1, filterTimeCode = 0x70, delta = 3;
    std::string text;  // code page 1250, at most MaxTextLength bytes
    int characteristicCount = 0;
    std::array<float, MaxCharacteristicPoints> characteristicX{}, characteristicY{};
    std::uint32_t sensorSerial = 0;
    std::uint8_t lineSettings = 0x80;  // RS485: baud index, plus 0x80 for odd parity

    Calibration calibration, factoryCalibration;
    float trim = 0;  // subtracted from the input since the last trim

    // output
    std::optional<float> fixedOutput;
    std::uint8_t outputMode = 0;  // MODBUS register 0x003E

    // status
    bool configChanged = false;
    bool powerUp = true;
    bool sensorBroken = false;
    bool malfunction = false;

    // The process: when set, the input stays at this value instead of wandering.
    std::optional<float> input;
    // When set, the ambient sensor reads this (before the compensation) instead of drifting.
    std::optional<float> ambient;

    std::uint8_t configurationByte() const;
    void setConfigurationByte(std::uint8_t byte);
    // The MODBUS flag byte: 0x10 break "na min", 0x04 threshold on, 0x01 threshold "max".
    std::uint8_t flagsByte() const;
    void setFlagsByte(std::uint8_t flags);
};

State defaultState(Model model, bool oldGeneration);

// What a sensor code means to this device.
struct SensorInfo {
    std::uint8_t unitCode;  // HART unit: 37 Ohm, 36 mV, 32 °C
    std::optional<float> lower, upper;
    float minimumSpan;
};
SensorInfo sensorInfo(std::uint8_t sensorCode, bool rtdOnly);

inline constexpr std::uint8_t UnitOhm = 37;
inline constexpr std::uint8_t UnitMillivolt = 36;
inline constexpr std::uint8_t UnitCelsius = 32;

}  // namespace doxa::sim
