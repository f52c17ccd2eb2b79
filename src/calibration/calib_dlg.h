#pragma once

#include <functional>
#include <optional>
#include <string>

#include "calibration/calibration_steps.h"
#include "dialog/dialog.h"

namespace doxa {

class Station;

// "Kalibracja" with the master access: the input at its two reference points, the output at its
// two test points with the middle one to check, and the compensation temperature, all in one
// window. Start-up puts the output into fixed mode; "Zamknij" leaves it again.
class CCalibrationDlg : public DialogLogic {
public:
    static constexpr int Resource = 134;
    enum : int {
        Close = 1,
        InputValue = 102,
        Point1 = 103,
        Point2 = 104,
        Ambient = 105,
        Status = 131,
        InputLow = 132,
        InputHigh = 133,
        DriveLow = 134,
        DriveMiddle = 135,
        ReadInput = 143,
        CalibrateAmbient = 144,
        ReadAmbient = 145,
        DriveHigh = 160,
        CalibratePoint1 = 173,
        CalibratePoint2 = 174,
        UpdateView = 175,
    };
    // Exchange states; a sending state leads through the listen state to the one after it.
    enum : int {
        SendInputLow = 0,
        Listen = 1,
        ReadInputLow = 2,
        SendInputHigh = 3,
        ReadInputHigh = 4,
        DriveSent = 5,
        ReadDrive = 6,
        SendPoint1 = 7,
        ReadPoint1 = 8,
        SendPoint2 = 11,
        ReadPoint2 = 12,
        SendAmbientRead = 19,
        ReadAmbientAnswer = 20,
        SendCorrection = 21,
        ReadCorrection = 22,
        ReadCorrectionCheck = 23,
        ModbusDriveListen = 50,
        ModbusModeWrite = 51,
        SendCorrectionRead = 52,
        ReadCorrectionBase = 53,
        ResendDrive = 54,
        ResendCorrection = 55,
        StartUp = 60,
        ReadStartUp = 61,
        SendExit = 62,
        ReadExit = 63,
    };

    // `updateView` reads RAM 0 for the main view, as the menu command does.
    CCalibrationDlg(Station& station, std::function<void()> updateView)
        : station_(station), updateView_(std::move(updateView)) {}

    int layout() const override { return Resource; }
    void onInit() override;
    void onCommand(int id) override;
    void onTimer(int timer) override;
    void onDestroy() override;

    int onePointStored() const { return onePointStored_; }

private:
    bool rs485() const;
    void startStep(int state);
    void drive(calibration::DrivePoint point);
    void sendDrive();
    bool driveStepConfirmed();
    void driveStopped(const WriteAnswer& answer);
    void sent(const std::string& lineErrors);
    void listen();
    int read();
    void showFields();
    // Takes every edit box that holds a number; false (and the technician told) when the one
    // the step needs does not.
    bool takeFields(int needed);

    void judgeInputPoint(bool upper);
    void judgeDriveEcho();
    void judgeDrive();
    void calibratePoint(bool upper);
    void sendPoint(bool upper);
    void judgePoint(bool upper);
    void readAmbientAnswer();
    void correctionStep(calibration::Compensation::Next next);
    void judgeExit();
    void step(int state);

    Station& station_;
    std::function<void()> updateView_;
    calibration::InputReading inputReading_{station_, Status, Status};
    calibration::InputPointRecords inputPoints_{station_};
    calibration::Compensation compensation_{station_};
    int returnState_ = 0;
    int closeRetries_ = 0;
    int onePointStored_ = 0;
    // Sends of the write in progress, for the repeats a busy transmitter gets.
    int sends_ = 0;
    Reply lastReply_;
    // The test point the output is confirmed to be driven to, and the one being driven.
    std::optional<calibration::DrivePoint> driven_;
    calibration::DrivePoint driving_ = calibration::DrivePoint::Middle;
    float typedAmbient_ = 0;
    float point2Value_ = 0;
    float point1Value_ = 0;
};

}  // namespace doxa
