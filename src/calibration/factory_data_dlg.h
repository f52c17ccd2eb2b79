#pragma once

#include <cstdint>
#include <span>

#include "dialog/dialog.h"

namespace doxa {

class Station;

// "Ustawienia fabryczne": after a warning the transmitter takes back its factory calibration;
// its output is driven to 15 mA on the way and released at the end, when the dialog closes by
// itself.
class CFactoryDataDlg : public DialogLogic {
public:
    static constexpr int Resource = 126;
    enum : int { Close = 1, Errors = 131, Connection = 132, StepText = 133 };
    enum : int {
        DriveOutput = 0,
        Listen = 1,
        ReadDrive = 2,
        CopyData = 3,
        ReadCopy = 4,
        ReleaseOutput = 5,
        ReadRelease = 6,
        FirstCopy = 7,
    };

    explicit CFactoryDataDlg(Station& station) : station_(station) {}

    int layout() const override { return Resource; }
    void onInit() override;
    void onTimer(int timer) override;
    void onDestroy() override;

private:
    void send(std::uint8_t command, std::span<const std::uint8_t> data, int readState, int ms);
    bool judged(int sendState);

    Station& station_;
    int returnState_ = 0;
    int sends_ = 0;
};

}  // namespace doxa
