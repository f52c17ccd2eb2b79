#pragma once

#include <string>
#include <vector>

namespace doxa::test {

// The rows of a CSV text as a spreadsheet reads them: a quoted field may hold commas, doubled
// quotes and line breaks.
inline std::vector<std::vector<std::string>> csvRows(const std::string& text) {
    std::vector<std::vector<std::string>> rows(1, std::vector<std::string>(1));
    bool quoted = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        std::string& field = rows.back().back();
        if (quoted && c == '"' && i + 1 < text.size() && text[i + 1] == '"')
            field += c, ++i;
        else if (c == '"')
            quoted = !quoted;
        else if (!quoted && c == ',')
            rows.back().emplace_back();
        else if (!quoted && c == '\n')
            rows.emplace_back(1);
        else
            field += c;
    }
    if (rows.back() == std::vector<std::string>(1)) rows.pop_back();
    return rows;
}

}  // namespace doxa::test
