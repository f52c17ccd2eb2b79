#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace doxa {

// Sensor names carry their leading blank. Codes without a name give std::nullopt.
std::optional<std::string_view> sensorName(int code, bool rtdOnly);
// " Ohm" for code 0, " mV" for code 3, " °C" for every other code.
std::string_view sensorUnit(int code);
// Unit suffix of a HART unit code / the RS485 unit character: 37 '%' Ohm, 36 '$' mV, 32 ' ' °C.
std::string_view unitSuffix(std::uint8_t unitCode);

std::string_view outputTypeText(int code, bool rivo);
std::string_view breakSignalText(int breakSignal);

// Filter time in seconds for a time code on the wire, nullopt for an unknown code.
std::optional<int> filterTimeForCode(std::uint8_t code);
std::optional<std::uint8_t> filterCodeForTime(int seconds);
// "5 sek ,rząd: 2", or " wyłączony" for order 0; an unknown time shows no number.
std::string filterText(int order, std::optional<int> seconds);

}  // namespace doxa
