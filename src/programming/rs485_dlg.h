#pragma once

#include "dialog/dialog.h"

namespace doxa {

class Station;

// "RS485": chooses the PC's RS485 speed and parity and can program the same settings into the
// transmitter. The caller fills baudIndex and parityOff and takes them back after "Ustaw".
class CRs485Dlg : public DialogLogic {
public:
    static constexpr int Resource = 128;
    enum : int {
        Set = 1,
        Close = 2,
        ParityOdd = 118,
        ParityNone = 120,
        Baud1200 = 122,
        ProgramResult = 131,
        Program = 132,
        Baud4800 = 137,
        Baud9600 = 138,
        Baud19200 = 139,
        Baud38400 = 140,
    };
    explicit CRs485Dlg(Station& station) : station_(station) {}

    int baudIndex = -1;  // 0..4 = 1200 .. 38400
    int parityOff = -1;  // 0 = odd, 1 = none

    int layout() const override { return Resource; }
    void onInit() override;
    void onCommand(int id) override;
    void onTimer(int timer) override;
    void onDestroy() override;

private:
    void showMembers();
    void takeControls();
    void sendProgramRequest();
    void awaitAnswer();
    void judgeAnswer();

    Station& station_;
};

}  // namespace doxa
