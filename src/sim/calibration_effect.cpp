#include "sim/calibration_effect.h"

#include <array>

#include "sim/memory_map.h"

namespace doxa::sim {

namespace {

constexpr double ResistanceLow = 100, ResistanceHigh = 300;  // Ohm
constexpr double VoltageLow = 0, VoltageHigh = 80;           // mV

// A straight line from the sensor's unit to its electrical one: value = offset + slope * unit.
// Good enough near the references; the simulator needs no full sensor tables.
struct Line {
    double offset, slope;
};

Line sensorLine(std::uint8_t code, bool rtdOnly) {
    static constexpr std::array<Line, 10> Standard{{{0, 1},        // Ohm
                                                   {100, 0.385},   // Pt 100
                                                   {100, 0.618},   // Ni 100
                                                   {0, 1},         // mV
                                                   {0, 0.041},     // K
                                                   {0, 0.052},     // J
                                                   {0, 0.0064},    // S
                                                   {0, 0.006},     // B
                                                   {0, 0.027},     // N
                                                   {0, 0.043}}};   // T
    static constexpr std::array<Line, 9> Rtd{{{0, 1},
                                              {100, 0.385},
                                              {100, 0.391},
                                              {100, 0.619},
                                              {100, 0.617},
                                              {100, 0.428},
                                              {100, 0.426},
                                              {50, 0.214},
                                              {50, 0.213}}};
    if (rtdOnly) return code < Rtd.size() ? Rtd[code] : Line{0, 1};
    return code < Standard.size() ? Standard[code] : Line{0, 1};
}

double mapped(double x, double fromLow, double fromHigh, double toLow, double toHigh) {
    if (fromHigh == fromLow) return x;
    return toLow + (x - fromLow) * (toHigh - toLow) / (fromHigh - fromLow);
}

}  // namespace

float electricalReading(const State& state, const ModelTraits& traits, float value) {
    const Line line = sensorLine(state.sensorCode, traits.rtdOnly);
    return static_cast<float>(line.offset + line.slope * value);
}

float calibratedInput(const State& state, const ModelTraits& traits, float raw) {
    const Line line = sensorLine(state.sensorCode, traits.rtdOnly);
    const Calibration& c = state.calibration;
    const double electrical = line.offset + line.slope * raw;
    const double corrected = resistanceInput(state, traits)
                                 ? mapped(electrical, c.inputLowR, c.inputHighR, ResistanceLow, ResistanceHigh)
                                 : mapped(electrical, c.inputLowU, c.inputHighU, VoltageLow, VoltageHigh);
    return static_cast<float>((corrected - line.offset) / line.slope);
}

OutputPoints outputTestPoints(const ModelTraits& traits, bool voltage) {
    if (!traits.rivo) return {5.6f, 18.4f};
    return voltage ? OutputPoints{1.0f, 9.0f} : OutputPoints{2.0f, 18.0f};
}

float drivenOutput(const State& state, const ModelTraits& traits, float wanted, bool voltage) {
    // The device drives its converter as the two measured test points tell it to; a converter
    // that is in fact exact then carries the error of any wrong measurement typed in.
    const Calibration& c = state.calibration;
    const OutputPoints points = outputTestPoints(traits, voltage);
    const double measuredLow = voltage ? c.outputLowU : c.outputLowI;
    const double measuredHigh = voltage ? c.outputHighU : c.outputHighI;
    return static_cast<float>(mapped(wanted, measuredLow, measuredHigh, points.low, points.high));
}

}  // namespace doxa::sim
