#include "programming/prog_table.h"

#include "dialog/dialog.h"
#include "programming/characteristic_dlg.h"
#include "programming/prog_identify.h"
#include "programming/prog_sequence.h"
#include "transmitter/exchange.h"
#include "transmitter/station.h"

namespace doxa {

namespace {
// The pause before the identification's first request, as when the dialog opens.
constexpr int RestartWait = 100;
}  // namespace

void openCharacteristicTable(Station& station, DialogWindow& window,
                             const ProgrammingSequence& sequence, int& identifyAttempts) {
    if (sequence.running()) return;
    window.stopTimer(IdentifyTimer);
    CCharacteristicDlg table(station);
    window.runChild(table);
    if (identifyAttempts == Ready) return;
    identifyAttempts = 0;
    station.link.exchangeState = 0;
    window.startTimer(IdentifyTimer, RestartWait);
}

}  // namespace doxa
