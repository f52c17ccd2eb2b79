#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace doxa {

// Reads a typed list of byte values such as "0xff, 0x02, 010, 7". Reading starts at the first
// '0' of the text, so anything before it (a header, a value not written with a leading 0) is
// skipped. Each value runs up to the next ','; only 0-9, x and a-f of it are kept, and the kept
// characters are converted as C does with base 0 (0x.. hexadecimal, 0.. octal, else decimal).
// The low byte of each value is kept. `maxTokenLength` 0 keeps every character of a value.
std::vector<std::uint8_t> parseByteValues(std::string_view text, std::size_t maxTokenLength = 0);

// C printf formatting of one byte with a format such as "%#2.2x" or "%2u".
std::string formatByte(const char* format, std::uint8_t value);

// Line break of the service dialogs' multi-line texts.
inline constexpr std::string_view LineBreak = "\r\n";

}  // namespace doxa
