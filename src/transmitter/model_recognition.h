#pragma once

#include <cstdint>

#include "transmitter/device_record.h"

namespace doxa {

// The bytes of an identification answer that tell the model: the type byte T, the byte right
// after it (tested for the RIVO-22) and the variant byte V.
struct ModelBytes {
    std::uint8_t type = 0;
    std::uint8_t afterType = 0;
    std::uint8_t variant = 0;
};

// Identification: sets modelName and the model flags of the record.
void recognizeModel(DeviceRecord& device, ModelBytes bytes);

// The live display's variant. It also tells whether the transmitter has no ambient temperature
// to show.
struct DisplayModel {
    bool hideAmbient = false;
};
DisplayModel recognizeDisplayModel(DeviceRecord& device, ModelBytes bytes);

}  // namespace doxa
