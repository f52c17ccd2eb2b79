#include "service/byte_values.h"

#include <cstdio>
#include <cstdlib>

namespace doxa {

namespace {
bool kept(char c) { return (c >= '0' && c <= '9') || c == 'x' || (c >= 'a' && c <= 'f'); }
}  // namespace

std::vector<std::uint8_t> parseByteValues(std::string_view text, std::size_t maxTokenLength) {
    std::vector<std::uint8_t> values;
    const std::size_t length = text.size();
    const std::string padded = std::string(text) + ',';
    std::size_t pos = padded.find('0');
    if (pos == std::string::npos) return values;
    while (pos < length) {
        std::string token;
        for (; padded[pos] != ','; ++pos)
            if (kept(padded[pos]) && (maxTokenLength == 0 || token.size() < maxTokenLength))
                token += padded[pos];
        values.push_back(static_cast<std::uint8_t>(std::strtoul(token.c_str(), nullptr, 0)));
        while (pos < padded.size() && padded[pos] == ',') ++pos;
    }
    return values;
}

std::string formatByte(const char* format, std::uint8_t value) {
    char text[16];
    // The formats are the program's own, so a truncated result cannot happen.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
    std::snprintf(text, sizeof text, format, static_cast<unsigned>(value));
#pragma GCC diagnostic pop
    return text;
}

}  // namespace doxa
