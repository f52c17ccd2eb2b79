#pragma once

#include <optional>
#include <string>
#include <vector>

namespace doxa {

// The expanded uncertainty of a reference instrument's certificate, over the range it holds for.
struct InstrumentUncertainty {
    double expanded = 0;  // U, in `unit`
    std::string unit;     // "Ohm", "mV", "mA", "V", "°C"
    double coverage = 2;  // the coverage factor k its certificate states
    // The range it holds for, in `unit`; none: the whole range of the instrument.
    std::optional<double> from = {};
    std::optional<double> to = {};
};

// A reference instrument of the laboratory's register, as a calibration made with it keeps it.
struct ReferenceInstrument {
    std::string id;  // the register's own key
    std::string name;
    std::string model;
    std::string serial;
    std::string certificate;  // the number of its own calibration certificate
    std::string due;          // the date its calibration expires: "2027-03-31"
    std::vector<InstrumentUncertainty> uncertainties;
};

// The reference instruments a calibration may be made with.
class InstrumentRegister {
public:
    virtual ~InstrumentRegister() = default;
    virtual std::vector<ReferenceInstrument> instruments() = 0;
    // The register shown is the local file's copy, the shared one being out of reach.
    virtual bool fromLocalCopy() const = 0;
    // Why the register could not be read at all; empty when it could.
    virtual std::string problem() const = 0;
};

}  // namespace doxa
