#include "service/register_read_dlg.h"

#include <algorithm>

#include "link/modbus.h"
#include "link/value_codec.h"
#include "service/byte_values.h"
#include "transmitter/station.h"

namespace doxa {

void CRegisterReadDlg::onCommand(int id) {
    switch (id) {
        case Run:
            sendRead();
            break;
        case FloatToInt:
            showFloat();
            break;
        default:
            DialogLogic::onCommand(id);
    }
}

void CRegisterReadDlg::sendRead() {
    const std::optional<int> start = registerField(StartAddress);
    if (!start) return;
    const std::optional<int> end = registerField(EndAddress);
    if (!end || !validRange(*start, *end)) return;
    const int length = buildReadRequest(station_.frame, station_.device.pollingAddress, *start,
                                        *end - *start + 1);
    startExchange(length);
}

void CRegisterReadDlg::showAnswer(int length) {
    answer_.fill(0);
    std::copy_n(station_.frame.begin(), std::clamp(length, 0, static_cast<int>(answer_.size())), answer_.begin());
    std::string listing;
    // The low byte of every register up to the CRC.
    for (int i = 4; i < length - 2; i += 2) listing += formatByte("%#2.2x", station_.frame[i]) + ',';
    appendResult(withAnswerMarks(listing, length));
}

void CRegisterReadDlg::showFloat() {
    const DecodedFloat value = decodeFloat(answer_[4], answer_[6], answer_[8], answer_[10], FloatLayout::Modbus);
    result_ = window().text(ResultText);
    appendResult("   = " + value.text);
}

}  // namespace doxa
