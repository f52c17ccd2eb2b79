#include "calibration/calib_dlg.h"

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
constexpr std::string_view NotANumberText = "Wpisz poprawną liczbę";
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
    window().setText(Status, "Inicjalizacja portu");
    returnState_ = 0;
    goToState(station_, window(), StartUp, AnswerWait);
}

void CCalibrationDlg::onCommand(int id) {
    switch (id) {
        case InputLow: startStep(SendInputLow); break;
        case InputHigh: startStep(SendInputHigh); break;
        case CalibratePoint1:
            unconfirmedSends_ = 0;
            startStep(SendPoint1);
            break;
        case CalibratePoint2:
            unconfirmedSends_ = 0;
            startStep(SendPoint2);
            break;
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
            window().setText(Status, "Kalibracja dla 100 Ohm, 0mV");
            sent(sendInputPoint(station_, false));
            returnState_ = ReadInputLow - 1;
            break;
        case Listen: listen(); break;
        case ReadInputLow: judgeInputPoint(false); break;
        case SendInputHigh:
            window().setText(Status, "Kalibracja dla 300 Ohm, 80mV");
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
            window().setText(Status, "Odczyt temperatury");
            sent(sendAmbientRead(station_));
            returnState_ = ReadAmbientAnswer - 1;
            break;
        case ReadAmbientAnswer: readAmbientAnswer(); break;
        case SendCorrection:
            if (takeFields(Ambient)) correctionStep(compensation_.start(typedAmbient_));
            break;
        case ReadCorrection: {
            const int length = read();
            showFields();
            correctionStep(compensation_.judgeAnswer(length));
            break;
        }
        case ReadCorrectionCheck: correctionStep(compensation_.judgeCheck(read())); break;
        case ModbusDriveListen:
            turnToReceive(station_);
            goToState(station_, window(), ModbusModeWrite, AnswerWait);
            break;
        case ModbusModeWrite:
            read();
            sent(sendModeRegister(station_, onePointStored_ ? OutputOnePointStored : OutputFixed));
            returnState_ = ReadDrive - 1;
            break;
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
    const Reply reply = readReply(station_);
    if (!reply.lineErrors.empty()) window().setText(Status, reply.lineErrors);
    return reply.length;
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
    if (point == DrivePoint::High && row.nominal) {
        point2Value_ = *row.nominal;
        showFields();
    }
    if (!rs485()) window().setText(Status, row.text);
    const std::string errors = sendDrive(station_, point);
    if (!errors.empty()) window().setText(Status, errors);
    if (point == DrivePoint::Low && row.nominal) {
        point1Value_ = *row.nominal;
        showFields();
    }
    returnState_ = DriveSent;
    goToState(station_, window(), rs485() ? ModbusDriveListen : Listen, station_.link.replyWait);
}

void CCalibrationDlg::judgeInputPoint(bool upper) {
    if (inputPointTaken(station_, read(), upper)) {
        inputPoints_.pointStored(upper);
        window().stopTimer(ExchangeTimer);
        window().setText(Status, "Dana zapisana");
    } else {
        goToState(station_, window(), upper ? SendInputHigh : SendInputLow, InputRetryWait);
    }
}

void CCalibrationDlg::judgeDrive() {
    window().stopTimer(ExchangeTimer);
    if (!driveAnswered(station_, read())) return;
    window().setText(Status, outputPrompt(station_.device));
    showFields();
}

void CCalibrationDlg::sendPoint(bool upper) {
    if (!takeFields(upper ? Point2 : Point1)) return;
    ++unconfirmedSends_;
    sent(sendOutputPoint(station_, upper, upper ? point2Value_ : point1Value_));
    returnState_ = (upper ? ReadPoint2 : ReadPoint1) - 1;
}

void CCalibrationDlg::judgePoint(bool upper) {
    const float measured = upper ? point2Value_ : point1Value_;
    if (outputPointConfirmed(station_, read(), upper)) {
        recordOutputPoint(station_, upper, measured, RecordOutcome::Confirmed);
        window().stopTimer(ExchangeTimer);
        unconfirmedSends_ = 0;
        if (onePointStored_ == 0) {
            window().setText(Status, upper ? "Prąd dla 18,4mA zapisany" : "Prąd dla 5,6mA zapisany");
            onePointStored_ = 1;
        } else {
            window().setText(Status, "Wyjście skalibrowane");
            onePointStored_ = 0;
        }
        showFields();
    } else if (rs485() && unconfirmedSends_ >= ConfirmAttempts) {
        recordOutputPoint(station_, upper, measured, RecordOutcome::NotConfirmed);
        window().stopTimer(ExchangeTimer);
        window().setText(Status, PointNotConfirmedText);
    } else {
        station_.link.exchangeState = upper ? SendPoint2 : SendPoint1;
    }
}

void CCalibrationDlg::readAmbientAnswer() {
    const auto offered = compensation_.takeAmbient(read());
    if (!offered) {
        station_.link.exchangeState = SendAmbientRead;
        return;
    }
    typedAmbient_ = *offered;
    showFields();
    window().setText(Status, "Wpisz temperature");
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
            window().setText(Status, "Kalibracja temperatury kompensacji zakończona");
            break;
        case Compensation::Next::NotConfirmed:
            window().stopTimer(ExchangeTimer);
            window().setText(Status, CorrectionNotConfirmedText);
            break;
    }
}

// HART closes on the first confirmed exit; an RS485 exit is always sent three times.
void CCalibrationDlg::judgeExit() {
    const bool released = exitConfirmed(station_, read());
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
