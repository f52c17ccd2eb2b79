#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "dialog/dialog.h"
#include "history/calibration_due.h"
#include "history/history_query.h"

namespace doxa {

// What "Do kalibracji" counts with: the interval of an event that names none, and today.
struct DueCounting {
    int defaultMonths = DefaultCalibrationIntervalMonths;
    std::function<std::chrono::sys_days()> today = localToday;
};

// "Historia przetwornika...": the transmitters the service history knows (model, serial number,
// when last seen) and, for the chosen one, what was done to it, newest first, a page at a time
// ("Starsze wpisy" adds the next). The filters narrow both lists; "Eksport CSV..." writes the
// chosen transmitter's records, older pages included, into a file the technician names
// ("historia-SERIAL.csv" offered), beside it first and renamed into place. "Świadectwo
// kalibracji..." hands the calibration session of the chosen calibration record on. "Do
// kalibracji" lists only the transmitters due for calibration within the days given, or overdue,
// each with its due date.
// Every question goes to the history through a runner, off the window's thread: what the local
// file holds shows at once, a shared database's records when they come, and "Przerwij" gives up
// waiting for them.
class CHistoryDlg : public DialogLogic {
public:
    static constexpr int Resource = 143;
    enum : int {
        Close = 2,
        Transmitters = 101,
        Records = 102,
        Export = 103,
        Certificate = 104,
        Older = 105,
        StopWaiting = 106,
        SerialFilter = 111,
        ModelFilter = 112,
        SinceFilter = 113,
        DueOnly = 114,
        DueDays = 115,
        Apply = 121,
        StatusText = 131,
    };
    // Asks for the CSV file to export into, suggesting a name; empty when the technician
    // cancelled.
    using AskSavePath = std::function<std::string(std::string_view suggested)>;
    // Shows the certificate of a calibration session, oldest record first.
    using ShowCertificate = std::function<void(const std::vector<StoredRecord>& session)>;

    // Answers are taken from the runner's thread this often while questions are open.
    enum : int { AnswerTimer = 1 };
    static constexpr int AnswerPollMs = 20;
    static constexpr std::size_t PageSize = 200;

    // `history` gives the times as the technician's clock shows them; the records come from
    // `runner`'s history.
    CHistoryDlg(HistoryQuery& history, HistoryRunner& runner, AskSavePath askSavePath,
                ShowCertificate showCertificate = {}, DueCounting dueCounting = {})
        : history_(history), runner_(runner), askSavePath_(std::move(askSavePath)),
          showCertificate_(std::move(showCertificate)), dueCounting_(std::move(dueCounting)) {}

    int layout() const override { return Resource; }
    void onInit() override;
    void onCommand(int id) override;
    void onChange(int id) override;
    void onTimer(int timer) override;
    void onDestroy() override;

private:
    // What a question shows on the window's thread, given its number.
    using Show = std::function<void(int question)>;
    // A question, answered on the runner's thread.
    using Job = std::function<Show(HistoryQuery&)>;
    // What the runner's thread hands to the window's thread.
    struct Inbox {
        std::mutex lock;
        std::vector<std::pair<int, Show>> answers;
    };
    struct Listing {
        std::vector<KnownTransmitter> transmitters;
        RecordPage page;
        std::string problem;
        // With "Do kalibracji": when each of the transmitters is due.
        std::vector<CalibrationDue> due = {};
    };
    void ask(Job job);
    void takeAnswers();
    void stopWaiting();
    std::vector<Reach> reaches() const;

    void applyFilter();
    void askListing(Reach reach);
    void askDue(const DueQuestion& question);
    void askFirstPages();
    void askPage(Reach reach, const PageStart& start);
    void showListing(int question, Reach reach, Listing listing);
    void showTransmitters(std::vector<KnownTransmitter> transmitters, const std::vector<CalibrationDue>& due);
    void showPage(RecordPage page, Reach reach, bool older);
    void showRecords();
    void showStatus();
    void exportCsv();
    void writeCsv(const std::string& path, const std::vector<StoredRecord>& records);
    void certify();
    std::optional<KnownTransmitter> chosenTransmitter() const;
    // The listed record the technician chose, when it is a calibration record.
    std::optional<StoredRecord> chosenCalibration() const;
    bool holdsWholeDayOf(const StoredRecord& chosen) const;

    HistoryQuery& history_;
    HistoryRunner& runner_;
    AskSavePath askSavePath_;
    ShowCertificate showCertificate_;
    DueCounting dueCounting_;
    std::shared_ptr<Inbox> inbox_ = std::make_shared<Inbox>();
    HistoryFilter filter_;
    // Questions are numbered; an answer to one older than the listing or the page asked last
    // shows nothing.
    int lastQuestion_ = 0;
    int listingAsked_ = 0;
    int pageAsked_ = 0;
    // Questions not answered yet.
    std::set<int> open_;
    std::string problem_;
    bool stopped_ = false;
    std::vector<KnownTransmitter> transmitters_;
    // The chosen transmitter's records listed so far, and where the next page starts.
    std::vector<StoredRecord> records_;
    std::optional<PageStart> next_;
    Reach pageReach_ = Reach::LocalFile;
    // The transmitters listed are those due ("Do kalibracji").
    bool dueListed_ = false;
};

}  // namespace doxa
