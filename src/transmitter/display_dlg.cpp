#include "transmitter/display_dlg.h"

#include <string>

#include "link/screen_text.h"
#include "link/hart.h"
#include "link/modbus.h"
#include "link/port.h"
#include "transmitter/code_tables.h"
#include "transmitter/model_recognition.h"
#include "transmitter/station.h"

namespace doxa {

namespace {

constexpr Request SensorRequest{.hartCommand = 147, .modbusStart = 0x0047, .modbusCount = 1};
constexpr Request PrimaryRequest{.hartCommand = 1, .modbusStart = 0x00DC, .modbusCount = 8};
constexpr Request OutputRequest{.hartCommand = 2};
constexpr Request AmbientRequest{.hartCommand = 202, .modbusStart = 0x0110, .modbusCount = 4};

constexpr int RetryWait = 100;
constexpr int AmbientWait = 200;
constexpr int CycleWait = 1000;
// Empty reads in a row after which a value is blanked, and after which the technician is told.
constexpr int MissedBeforeBlank = 3;
constexpr int MissedBeforeWarning = 6;
// What a field shows without a value: after answers missed, or when the value came as no number.
constexpr std::string_view PrimaryBlank = " ";
constexpr std::string_view OutputBlank = " mA";
constexpr std::string_view AmbientBlank = " °C";

std::string shownOrBlank(const DecodedFloat& value, const NumberShape& shape, std::string_view blank) {
    return value.isNumber() ? valueText(value, shape) : std::string(blank);
}

// The plot names a unit without the blank the display puts between value and unit.
std::string trimmedUnit(std::string_view suffix) {
    while (!suffix.empty() && suffix.front() == ' ') suffix.remove_prefix(1);
    return std::string(suffix);
}

}  // namespace

bool CDisplayDlg::rs485() const { return station_.link.transmissionMode == ModeRs485; }

void CDisplayDlg::onInit() {
    window().setText(ProgressText, ConnectingText);
    window().setText(LineErrorText, " ");
    if (!modelPrefill_.empty()) window().setText(ModelText, modelPrefill_);
    window().setVisible(Trend, static_cast<bool>(openTrend_));
    start();
}

void CDisplayDlg::onCommand(int id) {
    if (id == Trend && openTrend_)
        trend_ = openTrend_();
    else if (id != StopStart)
        DialogLogic::onCommand(id);
    else if (running_)
        stop();
    else
        start();
}

void CDisplayDlg::onChange(int id) {
    if (id != Address) return;
    const std::string typed = window().text(Address);
    // The 0 that replaced a refused entry is the program's, not the technician's: a keystroke
    // added to it ("-1" became "0", then "01") is still no address.
    const bool ontoRefusal =
        addressRefused_ && typed.size() > 1 && (typed.front() == '0' || typed.back() == '0');
    const std::optional<int> address = ontoRefusal ? std::nullopt : parsePollingAddress(typed);
    station_.device.pollingAddress = address.value_or(0);
    // A cleared field is left for the next digit; a refused address shows what is used instead.
    addressRefused_ = !address && !typed.empty();
    if (addressRefused_) window().setText(Address, "0");
}

void CDisplayDlg::onTimer(int timer) {
    if (timer != ExchangeTimer) return;
    switch (station_.link.exchangeState) {
        case SendIdentify:
            send(IdentifyRequest, ReadingText);
            break;
        case SendSensor:
            send(SensorRequest, ReadingText);
            break;
        case SendPrimary:
            send(PrimaryRequest, UI_TEXT("Odczyt PV"));
            break;
        case SendOutput:
            send(OutputRequest, UI_TEXT("Odczyt prądu wyjściowego"));
            break;
        case SendAmbient:
            send(AmbientRequest, UI_TEXT("Odczyt temperatury wewn."));
            break;
        case TurnIdentify:
        case TurnSensor:
        case TurnPrimary:
        case TurnOutput:
        case TurnAmbient:
            turn();
            break;
        case ReadIdentify:
            readIdentity();
            break;
        case ReadSensor:
            readSensor();
            break;
        case ReadPrimary:
            readPrimary();
            break;
        case ReadOutput:
            readOutput();
            break;
        case ReadAmbient:
            readAmbient();
            break;
        default:
            window().stopTimer(ExchangeTimer);
            break;
    }
}

void CDisplayDlg::onDestroy() {
    endExchange(station_, window());
    // The plot goes away with the dialog's window.
    trend_ = nullptr;
}

// Starts over with identification, whether the dialog opens or the technician presses
// UI_TEXT("Start").
void CDisplayDlg::start() {
    if (!ensurePortOpen(station_)) window().setText(ProgressText, PortFailedText);
    purge(station_);
    station_.link.exchangeState = SendIdentify;
    station_.frame.fill(0xFF);
    running_ = 1;
    missed_ = 0;
    cycle_ = {};
    window().setText(Address, std::to_string(station_.device.pollingAddress));
    window().setText(StopStart, UI_TEXT("Stop"));
    window().startTimer(ExchangeTimer, AnswerWait);
}

// The line is released at once; the timer runs out at the next request.
void CDisplayDlg::stop() {
    window().setText(StopStart, UI_TEXT("Start"));
    running_ = 0;
    releaseLine(station_);
}

void CDisplayDlg::next(int state, int ms) { goToState(station_, window(), state, ms); }

void CDisplayDlg::send(const Request& request, std::string_view progress) {
    if (!running_) {
        window().stopTimer(ExchangeTimer);
        return;
    }
    window().setText(ProgressText, progress);
    window().setText(LineErrorText, sendRequest(station_, request));
    next(station_.link.exchangeState + 1, station_.link.replyWait);
}

void CDisplayDlg::turn() {
    turnToReceive(station_);
    next(station_.link.exchangeState + 1, AnswerWait);
}

Reply CDisplayDlg::read() {
    Reply reply = readReply(station_);
    window().setText(LineErrorText, reply.lineErrors);
    return reply;
}

void CDisplayDlg::readIdentity() {
    if (!isIdentityLength(read().length)) {
        window().setText(LineErrorText, NoAnswerText);
        next(SendIdentify, RetryWait);
        return;
    }
    const ModelBytes bytes = takeIdentity(station_);
    const DeviceRecord& device = station_.device;
    if (recognizeDisplayModel(station_.device, bytes).hideAmbient) {
        window().setVisible(AmbientValue, false);
        window().setText(AmbientLabel, "");
    }
    window().setText(LineErrorText, "");
    window().setText(ModelText, device.modelName);
    window().setText(SerialText, std::to_string(device.serialNumber));
    next(SendSensor, RetryWait);
}

void CDisplayDlg::readSensor() {
    const int length = read().length;
    if (rs485()) {
        // The sensor name is a nicety on RS485: polling goes on without it.
        if (length == 7) showSensorName(station_.frame[4]);
    } else if (length == 14) {
        const std::uint8_t configuration = station_.frame[hart::AnswerData];
        if (configuration & 0x40) station_.device.outputType = 3;
        window().setText(LineErrorText, "");
        showSensorName(configuration & 0x0F);
    } else {
        window().setText(LineErrorText, NoAnswerText);
        forgetTransmitter();
        next(SendSensor, RetryWait);
        return;
    }
    next(SendPrimary, RetryWait);
}

void CDisplayDlg::readPrimary() {
    const int length = read().length;
    const auto& f = station_.frame;
    if (!rs485() && length == 18) {
        const DecodedFloat primary = decodeFloat(&f[13], FloatLayout::Hart);
        window().setText(PrimaryValue,
                         shownOrBlank(primary, measuredValueShape(f[hart::AnswerData]), PrimaryBlank));
        takePrimary(primary, f[hart::AnswerData]);
        missed_ = 0;
    } else if (rs485() && length == 21) {
        const DecodedFloat primary = registerFloat(f, 0);
        const DecodedFloat output = registerFloat(f, 4);
        window().setText(PrimaryValue, shownOrBlank(primary, measuredValueShape(station_.device.unitCode),
                                                    PrimaryBlank));
        window().setText(OutputValue, outputText(output));
        takePrimary(primary, station_.device.unitCode);
        takeOutput(output);
        missed_ = 0;
    } else if (missedAnswer(length)) {
        window().setText(PrimaryValue, PrimaryBlank);
    }
    next(rs485() ? SendAmbient : SendOutput, RetryWait);
}

void CDisplayDlg::readOutput() {
    const int length = read().length;
    window().setText(LineErrorText, " ");
    window().setText(ProgressText, " ");
    if (length == 21) {
        const DecodedFloat output =
            decodeFloat(&station_.frame[hart::AnswerData], FloatLayout::Hart);
        window().setText(OutputValue, outputText(output));
        takeOutput(output);
        missed_ = 0;
    } else if (missedAnswer(length)) {
        window().setText(OutputValue, OutputBlank);
    }
    if (readsAmbient()) {
        next(SendAmbient, AmbientWait);
    } else {
        endCycle();
        next(SendPrimary, CycleWait);
    }
}

void CDisplayDlg::readAmbient() {
    const int length = read().length;
    window().setText(LineErrorText, " ");
    window().setText(ProgressText, " ");
    if (length == (rs485() ? 13 : 18)) {
        const auto& f = station_.frame;
        const DecodedFloat ambient =
            rs485() ? registerFloat(f, 0) : decodeFloat(&f[13], FloatLayout::Hart);
        station_.device.ambientTemp = static_cast<float>(ambient.value);
        window().setText(AmbientValue, shownOrBlank(ambient, ambientTemperatureShape(), AmbientBlank));
        if (ambient.isNumber()) cycle_.ambient = ambient.value;
        missed_ = 0;
    } else if (missedAnswer(length)) {
        window().setText(AmbientValue, AmbientBlank);
    }
    endCycle();
    if (missed_ > MissedBeforeWarning) checkConnection();
    next(SendPrimary, CycleWait);
}

void CDisplayDlg::showSensorName(int code) {
    if (const auto name = displaySensorName(code, station_.device.isRtdOnly != 0))
        window().setText(SensorText, *name);
}

// A transmitter that stops answering during start-up may have been swapped: nothing it showed
// can be trusted any more.
void CDisplayDlg::forgetTransmitter() {
    for (int id : {PrimaryValue, OutputValue, AmbientValue, ModelText, SensorText})
        window().setText(id, "");
    window().setText(SerialText, "0");
}

std::string CDisplayDlg::outputText(const DecodedFloat& value) const {
    return shownOrBlank(value, outputValueShape(station_.device.outputType), OutputBlank);
}

bool CDisplayDlg::missedAnswer(int length) {
    if (length != 0) return false;
    ++missed_;
    return missed_ > MissedBeforeBlank;
}

// The ambient temperature is read from every 22, and from other transmitters only when their
// sensor is not one of the resistance codes 0..2 nor code 15; a SAWE-01 is never asked.
bool CDisplayDlg::readsAmbient() const {
    const DeviceRecord& device = station_.device;
    return device.isModel22 || (device.sensorType > 2 && device.sensorType != 15 && !device.isSawe);
}

// The box is modal, so no tick may come while it is up; the cycle then goes on as before.
void CDisplayDlg::checkConnection() {
    window().stopTimer(ExchangeTimer);
    window().messageBox(UI_TEXT("Sprawdź połączenie z przetwornikiem"));
}

// A value that came as no number is an answer, but nothing to plot.
void CDisplayDlg::takePrimary(const DecodedFloat& value, std::uint8_t unitCode) {
    if (!value.isNumber()) return;
    cycle_.primary = value.value;
    cycle_.primaryUnit = trimmedUnit(measuredValueShape(unitCode).suffix);
}

void CDisplayDlg::takeOutput(const DecodedFloat& value) {
    if (!value.isNumber()) return;
    cycle_.output = value.value;
    cycle_.outputUnit = trimmedUnit(outputValueShape(station_.device.outputType).suffix);
}

void CDisplayDlg::endCycle() {
    if (trend_) trend_->onLiveCycle(cycle_);
    cycle_ = {};
}

}  // namespace doxa
