#pragma once

#include <optional>
#include <string>
#include <vector>

#include "transmitter/reference_instrument.h"

namespace doxa {

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
};

}  // namespace doxa
