#pragma once

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "history/history_query.h"

namespace doxa {

// A JSON string literal of UTF-8 text, quotes included.
std::string jsonString(std::string_view utf8);
// A number as JSON writes it, in the fewest digits that read back the same; null when it is not
// finite.
std::string jsonNumber(double value);
// A CSV field, quoted when it holds a comma, a quote or a line break.
std::string csvField(std::string_view utf8);
// {"ambient": 24.5, "sensor": "Pt 100"}
std::string valuesJson(const RecordValues& values);
// "ambient=24.5, sensor=Pt 100"; "-" for none.
std::string shownValues(const RecordValues& values);
// "HART" or "RS485".
std::string_view modeName(const ServiceRecord& record);

// The records as CSV, a header line first: time, user, kind, outcome, model, serial, address,
// mode, line, backup file, the values as JSON, device, refusal code and, for a record not yet in
// its database, the database it waits for ("unknown" when none is known).
void writeHistoryCsv(const std::vector<StoredRecord>& records, std::ostream& out);

}  // namespace doxa
