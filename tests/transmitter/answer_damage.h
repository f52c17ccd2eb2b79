#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "link/hart.h"
#include "link/modbus.h"

namespace doxa::test {

// Ways an answer goes wrong on its way from the transmitter, each alone: the damaged field is
// changed and the frame's checksum or CRC made right again, unless the checksum is the damage.
using AnswerBytes = std::vector<std::uint8_t>;
struct Damage {
    std::string name;
    std::function<void(AnswerBytes&)> apply;
};

inline std::size_t preamblesOf(const AnswerBytes& a) {
    std::size_t n = 0;
    while (n < a.size() && a[n] == 0xFF) ++n;
    return n;
}

inline void resealHart(AnswerBytes& a) {
    a.back() = hartChecksum(a, static_cast<int>(a.size()) - 1);
}

inline void resealModbus(AnswerBytes& a) {
    const std::uint16_t crc = modbusCrc(a, static_cast<int>(a.size()) - 2);
    a[a.size() - 2] = crc & 0xFF;
    a[a.size() - 1] = crc >> 8;
}

// Byte `k` of a HART answer counted from its delimiter.
inline void hartField(AnswerBytes& a, std::size_t k, std::uint8_t value) {
    a[preamblesOf(a) + k] = value;
    resealHart(a);
}

inline std::vector<Damage> hartDamages() {
    return {
        {"checksum", [](AnswerBytes& a) { a.back() ^= 0x01; }},
        {"address", [](AnswerBytes& a) { hartField(a, 1, a[preamblesOf(a) + 1] ^ 0x01); }},
        {"command", [](AnswerBytes& a) { hartField(a, 2, a[preamblesOf(a) + 2] ^ 0x01); }},
        {"byte count", [](AnswerBytes& a) { hartField(a, 3, a[preamblesOf(a) + 3] + 1); }},
        {"delimiter", [](AnswerBytes& a) { hartField(a, 0, 0x01); }},
    };
}

inline std::vector<Damage> modbusDamages() {
    return {
        {"crc", [](AnswerBytes& a) { a.back() ^= 0x01; }},
        {"slave", [](AnswerBytes& a) { a[0] ^= 0x01; resealModbus(a); }},
        {"function", [](AnswerBytes& a) { a[1] = 0x04; resealModbus(a); }},
        {"byte count", [](AnswerBytes& a) { a[2] -= 2; resealModbus(a); }},
        {"exception", [](AnswerBytes& a) { a = {a[0], 0x83, 0x02, 0, 0}; resealModbus(a); }},
        {"exception of the wrong length", [](AnswerBytes& a) { a = {a[0], 0x83, 0x02, 0, 0, 0}; resealModbus(a); }},
    };
}

}  // namespace doxa::test
