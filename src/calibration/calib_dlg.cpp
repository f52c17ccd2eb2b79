#include "calibration/calib_dlg.h"

#include "link/screen_text.h"
#include "dialog/typed_number.h"
#include "link/port.h"
#include "transmitter/station.h"

namespace doxa {

using namespace calibration;

namespace {
constexpr int ButtonDelay = 5;
constexpr int InputRetryWait = 500;
constexpr int CorrectionReadDelay = 10;
constexpr int ExitAttempts = 3;
constexpr std::string_view NotANumberText = UI_TEXT("Wpisz poprawną liczbę");
}  // namespace

bool CCalibrationDlg::rs485() const { return station_.link.transmissionMode == ModeRs485; }

void CCalibrationDlg::onInit() {
    point1Value_ = 0;
    point2Value_ = 0;
    onePointStored_ = 0;
    showFields();
    if (!ensurePortOpen(station_)) {
        window().end(ResultCancel);
        return;
    }
    purge(station_);
    station_.frame.fill(0xFF);
    window().setText(Status, UI_TEXT("Inicjalizacja portu"));
    returnState_ = 0;
    goToState(station_, window(), StartUp, AnswerWait);
}

void CCalibrationDlg::onCommand(int id) {
    switch (id) {
        case InputLow: startStep(SendInputLow); break;
        case InputHigh: startStep(SendInputHigh); break;
        case CalibratePoint1: calibratePoint(false); break;
        case CalibratePoint2: calibratePoint(true); break;
        case ReadAmbient: startStep(SendAmbientRead); break;
        case CalibrateAmbient: startStep(SendCorrection); break;
        case Close:
            closeRetries_ = ExitAttempts;
            startStep(SendExit);
            break;
        case ReadInput:
            inputReading_.start(window());
            showFields();
            break;
        case DriveLow: drive(DrivePoint::Low); break;
        case DriveMiddle: drive(DrivePoint::Middle); break;
        case DriveHigh: drive(DrivePoint::High); break;
        case UpdateView:
            if (station_.link.portNumber >= 0 && updateView_) updateView_();
            break;
        default: DialogLogic::onCommand(id);
    }
}

void CCalibrationDlg::onTimer(int timer) {
    if (timer == InputReading::Timer) {
        if (!inputReading_.onTimer(window())) return;
        inputPoints_.readingEnded(inputReading_.value());
        showFields();
        return;
    }
    if (timer != ExchangeTimer) return;
    // A step of the main exchange abandons a reading of the input.
    window().stopTimer(InputReading::Timer);
    step(station_.link.exchangeState);
}

void CCalibrationDlg::step(int state) {
    switch (state) {
        case SendInputLow:
            window().setText(Status, UI_TEXT("Kalibracja dla 100 Ohm, 0mV"));
            sent(sendInputPoint(station_, false));
            returnState_ = ReadInputLow - 1;
            break;
        case Listen: listen(); break;
        case ReadInputLow: judgeInputPoint(false); break;
        case SendInputHigh:
            window().setText(Status, UI_TEXT("Kalibracja dla 300 Ohm, 80mV"));
            sent(sendInputPoint(station_, true));
            returnState_ = ReadInputHigh - 1;
            break;
        case ReadInputHigh: judgeInputPoint(true); break;
        case ReadDrive: judgeDrive(); break;
        case SendPoint1: sendPoint(false); break;
        case ReadPoint1: judgePoint(false); break;
        case SendPoint2: sendPoint(true); break;
        case ReadPoint2: judgePoint(true); break;
        case SendAmbientRead:
            typedAmbient_ = 0;
            showFields();
            window().setText(Status, UI_TEXT("Odczyt temperatury"));
            sent(sendAmbientRead(station_));
            returnState_ = ReadAmbientAnswer - 1;
            break;
        case ReadAmbientAnswer: readAmbientAnswer(); break;
        case SendCorrection:
            if (takeFields(Ambient)) correctionStep(compensation_.start(typedAmbient_));
            break;
        case ResendCorrection: correctionStep(Compensation::Next::Send); break;
        case ReadCorrection:
            read();
            showFields();
            correctionStep(compensation_.judgeAnswer(lastReply_));
            break;
        case ReadCorrectionCheck: correctionStep(compensation_.judgeCheck(read())); break;
        case ModbusDriveListen:
            turnToReceive(station_);
            goToState(station_, window(), ModbusModeWrite, AnswerWait);
            break;
        case ModbusModeWrite: judgeDriveEcho(); break;
        case ResendDrive: sendDrive(); break;
        case SendCorrectionRead:
            read();
            sent(sendCorrectionRead(station_));
            returnState_ = ReadCorrectionBase - 1;
            break;
        case ReadCorrectionBase:
            compensation_.takePresentCorrection(read());
            // The correction itself waits for "Kalibruj".
            window().stopTimer(ExchangeTimer);
            break;
        case StartUp:
            sent(sendStartUp(station_));
            returnState_ = ReadStartUp - 1;
            break;
        case ReadStartUp:
            read();
            window().stopTimer(ExchangeTimer);
            window().setText(Status, " ");
            break;
        case SendExit:
            --closeRetries_;
            showFields();
            sent(sendExit(station_));
            returnState_ = ReadExit - 1;
            break;
        case ReadExit: judgeExit(); break;
        default: break;
    }
}

void CCalibrationDlg::onDestroy() {
    window().stopTimer(InputReading::Timer);
    inputPoints_.finish();
    endExchange(station_, window());
}

void CCalibrationDlg::startStep(int state) { goToState(station_, window(), state, ButtonDelay); }

void CCalibrationDlg::sent(const std::string& lineErrors) {
    if (!lineErrors.empty()) window().setText(Status, lineErrors);
    goToState(station_, window(), Listen, station_.link.replyWait);
}

void CCalibrationDlg::listen() {
    turnToReceive(station_);
    goToState(station_, window(), 1 + returnState_, station_.link.replyWait);
}

int CCalibrationDlg::read() {
    lastReply_ = readReply(station_);
    if (!lastReply_.lineErrors.empty()) window().setText(Status, lastReply_.lineErrors);
    return lastReply_.length;
}

void CCalibrationDlg::showFields() {
    window().setText(InputValue, inputReading_.text());
    window().setText(Point1, numberText(point1Value_));
    window().setText(Point2, numberText(point2Value_));
    window().setText(Ambient, numberText(typedAmbient_));
}

bool CCalibrationDlg::takeFields(int needed) {
    const struct {
        int id;
        float& field;
    } edits[] = {{Point1, point1Value_}, {Point2, point2Value_}, {Ambient, typedAmbient_}};
    bool neededTaken = true;
    for (const auto& edit : edits) {
        const auto value = parseDecimalNumber(window().text(edit.id));
        if (value)
            edit.field = *value;
        else if (edit.id == needed)
            neededTaken = false;
    }
    if (!neededTaken) {
        window().stopTimer(ExchangeTimer);
        window().messageBox(NotANumberText, BoxIcon::Error);
    }
    return neededTaken;
}

void CCalibrationDlg::drive(DrivePoint point) {
    const DriveRow row = driveRow(station_.device, point);
    driving_ = point;
    driven_.reset();
    sends_ = 0;
    if (point == DrivePoint::High && row.nominal) {
        point2Value_ = *row.nominal;
        showFields();
    }
    if (!rs485()) window().setText(Status, row.text);
    sendDrive();
    if (point == DrivePoint::Low && row.nominal) {
        point1Value_ = *row.nominal;
        showFields();
    }
}

void CCalibrationDlg::sendDrive() {
    ++sends_;
    const std::string errors = calibration::sendDrive(station_, driving_);
    if (!errors.empty()) window().setText(Status, errors);
    returnState_ = DriveSent;
    goToState(station_, window(), rs485() ? ModbusDriveListen : Listen, station_.link.replyWait);
}

// RS485: the echo of the drive, then the mode register; nothing is asked of the technician
// before both are confirmed.
void CCalibrationDlg::judgeDriveEcho() {
    if (!driveStepConfirmed()) return;
    sends_ = 1;
    sent(sendModeRegister(station_, onePointStored_ ? OutputOnePointStored : OutputFixed));
    returnState_ = ReadDrive - 1;
}

// The answer to the drive or its mode write; anything but a confirmation sends the drive again
// (busy) or stops with the reason.
bool CCalibrationDlg::driveStepConfirmed() {
    read();
    const WriteAnswer answer = answerOfWrite(station_, lastReply_, sends_, false);
    if (answer.next == WriteAnswer::Next::Done) return true;
    driveStopped(answer);
    return false;
}

void CCalibrationDlg::driveStopped(const WriteAnswer& answer) {
    if (answer.next == WriteAnswer::Next::Again) {
        goToState(station_, window(), ResendDrive, BusyRepeatWait);
        return;
    }
    window().stopTimer(ExchangeTimer);
    window().setText(Status, stoppedText(answer.judgement, OutputNotConfirmedText));
}

// The reference point is repeated every 500 ms until the transmitter takes it, whatever it
// answers; a refusal is shown until the next send.
void CCalibrationDlg::judgeInputPoint(bool upper) {
    read();
    const WriteJudgement judgement = judgeWrite(station_, lastReply_);
    if (judgement.confirmed()) {
        inputPoints_.pointStored(upper);
        window().stopTimer(ExchangeTimer);
        window().setText(Status, UI_TEXT("Dana zapisana"));
        return;
    }
    if (judgement.code) window().setText(Status, judgement.refusalText());
    goToState(station_, window(), upper ? SendInputHigh : SendInputLow, InputRetryWait);
}

void CCalibrationDlg::judgeDrive() {
    if (!driveStepConfirmed()) return;
    window().stopTimer(ExchangeTimer);
    driven_ = driving_;
    window().setText(Status, outputPrompt(station_.device));
    showFields();
}

void CCalibrationDlg::calibratePoint(bool upper) {
    if (driven_ != (upper ? DrivePoint::High : DrivePoint::Low)) {
        window().stopTimer(ExchangeTimer);
        window().setText(Status, OutputNotDrivenText);
        return;
    }
    sends_ = 0;
    startStep(upper ? SendPoint2 : SendPoint1);
}

void CCalibrationDlg::sendPoint(bool upper) {
    if (!takeFields(upper ? Point2 : Point1)) return;
    ++sends_;
    sent(sendOutputPoint(station_, upper, upper ? point2Value_ : point1Value_));
    returnState_ = (upper ? ReadPoint2 : ReadPoint1) - 1;
}

// One point per "Kalibruj": sent again only after a busy answer, when nothing was done.
void CCalibrationDlg::judgePoint(bool upper) {
    const float measured = upper ? point2Value_ : point1Value_;
    read();
    const WriteAnswer answer = answerOfWrite(station_, lastReply_, sends_, false);
    if (answer.next == WriteAnswer::Next::Again) {
        goToState(station_, window(), upper ? SendPoint2 : SendPoint1, BusyRepeatWait);
        return;
    }
    window().stopTimer(ExchangeTimer);
    recordOutputPoint(station_, upper, measured, answer.judgement);
    if (answer.next == WriteAnswer::Next::Stop) {
        // Without a refusal the transmitter may have trimmed: the old measurement is spent.
        if (answer.judgement.verdict == WriteVerdict::Unknown) driven_.reset();
        window().setText(Status, stoppedText(answer.judgement, PointNotConfirmedText));
        return;
    }
    if (onePointStored_ == 0) {
        window().setText(Status, upper ? UI_TEXT("Prąd dla 18,4mA zapisany") : UI_TEXT("Prąd dla 5,6mA zapisany"));
        onePointStored_ = 1;
    } else {
        window().setText(Status, UI_TEXT("Wyjście skalibrowane"));
        onePointStored_ = 0;
    }
    showFields();
}

void CCalibrationDlg::readAmbientAnswer() {
    const auto offered = compensation_.takeAmbient(read());
    if (!offered) {
        station_.link.exchangeState = SendAmbientRead;
        return;
    }
    typedAmbient_ = *offered;
    showFields();
    window().setText(Status, UI_TEXT("Wpisz temperature"));
    if (rs485()) {
        goToState(station_, window(), SendCorrectionRead, CorrectionReadDelay);
    } else {
        station_.link.exchangeState = SendCorrection;
        window().stopTimer(ExchangeTimer);
    }
}

void CCalibrationDlg::correctionStep(Compensation::Next next) {
    switch (next) {
        case Compensation::Next::Send:
            sent(compensation_.send());
            returnState_ = ReadCorrection - 1;
            break;
        case Compensation::Next::Check:
            sent(compensation_.sendCheck());
            returnState_ = ReadCorrectionCheck - 1;
            break;
        case Compensation::Next::Done:
            window().stopTimer(ExchangeTimer);
            window().setText(Status, UI_TEXT("Kalibracja temperatury kompensacji zakończona"));
            break;
        case Compensation::Next::SendLater:
            goToState(station_, window(), ResendCorrection, BusyRepeatWait);
            break;
        case Compensation::Next::NotConfirmed:
            window().stopTimer(ExchangeTimer);
            window().setText(Status, CorrectionNotConfirmedText);
            break;
        case Compensation::Next::Refused:
            window().stopTimer(ExchangeTimer);
            window().setText(Status, compensation_.refusalText());
            break;
    }
}

// HART closes on the first confirmed exit; an RS485 exit is always sent three times.
void CCalibrationDlg::judgeExit() {
    read();
    const bool released = releaseConfirmed(station_, lastReply_);
    if (released && !rs485()) {
        window().stopTimer(ExchangeTimer);
        station_.link.exchangeState = 0;
        window().end(ResultCancel);
    } else if (closeRetries_ != 0) {
        station_.link.exchangeState = SendExit;
    } else {
        window().stopTimer(ExchangeTimer);
        window().end(ResultCancel);
    }
}

}  // namespace doxa
