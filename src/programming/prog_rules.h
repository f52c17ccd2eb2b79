#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "dialog/dialog.h"
#include "transmitter/model_limits.h"

namespace doxa {

// The rules both programming dialogs apply to what the technician enters, so that nothing the
// transmitter cannot measure is ever sent.

enum class RangeEnd { Lower, Upper };
// Keeps a range end inside the limits; `reference` is the other end. The span rule, judged on
// the value as entered, wins over the clamp.
float keepRangeEnd(float value, float reference, RangeEnd end,
                   const std::optional<RangeLimits>& limits);
// The limits of a sensor code in the programming dialog's list: the resistance-thermometer list
// of the 21-series dialog, or the standard one.
std::optional<RangeLimits> rangeLimits(int sensorType, bool rtdOnly);
// Empty when the range is one the programming dialogs would send as it stands: the range rule
// moves neither end, and the ends differ (no transmitter maps a range of no width onto its
// output). Otherwise the technician's text naming the end at fault and where it may lie. A
// reversed range of a sensor without a span rule (mV, the user characteristic) is taken: the
// dialogs let it be typed, and it is an inverted output.
std::string refusedRange(float rangeMin, float rangeMax, const std::optional<RangeLimits>& limits,
                         std::string_view unit);
// A threshold only has to lie inside the limits.
float keepInLimits(float value, const std::optional<RangeLimits>& limits);

// A spin arrow on a value: truncated toward zero to a whole number, then one up or down.
float spinStep(float value, Scroll code);
// The filter time moves along 0, 1, 2, 5, 10 seconds and stops at the ends; a time off the
// ladder stays where it is.
int stepFilterTime(int seconds, Scroll code);

// The spins both programming dialogs have (filter time 123, range ends 124 and 125), with the
// range rules applied; false for any other spin.
struct RangeAndFilter {
    float& rangeMin;
    float& rangeMax;
    int& filterTime;
    int filterOrderIndex;
};
bool stepRangeOrFilterSpin(int id, Scroll code, RangeAndFilter values,
                           const std::optional<RangeLimits>& limits);

// Unit shown next to the range edits: "Ohm", "mV" (standard list only), nothing for a user
// characteristic, "°C" otherwise.
std::string_view rangeUnitText(int sensorType, bool rtdOnly);

}  // namespace doxa
