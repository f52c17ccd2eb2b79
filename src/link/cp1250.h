#pragma once

#include <string>
#include <string_view>

namespace doxa {

// Texts on the wire and in files are code page 1250; inside the program they are UTF-8.
std::string utf8ToCp1250(std::string_view utf8);  // characters outside the page become '?'
std::string cp1250ToUtf8(std::string_view cp1250);
// One character in the code page; '?' for a character the page cannot hold.
char toCp1250(char32_t code);

}  // namespace doxa
