#pragma once

#include <array>

#include "dialog/dialog.h"
#include "transmitter/exchange.h"

namespace doxa {

class Station;

// "y=f(x)": shows and edits the user characteristic table, ten points at a time, writes it
// into the transmitter and reads it back. Every request is repeated until it is answered.
class CCharacteristicDlg : public DialogLogic {
public:
    static constexpr int Resource = 124;
    enum : int {
        Close = 2,
        XEdit = 101,
        YEdit = 102,
        CountEdit = 103,
        ScrollBar = 123,
        Send = 132,
        Read = 133,
        Clear = 134,
        StepText = 142,
        ReplyText = 143,
        SelectedNumber = 206,
    };
    static constexpr int VisibleRows = 10;
    static constexpr std::array<int, VisibleRows> XColumn = {150, 151, 152, 153, 154,
                                                             155, 156, 157, 158, 169};
    static constexpr std::array<int, VisibleRows> YColumn = {170, 171, 172, 173, 174,
                                                             175, 198, 199, 200, 201};
    static constexpr std::array<int, VisibleRows> RowNumbers = {176, 177, 178, 179, 180,
                                                                181, 202, 203, 204, 205};
    // Where the rows lie in the dialog, in its client coordinates: a click strictly inside
    // selects the row under it.
    static constexpr int RowsLeft = 32;
    static constexpr int RowsRight = 240;
    static constexpr int RowsTop = 21;
    static constexpr int RowsBottom = 153;
    static constexpr int RowHeight = 13;
    // The scroll position is the first visible point's number.
    static constexpr int FirstPosition = 1;
    static constexpr int LastPosition = 23;

    // Exchange steps; each request is sent, the line turned round (Turn), the answer checked.
    enum : int {
        SendCount = 0,
        Turn = 1,
        CheckCount = 2,
        SendPoint = 3,
        CheckPoint = 4,
        AskCount = 5,
        TakeCount = 6,
        AskPoint = 7,
        TakePoint = 8,
    };

    explicit CCharacteristicDlg(Station& station) : station_(station) {}

    int layout() const override { return Resource; }
    void onInit() override;
    void onCommand(int id) override;
    void onChange(int id) override;
    void onScroll(int id, Scroll code) override;
    void onMouseDown(int x, int y) override;
    void onTimer(int timer) override;
    void onDestroy() override;

private:
    void showRows();
    void showMembers();
    void showSelected();
    void takeValue(int edit);
    void takeCount();
    void clearTable();
    void start(int firstStep);

    // The count the exchange works with: the table never holds more than 32 points.
    int pointCount() const;
    void send(const Request& request, int offset, int waitMs);
    void turn();
    Reply read();
    void sendCount();
    void sendPoint();
    void askCount();
    void askPoint();
    void checkCount();
    void checkPoint();
    void takeCountAnswer();
    void takePointAnswer();
    bool isPointAnswer(int length) const;
    void repeatPoint(int step, int answerLength);
    void finish(const char* text);
    bool refused(const Reply& reply);

    Station& station_;
    int position_ = FirstPosition;
    int selected_ = -1;  // point index, -1 for none
    int point_ = 0;      // point index of the running exchange
    int nextOffset_ = 0;
    float x_ = 0;
    float y_ = 0;
    int count_ = 0;
};

}  // namespace doxa
