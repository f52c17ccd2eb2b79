#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "transmitter/reference_instrument.h"

namespace doxa {

// The fields the audit trail names, as the register's table names its columns; `Retired` and
// `Source` (an instrument taken over from the settings) are rows of their own.
namespace instrument_field {
inline constexpr const char* Name = "name";
inline constexpr const char* Model = "model";
inline constexpr const char* Serial = "serial";
inline constexpr const char* Certificate = "certificate";
inline constexpr const char* Due = "due";
inline constexpr const char* Uncertainties = "uncertainties";
inline constexpr const char* Retired = "retired";
inline constexpr const char* Source = "source";
}  // namespace instrument_field

// One field of one instrument changed: who, when (UTC, ISO 8601), and the value before and after
// (empty before for an instrument added).
struct InstrumentChange {
    std::string time;
    std::string user;
    std::string instrument;
    std::string field;
    std::string oldValue;
    std::string newValue;
};

// The register as "Przyrządy wzorcowe..." edits it. Every edit is kept in the shared register
// with one change row for each field it changed, or is refused as a whole: never kept only in a
// copy.
class EditableInstrumentRegister : public InstrumentRegister {
public:
    // The id the new instrument was given; nullopt, with lastProblem() set, when refused.
    virtual std::optional<std::string> add(const ReferenceInstrument& instrument) = 0;
    // Stores the fields of the instrument of the same id; false, with lastProblem() set, when
    // refused.
    virtual bool change(const ReferenceInstrument& instrument) = 0;
    // Takes the instrument off the list; its data stay for the calibrations made with it.
    virtual bool retire(const std::string& id) = 0;
    // Oldest first.
    virtual std::vector<InstrumentChange> changes(const std::string& id) = 0;
    // Why the last operation failed or was served from the local copy; empty when it worked.
    virtual std::string lastProblem() const = 0;
    // A stored UTC time as the technician's clock shows it: "2025-03-01 10:15:00".
    virtual std::string localTime(std::string_view isoUtc) const = 0;
};

}  // namespace doxa
