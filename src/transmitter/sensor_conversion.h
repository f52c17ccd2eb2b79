#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace doxa {

// What a sensor puts on its terminals: a resistance or a thermoelectric voltage.
enum class SensorSignal { Ohm, Millivolt };

// A converted value, or why there is none (the value outside the curve's valid range).
struct Conversion {
    std::optional<double> value;
    std::string reason;
};

// One standard curve and where the standard defines it.
struct SensorCurveInfo {
    std::string_view id;  // pt100-385, k, ...
    SensorSignal signal;
    double lowCelsius;
    double highCelsius;
    // A thermocouple whose voltage is ambiguous near its low end is read back only from here on.
    double lowestReadCelsius;
};

std::span<const SensorCurveInfo> sensorCurves();
const SensorCurveInfo* findSensorCurve(std::string_view id);

// Ohm or mV the sensor gives at `celsius`; a thermocouple's voltage is measured against its cold
// junction at `coldJunction` °C.
Conversion signalAt(const SensorCurveInfo& curve, double celsius, double coldJunction = 0.0);
// The temperature at which the sensor gives `signal` (Ohm or mV).
Conversion celsiusAt(const SensorCurveInfo& curve, double signal, double coldJunction = 0.0);

}  // namespace doxa
