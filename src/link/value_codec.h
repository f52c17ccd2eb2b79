#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace doxa {

// The two four-byte float layouts on the wire: HART carries IEEE-754 single, most significant
// byte first; MODBUS registers carry the biased exponent first, then sign and fraction.
enum class FloatLayout { Hart, Modbus };

// A word whose exponent is all ones is no number, whatever its sign and fraction: its value is
// NaN, while its text stays the one the bytes always gave, for the tools that show raw words.
struct DecodedFloat {
    double value = 0;  // what the protocol documentation calls lastValue
    std::string text;  // the general-format text, see formatGeneral()

    bool isNumber() const;
};

DecodedFloat decodeFloat(std::uint8_t b0, std::uint8_t b1, std::uint8_t b2, std::uint8_t b3,
                         FloatLayout layout);
DecodedFloat decodeFloat(const std::uint8_t* bytes, FloatLayout layout);
// The fraction is cut, not rounded.
std::array<std::uint8_t, 4> encodeFloat(double value, FloatLayout layout);

// Text of a decoded value: |v| < 1 with 8 significant digits (through the ±1 shift), otherwise
// 6; fixed notation keeps its decimal point ("12."), exponents have three digits.
std::string formatValue(double value);
// gcvt-style general conversion with the given number of significant digits.
std::string formatGeneral(double value, int digits);

// Cuts a number text right after `digits` digits behind its point (an exponent stays); a text
// ending with its point gets `zerosIfBare` appended. A negative `digits` cuts nothing.
std::string cutDigits(std::string_view text, int digits, std::string_view zerosIfBare);

// How a decoded value is shown: cut to its digits, bare points filled, unit appended.
struct NumberShape {
    static constexpr int AllDigits = -1;
    int digits = AllDigits;
    std::string_view zerosIfBare;
    std::string_view suffix;
};
std::string valueText(const DecodedFloat& value, const NumberShape& shape);

}  // namespace doxa
