#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "link/screen_text.h"
#include "link/value_codec.h"

namespace doxa {

// Sensor names carry their leading blank. Codes without a name give std::nullopt.
// This is the identification's list: code 9 is " TC typu T" in both lists.
std::optional<std::string_view> sensorName(int code, bool rtdOnly);
// The live display's list: code 9 has no name on an RTD-only transmitter, and 18 is the user
// characteristic too.
std::optional<std::string_view> displaySensorName(int code, bool rtdOnly);
// Unit of the threshold: " Ohm" for code 0, " mV" for code 3, " °C" for every other code.
std::string_view sensorUnit(int code);

// HART unit codes, which the RS485 identity carries as the characters '%', '$' and ' '.
inline constexpr std::uint8_t UnitOhm = 37;
inline constexpr std::uint8_t UnitMilliVolt = 36;
inline constexpr std::uint8_t UnitCelsius = 32;
// " Ohm", " mV", " °C" for those codes, empty for any other.
std::string_view unitSuffix(std::uint8_t unitCode);

// How measured values are shown: the primary value by its unit (an unknown unit shows the text
// as decoded, without suffix), the output by the output type, the ambient temperature in °C.
NumberShape measuredValueShape(std::uint8_t unitCode);
NumberShape outputValueShape(int outputType);
NumberShape ambientTemperatureShape();

inline constexpr int OutputVoltage = 3;
// Text of an output type; the non-RIVO family knows code 0 only. Empty for an unknown code.
std::string_view outputTypeText(int code, bool rivo);
// Output type of a RIVO transmitter from bits 6..4 of its configuration byte; nullopt for a
// pattern that names no type.
std::optional<int> outputTypeForConfiguration(std::uint8_t configuration);

// " na min  " for a break signalled at the minimum (1), " na max  " otherwise.
std::string_view breakSignalText(int breakSignal);

inline constexpr std::string_view ThresholdInactiveText = UI_TEXT(" nie aktywny");
// The RIVO family has none.
inline constexpr std::string_view ThresholdAbsentText = UI_TEXT(" brak");
// " , min" for direction 1, " , max" for any other.
std::string_view thresholdDirectionText(int direction);

// Filter time in seconds for a time code on the wire, nullopt for an unknown code.
std::optional<int> filterTimeForCode(std::uint8_t code);
std::optional<std::uint8_t> filterCodeForTime(int seconds);
// What filterTime becomes for a time code that is not in the table.
inline constexpr int UnknownFilterTime = 1;
// "5 sek ,rząd: 2", or " wyłączony" for order 0; an unknown time shows no number.
std::string filterText(int order, std::optional<int> seconds);

// Texts several dialogs share.
inline constexpr std::string_view ConnectingText = UI_TEXT("Inicjalizacja połączenia");
inline constexpr std::string_view ReadingText = UI_TEXT("Czytanie danych");
inline constexpr std::string_view NoAnswerText = UI_TEXT("Brak odpowiedzi");
inline constexpr std::string_view FinishedText = UI_TEXT("Koniec");
inline constexpr std::string_view PortFailedText = UI_TEXT("Bład w otwarciu portu");
inline constexpr std::string_view ChangePortText = UI_TEXT("Zmień port szeregowy ");

}  // namespace doxa
