#include "history/history_dlg.h"

#include <algorithm>
#include <charconv>
#include <fstream>

#include "history/certificate.h"
#include "history/history_csv.h"
#include "history/record_texts.h"

namespace doxa {

namespace {

constexpr std::string_view NoRecordsText = "Historia nie zawiera pasujących wpisów.";
constexpr std::string_view BadSerialText = "Numer seryjny musi być liczbą całkowitą.";
constexpr std::string_view BadSinceText = "Datę należy podać jako RRRR-MM-DD.";
constexpr std::string_view NotWrittenText = "Nie można zapisać pliku ";
constexpr std::string_view SuggestedFile = "historia.csv";
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
        const bool known = std::ranges::any_of(transmitters_, [&r](const Transmitter& t) {
            return t.model == r.model && t.serial == r.serial;
        });
        if (known) continue;
        // Records come newest first, so the first one of a transmitter is when it was last seen.
        transmitters_.push_back({r.model, r.serial, s.time});
        items.push_back(r.model + std::string(Gap) + "nr " + std::to_string(r.serial) +
                        std::string(Gap) + history_.localTime(s.time));
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
        return s.record.model == chosen.model && s.record.serial == chosen.serial;
    });
    return listed;
}

void CHistoryDlg::showRecords() {
    std::vector<std::string> items;
    const std::vector<StoredRecord> listed = listedRecords();
    for (const StoredRecord& s : listed) {
        const ServiceRecord& r = s.record;
        items.push_back(history_.localTime(s.time) + std::string(Gap) + std::string(kindText(r.kind)) +
                        std::string(Gap) + std::string(outcomeText(r.outcome)) + std::string(Gap) +
                        shownValues(r.asFound) + " → " + shownValues(r.asLeft));
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
    if (!isCalibration(chosen.record.kind)) return std::nullopt;
    return chosen;
}

void CHistoryDlg::certify() {
    const auto chosen = chosenCalibration();
    if (chosen && showCertificate_) showCertificate_(calibrationSession(records_, *chosen, history_));
}

void CHistoryDlg::exportCsv() {
    const std::vector<StoredRecord> listed = listedRecords();
    if (listed.empty()) return;
    const std::string path = askSavePath_(SuggestedFile);
    if (path.empty()) return;
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    writeHistoryCsv(listed, file);
    file.close();
    if (!file) window().messageBox(std::string(NotWrittenText) + path + ".", BoxIcon::Error);
}

}  // namespace doxa
