#pragma once

#include <string>
#include <string_view>

namespace doxa::cli {

// A JSON string literal of UTF-8 text, quotes included.
std::string jsonString(std::string_view utf8);
// A number as JSON writes it, in the fewest digits that read back the same; null when it is not
// finite.
std::string jsonNumber(double value);
// `utf8` followed by blanks up to `width` characters (not bytes: the labels are Polish).
std::string padded(std::string_view utf8, std::size_t width);
// A CSV field, quoted when it holds a comma, a quote or a line break.
std::string csvField(std::string_view utf8);

// A shown value split into its number and its unit: "23.4 °C" -> "23.4", "°C"; "5.000V" ->
// "5.000", "V"; a blanked field (" mA") gives an empty number.
struct ValueText {
    std::string number;
    std::string unit;
};
ValueText splitValue(std::string_view shown);

}  // namespace doxa::cli
