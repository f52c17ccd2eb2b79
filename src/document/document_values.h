#pragma once

#include <string>

#include "transmitter/device_record.h"

namespace doxa {

// Whether the values a configuration file brings are ones a transmitter can hold: finite
// numbers inside the sensor's limits, a sensor code, filter, threshold mode and break
// signalling the dialogs can send, a point count of the characteristic table. Empty when they
// all are; otherwise the technician's text naming the first field that is not, with its value.
std::string refusedDocumentValue(const DeviceRecord& device, const Characteristic& characteristic);

}  // namespace doxa
