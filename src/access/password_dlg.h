#pragma once

#include "dialog/dialog.h"
#include "settings/settings_keys.h"

namespace doxa {

class Station;

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
