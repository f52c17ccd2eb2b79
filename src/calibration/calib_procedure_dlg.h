#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "calibration/calib_procedure.h"
#include "calibration/calibration_event.h"
#include "calibration/calibration_steps.h"
#include "dialog/dialog.h"

namespace doxa {

class Station;

// "Procedura kalibracji": one calibration event from its conditions through the points as
// found, an adjustment in the calibration dialogs and the points as left, to its end. Every
// record is kept the moment it is made, so a run cut short is in the history as far as it got
// and ends as interrupted. A forced output is released before anything else happens after the
// output points, however the run ends.
class CCalibProcedureDlg : public DialogLogic {
public:
    static constexpr int Resource = 160;
    enum : int {
        Cancel = 2,
        Technician = 101,
        Customer = 102,
        Tag = 103,
        Ambient = 104,
        Humidity = 105,
        InputInstrument = 106,
        OutputInstrument = 107,
        InputTolerance = 108,
        InputToleranceUnit = 109,
        OutputTolerance = 110,
        Interval = 111,
        Points = 112,
        RegisterState = 113,
        SensorInfo = 114,
        Start = 130,
        Prompt = 131,
        Typed = 132,
        Next = 133,
        Readings = 134,
        Results = 135,
        Status = 136,
        Adjust = 137,
        AsLeft = 138,
        Finish = 139,
    };
    enum : int {
        Idle = 0,
        SendDrive = 1,
        ListenDrive = 2,
        ReadDrive = 3,
        SendRelease = 4,
        ListenRelease = 5,
        ReadRelease = 6,
        SendTag = 7,
        ListenTag = 8,
        ReadTag = 9,
    };
    // Readings of the process value per input point, and reads allowed to get them.
    static constexpr int ReadingsPerPoint = 5;
    static constexpr int ReadAttemptsPerPoint = 2 * ReadingsPerPoint;

    // How the run ended, for the caller (the certificate is offered for a run that recorded).
    struct Outcome {
        std::string eventId;
        bool recorded = false;
    };

    // `updateView` is handed to the calibration dialog the adjustment opens.
    explicit CCalibProcedureDlg(Station& station, std::function<void()> updateView = {})
        : station_(station), updateView_(std::move(updateView)) {}

    // What the records say the program is; the shell sets its version.
    std::string programVersion;
    // The date instruments' due dates are compared with.
    std::string today = calibration::todayText();

    const Outcome& outcome() const { return outcome_; }

    // What the run waits for from the technician while no exchange is under way, for a host
    // that asks for it in words: a typed value and "Dalej", "Dalej" to drive a refused output
    // again, the choice after a phase, or nothing more.
    enum class Waiting { Nothing, Value, Repeat, Decision, Ended };
    Waiting waiting() const;

    int layout() const override { return Resource; }
    void onInit() override;
    void onCommand(int id) override;
    void onTimer(int timer) override;
    void onDestroy() override;

private:
    enum class Stage { Conditions, Input, Output, Releasing, Review, Ended };
    // What comes after the output is released.
    enum class AfterRelease { Review, Interrupt, Close };

    void showInstruments();
    void readTag();
    void sendTag();
    void takeTag();
    void showSetup();
    std::vector<std::string> toleranceUnits() const;
    std::optional<CalibrationConditions> takeConditions();
    std::optional<ReferenceInstrument> takeInstrument(int id, bool& refused);
    void begin();
    void beginPhase(CalibrationPhase phase);
    void showRunButtons();
    std::string pointTitle() const;
    void promptInput();
    void startReadings();
    void readingEnded();
    void promptOutput();
    void sendDrive();
    void judgeDrive();
    void takeMeterReading();
    void record(CalibrationPoint point);
    bool phaseFailed() const;
    void nextPoint();
    void release(AfterRelease after);
    void sendRelease();
    void judgeRelease();
    void afterRelease();
    void review();
    void adjust();
    void finish();
    void interrupt(const std::string& reason, AfterRelease after);
    void end(const CalibrationEnd& end);
    void next(int state, int ms);
    void say(std::string_view text);

    Station& station_;
    std::function<void()> updateView_;
    std::vector<ReferenceInstrument> register_;
    calibration::InputSetup setup_;
    CalibrationConditions conditions_;
    std::vector<double> percents_;
    Stage stage_ = Stage::Conditions;
    CalibrationPhase phase_ = CalibrationPhase::AsFound;
    std::size_t pointIndex_ = 0;
    // The tag is read from the transmitter's text while the conditions are typed.
    bool readingTag_ = false;
    int tagReads_ = 0;
    bool adjusted_ = false;
    bool asLeftDone_ = false;
    // An input point: the value applied, the readings so far and the reads made for them.
    double applied_ = 0;
    std::vector<double> readings_;
    int reads_ = 0;
    calibration::InputReading reading_{station_, Status, Status};
    // An output point: the value driven, confirmed by the transmitter or not.
    float driven_ = 0;
    bool driveConfirmed_ = false;
    std::vector<int> driveSteps_;
    std::size_t driveStep_ = 0;
    int sends_ = 0;
    Reply lastReply_;
    AfterRelease afterRelease_ = AfterRelease::Review;
    std::string interruptReason_;
    std::vector<CalibrationPoint> points_;
    std::vector<std::string> lines_;
    Outcome outcome_;
};

}  // namespace doxa
