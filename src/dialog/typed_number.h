#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace doxa {

// Numbers the technician types into the dialogs' edit fields. Blanks around the number are
// ignored and a leading '+' is allowed; anything else that is not the whole number gives
// std::nullopt, so a half-typed value is never taken.

// A whole number; one beyond the range of long long comes back as the nearest limit, so that
// range checks still refuse it.
std::optional<long long> parseWholeNumber(std::string_view text);
// A decimal number with a point or a comma, which must fit a float of the transmitter.
std::optional<float> parseDecimalNumber(std::string_view text);

// What a number edit shows: up to six significant digits ("5.6", "23.457", "12").
std::string numberText(float value);
// Rounded up to three decimals, computed in double precision: how a value read from the
// transmitter is offered for editing.
float ceilToThousandths(double value);

}  // namespace doxa
