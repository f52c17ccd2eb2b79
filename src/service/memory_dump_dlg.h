#pragma once

#include <string>

#include "dialog/dialog.h"

namespace doxa {

class Station;

// "Odczyt RAM" / "Odczyt EEPROM": asks the transmitter for one 256-byte memory page with a
// one-letter command, below HART and MODBUS, and keeps the raw answer in the station's dump
// buffer for the main view. It closes by itself once the answer had its time.
class CMemoryDumpDlg : public DialogLogic {
public:
    static constexpr int Resource = 110;
    enum : int { Close = 2, Progress = 130, LineState = 143 };
    enum : int { WriteState = 0, TurnState, ReadState, CloseState };

    // Letters: 'F' EEPROM 0x00-0xff, 'E' EEPROM 0x100-0x1ff, 'R' RAM 0, 'S' RAM 1.
    CMemoryDumpDlg(Station& station, char letter) : station_(station), letter_(letter) {}

    int layout() const override { return Resource; }
    void onInit() override;
    void onTimer(int timer) override;
    void onDestroy() override;

private:
    void write();
    void turn();
    void read();
    void showLineErrors();
    void appendLine(std::string_view text);

    Station& station_;
    char letter_;
    int requestLength_ = 0;
    std::string progress_;
};

}  // namespace doxa
