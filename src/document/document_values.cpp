#include "document/document_values.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <string_view>
#include <vector>

#include "link/screen_text.h"
#include "dialog/typed_number.h"
#include "transmitter/code_tables.h"
#include "transmitter/model_limits.h"

namespace doxa {

namespace {

// field, value, what is allowed
constexpr std::string_view RefusedPattern =
    UI_TEXT("Błędna wartość w pliku: %1 = %2 (dozwolone: %3)");
// field, value, model
constexpr std::string_view RefusedSensorPattern =
    UI_TEXT("Błędna wartość w pliku: %1 = %2 (niedostępny w przetworniku %3)");
constexpr std::string_view SensorTypeField = UI_TEXT("Typ czujnika");
constexpr std::string_view AnyNumber = UI_TEXT("liczba skończona");
constexpr std::string_view EitherPattern = UI_TEXT("%1 lub %2");
constexpr std::string_view PointPattern = UI_TEXT("Punkt %1 charakterystyki, %2");

constexpr int HighestFilterOrder = 2;        // the radio group "Rząd:" '0', '1', '2'
constexpr int HighestThresholdDirection = 2;  // 0 none, 1 "min", 2 "max"
constexpr float HighestHysteresis = 100;

// Models known to take the standard sensor list; any other name, and a file of no model at
// all, may come from a resistance-thermometer-only transmitter, which reads the same codes
// with the limits of its own list.
constexpr std::array<std::string_view, 6> StandardListModels{
    "DOXA-22", "RIVO-22", "DOXA-21-R", "RIVO-21-R", "DOXA-21-U", "RIVO-21-U"};

std::string refusal(std::string_view field, const std::string& value, std::string_view allowed) {
    return formatText(RefusedPattern, {field, value, allowed});
}

std::string limitsText(const RangeLimits& limits) {
    return numberText(limits.lower) + " … " + numberText(limits.upper);
}

// The limits a range end or a threshold of this sensor may lie in, one entry per sensor list
// the model may read the code by; empty when the sensor has no limits.
std::vector<RangeLimits> sensorLimits(const DeviceRecord& device) {
    std::vector<RangeLimits> limits;
    const auto standard = standardLimits(device.sensorType);
    if (!standard) return limits;
    limits.push_back(*standard);
    const bool standardOnly = std::find(StandardListModels.begin(), StandardListModels.end(),
                                        device.modelName) != StandardListModels.end();
    if (standardOnly) return limits;
    const auto rtd = rtdLimits(device.sensorType);
    if (!rtd) return {};
    if (rtd->lower != standard->lower || rtd->upper != standard->upper) limits.push_back(*rtd);
    return limits;
}

bool fitsAny(float value, const std::vector<RangeLimits>& limits) {
    return limits.empty() || std::any_of(limits.begin(), limits.end(), [value](const RangeLimits& l) {
               return value >= l.lower && value <= l.upper;
           });
}

std::string refusedNumber(std::string_view field, float value,
                          const std::vector<RangeLimits>& limits) {
    if (std::isfinite(value) && fitsAny(value, limits)) return {};
    if (limits.empty()) return refusal(field, numberText(value), AnyNumber);
    std::string allowed = limitsText(limits.front());
    for (std::size_t i = 1; i < limits.size(); ++i)
        allowed = formatText(EitherPattern, {allowed, limitsText(limits[i])});
    return refusal(field, numberText(value), allowed);
}

std::string refusedWhole(std::string_view field, int value, int lowest, int highest) {
    if (value >= lowest && value <= highest) return {};
    return refusal(field, std::to_string(value),
                   std::to_string(lowest) + " … " + std::to_string(highest));
}

std::string refusedCodes(const DeviceRecord& device) {
    if (!sensorName(device.sensorType, false))
        return refusal(SensorTypeField, std::to_string(device.sensorType), "0 … 9, 14, 15");
    if (!characteristicOffered(device.sensorType, device.modelName))
        return formatText(RefusedSensorPattern,
                          {SensorTypeField, std::to_string(device.sensorType), device.modelName});
    if (!filterCodeForTime(device.filterTime))
        return refusal(UI_TEXT("Czas filtru"), std::to_string(device.filterTime), "0, 1, 2, 5, 10");
    for (const std::string& refused :
         {refusedWhole(UI_TEXT("Rząd filtru"), device.filterOrder, 0, HighestFilterOrder),
          refusedWhole(UI_TEXT("Sygnalizacja przerwy"), device.breakSignal, 0, 1),
          refusedWhole(UI_TEXT("Próg aktywny"), device.thresholdActive, 0, 1),
          refusedWhole(UI_TEXT("Kierunek progu"), device.thresholdDirection, 0,
                       HighestThresholdDirection)})
        if (!refused.empty()) return refused;
    return {};
}

// The threshold is held to the sensor's limits only while it is on: a transmitter whose
// threshold is off keeps whatever value it had, and so does its file.
std::string refusedNumbers(const DeviceRecord& device) {
    const std::vector<RangeLimits> limits = sensorLimits(device);
    const std::vector<RangeLimits> thresholdLimits = device.thresholdActive ? limits
                                                                            : std::vector<RangeLimits>{};
    const std::vector<RangeLimits> hysteresisLimits =
        device.thresholdActive ? std::vector<RangeLimits>{{0, HighestHysteresis, std::nullopt}}
                               : std::vector<RangeLimits>{};
    for (const std::string& refused :
         {refusedNumber(UI_TEXT("Zakres min"), device.rangeMin, limits),
          refusedNumber(UI_TEXT("Zakres max"), device.rangeMax, limits),
          refusedNumber(UI_TEXT("Próg"), device.threshold, thresholdLimits),
          refusedNumber(UI_TEXT("Histereza"), device.hysteresis, hysteresisLimits)})
        if (!refused.empty()) return refused;
    return {};
}

std::string refusedPoints(const Characteristic& characteristic) {
    const int count = characteristic.characteristicCount;
    if (std::string refused = refusedWhole(UI_TEXT("Ilość punktów charakterystyki"), count, 0,
                                           Characteristic::MaxPoints);
        !refused.empty())
        return refused;
    for (int i = 0; i < count; ++i) {
        const std::string number = std::to_string(i + 1);
        for (const std::string& refused :
             {refusedNumber(formatText(PointPattern, {number, "x"}), characteristic.x(i), {}),
              refusedNumber(formatText(PointPattern, {number, "y"}), characteristic.y(i), {})})
            if (!refused.empty()) return refused;
    }
    return {};
}

}  // namespace

std::string refusedDocumentValue(const DeviceRecord& device, const Characteristic& characteristic) {
    for (const std::string& refused :
         {refusedCodes(device), refusedNumbers(device), refusedPoints(characteristic)})
        if (!refused.empty()) return refused;
    return {};
}

}  // namespace doxa
