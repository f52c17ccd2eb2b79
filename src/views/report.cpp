#include "views/report.h"

#include <array>
#include <cmath>

#include "link/value_codec.h"
#include "transmitter/device_record.h"

namespace doxa {

namespace {

constexpr int Digits = 10;

std::string sensorTypeName(int code, bool rtdOnly) {
    static constexpr std::array<std::string_view, 10> Names = {
        "Rezystancja.", "Pt100 (385).", "Ni100.", "Napięcie.", "TC K", "TC J", "TC S", "TC B", "TC N", "TC T"};
    static constexpr std::array<std::string_view, 10> RtdNames = {
        "Rezystancja.", "Pt100 (385).", "Pt100 (391).", "Ni100 (618).", "Ni100 (617).",
        "Cu100 (428).", "Cu100 (426).", "Cu50 (428).",  "Cu50 (426).",  ""};
    if (code == 14 || code == 15) return "y=f(x)";
    if (code < 0 || code > 9) return "??????";
    return std::string(rtdOnly ? RtdNames[static_cast<std::size_t>(code)] : Names[static_cast<std::size_t>(code)]);
}

std::string unitText(int code, bool rtdOnly) {
    if (code == 0) return " Ohm";
    if (code == 3 && !rtdOnly) return " mV";
    return code >= 1 && code <= 9 ? " °C" : " ";
}

std::string filterTimeText(int seconds) {
    switch (seconds) {
        case 1: return "1 sek";
        case 2: return "2 sek";
        case 5: return "5 sek";
        case 10: return "10 sek";
        default: return "0 sek";
    }
}

// A value the transmitter sent as no number shows as none.
std::string number(float value) { return std::isnan(value) ? "" : formatGeneral(value, Digits); }

}  // namespace

ReportHeader reportHeader(const DeviceRecord& device, const std::tm& today, int page, int pages) {
    char date[16];
    std::strftime(date, sizeof date, "%d.%m.%Y", &today);
    return {
        .model = "Konfiguracja przetwornika typu : " + device.modelName,
        .serial = "Numer seryjny : " + std::to_string(device.serialNumber),
        .date = std::string("Data : ") + date,
        .page = " Strona: " + std::to_string(page) + "/" + std::to_string(pages),
    };
}

std::vector<std::string> reportLines(const DeviceRecord& device) {
    const bool rtdOnly = device.isRtdOnly != 0;
    const std::string unit = unitText(device.sensorType, rtdOnly);
    std::vector<std::string> lines;
    lines.push_back("Typ czujnika : " + sensorTypeName(device.sensorType, rtdOnly));
    lines.push_back(device.breakSignal == 1 ? "Sygnalizacja przerwy : na min" : "Sygnalizacja przerwy : na max");
    lines.push_back("Zakres min : " + number(device.rangeMin) + unit);
    lines.push_back("Zakres max : " + number(device.rangeMax) + unit);
    if (device.thresholdActive)
        lines.push_back("Próg : " + number(device.threshold) + unit +
                        (device.thresholdDirection == 1 ? " , min" : " , max"));
    else
        lines.push_back("Próg : nie aktywny");
    lines.push_back("Histereza : " + number(device.hysteresis) + unit);
    if (device.filterOrder != 0)
        lines.push_back("Filtracja : rząd:" + std::to_string(device.filterOrder) + " , " +
                        filterTimeText(device.filterTime));
    else
        lines.push_back("Filtr : wyłączony");
    lines.push_back("Adres : " + std::to_string(device.pollingAddress));
    return lines;
}

}  // namespace doxa
