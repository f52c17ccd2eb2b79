#include "link/value_codec.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace doxa {

namespace {

struct FloatFields {
    bool negative;
    int exponent;             // biased, 0..255
    std::uint32_t fraction;   // 23 bits
};

constexpr std::uint32_t FractionMask = 0x7FFFFF;
constexpr int NotANumberExponent = 0xFF;

FloatFields splitWord(std::uint32_t word, FloatLayout layout) {
    if (layout == FloatLayout::Hart)
        return {(word >> 31) != 0, static_cast<int>((word >> 23) & 0xFF), word & FractionMask};
    return {((word >> 23) & 1) != 0, static_cast<int>(word >> 24), word & FractionMask};
}

std::uint32_t joinWord(const FloatFields& f, FloatLayout layout) {
    const std::uint32_t sign = f.negative ? 1 : 0;
    const auto exponent = static_cast<std::uint32_t>(f.exponent);
    if (layout == FloatLayout::Hart) return sign << 31 | exponent << 23 | f.fraction;
    return exponent << 24 | sign << 23 | f.fraction;
}

// A finite number as its rounded significant digits and decimal exponent (d.ddd × 10^exponent),
// taken from the exact shortest-free conversion of the standard library, which no locale touches.
struct Digits {
    bool negative = false;
    std::string digits;
    int exponent = 0;
};

Digits significantDigits(double value, int count) {
    char buffer[64];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific,
                                count - 1);
    std::string_view text(buffer, result.ptr - buffer);
    Digits d;
    if (!text.empty() && text.front() == '-') {
        d.negative = true;
        text.remove_prefix(1);
    }
    const auto e = text.find('e');
    for (char c : text.substr(0, e))
        if (c != '.') d.digits += c;
    std::string_view exponent = text.substr(e + 1);
    if (!exponent.empty() && exponent.front() == '+') exponent.remove_prefix(1);
    std::from_chars(exponent.data(), exponent.data() + exponent.size(), d.exponent);
    return d;
}

void dropTrailingZeros(std::string& digits) {
    while (!digits.empty() && digits.back() == '0') digits.pop_back();
}

std::string exponentText(int exponent) {
    std::string digits = std::to_string(std::abs(exponent));
    if (digits.size() < 3) digits.insert(0, 3 - digits.size(), '0');
    return std::string(exponent < 0 ? "e-" : "e+") + digits;
}

}  // namespace

DecodedFloat decodeFloat(std::uint8_t b0, std::uint8_t b1, std::uint8_t b2, std::uint8_t b3,
                         FloatLayout layout) {
    const std::uint32_t word = std::uint32_t{b0} << 24 | std::uint32_t{b1} << 16 |
                               std::uint32_t{b2} << 8 | b3;
    const FloatFields f = splitWord(word, layout);
    const bool number = f.exponent != NotANumberExponent;
    const double none = std::numeric_limits<double>::quiet_NaN();
    // 0xFF first is what a missing value looks like on the line.
    if (b0 == 0xFF || word == 0) return {number ? 0.0 : none, "0.00"};
    double value = std::ldexp(1.0 + f.fraction / 8388608.0, f.exponent - 127);
    if (f.negative) value = -value;
    return {number ? value : none, formatValue(value)};
}

bool DecodedFloat::isNumber() const { return !std::isnan(value); }

DecodedFloat decodeFloat(const std::uint8_t* bytes, FloatLayout layout) {
    return decodeFloat(bytes[0], bytes[1], bytes[2], bytes[3], layout);
}

std::array<std::uint8_t, 4> encodeFloat(double value, FloatLayout layout) {
    if (value == 0 || std::isnan(value)) return {0, 0, 0, 0};
    // Beyond the format's range the largest number is sent whose first byte cannot be 0xFF in
    // either layout, since that byte reads as a missing value; nothing on the line comes close.
    constexpr int LargestExponent = 253;
    FloatFields f{value < 0, LargestExponent, FractionMask};
    if (std::isfinite(value)) {
        int e = 0;
        const double m = std::frexp(std::fabs(value), &e);
        const int biased = e + 126;
        // Too small for the format: nothing but zero is near enough.
        if (biased < 0) return {0, 0, 0, 0};
        if (biased <= LargestExponent) {
            f.exponent = biased;
            f.fraction = static_cast<std::uint32_t>(std::ldexp(m, 24)) & FractionMask;
        }
    }
    const std::uint32_t word = joinWord(f, layout);
    return {static_cast<std::uint8_t>(word >> 24), static_cast<std::uint8_t>(word >> 16),
            static_cast<std::uint8_t>(word >> 8), static_cast<std::uint8_t>(word)};
}

std::string formatGeneral(double value, int digits) {
    if (std::isnan(value)) return "nan";
    if (std::isinf(value)) return value < 0 ? "-inf" : "inf";
    digits = std::clamp(digits, 1, 17);
    Digits d = significantDigits(value, digits);
    std::string text = d.negative ? "-" : "";
    if (d.exponent >= digits) {
        std::string fraction = d.digits.substr(1);
        dropTrailingZeros(fraction);
        return text + d.digits[0] + '.' + fraction + exponentText(d.exponent);
    }
    if (d.exponent >= 0) {
        std::string fraction = d.digits.substr(d.exponent + 1);
        dropTrailingZeros(fraction);
        return text + d.digits.substr(0, d.exponent + 1) + '.' + fraction;
    }
    std::string fraction = std::string(-d.exponent - 1, '0') + d.digits;
    dropTrailingZeros(fraction);
    if (fraction.empty()) return text + "0.";
    return text + "0." + fraction;
}

std::string formatValue(double value) {
    if (!(std::fabs(value) < 1)) return formatGeneral(value, 6);
    // Shifting by one keeps eight digits behind the point where the plain conversion would
    // start counting only at the first non-zero digit.
    std::string text = formatGeneral(value < 0 ? value - 1 : value + 1, 8);
    const std::size_t lead = value < 0 ? 1 : 0;
    if (text[lead] == '1')
        text[lead] = '0';
    else
        text = value < 0 ? "-1." : "1.";  // so close to one that the digits rounded up to it
    return text;
}

std::string cutDigits(std::string_view text, int digits, std::string_view zerosIfBare) {
    const std::size_t e = text.find_first_of("eE");
    std::string mantissa(text.substr(0, e));
    const std::string_view exponent = e == std::string_view::npos ? "" : text.substr(e);
    const std::size_t point = mantissa.find('.');
    if (point != std::string::npos) {
        if (point + 1 == mantissa.size())
            mantissa += zerosIfBare;
        else if (digits >= 0 && mantissa.size() > point + 1 + digits)
            mantissa.resize(point + 1 + digits);
    }
    return mantissa + std::string(exponent);
}

std::string valueText(const DecodedFloat& value, const NumberShape& shape) {
    return cutDigits(value.text, shape.digits, shape.zerosIfBare) + std::string(shape.suffix);
}

}  // namespace doxa
