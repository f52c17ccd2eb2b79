#pragma once

#include <array>
#include <cassert>
#include <cstddef>
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

// The user characteristic y=f(x): x of point i in word i, y in word 31 + i. Word 31 is the y
// of point 1, so the x of point 32 (index 31) is kept in word 63, the one word that holds no
// other value; words 0..62 keep their order for the configuration file.
struct Characteristic {
    static constexpr int MaxPoints = 32;

    int characteristicCount = 0;
    std::array<float, 64> characteristicTable{};

    // Index 0..31.
    float& x(int index) { return characteristicTable[xWord(index)]; }
    float x(int index) const { return characteristicTable[xWord(index)]; }
    float& y(int index) { return characteristicTable[yWord(index)]; }
    float y(int index) const { return characteristicTable[yWord(index)]; }

    static constexpr std::size_t xWord(int index) {
        assert(index >= 0 && index < MaxPoints);
        return static_cast<std::size_t>(index < MaxPoints - 1 ? index : 63);
    }
    static constexpr std::size_t yWord(int index) {
        assert(index >= 0 && index < MaxPoints);
        return static_cast<std::size_t>(31 + index);
    }
};

}  // namespace doxa
