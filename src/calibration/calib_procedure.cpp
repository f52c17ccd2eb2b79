#include "calibration/calib_procedure.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <chrono>
#include <cstdio>

#include "link/screen_text.h"
#include "dialog/typed_number.h"
#include "transmitter/sensor_conversion.h"

namespace doxa::calibration {

namespace {

// The curves of the sensor codes, in the order of the identification's two lists. Codes 0
// (resistance) and 3 of the standard list (voltage) follow no curve. The RTD-only model's
// nickel entry reads "(619)" on screen; the transmitter follows the 0.00618 curve.
constexpr std::array<std::string_view, 10> StandardCurves{"",  "pt100-385", "ni100-618", "",  "k",
                                                          "j", "s",         "b",         "n", "t"};
constexpr std::array<std::string_view, 10> RtdCurves{
    "",          "pt100-385", "pt100-391", "ni100-618", "ni100-617",
    "cu100-428", "cu100-426", "cu50-428",  "cu50-426",  "t"};

std::string_view curveOf(const DeviceRecord& device) {
    if (device.sensorType < 0 || device.sensorType >= static_cast<int>(StandardCurves.size()))
        return {};
    const auto index = static_cast<std::size_t>(device.sensorType);
    return device.isRtdOnly ? RtdCurves[index] : StandardCurves[index];
}

// The unit the transmitter reads its input in. Not the threshold's unit table: that one knows
// only the standard list, and on the RTD-only model code 3 is a nickel sensor, read in °C.
std::string readingUnitOf(const DeviceRecord& device) {
    if (device.sensorType == 0) return "Ohm";
    if (device.sensorType == 3 && !device.isRtdOnly) return "mV";
    return std::string(Celsius);
}

std::string printed(const char* format, double value) {
    char text[48];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

}  // namespace

InputSetup inputSetup(const DeviceRecord& device) {
    InputSetup setup;
    setup.sensor = std::string(curveOf(device));
    setup.readingUnit = readingUnitOf(device);
    setup.appliedUnit = setup.readingUnit;
    if (const SensorCurveInfo* curve = findSensorCurve(setup.sensor))
        setup.appliedUnit = curve->signal == SensorSignal::Ohm ? "Ohm" : "mV";
    setup.rangeLow = device.rangeMin;
    setup.rangeHigh = device.rangeMax;
    return setup;
}

std::optional<std::vector<double>> parseTestPoints(std::string_view text) {
    std::vector<double> points;
    std::string word;
    const auto take = [&] {
        if (word.empty()) return true;
        const auto value = typedDecimal(word);
        word.clear();
        if (!value || *value < 0 || *value > 100) return false;
        points.push_back(*value);
        return true;
    };
    for (const char c : text) {
        if (c == ';' || c == ' ' || c == '\t') {
            if (!take()) return std::nullopt;
        } else {
            word += c;
        }
    }
    if (!take() || points.size() < 2 || points.size() > MaxTestPoints) return std::nullopt;
    return points;
}

Conversion nominalInput(const CalibrationConditions& c, double percent) {
    const double reading = c.rangeLow + (c.rangeHigh - c.rangeLow) * percent / 100;
    if (c.appliedUnit == c.readingUnit) return {reading, {}};
    const SensorCurveInfo* curve = findSensorCurve(c.sensor);
    if (!curve) return {std::nullopt, UI_TEXT("brak charakterystyki czujnika")};
    return c.readingUnit == Celsius ? signalAt(*curve, reading, c.coldJunctionCelsius)
                                    : celsiusAt(*curve, reading, c.coldJunctionCelsius);
}

double nominalOutput(const CalibrationConditions& c, double percent) {
    return c.outputLow + (c.outputHigh - c.outputLow) * percent / 100;
}

std::string instrumentRefusal(const ReferenceInstrument& instrument, std::string_view today) {
    if (instrument.due.empty())
        return formatText(UI_TEXT("Przyrząd „%1” nie ma daty ważności wzorcowania – nie może być użyty"),
                          {instrument.name});
    if (instrument.due < today)
        return formatText(UI_TEXT("Wzorcowanie przyrządu „%1” wygasło %2 – wybierz inny przyrząd"),
                          {instrument.name, instrument.due});
    return {};
}

std::string todayText() {
    const std::chrono::year_month_day today{
        std::chrono::floor<std::chrono::days>(std::chrono::system_clock::now())};
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02u-%02u", static_cast<int>(today.year()),
                  static_cast<unsigned>(today.month()), static_cast<unsigned>(today.day()));
    return text;
}

double spreadOf(const std::vector<double>& readings) {
    if (readings.empty()) return 0;
    const auto [low, high] = std::minmax_element(readings.begin(), readings.end());
    return *high - *low;
}

std::optional<double> typedDecimal(std::string_view text) {
    const auto typed = parseDecimalNumber(text);
    if (!typed) return std::nullopt;
    char digits[32];
    const auto end = std::to_chars(digits, digits + sizeof digits, *typed).ptr;
    double value = 0;
    std::from_chars(digits, end, value);
    return value;
}

std::string pointLine(const CalibrationPoint& point, const CalibrationConditions& c) {
    const bool input = point.channel == CalibrationChannel::Input;
    // Each part joins the line as a pattern around what came before, so that the finished line
    // is found again part by part in another language.
    std::string line = formatText(input ? UI_TEXT("%1, wejście %2: wzorzec %3") : UI_TEXT("%1, wyjście %2: wzorzec %3"),
                                  {phaseText(point.phase), printed("%g %%", point.percent),
                                   printed("%.3f ", point.applied) + (input ? c.appliedUnit : c.outputUnit)});
    if (const auto mean = meanOf(point.readings))
        line = formatText(UI_TEXT("%1, odczyt %2 (rozrzut %3)"),
                          {line, printed("%.3f ", *mean) + (input ? c.readingUnit : c.outputUnit),
                           printed("%.3f", spreadOf(point.readings))});
    const PointResult& r = point.result;
    if (r.error) line = formatText(UI_TEXT("%1, błąd %2"), {line, printed("%+.3f ", *r.error) + r.errorUnit});
    if (r.otherError) line += printed(" (%+.3f ", *r.otherError) + r.otherUnit + ")";
    if (r.within) line = formatText(*r.within ? UI_TEXT("%1 – zgodny") : UI_TEXT("%1 – niezgodny"), {line});
    if (!r.reason.empty()) line = formatText(UI_TEXT("%1 – %2"), {line, r.reason});
    return line;
}

}  // namespace doxa::calibration
