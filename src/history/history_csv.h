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
// mode, line, backup file and the values as JSON.
void writeHistoryCsv(const std::vector<StoredRecord>& records, std::ostream& out);
// The same, a line at a time, for a listing written as it is read.
void writeHistoryCsvHeader(std::ostream& out);
void writeHistoryCsvRow(const StoredRecord& s, std::ostream& out);

}  // namespace doxa
