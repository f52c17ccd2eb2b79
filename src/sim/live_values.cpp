#include "sim/live_values.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "sim/calibration_effect.h"

namespace doxa::sim {

namespace {

constexpr double InputPeriodMs = 90'000;
constexpr double AmbientPeriodMs = 600'000;
constexpr float AmbientBase = 24.0f;

// A reproducible value in [-1, 1) for a time slot.
double jitter(std::uint64_t seed, std::int64_t slot) {
    std::uint64_t x = seed ^ (static_cast<std::uint64_t>(slot) * 0x9E3779B97F4A7C15ull);
    x ^= x >> 33;
    x *= 0xFF51AFD7ED558CCDull;
    x ^= x >> 33;
    x *= 0xC4CEB9FE1A85EC53ull;
    x ^= x >> 33;
    return static_cast<double>(x >> 11) * 0x1.0p-52 - 1.0;
}

float wanderingInput(const State& state, const SensorInfo& sensor, std::int64_t nowMs,
                     std::uint64_t seed) {
    double lower = std::min(state.rangeLower, state.rangeUpper);
    double upper = std::max(state.rangeLower, state.rangeUpper);
    if (sensor.lower && sensor.upper) {
        lower = std::max<double>(lower, *sensor.lower);
        upper = std::min<double>(upper, *sensor.upper);
        if (lower >= upper) {
            lower = *sensor.lower;
            upper = *sensor.upper;
        }
    }
    const double middle = (lower + upper) / 2;
    const double span = upper - lower;
    const double wave = std::sin(2 * std::numbers::pi * static_cast<double>(nowMs) / InputPeriodMs);
    const double value = middle + 0.35 * span * wave + 0.01 * span * jitter(seed, nowMs / 250);
    return static_cast<float>(std::clamp(value, lower, upper));
}

// The analogue output a configuration drives: its span, its saturation and the levels that
// signal a sensor break.
struct OutputScale {
    float low, high;
    float minimum, maximum;
    float breakLow, breakHigh;
    bool voltage;
};

OutputScale outputScale(const State& state, bool rivo) {
    const OutputScale current420{4, 20, 3.8f, 20.5f, 3.6f, 21.0f, false};
    if (!rivo) return current420;
    switch (state.outputBits & 0x70) {
        case 0x00: return {0, 20, 0, 20.5f, 0, 21.0f, false};
        case 0x20: return {0, 5, 0, 5.125f, 0, 5.25f, false};
        case 0x40: return {0, 10, 0, 10.25f, 0, 10.5f, true};
        default: return current420;
    }
}

}  // namespace

LiveValues liveValues(const State& state, const ModelTraits& traits, std::int64_t nowMs,
                      std::uint64_t seed) {
    const SensorInfo sensor = sensorInfo(state.sensorCode, traits.rtdOnly);
    const OutputScale scale = outputScale(state, traits.rivo);
    LiveValues live;
    live.voltageOutput = scale.voltage;
    live.input = state.input ? *state.input : wanderingInput(state, sensor, nowMs, seed);
    live.primary = calibratedInput(state, traits, live.input) - state.trim;

    const float span = state.rangeUpper - state.rangeLower;
    const float fraction = span != 0 ? (live.primary - state.rangeLower) / span : 0;
    live.percent = fraction * 100;
    const float low = std::min(state.rangeLower, state.rangeUpper);
    const float high = std::max(state.rangeLower, state.rangeUpper);
    live.outOfRange = live.primary < low || live.primary > high;

    if (state.fixedOutput)
        live.output = *state.fixedOutput;
    else if (state.sensorBroken)
        live.output = state.breakToMin ? scale.breakLow : scale.breakHigh;
    else
        live.output = std::clamp(scale.low + fraction * (scale.high - scale.low), scale.minimum,
                                 scale.maximum);
    live.output = drivenOutput(state, traits, live.output, scale.voltage);

    const double drift = 1.5 * std::sin(2 * std::numbers::pi * static_cast<double>(nowMs) / AmbientPeriodMs);
    const float sensed = state.ambient ? *state.ambient
                                       : static_cast<float>(AmbientBase + drift + 0.05 * jitter(~seed, nowMs / 1000));
    live.ambient = sensed + state.calibration.compensation;
    return live;
}

std::array<std::uint8_t, 4> deviceFloat(double value, FloatLayout layout) {
    if (!std::isnan(value)) return encodeFloat(value, layout);
    // Exponent 255 with the top fraction bit set, in either layout.
    if (layout == FloatLayout::Hart) return {0x7F, 0xC0, 0x00, 0x00};
    return {0xFF, 0x40, 0x00, 0x00};
}

}  // namespace doxa::sim
