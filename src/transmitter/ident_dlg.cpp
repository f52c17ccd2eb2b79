#include "transmitter/ident_dlg.h"

#include <cmath>
#include <optional>
#include <string>

#include "link/hart.h"
#include "link/modbus.h"
#include "link/port.h"
#include "transmitter/code_tables.h"
#include "transmitter/service_recording.h"
#include "transmitter/station.h"

namespace doxa {

namespace {

constexpr Request ConfigurationRequest{
    .hartCommand = 147, .modbusStart = 0x003D, .modbusCount = 11};
constexpr Request RangeRequest{.hartCommand = 15};
constexpr Request ThresholdRequest{.hartCommand = 200, .modbusStart = 0x0168, .modbusCount = 8};
constexpr Request FilterRequest{.hartCommand = 201, .modbusStart = 0x0056, .modbusCount = 2};

constexpr int RetryWait = 100;
constexpr int FilterWait = 300;

// The sensor field is read back and extended by the connection; the original field held 40
// characters, and a cut must not split a character.
std::string firstCharacters(const std::string& utf8, std::size_t count) {
    std::size_t end = 0;
    for (std::size_t seen = 0; end < utf8.size() && seen < count; ++seen) {
        ++end;
        while (end < utf8.size() && (static_cast<unsigned char>(utf8[end]) & 0xC0) == 0x80) ++end;
    }
    return utf8.substr(0, end);
}

// Identification shows values in full, behind a blank.
std::string fieldText(const DecodedFloat& value, std::string_view unit) {
    return " " + valueText(value, NumberShape{.digits = NumberShape::AllDigits,
                                              .zerosIfBare = "",
                                              .suffix = unit});
}

}  // namespace

bool CInitDlg::rs485() const { return station_.link.transmissionMode == ModeRs485; }

void CInitDlg::onInit() {
    DialogWindow& w = window();
    w.setText(ProgressText, " ");
    w.setText(LineErrorText, " ");
    station_.link.exchangeState = SendIdentify;
    station_.frame.fill(0xFF);
    w.setText(Address, std::to_string(station_.device.pollingAddress));
    clearErrors(station_);
    if (!ensurePortOpen(station_)) {
        w.setText(LineErrorText, PortFailedText);
        portChoiceWanted_ = w.messageBox(ChangePortText, BoxIcon::Information, BoxButtons::Ok,
                                         {{}, ChoosePortButton}) == Answer::Extra;
        w.end(ResultCancel);
        return;
    }
    purge(station_);
    w.startTimer(ExchangeTimer, AnswerWait);
}

void CInitDlg::onFocus(int id, bool gained) {
    if (id != Address || gained) return;
    station_.device.pollingAddress = parsePollingAddress(window().text(Address)).value_or(0);
    window().setText(Address, std::to_string(station_.device.pollingAddress));
}

void CInitDlg::onTimer(int timer) {
    if (timer != ExchangeTimer) return;
    switch (station_.link.exchangeState) {
        case SendIdentify:
            window().setText(ProgressText, ReadingText);
            send(IdentifyRequest);
            break;
        case SendConfiguration:
            window().setText(ProgressText, ReadingText);
            send(ConfigurationRequest);
            break;
        case SendRange:
            send(RangeRequest);
            break;
        case SendThreshold:
            send(ThresholdRequest);
            break;
        case SendFilter:
            send(FilterRequest);
            break;
        case TurnIdentify:
        case TurnConfiguration:
        case TurnRange:
        case TurnThreshold:
        case TurnFilter:
            turn();
            break;
        case ReadIdentify:
            readIdentity();
            break;
        case ReadConfiguration:
            readConfiguration();
            break;
        case ReadRange:
            readRange();
            break;
        case ReadThreshold:
            readThreshold();
            break;
        case ReadFilter:
            readFilter();
            break;
        default:
            window().stopTimer(ExchangeTimer);
            break;
    }
}

void CInitDlg::onDestroy() {
    window().stopTimer(ExchangeTimer);
    if (station_.link.exchangeState != NoExchange) releaseLine(station_);
    station_.link.exchangeState = 0;
}

void CInitDlg::send(const Request& request) {
    const std::string errors = sendRequest(station_, request);
    if (!errors.empty()) window().setText(LineErrorText, errors);
    goToState(station_, window(), station_.link.exchangeState + 1, station_.link.replyWait);
}

void CInitDlg::turn() {
    turnToReceive(station_);
    goToState(station_, window(), station_.link.exchangeState + 1, AnswerWait);
}

Reply CInitDlg::read() {
    Reply reply = readReply(station_);
    if (!reply.lineErrors.empty()) window().setText(LineErrorText, reply.lineErrors);
    return reply;
}

void CInitDlg::readIdentity() {
    if (!isIdentityLength(read().length)) {
        window().setText(ProgressText, NoAnswerText);
        goToState(station_, window(), SendIdentify, RetryWait);
        return;
    }
    const ModelBytes bytes = takeIdentity(station_);
    window().setText(SerialText, " " + std::to_string(station_.device.serialNumber));
    recognizeModel(station_.device, bytes);
    window().setText(ModelText, " " + station_.device.modelName);
    goToState(station_, window(), SendConfiguration, RetryWait);
}

void CInitDlg::readConfiguration() {
    if (read().length != (rs485() ? 27 : 14)) {
        goToState(station_, window(), SendConfiguration, AnswerWait);
        return;
    }
    if (rs485()) {
        parseRs485Configuration();
        goToState(station_, window(), SendThreshold, RetryWait);  // the range came along
    } else {
        parseHartConfiguration();
        goToState(station_, window(), SendRange, RetryWait);
    }
}

void CInitDlg::readRange() {
    if (read().length == 30) {
        const auto& f = station_.frame;
        showRange(decodeFloat(&f[19], FloatLayout::Hart), decodeFloat(&f[15], FloatLayout::Hart),
                  f[14]);
        goToState(station_, window(), SendThreshold, RetryWait);
    } else {
        window().setText(RangeMinText, " ");
        window().setText(RangeMaxText, " ");
        goToState(station_, window(), SendRange, RetryWait);
    }
}

void CInitDlg::readThreshold() {
    if (read().length != (rs485() ? 21 : 22)) {
        goToState(station_, window(), SendThreshold, AnswerWait);
        return;
    }
    parseThreshold();
    goToState(station_, window(), SendFilter, FilterWait);
}

void CInitDlg::readFilter() {
    const int length = read().length;
    if (length != 16 && length != 9) {
        goToState(station_, window(), SendFilter, RetryWait);
        return;
    }
    window().stopTimer(ExchangeTimer);
    window().setText(ProgressText, FinishedText);
    parseFilter();
    station_.lastRead = doxa::ReadConfiguration{station_.device, station_.characteristic};
    ServiceRecord record =
        stationRecord(station_, RecordKind::Identification, RecordOutcome::Confirmed);
    record.asLeft = configurationValues(station_.device);
    keepRecord(station_, record);
}

void CInitDlg::parseHartConfiguration() {
    DeviceRecord& device = station_.device;
    const std::uint8_t configuration = station_.frame[hart::AnswerData];
    device.breakSignal = configuration >> 7;
    window().setText(BreakText, breakSignalText(device.breakSignal));
    const std::optional<int> output = device.isRivo ? outputTypeForConfiguration(configuration) : 0;
    if (output) {
        device.outputType = *output;
        window().setText(OutputText, outputTypeText(*output, device.isRivo != 0));
    }
    const int sensors = (configuration >> 4) & 0x03;
    device.connection = sensors <= 1 ? 0 : sensors - 1;
    showSensor(configuration & 0x0F);
}

void CInitDlg::parseRs485Configuration() {
    DeviceRecord& device = station_.device;
    const auto& f = station_.frame;
    const std::uint8_t flags = f[4];
    device.breakSignal = (flags & 0x10) ? 1 : 0;
    window().setText(BreakText, breakSignalText(device.breakSignal));
    device.thresholdActive = (flags & 0x04) ? 1 : 0;
    // "max" is 2 wherever the direction is written back, so that an unchanged configuration is
    // programmed unchanged.
    if (device.thresholdActive) device.thresholdDirection = (flags & 0x01) ? 2 : 1;
    showSensor(f[24] & 0x0F);
    showRange(registerFloat(f, 2), registerFloat(f, 6), device.unitCode);
}

void CInitDlg::showSensor(int code) {
    DeviceRecord& device = station_.device;
    if (const auto name = sensorName(code, device.isRtdOnly != 0)) {
        window().setText(SensorText, *name);
        device.sensorType = code;
    }
    if (device.connection == 1 || device.connection == 2)
        window().setText(SensorText, firstCharacters(window().text(SensorText), 40) +
                                         (device.connection == 1 ? ",2" : ",3"));
}

void CInitDlg::showRange(const DecodedFloat& low, const DecodedFloat& high, std::uint8_t unitCode) {
    station_.device.rangeMin = static_cast<float>(low.value);
    station_.device.rangeMax = static_cast<float>(high.value);
    window().setText(RangeMinText, fieldText(low, unitSuffix(unitCode)));
    window().setText(RangeMaxText, fieldText(high, unitSuffix(unitCode)));
}

void CInitDlg::parseThreshold() {
    DeviceRecord& device = station_.device;
    const auto& f = station_.frame;
    DecodedFloat threshold;
    DecodedFloat release;
    if (rs485()) {
        threshold = registerFloat(f, 0);
        release = registerFloat(f, 4);
    } else {
        const std::uint8_t mode = f[hart::AnswerData];
        device.thresholdActive = mode != 0 ? 1 : 0;
        if (mode != 0) device.thresholdDirection = mode;
        threshold = decodeFloat(&f[13], FloatLayout::Hart);
        release = decodeFloat(&f[17], FloatLayout::Hart);
    }
    if (device.thresholdActive) {
        const std::string_view unit = sensorUnit(device.sensorType);
        device.threshold = static_cast<float>(threshold.value);
        device.hysteresis = std::fabs(static_cast<float>(release.value) - device.threshold);
        window().setText(ThresholdText,
                         fieldText(threshold, unit) +
                             std::string(thresholdDirectionText(device.thresholdDirection)));
        window().setText(ReleaseText, fieldText(release, unit));
    } else {
        window().setText(ThresholdText, ThresholdInactiveText);
    }
    if (device.isRivo) {
        window().setText(ThresholdText, ThresholdAbsentText);
        device.thresholdActive = 0;
    }
}

void CInitDlg::parseFilter() {
    DeviceRecord& device = station_.device;
    const int position = rs485() ? 4 : hart::AnswerData;
    device.filterOrder = station_.frame[position];
    std::optional<int> seconds;
    if (device.filterOrder != 0) {
        seconds = filterTimeForCode(station_.frame[position + (rs485() ? 2 : 1)]);
        device.filterTime = seconds.value_or(UnknownFilterTime);
    }
    window().setText(FilterText, filterText(device.filterOrder, seconds));
}

}  // namespace doxa
