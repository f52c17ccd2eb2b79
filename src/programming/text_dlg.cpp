#include "programming/text_dlg.h"

#include <algorithm>
#include <cstdint>
#include <span>
#include <string>
#include <utility>

#include "link/screen_text.h"
#include "link/cp1250.h"
#include "link/hart.h"
#include "link/port.h"
#include "transmitter/code_tables.h"
#include "transmitter/exchange.h"
#include "transmitter/station.h"
#include "transmitter/write_table.h"

namespace doxa {

namespace {

constexpr std::uint8_t ReadTextCommand = 217;
constexpr std::uint8_t WriteTextCommand = 212;
constexpr int WriteStartWait = 100;
// The byte count covers the two status bytes before the data.
constexpr int StatusBytes = 2;

}  // namespace

// The byte count is the transmitter's word; only bytes that really arrived are taken, and never
// one beyond the frame buffer.
std::string answerText(std::span<const std::uint8_t> frame, int length) {
    const int size = static_cast<int>(frame.size());
    if (size <= hart::AnswerCount) return {};
    const int claimed = std::max(frame[hart::AnswerCount] - StatusBytes, 0);
    const int end = std::min({hart::AnswerData + claimed, length, size});
    std::string text;
    for (int at = hart::AnswerData; at < end; ++at) {
        // A text padded with zero bytes ends at the first of them.
        if (frame[static_cast<std::size_t>(at)] == 0) break;
        text.push_back(static_cast<char>(frame[static_cast<std::size_t>(at)]));
    }
    return text;
}

void sendTextRead(Station& station) { sendHartRequest(station, Request{.hartCommand = ReadTextCommand}); }

void CTextDlg::onInit() {
    text_.clear();
    window().setText(Text, "");
    station_.link.exchangeState = SendRead;
    station_.frame.fill(0xFF);
    if (!ensurePortOpen(station_)) {
        window().end(ResultCancel);
        return;
    }
    purge(station_);
    window().startTimer(ExchangeTimer, AnswerWait);
}

void CTextDlg::onCommand(int id) {
    if (id == Send)
        startWriting();
    else
        DialogLogic::onCommand(id);
}

void CTextDlg::onTimer(int timer) {
    if (timer != ExchangeTimer) return;
    switch (station_.link.exchangeState) {
        case SendRead:
            sendRead();
            break;
        case SendWrite:
            sendWrite();
            break;
        case TurnRead:
        case TurnWrite:
            turn();
            break;
        case TakeText:
            takeText();
            break;
        case CheckWrite:
            checkWrite();
            break;
        default:
            window().stopTimer(ExchangeTimer);
            break;
    }
}

void CTextDlg::onDestroy() { endExchange(station_, window()); }

void CTextDlg::startWriting() {
    // A refused text must not replace the one a write already on its way is to send.
    std::string typed = utf8ToCp1250(window().text(Text));
    if (typed.empty() || typed.size() > MaxLength) {
        window().setText(Progress, UI_TEXT("Za duzo znaków !"));
        return;
    }
    text_ = std::move(typed);
    station_.frame.fill(0xFF);
    window().setText(Progress, UI_TEXT("Trwa zapisywanie"));
    goToState(station_, window(), SendWrite, WriteStartWait);
}

void CTextDlg::sendRead() {
    window().setText(Progress, UI_TEXT("Odczyt tekstu z przetwornika"));
    sendTextRead(station_);
    goToState(station_, window(), TurnRead, station_.link.replyWait);
}

void CTextDlg::sendWrite() {
    const std::span<const std::uint8_t> data(reinterpret_cast<const std::uint8_t*>(text_.data()),
                                             text_.size());
    sendHartWrite(station_, Request{.hartCommand = WriteTextCommand, .hartData = data});
    goToState(station_, window(), TurnWrite, station_.link.replyWait);
}

void CTextDlg::turn() {
    turnToReceive(station_);
    goToState(station_, window(), station_.link.exchangeState + 1, AnswerWait);
}

void CTextDlg::takeText() {
    const int length = readReply(station_).length;
    // A shorter answer counts as none, and the text is asked for again.
    if (length < ShortestTextAnswer) {
        goToState(station_, window(), SendRead, AnswerWait);
        return;
    }
    showAnswerText(length);
    window().setText(Progress, "");
    station_.link.exchangeState = SendWrite;
    window().stopTimer(ExchangeTimer);
}

void CTextDlg::checkWrite() {
    const Reply reply = readReply(station_);
    const WriteJudgement judgement = judgeWrite(station_, reply);
    if (judgement.verdict == WriteVerdict::Refused) {
        // Sent again it would be refused again.
        window().setText(Progress, judgement.refusalText());
        station_.link.exchangeState = SendWrite;
        window().stopTimer(ExchangeTimer);
        return;
    }
    const int length = reply.length;
    if (!judgement.confirmed() || length != static_cast<int>(text_.size()) + hart::AnswerOverhead) {
        repeatWrite(length);
        return;
    }
    showAnswerText(length);
    window().setText(Progress, UI_TEXT("Tekst został zapisany"));
    station_.link.exchangeState = SendRead;
    window().stopTimer(ExchangeTimer);
}

// The write is repeated until the transmitter echoes the whole text; the technician is told why,
// since it may never end.
void CTextDlg::repeatWrite(int answerLength) {
    window().setText(Progress,
                     answerLength == 0
                         ? formatText(UI_TEXT("%1 - powtarzam"), {NoAnswerText})
                         : std::string(UI_TEXT("Przetwornik nie potwierdził tekstu - powtarzam")));
    goToState(station_, window(), SendWrite, AnswerWait);
}

void CTextDlg::showAnswerText(int length) {
    text_ = answerText(station_.frame, length);
    window().setText(Text, cp1250ToUtf8(text_));
}

}  // namespace doxa
