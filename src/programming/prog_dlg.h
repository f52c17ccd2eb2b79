#pragma once

#include <array>

#include "dialog/dialog.h"
#include "programming/prog_rules.h"
#include "programming/prog_safeguard.h"
#include "programming/prog_sequence.h"

namespace doxa {

class Station;

// "Programowanie": the technician edits the configuration taken from the device record and
// writes it into the transmitter. Over HART the dialog first identifies the transmitter and
// fits its controls to the model; over RS485 it is ready at once.
class CProgDlg : public DialogLogic {
public:
    static constexpr int Resource = 105;
    enum : int {
        Close = 2,
        Address = 101,
        RangeMin = 102,
        RangeMax = 103,
        Threshold = 104,
        Hysteresis = 105,
        FilterTime = 106,
        SensorS = 115,
        SensorB = 116,
        SensorVoltage = 117,
        ThresholdOnOff = 119,
        CharacteristicR = 120,
        DirectionMin = 121,
        DirectionMax = 122,
        FilterTimeSpin = 123,
        RangeMinSpin = 124,
        RangeMaxSpin = 125,
        ThresholdSpin = 126,
        HysteresisSpin = 127,
        SensorT = 128,
        CharacteristicU = 129,
        ModelText = 131,
        Send = 132,
        UnitMin = 133,
        UnitMax = 134,
        UnitThreshold = 135,
        UnitHysteresis = 136,
        Order0 = 137,
        Order1 = 138,
        Order2 = 139,
        BreakMax = 140,
        BreakMin = 141,
        StepText = ProgrammingSequence::StepText,
        ReplyText = ProgrammingSequence::ReplyText,
        OutputType = 144,
        ProgramAddress = 147,
        Table = 160,
        Count1 = 161,
        Count2 = 162,
        Count3 = 163,
        Count4 = 164,
        SensorPt100 = 166,
        SensorNi100 = 167,
        SensorResistance = 168,
        SensorK = 169,
        SensorJ = 170,
        SensorN = 171,
        SensorsActive = 172,
    };

    explicit CProgDlg(Station& station);

    int layout() const override { return Resource; }
    void onInit() override;
    void onCommand(int id) override;
    void onFocus(int id, bool gained) override;
    void onScroll(int id, Scroll code) override;
    void onTimer(int timer) override;
    void onDestroy() override;

private:
    struct Sensor {
        int radio;
        int code;
        float min, max, threshold, hysteresis;
    };
    static const std::array<Sensor, 12> Sensors;

    bool rs485() const;
    std::optional<RangeLimits> limits() const;
    void takeControls();
    void showMembers();
    void showUnits();
    void checkSensorRadio(int radio);
    void checkRecordSensor();
    void showThreshold();
    void clickSensor(const Sensor& sensor);
    int sensorFromRadios() const;

    void identified();
    void fitControlsToModel();
    void send();
    void chooseOutputType();

    Station& station_;
    int attempts_ = 0;
    int sensorType_ = 0;
    float rangeMin_ = 0, rangeMax_ = 0, threshold_ = 0, hysteresis_ = 0;
    int filterOrderIndex_ = 0;
    int filterTime_ = 0;
    int breakIndex_ = 0;
    int thresholdActive_ = 0;
    SequenceInputs inputs_;
    ProgrammingSequence sequence_;
    // What this dialog's own identification found; none over RS485.
    std::optional<FoundIdentity> found_;
};

}  // namespace doxa
