#pragma once

#include "dialog/dialog.h"

namespace doxa {

class SettingsStore;

// "Przyrząd wzorcowy...": the tolerances the calibration certificate judges against (the
// instruments themselves are kept in the register, "Przyrządy wzorcowe..."). A tolerance is left
// empty to judge nothing, or is a number; OK refuses anything else.
class CReferenceInstrumentDlg : public DialogLogic {
public:
    static constexpr int Resource = 144;
    enum : int {
        Ok = 1,
        Cancel = 2,
        TemperatureTolerance = 104,
        OutputTolerance = 105,
        InputTolerance = 106,
    };

    explicit CReferenceInstrumentDlg(SettingsStore& settings) : settings_(settings) {}

    int layout() const override { return Resource; }
    void onInit() override;
    void onCommand(int id) override;

private:
    bool save();

    SettingsStore& settings_;
};

}  // namespace doxa
