#include "service/memory_dump_dlg.h"

#include "link/screen_text.h"
#include "link/hart.h"
#include "link/port.h"
#include "link/value_codec.h"
#include "service/byte_values.h"
#include "transmitter/code_tables.h"
#include "transmitter/exchange.h"
#include "transmitter/station.h"

namespace doxa {

namespace {

constexpr int FirstTickMs = 500;
// A whole page at 1200 baud takes more than two seconds to arrive.
constexpr int PageWaitMs = 2800;
constexpr int CloseTickMs = 100;
constexpr int ReadMaxBytes = 290;
constexpr int PageLength = 256;

}  // namespace

void CMemoryDumpDlg::onInit() {
    DialogWindow& w = window();
    if (letter_ == 'E' || letter_ == 'F') w.setTitle(UI_TEXT("Odczyt EEPROM"));
    w.setText(LineState, " ");
    progress_ = UI_TEXT("Inicjalizacja portu ");
    station_.link.exchangeState = WriteState;
    auto& buffer = station_.dumpBuffer;
    buffer.fill(0xFF);
    // The HART modem needs preambles to wake up; on RS485 the letter travels alone.
    const int preambles = station_.link.transmissionMode == ModeRs485 ? 0 : hart::PreambleCount;
    buffer[static_cast<std::size_t>(preambles)] = static_cast<std::uint8_t>(letter_);
    requestLength_ = preambles + 1;
    if (ensurePortOpen(station_)) {
        setTransmit(station_);
        purge(station_);
    } else {
        progress_ = PortFailedText;
    }
    w.setText(Progress, progress_);
    w.startTimer(ExchangeTimer, FirstTickMs);
}

void CMemoryDumpDlg::onTimer(int timer) {
    if (timer != ExchangeTimer) return;
    switch (station_.link.exchangeState) {
        case WriteState:
            write();
            break;
        case TurnState:
            turn();
            break;
        case ReadState:
            read();
            break;
        default:
            window().stopTimer(ExchangeTimer);
            window().end(ResultOk);
            break;
    }
}

void CMemoryDumpDlg::onDestroy() { endExchange(station_, window()); }

void CMemoryDumpDlg::write() {
    writeRaw(station_, station_.dumpBuffer.data(), requestLength_);
    showLineErrors();
    goToState(station_, window(), TurnState, station_.link.replyWait);
}

void CMemoryDumpDlg::turn() {
    station_.dumpBuffer.fill(0xFF);
    appendLine(UI_TEXT("Koniec wysyłania"));
    setReceive(station_);
    goToState(station_, window(), ReadState, PageWaitMs);
}

void CMemoryDumpDlg::read() {
    showLineErrors();
    const int received = readRaw(station_, station_.dumpBuffer.data(), ReadMaxBytes);
    // A page that lost its last byte (address 0) is still shown; anything else is not a page.
    if (received != PageLength && received != PageLength - 1) station_.dumpSelection = DumpSelection::None;
    appendLine(formatText(UI_TEXT("Ilość RX: %1"), {formatGeneral(received, 4)}));
    goToState(station_, window(), CloseState, CloseTickMs);
}

void CMemoryDumpDlg::showLineErrors() {
    if (clearErrors(station_) && station_.link.commErrors != 0)
        window().setText(LineState, errorText(station_.link.commErrors));
}

void CMemoryDumpDlg::appendLine(std::string_view text) {
    progress_ += std::string(LineBreak) + std::string(text);
    window().setText(Progress, progress_);
}

}  // namespace doxa
