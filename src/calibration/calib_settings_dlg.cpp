#include "calibration/calib_settings_dlg.h"

#include <array>
#include <utility>

#include "link/screen_text.h"
#include "transmitter/station.h"

namespace doxa {

namespace {
constexpr std::string_view Warning =
    UI_TEXT("UWAGA! Błędna kalibracja przetwornika spowoduje jego niepoprawne funkcjonowanie. "
            "Czy kontynuować?");
}  // namespace

void CCalibrationSettingsDlg::onInit() {
    if (window().messageBox(Warning, BoxIcon::Error, BoxButtons::OkCancel) == Answer::Cancel) {
        window().end(ResultCancel);
        return;
    }
    input_ = output_ = compensation_ = 0;
    station_.calibrationOptions = 0;
    for (int id : {Input, Output, Compensation}) window().setChecked(id, false);
}

void CCalibrationSettingsDlg::onCommand(int id) {
    switch (id) {
        case Input: toggle(Input, input_); break;
        case Output: toggle(Output, output_); break;
        case Compensation: toggleCompensation(); break;
        case All:
            toggleCompensation();
            toggle(Output, output_);
            toggle(Input, input_);
            break;
        default: DialogLogic::onCommand(id);
    }
}

void CCalibrationSettingsDlg::onDestroy() {
    constexpr std::array<std::pair<int, int>, 5> Bits{{{Input, InputBit},
                                                       {Output, OutputBit},
                                                       {TrimSet, TrimSetBit},
                                                       {TrimCancel, TrimCancelBit},
                                                       {Compensation, CompensationBit}}};
    int options = 0;
    for (const auto& [id, bit] : Bits)
        if (window().isChecked(id)) options += bit;
    station_.calibrationOptions = options;
    station_.reverseOrder = window().isChecked(Reverse) ? 1 : 0;
}

void CCalibrationSettingsDlg::toggle(int id, int& state) {
    state = state ? 0 : 1;
    window().setChecked(id, state != 0);
}

void CCalibrationSettingsDlg::toggleCompensation() {
    const DeviceRecord& device = station_.device;
    if (device.sensorType > 2 || device.modelName == "DOXA-22" || device.modelName == "KE-22")
        toggle(Compensation, compensation_);
    else
        window().setChecked(Compensation, false);
}

}  // namespace doxa
