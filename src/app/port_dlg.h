#pragma once

#include "dialog/dialog.h"

namespace doxa {

class Station;

// "Port szeregowy": picks COM1..COM12. OK takes the choice into portNumber and releases the open
// port, so that the next dialog opens the chosen one; the caller stores the number.
class CPortDlg : public DialogLogic {
public:
    static constexpr int Resource = 107;
    enum : int { Ok = 1, Cancel = 2, PortList = 148 };

    explicit CPortDlg(Station& station) : station_(station) {}

    int layout() const override { return Resource; }
    void onInit() override;
    void onCommand(int id) override;

private:
    Station& station_;
};

}  // namespace doxa
