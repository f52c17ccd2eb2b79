#include "dialog/visible_text.h"

#include <cstdio>

namespace doxa {

namespace {

std::string escaped(const char* format, unsigned code) {
    char text[8];
    std::snprintf(text, sizeof text, format, code);
    return text;
}

}  // namespace

std::string visibleText(std::string_view utf8) {
    std::string shown;
    shown.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto byte = static_cast<unsigned char>(utf8[i]);
        const auto next = i + 1 < utf8.size() ? static_cast<unsigned char>(utf8[i + 1]) : 0u;
        if (byte == '\n')
            shown += "\\n";
        else if (byte == '\t')
            shown += "\\t";
        else if (byte == '\r')
            shown += "\\r";
        else if (byte < 0x20 || byte == 0x7f)
            shown += escaped("\\x%02x", byte);
        else if (byte == 0xc2 && next >= 0x80 && next <= 0x9f)
            shown += escaped("\\u%04x", next), ++i;
        else
            shown += utf8[i];
    }
    return shown;
}

}  // namespace doxa
