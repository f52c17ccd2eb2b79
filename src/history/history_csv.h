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
// A CSV field, quoted when it holds a comma, a quote or a line break. One that a spreadsheet
// would take as a formula (beginning with "=", "+", "-", "@", a TAB or a CR) gets a "'" before
// it, unless the whole field is a number ("-0.12" stays one).
std::string csvField(std::string_view utf8);
// {"ambient": 24.5, "sensor": "Pt 100"}
std::string valuesJson(const RecordValues& values);
// "ambient=24.5, sensor=Pt 100"; "-" for none.
std::string shownValues(const RecordValues& values);
// "HART" or "RS485".
std::string_view modeName(const ServiceRecord& record);

// What a field that could not be read shows a person: the stored text, marked.
std::string unreadableText(std::string_view stored);
// The text a field of `stored` shows a person: `readable` when it could be read, else what is
// stored there, marked.
std::string shownField(const StoredRecord& stored, std::string_view column, std::string_view readable);

// The header line of the CSV export, and one record as a row of it: time, user, kind, outcome,
// model, serial, address, mode, line, backup file, the values as JSON, device, refusal code,
// the names of the columns that hold text this program could not read (blank-separated, the
// text itself in their cells) and, for a record not yet in its database, the database it waits
// for ("unknown" when none is known), and the calibration event it belongs to (empty outside one).
std::string historyCsvHeader();
std::string historyCsvRow(const StoredRecord& stored);
// The records as CSV, the header line first.
void writeHistoryCsv(const std::vector<StoredRecord>& records, std::ostream& out);
// One record as a JSON object; a field that could not be read is null, and the object
// "unreadable" holds the text stored in each such field by its name ({} when every one was read);
// "event" is null outside a calibration event.
std::string historyJson(const StoredRecord& stored);

}  // namespace doxa
