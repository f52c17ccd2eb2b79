#include "cli/text_format.h"

#include <charconv>

#include "cli/console.h"
#include "dialog/visible_text.h"

namespace doxa::cli {

std::size_t characterCount(std::string_view utf8) {
    std::size_t characters = 0;
    for (const char c : utf8)
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++characters;
    return characters;
}

std::string padded(std::string_view utf8, std::size_t width) {
    std::string text = visibleText(utf8);
    const std::size_t characters = characterCount(text);
    if (characters < width) text.append(width - characters, ' ');
    return text;
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

std::string shownNumberJson(std::string_view number) {
    double parsed = 0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), parsed);
    return error == std::errc() && end == number.data() + number.size() ? jsonNumber(parsed) : "null";
}

}  // namespace doxa::cli
