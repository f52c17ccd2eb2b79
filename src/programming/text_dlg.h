#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "dialog/dialog.h"

namespace doxa {

class Station;

// The free text of a HART text answer of `length` bytes in `frame`, in code page 1250: the data
// bytes its byte count announces, as far as they arrived and lie in the frame, up to the first
// zero byte.
std::string answerText(std::span<const std::uint8_t> frame, int length);
// Sends the request that reads the free text (HART whatever the transmission mode).
void sendTextRead(Station& station);
// An answer shorter than this counts as none.
inline constexpr int ShortestTextAnswer = 5;

// "Wyślij tekst": reads the transmitter's free text when it opens and writes a new one. Both
// requests are repeated until the transmitter answers them; a repeated write says why.
class CTextDlg : public DialogLogic {
public:
    static constexpr int Resource = 123;
    enum : int { Close = 2, Text = 101, Progress = 131, Send = 132 };
    enum : int { SendRead = 0, TurnRead, TakeText, SendWrite, TurnWrite, CheckWrite };
    static constexpr int MaxLength = 24;

    explicit CTextDlg(Station& station) : station_(station) {}

    int layout() const override { return Resource; }
    void onInit() override;
    void onCommand(int id) override;
    void onTimer(int timer) override;
    void onDestroy() override;

private:
    void startWriting();
    void sendRead();
    void sendWrite();
    void turn();
    void takeText();
    void checkWrite();
    void repeatWrite(int answerLength);
    void showAnswerText(int length);

    Station& station_;
    std::string text_;  // code page 1250, as on the wire
};

}  // namespace doxa
