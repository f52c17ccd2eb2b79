#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace doxa {

struct DeviceRecord {
    std::string modelName;  // UTF-8
    int isModel22 = 0;
    int isSawe = 0;
    int isRtdOnly = 0;
    int isRivo = 0;
    int hasAmbient = 0;
    int serialNumber = 0;
    int pollingAddress = 0;
    int sensorType = 0;
    int connection = 0;
    int outputType = 0;
    int breakSignal = 0;
    float rangeMin = 0;
    float rangeMax = 0;
    int thresholdActive = 0;
    int thresholdDirection = 0;
    float threshold = 0;
    float hysteresis = 0;
    int filterTime = 0;
    int filterOrder = 0;
    float ambientTemp = 0;
    int deltaValue = 3;
    std::uint8_t unitCode = 0;

    friend bool operator==(const DeviceRecord&, const DeviceRecord&) = default;
};

// The user characteristic y=f(x): x of point i in word i, y in word 31 + i.
struct Characteristic {
    int characteristicCount = 0;
    std::array<float, 64> characteristicTable{};
};

}  // namespace doxa
