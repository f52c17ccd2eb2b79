#pragma once

#include <string>
#include <string_view>

namespace doxa {

// Text from a database, a file or a device as it may be shown to a person: every control
// character (C0, DEL and the C1 range, which a terminal takes as escape sequences) is written
// out as "\n", "\t", "\r" or "\xHH" ("\u009b" for C1), so nothing it holds moves a cursor,
// clears a screen or breaks a line.
std::string visibleText(std::string_view utf8);

}  // namespace doxa
