#include "calibration/factory_data_dlg.h"

#include <array>

#include "calibration/calibration_steps.h"
#include "link/screen_text.h"
#include "link/port.h"
#include "transmitter/code_tables.h"
#include "transmitter/service_recording.h"
#include "transmitter/station.h"

namespace doxa {

namespace {
constexpr std::string_view Warning =
    UI_TEXT("UWAGA! W przetworniku zostaną ustawione fabryczne dane kalibracyjne. Czy kontynuować?");
constexpr std::uint8_t HartFixOutput = 40;
constexpr std::uint8_t HartFactoryData = 139;
constexpr std::array<std::uint8_t, 1> CopyRequest = {1};
constexpr std::array<std::uint8_t, 4> Fifteen = {0x41, 0x70, 0x00, 0x00};
constexpr std::array<std::uint8_t, 4> Zero = {0, 0, 0, 0};
constexpr int ShortWait = 200;
constexpr int LongWait = 1000;
// The first copy is not read back: the listen step goes straight on to driving the output.
constexpr int Unread = CFactoryDataDlg::DriveOutput;
}  // namespace

void CFactoryDataDlg::onInit() {
    if (window().messageBox(Warning, BoxIcon::Error, BoxButtons::OkCancel) == Answer::Cancel) {
        window().end(ResultCancel);
        return;
    }
    station_.frame.fill(0xFF);
    window().setText(StepText, " ");
    window().setText(Connection, ConnectingText);
    window().setText(Errors, " ");
    station_.link.exchangeState = FirstCopy;
    if (!ensurePortOpen(station_)) {
        window().end(ResultCancel);
        return;
    }
    purge(station_);
    window().startTimer(ExchangeTimer, AnswerWait);
}

void CFactoryDataDlg::onTimer(int timer) {
    if (timer != ExchangeTimer) return;
    switch (station_.link.exchangeState) {
        case FirstCopy:
            window().setText(StepText, UI_TEXT("Przepisywanie danych"));
            send(HartFactoryData, CopyRequest, Unread, LongWait);
            break;
        case Listen:
            turnToReceive(station_);
            goToState(station_, window(), 1 + returnState_, AnswerWait);
            break;
        case DriveOutput:
            window().setText(StepText, UI_TEXT("Ustawianie wyjścia"));
            station_.outputForced = true;
            send(HartFixOutput, Fifteen, ReadDrive, ShortWait);
            break;
        case ReadDrive:
            if (judged(DriveOutput)) {
                station_.link.exchangeState = CopyData;
                window().setText(Connection, " ");
            }
            break;
        case CopyData:
            window().setText(StepText, UI_TEXT("Wyjście ustawione"));
            window().setText(Errors, " ");
            window().setText(Connection, " ");
            send(HartFactoryData, CopyRequest, ReadCopy, AnswerWait);
            break;
        case ReadCopy:
            if (judged(CopyData)) {
                window().setText(StepText, UI_TEXT("Dane fabryczne przepisane"));
                goToState(station_, window(), ReleaseOutput, LongWait);
            }
            break;
        case ReleaseOutput:
            window().setText(StepText, UI_TEXT("Zerowanie wyjścia"));
            send(HartFixOutput, Zero, ReadRelease, ShortWait);
            break;
        case ReadRelease:
            if (judged(ReleaseOutput)) {
                window().stopTimer(ExchangeTimer);
                station_.outputForced = false;
                station_.link.exchangeState = FirstCopy;
                window().end(ResultOk);
            }
            break;
        default: break;
    }
}

void CFactoryDataDlg::onDestroy() { endExchange(station_, window()); }

// Every request here is a HART frame, whatever the transmission mode.
void CFactoryDataDlg::send(std::uint8_t command, std::span<const std::uint8_t> data, int readState,
                           int ms) {
    ++sends_;
    const std::string errors = sendHartWrite(station_, Request{.hartCommand = command, .hartData = data});
    if (!errors.empty()) window().setText(Errors, errors);
    returnState_ = readState - 1;
    goToState(station_, window(), Listen, ms);
}

// Every step repeats until its write is confirmed; a refusal stops the restore with its code
// and the copy's record says refused.
bool CFactoryDataDlg::judged(int sendState) {
    const Reply reply = readReply(station_);
    if (!reply.lineErrors.empty()) window().setText(Errors, reply.lineErrors);
    const WriteAnswer answer = answerOfWrite(station_, reply, sends_, true);
    const bool copy = sendState == CopyData;
    if (copy && answer.next != WriteAnswer::Next::Again) {
        ServiceRecord entry = stationRecord(station_, RecordKind::FactoryData, answer.judgement.outcome());
        entry.asLeft = {{"calibration_data", std::string("factory")}};
        if (entry.outcome == RecordOutcome::Refused) entry.refusalCode = answer.judgement.code;
        keepRecord(station_, entry);
    }
    switch (answer.next) {
        case WriteAnswer::Next::Done: sends_ = 0; return true;
        case WriteAnswer::Next::Again: repeatWrite(station_, window(), answer, sendState, sends_); return false;
        case WriteAnswer::Next::Stop: break;
    }
    window().stopTimer(ExchangeTimer);
    window().setText(Errors, answer.judgement.refusalText());
    return false;
}

}  // namespace doxa
