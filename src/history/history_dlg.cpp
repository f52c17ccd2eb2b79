#include "history/history_dlg.h"

#include <algorithm>
#include <charconv>
#include <sstream>

#include "dialog/visible_text.h"

#include "link/screen_text.h"
#include "document/document_file.h"
#include "history/certificate.h"
#include "history/history_csv.h"
#include "history/record_texts.h"

namespace doxa {

namespace {

constexpr std::string_view NoRecordsText = UI_TEXT("Historia nie zawiera pasujących wpisów.");
constexpr std::string_view BadSerialText = UI_TEXT("Numer seryjny musi być liczbą całkowitą.");
constexpr std::string_view BadSinceText = UI_TEXT("Datę należy podać jako RRRR-MM-DD.");
constexpr std::string_view NotWrittenText = UI_TEXT("Nie można zapisać pliku %1.");
constexpr std::string_view SuggestedFile = "historia";
constexpr std::string_view ConnectingText = UI_TEXT("Łączenie z bazą...");
constexpr std::string_view NoneDueText = UI_TEXT("Żaden przetwornik nie czeka na kalibrację w tym terminie.");
constexpr std::string_view BadDueDaysText = UI_TEXT("Liczbę dni należy podać jako liczbę całkowitą od 0 do 3660.");
constexpr std::string_view DefaultDueDays = "30";
constexpr int MostDueDays = 3660;
constexpr std::string_view StoppedText =
    UI_TEXT("Przerwano czekanie na bazę: lista pokazuje tylko wpisy z pliku lokalnego.");

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
std::string serialText(const KnownTransmitter& t) {
    return t.serialAsStored.empty() ? std::to_string(t.serial) : unreadableText(t.serialAsStored);
}

// "historia-4242.csv": the transmitter's serial number, when it could be read.
std::string suggestedFile(const KnownTransmitter& t) {
    return std::string(SuggestedFile) + (t.serialAsStored.empty() ? "-" + std::to_string(t.serial) : "") + ".csv";
}

HistoryFilter ofTransmitter(HistoryFilter filter, const KnownTransmitter& transmitter) {
    filter.model = transmitter.model;
    filter.serial = transmitter.serial;
    filter.serialAsStored = transmitter.serialAsStored;
    return filter;
}

}  // namespace

void CHistoryDlg::onInit() {
    window().setVisible(Certificate, static_cast<bool>(showCertificate_));
    window().setText(DueDays, DefaultDueDays);
    applyFilter();
}

void CHistoryDlg::onCommand(int id) {
    if (id == Apply || id == DueOnly)
        applyFilter();
    else if (id == Export)
        exportCsv();
    else if (id == Certificate)
        certify();
    else if (id == Older && next_)
        askPage(pageReach_, *next_);
    else if (id == StopWaiting)
        stopWaiting();
    else
        DialogLogic::onCommand(id);
}

void CHistoryDlg::onChange(int id) {
    if (id == Transmitters) askFirstPages();
    if (id == Records) window().setEnabled(Certificate, chosenCalibration().has_value());
}

void CHistoryDlg::onTimer(int timer) {
    if (timer == AnswerTimer) takeAnswers();
}

// Closing never waits for the database.
void CHistoryDlg::onDestroy() { runner_.abandon(); }

void CHistoryDlg::ask(Job job) {
    const int question = ++lastQuestion_;
    open_.insert(question);
    stopped_ = false;
    runner_.run([inbox = inbox_, job = std::move(job), question](HistoryQuery& history) {
        Show show = job(history);
        const std::lock_guard hold(inbox->lock);
        inbox->answers.emplace_back(question, std::move(show));
    });
    window().startTimer(AnswerTimer, AnswerPollMs);
    showStatus();
}

void CHistoryDlg::takeAnswers() {
    std::vector<std::pair<int, Show>> answers;
    {
        const std::lock_guard hold(inbox_->lock);
        answers.swap(inbox_->answers);
    }
    for (auto& [question, show] : answers)
        if (open_.erase(question)) show(question);  // none shows once waiting was given up
    if (open_.empty()) window().stopTimer(AnswerTimer);
    showStatus();
}

void CHistoryDlg::stopWaiting() {
    runner_.abandon();
    open_.clear();
    stopped_ = true;
    window().stopTimer(AnswerTimer);
    showStatus();
}

// The local file answers first; a shared database is asked after it.
std::vector<Reach> CHistoryDlg::reaches() const {
    if (history_.beyondLocalFile()) return {Reach::LocalFile, Reach::Everywhere};
    return {Reach::LocalFile};
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
    const std::string days(trimmed(w.text(DueDays)));
    const auto withinDays = serialFrom(days);
    const bool due = w.isChecked(DueOnly);
    if (due && (!withinDays || *withinDays < 0 || *withinDays > MostDueDays)) {
        w.messageBox(BadDueDaysText, BoxIcon::Error);
        return;
    }
    filter_ = filter;
    // An answer to a listing asked before this one shows nothing.
    listingAsked_ = pageAsked_ = lastQuestion_ + 1;
    dueListed_ = due;
    if (due) return askDue({dueCounting_.today(), *withinDays, dueCounting_.defaultMonths});
    for (const Reach reach : reaches()) askListing(reach);
}

// The due dates come from every calibration event, those of a shared database included: the
// list is asked of the whole history at once.
void CHistoryDlg::askDue(const DueQuestion& question) {
    ask([this, filter = filter_, question](HistoryQuery& history) -> Show {
        Listing listing;
        listing.due = calibrationsDue(history, filter, question);
        for (const CalibrationDue& d : listing.due) listing.transmitters.push_back(d.transmitter);
        if (!listing.transmitters.empty())
            listing.page = history.recordPage(ofTransmitter(filter, listing.transmitters.front()), Reach::Everywhere,
                                              {}, PageSize);
        listing.problem = history.problem();
        return [this, listing = std::move(listing)](int question) mutable {
            showListing(question, Reach::Everywhere, std::move(listing));
        };
    });
}

void CHistoryDlg::askListing(Reach reach) {
    ask([this, filter = filter_, reach](HistoryQuery& history) -> Show {
        Listing listing{history.transmitters(filter, reach), {}, {}};
        if (!listing.transmitters.empty())
            listing.page = history.recordPage(ofTransmitter(filter, listing.transmitters.front()), reach, {}, PageSize);
        listing.problem = history.problem();
        return [this, reach, listing = std::move(listing)](int question) mutable {
            showListing(question, reach, std::move(listing));
        };
    });
}

void CHistoryDlg::askFirstPages() {
    records_.clear();
    next_.reset();
    showRecords();
    pageAsked_ = lastQuestion_ + 1;
    for (const Reach reach : reaches()) askPage(reach, {});
}

void CHistoryDlg::askPage(Reach reach, const PageStart& start) {
    const bool older = start.databaseRows > 0;
    if (older) pageAsked_ = lastQuestion_ + 1;
    const auto chosen = chosenTransmitter();
    if (!chosen) return;
    ask([this, filter = ofTransmitter(filter_, *chosen), reach, start, older](HistoryQuery& history) -> Show {
        RecordPage page = history.recordPage(filter, reach, start, PageSize);
        return [this, reach, older, page = std::move(page), problem = history.problem()](int question) mutable {
            problem_ = std::move(problem);
            if (question >= pageAsked_) showPage(std::move(page), reach, older);
        };
    });
}

void CHistoryDlg::showListing(int question, Reach reach, Listing listing) {
    problem_ = std::move(listing.problem);
    if (question < listingAsked_) return;
    const auto chosen = chosenTransmitter();
    showTransmitters(std::move(listing.transmitters), listing.due);
    if (transmitters_.empty() || question >= pageAsked_) {
        if (!transmitters_.empty()) window().setSelection(Transmitters, 0);
        showPage(std::move(listing.page), reach, false);
        return;
    }
    // The technician chose a transmitter meanwhile; its records come with their own answer.
    const auto kept = std::ranges::find_if(transmitters_, [&chosen](const KnownTransmitter& t) {
        return chosen && sameTransmitter(t, *chosen);
    });
    window().setSelection(Transmitters, kept == transmitters_.end() ? 0 : int(kept - transmitters_.begin()));
    if (kept == transmitters_.end()) askFirstPages();
}

void CHistoryDlg::showTransmitters(std::vector<KnownTransmitter> transmitters, const std::vector<CalibrationDue>& due) {
    transmitters_ = std::move(transmitters);
    const std::chrono::sys_days today = dueCounting_.today();
    std::vector<std::string> items;
    for (std::size_t i = 0; i < transmitters_.size(); ++i) {
        const KnownTransmitter& t = transmitters_[i];
        std::string when = history_.localTime(t.lastSeen);
        if (i < due.size()) {
            when = formatText(UI_TEXT("do kalibracji: %1"), {dateText(due[i].due)});
            if (overdue(due[i], today)) when = formatText(UI_TEXT("%1   po terminie"), {when});
        }
        items.push_back(formatText(UI_TEXT("%1   nr %2   %3"), {visibleText(t.model), serialText(t), when}));
    }
    window().setItems(Transmitters, items);
}

void CHistoryDlg::showPage(RecordPage page, Reach reach, bool older) {
    if (!older) records_.clear();
    std::ranges::move(page.records, std::back_inserter(records_));
    next_ = std::move(page.next);
    pageReach_ = reach;
    showRecords();
}

void CHistoryDlg::showRecords() {
    std::vector<std::string> items;
    for (const StoredRecord& s : records_) {
        const ServiceRecord& r = s.record;
        // A row of cells, each found again in another language.
        items.push_back(formatText(UI_TEXT("%1   %2   %3   %4 → %5"),
                                   {shownField(s, "time", history_.localTime(s.time)),
                                    shownField(s, "kind", kindText(r.kind)),
                                    shownField(s, "outcome", outcomeText(r.outcome)),
                                    shownField(s, "as_found", shownValues(r.asFound)),
                                    shownField(s, "as_left", shownValues(r.asLeft))}));
    }
    window().setItems(Records, items);
    window().setEnabled(Export, !records_.empty());
    window().setEnabled(Certificate, false);
}

void CHistoryDlg::showStatus() {
    DialogWindow& w = window();
    const bool waiting = !open_.empty();
    std::string_view status = waiting                  ? ConnectingText
                              : !problem_.empty()      ? std::string_view(problem_)
                              : stopped_               ? StoppedText
                              : transmitters_.empty()  ? (dueListed_ ? NoneDueText : NoRecordsText)
                                                       : std::string_view();
    w.setText(StatusText, status);
    w.setEnabled(StopWaiting, waiting);
    // A page asked twice would be listed twice.
    w.setEnabled(Older, next_.has_value() && !waiting);
}

std::optional<KnownTransmitter> CHistoryDlg::chosenTransmitter() const {
    const int index = window().selection(Transmitters);
    if (index < 0 || index >= static_cast<int>(transmitters_.size())) return std::nullopt;
    return transmitters_[static_cast<std::size_t>(index)];
}

std::optional<StoredRecord> CHistoryDlg::chosenCalibration() const {
    const int index = window().selection(Records);
    if (index < 0 || index >= static_cast<int>(records_.size())) return std::nullopt;
    const StoredRecord& chosen = records_[static_cast<std::size_t>(index)];
    // A record read only in part is never certified.
    if (!isCalibration(chosen.record.kind) || !chosen.unreadable.empty()) return std::nullopt;
    return chosen;
}

// The records listed reach past the chosen record's day, or there are no more.
bool CHistoryDlg::holdsWholeDayOf(const StoredRecord& chosen) const {
    const auto day = [this](const StoredRecord& s) { return history_.localTime(s.time).substr(0, 10); };
    return !next_ || day(records_.back()) != day(chosen);
}

void CHistoryDlg::certify() {
    const auto chosen = chosenCalibration();
    if (!chosen || !showCertificate_) return;
    if (holdsWholeDayOf(*chosen)) {
        showCertificate_(calibrationSession(records_, *chosen, history_));
        return;
    }
    // The session may go on in a page not listed yet: the chosen record's day is read whole.
    HistoryFilter day{.serial = chosen->record.serial, .model = chosen->record.model};
    day.since = history_.sinceFromText(history_.localTime(chosen->time).substr(0, 10));
    ask([this, day, chosen = *chosen](HistoryQuery& history) -> Show {
        return [this, chosen, found = history.records(day), problem = history.problem()](int) {
            problem_ = problem;
            showCertificate_(calibrationSession(found, chosen, history_));
        };
    });
}

void CHistoryDlg::exportCsv() {
    const auto chosen = chosenTransmitter();
    if (records_.empty() || !chosen) return;
    const std::string path = askSavePath_(suggestedFile(*chosen));
    if (path.empty()) return;
    const bool listedAll = !next_ && (pageReach_ == Reach::Everywhere || !history_.beyondLocalFile());
    if (listedAll) return writeCsv(path, records_);
    // The file gets the transmitter's older records and the server's too, not only what is listed.
    ask([this, filter = ofTransmitter(filter_, *chosen), path](HistoryQuery& history) -> Show {
        return [this, path, found = history.records(filter), problem = history.problem()](int) {
            problem_ = problem;
            if (problem.empty())
                writeCsv(path, found);
            else
                window().messageBox(formatText(NotWrittenText, {path}) + "\n" + problem, BoxIcon::Error);
        };
    });
}

void CHistoryDlg::writeCsv(const std::string& path, const std::vector<StoredRecord>& records) {
    std::ostringstream csv;
    writeHistoryCsv(records, csv);
    const std::string text = std::move(csv).str();
    if (!replaceFile(path, std::vector<std::uint8_t>(text.begin(), text.end())))
        window().messageBox(formatText(NotWrittenText, {path}), BoxIcon::Error);
}

}  // namespace doxa
