#include "programming/prog_rules.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>

#include "link/screen_text.h"
#include "dialog/typed_number.h"

namespace doxa {

namespace {

constexpr std::array<int, 5> FilterLadder = {0, 1, 2, 5, 10};

constexpr int MilliVolt = 3;
constexpr int Resistance = 0;

// The refused end, the lowest and the highest allowed; then the least span and the other end.
constexpr std::string_view RefusedMinPattern =
    UI_TEXT("Błędny zakres: min = %1, dozwolone %2 … %3");
constexpr std::string_view RefusedMaxPattern =
    UI_TEXT("Błędny zakres: max = %1, dozwolone %2 … %3");
constexpr std::string_view RefusedMinSpanPattern =
    UI_TEXT("Błędny zakres: min = %1, dozwolone %2 … %3 i co najmniej %4 poniżej max = %5");
constexpr std::string_view RefusedMaxSpanPattern =
    UI_TEXT("Błędny zakres: max = %1, dozwolone %2 … %3 i co najmniej %4 powyżej min = %5");
constexpr std::string_view EqualEndsPattern =
    UI_TEXT("Błędny zakres: max = %1, musi być różny od min = %2");

std::string withUnit(float value, std::string_view unit) {
    return numberText(value) + (unit.empty() ? "" : " ") + std::string(unit);
}

// "min = 50 °C, dozwolone -200 … 850 °C i co najmniej 10 °C poniżej max = 50 °C"
std::string refusedEnd(RangeEnd end, float value, float reference, const RangeLimits& limits,
                       std::string_view unit) {
    const bool lower = end == RangeEnd::Lower;
    const std::string refused = withUnit(value, unit);
    const std::string lowest = numberText(limits.lower);
    const std::string highest = withUnit(limits.upper, unit);
    if (!limits.minimumSpan)
        return formatText(lower ? RefusedMinPattern : RefusedMaxPattern,
                          {refused, lowest, highest});
    return formatText(
        lower ? RefusedMinSpanPattern : RefusedMaxSpanPattern,
        {refused, lowest, highest, withUnit(*limits.minimumSpan, unit), withUnit(reference, unit)});
}

}  // namespace

std::optional<RangeLimits> rangeLimits(int sensorType, bool rtdOnly) {
    return rtdOnly ? rtdLimits(sensorType) : standardLimits(sensorType);
}

std::string refusedRange(float rangeMin, float rangeMax, const std::optional<RangeLimits>& limits,
                         std::string_view unit) {
    if (limits && keepRangeEnd(rangeMin, rangeMax, RangeEnd::Lower, limits) != rangeMin)
        return refusedEnd(RangeEnd::Lower, rangeMin, rangeMax, *limits, unit);
    if (limits && keepRangeEnd(rangeMax, rangeMin, RangeEnd::Upper, limits) != rangeMax)
        return refusedEnd(RangeEnd::Upper, rangeMax, rangeMin, *limits, unit);
    if (rangeMin == rangeMax)
        return formatText(EqualEndsPattern, {withUnit(rangeMax, unit), withUnit(rangeMin, unit)});
    return {};
}

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
