#include "programming/prog_rules.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>

namespace doxa {

namespace {

constexpr std::array<int, 5> FilterLadder = {0, 1, 2, 5, 10};

constexpr int MilliVolt = 3;
constexpr int Resistance = 0;

}  // namespace

float keepRangeEnd(float value, float reference, RangeEnd end,
                   const std::optional<RangeLimits>& limits) {
    if (!limits) return value;
    float result = std::clamp(value, limits->lower, limits->upper);
    if (!limits->minimumSpan) return result;
    const float span = *limits->minimumSpan;
    if (end == RangeEnd::Upper && value - reference < span) result = reference + span;
    if (end == RangeEnd::Lower && reference - value < span) result = reference - span;
    return result;
}

float keepInLimits(float value, const std::optional<RangeLimits>& limits) {
    return limits ? std::clamp(value, limits->lower, limits->upper) : value;
}

float spinStep(float value, Scroll code) {
    const float whole = std::trunc(value);
    if (code == Scroll::LineUp) return whole + 1;
    if (code == Scroll::LineDown) return whole - 1;
    return whole;
}

int stepFilterTime(int seconds, Scroll code) {
    const auto at = std::find(FilterLadder.begin(), FilterLadder.end(), seconds);
    if (at == FilterLadder.end()) return seconds;
    if (code == Scroll::LineUp && at + 1 != FilterLadder.end()) return *(at + 1);
    if (code == Scroll::LineDown && at != FilterLadder.begin()) return *(at - 1);
    return seconds;
}

std::string_view rangeUnitText(int sensorType, bool rtdOnly) {
    if (sensorType == Resistance) return "Ohm";
    if (sensorType == MilliVolt && !rtdOnly) return "mV";
    if (sensorType == UserCharacteristicR || sensorType == UserCharacteristicU) return "";
    return "°C";
}

bool stepRangeOrFilterSpin(int id, Scroll code, RangeAndFilter values,
                           const std::optional<RangeLimits>& limits) {
    enum : int { FilterTimeSpin = 123, RangeMinSpin = 124, RangeMaxSpin = 125 };
    switch (id) {
        case FilterTimeSpin:
            values.filterTime =
                values.filterOrderIndex == 0 ? 0 : stepFilterTime(values.filterTime, code);
            return true;
        case RangeMinSpin:
            values.rangeMin = keepRangeEnd(spinStep(values.rangeMin, code), values.rangeMax,
                                           RangeEnd::Lower, limits);
            return true;
        case RangeMaxSpin:
            values.rangeMax = keepRangeEnd(spinStep(values.rangeMax, code), values.rangeMin,
                                           RangeEnd::Upper, limits);
            return true;
        default:
            return false;
    }
}

}  // namespace doxa
