#pragma once

#include <array>
#include <cstdint>

#include "link/value_codec.h"
#include "sim/sim_state.h"

namespace doxa::sim {

// What the device measures and drives at one moment.
struct LiveValues {
    float input = 0;     // the sensor reading before the trim
    float primary = 0;   // the primary value, in the unit of the sensor code
    float output = 0;    // mA, or V for a voltage output
    float percent = 0;   // primary value as percent of the range
    float ambient = 0;   // °C, with the compensation correction
    bool outOfRange = false;
    bool voltageOutput = false;
};

// The input wanders slowly inside the range (or stays at State::input when that is set); the
// noise is a function of time and seed, so a run can be repeated.
LiveValues liveValues(const State& state, const ModelTraits& traits, std::int64_t nowMs,
                      std::uint64_t seed);

// A value as the device puts it on the line: one it has not got (NaN) goes as a word with the
// exponent 255, which the program itself never sends.
std::array<std::uint8_t, 4> deviceFloat(double value, FloatLayout layout);

}  // namespace doxa::sim
