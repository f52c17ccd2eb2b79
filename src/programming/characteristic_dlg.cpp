#include "programming/characteristic_dlg.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>

#include "link/screen_text.h"
#include "dialog/typed_number.h"
#include "link/hart.h"
#include "link/port.h"
#include "link/value_codec.h"
#include "transmitter/code_tables.h"
#include "transmitter/station.h"
#include "transmitter/write_table.h"

namespace doxa {

namespace {

constexpr std::uint8_t CountCommand = 221;
constexpr std::uint8_t PointCommand = 220;
constexpr int CountAnswerLength = 14;
constexpr int PointAnswerLength = 22;

constexpr int StartWait = 500;
constexpr int TurnWait = 400;
constexpr int NextStepWait = 100;
constexpr int SendCountWait = 300;
constexpr int SendPointWait = 500;
constexpr int AskCountWait = 300;
constexpr int AskPointWait = 400;

constexpr int PageStep = 5;
constexpr int WarnAbove = 16;
constexpr int MaxIntegerDigits = 8;

constexpr const char* StartingText = UI_TEXT("Inicjalizacja portu");
constexpr std::string_view TooManyPoints = UI_TEXT("Maksymalna ilość danych = 32");
constexpr std::string_view OlderTransmitterLimit =
    UI_TEXT("W przetwornikach od numeru fabrycznego ..../00 maksymalna ilość danych = 16");

// Points as the table shows them: fixed decimals, three for the models that measure finely; a
// value whose whole part needs more than eight digits cannot be shown and reads "0.0".
std::string pointText(float value, int decimals) {
    if (value == 0 || !std::isfinite(value)) return "0.0";
    std::array<char, 64> buffer{};
    const int length =
        std::snprintf(buffer.data(), buffer.size(), "%.*f", decimals, static_cast<double>(value));
    const std::string text(buffer.data(), static_cast<std::size_t>(std::max(length, 0)));
    const std::size_t sign = text.front() == '-' ? 1 : 0;
    if (text.find('.') - sign > MaxIntegerDigits) return "0.0";
    return text;
}

// What an edit shows of a float: the shortest text that reads back as the same float.
std::string editText(float value) {
    std::array<char, 32> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    return std::string(buffer.data(), result.ptr);
}

std::uint8_t indexByte(int point) { return static_cast<std::uint8_t>((point * 4) & 0xFF); }

}  // namespace

void CCharacteristicDlg::onInit() {
    position_ = FirstPosition;
    count_ = station_.characteristic.characteristicCount;
    showRows();
    showMembers();
    window().setText(SelectedNumber, "");
    window().setText(StepText, "");
    window().setText(ReplyText, "");
}

void CCharacteristicDlg::onCommand(int id) {
    switch (id) {
        case Send:
            start(SendCount);
            break;
        case Read:
            start(AskCount);
            break;
        case Clear:
            clearTable();
            break;
        default:
            DialogLogic::onCommand(id);
    }
}

void CCharacteristicDlg::onChange(int id) {
    if (id == XEdit || id == YEdit)
        takeValue(id);
    else if (id == CountEdit)
        takeCount();
}

void CCharacteristicDlg::onScroll(int id, Scroll code) {
    if (id != ScrollBar) return;
    int step = 0;
    switch (code) {
        case Scroll::LineUp:
            step = -1;
            break;
        case Scroll::LineDown:
            step = 1;
            break;
        case Scroll::PageUp:
            step = -PageStep;
            break;
        case Scroll::PageDown:
            step = PageStep;
            break;
    }
    position_ = std::clamp(position_ + step, FirstPosition, LastPosition);
    showRows();
}

void CCharacteristicDlg::onMouseDown(int x, int y) {
    if (x <= RowsLeft || x >= RowsRight || y <= RowsTop || y >= RowsBottom) return;
    // The click area reaches two pixels below the tenth row; no point is shown there.
    const int row = (y - RowsTop) / RowHeight;
    if (row >= VisibleRows) return;
    selected_ = position_ - 1 + row;
    showSelected();
    window().setText(SelectedNumber, std::to_string(selected_ + 1));
}

void CCharacteristicDlg::onTimer(int timer) {
    if (timer != ExchangeTimer) return;
    switch (station_.link.exchangeState) {
        case SendCount:
            sendCount();
            break;
        case Turn:
            turn();
            break;
        case CheckCount:
            checkCount();
            break;
        case SendPoint:
            sendPoint();
            break;
        case CheckPoint:
            checkPoint();
            break;
        case AskCount:
            askCount();
            break;
        case TakeCount:
            takeCountAnswer();
            break;
        case AskPoint:
            askPoint();
            break;
        case TakePoint:
            takePointAnswer();
            break;
        default:
            window().stopTimer(ExchangeTimer);
            break;
    }
}

void CCharacteristicDlg::onDestroy() { endExchange(station_, window()); }

void CCharacteristicDlg::showRows() {
    const int decimals =
        station_.device.modelName == "DOXA-21-U" || station_.device.modelName == "KE-22/U" ? 3 : 2;
    const int first = position_ - 1;
    for (int k = 0; k < VisibleRows; ++k) {
        const auto row = static_cast<std::size_t>(k);
        window().setText(XColumn[row], pointText(station_.characteristic.x(first + k), decimals));
        window().setText(YColumn[row], pointText(station_.characteristic.y(first + k), decimals));
        window().setText(RowNumbers[row], std::to_string(first + k + 1));
    }
}

void CCharacteristicDlg::showMembers() {
    window().setText(XEdit, editText(x_));
    window().setText(YEdit, editText(y_));
    window().setText(CountEdit, std::to_string(count_));
}

void CCharacteristicDlg::showSelected() {
    if (selected_ < 0) return;
    x_ = station_.characteristic.x(selected_);
    y_ = station_.characteristic.y(selected_);
    window().setText(XEdit, editText(x_));
    window().setText(YEdit, editText(y_));
}

void CCharacteristicDlg::takeValue(int edit) {
    const std::optional<float> typed = parseDecimalNumber(window().text(edit));
    if (!typed) return;  // not a number yet: the point keeps its value
    (edit == XEdit ? x_ : y_) = *typed;
    if (selected_ >= 0 && selected_ < Characteristic::MaxPoints) {
        if (edit == XEdit)
            station_.characteristic.x(selected_) = *typed;
        else
            station_.characteristic.y(selected_) = *typed;
    }
    showRows();
}

void CCharacteristicDlg::takeCount() {
    const std::optional<long long> typed = parseWholeNumber(window().text(CountEdit));
    if (!typed) return;
    if (*typed < 0 || *typed > Characteristic::MaxPoints) {
        count_ = 0;
        window().messageBox(TooManyPoints);
        showMembers();
        return;
    }
    count_ = static_cast<int>(*typed);
    if (count_ > WarnAbove) window().messageBox(OlderTransmitterLimit);
    if (count_ >= 1) station_.characteristic.characteristicCount = count_;
}

void CCharacteristicDlg::clearTable() {
    station_.characteristic.characteristicTable.fill(0);
    station_.characteristic.characteristicCount = 0;
    count_ = 0;
    x_ = 0;
    y_ = 0;
    showMembers();
    showRows();
}

void CCharacteristicDlg::start(int firstStep) {
    nextOffset_ = 0;
    window().setText(StepText, StartingText);
    station_.frame.fill(0xFF);
    if (!ensurePortOpen(station_)) {
        window().stopTimer(ExchangeTimer);
        window().setText(StepText, PortFailedText);
        return;
    }
    if (firstStep == SendCount) purge(station_);
    goToState(station_, window(), firstStep, StartWait);
}

int CCharacteristicDlg::pointCount() const {
    return std::clamp(station_.characteristic.characteristicCount, 0, Characteristic::MaxPoints);
}

void CCharacteristicDlg::send(const Request& request, int offset, int waitMs) {
    // The count with its value and a point with its values are writes; the rest are reads.
    const bool write = request.hartData.size() > (request.hartCommand == PointCommand ? 1u : 0u);
    const std::string errors = write ? sendHartWrite(station_, request) : sendHartRequest(station_, request);
    if (!errors.empty()) window().setText(ReplyText, errors);
    nextOffset_ = offset;
    goToState(station_, window(), Turn, waitMs);
}

void CCharacteristicDlg::turn() {
    turnToReceive(station_);
    goToState(station_, window(), Turn + nextOffset_, TurnWait);
}

Reply CCharacteristicDlg::read() {
    Reply reply = readReply(station_);
    if (!reply.lineErrors.empty()) window().setText(ReplyText, reply.lineErrors);
    return reply;
}

void CCharacteristicDlg::sendCount() {
    window().setText(StepText, UI_TEXT("Programuje ilosc danych"));
    const std::array<std::uint8_t, 1> data = {static_cast<std::uint8_t>(pointCount())};
    send(Request{.hartCommand = CountCommand, .hartData = data}, CheckCount - Turn, SendCountWait);
}

void CCharacteristicDlg::sendPoint() {
    window().setText(StepText,
                     formatText(UI_TEXT("Programuje dane %1"), {std::to_string(point_ + 1)}));
    const auto x = encodeFloat(station_.characteristic.x(point_), FloatLayout::Hart);
    const auto y = encodeFloat(station_.characteristic.y(point_), FloatLayout::Hart);
    const std::array<std::uint8_t, 9> data = {
        indexByte(point_), x[0], x[1], x[2], x[3], y[0], y[1], y[2], y[3]};
    send(Request{.hartCommand = PointCommand, .hartData = data}, CheckPoint - Turn, SendPointWait);
}

void CCharacteristicDlg::askCount() {
    window().setText(StepText, UI_TEXT("Odczytuje ilosc danych"));
    send(Request{.hartCommand = CountCommand}, TakeCount - Turn, AskCountWait);
}

void CCharacteristicDlg::askPoint() {
    window().setText(StepText,
                     formatText(UI_TEXT("Odczytuje dane %1"), {std::to_string(point_ + 1)}));
    const std::array<std::uint8_t, 1> data = {indexByte(point_)};
    send(Request{.hartCommand = PointCommand, .hartData = data}, TakePoint - Turn, AskPointWait);
}

void CCharacteristicDlg::checkCount() {
    const Reply reply = read();
    if (refused(reply)) return;
    if (judgeWrite(station_, reply).confirmed() && reply.length > hart::AnswerData &&
        station_.frame[hart::AnswerData] == pointCount()) {
        point_ = 0;
        goToState(station_, window(), SendPoint, NextStepWait);
        return;
    }
    window().setText(ReplyText, NoAnswerText);
    goToState(station_, window(), SendCount, NextStepWait);
}

void CCharacteristicDlg::checkPoint() {
    const Reply reply = read();
    if (refused(reply)) return;
    const int length = reply.length;
    if (!judgeWrite(station_, reply).confirmed() || !isPointAnswer(length)) {
        repeatPoint(SendPoint, length);
        return;
    }
    window().setText(ReplyText, "");
    if (point_ < pointCount() - 1) {
        ++point_;
        goToState(station_, window(), SendPoint, NextStepWait);
    } else {
        finish(UI_TEXT("Koniec zapisu"));
    }
}

void CCharacteristicDlg::takeCountAnswer() {
    if (read().length != CountAnswerLength) {
        window().setText(ReplyText, NoAnswerText);
        goToState(station_, window(), AskCount, NextStepWait);
        return;
    }
    // The table has room for 32 points; a transmitter claiming more gets its first 32 read.
    station_.characteristic.characteristicCount =
        std::min<int>(station_.frame[hart::AnswerData], Characteristic::MaxPoints);
    count_ = station_.characteristic.characteristicCount;
    window().setText(CountEdit, std::to_string(count_));
    if (count_ == 0) {
        finish(UI_TEXT("Koniec odczytu"));
        return;
    }
    point_ = 0;
    goToState(station_, window(), AskPoint, NextStepWait);
}

void CCharacteristicDlg::takePointAnswer() {
    const auto& f = station_.frame;
    const int length = read().length;
    if (!isPointAnswer(length)) {
        repeatPoint(AskPoint, length);
        return;
    }
    window().setText(ReplyText, "");
    station_.characteristic.x(point_) =
        static_cast<float>(decodeFloat(&f[13], FloatLayout::Hart).value);
    station_.characteristic.y(point_) =
        static_cast<float>(decodeFloat(&f[17], FloatLayout::Hart).value);
    showRows();
    if (point_ == selected_) showSelected();
    if (point_ < pointCount() - 1) {
        ++point_;
        goToState(station_, window(), AskPoint, NextStepWait);
    } else {
        finish(UI_TEXT("Koniec odczytu"));
    }
}

// The point step is repeated until it is answered; the technician is told why, since it may
// never end: a transmitter that answers for another point keeps doing so.
void CCharacteristicDlg::repeatPoint(int step, int answerLength) {
    const auto& f = station_.frame;
    const bool otherPoint = answerLength == PointAnswerLength;
    window().setText(
        ReplyText,
        otherPoint
            ? formatText(UI_TEXT("Przetwornik odpowiedział dla punktu %1 zamiast %2 - powtarzam"),
                         {std::to_string(f[hart::AnswerData] / 4 + 1), std::to_string(point_ + 1)})
            : std::string(NoAnswerText));
    goToState(station_, window(), step, NextStepWait);
}

// A late answer to the request for the point before is a well-formed answer to the same
// command: only the point it echoes tells it from the answer for this point.
bool CCharacteristicDlg::isPointAnswer(int length) const {
    return length == PointAnswerLength && station_.frame[hart::AnswerData] == indexByte(point_);
}

// A refused write ends the transfer with the transmitter's reason: sent again it would be
// refused again.
bool CCharacteristicDlg::refused(const Reply& reply) {
    const WriteJudgement judgement = judgeWrite(station_, reply);
    if (judgement.verdict != WriteVerdict::Refused) return false;
    window().setText(ReplyText, judgement.refusalText());
    finish(UI_TEXT("Koniec zapisu"));
    return true;
}

void CCharacteristicDlg::finish(const char* text) {
    window().stopTimer(ExchangeTimer);
    window().setText(StepText, text);
}

}  // namespace doxa
