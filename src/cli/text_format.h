#pragma once

#include <string>
#include <string_view>

#include "history/history_csv.h"

namespace doxa::cli {

// JSON and CSV text as the service history exports it.
using doxa::csvField;
using doxa::jsonNumber;
using doxa::jsonString;

// How many characters `utf8` shows (not bytes: the labels are Polish).
std::size_t characterCount(std::string_view utf8);
// `utf8` with its control characters written out, followed by blanks up to `width` characters.
std::string padded(std::string_view utf8, std::size_t width);

// A shown value split into its number and its unit: "23.4 °C" -> "23.4", "°C"; "5.000V" ->
// "5.000", "V"; a blanked field (" mA") gives an empty number.
struct ValueText {
    std::string number;
    std::string unit;
};
ValueText splitValue(std::string_view shown);
// The number of a shown value as JSON: "23." and "1.5e+003" are no JSON numbers as they stand;
// null for a text that is no number.
std::string shownNumberJson(std::string_view number);

}  // namespace doxa::cli
