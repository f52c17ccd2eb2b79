#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace doxa::sim {

// Every member of the transmitter family the simulator can stand in for.
enum class Model { Doxa22, Rivo22, Sawe01, Sawe01Rtd, Doxa21R, Rivo21R, Doxa21U, Rivo21U };

std::optional<Model> modelFromName(std::string_view name);
std::string_view modelName(Model model);
std::span<const Model> allModels();

// What tells the family members apart on the wire and inside the device.
struct ModelTraits {
    std::uint8_t typeByte;     // model code of the identification answer
    std::uint8_t variantByte;  // current generation; the older one has bit 3 set
    bool rtdOnly;              // sensor codes 1..8 name resistance thermometers
    bool rivo;                 // output type selectable by bits 6..4 of the configuration byte
    bool voltageInput;         // thermocouples and millivolts, no resistance input
    std::uint8_t defaultSensor;
    float defaultLower, defaultUpper;
};

const ModelTraits& modelTraits(Model model);

// Bit 3 of the variant byte marks the older generation (no ambient measurement). The RIVO
// members are recognised by their exact variant byte, so they exist in the current one only.
inline constexpr std::uint8_t OldGenerationBit = 0x08;
bool canBeOldGeneration(Model model);

}  // namespace doxa::sim
