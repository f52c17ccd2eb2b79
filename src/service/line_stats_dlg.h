#pragma once

#include <cstdint>

#include "dialog/dialog.h"

namespace doxa {

class Station;

// "Statystyka łącza": what passed over the line since the program started or since "Zeruj",
// shown while the dialog is open and refreshed as it changes. The counts come from the
// exchange steps every dialog uses; this dialog itself sends nothing.
class CLineStatsDlg : public DialogLogic {
public:
    static constexpr int Resource = 141;
    enum : int {
        Close = 2,
        Requests = 101,
        ValidAnswers = 102,
        Rejected = 103,
        RejectedChecksum = 104,
        RejectedAddress = 105,
        RejectedCommand = 106,
        RejectedLength = 107,
        RejectedDelimiter = 108,
        RejectedException = 109,
        NoAnswers = 110,
        Retries = 111,
        MeanAnswerTime = 112,
        LineErrors = 113,
        Since = 114,
        Clear = 130,
    };
    enum : int { RefreshTimer = 1 };
    static constexpr int RefreshMs = 500;

    explicit CLineStatsDlg(Station& station) : station_(station) {}

    int layout() const override { return Resource; }
    void onInit() override;
    void onCommand(int id) override;
    void onTimer(int timer) override;
    void onDestroy() override;

private:
    void show();

    Station& station_;
};

}  // namespace doxa
