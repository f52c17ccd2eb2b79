#include "programming/prog_dlg_base.h"

#include "link/screen_text.h"
#include "link/port.h"
#include "programming/characteristic_dlg.h"
#include "programming/prog_identify.h"
#include "transmitter/exchange.h"
#include "transmitter/station.h"

namespace doxa {

namespace {
// The pause before the identification's first request when it starts again after the table.
constexpr int IdentifyRestartWait = 100;
constexpr std::string_view PortOpenFailedText = UI_TEXT("Błąd w otwarciu portu");
}  // namespace

CProgDlgBase::CProgDlgBase(Station& station, SequenceScope scope, std::string_view notFoundText,
                           std::function<void()> inputsChanged)
    : station_(station),
      sequence_(station, inputs_, scope, std::move(inputsChanged)),
      notFoundText_(notFoundText) {}

bool CProgDlgBase::rs485() const { return station_.link.transmissionMode == ModeRs485; }

void CProgDlgBase::openPortAndIdentify(int firstRequestWait) {
    station_.link.exchangeState = 0;
    if (!ensurePortOpen(station_)) {
        window().setText(ProgrammingSequence::StepText, PortOpenFailedText);
        return;
    }
    if (!rs485()) window().startTimer(IdentifyTimer, firstRequestWait);
    purge(station_);
}

void CProgDlgBase::onTimer(int timer) {
    if (timer == ExchangeTimer) {
        sequence_.step(window());
        return;
    }
    if (timer != IdentifyTimer) return;
    switch (identifyStep(station_, window(), attempts_, ProgrammingSequence::ReplyText)) {
        case IdentifyOutcome::Answered:
            identified();
            break;
        case IdentifyOutcome::GaveUp:
            window().messageBox(notFoundText_);
            window().end(ResultCancel);
            break;
        case IdentifyOutcome::Waiting:
            break;
    }
}

void CProgDlgBase::onDestroy() {
    window().stopTimer(IdentifyTimer);
    endExchange(station_, window());
}

void CProgDlgBase::openCharacteristicTable() {
    if (sequence_.running()) return;
    window().stopTimer(IdentifyTimer);
    CCharacteristicDlg table(station_);
    window().runChild(table);
    if (attempts_ == Ready) return;
    attempts_ = 0;
    station_.link.exchangeState = 0;
    window().startTimer(IdentifyTimer, IdentifyRestartWait);
}

}  // namespace doxa
