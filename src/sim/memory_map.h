#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>

#include "sim/live_values.h"
#include "sim/sim_state.h"

namespace doxa::sim {

// The four 256-byte pages the raw dump letters read: EEPROM 0x000-0x0ff ("F"), EEPROM
// 0x100-0x1ff ("E"), RAM 0 ("R") and RAM 1 ("S"). The MODBUS registers 0x000-0x1ff are the two
// RAM pages; function 116 writes the EEPROM 0x100 page.
enum class Page { EepromLow, EepromHigh, Ram0, Ram1 };
using PageBytes = std::array<std::uint8_t, 256>;

std::optional<Page> pageForLetter(std::uint8_t letter);

// The device's memory. Parameters live in State; a page is laid out from it whenever it is
// read, over the bytes last written to it, so a register without a parameter keeps what a
// master wrote there. The older generation lays its pages out differently (3-byte numbers);
// the register map always follows the current one.
class Memory {
public:
    Memory();

    // The page in address order (the dump sends it highest address first).
    PageBytes read(Page page, const State& state, const LiveValues& live,
                   const ModelTraits& traits, bool oldLayout = false) const;
    // Stores bytes from `offset` on and lets the device take up every parameter they touch.
    // Parameters without a place in the current layout are read-only.
    void write(Page page, int offset, std::span<const std::uint8_t> bytes, State& state,
               const LiveValues& live, const ModelTraits& traits);

private:
    std::array<PageBytes, 4> backing_;
};

// Whether a sensor code of this model measures resistance (else voltage): it decides which of
// the input corrections a calibration touches.
bool resistanceInput(const State& state, const ModelTraits& traits);

}  // namespace doxa::sim
