#include "programming/prog_rules.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>

namespace doxa {

namespace {

constexpr std::array<RangeLimits, 10> Standard{{
    {10, 400, 10},
    {-200, 850, 10},
    {-60, 200, 10},
    {-20, 90, std::nullopt},
    {-250, 1350, 50},
    {-200, 1200, 50},
    {-50, 1750, 200},
    {220, 1820, 200},
    {-200, 1300, 100},
    {-260, 400, 50},
}};

constexpr std::array<RangeLimits, 9> Rtd{{
    {10, 400, 10},
    {-200, 850, 10},
    {-200, 850, 10},
    {-60, 200, 10},
    {-60, 180, 10},
    {-180, 200, 10},
    {-50, 200, 10},
    {-180, 200, 10},
    {-50, 200, 10},
}};

template <std::size_t N>
std::optional<RangeLimits> limitsOf(const std::array<RangeLimits, N>& table, int code) {
    if (code < 0 || code >= static_cast<int>(N)) return std::nullopt;
    return table[static_cast<std::size_t>(code)];
}

constexpr std::array<int, 5> FilterLadder = {0, 1, 2, 5, 10};

constexpr int UserCharacteristicR = 14;
constexpr int UserCharacteristicU = 15;
constexpr int MilliVolt = 3;
constexpr int Resistance = 0;

}  // namespace

std::optional<RangeLimits> standardLimits(int sensorType) { return limitsOf(Standard, sensorType); }

std::optional<RangeLimits> rtdLimits(int sensorType) { return limitsOf(Rtd, sensorType); }

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

bool characteristicOffered(int sensorType, std::string_view model) {
    const auto isOneOf = [model](std::initializer_list<std::string_view> names) {
        return std::find(names.begin(), names.end(), model) != names.end();
    };
    if (sensorType == UserCharacteristicR) return !isOneOf({"DOXA-21-U", "KE-22/U"});
    if (sensorType == UserCharacteristicU) return !isOneOf({"DOXA-21-R", "SAWE-01", "KE-22/R", "ZU"});
    return true;
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
