#pragma once

#include <cstdint>
#include <string>

#include "calibration/calibration_steps.h"
#include "dialog/dialog.h"

namespace doxa {

class Station;

// The calibration wizard ("Kalibracja wejścia"): walks through the phases chosen in the
// calibration settings (input, then output, then compensation temperature), or runs one trim
// operation, with a single "Wyślij" that carries on wherever the technician was asked to act.
class CCalibrationWizardDlg : public DialogLogic {
public:
    static constexpr int Resource = 111;
    enum : int {
        Close = 1,
        Value = 101,
        InputValue = 102,
        LineErrors = 131,
        Progress = 132,
        Instruction = 133,
        Send = 143,
        ReadInput = 144,
    };
    // Exchange states; a sending state leads through the listen state to the one after it.
    enum : int {
        SendFirstInput = 0,
        Listen = 1,
        ReadFirstInput = 2,
        SendSecondInput = 3,
        ReadSecondInput = 4,
        SendLowDrive = 5,
        ReadLowDrive = 6,
        SendLowPoint = 7,
        ReadLowPoint = 8,
        SendHighDrive = 9,
        ReadHighDrive = 10,
        SendHighPoint = 11,
        ReadHighPoint = 12,
        SendTrimSet = 13,
        ReadTrimSet = 14,
        SendTrimRead = 15,
        ReadTrimRead = 16,
        SendTrimWrite = 17,
        ReadTrimWrite = 18,
        SendAmbientRead = 19,
        ReadAmbientAnswer = 20,
        SendCorrection = 21,
        ReadCorrection = 22,
        ReadCorrectionCheck = 23,
        ModbusDriveListen = 50,
        ModbusModeWrite = 51,
        SendCorrectionRead = 52,
        ReadCorrectionBase = 53,
        ResendCorrection = 54,
        StartUp = 60,
        ReadStartUp = 61,
        Exit = 62,
        ReadExit = 63,
    };

    explicit CCalibrationWizardDlg(Station& station) : station_(station) {}

    int layout() const override { return Resource; }
    void onInit() override;
    void onCommand(int id) override;
    void onTimer(int timer) override;
    void onDestroy() override;

private:
    enum class Phase { Exit, Input, Output, Compensation, TrimSet, TrimCancel };

    bool rs485() const;
    bool chosen(int bit) const;
    void step(int state);
    void sent(const std::string& lineErrors, int readState);
    void listen();
    int read();
    void showFields();
    bool takeValue();
    void goTo(Phase phase);

    void judgeStartUp();
    void judgeInputPoint(bool second);
    void sendHighDrive();
    void readAmbientAnswer();
    void correctionStep(calibration::Compensation::Next next);
    void exit();
    // The RS485 write was not confirmed: counted, and after the last attempt the technician is
    // told and may send it again with "Wyślij".
    // What follows a write's answer other than the one that lets the run go on.
    void repeatOrOffer(const WriteAnswer& answer, int sendState, std::string_view notConfirmed);
    void judgeDrive(int sendState, int pointState);
    void judgeTrim(int sendState, std::string_view what, std::string_view doneText);
    void recordTrim(const WriteJudgement& judgement, std::string_view what);
    void judgeOutputPoint(bool upper);
    // Stops where the technician may send again with "Wyślij", telling why.
    void offerAgain(int waitingState, std::string_view text);

    Station& station_;
    calibration::InputReading inputReading_{station_, Progress, LineErrors};
    calibration::InputPointRecords inputPoints_{station_};
    calibration::Compensation compensation_{station_};
    int returnState_ = 0;
    float typedValue_ = 0;
    std::uint8_t trimByte_ = 0;
    // Sends of the write in progress, for the repeats a busy transmitter gets.
    int sends_ = 0;
    Reply lastReply_;
    // RS485: the answer the mode register write reads first is the drive's.
    bool driveSent_ = false;
};

}  // namespace doxa
