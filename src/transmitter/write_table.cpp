#include "transmitter/write_table.h"

#include <algorithm>
#include <array>
#include <cstdio>

#include "link/screen_text.h"
#include "link/hart.h"
#include "link/modbus.h"
#include "transmitter/exchange.h"
#include "transmitter/station.h"

namespace doxa {

namespace {

using Protocol = PendingRequest::Protocol;
constexpr auto Absolute = WriteEffect::Absolute;
constexpr auto Relative = WriteEffect::Relative;

// Relative: the output points (145, 146) in both modes, because nothing tells how the
// transmitter uses the measured value — it may trim from where its output stands; and the HART
// compensation correction (203), a difference the transmitter adds to the one it keeps. The
// RS485 correction (0x0038) carries the whole correction and is absolute; so are the input
// reference points (136, 137), which take the input present at the moment.
constexpr WriteRow Rows[] = {
    {Protocol::Hart, 6, NoRegister, 1, Absolute, true, "", "polling address"},
    {Protocol::Hart, 35, NoRegister, 1, Absolute, true, "", "measuring range"},
    {Protocol::Hart, 40, NoRegister, 1, Absolute, false, "", "fixed output"},
    {Protocol::Hart, 43, NoRegister, 0, Absolute, false, "", "trim set"},
    {Protocol::Hart, 49, NoRegister, 1, Absolute, false, "", "sensor serial number"},
    {Protocol::Hart, 136, NoRegister, 0, Absolute, false, "", "input upper reference"},
    {Protocol::Hart, 137, NoRegister, 0, Absolute, false, "", "input lower reference"},
    {Protocol::Hart, 139, NoRegister, 1, Absolute, false, "", "factory calibration copy"},
    {Protocol::Hart, 145, NoRegister, 1, Relative, false, "", "output point, lower"},
    {Protocol::Hart, 146, NoRegister, 1, Relative, false, "", "output point, upper"},
    {Protocol::Hart, 147, NoRegister, 1, Absolute, true, "", "sensor configuration"},
    {Protocol::Hart, 200, NoRegister, 1, Absolute, true, "", "threshold"},
    {Protocol::Hart, 201, NoRegister, 1, Absolute, true, "", "filter"},
    {Protocol::Hart, 203, NoRegister, 1, Relative, false, "HART 202", "compensation correction"},
    {Protocol::Hart, 212, NoRegister, 1, Absolute, false, "", "text"},
    {Protocol::Hart, 220, NoRegister, 2, Absolute, false, "", "characteristic point"},
    {Protocol::Hart, 221, NoRegister, 1, Absolute, false, "", "characteristic point count"},
    {Protocol::Modbus, modbus::WriteSingle, 0x003E, 0, Absolute, false, "", "output mode"},
    {Protocol::Modbus, modbus::WriteSingle, 0x00ED, 0, Absolute, false, "", "take up stored data"},
    {Protocol::Modbus, modbus::WriteMultiple, 0x00E0, 0, Absolute, false, "", "fixed output"},
    {Protocol::Modbus, modbus::WriteAndStore, 0x0000, 0, Absolute, false, "", "measuring range"},
    {Protocol::Modbus, modbus::WriteAndStore, 0x0008, 0, Absolute, false, "", "sensor and flags"},
    {Protocol::Modbus, modbus::WriteAndStore, 0x000C, 0, Absolute, false, "", "filter"},
    {Protocol::Modbus, modbus::WriteAndStore, 0x0038, 0, Absolute, false, "", "compensation correction"},
    {Protocol::Modbus, modbus::WriteAndStore, 0x003C, 0, Absolute, false, "", "slave address"},
    {Protocol::Modbus, modbus::WriteAndStore, 0x007E, 0, Absolute, false, "", "line settings"},
    {Protocol::Modbus, modbus::CalibrateUpper, NoRegister, 0, Absolute, false, "", "input upper reference"},
    {Protocol::Modbus, modbus::CalibrateLower, NoRegister, 0, Absolute, false, "", "input lower reference"},
    {Protocol::Modbus, modbus::CalibrateOutputLow, NoRegister, 0, Relative, false, "", "output point, lower"},
    {Protocol::Modbus, modbus::CalibrateOutputHigh, NoRegister, 0, Relative, false, "", "output point, upper"},
};

// HART response codes (first status byte with bit 7 clear). Warnings report a write carried
// out; errors one that was not.
constexpr std::array<std::uint8_t, 8> HartWarnings = {8, 14, 24, 25, 26, 27, 30, 31};
constexpr std::array<std::uint8_t, 24> HartErrors = {1,  2,  3,  4,  5,  6,  7,  9,  10, 11, 12, 13,
                                                     15, 16, 17, 18, 19, 20, 21, 22, 23, 28, 29, 64};
constexpr int HartBusy = 32;
constexpr std::uint8_t CommunicationError = 0x80;

constexpr int ModbusIllegalFunction = 1;
constexpr int ModbusIllegalValue = 3;
constexpr int ModbusBusy = 6;
constexpr int ModbusEchoLength = 8;
constexpr int ModbusExceptionLength = 5;

template <std::size_t N>
bool listed(const std::array<std::uint8_t, N>& codes, int code) {
    return std::find(codes.begin(), codes.end(), code) != codes.end();
}

int registerOf(const PendingRequest& request) {
    return request.modbusFields[0] << 8 | request.modbusFields[1];
}

WriteJudgement judgeHart(const Station& station, const Reply& reply, WriteJudgement judgement) {
    if (reply.length == 0) return judgement;
    const int status = station.frame[hart::AnswerStatus1];
    judgement.code = status;
    // The transmitter could not read the request: it did nothing, and may be asked again.
    if (status & CommunicationError) {
        judgement.verdict = WriteVerdict::Busy;
    } else if (status == 0 || listed(HartWarnings, status)) {
        judgement.verdict = WriteVerdict::Confirmed;
        if (status == 0) judgement.code.reset();
    } else if (status == HartBusy) {
        judgement.verdict = WriteVerdict::Busy;
    } else if (listed(HartErrors, status)) {
        judgement.verdict = WriteVerdict::Refused;
    }
    return judgement;
}

// A register write is confirmed by the echo of its register and value (function 6) or register
// and count (16, 116); the transmitter's own functions carry no register, so an answer of the
// addressed slave with the same function and a good CRC is their confirmation.
bool echoes(const Station& station, const Reply& reply, const WriteRow& row) {
    if (row.firstRegister == NoRegister) return true;
    const auto& sent = station.link.pendingRequest.modbusFields;
    return reply.length == ModbusEchoLength &&
           std::equal(sent.begin(), sent.end(), station.frame.begin() + 2);
}

WriteJudgement judgeModbus(const Station& station, const Reply& reply, WriteJudgement judgement) {
    // The transmitter's own functions have bit 7 set already, so their exception answer keeps
    // the function code: it is known by its length alone.
    const bool ownException = reply.length == ModbusExceptionLength && judgement.row &&
                              judgement.row->firstRegister == NoRegister;
    if (reply.fault == AnswerFault::Exception || ownException) {
        const int code = station.frame[2];
        judgement.code = code;
        if (code >= ModbusIllegalFunction && code <= ModbusIllegalValue)
            judgement.verdict = WriteVerdict::Refused;
        else if (code == ModbusBusy)
            judgement.verdict = WriteVerdict::Busy;
        return judgement;
    }
    if (reply.length > 0 && judgement.row && echoes(station, reply, *judgement.row))
        judgement.verdict = WriteVerdict::Confirmed;
    return judgement;
}

}  // namespace

std::span<const WriteRow> writeTable() { return Rows; }

const WriteRow* writeRowOf(const PendingRequest& request) {
    for (const WriteRow& row : Rows) {
        if (row.protocol != request.protocol || row.command != request.command) continue;
        if (row.protocol == Protocol::Hart ? request.dataCount >= row.minData
                                           : row.firstRegister == NoRegister || row.firstRegister == registerOf(request))
            return &row;
    }
    return nullptr;
}

std::string_view codeMeaning(int code, bool modbus) {
    if (modbus) {
        switch (code) {
            case 1:
                return UI_TEXT("niedozwolona funkcja");
            case 2:
                return UI_TEXT("niedozwolony adres rejestru");
            case 3:
                return UI_TEXT("niedozwolona wartość danych");
            case 4:
                return UI_TEXT("błąd przetwornika");
            case 5:
                return UI_TEXT("przyjęte, w trakcie wykonywania");
            case 6:
                return UI_TEXT("przetwornik zajęty");
            default:
                return UI_TEXT("kod nieznany");
        }
    }
    if (code & CommunicationError) return UI_TEXT("przetwornik odebrał zapytanie z błędem");
    switch (code) {
        case 1:
            return UI_TEXT("błąd nieokreślony");
        case 2:
            return UI_TEXT("nieprawidłowy wybór");
        case 3:
            return UI_TEXT("parametr za duży");
        case 4:
            return UI_TEXT("parametr za mały");
        case 5:
            return UI_TEXT("za mało bajtów danych");
        case 6:
            return UI_TEXT("błąd polecenia w przetworniku");
        case 7:
            return UI_TEXT("tryb ochrony przed zapisem");
        case 8:
        case 14:
        case 24:
        case 25:
        case 26:
        case 27:
        case 30:
        case 31:
            return UI_TEXT("ostrzeżenie");
        case 16:
            return UI_TEXT("dostęp ograniczony");
        case 32:
            return UI_TEXT("przetwornik zajęty");
        case 33:
        case 34:
            return UI_TEXT("przyjęte, w trakcie wykonywania");
        case 64:
            return UI_TEXT("polecenie nieobsługiwane");
        default:
            return listed(HartErrors, code) ? UI_TEXT("błąd właściwy dla polecenia")
                                            : UI_TEXT("kod nieznany");
    }
}

std::string WriteJudgement::refusalText() const {
    const int value = code.value_or(0);
    char number[8];
    std::snprintf(number, sizeof number, modbus ? "%02X" : "%d", value);
    // Both begin with RefusedText.
    return formatText(modbus ? UI_TEXT("Przetwornik odrzucił zapis: wyjątek %1 (%2)")
                             : UI_TEXT("Przetwornik odrzucił zapis: kod %1 (%2)"),
                      {number, codeMeaning(value, modbus)});
}

RecordOutcome WriteJudgement::outcome() const {
    switch (verdict) {
        case WriteVerdict::Confirmed: return RecordOutcome::Confirmed;
        case WriteVerdict::Refused: return RecordOutcome::Refused;
        // Still busy after the last send: not carried out, as a refusal.
        case WriteVerdict::Busy: return code ? RecordOutcome::Refused : RecordOutcome::NotConfirmed;
        case WriteVerdict::Unknown: break;
    }
    return answered ? RecordOutcome::NotConfirmed : RecordOutcome::NoAnswer;
}

WriteJudgement judgeWrite(const Station& station, const Reply& reply) {
    const PendingRequest& request = station.link.pendingRequest;
    WriteJudgement judgement;
    judgement.row = writeRowOf(request);
    judgement.answered = reply.arrived > 0;
    judgement.modbus = request.protocol == Protocol::Modbus;
    return judgement.modbus ? judgeModbus(station, reply, judgement) : judgeHart(station, reply, judgement);
}

WriteAnswer answerOfWrite(const Station& station, const Reply& reply, int sends, bool documentedRepeat) {
    WriteAnswer answer{.judgement = judgeWrite(station, reply)};
    const WriteJudgement& j = answer.judgement;
    switch (j.verdict) {
        case WriteVerdict::Confirmed: answer.next = WriteAnswer::Next::Done; break;
        case WriteVerdict::Refused: answer.next = WriteAnswer::Next::Stop; break;
        case WriteVerdict::Busy:
            answer.next = sends < BusySends ? WriteAnswer::Next::Again : WriteAnswer::Next::Stop;
            break;
        case WriteVerdict::Unknown: {
            const bool absolute = j.row && j.row->effect == WriteEffect::Absolute;
            answer.next = documentedRepeat && absolute ? WriteAnswer::Next::Again : WriteAnswer::Next::Stop;
            break;
        }
    }
    return answer;
}

void repeatWrite(Station& station, DialogWindow& window, const WriteAnswer& answer, int sendState, int& sends) {
    if (answer.judgement.verdict == WriteVerdict::Busy) {
        goToState(station, window, sendState, BusyRepeatWait);
        return;
    }
    sends = 0;
    station.link.exchangeState = sendState;
}

std::string stoppedText(const WriteJudgement& judgement, std::string_view notConfirmed) {
    const bool coded = judgement.verdict == WriteVerdict::Refused || judgement.verdict == WriteVerdict::Busy;
    return coded && judgement.code ? judgement.refusalText() : std::string(notConfirmed);
}

namespace {
constexpr std::string_view UnknownWriteText =
    UI_TEXT("Zapis nieznany programowi – nie został wysłany");

std::string transmitKnownWrite(Station& station, int length) {
    if (!writeRowOf(pendingRequestOf(station.frame, length))) return std::string(UnknownWriteText);
    return transmitFrame(station, length);
}
}  // namespace

std::string sendWrite(Station& station, const Request& request) {
    return transmitKnownWrite(station, buildRequest(station, request));
}

std::string sendHartWrite(Station& station, const Request& request) {
    return transmitKnownWrite(station, buildHartFrame(station, request));
}

}  // namespace doxa
