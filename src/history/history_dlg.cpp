#include "history/history_dlg.h"

#include <algorithm>
#include <charconv>
#include <sstream>

#include "document/document_file.h"
#include "history/certificate.h"
#include "history/history_csv.h"
#include "history/record_texts.h"

namespace doxa {

namespace {

constexpr std::string_view NoRecordsText = "Historia nie zawiera pasujących wpisów.";
constexpr std::string_view BadSerialText = "Numer seryjny musi być liczbą całkowitą.";
constexpr std::string_view BadSinceText = "Datę należy podać jako RRRR-MM-DD.";
constexpr std::string_view NotWrittenText = "Nie można zapisać pliku ";
constexpr std::string_view SuggestedFile = "historia";
constexpr std::string_view Gap = "   ";

std::string_view trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

std::optional<int> serialFrom(std::string_view text) {
    int serial = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), serial);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return serial;
}

// The serial number as the lists show it; one that could not be read, as stored and marked.
std::string serialText(const StoredRecord& s) { return shownField(s, "serial", std::to_string(s.record.serial)); }

// "historia-4242.csv": the transmitter's serial number, when it could be read.
std::string suggestedFile(const StoredRecord& s) {
    const std::string serial = s.unreadable.contains("serial") ? "" : "-" + std::to_string(s.record.serial);
    return std::string(SuggestedFile) + serial + ".csv";
}

}  // namespace

void CHistoryDlg::onInit() {
    window().setVisible(Certificate, static_cast<bool>(showCertificate_));
    applyFilter();
}

void CHistoryDlg::onCommand(int id) {
    if (id == Apply)
        applyFilter();
    else if (id == Export)
        exportCsv();
    else if (id == Certificate)
        certify();
    else
        DialogLogic::onCommand(id);
}

void CHistoryDlg::onChange(int id) {
    if (id == Transmitters) showRecords();
    if (id == Records) window().setEnabled(Certificate, chosenCalibration().has_value());
}

void CHistoryDlg::applyFilter() {
    DialogWindow& w = window();
    HistoryFilter filter;
    const std::string serial(trimmed(w.text(SerialFilter)));
    const std::string since(trimmed(w.text(SinceFilter)));
    filter.model = trimmed(w.text(ModelFilter));
    if (!serial.empty()) filter.serial = serialFrom(serial);
    if (!since.empty()) filter.since = history_.sinceFromText(since);
    if (!serial.empty() && !filter.serial) {
        w.messageBox(BadSerialText, BoxIcon::Error);
        return;
    }
    if (!since.empty() && !filter.since) {
        w.messageBox(BadSinceText, BoxIcon::Error);
        return;
    }
    records_ = history_.records(filter);
    showTransmitters();
}

void CHistoryDlg::showTransmitters() {
    DialogWindow& w = window();
    transmitters_.clear();
    std::vector<std::string> items;
    for (const StoredRecord& s : records_) {
        const ServiceRecord& r = s.record;
        const std::string serial = serialText(s);
        const bool known = std::ranges::any_of(transmitters_, [&](const Transmitter& t) {
            return t.model == r.model && t.serial == serial;
        });
        if (known) continue;
        // Records come newest first, so the first one of a transmitter is when it was last seen.
        transmitters_.push_back({r.model, serial, s.time});
        items.push_back(shownField(s, "model", r.model) + std::string(Gap) + "nr " + serial + std::string(Gap) +
                        shownField(s, "time", history_.localTime(s.time)));
    }
    w.setItems(Transmitters, items);
    const std::string& problem = history_.problem();
    w.setText(StatusText, !problem.empty() ? std::string_view(problem)
                                           : records_.empty() ? NoRecordsText : std::string_view());
    if (!transmitters_.empty()) w.setSelection(Transmitters, 0);
    showRecords();
}

std::vector<StoredRecord> CHistoryDlg::listedRecords() const {
    const int index = window().selection(Transmitters);
    if (index < 0 || index >= static_cast<int>(transmitters_.size())) return {};
    const Transmitter& chosen = transmitters_[static_cast<std::size_t>(index)];
    std::vector<StoredRecord> listed;
    std::ranges::copy_if(records_, std::back_inserter(listed), [&chosen](const StoredRecord& s) {
        return s.record.model == chosen.model && serialText(s) == chosen.serial;
    });
    return listed;
}

void CHistoryDlg::showRecords() {
    std::vector<std::string> items;
    const std::vector<StoredRecord> listed = listedRecords();
    for (const StoredRecord& s : listed) {
        const ServiceRecord& r = s.record;
        items.push_back(shownField(s, "time", history_.localTime(s.time)) + std::string(Gap) +
                        shownField(s, "kind", kindText(r.kind)) + std::string(Gap) +
                        shownField(s, "outcome", outcomeText(r.outcome)) + std::string(Gap) +
                        shownField(s, "as_found", shownValues(r.asFound)) + " → " +
                        shownField(s, "as_left", shownValues(r.asLeft)));
    }
    window().setItems(Records, items);
    window().setEnabled(Export, !listed.empty());
    window().setEnabled(Certificate, false);
}

std::optional<StoredRecord> CHistoryDlg::chosenCalibration() const {
    const std::vector<StoredRecord> listed = listedRecords();
    const int index = window().selection(Records);
    if (index < 0 || index >= static_cast<int>(listed.size())) return std::nullopt;
    const StoredRecord& chosen = listed[static_cast<std::size_t>(index)];
    // A record read only in part is never certified.
    if (!isCalibration(chosen.record.kind) || !chosen.unreadable.empty()) return std::nullopt;
    return chosen;
}

void CHistoryDlg::certify() {
    const auto chosen = chosenCalibration();
    if (chosen && showCertificate_) showCertificate_(calibrationSession(records_, *chosen, history_));
}

void CHistoryDlg::exportCsv() {
    const std::vector<StoredRecord> listed = listedRecords();
    if (listed.empty()) return;
    const std::string path = askSavePath_(suggestedFile(listed.front()));
    if (path.empty()) return;
    std::ostringstream csv;
    writeHistoryCsv(listed, csv);
    const std::string text = std::move(csv).str();
    if (!replaceFile(path, std::vector<std::uint8_t>(text.begin(), text.end())))
        window().messageBox(std::string(NotWrittenText) + path + ".", BoxIcon::Error);
}

}  // namespace doxa
