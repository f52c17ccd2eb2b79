#include "history/event_certificate.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "calibration/calibration_event.h"
#include "link/screen_text.h"
#include "history/event_canonical_form.h"
#include "history/history_csv.h"
#include "history/record_texts.h"

namespace doxa {

namespace {

constexpr std::string_view Within = UI_TEXT("zgodny");
constexpr std::string_view Outside = UI_TEXT("niezgodny");
constexpr std::string_view NotJudged = UI_TEXT("nie oceniono");

std::string withUnit(std::optional<double> value, std::string_view unit, bool signedText = false) {
    if (!value) return std::string(Unknown);
    return decimalText(*value, signedText) + (unit.empty() ? "" : " " + std::string(unit));
}

std::string verdictText(const std::optional<bool>& within) {
    if (!within) return std::string(NotJudged);
    return std::string(*within ? Within : Outside);
}

std::string pointName(const CalibrationPoint& p) {
    char text[16];
    std::snprintf(text, sizeof text, "%g", p.percent);
    std::string percent(text);
    std::ranges::replace(percent, '.', ',');
    return formatText(p.channel == CalibrationChannel::Input ? UI_TEXT("Wejście %1 %") : UI_TEXT("Wyjście %1 %"),
                      {percent});
}

CertificateTable phaseTable(const CalibrationEvent& event, CalibrationPhase phase) {
    const CalibrationConditions& c = *event.conditions;
    CertificateTable table;
    table.title = phaseText(phase);
    table.headings = {UI_TEXT("Punkt"),      UI_TEXT("Wzorzec"), UI_TEXT("Odczyt"), UI_TEXT("Błąd"),
                      UI_TEXT("Tolerancja"), "U (k=2)",          UI_TEXT("Ocena"),  UI_TEXT("Błąd (druga jedn.)")};
    for (const CalibrationPoint& p : event.points) {
        if (p.phase != phase) continue;
        const bool input = p.channel == CalibrationChannel::Input;
        const PointResult& r = p.result;
        const std::optional<double> limit = input ? c.inputTolerance : c.outputTolerance;
        table.rows.push_back({
            pointName(p),
            withUnit(p.applied, input ? c.appliedUnit : c.outputUnit),
            withUnit(meanOf(p.readings), input ? c.readingUnit : c.outputUnit),
            r.error ? withUnit(r.error, r.errorUnit, true) : orUnknown(r.reason),
            limit ? "±" + withUnit(std::fabs(*limit), r.errorUnit) : std::string(NotJudged),
            withUnit(r.uncertainty, r.errorUnit),
            verdictText(r.within),
            withUnit(r.otherError, r.otherUnit, true),
        });
    }
    return table;
}

// The verdict of the transmitter as left: its as-left points, or its as-found ones when none
// were measured again. One point outside fails it; one not judged leaves it open.
std::string overallVerdict(const CalibrationEvent& event) {
    const auto inPhase = [&event](CalibrationPhase phase) {
        return std::ranges::any_of(event.points, [phase](const CalibrationPoint& p) { return p.phase == phase; });
    };
    const CalibrationPhase judged = inPhase(CalibrationPhase::AsLeft) ? CalibrationPhase::AsLeft : CalibrationPhase::AsFound;
    bool open = !inPhase(judged);
    for (const CalibrationPoint& p : event.points) {
        if (p.phase != judged) continue;
        if (p.result.within == false) return std::string(Outside);
        open = open || !p.result.within;
    }
    return std::string(open ? NotJudged : Within);
}

std::string instrumentText(const ReferenceInstrument& i) {
    std::string text = i.name;
    if (!i.model.empty()) text += " " + i.model;
    return formatText(UI_TEXT("%1, nr ser. %2, świadectwo %3, ważne do %4"),
                      {text, orUnknown(i.serial), orUnknown(i.certificate),
                       i.due.empty() ? std::string(Unknown) : dateText(i.due)});
}

std::string conditionsText(const CalibrationConditions& c) {
    return formatText(UI_TEXT("%1, wilgotność %2"), {withUnit(c.ambientCelsius, Celsius), withUnit(c.humidityPercent, "%")});
}

std::string rangeText(double low, double high, const std::string& unit) {
    return decimalText(low) + " … " + decimalText(high) + (unit.empty() ? "" : " " + unit);
}

std::string endText(const CalibrationEvent& event) {
    if (!event.interrupted()) return UI_TEXT("zakończona");
    const std::string reason = event.end ? event.end->reason : "";
    return reason.empty() ? UI_TEXT("PRZERWANA") : formatText(UI_TEXT("PRZERWANA — %1"), {reason});
}

bool isAdjustment(RecordKind kind) {
    return kind == RecordKind::CalibrationInput || kind == RecordKind::CalibrationOutput ||
           kind == RecordKind::CalibrationCompensation || kind == RecordKind::Trim;
}

void addAdjustments(Certificate& c, const CalibrationEvent& event, const std::vector<StoredRecord>& records,
                    const HistoryQuery& history) {
    for (const StoredRecord& s : records) {
        if (!isAdjustment(s.record.kind)) continue;
        const std::string local = history.localTime(s.time);
        c.notes.push_back(formatText(UI_TEXT("Regulacja %1: %2 — %3"), {local.size() >= 19 ? local.substr(11, 8) : local,
                                                                       kindText(s.record.kind),
                                                                       outcomeText(s.record.outcome)}));
    }
    if (event.adjustments.empty() && (!event.end || !event.end->adjusted)) c.notes.push_back(UI_TEXT("Bez regulacji"));
}

std::vector<CertificateField> eventFields(const CalibrationEvent& event, const CertificateIssue& issue,
                                          const StoredRecord& first, const std::string& started,
                                          const std::string& ended, const std::string& code) {
    const CalibrationConditions& c = *event.conditions;
    std::vector<CertificateField> fields = {
        {UI_TEXT("Numer świadectwa"), issue.number.empty() ? std::string(DraftNumber) : issue.number},
        {UI_TEXT("Data kalibracji"), dateText(started)},
        {UI_TEXT("Data wystawienia"), issue.issued.empty() ? std::string(Unknown) : dateText(issue.issued)},
        {UI_TEXT("Następna kalibracja"), dateText(addMonths(ended.substr(0, 10), c.intervalMonths))},
        {UI_TEXT("Klient / zakład"), orUnknown(c.customer)},
        {UI_TEXT("Oznaczenie (tag)"), orUnknown(c.tag)},
        {UI_TEXT("Przetwornik"), formatText(UI_TEXT("%1, nr ser. %2"), {first.record.model, std::to_string(first.record.serial)})},
        {UI_TEXT("Czujnik, zakres"), orUnknown(c.sensor) + ", " + rangeText(c.rangeLow, c.rangeHigh, c.readingUnit)},
        {UI_TEXT("Wyjście"), rangeText(c.outputLow, c.outputHigh, c.outputUnit)},
        {UI_TEXT("Warunki otoczenia"), conditionsText(c)},
    };
    for (const ReferenceInstrument& i : c.instruments) fields.push_back({UI_TEXT("Przyrząd wzorcowy"), instrumentText(i)});
    fields.push_back({UI_TEXT("Przebieg kalibracji"), endText(event)});
    fields.push_back({UI_TEXT("Wynik ogólny"), overallVerdict(event)});
    fields.push_back({UI_TEXT("Reguła decyzyjna"), std::string(DecisionRule)});
    fields.push_back({UI_TEXT("Wykonał"), orUnknown(c.technician)});
    fields.push_back({UI_TEXT("Wersja programu"), orUnknown(c.programVersion)});
    fields.push_back({UI_TEXT("Kod weryfikacyjny"), code});
    return fields;
}

}  // namespace

std::vector<StoredRecord> eventRecords(const std::vector<StoredRecord>& records, const std::string& event) {
    std::vector<StoredRecord> found;
    std::ranges::copy_if(records, std::back_inserter(found),
                         [&event](const StoredRecord& s) { return !event.empty() && eventOf(s) == event; });
    std::ranges::sort(found, {}, &StoredRecord::time);
    return found;
}

std::string addMonths(const std::string& isoDate, int months) {
    using namespace std::chrono;
    if (isoDate.size() != 10) return isoDate;
    const int y = std::atoi(isoDate.substr(0, 4).c_str());
    const unsigned m = static_cast<unsigned>(std::atoi(isoDate.substr(5, 2).c_str()));
    const unsigned d = static_cast<unsigned>(std::atoi(isoDate.substr(8, 2).c_str()));
    const year_month_day date{year{y}, month{m}, day{d}};
    if (!date.ok()) return isoDate;
    const year_month later = year_month{date.year(), date.month()} + std::chrono::months{months};
    const year_month_day_last last{later.year(), month_day_last{later.month()}};
    const year_month_day due{later.year(), later.month(), std::min(date.day(), last.day())};
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02u-%02u", static_cast<int>(due.year()),
                  static_cast<unsigned>(due.month()), static_cast<unsigned>(due.day()));
    return text;
}

