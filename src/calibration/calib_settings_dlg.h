#pragma once

#include "dialog/dialog.h"

namespace doxa {

class Station;

// "Ustawienia kalibracji": after a warning, the technician picks the phases of the calibration
// wizard (input, output, compensation temperature) or a trim operation. What is checked when
// the window goes away becomes calibrationOptions.
class CCalibrationSettingsDlg : public DialogLogic {
public:
    static constexpr int Resource = 112;
    enum : int {
        Ok = 1,
        Cancel = 2,
        Input = 110,
        Output = 111,
        TrimSet = 112,
        TrimCancel = 113,
        Compensation = 114,
        All = 115,
        Reverse = 119,
    };
    enum : int { InputBit = 1, OutputBit = 2, CompensationBit = 4, TrimSetBit = 8, TrimCancelBit = 16 };

    explicit CCalibrationSettingsDlg(Station& station) : station_(station) {}

    int layout() const override { return Resource; }
    void onInit() override;
    void onCommand(int id) override;
    void onDestroy() override;

private:
    // The phase buttons work as toggles: a second click takes the mark away.
    void toggle(int id, int& state);
    // Only a millivolt input, or a 22, has a compensation temperature worth calibrating.
    void toggleCompensation();

    Station& station_;
    int input_ = 0;
    int output_ = 0;
    int compensation_ = 0;
};

}  // namespace doxa
