#pragma once

#include "dialog/dialog.h"

namespace doxa {

class Station;

// "Czujnik": reads what the transmitter knows about its sensor (type, serial number, limits,
// minimum span) as soon as it opens, repeating the request until it is answered, and opens
// "Numer seryjny czujnika" to change the sensor's serial number.
class CSensorDlg : public DialogLogic {
public:
    static constexpr int Resource = 118;
    enum : int {
        Close = 1,
        SerialText = 131,
        ChangeSerial = 132,
        LowerText = 133,
        UpperText = 134,
        SpanText = 135,
        TypeText = 136,
    };
    enum : int { SendQuery = 0, TurnQuery = 1, ReadQuery = 2 };

    explicit CSensorDlg(Station& station) : station_(station) {}

    int layout() const override { return Resource; }
    void onInit() override;
    void onCommand(int id) override;
    void onTimer(int timer) override;
    void onDestroy() override;

private:
    void changeSerial();
    void sendQuery();
    void turn();
    void readAnswer();
    void showType();
    void showSerial();
    void showLimits();

    Station& station_;
};

}  // namespace doxa
