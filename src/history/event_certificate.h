#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "link/screen_text.h"
#include "history/certificate.h"

namespace doxa {

// What a certificate's issue adds to the event: its number and date of issue once one has been
// given.
struct CertificateIssue {
    std::string number;  // empty: a draft, printed without a number
    std::string issued;  // "2026-12-08"; empty on a draft
};

inline constexpr std::string_view DraftNumber = UI_TEXT("PROJEKT — bez numeru");
// Stated on the certificate: the uncertainty is printed beside the verdict and does not shift it.
inline constexpr std::string_view DecisionRule = UI_TEXT("prosta akceptacja: zgodny, gdy |błąd| ≤ tolerancja");

// The event a record belongs to; empty outside a calibration procedure.
inline const std::string& eventOf(const StoredRecord& s) { return s.record.event; }
// The records of `event` among `records`, oldest first.
std::vector<StoredRecord> eventRecords(const std::vector<StoredRecord>& records, const std::string& event);

// The certificate of one calibration event, printed only from what its records hold: the
// settings and the register of today change nothing in it. It carries the records' verification
// code.
Certificate makeEventCertificate(std::vector<StoredRecord> records, const CertificateIssue& issue,
                                 const HistoryQuery& history);

// "2027-12-08" of "2026-12-08" and 12 months; the day kept, or the month's last when it has
// fewer days.
std::string addMonths(const std::string& isoDate, int months);

}  // namespace doxa
