#include "calibration/output_current_dlg.h"

#include "calibration/calibration_steps.h"
#include "link/screen_text.h"
#include "dialog/typed_number.h"
#include "link/port.h"
#include "transmitter/code_tables.h"
#include "transmitter/service_recording.h"
#include "transmitter/station.h"

namespace doxa {

using namespace calibration;

namespace {
constexpr int ButtonDelay = 1;
constexpr int ReadAttempts = 3;
constexpr float RivoLowest = 0.0f;
constexpr float DoxaLowest = 3.5f;
constexpr float Highest = 20.5f;
constexpr float SpinStep = 0.1f;
// How often the transmit queue is looked at, and what is allowed beyond the bytes' own time on
// the line before the port is taken to be stuck.
constexpr int DrainPollMs = 5;
constexpr int DrainMarginMs = 100;
constexpr std::string_view StuckText = UI_TEXT("Błąd nadawania: dane nie opuściły portu");
}  // namespace

bool COutputCurrentDlg::rs485() const { return station_.link.transmissionMode == ModeRs485; }

void COutputCurrentDlg::onInit() {
    noAnswerCount_ = 0;
    outputValue_ = 0;
    station_.frame.fill(0xFF);
    station_.link.exchangeState = SendRead;
    showValue();
    const bool voltage = station_.device.outputType == OutputVoltage;
    window().setText(Label, voltage ? UI_TEXT("Napięcie wyjściowe") : UI_TEXT("Prąd wyjściowy"));
    if (voltage) window().setText(Unit, "V");
    if (!ensurePortOpen(station_)) {
        window().end(ResultCancel);
        return;
    }
    purge(station_);
    if (releaseOnOpen_) station_.link.exchangeState = SendRelease;
    window().startTimer(ExchangeTimer, AnswerWait);
}

void COutputCurrentDlg::onCommand(int id) {
    switch (id) {
        case Set: setOutput(); break;
        case Release: next(SendRelease, ButtonDelay); break;
        default: DialogLogic::onCommand(id);
    }
}

void COutputCurrentDlg::onScroll(int id, Scroll code) {
    if (id != Spin) return;
    takeValue();
    if (code == Scroll::LineUp && outputValue_ <= 20.4)
        outputValue_ += SpinStep;
    else if (code == Scroll::LineDown && outputValue_ >= 0.1)
        outputValue_ -= SpinStep;
    showValue();
}

void COutputCurrentDlg::onTimer(int timer) {
    if (timer != ExchangeTimer) return;
    switch (station_.link.exchangeState) {
        case SendRead:
            window().setText(Status, " ");
            showErrors(sendOutputRead(station_));
            next(ListenRead, station_.link.replyWait);
            break;
        case ListenRead:
        case ListenSet:
        case ListenRelease:
        case ListenModeFirst:
        case ListenModeLast:
            turnToReceive(station_);
            next(station_.link.exchangeState + (station_.link.exchangeState == ListenModeFirst ? 2 : 1), AnswerWait);
            break;
        case ReadModeFirst: judgeModeWrite(false); break;
        case SendModeLast: sendModeLast(); break;
        case ReadModeLast: judgeModeWrite(true); break;
        case ReadOutput: readOutput(); break;
        case SendSet: sendSet(); break;
        case AwaitSent: awaitSent(); break;
        case ReadSet: judgeSet(); break;
        case SendRelease:
            window().setText(Status, " ");
            showErrors(sendExit(station_));
            next(ListenRelease, station_.link.replyWait);
            break;
        case ReadRelease: judgeRelease(); break;
        case ModbusModeFirst:
            read();
            ++sends_;
            showErrors(sendModeRegister(station_, OutputFixed));
            next(ListenModeFirst, AnswerWait);
            break;
        default:
            window().stopTimer(ExchangeTimer);
            setReceive(station_);
            clearErrors(station_);
            break;
    }
}

void COutputCurrentDlg::onDestroy() { endExchange(station_, window()); }

void COutputCurrentDlg::next(int state, int ms) { goToState(station_, window(), state, ms); }

int COutputCurrentDlg::read() {
    lastReply_ = readReply(station_);
    showErrors(lastReply_.lineErrors);
    return lastReply_.length;
}

void COutputCurrentDlg::showErrors(const std::string& lineErrors) {
    if (!lineErrors.empty()) window().setText(Status, lineErrors);
}

void COutputCurrentDlg::showValue() { window().setText(Value, numberText(outputValue_)); }

void COutputCurrentDlg::takeValue() {
    if (const auto value = parseDecimalNumber(window().text(Value))) outputValue_ = *value;
}

void COutputCurrentDlg::setOutput() {
    const auto typed = parseDecimalNumber(window().text(Value));
    const float lowest = station_.device.isRivo ? RivoLowest : DoxaLowest;
    if (!typed || *typed < lowest || *typed > Highest) {
        outputValue_ = 0;
        showValue();
        return;
    }
    outputValue_ = *typed;
    sends_ = 0;
    station_.frame.fill(0xFF);
    next(rs485() ? ModbusModeFirst : SendSet, ButtonDelay);
}

void COutputCurrentDlg::readOutput() {
    window().stopTimer(ExchangeTimer);
    const int length = read();
    station_.link.exchangeState = SendRead;
    if (const auto value = calibration::outputValue(station_, length)) {
        if (!rs485())
            window().setText(Status, station_.device.outputType == OutputVoltage
                                         ? UI_TEXT("Wartość napięcia wyjściowego")
                                         : UI_TEXT("Wartość prądu wyjściowego"));
        outputValue_ = ceilToThousandths(*value);
        showValue();
        return;
    }
    if (++noAnswerCount_ < ReadAttempts)
        window().startTimer(ExchangeTimer, AnswerWait);
    else
        window().setText(Status, NoAnswerText);
}

// The request must have left the port before the line is turned round; a port that never
// empties its queue is waited for only as long as the bytes need on the line, plus a margin.
void COutputCurrentDlg::sendSet() {
    window().setText(Status, " ");
    ++sends_;
    showErrors(sendForcedOutput(station_, outputValue_));
    drainBudgetMs_ = transmitTimeMs(station_, queuedOutput(station_)) + DrainMarginMs;
    drainWaitedMs_ = 0;
    awaitSent();
}

void COutputCurrentDlg::awaitSent() {
    if (queuedOutput(station_) == 0) {
        next(ListenSet, station_.link.replyWait);
        return;
    }
    if (drainWaitedMs_ >= drainBudgetMs_) {
        clearErrors(station_);
        const std::string errors = errorText(station_.link.commErrors);
        window().setText(Status, errors.empty() ? std::string(StuckText) : errors);
        next(ListenSet, station_.link.replyWait);
        return;
    }
    drainWaitedMs_ += DrainPollMs;
    next(AwaitSent, DrainPollMs);
}

// HART repeats the value until it is confirmed; RS485 gives up after the last attempt. Over
// RS485 the mode register is written once more and its echo read before the output counts as set.
void COutputCurrentDlg::judgeSet() {
    const WriteAnswer answer = judged();
    const bool unknown = answer.judgement.verdict == WriteVerdict::Unknown;
    switch (answer.next) {
        case WriteAnswer::Next::Again:
            next(SendSet, unknown ? AnswerWait : BusyRepeatWait);
            return;
        case WriteAnswer::Next::Stop:
            recordForcedOutput(answer.judgement);
            stopWithText(stoppedText(answer.judgement, OutputNotConfirmedText));
            return;
        case WriteAnswer::Next::Done: break;
    }
    recordForcedOutput(answer.judgement);
    if (rs485()) {
        sends_ = 0;
        sendModeLast();
        return;
    }
    window().stopTimer(ExchangeTimer);
    window().setText(Status, UI_TEXT("Wyjście ustawione"));
}

// The mode register before the value (first) and after it (last): nothing is said set before
// the transmitter echoed both.
void COutputCurrentDlg::judgeModeWrite(bool last) {
    const WriteAnswer answer = judged();
    if (answer.next == WriteAnswer::Next::Again) {
        next(last ? SendModeLast : ModbusModeFirst, BusyRepeatWait);
        return;
    }
    if (answer.next == WriteAnswer::Next::Stop) {
        stopWithText(stoppedText(answer.judgement, OutputNotConfirmedText));
        return;
    }
    if (!last) {
        sends_ = 0;
        next(SendSet, ButtonDelay);
        return;
    }
    stopWithText(UI_TEXT("Wyjście ustawione"));
}

// Every write here is absolute and goes again while unconfirmed, as the value always did: HART
// without limit, RS485 up to its last attempt.
WriteAnswer COutputCurrentDlg::judged() {
    read();
    WriteAnswer answer = answerOfWrite(station_, lastReply_, sends_, true);
    const bool unknown = answer.judgement.verdict == WriteVerdict::Unknown;
    if (answer.next == WriteAnswer::Next::Again && rs485() && unknown && sends_ >= ConfirmAttempts)
        answer.next = WriteAnswer::Next::Stop;
    return answer;
}

void COutputCurrentDlg::sendModeLast() {
    ++sends_;
    showErrors(sendModeRegister(station_, OutputFixed));
    next(ListenModeLast, AnswerWait);
}

void COutputCurrentDlg::stopWithText(const std::string& text) {
    window().setText(Status, text);
    station_.link.exchangeState = Done;
}

void COutputCurrentDlg::judgeRelease() {
    window().stopTimer(ExchangeTimer);
    read();
    station_.link.exchangeState = SendRelease;
    if (releaseConfirmed(station_, lastReply_)) {
        keepRecord(station_, RecordKind::ForcedOutput, RecordOutcome::Confirmed,
                   {{"forced", std::string("released")}});
        window().setText(Status, UI_TEXT("Wyjście wyzerowane"));
        outputValue_ = 0;
        showValue();
        if (releaseOnOpen_) window().end(ResultOk);
    } else {
        window().startTimer(ExchangeTimer, AnswerWait);
    }
}

void COutputCurrentDlg::recordForcedOutput(const WriteJudgement& judgement) const {
    const RecordValues value{{"output", double{outputValue_}}};
    ServiceRecord entry = stationRecord(station_, RecordKind::ForcedOutput, judgement.outcome());
    if (judgement.confirmed()) entry.asLeft = value;
    entry.reference = value;
    if (entry.outcome == RecordOutcome::Refused) entry.refusalCode = judgement.code;
    keepRecord(station_, entry);
}

}  // namespace doxa
