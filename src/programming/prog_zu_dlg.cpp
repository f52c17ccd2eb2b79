#include "programming/prog_zu_dlg.h"

#include <array>
#include <string>
#include <string_view>

#include "dialog/radio_group.h"
#include "link/screen_text.h"
#include "dialog/typed_number.h"
#include "link/port.h"
#include "programming/prog_identify.h"
#include "transmitter/exchange.h"
#include "transmitter/station.h"

namespace doxa {

namespace {

constexpr int IdentifyStartWait = 200;
constexpr int CharacteristicIndex = 9;
constexpr int CharacteristicCode = 14;
constexpr std::uint8_t RtdOnlyModel = 11;
constexpr std::uint8_t NoAmbientBit = 0x08;

constexpr std::string_view ModelPattern = UI_TEXT("Typ przetwornika: %1");
constexpr std::string_view NotFoundText = UI_TEXT(
    "Przetwornik nie został odnaleziony Sprawdź podłączenie przetwornika i spróbuj ponownie");
constexpr std::string_view ChooseSensorText = UI_TEXT("Wybierz czujnik");

// By sensor index: the radio and the range a click loads.
struct Sensor {
    int radio;
    float min, max;
};
constexpr std::array<Sensor, 10> Sensors{{
    {CProgZUDlg::SensorResistance, 20, 380},
    {CProgZUDlg::SensorPt100At385, -200, 850},
    {CProgZUDlg::SensorPt100At391, -200, 850},
    {CProgZUDlg::SensorNi100At618, -60, 200},
    {CProgZUDlg::SensorNi100At617, -60, 180},
    {CProgZUDlg::SensorCu100At428, -180, 200},
    {CProgZUDlg::SensorCu100At426, -50, 200},
    {CProgZUDlg::SensorCu50At428, -180, 200},
    {CProgZUDlg::SensorCu50At426, -50, 200},
    {CProgZUDlg::SensorCharacteristic, 0, 100},
}};

constexpr std::array<int, 3> OrderRadios = {CProgZUDlg::Order0, CProgZUDlg::Order1,
                                            CProgZUDlg::Order2};
constexpr std::array<int, 2> BreakRadios = {CProgZUDlg::BreakMax, CProgZUDlg::BreakMin};

// The sensor radios in the order of the sensor table.
constexpr std::array<int, Sensors.size()> SensorRadios = [] {
    std::array<int, Sensors.size()> radios{};
    for (std::size_t i = 0; i < Sensors.size(); ++i) radios[i] = Sensors[i].radio;
    return radios;
}();

}  // namespace

CProgZUDlg::CProgZUDlg(Station& station)
    : CProgDlgBase(station, SequenceScope::RangeSensorFilter, NotFoundText, nullptr) {}

int CProgZUDlg::sensorCode() const {
    return sensorIndex_ == CharacteristicIndex ? CharacteristicCode : sensorIndex_;
}

std::optional<RangeLimits> CProgZUDlg::limits() const { return rangeLimits(sensorCode(), true); }

void CProgZUDlg::onInit() {
    DialogWindow& w = window();
    const DeviceRecord& device = station_.device;
    w.setText(StepText, " ");
    w.setText(ReplyText, " ");
    if (rs485()) {
        attempts_ = Ready;
    } else {
        w.setText(StepText, RecognizingText);
        w.messageBox(RecognitionNotice);
        attempts_ = 0;
    }
    sensorIndex_ =
        device.sensorType == CharacteristicCode ? CharacteristicIndex : device.sensorType;
    if (sensorIndex_ < 0 || sensorIndex_ >= static_cast<int>(Sensors.size())) sensorIndex_ = -1;
    rangeMin_ = device.rangeMin;
    rangeMax_ = device.rangeMax;
    filterOrderIndex_ = device.filterOrder;
    breakIndex_ = device.breakSignal;
    filterTime_ = device.filterTime;
    w.setText(ModelText, formatText(ModelPattern, {device.modelName}));
    showUnits();
    showMembers();
    openPortAndIdentify(IdentifyStartWait);
}

void CProgZUDlg::onCommand(int id) {
    for (std::size_t i = 0; i < Sensors.size(); ++i)
        if (Sensors[i].radio == id) {
            clickSensor(static_cast<int>(i));
            return;
        }
    switch (id) {
        case Send:
            send();
            break;
        case Table:
            openCharacteristicTable();
            break;
        case Order0:
            takeControls();
            filterTime_ = 0;
            filterOrderIndex_ = 0;
            showMembers();
            break;
        default:
            DialogLogic::onCommand(id);
    }
}

void CProgZUDlg::onFocus(int id, bool gained) {
    if (gained || (id != RangeMin && id != RangeMax)) return;
    takeControls();
    if (id == RangeMin)
        rangeMin_ = keepRangeEnd(rangeMin_, rangeMax_, RangeEnd::Lower, limits());
    else
        rangeMax_ = keepRangeEnd(rangeMax_, rangeMin_, RangeEnd::Upper, limits());
    showUnits();
    showMembers();
}

void CProgZUDlg::onScroll(int id, Scroll code) {
    takeControls();
    if (!stepRangeOrFilterSpin(id, code, {rangeMin_, rangeMax_, filterTime_, filterOrderIndex_},
                               limits()))
        return;
    showUnits();
    showMembers();
}

void CProgZUDlg::takeControls() {
    const DialogWindow& w = window();
    if (const auto value = parseDecimalNumber(w.text(RangeMin))) rangeMin_ = *value;
    if (const auto value = parseDecimalNumber(w.text(RangeMax))) rangeMax_ = *value;
    sensorIndex_ = checkedRadio(w, SensorRadios, sensorIndex_);
    filterOrderIndex_ = checkedRadio(w, OrderRadios, filterOrderIndex_);
    breakIndex_ = checkedRadio(w, BreakRadios, breakIndex_);
}

void CProgZUDlg::showMembers() {
    DialogWindow& w = window();
    w.setText(RangeMin, numberText(rangeMin_));
    w.setText(RangeMax, numberText(rangeMax_));
    w.setText(FilterTime, std::to_string(filterTime_));
    checkRadio(w, SensorRadios, sensorIndex_);
    checkRadio(w, OrderRadios, filterOrderIndex_);
    checkRadio(w, BreakRadios, breakIndex_);
}

void CProgZUDlg::showUnits() {
    const std::string_view unit = rangeUnitText(sensorCode(), true);
    window().setText(UnitMin, unit);
    window().setText(UnitMax, unit);
}

void CProgZUDlg::clickSensor(int index) {
    takeControls();
    sensorIndex_ = index;
    rangeMin_ = Sensors[static_cast<std::size_t>(index)].min;
    rangeMax_ = Sensors[static_cast<std::size_t>(index)].max;
    showUnits();
    showMembers();
}

void CProgZUDlg::identified() {
    DeviceRecord& device = station_.device;
    const IdentityBytes identity = identityBytes(station_);
    station_.identifiedSerial = identity.serial;
    if (identity.modelCode != RtdOnlyModel) {
        device.isRtdOnly = 0;
        window().messageBox(IncompatibleText);
        window().end(ResultCancel);
        return;
    }
    device.hasAmbient = (identity.variant & NoAmbientBit) ? 0 : 1;
    device.modelName = "SAWE-01";
    found_ = FoundIdentity{device.modelName, identity.serial};
    window().setText(ModelText, formatText(ModelPattern, {device.modelName}));
    finishIdentification(station_, window(), StepText, ReplyText);
    attempts_ = Ready;
}

void CProgZUDlg::send() {
    if (attempts_ != Ready) return;
    takeControls();
    if (sensorIndex_ < 0) {
        window().messageBox(ChooseSensorText);
        return;
    }
    if (const std::string refused =
            refusedRange(rangeMin_, rangeMax_, limits(), rangeUnitText(sensorCode(), true));
        !refused.empty()) {
        window().messageBox(refused, BoxIcon::Error);
        return;
    }
    DeviceRecord& device = station_.device;
    device.sensorType = sensorCode();
    device.rangeMin = rangeMin_;
    device.rangeMax = rangeMax_;
    device.filterTime = filterTime_;
    device.filterOrder = filterOrderIndex_;
    device.breakSignal = breakIndex_;
    const std::optional<ClearedWrite> cleared =
        prepareWrite(station_, window(), found_, sequence_.written());
    if (!cleared) return;
    sequence_.start(window(), isReadTransmitter(station_, found_), cleared->backupFile);
}

}  // namespace doxa