Certificate makeEventCertificate(std::vector<StoredRecord> records, const CertificateIssue& issue,
                                 const HistoryQuery& history) {
    std::ranges::sort(records, {}, &StoredRecord::time);
    CalibrationEvent event;
    std::vector<StoredRecord> read;
    for (const StoredRecord& s : records)
        if (s.unreadable.empty() && addToEvent(event, s.record)) read.push_back(s);
    Certificate c;
    if (!event.conditions || read.empty()) return c;
    const std::string started = history.localTime(read.front().time);
    const std::string ended = history.localTime(read.back().time);
    c.eventId = event.id;
    c.verificationCode = verificationCode(event.id, records);
    c.fields = eventFields(event, issue, read.front(), started, ended, c.verificationCode);
    c.tables = {phaseTable(event, CalibrationPhase::AsFound), phaseTable(event, CalibrationPhase::AsLeft)};
    c.judged = true;
    addAdjustments(c, event, read, history);
    for (const StoredRecord& s : records)
        if (!s.unreadable.empty())
            c.notes.push_back(formatText(UI_TEXT("Zapis nieczytelny: %1 — pominięty"), {kindText(s.record.kind)}));
    c.fileName = "swiadectwo-" + std::to_string(read.front().record.serial) + "-" + started.substr(0, 10) + ".pdf";
    return c;
}

}  // namespace doxa
