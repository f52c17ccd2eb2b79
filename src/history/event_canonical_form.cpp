#include "history/event_canonical_form.h"

#include <algorithm>
#include <charconv>

#include "history/sha256.h"

namespace doxa {

namespace {

// Backslash, line feed and carriage return escaped, so that every value stays on its line.
std::string escaped(std::string_view text) {
    std::string out;
    for (const char c : text) {
        if (c == '\\')
            out += "\\\\";
        else if (c == '\n')
            out += "\\n";
        else if (c == '\r')
            out += "\\r";
        else
            out += c;
    }
    return out;
}

// The shortest text that reads back as the same double.
std::string number(double value) {
    char text[32];
    const auto written = std::to_chars(text, text + sizeof text, value);
    return std::string(text, written.ptr);
}

void line(std::string& out, std::string_view name, std::string_view value) {
    out.append(name).append("=").append(escaped(value)).append("\n");
}

void values(std::string& out, std::string_view group, const RecordValues& values) {
    for (const auto& [name, value] : values) {
        const std::string key = std::string(group) + "." + name;
        if (const auto* text = std::get_if<std::string>(&value))
            line(out, key, "t:" + *text);
        else
            line(out, key, "n:" + number(std::get<double>(value)));
    }
}

std::string recordText(const StoredRecord& s) {
    const ServiceRecord& r = s.record;
    std::string out = "record\n";
    line(out, "time", s.time);
    line(out, "user", s.user);
    line(out, "kind", kindName(r.kind));
    line(out, "outcome", outcomeName(r.outcome));
    line(out, "model", r.model);
    line(out, "serial", std::to_string(r.serial));
    line(out, "address", std::to_string(r.address));
    line(out, "rs485", r.rs485 ? "1" : "0");
    line(out, "line", r.line);
    line(out, "device", r.device);
    line(out, "backup", r.backupFile);
    line(out, "refusal", r.refusalCode ? std::to_string(*r.refusalCode) : "");
    values(out, "as_found", r.asFound);
    values(out, "as_left", r.asLeft);
    values(out, "reference", r.reference);
    for (const auto& [column, stored] : s.unreadable) line(out, "unreadable." + column, stored);
    return out;
}

}  // namespace

std::string canonicalEventText(const std::string& event, std::vector<StoredRecord> records) {
    std::erase_if(records, [&event](const StoredRecord& s) { return s.record.event != event; });
    std::vector<std::pair<std::string, std::string>> ordered;
    for (const StoredRecord& s : records) ordered.emplace_back(s.time, recordText(s));
    std::ranges::sort(ordered);
    std::string out = "doxa-calibration-event 1\n";
    line(out, "event", event);
    for (const auto& [time, text] : ordered) out += text;
    return out;
}

std::string verificationCode(const std::string& event, const std::vector<StoredRecord>& records) {
    return sha256Hex(canonicalEventText(event, records));
}

}  // namespace doxa
