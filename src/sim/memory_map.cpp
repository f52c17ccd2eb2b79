#include "sim/memory_map.h"

#include <algorithm>
#include <vector>

#include "link/value_codec.h"

namespace doxa::sim {

namespace {

struct Context {
    const State& state;
    const LiveValues& live;
    const ModelTraits& traits;
};

enum class Encoding { Byte, Float4, Float3 };
using Getter = double (*)(const Context&);
using Setter = void (*)(State&, const LiveValues&, double);

struct Field {
    int offset;
    Encoding encoding;
    Getter get;
    Setter set = nullptr;
};

int width(Encoding e) { return e == Encoding::Byte ? 1 : e == Encoding::Float4 ? 4 : 3; }

template <float State::*M>
double getFloat(const Context& c) { return c.state.*M; }
template <float State::*M>
void setFloat(State& s, const LiveValues&, double v) { s.*M = static_cast<float>(v); }
template <std::uint8_t State::*M>
double getByte(const Context& c) { return c.state.*M; }
template <std::uint8_t State::*M>
void setByte(State& s, const LiveValues&, double v) { s.*M = static_cast<std::uint8_t>(v); }
template <Calibration State::*Which, float Calibration::*M>
double getCalibration(const Context& c) { return c.state.*Which.*M; }
template <float Calibration::*M>
void setCalibration(State& s, const LiveValues&, double v) { s.calibration.*M = static_cast<float>(v); }

constexpr auto Current = &State::calibration;
constexpr auto Factory = &State::factoryCalibration;

// The corrections of the input kind and output kind this configuration uses.
double activeInputLow(const Context& c) {
    return resistanceInput(c.state, c.traits) ? c.state.calibration.inputLowR : c.state.calibration.inputLowU;
}
double activeInputHigh(const Context& c) {
    return resistanceInput(c.state, c.traits) ? c.state.calibration.inputHighR : c.state.calibration.inputHighU;
}
double activeOutputLow(const Context& c) {
    return c.live.voltageOutput ? c.state.calibration.outputLowU : c.state.calibration.outputLowI;
}
double activeOutputHigh(const Context& c) {
    return c.live.voltageOutput ? c.state.calibration.outputHighU : c.state.calibration.outputHighI;
}

double getFlags(const Context& c) { return c.state.flagsByte(); }
void setFlags(State& s, const LiveValues&, double v) { s.setFlagsByte(static_cast<std::uint8_t>(v)); }
void setSensor(State& s, const LiveValues&, double v) { s.sensorCode = static_cast<std::uint8_t>(v) & 0x3F; }
double getSensorWithOutput(const Context& c) {
    return c.state.sensorCode | (c.live.voltageOutput ? 0x40 : 0);
}
double getOutputBits(const Context& c) { return c.state.outputBits; }
void setOutputBits(State& s, const LiveValues&, double v) { s.outputBits = static_cast<std::uint8_t>(v) & 0x70; }
double getAddress(const Context& c) { return c.state.address; }
double getStoredAddress(const Context& c) { return c.state.pendingAddress.value_or(c.state.address); }
void setPendingAddress(State& s, const LiveValues&, double v) { s.pendingAddress = static_cast<int>(v) & 0x7F; }
void setOutputMode(State& s, const LiveValues& live, double v) {
    s.outputMode = static_cast<std::uint8_t>(v);
    if (s.outputMode & 0x08)
        s.fixedOutput = s.fixedOutput.value_or(live.output);
    else
        s.fixedOutput.reset();
}
void setFixedOutput(State& s, const LiveValues&, double v) { s.fixedOutput = static_cast<float>(v); }
double getZero(const Context&) { return 0; }
// The closing write of an RS485 programming session: the address written before takes effect.
void commit(State& s, const LiveValues&, double v) {
    if (static_cast<int>(v) != 0xAA || !s.pendingAddress) return;
    s.address = *s.pendingAddress;
    s.pendingAddress.reset();
}
double getPrimary(const Context& c) { return c.live.primary; }
double getInput(const Context& c) { return c.live.input; }
double getOutput(const Context& c) { return c.live.output; }
double getPercent(const Context& c) { return c.live.percent; }
double getAmbient(const Context& c) { return c.live.ambient; }
double getSerialHigh(const Context& c) { return (c.state.serialNumber >> 16) & 0xFF; }
double getSerialMiddle(const Context& c) { return (c.state.serialNumber >> 8) & 0xFF; }
double getSerialLow(const Context& c) { return c.state.serialNumber & 0xFF; }
double getSensorSerialHigh(const Context& c) { return (c.state.sensorSerial >> 16) & 0xFF; }
double getSensorSerialMiddle(const Context& c) { return (c.state.sensorSerial >> 8) & 0xFF; }
double getSensorSerialLow(const Context& c) { return c.state.sensorSerial & 0xFF; }
double getCharacteristicCount(const Context& c) { return c.state.characteristicCount; }
// The unit as the RS485 identity carries it: '%' Ohm, '$' mV, ' ' °C (the HART codes as text).
double getUnit(const Context& c) { return sensorInfo(c.state.sensorCode, c.traits.rtdOnly).unitCode; }

using E = Encoding;

const std::vector<Field> EepromHighFields{
    {0, E::Float4, getFloat<&State::rangeUpper>, setFloat<&State::rangeUpper>},
    {4, E::Float4, getFloat<&State::rangeLower>, setFloat<&State::rangeLower>},
    {8, E::Byte, getByte<&State::sensorCode>, setSensor},
    {9, E::Byte, getFlags, setFlags},
    {12, E::Byte, getByte<&State::filterOrder>, setByte<&State::filterOrder>},
    {13, E::Byte, getByte<&State::filterTimeCode>, setByte<&State::filterTimeCode>},
    {14, E::Byte, getByte<&State::delta>, setByte<&State::delta>},
    {16, E::Float4, getFloat<&State::threshold>, setFloat<&State::threshold>},
    {20, E::Float4, getFloat<&State::thresholdRelease>, setFloat<&State::thresholdRelease>},
    {24, E::Float4, getCalibration<Current, &Calibration::outputLowI>, setCalibration<&Calibration::outputLowI>},
    {28, E::Float4, getCalibration<Current, &Calibration::outputHighI>, setCalibration<&Calibration::outputHighI>},
    {32, E::Float4, getCalibration<Current, &Calibration::inputLowR>, setCalibration<&Calibration::inputLowR>},
    {36, E::Float4, getCalibration<Current, &Calibration::inputHighR>, setCalibration<&Calibration::inputHighR>},
    {40, E::Float4, getFloat<&State::trim>, setFloat<&State::trim>},
    {56, E::Float4, getCalibration<Current, &Calibration::compensation>, setCalibration<&Calibration::compensation>},
    {60, E::Byte, getStoredAddress, setPendingAddress},
    {64, E::Float4, getCalibration<Current, &Calibration::outputLowU>, setCalibration<&Calibration::outputLowU>},
    {68, E::Float4, getCalibration<Current, &Calibration::outputHighU>, setCalibration<&Calibration::outputHighU>},
    {88, E::Float4, getCalibration<Current, &Calibration::inputLowU>, setCalibration<&Calibration::inputLowU>},
    {92, E::Float4, getCalibration<Current, &Calibration::inputHighU>, setCalibration<&Calibration::inputHighU>},
    {124, E::Byte, getOutputBits, setOutputBits},
    {126, E::Byte, getByte<&State::lineSettings>, setByte<&State::lineSettings>},
};

const std::vector<Field> OldEepromHighFields{
    {0, E::Float3, getFloat<&State::rangeUpper>},
    {4, E::Float3, getFloat<&State::rangeLower>},
    {8, E::Byte, getByte<&State::sensorCode>},
    {9, E::Byte, getFlags},
    {12, E::Byte, getByte<&State::filterOrder>},
    {13, E::Byte, getByte<&State::filterTimeCode>},
    {14, E::Byte, getByte<&State::delta>},
    {16, E::Float3, getFloat<&State::threshold>},
    {20, E::Float3, getFloat<&State::thresholdRelease>},
    {24, E::Float3, activeOutputLow},
    {28, E::Float3, activeOutputHigh},
    {32, E::Float3, activeInputLow},
    {36, E::Float3, activeInputHigh},
    {40, E::Float3, getFloat<&State::trim>},
    {56, E::Float3, getCalibration<Current, &Calibration::compensation>},
    {60, E::Byte, getStoredAddress},
};

const std::vector<Field> Ram0Fields{
    {61, E::Byte, getFlags, setFlags},
    {62, E::Byte, getByte<&State::outputMode>, setOutputMode},
    {63, E::Float4, getFloat<&State::rangeLower>, setFloat<&State::rangeLower>},
    {67, E::Float4, getFloat<&State::rangeUpper>, setFloat<&State::rangeUpper>},
    {71, E::Byte, getSensorWithOutput, setSensor},
    {86, E::Byte, getByte<&State::filterOrder>, setByte<&State::filterOrder>},
    {87, E::Byte, getByte<&State::filterTimeCode>, setByte<&State::filterTimeCode>},
    {88, E::Byte, getByte<&State::delta>, setByte<&State::delta>},
    {198, E::Float4, activeOutputHigh},
    {202, E::Float4, activeOutputLow},
    {206, E::Float4, activeInputHigh},
    {210, E::Float4, activeInputLow},
    {219, E::Byte, getAddress},
    {220, E::Float4, getPrimary},
    {224, E::Float4, getOutput, setFixedOutput},
    {237, E::Byte, getZero, commit},
};

const std::vector<Field> OldRam0Fields{
    {84, E::Byte, getByte<&State::filterOrder>},
    {85, E::Byte, getByte<&State::filterTimeCode>},
    {86, E::Byte, getByte<&State::delta>},
    {98, E::Float3, activeOutputHigh},
    {101, E::Float3, activeOutputLow},
    {104, E::Float3, getFloat<&State::rangeLower>},
    {107, E::Float3, getFloat<&State::rangeUpper>},
    {110, E::Float3, activeInputLow},
    {113, E::Float3, activeInputHigh},
    {116, E::Byte, getByte<&State::sensorCode>},
    {121, E::Byte, getFlags},
    {160, E::Float3, getFloat<&State::threshold>},
    {163, E::Float3, getFloat<&State::thresholdRelease>},
    {199, E::Float3, getFloat<&State::trim>},
    {203, E::Float3, getOutput},
    {206, E::Float3, getPercent},
    {209, E::Float3, getPrimary},
    {212, E::Float3, getInput},
    {219, E::Byte, getAddress},
    {220, E::Byte, getAddress},
    {221, E::Float3, getPrimary},
    {224, E::Float3, getOutput},
};

const std::vector<Field> Ram1Fields{
    {16, E::Float4, getAmbient},
    {56, E::Byte, getSerialHigh},
    {57, E::Byte, getSerialMiddle},
    {58, E::Byte, getSerialLow},
    {59, E::Byte, getByte<&State::typeByte>},
    {60, E::Byte, getByte<&State::variantByte>},
    {61, E::Byte, getUnit},
    {84, E::Float4, getCalibration<Current, &Calibration::compensation>, setCalibration<&Calibration::compensation>},
    {88, E::Float3, activeOutputHigh},
    {92, E::Float3, activeOutputLow},
    {96, E::Float3, activeInputLow},
    {100, E::Float3, activeInputHigh},
    {104, E::Float4, getFloat<&State::threshold>, setFloat<&State::threshold>},
    {108, E::Float4, getFloat<&State::thresholdRelease>, setFloat<&State::thresholdRelease>},
};

// Identity and factory data; the free text follows at TextOffset.
const std::vector<Field> EepromLowFields{
    {0, E::Byte, getSerialHigh},
    {1, E::Byte, getSerialMiddle},
    {2, E::Byte, getSerialLow},
    {3, E::Byte, getByte<&State::typeByte>},
    {4, E::Byte, getByte<&State::variantByte>},
    {5, E::Byte, getSensorSerialHigh},
    {6, E::Byte, getSensorSerialMiddle},
    {7, E::Byte, getSensorSerialLow},
    {32, E::Float4, getCalibration<Factory, &Calibration::inputLowR>},
    {36, E::Float4, getCalibration<Factory, &Calibration::inputHighR>},
    {40, E::Float4, getCalibration<Factory, &Calibration::inputLowU>},
    {44, E::Float4, getCalibration<Factory, &Calibration::inputHighU>},
    {48, E::Float4, getCalibration<Factory, &Calibration::outputLowI>},
    {52, E::Float4, getCalibration<Factory, &Calibration::outputHighI>},
    {56, E::Float4, getCalibration<Factory, &Calibration::outputLowU>},
    {60, E::Float4, getCalibration<Factory, &Calibration::outputHighU>},
    {64, E::Byte, getCharacteristicCount},
};
constexpr int TextOffset = 8;

const std::vector<Field>& fields(Page page, bool oldLayout) {
    switch (page) {
        case Page::EepromLow: return EepromLowFields;
        case Page::EepromHigh: return oldLayout ? OldEepromHighFields : EepromHighFields;
        case Page::Ram0: return oldLayout ? OldRam0Fields : Ram0Fields;
        case Page::Ram1: return Ram1Fields;
    }
    return EepromLowFields;
}

void place(PageBytes& bytes, const Field& field, double value) {
    if (field.encoding == Encoding::Byte) {
        bytes[field.offset] = static_cast<std::uint8_t>(static_cast<int>(value));
        return;
    }
    const auto encoded = deviceFloat(value, FloatLayout::Modbus);
    std::copy_n(encoded.begin(), width(field.encoding), bytes.begin() + field.offset);
}

double take(const PageBytes& bytes, const Field& field) {
    if (field.encoding == Encoding::Byte) return bytes[field.offset];
    std::array<std::uint8_t, 4> raw{};
    std::copy_n(bytes.begin() + field.offset, width(field.encoding), raw.begin());
    return decodeFloat(raw.data(), FloatLayout::Modbus).value;
}

}  // namespace

std::optional<Page> pageForLetter(std::uint8_t letter) {
    switch (letter) {
        case 'F': return Page::EepromLow;
        case 'E': return Page::EepromHigh;
        case 'R': return Page::Ram0;
        case 'S': return Page::Ram1;
        default: return std::nullopt;
    }
}

bool resistanceInput(const State& state, const ModelTraits& traits) {
    if (traits.rtdOnly) return true;
    if (traits.voltageInput) return false;
    switch (state.sensorCode) {
        case 0: case 1: case 2: case 14: return true;
        case 15: return state.typeByte != 5;  // the 22 uses 15 for a characteristic on millivolts
        default: return false;
    }
}

Memory::Memory() {
    for (Page page : {Page::EepromLow, Page::EepromHigh}) backing_[static_cast<int>(page)].fill(0xFF);
    for (Page page : {Page::Ram0, Page::Ram1}) backing_[static_cast<int>(page)].fill(0x00);
}

PageBytes Memory::read(Page page, const State& state, const LiveValues& live,
                       const ModelTraits& traits, bool oldLayout) const {
    PageBytes bytes = backing_[static_cast<int>(page)];
    const Context context{state, live, traits};
    for (const Field& field : fields(page, oldLayout)) place(bytes, field, field.get(context));
    if (page == Page::EepromLow) {
        auto text = bytes.begin() + TextOffset;
        std::fill_n(text, MaxTextLength, 0x00);
        std::copy_n(state.text.begin(), std::min<std::size_t>(state.text.size(), MaxTextLength), text);
    }
    return bytes;
}

void Memory::write(Page page, int offset, std::span<const std::uint8_t> bytes, State& state,
                   const LiveValues& live, const ModelTraits& traits) {
    const int end = std::min<int>(offset + static_cast<int>(bytes.size()), 256);
    if (offset < 0 || offset >= end) return;
    PageBytes image = read(page, state, live, traits);
    std::copy(bytes.begin(), bytes.begin() + (end - offset), image.begin() + offset);
    std::copy(bytes.begin(), bytes.begin() + (end - offset),
              backing_[static_cast<int>(page)].begin() + offset);
    for (const Field& field : fields(page, false)) {
        const bool touched = field.offset < end && field.offset + width(field.encoding) > offset;
        if (touched && field.set) field.set(state, live, take(image, field));
    }
}

}  // namespace doxa::sim
