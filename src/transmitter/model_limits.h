#pragma once

#include <optional>
#include <string_view>

namespace doxa {

// What a transmitter can hold, by sensor code and model: the programming dialogs keep what the
// technician enters inside it, and a configuration file is checked against it when loaded.

// The sensor codes of the user characteristic y=f(x) with a resistance or a voltage input.
inline constexpr int UserCharacteristicR = 14;
inline constexpr int UserCharacteristicU = 15;

// Where a range end may lie for a sensor, and how far apart the ends must at least be (no span
// rule without minimumSpan).
struct RangeLimits {
    float lower;
    float upper;
    std::optional<float> minimumSpan;
};

// The main dialog's sensor list, and the resistance-thermometer list of the 21-series dialog.
// nullopt for a code without limits (the user characteristic among them).
std::optional<RangeLimits> standardLimits(int sensorType);
std::optional<RangeLimits> rtdLimits(int sensorType);

// Whether the programming dialog offers the user characteristic `sensorType` (14 "R", 15 "U")
// on this model: the voltage-input 21 series has no "R", the resistance-input models no "U", and
// a code without its radio would go out as 0. True for every other code.
bool characteristicOffered(int sensorType, std::string_view model);

}  // namespace doxa
