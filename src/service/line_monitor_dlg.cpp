#include "service/line_monitor_dlg.h"

#include "link/screen_text.h"
#include "link/cp1250.h"
#include "link/port.h"
#include "link/value_codec.h"
#include "service/byte_values.h"
#include "transmitter/code_tables.h"
#include "transmitter/exchange.h"
#include "transmitter/station.h"

namespace doxa {

namespace {

constexpr int FirstTickMs = 500;
constexpr int ListenMs = 200;
constexpr int StepMs = 100;
constexpr int RestartMs = 10;
constexpr int WakeBytes = 6;
constexpr std::string_view StopText = UI_TEXT("Stop");
constexpr std::string_view StartText = UI_TEXT("Start");
// About the last 4,000 bytes, as many as the traffic log holds; older ones scroll away as on a
// terminal, so that a flood neither fills the memory nor slows every refresh.
constexpr std::size_t ShownChars = 20'480;

// Cuts the oldest part beyond ShownChars, just after a comma, so that the first entry is whole.
void keepNewest(std::string& shown) {
    if (shown.size() <= ShownChars) return;
    const std::size_t comma = shown.find(',', shown.size() - ShownChars - 1);
    shown.erase(0, comma == std::string::npos ? shown.size() - ShownChars : comma + 1);
}

}  // namespace

void CLineMonitorDlg::onInit() {
    DialogWindow& w = window();
    w.setText(LineState, UI_TEXT("Inicjalizacja portu "));
    w.setText(Bytes, "");
    if (ensurePortOpen(station_))
        purge(station_);
    else
        w.setText(Bytes, PortFailedText);
    station_.frame.fill(0xFF);
    setReceive(station_);
    run(ListenState, FirstTickMs);
}

void CLineMonitorDlg::onCommand(int id) {
    if (id != StopStart) {
        DialogLogic::onCommand(id);
        return;
    }
    if (running_) {
        window().stopTimer(ExchangeTimer);
        window().setText(StopStart, StartText);
        running_ = false;
    } else {
        run(ListenState, RestartMs);
    }
}

void CLineMonitorDlg::onChange(int id) {
    if (id != Bytes || running_) return;
    const std::string typed = utf8ToCp1250(window().text(Bytes));
    if (typed.empty()) return;
    station_.frame.fill(0xFF);
    station_.frame[WakeBytes] = static_cast<std::uint8_t>(typed.back());
    setTransmit(station_);
    run(WriteState, RestartMs);
}

void CLineMonitorDlg::onTimer(int timer) {
    if (timer != ExchangeTimer) return;
    switch (station_.link.exchangeState) {
        case WriteState:
            writeLogged(station_, WakeBytes + 1);
            showLineErrors();
            goToState(station_, window(), TurnState, StepMs);
            break;
        case TurnState:
            setReceive(station_);
            goToState(station_, window(), ListenState, StepMs);
            break;
        default:
            listen();
            break;
    }
}

void CLineMonitorDlg::onDestroy() { endExchange(station_, window()); }

void CLineMonitorDlg::run(int state, int ms) {
    running_ = true;
    window().setText(StopStart, StopText);
    goToState(station_, window(), state, ms);
}

void CLineMonitorDlg::listen() {
    showLineErrors();
    const int received = readLogged(station_, ReadMax);
    if (received > 0) {
        std::string shown = window().text(Bytes);
        for (int i = 0; i < received; ++i) shown += formatByte("%#2.2x", station_.frame[i]) + ',';
        keepNewest(shown);
        window().setText(Bytes, shown);
    }
    window().setText(LineState,
                     formatText(UI_TEXT("Ilość RX: %1"), {formatGeneral(received, 4)}));
    goToState(station_, window(), ListenState, ListenMs);
}

void CLineMonitorDlg::showLineErrors() {
    if (clearErrors(station_) && station_.link.commErrors != 0)
        window().setText(LineState, errorText(station_.link.commErrors));
}

}  // namespace doxa
