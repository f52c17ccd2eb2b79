#pragma once

#include "dialog/dialog.h"
#include "programming/prog_rules.h"
#include "programming/prog_safeguard.h"
#include "programming/prog_sequence.h"

namespace doxa {

class Station;

// "Programowanie" for the resistance-thermometer-only transmitters: their own sensor list and
// range limits, the range, sensor type and filter of the shared sequence, nothing else. Over
// HART it first makes sure the transmitter is one of them; over RS485 it is ready at once and
// writes the same three blocks of registers as the main programming dialog.
class CProgZUDlg : public DialogLogic {
public:
    static constexpr int Resource = 135;
    enum : int {
        Close = 2,
        RangeMin = 102,
        RangeMax = 103,
        FilterTime = 106,
        SensorCu100At426 = 116,
        SensorCharacteristic = 117,
        FilterTimeSpin = 123,
        RangeMinSpin = 124,
        RangeMaxSpin = 125,
        SensorCu50At426 = 128,
        SensorCu100At428 = 115,
        ModelText = 131,
        Send = 132,
        UnitMin = 133,
        UnitMax = 134,
        Order0 = 137,
        Order1 = 138,
        Order2 = 139,
        BreakMax = 140,
        BreakMin = 141,
        StepText = ProgrammingSequence::StepText,
        ReplyText = ProgrammingSequence::ReplyText,
        Table = 160,
        SensorResistance = 166,
        SensorPt100At385 = 167,
        SensorPt100At391 = 168,
        SensorNi100At618 = 169,
        SensorNi100At617 = 170,
        SensorCu50At428 = 171,
    };

    explicit CProgZUDlg(Station& station);

    int layout() const override { return Resource; }
    void onInit() override;
    void onCommand(int id) override;
    void onFocus(int id, bool gained) override;
    void onScroll(int id, Scroll code) override;
    void onTimer(int timer) override;
    void onDestroy() override;

private:
    bool rs485() const;
    int sensorCode() const;
    std::optional<RangeLimits> limits() const;
    void takeControls();
    void showMembers();
    void showUnits();
    void clickSensor(int index);
    void identified();
    void send();

    Station& station_;
    int attempts_ = 0;
    int sensorIndex_ = -1;
    float rangeMin_ = 0, rangeMax_ = 0;
    int filterOrderIndex_ = -1;
    int filterTime_ = 0;
    int breakIndex_ = -1;
    SequenceInputs inputs_;
    ProgrammingSequence sequence_;
    // What this dialog's own identification found; none over RS485.
    std::optional<FoundIdentity> found_;
};

}  // namespace doxa
