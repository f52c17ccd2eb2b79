#include "history/history_csv.h"

#include <charconv>
#include <cmath>
#include <cstdio>

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

std::string csvField(std::string_view utf8) {
    if (utf8.find_first_of(",\"\r\n") == std::string_view::npos) return std::string(utf8);
    std::string text = "\"";
    for (const char c : utf8) {
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

void writeHistoryCsv(const std::vector<StoredRecord>& records, std::ostream& out) {
    out << "time,user,kind,outcome,model,serial,address,mode,line,backup_file,as_found,as_left,reference,device,refusal_code,waiting_for\n";
    for (const StoredRecord& s : records) {
        const ServiceRecord& r = s.record;
        out << s.time << ',' << csvField(s.user) << ',' << kindName(r.kind) << ','
            << outcomeName(r.outcome) << ',' << csvField(r.model) << ',' << r.serial << ','
            << r.address << ',' << modeName(r) << ',' << csvField(r.line) << ','
            << csvField(r.backupFile) << ',' << csvField(valuesJson(r.asFound)) << ','
            << csvField(valuesJson(r.asLeft)) << ',' << csvField(valuesJson(r.reference)) << ','
            << csvField(r.device) << ','
            << (r.refusalCode ? std::to_string(*r.refusalCode) : std::string())
            << ',' << (s.waitingFor ? csvField(s.waitingFor->empty() ? "unknown" : *s.waitingFor) : std::string()) << '\n';
    }
}

}  // namespace doxa
