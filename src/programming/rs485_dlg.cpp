#include "programming/rs485_dlg.h"

#include <array>
#include <cstdint>

#include "dialog/radio_group.h"
#include "link/screen_text.h"
#include "link/modbus.h"
#include "link/port.h"
#include "transmitter/exchange.h"
#include "transmitter/station.h"
#include "transmitter/write_table.h"

namespace doxa {

namespace {

constexpr std::array<int, 5> BaudRadios = {CRs485Dlg::Baud1200, CRs485Dlg::Baud4800,
                                           CRs485Dlg::Baud9600, CRs485Dlg::Baud19200,
                                           CRs485Dlg::Baud38400};
constexpr std::array<int, 2> ParityRadios = {CRs485Dlg::ParityOdd, CRs485Dlg::ParityNone};

constexpr int LineSettingsRegister = 0x007E;
constexpr std::uint8_t OddParityFlag = 0x80;
constexpr int ExtraWaitMs = 100;

enum ProgramState : int { TurnState = 0, ReadState = 1 };

// The transmitter is programmed over RS485 whatever the menu mode says, so the driver is keyed
// with the RS485 polarity (transmit = RTS dropped) rather than through setTransmit().
void setRs485Transmit(Station& station) {
    if (station.link.portOpen && station.link.portHandle) station.link.portHandle->setRts(false);
}

}  // namespace

void CRs485Dlg::onInit() {
    window().setText(ProgramResult, " ");
    station_.link.exchangeState = TurnState;
    station_.frame.fill(0xFF);
    if (ensurePortOpen(station_))
        purge(station_);
    else
        window().setText(Program, UI_TEXT("Bład w otwarciu portu"));
    showMembers();
}

void CRs485Dlg::onCommand(int id) {
    switch (id) {
        case Program:
            sendProgramRequest();
            break;
        case Set:
            takeControls();
            window().end(ResultOk);
            break;
        default:
            DialogLogic::onCommand(id);
    }
}

void CRs485Dlg::onTimer(int timer) {
    if (timer != ExchangeTimer) return;
    if (station_.link.exchangeState == TurnState)
        awaitAnswer();
    else
        judgeAnswer();
}

void CRs485Dlg::onDestroy() { endExchange(station_, window()); }

void CRs485Dlg::showMembers() {
    checkRadio(window(), BaudRadios, baudIndex);
    checkRadio(window(), ParityRadios, parityOff);
}

void CRs485Dlg::takeControls() {
    baudIndex = checkedRadio(window(), BaudRadios, baudIndex);
    parityOff = checkedRadio(window(), ParityRadios, parityOff);
}

void CRs485Dlg::sendProgramRequest() {
    takeControls();
    // Without a speed and a parity there is nothing meaningful to program.
    if (baudIndex < 0 || baudIndex >= static_cast<int>(BaudRadios.size()) || parityOff < 0 ||
        parityOff > 1)
        return;
    const std::uint8_t value =
        static_cast<std::uint8_t>(baudIndex) | (parityOff == 0 ? OddParityFlag : 0);
    const std::array<std::uint8_t, 1> registers = {value};
    const int length = buildWriteRegisters(station_.frame, station_.device.pollingAddress,
                                           modbus::WriteAndStore, LineSettingsRegister, registers);
    expectAnswer(station_, length);
    setRs485Transmit(station_);
    writeLogged(station_, length);
    clearErrors(station_);
    goToState(station_, window(), TurnState, station_.link.replyWait + ExtraWaitMs);
}

void CRs485Dlg::awaitAnswer() {
    turnToReceive(station_);
    goToState(station_, window(), ReadState, station_.link.replyWait + ExtraWaitMs);
}

void CRs485Dlg::judgeAnswer() {
    window().stopTimer(ExchangeTimer);
    const Reply reply = readReply(station_);
    window().setText(ProgramResult, judgeWrite(station_, reply).confirmed() ? KEPT_TEXT(" OK")
                                                                            : KEPT_TEXT("FAIL "));
}

}  // namespace doxa
