#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

namespace doxa {

// What the program did to a transmitter, as the service history keeps it: written only from
// what the transmitter confirmed or what was read, never from what was merely sent.

enum class RecordKind {
    Identification,
    Programming,
    CalibrationInput,
    CalibrationOutput,
    CalibrationCompensation,
    Trim,
    FactoryData,
    ForcedOutput,
    // One calibration event (the calibration procedure), recorded as it happens: its conditions
    // first, then each test point as it is measured, then how it ended. A run with no end record
    // was interrupted.
    CalibrationConditions,
    CalibrationPoint,
    CalibrationEnd,
};
inline constexpr RecordKind LastRecordKind = RecordKind::CalibrationEnd;

enum class RecordOutcome { Confirmed, NotConfirmed, NoAnswer, Refused };

// A named number or text: {"ambient", 24.5}, {"sensor", "Pt 100"}.
using RecordValue = std::variant<double, std::string>;
using RecordValues = std::vector<std::pair<std::string, RecordValue>>;

struct ServiceRecord {
    RecordKind kind = RecordKind::Identification;
    RecordOutcome outcome = RecordOutcome::Confirmed;
    // The transmitter and the line it was reached on.
    std::string model;
    int serial = 0;
    int address = 0;
    bool rs485 = false;
    std::string line;  // "COM2:1200,o,8,1" and the like
    // What that port was opened on: a device path ("/dev/ttyUSB0", a /dev/serial/by-id name)
    // or "sim:DOXA-22"; empty when no port was open.
    RecordValues asFound;
    RecordValues asLeft;
    // The values the technician typed: reference temperatures, measured currents.
    RecordValues reference;
    // The backup kept before programming, when there is one.
    std::string backupFile;
    // The device the port was opened on: its path, by-id name or "sim:MODEL".
    std::string device;
    // A refused write: the HART response code or MODBUS exception that refused it.
    std::optional<int> refusalCode;
    // The calibration event the record belongs to (every record a calibration procedure makes,
    // the adjustments included, carries it); empty outside one.
    std::string event = {};
};

// The value of that name; nullopt when there is none or it is of the other kind.
std::optional<double> numberValue(const RecordValues& values, std::string_view name);
std::optional<std::string> textValue(const RecordValues& values, std::string_view name);

// Where records go. The store adds the time (UTC) and the computer user; a store that cannot
// write keeps the record until it can.
class ServiceRecorder {
public:
    virtual ~ServiceRecorder() = default;
    virtual void record(const ServiceRecord& record) = 0;
};

// The names the records are exported under: "identification", "calibration_input", ...,
// "confirmed", "not_confirmed", "no_answer", "refused".
std::string_view kindName(RecordKind kind);
std::string_view outcomeName(RecordOutcome outcome);

}  // namespace doxa
