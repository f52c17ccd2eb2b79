#include "service/register_dlg.h"

#include <charconv>

#include "link/screen_text.h"
#include "link/modbus.h"
#include "link/port.h"
#include "service/byte_values.h"
#include "transmitter/code_tables.h"
#include "transmitter/exchange.h"
#include "transmitter/station.h"

namespace doxa {

namespace {

constexpr int StartMs = 50;
constexpr int TurnMs = 30;
constexpr int AnswerMs = 1000;
constexpr int DrainPollMs = 10;
constexpr int DrainMarginMs = 100;
constexpr std::uint8_t ExceptionBit = 0x80;
constexpr std::string_view RangeMessage =
    KEPT_TEXT("Please enter an integer between 0 and 511.");
constexpr std::string_view BadAddress = UI_TEXT("Błędny adres");

std::optional<int> parseUnsigned(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

}  // namespace

int transmitBudgetMs(int bytes, int baudIndex, int parityOff) {
    const int bitsPerByte = parityOff == 1 ? 10 : 11;  // start, 8 data, parity, stop
    const long long bits = static_cast<long long>(bytes) * bitsPerByte;
    const int baud = baudRate(baudIndex);
    return static_cast<int>((bits * 1000 + baud - 1) / baud) + DrainMarginMs;
}

void CRegisterDlg::onInit() {
    if (ensurePortOpen(station_)) purge(station_);
    window().setText(SlaveAddress, std::to_string(station_.device.pollingAddress));
    station_.link.exchangeState = WriteState;
    station_.frame.fill(0xFF);
    setReceive(station_);
}

void CRegisterDlg::onChange(int id) {
    if (id == SlaveAddress)
        station_.device.pollingAddress = parsePollingAddress(window().text(SlaveAddress)).value_or(0);
}

void CRegisterDlg::onFocus(int id, bool gained) {
    if (id == SlaveAddress && !gained)
        window().setText(SlaveAddress, std::to_string(station_.device.pollingAddress));
}

void CRegisterDlg::onTimer(int timer) {
    if (timer != ExchangeTimer) return;
    switch (station_.link.exchangeState) {
        case WriteState:
            write();
            break;
        case DrainState:
            drain();
            break;
        case TurnState:
            window().stopTimer(ExchangeTimer);
            setReceive(station_);
            goToState(station_, window(), ReadState, AnswerMs);
            break;
        case ReadState:
            read();
            break;
        default:
            window().stopTimer(ExchangeTimer);
            break;
    }
}

void CRegisterDlg::onDestroy() {
    window().stopTimer(ExchangeTimer);
    clearErrors(station_);
    // A dialog closed while its request was going out must not leave the bus driver on.
    setReceive(station_);
}

std::optional<int> CRegisterDlg::registerField(int id) {
    const std::optional<int> value = parseUnsigned(window().text(id));
    if (value && *value >= 0 && *value <= HighestRegister) return value;
    window().messageBox(RangeMessage);
    return std::nullopt;
}

bool CRegisterDlg::validRange(int start, int end) {
    if (start > HighestRegister || end > HighestRegister || end < start || end - start >= MaxRegisters) {
        window().messageBox(BadAddress);
        return false;
    }
    return true;
}

void CRegisterDlg::startExchange(int requestLength) {
    requestLength_ = requestLength;
    requestFunction_ = station_.frame[1];
    result_.clear();
    window().setText(ResultText, result_);
    goToState(station_, window(), WriteState, StartMs);
}

void CRegisterDlg::write() {
    window().stopTimer(ExchangeTimer);
    setTransmit(station_);
    writeLogged(station_, requestLength_);
    clearErrors(station_);
    lineErrors_ = station_.link.commErrors;
    if (queuedOutput(station_) == 0) {
        finishWrite(true);
        return;
    }
    // The driver may only be turned round once the request has left; a line that never sends
    // it must not hang the dialog, so the wait ends after the time the bytes need.
    const int budget = transmitBudgetMs(requestLength_, station_.link.baudIndex, station_.link.parityOff);
    drainTicksLeft_ = (budget + DrainPollMs - 1) / DrainPollMs;
    goToState(station_, window(), DrainState, DrainPollMs);
}

void CRegisterDlg::drain() {
    clearErrors(station_);
    lineErrors_ |= station_.link.commErrors;
    if (queuedOutput(station_) == 0) {
        finishWrite(true);
    } else if (--drainTicksLeft_ <= 0) {
        finishWrite(false);
    }
}

void CRegisterDlg::finishWrite(bool drained) {
    window().stopTimer(ExchangeTimer);
    if (!drained) {
        // The answer follows on the same line, so the pattern takes whatever comes after.
        const std::string errors = lineErrors_ != 0 ? errorText(lineErrors_) + " " : "";
        appendResult(formatText(UI_TEXT("Nadawanie nie zakończone: w kolejce zostało %1 B %2"),
                                {std::to_string(queuedOutput(station_)), errors}));
    }
    if (showsLineErrors()) errorBoxes(station_, lineErrors_);
    goToState(station_, window(), TurnState, TurnMs);
}

void CRegisterDlg::read() {
    window().stopTimer(ExchangeTimer);
    clearErrors(station_);
    const int length = readLogged(station_, ReadMax);
    setReceive(station_);
    if (length == 0) window().messageBox(NoAnswerText);
    showAnswer(length);
}

std::string CRegisterDlg::withAnswerMarks(const std::string& listing, int length) const {
    if (length <= 0) return listing;
    const auto& f = station_.frame;
    if (length < 4) return formatText(UI_TEXT("%1 [odpowiedź niepełna]"), {listing});
    const std::uint16_t crc = modbusCrc(f, length - 2);
    const bool crcWrong = f[length - 2] != (crc & 0xFF) || f[length - 1] != (crc >> 8);
    const std::string text =
        crcWrong ? formatText(UI_TEXT("%1 [błędne CRC odpowiedzi]"), {listing}) : listing;
    if (f[1] & ExceptionBit)
        return formatText(UI_TEXT("%1 [odpowiedź wyjątku: kod %2]"),
                          {text, formatByte("%#2.2x", f[2])});
    if (f[1] != requestFunction_)
        return formatText(UI_TEXT("%1 [odpowiedź funkcji %2 zamiast %3]"),
                          {text, std::to_string(f[1]), std::to_string(requestFunction_)});
    return text;
}

void CRegisterDlg::appendResult(std::string_view text) {
    result_ += text;
    window().setText(ResultText, result_);
}

}  // namespace doxa
