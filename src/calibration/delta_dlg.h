#pragma once

#include "dialog/dialog.h"

namespace doxa {

// "DELTA": edits the DELTA value that programming sends with the filter settings. OK takes the
// value only when it lies in 0...200; otherwise the dialog says so and stays open.
class CDeltaDlg : public DialogLogic {
public:
    static constexpr int Resource = 127;
    enum : int { Ok = 1, Cancel = 2, Value = 101 };
    static constexpr int Lowest = 0;
    static constexpr int Highest = 200;

    explicit CDeltaDlg(int deltaValue) : deltaEdit(deltaValue) {}

    int deltaEdit;

    int layout() const override { return Resource; }
    void onInit() override;
    void onCommand(int id) override;
};

}  // namespace doxa
