#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace doxa {

// Numbers in edit boxes: shown with up to six significant digits ("5.6", "23.457", "12"), read
// back with either a point or a comma as the decimal separator, whatever the desktop's locale.
std::string numberText(float value);
// nullopt for anything but one finite number, blanks around it allowed.
std::optional<float> parseNumber(std::string_view text);
// A whole number, blanks around it allowed.
std::optional<int> parseWholeNumber(std::string_view text);

// Rounded up to three decimals, computed in double precision: how a value read from the
// transmitter is offered for editing.
float ceilToThousandths(double value);

}  // namespace doxa
