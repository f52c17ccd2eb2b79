#pragma once

#include "dialog/dialog.h"

namespace doxa {

class Station;

// "RIVO_wyjście": chooses the output type of a RIVO transmitter; it is sent later with the
// sensor byte. The caller fills outputType and takes it back however the dialog ended.
class COutputTypeDlg : public DialogLogic {
public:
    static constexpr int Resource = 133;
    enum : int {
        Ok = 1,
        Close = 2,
        Current0To20 = 110,
        Current4To20 = 111,
        Current0To5 = 112,
        Voltage0To10 = 113,
    };
    explicit COutputTypeDlg(const Station& station) : station_(station) {}

    int outputType = -1;  // 0..3; -1 for none

    int layout() const override { return Resource; }
    // Only the RIVO family has a selectable output.
    bool canCreate() const override;
    void onInit() override;
    void onCommand(int id) override;

private:
    const Station& station_;
};

}  // namespace doxa
