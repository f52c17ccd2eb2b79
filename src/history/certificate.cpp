#include "history/certificate.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <optional>

#include "calibration/calibration_event.h"
#include "link/screen_text.h"
#include "dialog/typed_number.h"
#include "history/event_certificate.h"
#include "history/history_csv.h"
#include "history/record_texts.h"
#include "settings/settings_keys.h"
#include "transmitter/settings_store.h"

namespace doxa {

namespace {

constexpr std::string_view NotSet = UI_TEXT("nie ustalono");
constexpr std::string_view Within = UI_TEXT("zgodny");
constexpr std::string_view Outside = UI_TEXT("niezgodny");

std::optional<RecordValue> valueOf(const RecordValues& values, std::string_view name) {
    const auto it = std::ranges::find_if(values, [name](const auto& v) { return v.first == name; });
    if (it == values.end()) return std::nullopt;
    return it->second;
}

std::optional<double> numberIn(const std::optional<RecordValue>& value) {
    if (!value || !std::holds_alternative<double>(*value)) return std::nullopt;
    return std::get<double>(*value);
}

// Thousandths, as the transmitter's values are offered; never "-0,000".
double thousandths(double value) {
    const double rounded = std::round(value * 1000) / 1000;
    return rounded == 0 ? 0 : rounded;
}

std::string shown(const std::optional<RecordValue>& value) {
    if (!value) return std::string(Unknown);
    if (const auto* text = std::get_if<std::string>(&*value)) return *text;
    return decimalText(std::get<double>(*value));
}

std::optional<double> tolerance(const std::string& typed) {
    const auto value = parseDecimalNumber(typed);
    if (!value) return std::nullopt;
    return std::fabs(double{*value});
}

// The transmitter's value less the reference, judged against the tolerance when there is one.
void compare(const std::optional<RecordValue>& value, const std::optional<RecordValue>& reference,
             std::optional<double> limit, std::string& difference, std::string& verdict) {
    const auto measured = numberIn(value);
    const auto expected = numberIn(reference);
    difference = verdict = std::string(Unknown);
    if (!measured || !expected) return;
    const double d = thousandths(*measured - *expected);
    difference = decimalText(d, true);
    if (limit) verdict = withinTolerance(d, *limit) ? Within : Outside;
}

CertificateRow pointRow(std::string label, const std::optional<RecordValue>& reference,
                        const std::optional<RecordValue>& found, const std::optional<RecordValue>& left,
                        std::optional<double> limit) {
    CertificateRow row;
    row.point = std::move(label);
    row.reference = shown(reference);
    row.asFound = shown(found);
    row.asLeft = shown(left);
    compare(found, reference, limit, row.foundDifference, row.foundVerdict);
    compare(left, reference, limit, row.leftDifference, row.leftVerdict);
    return row;
}

std::string pointLabel(std::string_view what, const ServiceRecord& r) {
    const auto point = valueOf(r.asLeft, "point");
    const auto* name = point ? std::get_if<std::string>(&*point) : nullptr;
    if (!name) return std::string(what);
    if (*name == "upper") return formatText(UI_TEXT("%1, punkt górny"), {what});
    if (*name == "lower") return formatText(UI_TEXT("%1, punkt dolny"), {what});
    return std::string(what) + ", " + *name;
}

std::string clockText(const std::string& local) { return local.size() >= 19 ? local.substr(11, 8) : local; }

std::string toleranceText(std::optional<double> limit, std::string_view unit) {
    return limit ? "±" + decimalText(*limit) + std::string(unit) : std::string(NotSet);
}

std::string technicians(const std::vector<StoredRecord>& session) {
    std::vector<std::string> users;
    for (const StoredRecord& s : session)
        if (std::ranges::find(users, s.user) == users.end()) users.push_back(s.user);
    std::string joined;
    for (const std::string& user : users) joined += (joined.empty() ? "" : ", ") + user;
    return orUnknown(joined);
}

std::optional<std::string> textIn(const std::optional<RecordValue>& value) {
    if (!value || !std::holds_alternative<std::string>(*value)) return std::nullopt;
    return std::get<std::string>(*value);
}

// An input reading in the unit of the reference; one in another unit (a Pt 100 read in °C
// against a reference in Ohm) is shown with its unit and compared with nothing.
std::optional<RecordValue> inputValue(const RecordValues& values, const std::optional<std::string>& unit) {
    const auto value = valueOf(values, "input");
    const auto number = numberIn(value);
    const auto own = textIn(valueOf(values, "unit"));
    if (!number || own == unit) return value;
    return decimalText(*number) + (own ? " " + *own : "");
}

// An input point: the reference set, against the transmitter's readings before and after.
CertificateRow inputRow(const ServiceRecord& r, std::optional<double> limit) {
    const auto unit = textIn(valueOf(r.reference, "unit"));
    const std::string what = unit ? formatText(UI_TEXT("Wejście [%1]"), {*unit}) : UI_TEXT("Wejście");
    return pointRow(pointLabel(what, r), valueOf(r.reference, "input"), inputValue(r.asFound, unit),
                    inputValue(r.asLeft, unit), limit);
}

struct Tolerances {
    std::optional<double> temperature, input, output;
};

// "10:20:00  Kompensacja: as_found [nieczytelne: "{24,5"] — pominięty": a record read only in
// part gives no point, so nothing it holds is printed as a value.
std::string unreadableNote(const StoredRecord& s, const std::string& time) {
    std::string columns;
    for (const auto& [column, stored] : s.unreadable)
        columns += (columns.empty() ? "" : ", ") + column + " " + unreadableText(stored);
    return formatText(UI_TEXT("%1  %2: %3 — pominięty"), {time, kindText(s.record.kind), columns});
}

// "10:20:00  Kalibracja wejścia: odrzucone": each outcome gives the note a word of its own by
// which it is found again in another language.
std::string_view outcomeNote(RecordOutcome outcome) {
    switch (outcome) {
        case RecordOutcome::Confirmed: return UI_TEXT("%1  %2: potwierdzone");
        case RecordOutcome::NotConfirmed: return UI_TEXT("%1  %2: niepotwierdzone");
        case RecordOutcome::NoAnswer: return UI_TEXT("%1  %2: brak odpowiedzi");
        case RecordOutcome::Refused: return UI_TEXT("%1  %2: odrzucone");
    }
    return {};
}

void addRecord(Certificate& c, const StoredRecord& s, const Tolerances& limits, const HistoryQuery& history) {
    const ServiceRecord& r = s.record;
    const std::string time = clockText(history.localTime(s.time));
    if (!s.unreadable.empty()) {
        c.notes.push_back(unreadableNote(s, time));
        return;
    }
    switch (r.kind) {
        case RecordKind::CalibrationInput: c.points.push_back(inputRow(r, limits.input)); break;
        case RecordKind::CalibrationOutput:
            c.points.push_back(pointRow(pointLabel(UI_TEXT("Wyjście"), r), valueOf(r.reference, "measured"),
                                        valueOf(r.asFound, "output"), valueOf(r.asLeft, "output"),
                                        limits.output));
            break;
        case RecordKind::CalibrationCompensation:
            c.points.push_back(pointRow(UI_TEXT("Kompensacja [°C]"), valueOf(r.reference, "ambient"),
                                        valueOf(r.asFound, "ambient"), valueOf(r.asLeft, "ambient"),
                                        limits.temperature));
            break;
        case RecordKind::Trim: {
            const auto trim = valueOf(r.asLeft, "trim");
            const bool set = trim && std::get_if<std::string>(&*trim) && std::get<std::string>(*trim) == "set";
            c.notes.push_back(formatText(set ? UI_TEXT("%1  Trim ustawiony") : UI_TEXT("%1  Trim anulowany"), {time}));
            break;
        }
        default: return;
    }
    if (r.outcome != RecordOutcome::Confirmed)
        c.notes.push_back(formatText(outcomeNote(r.outcome), {time, kindText(r.kind)}));
}

}  // namespace

std::string decimalText(double value, bool signedText) {
    char text[32];
    std::snprintf(text, sizeof text, signedText && thousandths(value) != 0 ? "%+.3f" : "%.3f",
                  thousandths(value));
    std::string shown(text);
    std::ranges::replace(shown, '.', ',');
    return shown;
}

std::string orUnknown(const std::string& text) { return text.empty() ? std::string(Unknown) : text; }

std::string dateText(const std::string& local) {
    if (local.size() < 10 || local[4] != '-' || local[7] != '-') return local;
    return local.substr(8, 2) + "." + local.substr(5, 2) + "." + local.substr(0, 4);
}

CertificateSettings readCertificateSettings(const SettingsStore& settings) {
    const auto read = [&settings](std::string_view key) { return settings.readText(ReferenceSection, key, ""); };
    return {read(ReferenceNameKey), read(ReferenceSerialKey), read(ReferenceUncertaintyKey),
            read(TemperatureToleranceKey), read(InputToleranceKey), read(OutputToleranceKey)};
}

bool writeCertificateSettings(SettingsStore& settings, const CertificateSettings& values) {
    bool written = true;
    const auto write = [&](std::string_view key, const std::string& value) {
        written = settings.writeText(ReferenceSection, key, value) && written;
    };
    write(ReferenceNameKey, values.instrumentName);
    write(ReferenceSerialKey, values.instrumentSerial);
    write(ReferenceUncertaintyKey, values.instrumentUncertainty);
    write(TemperatureToleranceKey, values.temperatureTolerance);
    write(InputToleranceKey, values.inputTolerance);
    write(OutputToleranceKey, values.outputTolerance);
    return written;
}

bool isCalibration(RecordKind kind) {
    return kind == RecordKind::CalibrationInput || kind == RecordKind::CalibrationOutput ||
           kind == RecordKind::CalibrationCompensation || kind == RecordKind::Trim ||
           kind == RecordKind::CalibrationConditions || kind == RecordKind::CalibrationPoint ||
           kind == RecordKind::CalibrationEnd;
}

std::vector<StoredRecord> calibrationSession(const std::vector<StoredRecord>& records,
                                             const StoredRecord& chosen, const HistoryQuery& history) {
    if (!eventOf(chosen).empty()) return eventRecords(records, eventOf(chosen));
    const auto day = [&history](const StoredRecord& s) { return history.localTime(s.time).substr(0, 10); };
    std::vector<StoredRecord> session;
    // A record whose kind, serial number or time could not be read belongs to no known session.
    const auto identified = [](const StoredRecord& s) {
        return !s.unreadable.contains("kind") && !s.unreadable.contains("serial") && !s.unreadable.contains("time");
    };
    std::ranges::copy_if(records, std::back_inserter(session), [&](const StoredRecord& s) {
        return identified(s) && isCalibration(s.record.kind) && s.record.model == chosen.record.model &&
               s.record.serial == chosen.record.serial && s.user == chosen.user && day(s) == day(chosen);
    });
    std::ranges::sort(session, {}, &StoredRecord::time);
    return session;
}

Certificate makeCertificate(std::vector<StoredRecord> session, const CertificateSettings& settings,
                            const HistoryQuery& history) {
    std::ranges::sort(session, {}, &StoredRecord::time);
    Certificate c;
    if (session.empty()) return c;
    const StoredRecord& front = session.front();
    const ServiceRecord& first = front.record;
    const std::string local = history.localTime(session.front().time);
    const Tolerances limits{tolerance(settings.temperatureTolerance), tolerance(settings.inputTolerance),
                            tolerance(settings.outputTolerance)};
    c.judged = limits.temperature || limits.input || limits.output;
    c.fields = {
        {UI_TEXT("Przetwornik"), first.model},
        {UI_TEXT("Numer seryjny"), shownField(front, "serial", std::to_string(first.serial))},
        {UI_TEXT("Adres"), shownField(front, "address", std::to_string(first.address))},
        {UI_TEXT("Linia"), first.line + " (" + shownField(front, "mode", modeName(first)) + ")"},
        {UI_TEXT("Data kalibracji"), dateText(local)},
        {UI_TEXT("Wykonał"), technicians(session)},
        {UI_TEXT("Przyrząd wzorcowy"), orUnknown(settings.instrumentName)},
        {UI_TEXT("Numer seryjny przyrządu"), orUnknown(settings.instrumentSerial)},
        {UI_TEXT("Niepewność przyrządu"), orUnknown(settings.instrumentUncertainty)},
        {UI_TEXT("Tolerancja temperatury"), toleranceText(limits.temperature, " °C")},
        {UI_TEXT("Tolerancja wejścia"), toleranceText(limits.input, "")},
        {UI_TEXT("Tolerancja wyjścia"), toleranceText(limits.output, "")},
    };
    for (const StoredRecord& s : session) addRecord(c, s, limits, history);
    c.fileName = "swiadectwo-" + std::to_string(first.serial) + "-" + local.substr(0, 10) + ".pdf";
    return c;
}

}  // namespace doxa
