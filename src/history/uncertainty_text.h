#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "transmitter/reference_instrument.h"

namespace doxa {

// An instrument's uncertainty as the technician types it and the register shows it:
// "0,05 Ohm", "0.1 °C (k=2)", "0,02 mA (k=2) od 4 do 20". The units are those the transmitters'
// quantities are compared in: Ohm (also Ω), mV, mA, V, °C. Without "(k=...)" the value is taken
// as a standard uncertainty (k=1): a certificate that does not say is never read as better than
// it is. nullopt for anything else.
std::optional<InstrumentUncertainty> parseUncertainty(std::string_view text);
// The form parseUncertainty() reads back.
std::string uncertaintyText(const InstrumentUncertainty& uncertainty);

// A calibration due date as the register keeps it: "2027-03-31", a day of the calendar.
bool isDueDate(std::string_view text);

}  // namespace doxa
