#pragma once

#include <array>
#include <functional>
#include <string>
#include <string_view>

namespace doxa {

// Texts of the main frame's status panel: "Błędy kom." fields 149..152 and "Status" 153..158.
// Only decodeStatus() writes them; the panel widget listens through onChange.
class StatusPanel {
public:
    static constexpr int FirstField = 149;
    static constexpr int LastField = 158;

    const std::string& text(int field) const;
    void setText(int field, std::string_view utf8);

    std::function<void()> onChange;

private:
    std::array<std::string, LastField - FirstField + 1> texts_;
};

}  // namespace doxa
