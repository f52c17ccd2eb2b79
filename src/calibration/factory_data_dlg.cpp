#include "calibration/factory_data_dlg.h"

#include <array>

#include "calibration/calibration_steps.h"
#include "link/port.h"
#include "transmitter/code_tables.h"
#include "transmitter/service_recording.h"
#include "transmitter/station.h"

namespace doxa {

namespace {
constexpr std::string_view Warning =
    "UWAGA! W przetworniku zostaną ustawione fabryczne dane kalibracyjne. Czy kontynuować?";
constexpr std::uint8_t HartFixOutput = 40;
constexpr std::uint8_t HartFactoryData = 139;
constexpr std::array<std::uint8_t, 1> CopyRequest = {1};
constexpr std::array<std::uint8_t, 4> Fifteen = {0x41, 0x70, 0x00, 0x00};
constexpr std::array<std::uint8_t, 4> Zero = {0, 0, 0, 0};
constexpr int WriteLength = 17;
constexpr int CopyLength = 14;
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
            window().setText(StepText, "Przepisywanie danych");
            send(HartFactoryData, CopyRequest, Unread, LongWait);
            break;
        case Listen:
            turnToReceive(station_);
            goToState(station_, window(), 1 + returnState_, AnswerWait);
            break;
        case DriveOutput:
            window().setText(StepText, "Ustawianie wyjścia");
            station_.outputForced = true;
            send(HartFixOutput, Fifteen, ReadDrive, ShortWait);
            break;
        case ReadDrive:
            if (read() == WriteLength) {
                station_.link.exchangeState = CopyData;
                window().setText(Connection, " ");
            } else {
                station_.link.exchangeState = DriveOutput;
            }
            break;
        case CopyData:
            window().setText(StepText, "Wyjście ustawione");
            window().setText(Errors, " ");
            window().setText(Connection, " ");
            send(HartFactoryData, CopyRequest, ReadCopy, AnswerWait);
            break;
        case ReadCopy:
            if (read() == CopyLength) {
                keepRecord(station_, RecordKind::FactoryData, RecordOutcome::Confirmed,
                           {{"calibration_data", std::string("factory")}});
                window().setText(StepText, "Dane fabryczne przepisane");
                goToState(station_, window(), ReleaseOutput, LongWait);
            } else {
                station_.link.exchangeState = CopyData;
            }
            break;
        case ReleaseOutput:
            window().setText(StepText, "Zerowanie wyjścia");
            send(HartFixOutput, Zero, ReadRelease, ShortWait);
            break;
        case ReadRelease:
            if (read() == WriteLength) {
                window().stopTimer(ExchangeTimer);
                station_.outputForced = false;
                station_.link.exchangeState = FirstCopy;
                window().end(ResultOk);
            } else {
                station_.link.exchangeState = ReleaseOutput;
            }
            break;
        default: break;
    }
}

void CFactoryDataDlg::onDestroy() { endExchange(station_, window()); }

// Every request here is a HART frame, whatever the transmission mode.
void CFactoryDataDlg::send(std::uint8_t command, std::span<const std::uint8_t> data, int readState,
                           int ms) {
    const std::string errors = calibration::sendHart(station_, command, data);
    if (!errors.empty()) window().setText(Errors, errors);
    returnState_ = readState - 1;
    goToState(station_, window(), Listen, ms);
}

int CFactoryDataDlg::read() {
    const Reply reply = readReply(station_);
    if (!reply.lineErrors.empty()) window().setText(Errors, reply.lineErrors);
    return reply.length;
}

}  // namespace doxa
