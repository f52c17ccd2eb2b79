#pragma once

#include <string>

#include "dialog/dialog.h"

namespace doxa {

class Station;

// "Monitor linii": listens on the line and lists every byte that arrives in hexadecimal. A
// character typed while the monitor is stopped is sent after a burst of 0xFF bytes, which
// wakes a HART modem, and the monitor listens again.
class CLineMonitorDlg : public DialogLogic {
public:
    static constexpr int Resource = 125;
    enum : int { Close = 2, Bytes = 130, LineState = 143, StopStart = 144 };
    enum : int { WriteState = 0, TurnState, ListenState };

    explicit CLineMonitorDlg(Station& station) : station_(station) {}

    int layout() const override { return Resource; }
    void onInit() override;
    void onCommand(int id) override;
    void onChange(int id) override;
    void onTimer(int timer) override;
    void onDestroy() override;

    bool running() const { return running_; }

private:
    void listen();
    void showLineErrors();
    void run(int state, int ms);

    Station& station_;
    bool running_ = false;
};

}  // namespace doxa
