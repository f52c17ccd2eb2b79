#include "transmitter/model_limits.h"

#include <algorithm>
#include <array>
#include <initializer_list>

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

}  // namespace

std::optional<RangeLimits> standardLimits(int sensorType) { return limitsOf(Standard, sensorType); }

std::optional<RangeLimits> rtdLimits(int sensorType) { return limitsOf(Rtd, sensorType); }

bool characteristicOffered(int sensorType, std::string_view model) {
    const auto isOneOf = [model](std::initializer_list<std::string_view> names) {
        return std::find(names.begin(), names.end(), model) != names.end();
    };
    if (sensorType == UserCharacteristicR) return !isOneOf({"DOXA-21-U", "KE-22/U"});
    if (sensorType == UserCharacteristicU) return !isOneOf({"DOXA-21-R", "SAWE-01", "KE-22/R", "ZU"});
    return true;
}

}  // namespace doxa
