#include "views/report.h"

#include <array>
#include <cmath>

#include "link/screen_text.h"
#include "link/value_codec.h"
#include "transmitter/device_record.h"

namespace doxa {

namespace {

constexpr int Digits = 10;

std::string sensorTypeName(int code, bool rtdOnly) {
    static constexpr std::array<std::string_view, 10> Names = {
        UI_TEXT("Rezystancja."), KEPT_TEXT("Pt100 (385)."), KEPT_TEXT("Ni100."), UI_TEXT("Napięcie."),
        KEPT_TEXT("TC K"), KEPT_TEXT("TC J"), KEPT_TEXT("TC S"), KEPT_TEXT("TC B"), KEPT_TEXT("TC N"),
        KEPT_TEXT("TC T")};
    static constexpr std::array<std::string_view, 10> RtdNames = {
        UI_TEXT("Rezystancja."), KEPT_TEXT("Pt100 (385)."), KEPT_TEXT("Pt100 (391)."),
        KEPT_TEXT("Ni100 (618)."), KEPT_TEXT("Ni100 (617)."), KEPT_TEXT("Cu100 (428)."),
        KEPT_TEXT("Cu100 (426)."), KEPT_TEXT("Cu50 (428)."), KEPT_TEXT("Cu50 (426)."), ""};
    if (code == 14 || code == 15) return KEPT_TEXT("y=f(x)");
    if (code < 0 || code > 9) return KEPT_TEXT("??????");
    return std::string(rtdOnly ? RtdNames[static_cast<std::size_t>(code)] : Names[static_cast<std::size_t>(code)]);
}

std::string unitText(int code, bool rtdOnly) {
    if (code == 0) return KEPT_TEXT(" Ohm");
    if (code == 3 && !rtdOnly) return KEPT_TEXT(" mV");
    return code >= 1 && code <= 9 ? KEPT_TEXT(" °C") : " ";
}

// The transmitter knows four filter times; any other reads as none.
std::string filterTimeText(int seconds) {
    const bool known = seconds == 1 || seconds == 2 || seconds == 5 || seconds == 10;
    return formatText(UI_TEXT("%1 sek"), {std::to_string(known ? seconds : 0)});
}

// A value the transmitter sent as no number shows as none.
std::string number(float value) { return std::isnan(value) ? "" : formatGeneral(value, Digits); }

}  // namespace

ReportHeader reportHeader(const DeviceRecord& device, const std::tm& today, int page, int pages) {
    char date[16];
    std::strftime(date, sizeof date, "%d.%m.%Y", &today);
    return {
        .model = formatText(UI_TEXT("Konfiguracja przetwornika typu : %1"), {device.modelName}),
        .serial = formatText(UI_TEXT("Numer seryjny : %1"), {std::to_string(device.serialNumber)}),
        .date = formatText(UI_TEXT("Data : %1"), {date}),
        .page = formatText(UI_TEXT(" Strona: %1/%2"), {std::to_string(page), std::to_string(pages)}),
    };
}

std::vector<std::string> reportLines(const DeviceRecord& device) {
    const bool rtdOnly = device.isRtdOnly != 0;
    const std::string unit = unitText(device.sensorType, rtdOnly);
    std::vector<std::string> lines;
    lines.push_back(formatText(UI_TEXT("Typ czujnika : %1"), {sensorTypeName(device.sensorType, rtdOnly)}));
    lines.push_back(device.breakSignal == 1 ? UI_TEXT("Sygnalizacja przerwy : na min")
                                            : UI_TEXT("Sygnalizacja przerwy : na max"));
    lines.push_back(formatText(UI_TEXT("Zakres min : %1"), {number(device.rangeMin) + unit}));
    lines.push_back(formatText(UI_TEXT("Zakres max : %1"), {number(device.rangeMax) + unit}));
    if (device.thresholdActive)
        lines.push_back(formatText(UI_TEXT("Próg : %1 , %2"), {number(device.threshold) + unit,
                                                             device.thresholdDirection == 1 ? "min" : "max"}));
    else
        lines.push_back(UI_TEXT("Próg : nie aktywny"));
    lines.push_back(formatText(UI_TEXT("Histereza : %1"), {number(device.hysteresis) + unit}));
    if (device.filterOrder != 0)
        lines.push_back(formatText(UI_TEXT("Filtracja : rząd:%1 , %2"),
                                   {std::to_string(device.filterOrder), filterTimeText(device.filterTime)}));
    else
        lines.push_back(UI_TEXT("Filtr : wyłączony"));
    lines.push_back(formatText(UI_TEXT("Adres : %1"), {std::to_string(device.pollingAddress)}));
    return lines;
}

}  // namespace doxa
