#pragma once

#include <string>

#include "dialog/dialog.h"
#include "transmitter/exchange.h"
#include "transmitter/write_table.h"
#include "transmitter/service_record.h"

namespace doxa {

class Station;

// "Prąd wyjściowy": reads the transmitter's output, forces it to a typed value ("Ustaw") or
// releases it ("Zeruj"). Closing the dialog leaves the output as it is: a technician may need
// the fixed current while checking the loop, and the main window reminds of it meanwhile.
class COutputCurrentDlg : public DialogLogic {
public:
    static constexpr int Resource = 109;
    enum : int {
        Close = 1,
        Value = 101,
        Spin = 123,
        Status = 131,
        Set = 132,
        Release = 133,
        Unit = 151,
        Label = 152,
    };
    enum : int {
        SendRead = 0,
        ListenRead = 1,
        ReadOutput = 2,
        SendSet = 3,
        ListenSet = 4,
        ReadSet = 5,
        SendRelease = 6,
        ListenRelease = 7,
        ReadRelease = 8,
        ModbusModeFirst = 9,
        ListenModeFirst = 10,
        AwaitSent = 11,
        ReadModeFirst = 12,
        ListenModeLast = 13,
        ReadModeLast = 14,
        SendModeLast = 15,
        Done = 100,
    };

    explicit COutputCurrentDlg(Station& station) : station_(station) {}

    // Releases the output as soon as the dialog opens and closes it with OK once the
    // transmitter confirmed: the program's last act before it ends.
    void releaseOnOpen() { releaseOnOpen_ = true; }

    int layout() const override { return Resource; }
    void onInit() override;
    void onCommand(int id) override;
    void onScroll(int id, Scroll code) override;
    void onTimer(int timer) override;
    void onDestroy() override;

private:
    bool rs485() const;
    void next(int state, int ms);
    int read();
    void showErrors(const std::string& lineErrors);
    void showValue();
    void takeValue();
    void setOutput();
    void readOutput();
    void sendSet();
    void awaitSent();
    void judgeSet();
    // The forced value in the service history; left forced only when confirmed.
    void recordForcedOutput(const WriteJudgement& judgement) const;
    void judgeModeWrite(bool last);
    WriteAnswer judged();
    void sendModeLast();
    void stopWithText(const std::string& text);
    void judgeRelease();

    Station& station_;
    bool releaseOnOpen_ = false;
    int noAnswerCount_ = 0;
    // Sends of the write in progress.
    int sends_ = 0;
    Reply lastReply_;
    float outputValue_ = 0;
    int drainBudgetMs_ = 0;
    int drainWaitedMs_ = 0;
};

}  // namespace doxa
