#include "transmitter/service_recording.h"

#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "link/port.h"
#include "transmitter/code_tables.h"
#include "transmitter/station.h"

namespace doxa {

namespace {

std::string trimmed(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    return std::string(text);
}

// A value the transmitter sent as no number is no value to keep.
RecordValues numbersOnly(RecordValues values) {
    std::erase_if(values, [](const auto& named) {
        const double* number = std::get_if<double>(&named.second);
        return number && std::isnan(*number);
    });
    return values;
}

}  // namespace

ServiceRecord stationRecord(const Station& station, RecordKind kind, RecordOutcome outcome) {
    const LinkSettings& link = station.link;
    ServiceRecord record;
    record.kind = kind;
    record.outcome = outcome;
    record.model = station.device.modelName;
    record.serial = station.device.serialNumber;
    record.address = station.device.pollingAddress;
    record.rs485 = link.transmissionMode == ModeRs485;
    record.line = portDefinition(link.portNumber, link.baudIndex, link.parityOff);
    record.device = link.portDevice;
    record.event = station.calibrationEvent;
    return record;
}

void keepRecord(const Station& station, const ServiceRecord& record) {
    if (!station.recorder) return;
    ServiceRecord kept = record;
    for (RecordValues* values : {&kept.asFound, &kept.asLeft, &kept.reference})
        *values = numbersOnly(std::move(*values));
    station.recorder->record(kept);
}

void keepRecord(const Station& station, RecordKind kind, RecordOutcome outcome,
                RecordValues asLeft, RecordValues reference) {
    ServiceRecord record = stationRecord(station, kind, outcome);
    record.asLeft = std::move(asLeft);
    record.reference = std::move(reference);
    keepRecord(station, record);
}

RecordValues rangeValues(const DeviceRecord& device) {
    return {{"range_min", double{device.rangeMin}}, {"range_max", double{device.rangeMax}}};
}

RecordValues sensorValues(const DeviceRecord& device) {
    const auto name = sensorName(device.sensorType, device.isRtdOnly != 0);
    return {{"sensor", name ? RecordValue{trimmed(*name)} : RecordValue{double(device.sensorType)}},
            {"break_signal", double(device.breakSignal)}};
}

RecordValues filterValues(const DeviceRecord& device) {
    RecordValues values{{"filter_order", double(device.filterOrder)}};
    if (device.filterOrder != 0) values.emplace_back("filter_time", double(device.filterTime));
    return values;
}

RecordValues thresholdValues(const DeviceRecord& device) {
    if (!device.thresholdActive) return {{"threshold_direction", std::string("off")}};
    return {{"threshold_direction", std::string(device.thresholdDirection == 1 ? "min" : "max")},
            {"threshold", double{device.threshold}},
            {"hysteresis", double{device.hysteresis}}};
}

RecordValues configurationValues(const DeviceRecord& device) {
    RecordValues values = sensorValues(device);
    append(values, rangeValues(device));
    append(values, filterValues(device));
    if (!device.isRivo && !device.isSawe) append(values, thresholdValues(device));
    return values;
}

void append(RecordValues& to, const RecordValues& more) { to.insert(to.end(), more.begin(), more.end()); }

}  // namespace doxa
