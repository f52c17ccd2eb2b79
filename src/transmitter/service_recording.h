#pragma once

#include "transmitter/device_record.h"
#include "transmitter/service_record.h"

namespace doxa {

class Station;

// A record of `kind` about the transmitter the station talks to, on the line it is reached on.
ServiceRecord stationRecord(const Station& station, RecordKind kind, RecordOutcome outcome);
// Hands the record to the service history; without one nothing happens.
void keepRecord(const Station& station, const ServiceRecord& record);
// The same for a record made of the values left and the values the technician typed.
void keepRecord(const Station& station, RecordKind kind, RecordOutcome outcome,
                RecordValues asLeft, RecordValues reference = {});

// The parts of a configuration under the names the history exports them by.
RecordValues rangeValues(const DeviceRecord& device);        // range_min, range_max
RecordValues sensorValues(const DeviceRecord& device);       // sensor, break_signal
RecordValues filterValues(const DeviceRecord& device);       // filter_order, filter_time
RecordValues thresholdValues(const DeviceRecord& device);    // threshold_direction, ...
// All of them, as an identification reads them.
RecordValues configurationValues(const DeviceRecord& device);
void append(RecordValues& to, const RecordValues& more);

}  // namespace doxa
