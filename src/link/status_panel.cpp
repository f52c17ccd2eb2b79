#include "link/status_panel.h"

namespace doxa {

namespace {
bool isField(int field) { return field >= StatusPanel::FirstField && field <= StatusPanel::LastField; }
}  // namespace

const std::string& StatusPanel::text(int field) const {
    static const std::string none;
    return isField(field) ? texts_[field - FirstField] : none;
}

void StatusPanel::setText(int field, std::string_view utf8) {
    if (!isField(field)) return;
    std::string& current = texts_[field - FirstField];
    if (current == utf8) return;
    current = utf8;
    if (onChange) onChange();
}

}  // namespace doxa
