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
    static constexpr std::array<std::string_view, 4> Rivo{"current_0_20ma", "current_4_20ma",
                                                          "current_0_5ma", "voltage"};
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

std::string quotedOrNull(std::string_view text) {
    return text.empty() ? std::string(Null) : jsonString(text);
}

// The JSON members of one object, in the order they are added.
class Members {
public:
    void add(std::string_view key, const std::string& json) {
        text_ += (text_.empty() ? "" : ", ") + jsonString(key) + ": " + json;
    }
    // `json` when the value is `known`, else null.
    void add(std::string_view key, bool known, const std::string& json) {
        add(key, known ? json : std::string(Null));
    }
    // The number of a value the dialog showed. `readable` is false for a value the transmitter
    // sent as no number: its bytes are shown decoded all the same, and that is no value to give.
    void addNumber(std::string_view key, const ValueText& shown, bool readable) {
        add(key, readable && !shown.number.empty(), shownNumberJson(shown.number));
    }
    // Its unit, which stays known when the number is not.
    void addUnit(std::string_view key, const ValueText& shown) {
        add(key, !shown.number.empty(), quotedOrNull(shown.unit));
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
        members_.add("serial_number", shown(CInitDlg::SerialText),
                     std::to_string(device_.serialNumber));
        members_.add("sensor_id", shown(CInitDlg::SensorText), jsonString(sensorId(device_)));
        // The ",2" or ",3" behind the sensor's name; RS485 does not carry it.
        members_.add("sensor_count", shown(CInitDlg::SensorText) && !rs485_,
                     std::to_string(device_.connection + 1));
        members_.add("output_type", shown(CInitDlg::OutputText),
                     quotedOrNull(outputTypeId(device_.outputType, device_.isRivo != 0)));
        members_.add("break_signal", shown(CInitDlg::BreakText),
                     jsonString(device_.breakSignal ? "min" : "max"));
    }

    void addRange() {
        const ValueText low = splitValue(text(CInitDlg::RangeMinText));
        const ValueText high = splitValue(text(CInitDlg::RangeMaxText));
        members_.addNumber("range_min", low, !std::isnan(device_.rangeMin));
        members_.addUnit("range_unit", low);  // both ends are shown in the unit of the range
        members_.addNumber("range_max", high, !std::isnan(device_.rangeMax));
    }

    void addThreshold() {
        const std::string_view direction = thresholdDirection();
        members_.add("threshold_direction", quotedOrNull(direction));
        const bool set = direction == "min" || direction == "max";
        std::string shownThreshold = set ? text(CInitDlg::ThresholdText) : std::string();
        const std::string_view directionText = thresholdDirectionText(device_.thresholdDirection);
        if (shownThreshold.ends_with(directionText))
            shownThreshold.resize(shownThreshold.size() - directionText.size());
        const ValueText threshold = splitValue(shownThreshold);
        members_.addNumber("threshold_value", threshold, !std::isnan(device_.threshold));
        members_.addUnit("threshold_unit", threshold);
        // The release value itself is not kept; the hysteresis taken from it is no number when
        // it was none.
        const ValueText release = splitValue(text(CInitDlg::ReleaseText));
        members_.addNumber("release_value", release, !std::isnan(device_.hysteresis));
        members_.addUnit("release_unit", release);
    }

    std::string_view thresholdDirection() const {
        if (!shown(CInitDlg::ThresholdText)) return {};
        if (device_.isRivo) return "absent";
        if (!device_.thresholdActive) return "off";
        return device_.thresholdDirection == 1 ? "min" : "max";
    }

    void addFilter() {
        const bool filterShown = shown(CInitDlg::FilterText);
        members_.add("filter_order", filterShown, std::to_string(device_.filterOrder));
        // The text leaves out a time code the transmitter sent that names no time.
        const std::string shownText = text(CInitDlg::FilterText);
        int seconds = 0;
        const bool timed =
            filterShown && device_.filterOrder != 0 &&
            std::from_chars(shownText.data(), shownText.data() + shownText.size(), seconds).ec ==
                std::errc();
        members_.add("filter_time_s", timed, std::to_string(seconds));
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
