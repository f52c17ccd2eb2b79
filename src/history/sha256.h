#pragma once

#include <string>
#include <string_view>

namespace doxa {

// The SHA-256 digest (FIPS 180-4) of the bytes, as 64 lowercase hexadecimal digits. Kept here
// rather than taken from Qt so that the certificate's content, which is Qt-free, can carry it.
std::string sha256Hex(std::string_view bytes);

}  // namespace doxa
