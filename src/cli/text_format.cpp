#include "cli/text_format.h"

#include <charconv>
#include <cmath>
#include <cstdio>

#include "cli/console.h"

namespace doxa::cli {

std::string jsonString(std::string_view utf8) {
    std::string text = "\"";
    for (const char c : utf8) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            text += '\\';
            text += c;
        } else if (byte < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", byte);
            text += escaped;
        } else {
            text += c;
        }
    }
    return text + "\"";
}

std::string jsonNumber(double value) {
    if (!std::isfinite(value)) return "null";
    char digits[32];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    return std::string(digits, end);
}

std::string padded(std::string_view utf8, std::size_t width) {
    std::size_t characters = 0;
    for (const char c : utf8)
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++characters;
    std::string text(utf8);
    if (characters < width) text.append(width - characters, ' ');
    return text;
}

std::string csvField(std::string_view utf8) {
    if (utf8.find_first_of(",\"\r\n") == std::string_view::npos) return std::string(utf8);
    std::string text = "\"";
    for (const char c : utf8) {
        if (c == '"') text += '"';
        text += c;
    }
    return text + "\"";
}

ValueText splitValue(std::string_view shown) {
    shown = trimmed(shown);
    const auto end = shown.find_first_not_of("+-0123456789.e");
    const std::string_view number = shown.substr(0, end);
    const std::string_view unit = end == std::string_view::npos ? std::string_view{} : trimmed(shown.substr(end));
    // Digits alone make a number; a bare sign or point does not.
    if (number.find_first_of("0123456789") == std::string_view::npos) return {"", std::string(trimmed(shown))};
    return {std::string(number), std::string(unit)};
}

}  // namespace doxa::cli
