#include "calibration/calibration_steps.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

#include "dialog/dialog.h"
#include "link/screen_text.h"
#include "dialog/typed_number.h"
#include "link/hart.h"
#include "link/modbus.h"
#include "link/port.h"
#include "link/value_codec.h"
#include "transmitter/code_tables.h"
#include "transmitter/service_recording.h"
#include "transmitter/station.h"

namespace doxa::calibration {

namespace {

// The decimal a single-precision value stands for: 300.12, not 300.1199951171875.
double singleDecimal(double value) {
    char digits[32];
    const auto end = std::to_chars(digits, digits + sizeof digits, static_cast<float>(value)).ptr;
    std::from_chars(digits, end, value);
    return value;
}

constexpr int OutputRegister = 0x00E0;
constexpr int PrimaryRegister = 0x00DC;
constexpr int AmbientRegister = 0x0110;
constexpr int CorrectionRegister = 0x0154;
constexpr int CorrectionWriteRegister = 0x0038;
constexpr int FloatRegisters = 4;

constexpr std::uint8_t HartFixOutput = 40;
constexpr std::uint8_t HartReadPrimary = 1;
constexpr std::uint8_t HartReadOutput = 2;
constexpr std::uint8_t HartReadAmbient = 202;
constexpr std::uint8_t HartCorrection = 203;

constexpr int HartValueLength = 18;
constexpr int HartOutputLength = 21;
constexpr int ModbusFloatLength = 13;

constexpr Request PrimaryRead{.hartCommand = HartReadPrimary, .modbusStart = PrimaryRegister, .modbusCount = FloatRegisters};
constexpr Request OutputRead{.hartCommand = HartReadOutput, .modbusStart = OutputRegister, .modbusCount = FloatRegisters};
constexpr Request AmbientRead{.hartCommand = HartReadAmbient, .modbusStart = AmbientRegister, .modbusCount = FloatRegisters};
constexpr Request CorrectionRead{.modbusStart = CorrectionRegister, .modbusCount = FloatRegisters};

constexpr std::array<std::uint8_t, 4> Twelve = {0x41, 0x40, 0x00, 0x00};
constexpr std::array<std::uint8_t, 4> Zero = {0, 0, 0, 0};

bool rs485(const Station& station) { return station.link.transmissionMode == ModeRs485; }

std::string send(Station& station, const Request& request) { return sendRequest(station, request); }
std::string write(Station& station, const Request& request) { return sendWrite(station, request); }

std::array<std::uint8_t, 4> readFields(const Request& read) {
    return {static_cast<std::uint8_t>(read.modbusStart >> 8), static_cast<std::uint8_t>(read.modbusStart),
            static_cast<std::uint8_t>(read.modbusCount >> 8), static_cast<std::uint8_t>(read.modbusCount)};
}

// An answer that was taken passed the check against the request written last, yet the input's
// "Odczytaj" may have written its own read after ours, and its answer is just as long. It is
// ours only when it answers this read: by its HART command byte, or on RS485, whose read answer
// names no register, when the request on the line is still a read of these registers.
bool answersRead(const Station& station, const Request& read) {
    const PendingRequest& pending = station.link.pendingRequest;
    if (rs485(station))
        return pending.protocol == PendingRequest::Protocol::Modbus && pending.command == modbus::ReadHolding &&
               pending.modbusFields == readFields(read);
    return pending.protocol == PendingRequest::Protocol::Hart &&
           station.frame[hart::AnswerCommand] == read.hartCommand;
}

std::uint8_t inputFunction(bool upper) { return upper ? modbus::CalibrateUpper : modbus::CalibrateLower; }
std::uint8_t outputFunction(bool upper) {
    return upper ? modbus::CalibrateOutputHigh : modbus::CalibrateOutputLow;
}

// The three families of test points: the DOXA current output, and the RIVO voltage and current
// outputs. The HART bytes of 5.6 and 18.4 go out with their last mantissa byte cleared.
constexpr DriveRow DoxaRows[] = {
    {{0x40, 0xB3, 0x33, 0x00}, UI_TEXT("Ustawianie 5,6mA "), 5.6f, {0x81, 0x33, 0x33, 0x33}},
    {{0x41, 0x40, 0x00, 0x00}, UI_TEXT("Ustawianie 12mA "), std::nullopt, {0x82, 0x40, 0x00, 0x00}},
    {{0x41, 0x93, 0x33, 0x00}, UI_TEXT("Ustawianie 18,4mA"), 18.4f, {0x83, 0x13, 0x33, 0x33}},
};
constexpr DriveRow RivoVoltageRows[] = {
    {{0x3F, 0x80, 0x00, 0x00}, UI_TEXT("Ustawianie 1,0V "), 1.0f, {0x81, 0x33, 0x33, 0x33}},
    {{0x40, 0xA0, 0x00, 0x00}, UI_TEXT("Ustawianie 5,0V "), std::nullopt, {0x82, 0x40, 0x00, 0x00}},
    {{0x41, 0x10, 0x00, 0x00}, UI_TEXT("Ustawianie 9,0V "), 9.0f, {0x83, 0x13, 0x33, 0x33}},
};
constexpr DriveRow RivoCurrentRows[] = {
    {{0x40, 0x00, 0x00, 0x00}, UI_TEXT("Ustawianie 2,0mA "), 2.0f, {0x81, 0x33, 0x33, 0x33}},
    {{0x41, 0x20, 0x00, 0x00}, UI_TEXT("Ustawianie 10,0mA "), std::nullopt, {0x82, 0x40, 0x00, 0x00}},
    {{0x41, 0x90, 0x00, 0x00}, UI_TEXT("Ustawianie 18,0mA "), 18.0f, {0x83, 0x13, 0x33, 0x33}},
};

}  // namespace

std::string sendStartUp(Station& station) {
    station.outputForced = true;
    return write(station, Request{.hartCommand = HartFixOutput,
                                 .hartData = Twelve,
                                 .modbusStart = OutputModeRegister,
                                 .modbusFunction = modbus::WriteSingle,
                                 .modbusValue = OutputFixed});
}

std::string sendExit(Station& station) {
    return write(station, Request{.hartCommand = HartFixOutput,
                                 .hartData = Zero,
                                 .modbusStart = OutputModeRegister,
                                 .modbusFunction = modbus::WriteSingle,
                                 .modbusValue = OutputNormal});
}

std::string sendModeRegister(Station& station, std::uint16_t value) {
    return write(station, Request{.modbusStart = OutputModeRegister,
                                 .modbusFunction = modbus::WriteSingle,
                                 .modbusValue = value});
}

std::string sendInputPoint(Station& station, bool upper) {
    const std::uint8_t function = inputFunction(upper);
    return write(station, Request{.hartCommand = function, .modbusFunction = function});
}

DriveRow driveRow(const DeviceRecord& device, DrivePoint point) {
    const DriveRow* rows = !device.isRivo                           ? DoxaRows
                           : device.outputType == OutputVoltage     ? RivoVoltageRows
                                                                    : RivoCurrentRows;
    return rows[static_cast<int>(point)];
}

std::string sendDrive(Station& station, DrivePoint point) {
    const DriveRow row = driveRow(station.device, point);
    station.outputForced = true;
    return write(station, Request{.hartCommand = HartFixOutput,
                                 .hartData = row.hartValue,
                                 .modbusStart = OutputRegister,
                                 .modbusFunction = modbus::WriteMultiple,
                                 .modbusData = row.modbusValue});
}

std::string sendOutputPoint(Station& station, bool upper, float measured) {
    const std::uint8_t function = outputFunction(upper);
    const auto value = encodeFloat(measured, rs485(station) ? FloatLayout::Modbus : FloatLayout::Hart);
    return write(station, Request{.hartCommand = function,
                                 .hartData = value,
                                 .modbusFunction = function,
                                 .modbusData = value});
}

std::string sendOutputRead(Station& station) { return send(station, OutputRead); }

std::string sendForcedOutput(Station& station, float value) {
    station.outputForced = true;
    const auto bytes = encodeFloat(value, rs485(station) ? FloatLayout::Modbus : FloatLayout::Hart);
    return write(station, Request{.hartCommand = HartFixOutput,
                                 .hartData = bytes,
                                 .modbusStart = OutputRegister,
                                 .modbusFunction = modbus::WriteMultiple,
                                 .modbusData = bytes});
}

std::string sendAmbientRead(Station& station) { return send(station, AmbientRead); }

std::string sendCorrectionRead(Station& station) { return send(station, CorrectionRead); }

std::string sendHart(Station& station, std::uint8_t command, std::span<const std::uint8_t> data) {
    return transmitFrame(station, buildHartRequest(station.frame, station.device.pollingAddress,
                                                   command, data));
}

// The output was found at the value the transmitter was driven to; the meter measured it there.
void recordOutputPoint(const Station& station, bool upper, float measured, const WriteJudgement& judgement) {
    const RecordOutcome outcome = judgement.outcome();
    ServiceRecord entry = stationRecord(station, RecordKind::CalibrationOutput, outcome);
    if (outcome == RecordOutcome::Refused) entry.refusalCode = judgement.code;
    const auto driven = driveRow(station.device, upper ? DrivePoint::High : DrivePoint::Low).nominal;
    if (driven) entry.asFound = {{"output", singleDecimal(*driven)}};
    if (outcome == RecordOutcome::Confirmed) entry.asLeft = {{"point", std::string(upper ? "upper" : "lower")}};
    entry.reference = {{"measured", singleDecimal(measured)}};
    keepRecord(station, entry);
}

std::optional<double> outputValue(const Station& station, int length) {
    if (length == 0 || !answersRead(station, OutputRead)) return std::nullopt;
    if (rs485(station)) {
        if (length != ModbusFloatLength) return std::nullopt;
        return registerFloat(station.frame, 0).value;
    }
    if (length != HartOutputLength) return std::nullopt;
    return decodeFloat(&station.frame[hart::AnswerData], FloatLayout::Hart).value;
}

bool releaseConfirmed(Station& station, const Reply& reply) {
    // On RS485 only the echo of the normal mode counts: a pending echo of the fixed mode must not.
    const PendingRequest& pending = station.link.pendingRequest;
    constexpr std::array<std::uint8_t, 4> NormalModeWrite = {0x00, OutputModeRegister, 0x00, OutputNormal};
    const bool release = pending.protocol == PendingRequest::Protocol::Modbus
                             ? pending.command == modbus::WriteSingle && pending.modbusFields == NormalModeWrite
                             : pending.command == HartFixOutput;
    const bool confirmed = release && judgeWrite(station, reply).confirmed();
    if (confirmed) station.outputForced = false;
    return confirmed;
}

namespace {

std::optional<double> ambientTemperature(const Station& station, int length) {
    if (length == 0 || !answersRead(station, AmbientRead)) return std::nullopt;
    if (rs485(station)) {
        if (length != ModbusFloatLength) return std::nullopt;
        return registerFloat(station.frame, 0).value;
    }
    if (length != HartValueLength) return std::nullopt;
    return decodeFloat(&station.frame[13], FloatLayout::Hart).value;
}

// The reading shows the typed temperature when what is missing is below what a float resolves
// at that size (the transmitter adds in single precision).
bool reachedTyped(float reading, float typed) {
    constexpr float Resolution = 8 * std::numeric_limits<float>::epsilon();
    return std::abs(typed - reading) <= Resolution * std::max(std::abs(typed), 1.0f);
}

}  // namespace

bool Compensation::rs485() const { return calibration::rs485(station_); }

std::optional<float> Compensation::takeAmbient(int length) {
    const auto ambient = ambientTemperature(station_, length);
    if (!ambient) return std::nullopt;
    station_.device.ambientTemp = static_cast<float>(*ambient);
    readingTaken_ = true;
    correctionTaken_ = false;  // it has to be read with this reading
    return ceilToThousandths(*ambient);
}

void Compensation::takePresentCorrection(int length) {
    if (length != ModbusFloatLength || !answersRead(station_, CorrectionRead)) return;
    station_.correctionBase = ceilToThousandths(registerFloat(station_.frame, 0).value);
    correctionTaken_ = true;
}

Compensation::Next Compensation::start(float typed) {
    typed_ = typed;
    sends_ = 0;
    failedChecks_ = 0;
    answered_ = false;
    foundAmbient_.reset();
    if (readingTaken_) foundAmbient_ = station_.device.ambientTemp;
    return based() ? Next::Send : Next::Check;
}

float Compensation::sentValue() const {
    const float difference = typed_ - station_.device.ambientTemp;
    return rs485() ? difference + station_.correctionBase : difference;
}

std::string Compensation::send() {
    ++sends_;
    const auto value = encodeFloat(sentValue(), rs485() ? FloatLayout::Modbus : FloatLayout::Hart);
    return write(station_, Request{.hartCommand = HartCorrection,
                                   .hartData = value,
                                   .modbusStart = CorrectionWriteRegister,
                                   .modbusFunction = modbus::WriteAndStore,
                                   .modbusData = value});
}

Compensation::Next Compensation::judgeAnswer(const Reply& reply) {
    judgement_ = judgeWrite(station_, reply);
    if (reply.arrived > 0) answered_ = true;
    switch (judgement_.verdict) {
        case WriteVerdict::Confirmed: break;
        case WriteVerdict::Refused: return finish(Next::Refused);
        // Busy: nothing was done, so the same correction may go again.
        case WriteVerdict::Busy: return sends_ < BusySends ? Next::SendLater : finish(Next::Refused);
        case WriteVerdict::Unknown:
            // It may have been carried out: nothing is known until it has been read back.
            readingTaken_ = false;
            correctionTaken_ = false;
            return Next::Check;
    }
    // The transmitter reads the typed temperature now; a further correction starts from it.
    if (rs485()) station_.correctionBase = sentValue();
    station_.device.ambientTemp = typed_;
    return finish(Next::Done);
}

std::string Compensation::sendCheck() {
    checkingCorrection_ = rs485() && readingTaken_;
    return checkingCorrection_ ? sendCorrectionRead(station_) : sendAmbientRead(station_);
}

Compensation::Next Compensation::judgeCheck(int length) {
    if (checkingCorrection_) {
        takePresentCorrection(length);
        answered_ = answered_ || correctionTaken_;
    } else if (const auto ambient = ambientTemperature(station_, length)) {
        station_.device.ambientTemp = static_cast<float>(*ambient);
        answered_ = true;
        if (sends_ == 0 && !foundAmbient_) foundAmbient_ = station_.device.ambientTemp;
        readingTaken_ = true;
        correctionTaken_ = false;
        if (reachedTyped(station_.device.ambientTemp, typed_)) return finish(Next::Done);
    }
    if (based()) {
        failedChecks_ = 0;
        return sendOrGiveUp();
    }
    const bool answered = checkingCorrection_ ? correctionTaken_ : readingTaken_;
    failedChecks_ = answered ? 0 : failedChecks_ + 1;
    return failedChecks_ < ConfirmAttempts ? Next::Check : finish(Next::NotConfirmed);
}

Compensation::Next Compensation::sendOrGiveUp() {
    return sends_ < ConfirmAttempts ? Next::Send : finish(Next::NotConfirmed);
}

Compensation::Next Compensation::finish(Next verdict) {
    sends_ = 0;
    failedChecks_ = 0;
    // Whatever the technician does about it, the next correction reads the transmitter first.
    if (verdict != Next::Done) readingTaken_ = correctionTaken_ = false;
    record(verdict);
    return verdict;
}

// A correction is left done only when the transmitter confirmed it or reads the typed
// temperature; the reading it started from is what was found.
void Compensation::record(Next verdict) const {
    const bool done = verdict == Next::Done;
    const RecordOutcome outcome = done                    ? RecordOutcome::Confirmed
                                  : verdict == Next::Refused ? RecordOutcome::Refused
                                  : answered_             ? RecordOutcome::NotConfirmed
                                                          : RecordOutcome::NoAnswer;
    ServiceRecord entry = stationRecord(station_, RecordKind::CalibrationCompensation, outcome);
    if (outcome == RecordOutcome::Refused) entry.refusalCode = judgement_.code;
    if (foundAmbient_) entry.asFound = {{"ambient", singleDecimal(*foundAmbient_)}};
    if (done) entry.asLeft = {{"ambient", singleDecimal(station_.device.ambientTemp)}};
    entry.reference = {{"ambient", singleDecimal(typed_)}};
    keepRecord(station_, entry);
}

std::string_view outputPrompt(const DeviceRecord& device) {
    return device.outputType == OutputVoltage ? UI_TEXT("Wpisz wartość napięcia") : UI_TEXT("Wpisz wartość prądu");
}

InputReference inputReference(const DeviceRecord& device, bool upper) {
    if (device.sensorType < 3)
        return upper ? InputReference{300, "Ohm", UI_TEXT("Ustaw 300 Ohm")} : InputReference{100, "Ohm", UI_TEXT("Ustaw 100 Ohm")};
    return upper ? InputReference{80, "mV", UI_TEXT("Ustaw 80 mV")} : InputReference{0, "mV", UI_TEXT("Ustaw 0 mV")};
}

void InputReading::start(DialogWindow& window) {
    window.stopTimer(Timer);
    station_.frame.fill(0xFF);
    if (!ensurePortOpen(station_)) window.setText(statusId_, PortFailedText);
    purge(station_);
    window.setText(statusId_, UI_TEXT("Odczyt PV"));
    text_.assign(1, ' ');  // a blank until the answer has come
    value_.reset();
    const std::string errors = send(station_, PrimaryRead);
    if (!errors.empty()) window.setText(errorId_, errors);
    inputReadStep_ = 1;
    window.startTimer(Timer, station_.link.replyWait);
}

bool InputReading::onTimer(DialogWindow& window) {
    if (inputReadStep_ == 0) {
        window.stopTimer(Timer);
        return false;
    }
    if (inputReadStep_ == 1) {
        window.stopTimer(Timer);
        turnToReceive(station_);
        inputReadStep_ = 2;
        window.startTimer(Timer, AnswerWait);
        return false;
    }
    window.setText(statusId_, " ");
    const Reply reply = readReply(station_);
    if (!reply.lineErrors.empty()) window.setText(errorId_, reply.lineErrors);
    const auto& f = station_.frame;
    const bool ours = reply.length > 0 && answersRead(station_, PrimaryRead);
    if (ours && !rs485(station_) && reply.length == HartValueLength)
        takeValue(decodeFloat(&f[13], FloatLayout::Hart), f[hart::AnswerData]);
    else if (ours && rs485(station_) && reply.length == ModbusFloatLength)
        takeValue(registerFloat(f, 0), station_.device.unitCode);
    window.stopTimer(Timer);
    inputReadStep_ = 0;
    return true;
}

void InputReading::takeValue(const DecodedFloat& reading, std::uint8_t unitCode) {
    const NumberShape shape = measuredValueShape(unitCode);
    text_ = valueText(reading, shape);
    // What is not a number is shown as it came but never kept as a value.
    if (!std::isfinite(reading.value)) return;
    std::string_view unit = shape.suffix;
    if (unit.starts_with(' ')) unit.remove_prefix(1);
    value_ = InputValue{singleDecimal(reading.value), std::string(unit)};
}

namespace {

RecordValues readingValues(const InputValue& reading) {
    RecordValues values{{"input", reading.number}};
    if (!reading.unit.empty()) values.emplace_back("unit", reading.unit);
    return values;
}

}  // namespace

void InputPointRecords::readingEnded(const std::optional<InputValue>& value) {
    if (!value) return;
    lastReadingLeftAt_.reset();
    if (waiting_) {
        append(waiting_->asLeft, readingValues(*value));
        lastReadingLeftAt_ = waitingUpper_;
        finish();
    }
    lastReading_ = value;
}

void InputPointRecords::pointStored(bool upper) {
    finish();
    const InputReference reference = inputReference(station_.device, upper);
    ServiceRecord entry = stationRecord(station_, RecordKind::CalibrationInput, RecordOutcome::Confirmed);
    if (lastReading_ && lastReadingLeftAt_.value_or(upper) == upper) entry.asFound = readingValues(*lastReading_);
    entry.asLeft = {{"point", std::string(upper ? "upper" : "lower")}};
    entry.reference = {{"input", reference.value}, {"unit", std::string(reference.unit)}};
    waiting_ = std::move(entry);
    waitingUpper_ = upper;
    lastReading_.reset();
    lastReadingLeftAt_.reset();
}

void InputPointRecords::finish() {
    if (waiting_) keepRecord(station_, *waiting_);
    waiting_.reset();
}

}  // namespace doxa::calibration
