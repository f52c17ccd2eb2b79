#pragma once

#include <string>
#include <vector>

#include "history/history_query.h"

namespace doxa {

// The stored records of one calibration event as one text, the same wherever and whenever they
// are read: the input of its verification code. Its layout is documented in the README
// ("Verification code"); a change to it is a change of that documented form.
std::string canonicalEventText(const std::string& event, std::vector<StoredRecord> records);
// The SHA-256 of that text, 64 lowercase hexadecimal digits: a check that the stored event has not
// changed since its certificate was printed, not a signature.
std::string verificationCode(const std::string& event, const std::vector<StoredRecord>& records);

}  // namespace doxa
