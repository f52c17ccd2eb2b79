#include "access/password_change_dlg.h"

#include <algorithm>
#include <string>
#include <string_view>

#include "access/password_dlg.h"
#include "link/screen_text.h"
#include "transmitter/station.h"

namespace doxa {

namespace {

constexpr std::string_view InputError = UI_TEXT("Błąd we wprowadzaniu hasła");
constexpr std::size_t LongestPassword = 8;
constexpr int Kinds[] = {CPasswordChangeDlg::Service, CPasswordChangeDlg::Calibration,
                         CPasswordChangeDlg::Programming};

std::string_view keyOf(int kind) {
    return PasswordKeys[std::size_t(std::find(std::begin(Kinds), std::end(Kinds), kind) -
                                    std::begin(Kinds))];
}

// The field turns letters into lower case as they are typed, Polish ones included.
std::string lowerCase(std::string_view utf8) {
    std::string lower;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto byte = static_cast<unsigned char>(utf8[i]);
        if (byte >= 'A' && byte <= 'Z') {
            lower += char(byte + ('a' - 'A'));
        } else if ((byte & 0xE0) == 0xC0 && i + 1 < utf8.size()) {
            char32_t code = char32_t(byte & 0x1F) << 6 | (utf8[i + 1] & 0x3F);
            // Latin-1 capitals sit 0x20 below their small letters, Latin Extended-A pairs
            // side by side with the capital at the even code.
            if ((code >= 0xC0 && code <= 0xDE && code != 0xD7))
                code += 0x20;
            else if (code >= 0x100 && code <= 0x137 && code % 2 == 0)
                code += 1;
            else if (code >= 0x139 && code <= 0x148 && code % 2 == 1)
                code += 1;
            else if (code >= 0x14A && code <= 0x177 && code % 2 == 0)
                code += 1;
            else if (code >= 0x179 && code <= 0x17E && code % 2 == 1)
                code += 1;
            lower += char(0xC0 | code >> 6);
            lower += char(0x80 | (code & 0x3F));
            ++i;
        } else {
            lower += char(byte);
        }
    }
    return lower;
}

// Passwords are made of the characters "0".."z"; anything else, Polish letters and blanks
// among them, refuses the whole text.
bool isValidPassword(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= 'z'; });
}

}  // namespace

void CPasswordChangeDlg::onInit() {
    window().setText(Password, "");
    for (int kind : Kinds) window().setChecked(kind, false);
    window().setChecked(Protection,
                        station_.settings.readText(PasswordSection, ProtectionKey, "") == "1");
}

void CPasswordChangeDlg::onCommand(int id) {
    switch (id) {
        case Service:
        case Calibration:
        case Programming:
            showStored(id);
            break;
        case Store:
            store();
            break;
        default:
            DialogLogic::onCommand(id);
            break;
    }
}

void CPasswordChangeDlg::onChange(int id) {
    if (id != Password) return;
    const std::string typed = window().text(Password);
    const std::string lower = lowerCase(typed);
    if (lower != typed) window().setText(Password, lower);
}

void CPasswordChangeDlg::onDestroy() {
    station_.settings.writeText(PasswordSection, ProtectionKey,
                                window().isChecked(Protection) ? "1" : "0");
}

void CPasswordChangeDlg::showStored(int kind) {
    window().setText(Password, station_.settings.readText(PasswordSection, keyOf(kind), ""));
}

void CPasswordChangeDlg::store() {
    std::string text = window().text(Password);
    if (!isValidPassword(text)) text.clear();
    if (text.empty()) {
        window().messageBox(InputError);
    } else {
        const auto selected = std::find_if(std::begin(Kinds), std::end(Kinds),
                                           [this](int kind) { return window().isChecked(kind); });
        if (selected == std::end(Kinds)) {
            text.clear();
        } else if (text.size() <= LongestPassword &&
                   !station_.settings.writeText(PasswordSection, keyOf(*selected), text)) {
            text.clear();
        }
    }
    window().setText(Password, text);
}

}  // namespace doxa
