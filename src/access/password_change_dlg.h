#pragma once

#include "dialog/dialog.h"

namespace doxa {

class Station;

// "Zmień hasło": stores the service, calibration and programming passwords and switches the
// password protection on or off. Changes take effect at the next start.
class CPasswordChangeDlg : public DialogLogic {
public:
    static constexpr int Resource = 117;
    enum : int {
        Ok = 1,
        Password = 101,
        Service = 110,
        Calibration = 111,
        Programming = 112,
        Protection = 119,
        Store = 132,
    };

    explicit CPasswordChangeDlg(Station& station) : station_(station) {}

    int layout() const override { return Resource; }
    void onInit() override;
    void onCommand(int id) override;
    void onChange(int id) override;
    void onDestroy() override;

private:
    void showStored(int kind);
    void store();

    Station& station_;
};

}  // namespace doxa
