#include "programming/sensor_dlg.h"

#include <cstdint>
#include <optional>
#include <string>

#include "link/screen_text.h"
#include "link/port.h"
#include "link/value_codec.h"
#include "programming/sensor_serial_dlg.h"
#include "transmitter/code_tables.h"
#include "transmitter/exchange.h"
#include "transmitter/station.h"

namespace doxa {

namespace {

constexpr Request SensorQuery{.hartCommand = 14};
constexpr int FullAnswerLength = 29;
constexpr int SerialAnswerLength = 16;
constexpr int RereadWait = 100;
// The live display's code for the user characteristic, which this function knows as 15.
constexpr int DisplayCharacteristicCode = 18;
constexpr int CharacteristicCode = 15;

// The shared sensor names carry a leading blank, which stands for this line's last blank, so
// that the name is shown, and translated, as the table has it.
constexpr std::string_view TypePattern = UI_TEXT("Typ czujnika:                       %1");
constexpr std::string_view SerialPattern = UI_TEXT("Numer seryjny czujnika:        %1");
constexpr std::string_view LowerPattern = UI_TEXT("Wartość minimalna:              %1");
constexpr std::string_view UpperPattern = UI_TEXT("Wartość maksymalna:           %1");
constexpr std::string_view SpanPattern = UI_TEXT("Rozpiętość minimalna:          %1");

std::string valueLine(std::string_view pattern, const std::uint8_t* bytes, std::uint8_t unitCode) {
    return formatText(
        pattern, {decodeFloat(bytes, FloatLayout::Hart).text + std::string(unitSuffix(unitCode))});
}

}  // namespace

void CSensorDlg::onInit() {
    if (!ensurePortOpen(station_)) {
        window().end(ResultCancel);
        return;
    }
    purge(station_);
    station_.frame.fill(0xFF);
    goToState(station_, window(), SendQuery, AnswerWait);
}

void CSensorDlg::onCommand(int id) {
    if (id == ChangeSerial)
        changeSerial();
    else
        DialogLogic::onCommand(id);
}

void CSensorDlg::onTimer(int timer) {
    if (timer != ExchangeTimer) return;
    switch (station_.link.exchangeState) {
        case SendQuery:
            sendQuery();
            break;
        case TurnQuery:
            turn();
            break;
        case ReadQuery:
            readAnswer();
            break;
        default:
            window().stopTimer(ExchangeTimer);
            break;
    }
}

void CSensorDlg::onDestroy() { endExchange(station_, window()); }

// The child runs its own exchange on the shared frame buffer, so this one rests meanwhile and
// reads the sensor again afterwards, whatever the child did.
void CSensorDlg::changeSerial() {
    window().stopTimer(ExchangeTimer);
    CSensorSerialDlg serial(station_);
    serial.number = station_.device.serialNumber;
    window().runChild(serial);
    showSerial();
    goToState(station_, window(), SendQuery, RereadWait);
}

void CSensorDlg::sendQuery() {
    sendHartRequest(station_, SensorQuery);
    goToState(station_, window(), TurnQuery, station_.link.replyWait);
}

void CSensorDlg::turn() {
    turnToReceive(station_);
    goToState(station_, window(), ReadQuery, AnswerWait);
}

void CSensorDlg::readAnswer() {
    const int length = readReply(station_).length;
    if (length != FullAnswerLength && length != SerialAnswerLength) {
        goToState(station_, window(), SendQuery, AnswerWait);
        return;
    }
    station_.link.exchangeState = SendQuery;
    window().stopTimer(ExchangeTimer);
    const auto& f = station_.frame;
    station_.device.serialNumber = f[12] << 16 | f[13] << 8 | f[14];
    if (length == FullAnswerLength) {
        showType();
        showLimits();
    }
    showSerial();
}

void CSensorDlg::showType() {
    DeviceRecord& device = station_.device;
    if (device.sensorType == DisplayCharacteristicCode) device.sensorType = CharacteristicCode;
    if (const std::optional<std::string_view> name =
            sensorName(device.sensorType, device.isRtdOnly != 0))
        window().setText(TypeText, formatText(TypePattern, {*name}));
}

void CSensorDlg::showSerial() {
    window().setText(SerialText,
                     formatText(SerialPattern, {std::to_string(station_.device.serialNumber)}));
}

void CSensorDlg::showLimits() {
    const auto& f = station_.frame;
    const std::uint8_t unit = f[15];
    window().setText(LowerText, valueLine(LowerPattern, &f[20], unit));
    window().setText(UpperText, valueLine(UpperPattern, &f[16], unit));
    window().setText(SpanText, valueLine(SpanPattern, &f[24], unit));
}

}  // namespace doxa
