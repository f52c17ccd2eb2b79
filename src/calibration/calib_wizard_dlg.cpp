#include "calibration/calib_wizard_dlg.h"

#include <array>
#include <utility>

#include "calibration/calib_settings_dlg.h"
#include "link/screen_text.h"
#include "dialog/typed_number.h"
#include "link/hart.h"
#include "link/port.h"
#include "transmitter/service_recording.h"
#include "transmitter/station.h"

namespace doxa {

using namespace calibration;

namespace {
constexpr int StartWait = 500;
constexpr int SendDelay = 100;
constexpr int CloseDelay = 5;
constexpr int InputRetryWait = 500;
constexpr int PhaseEndWait = 1000;
constexpr int CorrectionReadDelay = 10;
constexpr std::uint8_t HartTrimSet = 43;
constexpr std::uint8_t HartConfiguration = 147;
constexpr int ConfigurationLength = 14;
constexpr std::string_view TrimSetTitle = UI_TEXT("Ustaw Trim");
constexpr std::string_view TrimCancelTitle = UI_TEXT("Anuluj Trim");
constexpr std::string_view NotANumberText = UI_TEXT("Wpisz poprawną liczbę");
}  // namespace

bool CCalibrationWizardDlg::rs485() const { return station_.link.transmissionMode == ModeRs485; }

bool CCalibrationWizardDlg::chosen(int bit) const { return (station_.calibrationOptions & bit) != 0; }

void CCalibrationWizardDlg::onInit() {
    typedValue_ = 0;
    showFields();
    window().setVisible(Value, false);
    if (!ensurePortOpen(station_)) {
        window().end(ResultCancel);
        return;
    }
    purge(station_);
    station_.frame.fill(0xFF);
    window().setText(Instruction, " ");
    window().setText(Progress, UI_TEXT("Inicjalizacja portu"));
    window().setText(LineErrors, " ");
    const int options = station_.calibrationOptions;
    if (options == CCalibrationSettingsDlg::CompensationBit) {
        goToState(station_, window(), SendAmbientRead, StartWait);
    } else if (options < CCalibrationSettingsDlg::TrimSetBit) {
        goToState(station_, window(), StartUp, StartWait);
    } else {
        // A trim waits for the technician's press; the other phases are not run with it.
        const bool set = chosen(CCalibrationSettingsDlg::TrimSetBit);
        const std::string_view title = set ? TrimSetTitle : TrimCancelTitle;
        window().setText(Send, title);
        window().setTitle(title);
        station_.link.exchangeState = set ? SendTrimSet : SendTrimRead;
    }
    returnState_ = 0;
}

void CCalibrationWizardDlg::onCommand(int id) {
    switch (id) {
        case Send:
            sends_ = 0;
            window().startTimer(ExchangeTimer, SendDelay);
            break;
        case Close: goToState(station_, window(), Exit, CloseDelay); break;
        case ReadInput:
            inputReading_.start(window());
            showFields();
            break;
        default: DialogLogic::onCommand(id);
    }
}

void CCalibrationWizardDlg::onTimer(int timer) {
    if (timer == InputReading::Timer) {
        if (!inputReading_.onTimer(window())) return;
        inputPoints_.readingEnded(inputReading_.value());
        showFields();
        return;
    }
    if (timer != ExchangeTimer) return;
    window().stopTimer(InputReading::Timer);
    step(station_.link.exchangeState);
}

void CCalibrationWizardDlg::step(int state) {
    const bool reverse = station_.reverseOrder != 0;
    switch (state) {
        case StartUp:
            ++sends_;
            sent(sendStartUp(station_), ReadStartUp);
            break;
        case Listen: listen(); break;
        case ReadStartUp: judgeStartUp(); break;
        case SendFirstInput:
            window().setText(LineErrors, " ");
            sent(sendInputPoint(station_, reverse), ReadFirstInput);
            break;
        case ReadFirstInput: judgeInputPoint(false); break;
        case SendSecondInput:
            window().setText(LineErrors, " ");
            sent(sendInputPoint(station_, !reverse), ReadSecondInput);
            break;
        case ReadSecondInput: judgeInputPoint(true); break;
        case SendLowDrive:
            window().setTitle(UI_TEXT("Kalibracja wyjścia "));
            window().setText(Progress, " ");
            window().setEnabled(Send, false);
            ++sends_;
            sent(sendDrive(station_, DrivePoint::Low), ReadLowDrive);
            if (rs485()) {
                driveSent_ = true;
                station_.link.exchangeState = ModbusDriveListen;
            }
            break;
        case ModbusDriveListen:
            turnToReceive(station_);
            goToState(station_, window(), ModbusModeWrite, AnswerWait);
            break;
        case ModbusModeWrite: {
            read();
            const int keep = returnState_;
            if (std::exchange(driveSent_, false)) {
                const int driveState = keep + 1 == ReadLowDrive ? SendLowDrive : SendHighDrive;
                const WriteAnswer answer = answerOfWrite(station_, lastReply_, sends_, true);
                if (answer.next != WriteAnswer::Next::Done) {
                    repeatOrOffer(answer, driveState, OutputNotConfirmedText);
                    return;
                }
                sends_ = 0;
            }
            ++sends_;
            sent(sendModeRegister(station_, station_.outputPointSent ? OutputOnePointStored : OutputFixed),
                 keep + 1);
            break;
        }
        case ReadLowDrive: judgeDrive(SendLowDrive, SendLowPoint); break;
        case SendLowPoint:
            if (!takeValue()) return;
            ++sends_;
            sent(sendOutputPoint(station_, false, typedValue_), ReadLowPoint);
            station_.outputPointSent = 1;
            break;
        case ReadLowPoint: judgeOutputPoint(false); break;
        case SendHighDrive: sendHighDrive(); break;
        case ReadHighDrive: judgeDrive(SendHighDrive, SendHighPoint); break;
        case SendHighPoint:
            if (!takeValue()) return;
            ++sends_;
            sent(sendOutputPoint(station_, true, typedValue_), ReadHighPoint);
            station_.outputPointSent = 0;
            break;
        case ReadHighPoint: judgeOutputPoint(true); break;
        case SendTrimSet:
            window().setTitle(TrimSetTitle);
            ++sends_;
            sent(sendHartWrite(station_, Request{.hartCommand = HartTrimSet}), ReadTrimSet);
            window().setText(Progress, " ");
            break;
        case ReadTrimSet: judgeTrim(SendTrimSet, "set", UI_TEXT("Trim ustawiony")); break;
        case SendTrimRead:
            window().setTitle(TrimCancelTitle);
            sent(sendHart(station_, HartConfiguration), ReadTrimRead);
            break;
        case ReadTrimRead:
            if (read() == ConfigurationLength) {
                trimByte_ = station_.frame[hart::AnswerData];
                station_.link.exchangeState = SendTrimWrite;
            } else {
                station_.link.exchangeState = SendTrimRead;
            }
            break;
        case SendTrimWrite: {
            // Writing the configuration back unchanged is what cancels the trim.
            const std::array<std::uint8_t, 1> configuration = {trimByte_};
            ++sends_;
            sent(sendHartWrite(station_, Request{.hartCommand = HartConfiguration, .hartData = configuration}),
                 ReadTrimWrite);
            window().setText(Progress, " ");
            break;
        }
        case ReadTrimWrite: judgeTrim(SendTrimWrite, "cancelled", UI_TEXT("Trim anulowany")); break;
        case SendAmbientRead:
            window().setVisible(Value, true);
            window().setEnabled(Send, true);
            typedValue_ = 0;
            showFields();
            window().setText(Progress, UI_TEXT("Odczyt temperatury"));
            sent(sendAmbientRead(station_), ReadAmbientAnswer);
            break;
        case ReadAmbientAnswer: readAmbientAnswer(); break;
        case SendCorrectionRead:
            read();
            sent(sendCorrectionRead(station_), ReadCorrectionBase);
            break;
        case ReadCorrectionBase:
            compensation_.takePresentCorrection(read());
            station_.link.exchangeState = SendCorrection;
            window().stopTimer(ExchangeTimer);
            break;
        case SendCorrection:
            if (!takeValue()) return;
            window().setEnabled(Send, false);
            window().setText(Instruction, " ");
            correctionStep(compensation_.start(typedValue_));
            break;
        case ResendCorrection: correctionStep(Compensation::Next::Send); break;
        case ReadCorrection:
            read();
            showFields();
            correctionStep(compensation_.judgeAnswer(lastReply_));
            break;
        case ReadCorrectionCheck: correctionStep(compensation_.judgeCheck(read())); break;
        case Exit: exit(); break;
        case ReadExit:
            read();
            if (releaseConfirmed(station_, lastReply_)) {
                window().stopTimer(ExchangeTimer);
                station_.link.exchangeState = 0;
                window().end(ResultCancel);
            } else {
                station_.link.exchangeState = Exit;
            }
            break;
        default: break;
    }
}

void CCalibrationWizardDlg::onDestroy() {
    window().stopTimer(InputReading::Timer);
    inputPoints_.finish();
    endExchange(station_, window());
}

void CCalibrationWizardDlg::sent(const std::string& lineErrors, int readState) {
    if (!lineErrors.empty()) window().setText(LineErrors, lineErrors);
    returnState_ = readState - 1;
    goToState(station_, window(), Listen, station_.link.replyWait);
}

void CCalibrationWizardDlg::listen() {
    turnToReceive(station_);
    goToState(station_, window(), 1 + returnState_, AnswerWait);
}

int CCalibrationWizardDlg::read() {
    lastReply_ = readReply(station_);
    if (!lastReply_.lineErrors.empty()) window().setText(LineErrors, lastReply_.lineErrors);
    return lastReply_.length;
}

void CCalibrationWizardDlg::showFields() {
    window().setText(Value, numberText(typedValue_));
    window().setText(InputValue, inputReading_.text());
}

bool CCalibrationWizardDlg::takeValue() {
    if (const auto value = parseDecimalNumber(window().text(Value))) {
        typedValue_ = *value;
        return true;
    }
    window().stopTimer(ExchangeTimer);
    window().messageBox(NotANumberText, BoxIcon::Error);
    return false;
}

// Input first, then output, then compensation; a trim is a run of its own.
void CCalibrationWizardDlg::goTo(Phase phase) {
    switch (phase) {
        case Phase::Exit: station_.link.exchangeState = Exit; break;
        case Phase::Input: {
            window().stopTimer(ExchangeTimer);
            window().setText(Instruction, inputReference(station_.device, station_.reverseOrder != 0).instruction);
            window().setText(Progress, " ");
            station_.link.exchangeState = SendFirstInput;
            break;
        }
        case Phase::Output:
            if (rs485()) {
                // The mode register is written before the first test point is driven.
                returnState_ = SendLowDrive - 1;
                station_.link.exchangeState = ModbusModeWrite;
            } else {
                station_.link.exchangeState = SendLowDrive;
            }
            break;
        case Phase::Compensation: station_.link.exchangeState = SendAmbientRead; break;
        case Phase::TrimSet: station_.link.exchangeState = SendTrimSet; break;
        case Phase::TrimCancel: station_.link.exchangeState = SendTrimRead; break;
    }
}

void CCalibrationWizardDlg::judgeStartUp() {
    read();
    // Over RS485 the documentation goes on whatever the answer to the mode register said.
    const WriteAnswer answer = answerOfWrite(station_, lastReply_, sends_, true);
    if (!rs485() && answer.next != WriteAnswer::Next::Done) {
        repeatOrOffer(answer, StartUp, OutputNotConfirmedText);
        return;
    }
    sends_ = 0;
    Phase next = Phase::Exit;
    if (chosen(CCalibrationSettingsDlg::CompensationBit)) next = Phase::Compensation;
    if (chosen(CCalibrationSettingsDlg::OutputBit)) next = Phase::Output;
    if (chosen(CCalibrationSettingsDlg::InputBit)) next = Phase::Input;
    goTo(next);
}

void CCalibrationWizardDlg::judgeInputPoint(bool second) {
    // The second point is the upper reference unless the order is reversed.
    const bool upper = second != (station_.reverseOrder != 0);
    read();
    // Repeated every 500 ms until the transmitter takes it, whatever it answers.
    const WriteJudgement judgement = judgeWrite(station_, lastReply_);
    if (!judgement.confirmed()) {
        if (judgement.code) window().setText(LineErrors, judgement.refusalText());
        goToState(station_, window(), second ? SendSecondInput : SendFirstInput, InputRetryWait);
        return;
    }
    inputPoints_.pointStored(upper);
    if (!second) {
        window().stopTimer(ExchangeTimer);
        window().setText(Instruction, inputReference(station_.device, station_.reverseOrder == 0).instruction);
        station_.link.exchangeState = SendSecondInput;
        return;
    }
    window().startTimer(ExchangeTimer, PhaseEndWait);
    window().setEnabled(Send, false);
    window().setText(LineErrors, " ");
    window().setText(Progress, UI_TEXT("Kalibracja wejścia zakończona"));
    Phase next = Phase::Exit;
    if (chosen(CCalibrationSettingsDlg::TrimCancelBit)) next = Phase::TrimCancel;
    if (chosen(CCalibrationSettingsDlg::TrimSetBit)) next = Phase::TrimSet;
    if (chosen(CCalibrationSettingsDlg::CompensationBit)) next = Phase::Compensation;
    if (chosen(CCalibrationSettingsDlg::OutputBit)) next = Phase::Output;
    goTo(next);
}

// HART: the answer to the drive; RS485: the echo of the mode register written after it.
void CCalibrationWizardDlg::judgeDrive(int sendState, int pointState) {
    window().setEnabled(Send, true);
    read();
    const WriteAnswer answer = answerOfWrite(station_, lastReply_, sends_, true);
    if (answer.next != WriteAnswer::Next::Done) {
        repeatOrOffer(answer, sendState, OutputNotConfirmedText);
        return;
    }
    sends_ = 0;
    window().stopTimer(ExchangeTimer);
    station_.link.exchangeState = pointState;
    window().setText(Instruction, outputPrompt(station_.device));
    window().setText(Progress, " ");
    if (pointState == SendLowPoint) {
        window().setVisible(Value, true);
        typedValue_ = driveRow(station_.device, DrivePoint::Low).nominal.value_or(0);
        showFields();
    }
}

void CCalibrationWizardDlg::sendHighDrive() {
    window().setText(Progress, " ");
    window().setVisible(Value, true);
    typedValue_ = driveRow(station_.device, DrivePoint::High).nominal.value_or(0);
    showFields();
    ++sends_;
    sent(sendDrive(station_, DrivePoint::High), ReadHighDrive);
    if (rs485()) {
        driveSent_ = true;
        station_.link.exchangeState = ModbusDriveListen;
    }
}

// One point per press: sent again only after a busy answer, when nothing was done. A point
// the transmitter may have taken without saying so sends the technician back to the drive.
void CCalibrationWizardDlg::judgeOutputPoint(bool upper) {
    read();
    const WriteAnswer answer = answerOfWrite(station_, lastReply_, sends_, false);
    const int pointState = upper ? SendHighPoint : SendLowPoint;
    if (answer.next == WriteAnswer::Next::Again) {
        goToState(station_, window(), pointState, BusyRepeatWait);
        return;
    }
    recordOutputPoint(station_, upper, typedValue_, answer.judgement);
    if (answer.next == WriteAnswer::Next::Stop) {
        const bool unknown = answer.judgement.verdict == WriteVerdict::Unknown;
        offerAgain(unknown ? (upper ? SendHighDrive : SendLowDrive) : pointState,
                   stoppedText(answer.judgement, PointNotConfirmedText));
        return;
    }
    sends_ = 0;
    if (!upper) {
        typedValue_ = driveRow(station_.device, DrivePoint::High).nominal.value_or(0);
        showFields();
        window().setText(Instruction, outputPrompt(station_.device));
        window().setText(Progress, " ");
        if (rs485()) {
            returnState_ = SendHighDrive - 1;
            station_.link.exchangeState = ModbusModeWrite;
        } else {
            station_.link.exchangeState = SendHighDrive;
        }
        return;
    }
    Phase next = Phase::Exit;
    if (chosen(CCalibrationSettingsDlg::TrimCancelBit)) next = Phase::TrimCancel;
    if (chosen(CCalibrationSettingsDlg::TrimSetBit)) next = Phase::TrimSet;
    if (chosen(CCalibrationSettingsDlg::CompensationBit)) next = Phase::Compensation;
    goTo(next);
    window().setVisible(Value, false);
    window().setText(Instruction, " ");
    window().setText(Progress, UI_TEXT("Kalibracja wyjścia zakończona"));
    // RS485 leaves the calibration mode here; nothing waits for the answer.
    if (rs485()) sendModeRegister(station_, OutputNormal);
}

void CCalibrationWizardDlg::readAmbientAnswer() {
    const auto offered = compensation_.takeAmbient(read());
    if (!offered) {
        station_.link.exchangeState = SendAmbientRead;
        return;
    }
    typedValue_ = *offered;
    showFields();
    window().setText(Instruction, UI_TEXT("Temp. wewn. w °C"));
    window().setText(Progress, UI_TEXT("Wpisz temperature"));
    if (rs485()) {
        goToState(station_, window(), SendCorrectionRead, CorrectionReadDelay);
    } else {
        station_.link.exchangeState = SendCorrection;
        window().stopTimer(ExchangeTimer);
    }
}

void CCalibrationWizardDlg::correctionStep(Compensation::Next next) {
    switch (next) {
        case Compensation::Next::Send: sent(compensation_.send(), ReadCorrection); break;
        case Compensation::Next::Check: sent(compensation_.sendCheck(), ReadCorrectionCheck); break;
        case Compensation::Next::Done:
            station_.link.exchangeState = Exit;
            window().setText(Progress, UI_TEXT("Kalibracja pomiaru temperatury zakończona"));
            break;
        case Compensation::Next::SendLater:
            goToState(station_, window(), ResendCorrection, BusyRepeatWait);
            break;
        case Compensation::Next::NotConfirmed: offerAgain(SendCorrection, CorrectionNotConfirmedText); break;
        case Compensation::Next::Refused: offerAgain(SendCorrection, compensation_.refusalText()); break;
    }
}

void CCalibrationWizardDlg::repeatOrOffer(const WriteAnswer& answer, int sendState, std::string_view notConfirmed) {
    if (answer.next == WriteAnswer::Next::Again) {
        repeatWrite(station_, window(), answer, sendState, sends_);
        return;
    }
    sends_ = 0;
    offerAgain(sendState, stoppedText(answer.judgement, notConfirmed));
}

// A trim ends in the history once it is confirmed or has stopped; busy and unanswered sends go
// again first.
void CCalibrationWizardDlg::judgeTrim(int sendState, std::string_view what, std::string_view doneText) {
    read();
    const WriteAnswer answer = answerOfWrite(station_, lastReply_, sends_, true);
    if (answer.next != WriteAnswer::Next::Again) recordTrim(answer.judgement, what);
    if (answer.next != WriteAnswer::Next::Done) {
        repeatOrOffer(answer, sendState, "");
        return;
    }
    station_.link.exchangeState = Exit;
    window().setText(Progress, doneText);
}

void CCalibrationWizardDlg::recordTrim(const WriteJudgement& judgement, std::string_view what) {
    ServiceRecord entry = stationRecord(station_, RecordKind::Trim, judgement.outcome());
    entry.asLeft = {{"trim", std::string(what)}};
    if (entry.outcome == RecordOutcome::Refused) entry.refusalCode = judgement.code;
    keepRecord(station_, entry);
}

void CCalibrationWizardDlg::offerAgain(int waitingState, std::string_view text) {
    window().stopTimer(ExchangeTimer);
    station_.link.exchangeState = waitingState;
    window().setEnabled(Send, true);
    window().setText(Progress, text);
}

void CCalibrationWizardDlg::exit() {
    window().setEnabled(Send, false);
    typedValue_ = 0;
    showFields();
    if (rs485()) {
        // Nothing is sent on RS485; an answer that came to the last write still tells whether
        // the output left its fixed mode.
        read();
        releaseConfirmed(station_, lastReply_);
        window().stopTimer(ExchangeTimer);
        window().end(ResultCancel);
        return;
    }
    sent(sendExit(station_), ReadExit);
}

}  // namespace doxa
