#include "programming/sensor_serial_dlg.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "link/screen_text.h"
#include "dialog/typed_number.h"
#include "transmitter/exchange.h"
#include "transmitter/station.h"
#include "transmitter/write_table.h"

namespace doxa {

namespace {

constexpr std::uint8_t WriteSensorSerial = 49;
constexpr int SaveWait = 200;
constexpr std::string_view InvalidNumber = UI_TEXT("Nie prawidłowa wartość");

}  // namespace

void CSensorSerialDlg::onInit() { window().setText(Number, std::to_string(number)); }

void CSensorSerialDlg::onCommand(int id) {
    if (id == Save)
        save();
    else
        DialogLogic::onCommand(id);
}

void CSensorSerialDlg::onTimer(int timer) {
    if (timer != ExchangeTimer) return;
    switch (station_.link.exchangeState) {
        case SendNumber:
            sendNumber();
            break;
        case TurnNumber:
            turn();
            break;
        case ReadNumber:
            readAnswer();
            break;
        default:
            window().stopTimer(ExchangeTimer);
            break;
    }
}

void CSensorSerialDlg::onDestroy() { window().stopTimer(ExchangeTimer); }

void CSensorSerialDlg::save() {
    station_.link.exchangeState = SendNumber;
    const std::optional<long long> typed = parseWholeNumber(window().text(Number));
    if (typed && *typed == station_.device.serialNumber) return;
    if (!typed || *typed < 0 || *typed > LargestNumber) {
        window().messageBox(InvalidNumber);
        return;
    }
    number = static_cast<int>(*typed);
    window().startTimer(ExchangeTimer, SaveWait);
}

void CSensorSerialDlg::sendNumber() {
    const auto n = static_cast<unsigned>(number);
    const std::array<std::uint8_t, 3> data = {static_cast<std::uint8_t>(n >> 16),
                                              static_cast<std::uint8_t>(n >> 8),
                                              static_cast<std::uint8_t>(n)};
    sendHartWrite(station_, Request{.hartCommand = WriteSensorSerial, .hartData = data});
    goToState(station_, window(), TurnNumber, station_.link.replyWait);
}

void CSensorSerialDlg::turn() {
    turnToReceive(station_);
    goToState(station_, window(), ReadNumber, AnswerWait);
}

// Unanswered, the write is not sent again: the timer goes on listening until the user gives up.
void CSensorSerialDlg::readAnswer() {
    if (!judgeWrite(station_, readReply(station_)).confirmed()) return;
    window().stopTimer(ExchangeTimer);
    station_.device.serialNumber = number;
    window().end(ResultCancel);
}

}  // namespace doxa
