#include "transmitter/model_recognition.h"

namespace doxa {

namespace {

constexpr std::uint8_t TypeModel22 = 5;
constexpr std::uint8_t TypeSawe = 10;
constexpr std::uint8_t TypeSaweRtd = 11;
constexpr std::uint8_t RivoMarker = 145;   // RIVO-22 and RIVO-21-U
constexpr std::uint8_t RivoRMarker = 17;   // RIVO-21-R
constexpr std::uint8_t USeriesBit = 0x80;
constexpr std::uint8_t NoAmbientBit = 0x08;

// The steps both variants share: the 22 and SAWE families by their type byte and the generation
// flag. True when the transmitter is of the 21 series (neither family matched).
bool recognizeFamilies(DeviceRecord& device, ModelBytes bytes) {
    device.isModel22 = 0;
    device.isSawe = 0;
    device.isRtdOnly = 0;
    if (bytes.type == TypeModel22) {
        device.isModel22 = 1;
        device.isRivo = bytes.afterType == RivoMarker ? 1 : 0;
        device.modelName = device.isRivo ? "RIVO-22" : "DOXA-22";
    } else if (bytes.type == TypeSawe || bytes.type == TypeSaweRtd) {
        device.isSawe = 1;
        device.isRtdOnly = bytes.type == TypeSaweRtd ? 1 : 0;
        device.modelName = "SAWE-01";
    }
    device.hasAmbient = (bytes.variant & NoAmbientBit) ? 0 : 1;
    return !device.isModel22 && !device.isSawe;
}

void nameUSeries(DeviceRecord& device, std::uint8_t variant) {
    device.isRivo = variant == RivoMarker ? 1 : 0;
    device.modelName = device.isRivo ? "RIVO-21-U" : "DOXA-21-U";
}

void nameRSeries(DeviceRecord& device, std::uint8_t variant) {
    device.isRivo = variant == RivoRMarker ? 1 : 0;
    device.modelName = device.isRivo ? "RIVO-21-R" : "DOXA-21-R";
}

}  // namespace

void recognizeModel(DeviceRecord& device, ModelBytes bytes) {
    if (!recognizeFamilies(device, bytes)) return;
    if (bytes.variant & USeriesBit)
        nameUSeries(device, bytes.variant);
    else
        nameRSeries(device, bytes.variant);
}

DisplayModel recognizeDisplayModel(DeviceRecord& device, ModelBytes bytes) {
    const bool series21 = recognizeFamilies(device, bytes);
    if (device.isModel22) return {};
    if (series21 && (bytes.variant & USeriesBit)) {
        nameUSeries(device, bytes.variant);
        return {};
    }
    // The R series and every SAWE-01 have no ambient temperature to show. The display tests the
    // R-series variant byte without regard to the family, so a SAWE-01 reading 17 there is
    // shown as a RIVO-21-R.
    if (series21 || bytes.variant == RivoRMarker)
        nameRSeries(device, bytes.variant);
    else
        device.isRivo = 0;
    return {true};
}

}  // namespace doxa
