#pragma once

#include "dialog/dialog.h"

namespace doxa {

class Station;

// "Numer seryjny czujnika": writes a new sensor serial number. The caller sets `number` to the
// number known now; the dialog closes itself once the transmitter has confirmed a new one.
class CSensorSerialDlg : public DialogLogic {
public:
    static constexpr int Resource = 119;
    enum : int { Close = 1, Number = 101, Save = 132 };
    enum : int { SendNumber = 0, TurnNumber = 1, ReadNumber = 2 };
    static constexpr long long LargestNumber = 0xFFFFFF;

    explicit CSensorSerialDlg(Station& station) : station_(station) {}

    int number = 0;

    int layout() const override { return Resource; }
    void onInit() override;
    void onCommand(int id) override;
    void onTimer(int timer) override;
    void onDestroy() override;

private:
    void save();
    void sendNumber();
    void turn();
    void readAnswer();

    Station& station_;
};

}  // namespace doxa
