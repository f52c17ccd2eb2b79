#pragma once

#include "sim/sim_state.h"

namespace doxa::sim {

// What the device's calibration does to its measurement and its output. The input is
// calibrated in its electrical unit (Ohm or mV) at two references; the output at two test
// points where the technician measured what the device drove.

// The electrical reading (Ohm or mV) of a value in the sensor's unit: what a reference point
// stores.
float electricalReading(const State& state, const ModelTraits& traits, float value);
// The reading the calibration makes of a raw value, in the sensor's unit.
float calibratedInput(const State& state, const ModelTraits& traits, float raw);
// What the output carries when the device means to drive `wanted` (mA, or V).
float drivenOutput(const State& state, const ModelTraits& traits, float wanted, bool voltage);
// The test points the calibration tools drive, by family and output kind.
struct OutputPoints {
    float low, high;
};
OutputPoints outputTestPoints(const ModelTraits& traits, bool voltage);

}  // namespace doxa::sim
