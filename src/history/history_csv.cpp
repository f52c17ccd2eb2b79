#include "history/history_csv.h"

#include <charconv>
#include <cmath>
#include <cstdio>

#include "link/screen_text.h"
#include "dialog/visible_text.h"

namespace doxa {

std::string jsonString(std::string_view utf8) {
    std::string text = "\"";
    for (const char c : utf8) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            text += '\\';
            text += c;
        } else if (byte < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", byte);
            text += escaped;
        } else {
            text += c;
        }
    }
    return text + "\"";
}

std::string jsonNumber(double value) {
    if (!std::isfinite(value)) return "null";
    char digits[32];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    return std::string(digits, end);
}

namespace {

// An optional sign, digits with at most one point among them, an optional exponent.
bool isNumber(std::string_view text) {
    std::size_t i = text.starts_with('-') || text.starts_with('+') ? 1 : 0;
    const auto digits = [&text, &i] {
        const std::size_t first = i;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9') ++i;
        return i - first;
    };
    std::size_t mantissa = digits();
    if (i < text.size() && text[i] == '.') ++i, mantissa += digits();
    if (mantissa == 0) return false;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (i < text.size() && (text[i] == '-' || text[i] == '+')) ++i;
        if (digits() == 0) return false;
    }
    return i == text.size();
}

bool readsAsFormula(std::string_view text) {
    return !text.empty() && std::string_view("=+-@\t\r").find(text.front()) != std::string_view::npos &&
           !isNumber(text);
}

// A column of an exported record: its name, its JSON value and its CSV text.
struct ExportedColumn {
    std::string_view name;
    std::string json;
    std::string text;
};

std::string codeText(const std::optional<int>& code, std::string_view none) {
    return code ? std::to_string(*code) : std::string(none);
}

std::vector<ExportedColumn> exportedColumns(const StoredRecord& s) {
    const ServiceRecord& r = s.record;
    std::vector<ExportedColumn> columns = {
        {"time", jsonString(s.time), s.time},
        {"user", jsonString(s.user), s.user},
        {"kind", jsonString(kindName(r.kind)), std::string(kindName(r.kind))},
        {"outcome", jsonString(outcomeName(r.outcome)), std::string(outcomeName(r.outcome))},
        {"model", jsonString(r.model), r.model},
        {"serial", std::to_string(r.serial), std::to_string(r.serial)},
        {"address", std::to_string(r.address), std::to_string(r.address)},
        {"mode", jsonString(modeName(r)), std::string(modeName(r))},
        {"line", jsonString(r.line), r.line},
        {"backup_file", jsonString(r.backupFile), r.backupFile},
        {"as_found", valuesJson(r.asFound), valuesJson(r.asFound)},
        {"as_left", valuesJson(r.asLeft), valuesJson(r.asLeft)},
        {"reference", valuesJson(r.reference), valuesJson(r.reference)},
        {"device", jsonString(r.device), r.device},
        {"refusal_code", codeText(r.refusalCode, "null"), codeText(r.refusalCode, "")},
    };
    for (ExportedColumn& column : columns)
        if (const auto stored = s.unreadable.find(std::string(column.name)); stored != s.unreadable.end()) {
            column.json = "null";
            column.text = stored->second;
        }
    return columns;
}

}  // namespace

std::string csvField(std::string_view utf8) {
    const std::string field = readsAsFormula(utf8) ? "'" + std::string(utf8) : std::string(utf8);
    if (field.find_first_of(",\"\r\n") == std::string::npos) return field;
    std::string text = "\"";
    for (const char c : field) {
        if (c == '"') text += '"';
        text += c;
    }
    return text + "\"";
}

std::string valuesJson(const RecordValues& values) {
    std::string text = "{";
    for (const auto& [name, value] : values) {
        if (text.size() > 1) text += ", ";
        text += jsonString(name) + ": ";
        const double* number = std::get_if<double>(&value);
        text += number ? jsonNumber(*number) : jsonString(std::get<std::string>(value));
    }
    return text + "}";
}

std::string shownValues(const RecordValues& values) {
    std::string text;
    for (const auto& [name, value] : values) {
        if (!text.empty()) text += ", ";
        const double* number = std::get_if<double>(&value);
        text += name + "=" + (number ? jsonNumber(*number) : std::get<std::string>(value));
    }
    return text.empty() ? "-" : text;
}

std::string_view modeName(const ServiceRecord& record) { return record.rs485 ? "RS485" : "HART"; }

std::string unreadableText(std::string_view stored) {
    return formatText(UI_TEXT("[nieczytelne: \"%1\"]"), {visibleText(stored)});
}

std::string shownField(const StoredRecord& stored, std::string_view column, std::string_view readable) {
    const auto kept = stored.unreadable.find(std::string(column));
    return kept == stored.unreadable.end() ? visibleText(readable) : unreadableText(kept->second);
}

std::string historyCsvHeader() {
    std::string header;
    for (const ExportedColumn& column : exportedColumns({})) header += std::string(column.name) + ',';
    // The event came last, after the columns scripts already read by their place.
    return header + "unreadable,waiting_for,event";
}

std::string historyCsvRow(const StoredRecord& stored) {
    std::string row;
    for (const ExportedColumn& column : exportedColumns(stored)) row += csvField(column.text) + ',';
    std::string unreadable;
    for (const auto& [column, text] : stored.unreadable) unreadable += (unreadable.empty() ? "" : " ") + column;
    const std::string waitingFor = stored.waitingFor ? (stored.waitingFor->empty() ? "unknown" : *stored.waitingFor) : "";
    return row + csvField(unreadable) + ',' + csvField(waitingFor) + ',' + csvField(stored.record.event);
}

void writeHistoryCsv(const std::vector<StoredRecord>& records, std::ostream& out) {
    out << historyCsvHeader() << '\n';
    for (const StoredRecord& s : records) out << historyCsvRow(s) << '\n';
}

std::string historyJson(const StoredRecord& stored) {
    std::string object = "{";
    for (const ExportedColumn& column : exportedColumns(stored))
        object += jsonString(column.name) + ": " + column.json + ", ";
    std::string unreadable;
    for (const auto& [column, text] : stored.unreadable)
        unreadable += (unreadable.empty() ? "" : ", ") + jsonString(column) + ": " + jsonString(text);
    return object + "\"unreadable\": {" + unreadable + "}, \"waiting_for\": " +
           (stored.waitingFor ? jsonString(*stored.waitingFor) : std::string("null")) +
           ", \"event\": " + (stored.record.event.empty() ? std::string("null") : jsonString(stored.record.event)) + "}";
}

}  // namespace doxa
