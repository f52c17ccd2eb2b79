#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "link/screen_text.h"
#include "history/history_query.h"

namespace doxa {

class SettingsStore;

inline constexpr std::string_view CertificateTitle = UI_TEXT("Świadectwo kalibracji");
// What a value nobody measured shows: nothing is printed that was not read or typed.
inline constexpr std::string_view Unknown = "—";

// Entered once in "Przyrząd wzorcowy..." and printed on every certificate. The tolerances are
// kept as typed; an empty one judges nothing.
struct CertificateSettings {
    std::string instrumentName;
    std::string instrumentSerial;
    std::string instrumentUncertainty;
    std::string temperatureTolerance;  // °C, for the compensation
    std::string inputTolerance;        // in the input's unit (Ohm or mV)
    std::string outputTolerance;       // in the output's unit (mA or V)
};
CertificateSettings readCertificateSettings(const SettingsStore& settings);
// False when the settings file could not take them.
bool writeCertificateSettings(SettingsStore& settings, const CertificateSettings& values);

// One test point: the reference instrument's value, the transmitter's value as found and as left,
// each with its difference to the reference and, under a tolerance, the verdict on it.
struct CertificateRow {
    std::string point;
    std::string reference;
    std::string asFound;
    std::string foundDifference;
    std::string foundVerdict;
    std::string asLeft;
    std::string leftDifference;
    std::string leftVerdict;
};

struct CertificateField {
    std::string label;
    std::string value;
};

// A table of its own title: an event's points as found or as left.
struct CertificateTable {
    std::string title;
    std::vector<std::string> headings;
    std::vector<std::vector<std::string>> rows;
};

struct Certificate {
    // Of a calibration event: its id and the verification code of its stored records.
    std::string eventId;
    std::string verificationCode;
    // The transmitter, the date, the technician, the reference instrument and the tolerances.
    std::vector<CertificateField> fields;
    std::vector<CertificateRow> points;
    // An event's tables, printed in place of `points`.
    std::vector<CertificateTable> tables;
    // A tolerance is set: the verdict columns are printed.
    bool judged = false;
    // What the table cannot say: steps not confirmed, trims.
    std::vector<std::string> notes;
    // "swiadectwo-1193046-2026-12-07.pdf"
    std::string fileName;
};

// "0,120", "+0,120": thousandths with a decimal comma, as the transmitter's values are offered;
// never "-0,000".
std::string decimalText(double value, bool signedText = false);
// The text, or "—" for an empty one.
std::string orUnknown(const std::string& text);
// "07.12.2026" of "2026-12-07 18:20:00".
std::string dateText(const std::string& local);

bool isCalibration(RecordKind kind);
// The calibration records made with `chosen`: those of its calibration event when it belongs to
// one, else the same transmitter's of the same local day and the same technician; oldest first.
std::vector<StoredRecord> calibrationSession(const std::vector<StoredRecord>& records,
                                             const StoredRecord& chosen, const HistoryQuery& history);
// The certificate of a session's calibration records (in any order).
Certificate makeCertificate(std::vector<StoredRecord> session, const CertificateSettings& settings,
                            const HistoryQuery& history);

}  // namespace doxa
