#include "transmitter/code_tables.h"

#include <array>

#include "link/screen_text.h"

namespace doxa {

namespace {

constexpr std::string_view UserCharacteristic = UI_TEXT(" y=f(x)");

constexpr std::array<std::string_view, 10> StandardSensors{
    UI_TEXT(" Rezystancja"), UI_TEXT(" Pt 100"),      UI_TEXT(" Ni 100"),
    UI_TEXT(" Napięcie"),    UI_TEXT(" TC typu 'K'"), UI_TEXT(" TC typu 'J'"),
    UI_TEXT(" TC typu 'S'"), UI_TEXT(" TC typu 'B'"), UI_TEXT(" TC typu 'N'"),
    UI_TEXT(" TC typu T"),
};

constexpr std::array<std::string_view, 10> RtdSensors{
    UI_TEXT(" Rezystancja"),  UI_TEXT(" Pt 100 (385)"), UI_TEXT(" Pt 100 (391)"),
    UI_TEXT(" Ni 100 (619)"), UI_TEXT(" Ni 100 (617)"), UI_TEXT(" Cu 100 (428)"),
    UI_TEXT(" Cu 100 (426)"), UI_TEXT(" Cu 50 (428)"),  UI_TEXT(" Cu 50 (426)"),
    UI_TEXT(" TC typu T"),
};

struct FilterCode {
    std::uint8_t code;
    int seconds;
};
constexpr std::array<FilterCode, 5> FilterCodes{{{104, 0}, {112, 1}, {120, 2}, {124, 5}, {126, 10}}};

}  // namespace

std::optional<std::string_view> sensorName(int code, bool rtdOnly) {
    if (code == 14 || code == 15) return UserCharacteristic;
    if (code < 0 || code >= static_cast<int>(StandardSensors.size())) return std::nullopt;
    return rtdOnly ? RtdSensors[code] : StandardSensors[code];
}

std::optional<std::string_view> displaySensorName(int code, bool rtdOnly) {
    if (code == 18) return UserCharacteristic;
    if (code == 9 && rtdOnly) return std::nullopt;
    return sensorName(code, rtdOnly);
}

std::string_view sensorUnit(int code) {
    if (code == 0) return " Ohm";
    if (code == 3) return " mV";
    return " °C";
}

std::string_view unitSuffix(std::uint8_t unitCode) {
    switch (unitCode) {
    case UnitOhm: return " Ohm";
    case UnitMilliVolt: return " mV";
    case UnitCelsius: return " °C";
    default: return {};
    }
}

NumberShape measuredValueShape(std::uint8_t unitCode) {
    switch (unitCode) {
    case UnitOhm: return {2, "00", unitSuffix(unitCode)};
    case UnitMilliVolt: return {3, "000", unitSuffix(unitCode)};
    case UnitCelsius: return {1, "0", unitSuffix(unitCode)};
    default: return {};
    }
}

NumberShape outputValueShape(int outputType) {
    return {3, "000", outputType == OutputVoltage ? "V" : " mA"};
}

NumberShape ambientTemperatureShape() { return {1, "", " °C"}; }

std::string_view outputTypeText(int code, bool rivo) {
    static constexpr std::array<std::string_view, 4> Rivo{
        UI_TEXT(" prądowe 0...20mA"), UI_TEXT(" prądowe 4...20mA"), UI_TEXT(" prądowe 0...5mA"),
        UI_TEXT(" napięciowe")};
    if (!rivo) return code == 0 ? UI_TEXT(" 4...20mA") : std::string_view{};
    return code >= 0 && code < static_cast<int>(Rivo.size()) ? Rivo[code] : std::string_view{};
}

std::optional<int> outputTypeForConfiguration(std::uint8_t configuration) {
    switch (configuration & 0x70) {
    case 0x40: return OutputVoltage;
    case 0x20: return 2;
    case 0x10: return 1;
    case 0x00: return 0;
    default: return std::nullopt;
    }
}

std::string_view breakSignalText(int breakSignal) {
    return breakSignal ? UI_TEXT(" na min  ") : UI_TEXT(" na max  ");
}

std::string_view thresholdDirectionText(int direction) { return direction == 1 ? " , min" : " , max"; }

std::optional<int> filterTimeForCode(std::uint8_t code) {
    for (const FilterCode& f : FilterCodes)
        if (f.code == code) return f.seconds;
    return std::nullopt;
}

std::optional<std::uint8_t> filterCodeForTime(int seconds) {
    for (const FilterCode& f : FilterCodes)
        if (f.seconds == seconds) return f.code;
    return std::nullopt;
}

std::string filterText(int order, std::optional<int> seconds) {
    if (order == 0) return UI_TEXT(" wyłączony");
    return formatText(UI_TEXT("%1 sek ,rząd: %2"),
                      {seconds ? std::to_string(*seconds) : std::string(), std::to_string(order)});
}

}  // namespace doxa
