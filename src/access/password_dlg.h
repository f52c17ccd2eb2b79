#pragma once

#include <array>
#include <string_view>

#include "dialog/dialog.h"

namespace doxa {

class Station;

// Where the passwords live in the settings store.
inline constexpr std::string_view PasswordSection = "PASSWORD";
inline constexpr std::string_view ProtectionKey = "P0";
// Service ("serwis"), calibration ("kalibracja"), programming ("programowanie").
inline constexpr std::array<std::string_view, 3> PasswordKeys = {"P1", "P2", "P3"};

// "Hasło": asks for the password at start-up, before the main window exists. Only OK takes
// what was typed; any other way out leaves no password.
class CPasswordDlg : public DialogLogic {
public:
    static constexpr int Resource = 116;
    enum : int { Ok = 1, Password = 101 };

    explicit CPasswordDlg(Station& station) : station_(station) {}

    int layout() const override { return Resource; }
    void onInit() override;
    void onCommand(int id) override;

private:
    Station& station_;
};

}  // namespace doxa
