#include "programming/prog_sequence.h"

#include <algorithm>
#include <string>
#include <string_view>
#include <utility>

#include "dialog/dialog.h"
#include "link/screen_text.h"
#include "link/hart.h"
#include "link/modbus.h"
#include "link/port.h"
#include "link/value_codec.h"
#include "settings/settings_keys.h"
#include "transmitter/code_tables.h"
#include "transmitter/exchange.h"
#include "transmitter/service_recording.h"
#include "transmitter/station.h"

namespace doxa {

namespace {

constexpr int StartWait = 500;
constexpr int ListenWait = 600;
constexpr int RepeatWait = 100;
// A step goes on, its flag left set, once its failure count passes this.
constexpr int FailureLimit = 3;

constexpr int RangeAnswer = 22;
constexpr int SensorAnswer = 14;
constexpr int FilterAnswer = 16;
constexpr int ThresholdAnswer = 22;
constexpr int AddressAnswer = 14;
constexpr int FlagsAnswer = 7;  // MODBUS: one register read
constexpr int FlagsAt = 4;      // its low byte
// Where a HART answer carries what the transmitter kept: a leading byte, then up to two floats.
constexpr int FirstByte = hart::AnswerData;
constexpr int FirstFloat = hart::AnswerData + 1;
constexpr int SecondFloat = hart::AnswerData + 5;

constexpr std::uint8_t CommandRange = 35;
constexpr std::uint8_t CommandSensor = 147;
constexpr std::uint8_t CommandFilter = 201;
constexpr std::uint8_t CommandThreshold = 200;
constexpr std::uint8_t CommandAddress = 6;
constexpr int RegisterRange = 0;
constexpr int RegisterSensor = 8;
constexpr int RegisterFilter = 12;
constexpr int RegisterAddress = 60;
constexpr int RegisterFlags = 0x003D;
constexpr int RegisterCommit = 0x00ED;
constexpr std::uint16_t CommitValue = 0x00AA;
constexpr std::uint8_t SensorTrailer = 0xF7;

constexpr std::uint8_t BreakBit = 0x80;
constexpr std::uint8_t CountStep = 0x10;
constexpr std::uint8_t FlagBreak = 0x10;
constexpr std::uint8_t FlagMin = 4;
constexpr std::uint8_t FlagMax = 5;
constexpr std::uint8_t FilterOffCode = 0x68;

constexpr std::string_view PortStartText = UI_TEXT("Inicjalizacja portu");
constexpr std::string_view PortOpenFailedText = UI_TEXT("Błąd w otwarciu portu");
constexpr std::string_view RangeText = UI_TEXT("Programowanie zakresu");
constexpr std::string_view SensorText = UI_TEXT("Programowanie typu czujnika");
constexpr std::string_view FilterText = UI_TEXT("Programowanie filtru");
constexpr std::string_view ThresholdText = UI_TEXT("Programowanie progu");
constexpr std::string_view AddressText = UI_TEXT("Programowanie adresu");
constexpr std::string_view EndText = UI_TEXT("Koniec programowania");
constexpr std::string_view SavedText = UI_TEXT("Dane zostały zapisane");
constexpr std::string_view NotSavedText = UI_TEXT("Dane nie zostały zapisane prawidłowo");
constexpr std::string_view AddressFailedText = UI_TEXT("Błąd w programowaniu adresu !");

std::uint8_t outputBits(int outputType) {
    switch (outputType) {
        case 1:
            return 0x10;
        case 2:
            return 0x20;
        case 3:
            return 0x40;
        default:
            return 0;
    }
}

// Floats are confirmed when the transmitter returns exactly the four bytes that were sent: the
// value it holds is then the value on the line, a typed fraction included.
int differs(const Station& station, int at, const std::array<std::uint8_t, 4>& sent) {
    return std::equal(sent.begin(), sent.end(), station.frame.begin() + at) ? 0 : 1;
}

int differs(const Station& station, int at, std::uint8_t sent) {
    return station.frame[static_cast<std::size_t>(at)] == sent ? 0 : 1;
}

template <std::size_t N, std::size_t M>
std::array<std::uint8_t, N + M> join(const std::array<std::uint8_t, N>& a,
                                     const std::array<std::uint8_t, M>& b) {
    std::array<std::uint8_t, N + M> out{};
    std::copy(a.begin(), a.end(), out.begin());
    std::copy(b.begin(), b.end(), out.begin() + N);
    return out;
}

}  // namespace

ProgrammingSequence::ProgrammingSequence(Station& station, SequenceInputs& inputs,
                                         SequenceScope scope, std::function<void()> inputsChanged)
    : station_(station), inputs_(inputs), scope_(scope), inputsChanged_(std::move(inputsChanged)) {}

bool ProgrammingSequence::rs485() const { return station_.link.transmissionMode == ModeRs485; }

WrittenFields ProgrammingSequence::written() const {
    return WrittenFields{.rtdOnly = scope_ == SequenceScope::RangeSensorFilter,
                         .sensorCount = inputs_.sensorsActive != 0,
                         .address = inputs_.programAddress != 0,
                         .newAddress = inputs_.newAddress};
}

void ProgrammingSequence::start(DialogWindow& window, bool rewritesLastRead,
                                std::string backupFile) {
    rewritesLastRead_ = rewritesLastRead;
    backupFile_ = std::move(backupFile);
    nextOffset_ = 0;
    failures_ = 0;
    errors_.fill(false);
    addressSent_ = false;
    refusal_.reset();
    answered_ = thresholdSent_ = addressConfirmed_ = commitRefused_ = false;
    asFound_ = rewritesLastRead ? configurationValues(station_.lastRead->device) : RecordValues{};
    window.setText(StepText, PortStartText);
    station_.link.exchangeState = SendRange;
    station_.frame.fill(0xFF);
    if (!ensurePortOpen(station_)) {
        window.setText(StepText, PortOpenFailedText);
        return;
    }
    running_ = true;
    // The answer to an earlier run's closing write is never read; it must not pass for the
    // answer to the first write of this one.
    purge(station_);
    window.startTimer(ExchangeTimer, StartWait);
}

void ProgrammingSequence::step(DialogWindow& window) {
    switch (station_.link.exchangeState) {
        case SendRange:
            sendRange(window);
            break;
        case Listen:
            listen(window);
            break;
        case CheckRange:
            checkRange(window);
            break;
        case ReadFlags:
            readFlags(window);
            break;
        case CheckFlags:
            checkFlags(window);
            break;
        case SendSensor:
            sendSensor(window);
            break;
        case CheckSensor:
            checkSensor(window);
            break;
        case SendFilter:
            sendFilter(window);
            break;
        case CheckFilter:
            checkFilter(window);
            break;
        case SendThreshold:
            sendThreshold(window);
            break;
        case CheckThreshold:
            checkThreshold(window);
            break;
        case SendAddress:
            sendAddress(window);
            break;
        case CheckAddress:
            checkAddress(window);
            break;
        case Finish:
            finish(window);
            break;
        case CommitListen:
            commitListen(window);
            break;
        case CheckCommit:
            checkCommit(window);
            break;
        default:
            window.stopTimer(ExchangeTimer);
            break;
    }
}

void ProgrammingSequence::send(DialogWindow& window, std::string_view text, int offset,
                               const Request& request) {
    window.setText(StepText, text);
    const std::string errors =
        request.modbusFunction == modbus::ReadHolding && rs485() ? sendRequest(station_, request)
                                                                 : sendWrite(station_, request);
    if (!errors.empty()) window.setText(ReplyText, errors);
    nextOffset_ = offset;
    goToState(station_, window, Listen, station_.link.replyWait);
}

void ProgrammingSequence::listen(DialogWindow& window) {
    turnToReceive(station_);
    goToState(station_, window, Listen + nextOffset_, ListenWait);
}

ProgrammingSequence::Verdict ProgrammingSequence::read(DialogWindow& window, int expectedLength) {
    const Reply reply = readReply(station_);
    if (!reply.lineErrors.empty()) window.setText(ReplyText, reply.lineErrors);
    if (reply.arrived > 0) answered_ = true;
    const WriteJudgement judgement = judgeWrite(station_, reply);
    if (judgement.verdict == WriteVerdict::Refused) {
        refusal_ = judgement;
        window.setText(ReplyText, judgement.refusalText());
        return {1, false, true};
    }
    if (!judgement.confirmed()) return {1, false};
    // Over RS485 the echo of the write is all the confirmation there is; a HART answer without
    // the values it should return confirms nothing that can be compared.
    if (rs485()) return {0, false};
    if (reply.length < expectedLength) return {1, false};
    return {0, true};
}

bool ProgrammingSequence::judge(Flag flag, Verdict verdict, bool countRepeat) {
    if (verdict.misses == 0) {
        failures_ = 0;
        errors_[flag] = false;
        return true;
    }
    errors_[flag] = true;
    // Refused is final: sending the same write again would be refused again.
    if (verdict.refused) {
        failures_ = 0;
        return true;
    }
    failures_ += verdict.misses;
    if (failures_ > FailureLimit) {
        failures_ = 0;
        return true;
    }
    if (countRepeat) ++failures_;
    return false;
}

void ProgrammingSequence::sendRange(DialogWindow& window) {
    const DeviceRecord& device = station_.device;
    const FloatLayout layout = rs485() ? FloatLayout::Modbus : FloatLayout::Hart;
    sentMax_ = encodeFloat(device.rangeMax, layout);
    sentMin_ = encodeFloat(device.rangeMin, layout);
    const auto values = join(sentMax_, sentMin_);
    const auto data = join(std::array<std::uint8_t, 1>{0}, values);
    send(window, RangeText, CheckRange - Listen,
         Request{.hartCommand = CommandRange,
                 .hartData = data,
                 .modbusStart = RegisterRange,
                 .modbusFunction = modbus::WriteAndStore,
                 .modbusData = values});
}

void ProgrammingSequence::checkRange(DialogWindow& window) {
    Verdict verdict = read(window, RangeAnswer);
    if (verdict.compare)
        verdict.misses =
            differs(station_, FirstFloat, sentMax_) + differs(station_, SecondFloat, sentMin_);
    const Step next = keepsHeldThreshold() ? ReadFlags : SendSensor;
    goToState(station_, window, judge(RangeFlag, verdict, false) ? next : SendRange, RepeatWait);
}

bool ProgrammingSequence::keepsHeldThreshold() const {
    return scope_ == SequenceScope::RangeSensorFilter && rs485();
}

void ProgrammingSequence::readFlags(DialogWindow& window) {
    send(window, SensorText, CheckFlags - Listen,
         Request{.modbusStart = RegisterFlags, .modbusCount = 1});
}

// Flags that cannot be read are not guessed: past the limit the sensor registers are left
// unwritten and the sensor type counts as not saved.
void ProgrammingSequence::checkFlags(DialogWindow& window) {
    const Reply reply = readReply(station_);
    if (!reply.lineErrors.empty()) window.setText(ReplyText, reply.lineErrors);
    if (reply.arrived > 0) answered_ = true;
    const bool read = reply.length == FlagsAnswer;
    if (read) heldThreshold_ = station_.frame[FlagsAt] & (FlagMin | FlagMax);
    const bool goesOn = judge(SensorFlag, Verdict{.misses = read ? 0 : 1}, false);
    const Step next = !goesOn ? ReadFlags : read ? SendSensor : SendFilter;
    goToState(station_, window, next, RepeatWait);
}

std::uint8_t ProgrammingSequence::sensorByte() {
    const DeviceRecord& device = station_.device;
    int value = device.sensorType + (device.breakSignal == 1 ? BreakBit : 0);
    if (scope_ == SequenceScope::Full) {
        if (inputs_.sensorsActive)
            value += CountStep * device.connection;
        else if (inputs_.sensorCountIndex != 0) {
            inputs_.sensorCountIndex = 0;
            if (inputsChanged_) inputsChanged_();
        }
        value += outputBits(device.outputType);
    }
    return static_cast<std::uint8_t>(value & 0xFF);
}

std::uint8_t ProgrammingSequence::flagByte() const {
    const DeviceRecord& device = station_.device;
    std::uint8_t flags = device.breakSignal == 1 ? FlagBreak : 0;
    if (keepsHeldThreshold()) return flags | heldThreshold_;
    if (device.thresholdActive && device.thresholdDirection == 1) flags += FlagMin;
    if (device.thresholdActive && device.thresholdDirection == 2) flags += FlagMax;
    return flags;
}

void ProgrammingSequence::sendSensor(DialogWindow& window) {
    sentSensor_ = sensorByte();
    const std::array<std::uint8_t, 1> data{sentSensor_};
    const std::array<std::uint8_t, 3> values{static_cast<std::uint8_t>(station_.device.sensorType),
                                             flagByte(), SensorTrailer};
    send(window, SensorText, CheckSensor - Listen,
         Request{.hartCommand = CommandSensor,
                 .hartData = data,
                 .modbusStart = RegisterSensor,
                 .modbusFunction = modbus::WriteAndStore,
                 .modbusData = values});
}

void ProgrammingSequence::checkSensor(DialogWindow& window) {
    Verdict verdict = read(window, SensorAnswer);
    if (verdict.compare) verdict.misses = sensorConfirmed() ? 0 : 1;
    goToState(station_, window, judge(SensorFlag, verdict, true) ? SendFilter : SendSensor,
              RepeatWait);
}

// A transmitter returns either the whole byte as it keeps it, count or output bits included, or
// only the sensor code and the break bit; either confirms the write when those are the ones sent.
bool ProgrammingSequence::sensorConfirmed() const {
    const std::uint8_t answer = station_.frame[FirstByte];
    if (answer == sentSensor_) return true;
    const int code = answer & ~BreakBit;
    return code == station_.device.sensorType && (answer & BreakBit) == (sentSensor_ & BreakBit);
}

void ProgrammingSequence::sendFilter(DialogWindow& window) {
    const DeviceRecord& device = station_.device;
    sentOrder_ = static_cast<std::uint8_t>(device.filterOrder);
    sentTimeCode_ = filterCodeForTime(device.filterTime).value_or(FilterOffCode);
    sentDelta_ = static_cast<std::uint8_t>(device.deltaValue & 0xFF);
    const std::array<std::uint8_t, 3> data{sentOrder_, sentTimeCode_, sentDelta_};
    send(window, FilterText, CheckFilter - Listen,
         Request{.hartCommand = CommandFilter,
                 .hartData = data,
                 .modbusStart = RegisterFilter,
                 .modbusFunction = modbus::WriteAndStore,
                 .modbusData = data});
}

void ProgrammingSequence::checkFilter(DialogWindow& window) {
    Verdict verdict = read(window, FilterAnswer);
    if (verdict.compare)
        verdict.misses = differs(station_, FirstByte, sentOrder_) +
                         differs(station_, FirstByte + 1, sentTimeCode_) +
                         differs(station_, FirstByte + 2, sentDelta_);
    const Step next = scope_ == SequenceScope::Full ? SendThreshold : Finish;
    // The timer keeps the listening interval.
    station_.link.exchangeState = judge(FilterFlag, verdict, true) ? next : SendFilter;
}

void ProgrammingSequence::sendThreshold(DialogWindow& window) {
    const DeviceRecord& device = station_.device;
    // RS485 carries the threshold in the flag byte only, and the SAWE-01 has none.
    if (device.isSawe || rs485()) {
        goToState(station_, window, SendAddress, station_.link.replyWait);
        return;
    }
    sentDirection_ =
        static_cast<std::uint8_t>(device.thresholdActive ? device.thresholdDirection : 0);
    const float release = device.thresholdDirection == 1 ? device.threshold + device.hysteresis
                                                         : device.threshold - device.hysteresis;
    thresholdSent_ = true;
    sentThreshold_ = encodeFloat(device.threshold, FloatLayout::Hart);
    sentRelease_ = encodeFloat(release, FloatLayout::Hart);
    const auto data =
        join(std::array<std::uint8_t, 1>{sentDirection_}, join(sentThreshold_, sentRelease_));
    send(window, ThresholdText, CheckThreshold - Listen,
         Request{.hartCommand = CommandThreshold, .hartData = data});
}

void ProgrammingSequence::checkThreshold(DialogWindow& window) {
    Verdict verdict = read(window, ThresholdAnswer);
    if (verdict.compare)
        verdict.misses = differs(station_, FirstByte, sentDirection_) +
                         differs(station_, FirstFloat, sentThreshold_) +
                         differs(station_, SecondFloat, sentRelease_);
    if (!judge(ThresholdFlag, verdict, true)) {
        station_.link.exchangeState = SendThreshold;
        return;
    }
    station_.link.exchangeState = SendAddress;
    sendAddress(window);
}

void ProgrammingSequence::sendAddress(DialogWindow& window) {
    if (!inputs_.programAddress) {
        station_.link.exchangeState = Finish;
        return;
    }
    const std::array<std::uint8_t, 1> data{static_cast<std::uint8_t>(inputs_.newAddress)};
    // Sent to the old address; over HART the transmitter answers at the new one at once.
    send(window, AddressText, CheckAddress - Listen,
         Request{.hartCommand = CommandAddress,
                 .hartData = data,
                 .modbusStart = RegisterAddress,
                 .modbusFunction = modbus::WriteAndStore,
                 .modbusData = data});
    addressSent_ = true;
    if (!rs485()) station_.device.pollingAddress = inputs_.newAddress;
}

void ProgrammingSequence::checkAddress(DialogWindow& window) {
    Verdict verdict = read(window, AddressAnswer);
    if (verdict.compare)
        verdict.misses =
            differs(station_, FirstByte, static_cast<std::uint8_t>(station_.device.pollingAddress));
    addressConfirmed_ = verdict.misses == 0;
    if (addressConfirmed_) {
        if (!rs485())
            station_.settings.writeInt(AddressSection, AddressKey, station_.device.pollingAddress);
    } else {
        window.stopTimer(ExchangeTimer);
        window.messageBox(AddressFailedText);
        window.startTimer(ExchangeTimer, RepeatWait);
    }
    station_.link.exchangeState = Finish;
}

void ProgrammingSequence::finish(DialogWindow& window) {
    window.stopTimer(ExchangeTimer);
    if (!rs485()) {
        report(window);
        return;
    }
    // The transmitter takes up what was stored, a new address included, with this write. The
    // documented sequence does not wait for its answer; one that comes within replyWait is heard.
    const std::string errors = sendWrite(station_, Request{.modbusStart = RegisterCommit,
                                                           .modbusFunction = modbus::WriteSingle,
                                                           .modbusValue = CommitValue});
    if (!errors.empty()) window.setText(ReplyText, errors);
    if (addressSent_) station_.device.pollingAddress = inputs_.newAddress;
    goToState(station_, window, CommitListen, station_.link.replyWait);
}

void ProgrammingSequence::commitListen(DialogWindow& window) {
    turnToReceive(station_);
    goToState(station_, window, CheckCommit, 0);
}

// Silence, or an answer too damaged to tell, leaves the run as the writes before it left it; a
// refusal means the transmitter did not take up what was stored.
void ProgrammingSequence::checkCommit(DialogWindow& window) {
    window.stopTimer(ExchangeTimer);
    const Reply reply = readReply(station_);
    if (!reply.lineErrors.empty()) window.setText(ReplyText, reply.lineErrors);
    const WriteJudgement judgement = judgeWrite(station_, reply);
    const bool refused = judgement.verdict == WriteVerdict::Refused || judgement.verdict == WriteVerdict::Busy;
    if (refused) {
        refusal_ = judgement;
        window.setText(ReplyText, judgement.refusalText());
    }
    // Any whole answer but the echo, an exception of whatever code included, says it was not taken up.
    const bool answered = reply.length > 0 || reply.fault == AnswerFault::Exception;
    if (answered && !refused && judgement.code) window.setText(ReplyText, judgement.refusalText());
    commitRefused_ = refused || (answered && !judgement.confirmed());
    report(window);
}

void ProgrammingSequence::report(DialogWindow& window) {
    running_ = false;
    window.setText(StepText, EndText);
    station_.link.exchangeState = 0;
    const bool saved =
        !commitRefused_ && std::none_of(errors_.begin(), errors_.end(), [](bool e) { return e; });
    record(saved);
    if (rewritesLastRead_) noteWritten(station_, written(), saved);
    if (saved)
        window.messageBox(SavedText, BoxIcon::Information);
    else
        window.messageBox(NotSavedText);
}

// Only what the transmitter confirmed is left as written: a write whose answer never came, or
// came different, is missing from the values left and keeps the run from counting as confirmed.
RecordValues ProgrammingSequence::confirmedValues() const {
    const DeviceRecord& device = station_.device;
    RecordValues values;
    if (!errors_[RangeFlag]) append(values, rangeValues(device));
    if (!errors_[SensorFlag]) append(values, sensorValues(device));
    // Over RS485 the sensor registers carry whether the threshold acts, and how.
    if (!errors_[SensorFlag] && rs485() && scope_ == SequenceScope::Full && !device.isSawe)
        values.push_back(thresholdValues(device).front());
    if (!errors_[FilterFlag]) append(values, filterValues(device));
    if (thresholdSent_ && !errors_[ThresholdFlag]) append(values, thresholdValues(device));
    if (addressConfirmed_) values.emplace_back("address", double(inputs_.newAddress));
    return values;
}

void ProgrammingSequence::record(bool saved) const {
    const bool confirmed = saved && (!addressSent_ || addressConfirmed_);
    const RecordOutcome outcome = confirmed   ? RecordOutcome::Confirmed
                                  : refusal_  ? RecordOutcome::Refused
                                  : answered_ ? RecordOutcome::NotConfirmed
                                              : RecordOutcome::NoAnswer;
    ServiceRecord entry = stationRecord(station_, RecordKind::Programming, outcome);
    if (outcome == RecordOutcome::Refused) entry.refusalCode = refusal_->code;
    entry.asFound = asFound_;
    entry.asLeft = confirmedValues();
    entry.backupFile = backupFile_;
    keepRecord(station_, entry);
}

}  // namespace doxa
