#include <cstdio>
#include <ostream>
#include <string>

#include "cli/commands.h"
#include "cli/console.h"
#include "cli/exit_codes.h"
#include "link/screen_text.h"
#include "transmitter/sensor_conversion.h"

namespace doxa::cli {

namespace {

std::string knownSensors() {
    std::string list;
    for (const SensorCurveInfo& c : sensorCurves()) list += (list.empty() ? "" : ", ") + std::string(c.id);
    return list;
}

// Six decimals and no trailing zeros: finer than any reference instrument, and no numerical noise.
std::string decimal(double value) {
    char text[48];
    std::snprintf(text, sizeof text, "%.6f", value);
    std::string result = text;
    result.erase(result.find_last_not_of('0') + 1);
    if (result.back() == '.') result.pop_back();
    return result == "-0" ? "0" : result;
}

// Why the quantities given do not fit the sensor, or nothing.
std::string mismatch(const Invocation& invocation, const SensorCurveInfo& curve) {
    const bool thermocouple = curve.signal == SensorSignal::Millivolt;
    if (thermocouple && invocation.ohm)
        return formatText(UI_TEXT("--ohm dotyczy termometru rezystancyjnego; %1 daje mV"), {curve.id});
    if (!thermocouple && invocation.mv) return formatText(UI_TEXT("--mv dotyczy termopary; %1 daje Ohm"), {curve.id});
    if (!thermocouple && invocation.coldJunction) return UI_TEXT("--cold-junction dotyczy termopary");
    return {};
}

void print(const Invocation& invocation, const SensorCurveInfo& curve, double celsius, double signal,
           std::ostream& out) {
    const bool ohm = curve.signal == SensorSignal::Ohm;
    if (invocation.json) {
        out << "{\"celsius\": " << decimal(celsius) << ", \"" << (ohm ? "ohm" : "mv") << "\": " << decimal(signal)
            << "}\n";
    } else if (invocation.celsius) {
        out << decimal(signal) << (ohm ? " Ohm\n" : " mV\n");
    } else {
        out << decimal(celsius) << " °C\n";
    }
}

}  // namespace

int runConvert(const Invocation& invocation, Console& console, std::ostream& out) {
    const SensorCurveInfo* curve = findSensorCurve(invocation.sensor);
    if (!curve) {
        console.error(formatText(UI_TEXT("nieznany czujnik '%1' (znane: %2)"), {invocation.sensor, knownSensors()}));
        return ExitBadInput;
    }
    if (const std::string problem = mismatch(invocation, *curve); !problem.empty()) {
        console.error(problem);
        return ExitBadInput;
    }
    const double coldJunction = invocation.coldJunction.value_or(0.0);
    const double given = invocation.celsius ? *invocation.celsius : invocation.ohm ? *invocation.ohm : *invocation.mv;
    const Conversion converted =
        invocation.celsius ? signalAt(*curve, given, coldJunction) : celsiusAt(*curve, given, coldJunction);
    if (!converted.value) {
        console.error(converted.reason);
        return ExitBadInput;
    }
    const double celsius = invocation.celsius ? given : *converted.value;
    const double signal = invocation.celsius ? *converted.value : given;
    print(invocation, *curve, celsius, signal, out);
    return ExitOk;
}

}  // namespace doxa::cli
