#include <array>
#include <charconv>
#include <cmath>
#include <string>

#include "calibration/calib_procedure.h"
#include "cli/console_window.h"
#include "cli/identification.h"
#include "cli/session.h"
#include "cli/text_format.h"
#include "transmitter/code_tables.h"
#include "transmitter/ident_dlg.h"
#include "transmitter/station.h"

namespace doxa::cli {

namespace {

constexpr std::string_view Null = "null";

// The output types by their codes, in the order of the texts the identification shows for them.
std::string_view outputTypeId(int code, bool rivo) {
    static constexpr std::array<std::string_view, 4> Rivo{"current_0_20ma", "current_4_20ma", "current_0_5ma",
                                                          "voltage"};
    if (!rivo) return code == 0 ? "current_4_20ma" : "";
    return code >= 0 && code < static_cast<int>(Rivo.size()) ? Rivo[code] : "";
}

// A sensor with a standard curve goes by the id `doxa-cli convert --sensor` takes; the inputs
// without one by what they read.
std::string sensorId(const DeviceRecord& device) {
    const calibration::InputSetup input = calibration::inputSetup(device);
    if (!input.sensor.empty()) return input.sensor;
    if (input.readingUnit == "Ohm") return "resistance";
    if (input.readingUnit == "mV") return "voltage";
    return "user_characteristic";
}

std::string quotedOrNull(std::string_view text) { return text.empty() ? std::string(Null) : jsonString(text); }

// The JSON members of one object, in the order they are added.
class Members {
public:
    void add(std::string_view key, std::string json) {
        text_ += (text_.empty() ? "" : ", ") + jsonString(key) + ": " + json;
    }
    // A value the dialog showed as a number with its unit, under `key` and the unit's key.
    // `readable` is false for a value the transmitter sent as no number: its bytes are shown
    // decoded all the same, and that is no value to give a script.
    void addMeasured(std::string_view key, std::string_view unitKey, std::string_view shown, bool readable) {
        const ValueText value = splitValue(shown);
        const bool hasNumber = !value.number.empty();
        add(key, hasNumber && readable ? shownNumberJson(value.number) : std::string(Null));
        if (!unitKey.empty()) add(unitKey, hasNumber ? quotedOrNull(value.unit) : std::string(Null));
    }
    const std::string& text() const { return text_; }

private:
    std::string text_;
};

class IdentificationValues {
public:
    IdentificationValues(const ConsoleWindow& window, const Session& session)
        : window_(window), device_(session.station().device), rs485_(session.line().rs485) {}

    std::string json() {
        addIdentity();
        addRange();
        addThreshold();
        addFilter();
        return members_.text();
    }

private:
    void addIdentity() {
        members_.add("serial_number", shown(CInitDlg::SerialText) ? std::to_string(device_.serialNumber) : std::string(Null));
        members_.add("sensor_id", shown(CInitDlg::SensorText) ? jsonString(sensorId(device_)) : std::string(Null));
        // The ",2" or ",3" behind the sensor's name; RS485 does not carry it.
        members_.add("sensor_count", shown(CInitDlg::SensorText) && !rs485_ ? std::to_string(device_.connection + 1)
                                                                            : std::string(Null));
        members_.add("output_type", shown(CInitDlg::OutputText)
                                        ? quotedOrNull(outputTypeId(device_.outputType, device_.isRivo != 0))
                                        : std::string(Null));
        members_.add("break_signal", shown(CInitDlg::BreakText) ? jsonString(device_.breakSignal ? "min" : "max")
                                                                : std::string(Null));
    }

    void addRange() {
        // Both ends are shown with the unit of the range.
        members_.addMeasured("range_min", "range_unit", text(CInitDlg::RangeMinText), !std::isnan(device_.rangeMin));
        members_.addMeasured("range_max", "", text(CInitDlg::RangeMaxText), !std::isnan(device_.rangeMax));
    }

    void addThreshold() {
        const std::string_view direction = thresholdDirection();
        members_.add("threshold_direction", direction.empty() ? std::string(Null) : jsonString(direction));
        const bool set = direction == "min" || direction == "max";
        std::string threshold = set ? text(CInitDlg::ThresholdText) : std::string();
        const std::string_view directionText = thresholdDirectionText(device_.thresholdDirection);
        if (threshold.ends_with(directionText)) threshold.resize(threshold.size() - directionText.size());
        members_.addMeasured("threshold_value", "threshold_unit", threshold, !std::isnan(device_.threshold));
        // The release value itself is not kept; the hysteresis taken from it is no number when
        // it was none.
        members_.addMeasured("release_value", "release_unit", text(CInitDlg::ReleaseText),
                             !std::isnan(device_.hysteresis));
    }

    std::string_view thresholdDirection() const {
        if (!shown(CInitDlg::ThresholdText)) return {};
        const std::string shownText = window_.text(CInitDlg::ThresholdText);
        if (shownText == ThresholdAbsentText) return "absent";
        if (shownText == ThresholdInactiveText) return "off";
        return device_.thresholdDirection == 1 ? "min" : "max";
    }

    void addFilter() {
        if (!shown(CInitDlg::FilterText)) {
            members_.add("filter_order", std::string(Null));
            members_.add("filter_time_s", std::string(Null));
            return;
        }
        members_.add("filter_order", std::to_string(device_.filterOrder));
        // The text leaves out a time code the transmitter sent that names no time.
        const std::string shownText = window_.text(CInitDlg::FilterText);
        int seconds = 0;
        const bool timed = device_.filterOrder != 0 &&
                           std::from_chars(shownText.data(), shownText.data() + shownText.size(), seconds).ec == std::errc();
        members_.add("filter_time_s", timed ? std::to_string(seconds) : std::string(Null));
    }

    bool shown(int id) const { return window_.wasSet(id); }
    std::string text(int id) const { return shown(id) ? window_.text(id) : std::string(); }

    const ConsoleWindow& window_;
    const DeviceRecord& device_;
    const bool rs485_;
    Members members_;
};

}  // namespace

std::string identificationValuesJson(const ConsoleWindow& window, const Session& session) {
    return IdentificationValues(window, session).json();
}

}  // namespace doxa::cli
