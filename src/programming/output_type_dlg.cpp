#include "programming/output_type_dlg.h"

#include <array>

#include "transmitter/station.h"

namespace doxa {

namespace {

constexpr std::array<int, 4> Radios = {COutputTypeDlg::Current0To20, COutputTypeDlg::Current4To20,
                                       COutputTypeDlg::Current0To5, COutputTypeDlg::Voltage0To10};

}  // namespace

bool COutputTypeDlg::canCreate() const { return station_.device.isRivo == 1; }

void COutputTypeDlg::onInit() {
    for (std::size_t i = 0; i < Radios.size(); ++i)
        window().setChecked(Radios[i], static_cast<int>(i) == outputType);
}

void COutputTypeDlg::onCommand(int id) {
    if (id == Ok) {
        for (std::size_t i = 0; i < Radios.size(); ++i)
            if (window().isChecked(Radios[i])) outputType = static_cast<int>(i);
    }
    DialogLogic::onCommand(id);
}

}  // namespace doxa
