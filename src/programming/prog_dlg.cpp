#include "programming/prog_dlg.h"

#include <algorithm>
#include <initializer_list>
#include <string>
#include <string_view>

#include "dialog/radio_group.h"
#include "link/screen_text.h"
#include "dialog/typed_number.h"
#include "link/port.h"
#include "programming/output_type_dlg.h"
#include "programming/prog_identify.h"
#include "transmitter/exchange.h"
#include "transmitter/model_recognition.h"
#include "transmitter/station.h"

namespace doxa {

namespace {

constexpr int IdentifyStartWait = 1000;
constexpr int CodeCharacteristicR = 14;
constexpr int CodeCharacteristicU = 15;
// 21-series transmitters below this serial number take a resistance characteristic as code 15.
constexpr int FirstSerialWithCode14 = 4000;
constexpr float LeastHysteresis = 1;
constexpr float MostHysteresis = 100;

constexpr std::string_view ModelPattern = UI_TEXT("Typ przetwornika: %1");
constexpr std::string_view NotFoundText = UI_TEXT(
    "Przetwornik nie został odnaleziony Sprawdź podłączenie przetwornika lub ustaw prąd "
    "powyzej 6 mA i spróbuj ponownie");
constexpr std::string_view WrongAddressText = UI_TEXT("Błędny adres. Wprowadź liczbę od 0 do 127");
constexpr std::string_view TypeTNotice =
    UI_TEXT("Termopara typu T dostępna w przetwornikach od numery fabrycznego 2772/00");

constexpr std::array<int, 3> OrderRadios = {CProgDlg::Order0, CProgDlg::Order1, CProgDlg::Order2};
constexpr std::array<int, 2> BreakRadios = {CProgDlg::BreakMax, CProgDlg::BreakMin};
constexpr std::array<int, 4> CountRadios = {CProgDlg::Count1, CProgDlg::Count2, CProgDlg::Count3,
                                            CProgDlg::Count4};

bool isOneOf(std::string_view name, std::initializer_list<std::string_view> names) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

}  // namespace

// Radio, code, and the defaults a click loads: range, threshold, hysteresis.
const std::array<CProgDlg::Sensor, 12> CProgDlg::Sensors{{
    {SensorPt100, 1, -200, 850, 800, 10},
    {SensorNi100, 2, -60, 200, 200, 10},
    {SensorResistance, 0, 25, 375, 350, 10},
    {SensorK, 4, -250, 1350, 1300, 50},
    {SensorJ, 5, -200, 1200, 1100, 50},
    {SensorS, 6, -50, 1750, 1700, 50},
    {SensorB, 7, 220, 1820, 1800, 50},
    {SensorN, 8, -200, 1300, 1200, 50},
    {SensorT, 9, -260, 400, 300, 50},
    {SensorVoltage, 3, -10, 90, 80, 5},
    {CharacteristicR, CodeCharacteristicR, 0, 100, 50, 10},
    {CharacteristicU, CodeCharacteristicU, 0, 100, 50, 10},
}};

CProgDlg::CProgDlg(Station& station)
    : CProgDlgBase(station, SequenceScope::Full, NotFoundText, [this] { showMembers(); }) {}

std::optional<RangeLimits> CProgDlg::limits() const { return rangeLimits(sensorType_, false); }

void CProgDlg::onInit() {
    DialogWindow& w = window();
    const DeviceRecord& device = station_.device;
    inputs_ = SequenceInputs{};
    w.setText(ReplyText, " ");
    sensorType_ = device.sensorType;
    rangeMin_ = device.rangeMin;
    rangeMax_ = device.rangeMax;
    threshold_ = device.threshold;
    hysteresis_ = device.hysteresis;
    filterOrderIndex_ = device.filterOrder;
    breakIndex_ = device.breakSignal;
    inputs_.sensorCountIndex = device.connection;
    filterTime_ = device.filterTime;
    thresholdActive_ = device.thresholdActive;
    inputs_.newAddress = device.pollingAddress;
    if (rs485()) {
        attempts_ = Ready;
        showThreshold();
        // Over RS485 a threshold that is off stays off: its value cannot be written here.
        if (!thresholdActive_) w.setEnabled(ThresholdOnOff, false);
    } else {
        w.setText(StepText, RecognizingText);
        w.messageBox(RecognitionNotice);
        attempts_ = 0;
    }
    checkRecordSensor();
    showUnits();
    w.setText(ModelText, formatText(ModelPattern, {device.modelName}));
    w.setText(Address, std::to_string(device.pollingAddress));
    w.setReadOnly(Address, true);
    showMembers();
    openPortAndIdentify(IdentifyStartWait);
}

void CProgDlg::onCommand(int id) {
    if (const auto sensor = std::find_if(Sensors.begin(), Sensors.end(),
                                         [id](const Sensor& s) { return s.radio == id; });
        sensor != Sensors.end()) {
        clickSensor(*sensor);
        return;
    }
    switch (id) {
        case Send:
            send();
            break;
        case ThresholdOnOff:
            thresholdActive_ = window().isChecked(ThresholdOnOff) ? 1 : 0;
            showThreshold();
            break;
        case ProgramAddress:
            takeControls();
            window().setReadOnly(Address, false);
            break;
        case OutputType:
            chooseOutputType();
            break;
        case Table:
            openCharacteristicTable();
            break;
        default:
            DialogLogic::onCommand(id);
    }
}

void CProgDlg::onFocus(int id, bool gained) {
    if (gained || id < RangeMin || id > Hysteresis) return;
    takeControls();
    switch (id) {
        case RangeMin:
            rangeMin_ = keepRangeEnd(rangeMin_, rangeMax_, RangeEnd::Lower, limits());
            break;
        case RangeMax:
            rangeMax_ = keepRangeEnd(rangeMax_, rangeMin_, RangeEnd::Upper, limits());
            break;
        case Threshold:
            threshold_ = keepInLimits(threshold_, limits());
            break;
        default:
            hysteresis_ = std::clamp(hysteresis_, LeastHysteresis, MostHysteresis);
            break;
    }
    showMembers();
}

void CProgDlg::onScroll(int id, Scroll code) {
    takeControls();
    if (!stepRangeOrFilterSpin(id, code, {rangeMin_, rangeMax_, filterTime_, filterOrderIndex_},
                               limits())) {
        switch (id) {
            case ThresholdSpin:
                threshold_ = keepInLimits(spinStep(threshold_, code), limits());
                break;
            case HysteresisSpin:
                if (const float stepped = spinStep(hysteresis_, code);
                    stepped > 0 && stepped < MostHysteresis)
                    hysteresis_ = stepped;
                break;
            default:
                return;
        }
    }
    showUnits();
    showMembers();
}

void CProgDlg::takeControls() {
    const DialogWindow& w = window();
    const auto take = [&w](int id, float& member) {
        if (const auto value = parseDecimalNumber(w.text(id))) member = *value;
    };
    take(RangeMin, rangeMin_);
    take(RangeMax, rangeMax_);
    take(Threshold, threshold_);
    take(Hysteresis, hysteresis_);
    filterOrderIndex_ = checkedRadio(w, OrderRadios, filterOrderIndex_);
    breakIndex_ = checkedRadio(w, BreakRadios, breakIndex_);
    inputs_.sensorCountIndex = checkedRadio(w, CountRadios, inputs_.sensorCountIndex);
    inputs_.sensorsActive = w.isChecked(SensorsActive) ? 1 : 0;
    inputs_.programAddress = w.isChecked(ProgramAddress) ? 1 : 0;
    thresholdActive_ = w.isChecked(ThresholdOnOff) ? 1 : 0;
}

void CProgDlg::showMembers() {
    DialogWindow& w = window();
    w.setText(RangeMin, numberText(rangeMin_));
    w.setText(RangeMax, numberText(rangeMax_));
    w.setText(Threshold, numberText(threshold_));
    w.setText(Hysteresis, numberText(hysteresis_));
    w.setText(FilterTime, std::to_string(filterTime_));
    checkRadio(w, OrderRadios, filterOrderIndex_);
    checkRadio(w, BreakRadios, breakIndex_);
    checkRadio(w, CountRadios, inputs_.sensorCountIndex);
    w.setChecked(SensorsActive, inputs_.sensorsActive != 0);
    w.setChecked(ProgramAddress, inputs_.programAddress != 0);
    w.setChecked(ThresholdOnOff, thresholdActive_ != 0);
}

void CProgDlg::showUnits() {
    const std::string_view unit = rangeUnitText(sensorType_, false);
    for (int id : std::initializer_list<int>{UnitMin, UnitMax, UnitThreshold, UnitHysteresis})
        window().setText(id, unit);
}

void CProgDlg::checkSensorRadio(int radio) {
    for (const Sensor& sensor : Sensors) window().setChecked(sensor.radio, sensor.radio == radio);
}

void CProgDlg::checkRecordSensor() {
    const std::string& model = station_.device.modelName;
    int radio = 0;
    if (sensorType_ == CodeCharacteristicR) {
        if (characteristicOffered(sensorType_, model)) radio = CharacteristicR;
    } else if (sensorType_ == CodeCharacteristicU) {
        if (characteristicOffered(sensorType_, model)) radio = CharacteristicU;
    } else {
        for (const Sensor& sensor : Sensors)
            if (sensor.code == sensorType_ && sensor.code < CodeCharacteristicR)
                radio = sensor.radio;
    }
    checkSensorRadio(radio);
}

// The direction shown is always one of the two, so that a threshold switched on always has
// one; 1 is "min", anything else "max".
void CProgDlg::showThreshold() {
    DialogWindow& w = window();
    w.setChecked(ThresholdOnOff, thresholdActive_ != 0);
    if (!w.isChecked(DirectionMin) && !w.isChecked(DirectionMax)) {
        const bool min = station_.device.thresholdDirection == 1;
        w.setChecked(DirectionMin, min);
        w.setChecked(DirectionMax, !min);
    }
    w.setVisible(DirectionMin, thresholdActive_ != 0);
    w.setVisible(DirectionMax, thresholdActive_ != 0);
}

void CProgDlg::clickSensor(const Sensor& sensor) {
    DialogWindow& w = window();
    if (!w.isChecked(sensor.radio)) return;
    // The sensor buttons stand in several groups; only one of them is ever chosen.
    checkSensorRadio(sensor.radio);
    sensorType_ = sensor.code;
    if (sensor.radio == CharacteristicR && !station_.device.isModel22)
        sensorType_ = CodeCharacteristicU;
    showUnits();
    rangeMin_ = sensor.min;
    rangeMax_ = sensor.max;
    threshold_ = sensor.threshold;
    hysteresis_ = sensor.hysteresis;
    w.setText(RangeMin, numberText(rangeMin_));
    w.setText(RangeMax, numberText(rangeMax_));
    w.setText(Threshold, numberText(threshold_));
    w.setText(Hysteresis, numberText(hysteresis_));
    if (sensor.radio == SensorT) w.messageBox(TypeTNotice);
}

int CProgDlg::sensorFromRadios() const {
    for (const Sensor& sensor : Sensors) {
        if (!window().isChecked(sensor.radio)) continue;
        if (sensor.radio == CharacteristicR && station_.device.isModel22 == 0 &&
            station_.identifiedSerial < FirstSerialWithCode14)
            return CodeCharacteristicU;
        return sensor.code;
    }
    return 0;
}

void CProgDlg::identified() {
    DeviceRecord& device = station_.device;
    const IdentityBytes identity = identityBytes(station_);
    station_.identifiedSerial = identity.serial;
    recognizeModel(device, ModelBytes{identity.modelCode, identity.variant, identity.variant});
    found_ = FoundIdentity{device.modelName, identity.serial};
    if (device.isRtdOnly) {
        window().messageBox(IncompatibleText);
        window().end(ResultCancel);
        return;
    }
    fitControlsToModel();
    checkRecordSensor();
    showUnits();
    showThreshold();
    window().setText(ModelText, formatText(ModelPattern, {device.modelName}));
    window().setReadOnly(Address, true);
    showMembers();
    finishIdentification(station_, window(), StepText, ReplyText);
    attempts_ = Ready;
}

void CProgDlg::fitControlsToModel() {
    DialogWindow& w = window();
    const std::string& model = station_.device.modelName;
    if (isOneOf(model, {"DOXA-21-R", "SAWE-01", "KE-22/R", "ZU", "RIVO-21-R"})) {
        for (int id : std::initializer_list<int>{SensorK, SensorJ, SensorS, SensorB, SensorVoltage,
                                                 SensorN, SensorT, CharacteristicU})
            w.setEnabled(id, false);
        if (isOneOf(model, {"SAWE-01", "ZU"})) w.setEnabled(ThresholdOnOff, false);
    }
    if (isOneOf(model, {"DOXA-21-U", "KE-22/U", "RIVO-21-U"}))
        for (int id : std::initializer_list<int>{SensorPt100, SensorNi100, SensorResistance,
                                                 CharacteristicR})
            w.setEnabled(id, false);
    if (isOneOf(model, {"RIVO-21-U", "RIVO-21-R"})) {
        w.setEnabled(ThresholdOnOff, false);
        w.setEnabled(SensorsActive, false);
    }
}

void CProgDlg::send() {
    if (attempts_ != Ready) return;
    takeControls();
    const std::optional<int> address = parsePollingAddress(window().text(Address));
    if (!address) {
        window().messageBox(WrongAddressText);
        return;
    }
    inputs_.newAddress = *address;
    sensorType_ = sensorFromRadios();
    // A range from a file reaches "Wyślij" without passing the edits' range rule.
    if (const std::string refused =
            refusedRange(rangeMin_, rangeMax_, limits(), rangeUnitText(sensorType_, false));
        !refused.empty()) {
        window().messageBox(refused, BoxIcon::Error);
        return;
    }
    DeviceRecord& device = station_.device;
    device.sensorType = sensorType_;
    device.rangeMin = rangeMin_;
    device.rangeMax = rangeMax_;
    device.threshold = threshold_;
    device.hysteresis = hysteresis_;
    device.thresholdActive = thresholdActive_;
    device.thresholdDirection = 0;
    if (window().isChecked(DirectionMin)) device.thresholdDirection = 1;
    if (window().isChecked(DirectionMax)) device.thresholdDirection = 2;
    device.filterTime = filterTime_;
    device.filterOrder = filterOrderIndex_;
    device.breakSignal = breakIndex_;
    device.connection = inputs_.sensorCountIndex;
    const std::optional<ClearedWrite> cleared =
        prepareWrite(station_, window(), found_, sequence_.written());
    if (!cleared) return;
    sequence_.start(window(), isReadTransmitter(station_, found_), cleared->backupFile);
}

void CProgDlg::chooseOutputType() {
    COutputTypeDlg output(station_);
    output.outputType = station_.device.outputType;
    window().runChild(output);
    station_.device.outputType = output.outputType;
}

}  // namespace doxa
