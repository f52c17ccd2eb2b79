#include "calibration/calibration_steps.h"

#include "dialog/dialog.h"
#include "link/hart.h"
#include "link/modbus.h"
#include "link/port.h"
#include "link/value_codec.h"
#include "transmitter/code_tables.h"
#include "transmitter/station.h"

namespace doxa::calibration {

namespace {

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

constexpr int HartInputPointLength = 13;
constexpr int HartWriteLength = 17;
constexpr int HartValueLength = 18;
constexpr int HartOutputLength = 21;
constexpr int ModbusInputPointLength = 8;
constexpr int ModbusFloatLength = 13;

constexpr std::array<std::uint8_t, 4> Twelve = {0x41, 0x40, 0x00, 0x00};
constexpr std::array<std::uint8_t, 4> Zero = {0, 0, 0, 0};

bool rs485(const Station& station) { return station.link.transmissionMode == ModeRs485; }

std::string send(Station& station, const Request& request) { return sendRequest(station, request); }

std::uint8_t inputFunction(bool upper) { return upper ? modbus::CalibrateUpper : modbus::CalibrateLower; }
std::uint8_t outputFunction(bool upper) {
    return upper ? modbus::CalibrateOutputHigh : modbus::CalibrateOutputLow;
}

// The three families of test points: the DOXA current output, and the RIVO voltage and current
// outputs. The HART bytes of 5.6 and 18.4 go out with their last mantissa byte cleared.
constexpr DriveRow DoxaRows[] = {
    {{0x40, 0xB3, 0x33, 0x00}, "Ustawianie 5,6mA ", 5.6f, {0x81, 0x33, 0x33, 0x33}},
    {{0x41, 0x40, 0x00, 0x00}, "Ustawianie 12mA ", std::nullopt, {0x82, 0x40, 0x00, 0x00}},
    {{0x41, 0x93, 0x33, 0x00}, "Ustawianie 18,4mA", 18.4f, {0x83, 0x13, 0x33, 0x33}},
};
constexpr DriveRow RivoVoltageRows[] = {
    {{0x3F, 0x80, 0x00, 0x00}, "Ustawianie 1,0V ", 1.0f, {0x81, 0x33, 0x33, 0x33}},
    {{0x40, 0xA0, 0x00, 0x00}, "Ustawianie 5,0V ", std::nullopt, {0x82, 0x40, 0x00, 0x00}},
    {{0x41, 0x10, 0x00, 0x00}, "Ustawianie 9,0V ", 9.0f, {0x83, 0x13, 0x33, 0x33}},
};
constexpr DriveRow RivoCurrentRows[] = {
    {{0x40, 0x00, 0x00, 0x00}, "Ustawianie 2,0mA ", 2.0f, {0x81, 0x33, 0x33, 0x33}},
    {{0x41, 0x20, 0x00, 0x00}, "Ustawianie 10,0mA ", std::nullopt, {0x82, 0x40, 0x00, 0x00}},
    {{0x41, 0x90, 0x00, 0x00}, "Ustawianie 18,0mA ", 18.0f, {0x83, 0x13, 0x33, 0x33}},
};

}  // namespace

std::string sendStartUp(Station& station) {
    station.outputForced = true;
    return send(station, Request{.hartCommand = HartFixOutput,
                                 .hartData = Twelve,
                                 .modbusStart = OutputModeRegister,
                                 .modbusFunction = modbus::WriteSingle,
                                 .modbusValue = OutputFixed});
}

std::string sendExit(Station& station) {
    return send(station, Request{.hartCommand = HartFixOutput,
                                 .hartData = Zero,
                                 .modbusStart = OutputModeRegister,
                                 .modbusFunction = modbus::WriteSingle,
                                 .modbusValue = OutputNormal});
}

std::string sendModeRegister(Station& station, std::uint16_t value) {
    return send(station, Request{.modbusStart = OutputModeRegister,
                                 .modbusFunction = modbus::WriteSingle,
                                 .modbusValue = value});
}

std::string sendInputPoint(Station& station, bool upper) {
    const std::uint8_t function = inputFunction(upper);
    return send(station, Request{.hartCommand = function, .modbusFunction = function});
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
    return send(station, Request{.hartCommand = HartFixOutput,
                                 .hartData = row.hartValue,
                                 .modbusStart = OutputRegister,
                                 .modbusFunction = modbus::WriteMultiple,
                                 .modbusData = row.modbusValue});
}

std::string sendOutputPoint(Station& station, bool upper, float measured) {
    const std::uint8_t function = outputFunction(upper);
    const auto value = encodeFloat(measured, rs485(station) ? FloatLayout::Modbus : FloatLayout::Hart);
    return send(station, Request{.hartCommand = function,
                                 .hartData = value,
                                 .modbusFunction = function,
                                 .modbusData = value});
}

std::string sendOutputRead(Station& station) {
    return send(station, Request{.hartCommand = HartReadOutput,
                                 .modbusStart = OutputRegister,
                                 .modbusCount = FloatRegisters});
}

std::string sendForcedOutput(Station& station, float value) {
    station.outputForced = true;
    const auto bytes = encodeFloat(value, rs485(station) ? FloatLayout::Modbus : FloatLayout::Hart);
    return send(station, Request{.hartCommand = HartFixOutput,
                                 .hartData = bytes,
                                 .modbusStart = OutputRegister,
                                 .modbusFunction = modbus::WriteMultiple,
                                 .modbusData = bytes});
}

std::string sendAmbientRead(Station& station) {
    return send(station, Request{.hartCommand = HartReadAmbient,
                                 .modbusStart = AmbientRegister,
                                 .modbusCount = FloatRegisters});
}

std::string sendCorrectionRead(Station& station) {
    return send(station, Request{.modbusStart = CorrectionRegister, .modbusCount = FloatRegisters});
}

std::string sendCorrection(Station& station, float typed) {
    // HART adds the difference to the correction it keeps; RS485 stores the whole correction.
    const float difference = typed - station.device.ambientTemp;
    const auto value = rs485(station)
                           ? encodeFloat(difference + station.correctionBase, FloatLayout::Modbus)
                           : encodeFloat(difference, FloatLayout::Hart);
    return send(station, Request{.hartCommand = HartCorrection,
                                 .hartData = value,
                                 .modbusStart = CorrectionWriteRegister,
                                 .modbusFunction = modbus::WriteAndStore,
                                 .modbusData = value});
}

std::string sendHart(Station& station, std::uint8_t command, std::span<const std::uint8_t> data) {
    return transmitFrame(station, buildHartRequest(station.frame, station.device.pollingAddress,
                                                   command, data));
}

bool inputPointTaken(const Station& station, int length, bool upper) {
    if (rs485(station))
        return length == ModbusInputPointLength && station.frame[1] == inputFunction(upper);
    return length == HartInputPointLength && station.frame[hart::AnswerStatus1] == 0;
}

bool outputPointConfirmed(const Station& station, int length, bool upper) {
    return rs485(station) ? isModbusAnswer(station, length, outputFunction(upper))
                          : length == HartWriteLength;
}

bool correctionConfirmed(const Station& station, int length) {
    return rs485(station) ? isModbusAnswer(station, length, modbus::WriteAndStore)
                          : length == HartWriteLength;
}

bool driveAnswered(const Station& station, int length) {
    return rs485(station) || length == HartWriteLength;
}

std::optional<double> ambientTemperature(const Station& station, int length) {
    if (rs485(station)) {
        if (length != ModbusFloatLength) return std::nullopt;
        return registerFloat(station.frame, 0).value;
    }
    if (length != HartValueLength) return std::nullopt;
    return decodeFloat(&station.frame[13], FloatLayout::Hart).value;
}

std::optional<double> presentCorrection(const Station& station, int length) {
    if (length != ModbusFloatLength) return std::nullopt;
    return registerFloat(station.frame, 0).value;
}

std::optional<double> outputValue(const Station& station, int length) {
    if (rs485(station)) {
        if (length != ModbusFloatLength) return std::nullopt;
        return registerFloat(station.frame, 0).value;
    }
    if (length != HartOutputLength) return std::nullopt;
    return decodeFloat(&station.frame[hart::AnswerData], FloatLayout::Hart).value;
}

bool exitConfirmed(Station& station, int length) {
    // On RS485 only the echo of the normal mode counts: a pending echo of the fixed mode must not.
    const auto& f = station.frame;
    const bool confirmed =
        rs485(station) ? isModbusAnswer(station, length, modbus::WriteSingle) &&
                             (f[2] << 8 | f[3]) == OutputModeRegister && (f[4] << 8 | f[5]) == OutputNormal
                       : length == HartWriteLength;
    if (confirmed) station.outputForced = false;
    return confirmed;
}

std::string_view outputPrompt(const DeviceRecord& device) {
    return device.outputType == OutputVoltage ? "Wpisz wartość napięcia" : "Wpisz wartość prądu";
}

std::string_view referenceText(const DeviceRecord& device, bool upper) {
    if (device.sensorType < 3) return upper ? "Ustaw 300 Ohm" : "Ustaw 100 Ohm";
    return upper ? "Ustaw 80 mV" : "Ustaw 0 mV";
}

void InputReading::start(DialogWindow& window) {
    window.stopTimer(Timer);
    station_.frame.fill(0xFF);
    if (!ensurePortOpen(station_)) window.setText(statusId_, PortFailedText);
    purge(station_);
    window.setText(statusId_, "Odczyt PV");
    text_.assign(1, ' ');  // a blank until the answer has come
    const std::string errors = send(station_, Request{.hartCommand = HartReadPrimary,
                                                      .modbusStart = PrimaryRegister,
                                                      .modbusCount = FloatRegisters});
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
    if (!rs485(station_) && reply.length == HartValueLength)
        text_ = valueText(decodeFloat(&f[13], FloatLayout::Hart), measuredValueShape(f[hart::AnswerData]));
    else if (rs485(station_) && reply.length == ModbusFloatLength)
        text_ = valueText(registerFloat(f, 0), measuredValueShape(station_.device.unitCode));
    window.stopTimer(Timer);
    inputReadStep_ = 0;
    return true;
}

}  // namespace doxa::calibration
