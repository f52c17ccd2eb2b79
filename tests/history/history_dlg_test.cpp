// "Historia przetwornika...": the transmitters and their records, the filters and the CSV export,
// against a history in memory.

#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "history/certificate.h"
#include "history/history_dlg.h"
#include "support/csv_rows.h"
#include "support/fake_history.h"
#include "support/fake_window.h"
#include "support/virtual_clock.h"

namespace doxa {
namespace {

using test::FakeHistory;
using test::FakeWindow;
using test::QueuedRunner;
using Items = std::vector<std::string>;

StoredRecord stored(std::string time, std::string model, int serial, RecordKind kind,
                    RecordOutcome outcome, RecordValues asFound = {}, RecordValues asLeft = {}) {
    StoredRecord s{std::move(time), "jan", {}};
    s.record.kind = kind;
    s.record.outcome = outcome;
    s.record.model = std::move(model);
    s.record.serial = serial;
    s.record.line = "COM2:1200,o,8,1";
    s.record.asFound = std::move(asFound);
    s.record.asLeft = std::move(asLeft);
    return s;
}

std::string contentOf(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

class HistoryDialog : public ::testing::Test {
protected:
    HistoryDialog() {
        history.stored = {
            stored("2025-03-02T11:00:00Z", "DOXA-22", 100, RecordKind::CalibrationInput,
                   RecordOutcome::Confirmed, {{"zero", 0.12}}, {{"zero", 0.0}}),
            stored("2025-03-01T10:00:00Z", "RIVO-22", 7, RecordKind::Programming,
                   RecordOutcome::NotConfirmed, {{"sensor", "Pt 100"}}, {{"sensor", "Pt 1000"}}),
            stored("2025-02-27T09:00:00Z", "DOXA-22", 100, RecordKind::Identification,
                   RecordOutcome::Confirmed),
        };
    }

    // The runner's thread answers everything asked, and the dialog takes the answers.
    void answer() {
        runner.runAll();
        clock.advance(CHistoryDlg::AnswerPollMs);
    }
    bool openAndAnswer() {
        const bool opened = window.open();
        answer();
        return opened;
    }

    test::VirtualClock clock;
    FakeHistory history;
    test::QueuedRunner runner{history};
    std::string savePath;
    std::string suggested;
    CHistoryDlg logic{history, runner, [this](std::string_view name) {
                          suggested = std::string(name);
                          return savePath;
                      }};
    FakeWindow window{logic, clock};
};

TEST_F(HistoryDialog, ListsTheTransmittersAndTheRecordsOfTheChosenOne) {
    ASSERT_TRUE(openAndAnswer());
    EXPECT_EQ(window.items(CHistoryDlg::Transmitters),
              (Items{"DOXA-22   nr 100   2025-03-02 11:00:00", "RIVO-22   nr 7   2025-03-01 10:00:00"}));
    EXPECT_EQ(window.selection(CHistoryDlg::Transmitters), 0);
    EXPECT_EQ(window.items(CHistoryDlg::Records),
              (Items{"2025-03-02 11:00:00   Kalibracja wejścia   potwierdzone   zero=0.12 → zero=0",
                     "2025-02-27 09:00:00   Identyfikacja   potwierdzone   - → -"}));
    EXPECT_TRUE(window.isEnabled(CHistoryDlg::Export));
    EXPECT_EQ(window.text(CHistoryDlg::StatusText), "");

    window.choose(CHistoryDlg::Transmitters, 1);
    answer();
    EXPECT_EQ(window.items(CHistoryDlg::Records),
              (Items{"2025-03-01 10:00:00   Programowanie   niepotwierdzone   sensor=Pt 100 → sensor=Pt 1000"}));
}

TEST_F(HistoryDialog, FiltersBySerialModelAndSinceAndRefusesWhatIsNoNumberOrDate) {
    ASSERT_TRUE(openAndAnswer());
    window.type(CHistoryDlg::SerialFilter, " 7 ");
    window.click(CHistoryDlg::Apply);
    answer();
    EXPECT_EQ(history.lastFilter.serial, 7);
    EXPECT_EQ(window.items(CHistoryDlg::Transmitters), (Items{"RIVO-22   nr 7   2025-03-01 10:00:00"}));

    window.type(CHistoryDlg::SerialFilter, "");
    window.type(CHistoryDlg::ModelFilter, "DOXA-22");
    window.type(CHistoryDlg::SinceFilter, "2025-03-01");
    window.click(CHistoryDlg::Apply);
    answer();
    EXPECT_EQ(history.lastFilter.model, "DOXA-22");
    EXPECT_FALSE(history.lastFilter.serial);
    EXPECT_EQ(window.items(CHistoryDlg::Records),
              (Items{"2025-03-02 11:00:00   Kalibracja wejścia   potwierdzone   zero=0.12 → zero=0"}));

    window.type(CHistoryDlg::SinceFilter, "2026-01-01");
    window.click(CHistoryDlg::Apply);
    answer();
    EXPECT_TRUE(window.items(CHistoryDlg::Transmitters).empty());
    EXPECT_TRUE(window.items(CHistoryDlg::Records).empty());
    EXPECT_FALSE(window.isEnabled(CHistoryDlg::Export));
    EXPECT_EQ(window.text(CHistoryDlg::StatusText), "Historia nie zawiera pasujących wpisów.");

    // A bad filter keeps the lists as they were and says what is wrong.
    for (const auto& [id, text, message] :
         {std::tuple{CHistoryDlg::SerialFilter, "12a", "Numer seryjny musi być liczbą całkowitą."},
          std::tuple{CHistoryDlg::SerialFilter, "99999999999", "Numer seryjny musi być liczbą całkowitą."},
          std::tuple{CHistoryDlg::SinceFilter, "1.03.2025", "Datę należy podać jako RRRR-MM-DD."}}) {
        window.type(CHistoryDlg::SerialFilter, "");
        window.type(CHistoryDlg::SinceFilter, "");
        window.type(id, text);
        const std::size_t boxes = window.boxes().size();
        window.click(CHistoryDlg::Apply);
        ASSERT_EQ(window.boxes().size(), boxes + 1) << text;
        EXPECT_EQ(window.boxes().back().text, message);
        EXPECT_EQ(window.boxes().back().icon, BoxIcon::Error);
    }
}

TEST_F(HistoryDialog, ShowsWhyTheHistoryCouldNotBeRead) {
    history.stored.clear();
    history.failure = "unable to open database file";
    ASSERT_TRUE(openAndAnswer());
    EXPECT_EQ(window.text(CHistoryDlg::StatusText), "unable to open database file");
    EXPECT_FALSE(window.isEnabled(CHistoryDlg::Export));
}

// With a shared database the local file's waiting records show at once and the server's when
// they come; "Przerwij" gives the server up, and what it says afterwards shows nothing.
TEST_F(HistoryDialog, TheLocalFileShowsAtOnceAndTheServerWhenItAnswersOrIsGivenUp) {
    history.server = true;
    history.waiting = {stored("2025-03-03T08:00:00Z", "RIVO-22", 7, RecordKind::Trim, RecordOutcome::Confirmed)};
    ASSERT_TRUE(window.open());
    EXPECT_EQ(window.text(CHistoryDlg::StatusText), "Łączenie z bazą...");
    EXPECT_TRUE(window.isEnabled(CHistoryDlg::StopWaiting));
    ASSERT_TRUE(runner.runNext());  // the local file
    clock.advance(CHistoryDlg::AnswerPollMs);
    EXPECT_EQ(window.items(CHistoryDlg::Transmitters), (Items{"RIVO-22   nr 7   2025-03-03 08:00:00"}));
    EXPECT_EQ(window.items(CHistoryDlg::Records).size(), 1u);
    EXPECT_EQ(window.text(CHistoryDlg::StatusText), "Łączenie z bazą...");

    ASSERT_TRUE(runner.runNext());  // the server
    clock.advance(CHistoryDlg::AnswerPollMs);
    EXPECT_EQ(window.items(CHistoryDlg::Transmitters),
              (Items{"RIVO-22   nr 7   2025-03-03 08:00:00", "DOXA-22   nr 100   2025-03-02 11:00:00"}));
    EXPECT_EQ(window.items(CHistoryDlg::Records).size(), 2u);
    EXPECT_EQ(window.text(CHistoryDlg::StatusText), "");
    EXPECT_FALSE(window.isEnabled(CHistoryDlg::StopWaiting));
    EXPECT_FALSE(window.timerRunning(CHistoryDlg::AnswerTimer));

    // Another filter; the server is given up after the local file answered.
    window.type(CHistoryDlg::ModelFilter, "RIVO-22");
    window.click(CHistoryDlg::Apply);
    ASSERT_TRUE(runner.runNext());
    clock.advance(CHistoryDlg::AnswerPollMs);
    ASSERT_EQ(runner.jobs.size(), 1u);
    const HistoryRunner::Job late = runner.jobs.front();
    window.click(CHistoryDlg::StopWaiting);
    EXPECT_EQ(runner.abandoned, 1);
    EXPECT_EQ(window.text(CHistoryDlg::StatusText),
              "Przerwano czekanie na bazę: lista pokazuje tylko wpisy z pliku lokalnego.");
    EXPECT_FALSE(window.isEnabled(CHistoryDlg::StopWaiting));
    history.waiting.clear();
    late(history);  // the abandoned thread ends after all
    clock.advance(5 * CHistoryDlg::AnswerPollMs);
    EXPECT_EQ(window.items(CHistoryDlg::Transmitters), (Items{"RIVO-22   nr 7   2025-03-03 08:00:00"}));
    EXPECT_EQ(window.items(CHistoryDlg::Records).size(), 1u) << "the local listing stays as it was";

    // An export after the server was given up asks it again, and writes nothing it cannot read.
    history.failure = "server closed the connection unexpectedly";
    savePath = "/nonexistent-folder/historia.csv";
    window.click(CHistoryDlg::Export);
    answer();
    ASSERT_EQ(window.boxes().size(), 1u);
    EXPECT_EQ(window.boxes().back().text,
              "Nie można zapisać pliku /nonexistent-folder/historia.csv.\nserver closed the connection unexpectedly");

    // Closing gives up whatever is under way, and waits for none of it.
    window.click(CHistoryDlg::Apply);
    window.close();
    EXPECT_EQ(runner.abandoned, 2);
}

// A transmitter's records come a page at a time; "Starsze wpisy" adds the next page to the list.
TEST_F(HistoryDialog, StarszeWpisyAddsTheNextPage) {
    history.stored.clear();
    const std::size_t count = 2 * CHistoryDlg::PageSize + 3;
    for (std::size_t i = 0; i < count; ++i)
        history.stored.push_back(stored("2025-03-01T10:00:00Z", "DOXA-22", 100, RecordKind::Identification,
                                        RecordOutcome::Confirmed));
    ASSERT_TRUE(openAndAnswer());
    EXPECT_EQ(window.items(CHistoryDlg::Records).size(), CHistoryDlg::PageSize);
    // The export holds the records not listed yet as well.
    const auto file = std::filesystem::temp_directory_path() / ("history-pages-" + std::to_string(::getpid()) + ".csv");
    savePath = file.string();
    window.click(CHistoryDlg::Export);
    answer();
    EXPECT_EQ(std::ranges::count(contentOf(file), '\n'), std::ptrdiff_t(count + 1)) << "a head and every record";
    std::filesystem::remove(file);
    for (const std::size_t listed : {2 * CHistoryDlg::PageSize, count}) {
        ASSERT_TRUE(window.isEnabled(CHistoryDlg::Older));
        window.click(CHistoryDlg::Older);
        EXPECT_FALSE(window.isEnabled(CHistoryDlg::Older)) << "not twice while the page is asked for";
        answer();
        EXPECT_EQ(window.items(CHistoryDlg::Records).size(), listed);
    }
    EXPECT_FALSE(window.isEnabled(CHistoryDlg::Older));
}

// A technician who chooses a transmitter while the server is asked keeps it chosen when the
// server's longer list comes.
TEST_F(HistoryDialog, TheChosenTransmitterStaysChosenWhenTheServerAnswers) {
    history.server = true;
    history.waiting = {stored("2025-03-03T08:00:00Z", "RIVO-22", 7, RecordKind::Trim, RecordOutcome::Confirmed),
                       stored("2025-03-01T08:00:00Z", "DOXA-22", 5, RecordKind::Trim, RecordOutcome::Confirmed)};
    ASSERT_TRUE(window.open());
    ASSERT_TRUE(runner.runNext());
    clock.advance(CHistoryDlg::AnswerPollMs);
    window.choose(CHistoryDlg::Transmitters, 1);
    answer();
    EXPECT_EQ(window.items(CHistoryDlg::Transmitters).size(), 3u);
    EXPECT_EQ(window.selection(CHistoryDlg::Transmitters), 2);
    EXPECT_EQ(window.items(CHistoryDlg::Records),
              (Items{"2025-03-01 08:00:00   Trim   potwierdzone   - → -"}));
}

TEST_F(HistoryDialog, EksportCsvWritesTheListedRecordsIntoTheNamedFile) {
    const auto file = std::filesystem::temp_directory_path() /
                      ("history-dlg-" + std::to_string(::getpid()) + ".csv");
    savePath = file.string();
    history.stored[0].record.event = "6f1c2a";
    ASSERT_TRUE(openAndAnswer());
    window.click(CHistoryDlg::Export);
    EXPECT_EQ(suggested, "historia-100.csv");
    EXPECT_EQ(contentOf(file),
              "time,user,kind,outcome,model,serial,address,mode,line,backup_file,as_found,as_left,reference,device,"
              "refusal_code,unreadable,waiting_for,event\n"
              "2025-03-02T11:00:00Z,jan,calibration_input,confirmed,DOXA-22,100,0,HART,"
              "\"COM2:1200,o,8,1\",,\"{\"\"zero\"\": 0.12}\",\"{\"\"zero\"\": 0}\",{},,,,,6f1c2a\n"
              "2025-02-27T09:00:00Z,jan,identification,confirmed,DOXA-22,100,0,HART,"
              "\"COM2:1200,o,8,1\",,{},{},{},,,,,\n");
    std::filesystem::remove(file);

    // Cancelled: nothing is written.
    savePath.clear();
    window.click(CHistoryDlg::Export);
    EXPECT_FALSE(std::filesystem::exists(file));
    EXPECT_TRUE(window.boxes().empty());

    savePath = "/nonexistent-folder/historia.csv";
    window.click(CHistoryDlg::Export);
    ASSERT_EQ(window.boxes().size(), 1u);
    EXPECT_EQ(window.boxes().back().text, "Nie można zapisać pliku /nonexistent-folder/historia.csv.");
}

// Texts from a shared database or a device reach a spreadsheet: a line break stays inside its
// field, a formula is not one any more, and a file already there is replaced, not truncated
// where it lies (another name for it keeps what it held).
TEST_F(HistoryDialog, EksportCsvKeepsEachRecordOneRowAndNoFieldAFormula) {
    const std::filesystem::path folder = std::filesystem::temp_directory_path() /
                                         ("history-dlg-rows-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    const auto file = folder / "historia.csv";
    std::ofstream(file) << "earlier export\n";
    std::filesystem::create_hard_link(file, folder / "kopia.csv");
    history.stored[0].user = "=HYPERLINK(\"http://x\")";
    history.stored[0].record.line = "COM2\r\n1200";
    history.stored[2].record.device = "-0.12";
    history.stored[2].record.backupFile = "+48 600\r\n";
    savePath = file.string();
    ASSERT_TRUE(openAndAnswer());
    window.click(CHistoryDlg::Export);
    EXPECT_TRUE(window.boxes().empty());

    const auto rows = test::csvRows(contentOf(file));
    ASSERT_EQ(rows.size(), 3u) << contentOf(file);
    for (const auto& row : rows) EXPECT_EQ(row.size(), 18u);
    EXPECT_EQ(rows[1][1], "'=HYPERLINK(\"http://x\")");
    EXPECT_EQ(rows[1][8], "COM2\r\n1200");
    EXPECT_EQ(rows[2][9], "'+48 600\r\n");
    EXPECT_EQ(rows[2][13], "-0.12");
    EXPECT_EQ(contentOf(folder / "kopia.csv"), "earlier export\n");
    std::filesystem::remove_all(folder);
}

// Rows another program left: the stored text is shown marked, never a plausible value, and such
// a record offers no certificate.
TEST_F(HistoryDialog, ShowsWhatCouldNotBeReadAsStoredAndMarked) {
    StoredRecord foreign = stored("2025-03-03T08:00:00Z", "DOXA-22", 0, RecordKind::CalibrationInput,
                                  RecordOutcome::NotConfirmed, {}, {{"zero", 0.0}});
    foreign.unreadable = {{"serial", "4x2"}, {"as_found", "{\"zero\": \x1b[2J"}, {"outcome", "maybe"}};
    history.stored.insert(history.stored.begin(), foreign);
    ASSERT_TRUE(openAndAnswer());
    EXPECT_EQ(window.items(CHistoryDlg::Transmitters),
              (Items{"DOXA-22   nr [nieczytelne: \"4x2\"]   2025-03-03 08:00:00",
                     "DOXA-22   nr 100   2025-03-02 11:00:00", "RIVO-22   nr 7   2025-03-01 10:00:00"}));
    EXPECT_EQ(window.items(CHistoryDlg::Records),
              (Items{"2025-03-03 08:00:00   Kalibracja wejścia   [nieczytelne: \"maybe\"]   "
                     "[nieczytelne: \"{\"zero\": \\x1b[2J\"] → zero=0"}));
    window.choose(CHistoryDlg::Records, 0);
    EXPECT_FALSE(window.isEnabled(CHistoryDlg::Certificate));
}

// "Świadectwo kalibracji..." takes the calibration records made with the chosen one: the same
// transmitter, day and technician, oldest first; other records offer no certificate.
TEST(HistoryCertificate, TheButtonHandsOnTheCalibrationSessionOfTheChosenRecord) {
    test::VirtualClock clock;
    FakeHistory history;
    const auto at = [](std::string time, RecordKind kind, std::string user = "jan", int serial = 100) {
        StoredRecord s = stored(std::move(time), "DOXA-22", serial, kind, RecordOutcome::Confirmed);
        s.user = std::move(user);
        return s;
    };
    history.stored = {
        at("2025-03-02T10:20:00Z", RecordKind::CalibrationCompensation),
        at("2025-03-02T10:15:00Z", RecordKind::CalibrationInput, "ewa"),
        at("2025-03-02T10:10:00Z", RecordKind::CalibrationOutput),
        at("2025-03-02T10:05:00Z", RecordKind::CalibrationInput, "jan", 200),
        at("2025-03-02T10:00:00Z", RecordKind::CalibrationInput),
        at("2025-03-02T09:55:00Z", RecordKind::Identification),
        at("2025-03-01T15:00:00Z", RecordKind::CalibrationInput),
    };
    std::vector<std::vector<std::string>> handedOn;
    QueuedRunner runner(history, true);
    CHistoryDlg logic(history, runner, [](std::string_view) { return std::string(); },
                      [&handedOn](const std::vector<StoredRecord>& session) {
                          std::vector<std::string> times;
                          for (const StoredRecord& s : session) times.push_back(s.time);
                          handedOn.push_back(times);
                      });
    FakeWindow window(logic, clock);
    ASSERT_TRUE(window.open());
    clock.advance(CHistoryDlg::AnswerPollMs);
    EXPECT_TRUE(window.isVisible(CHistoryDlg::Certificate));
    EXPECT_FALSE(window.isEnabled(CHistoryDlg::Certificate));

    window.choose(CHistoryDlg::Records, 4);  // the identification
    EXPECT_FALSE(window.isEnabled(CHistoryDlg::Certificate));
    window.choose(CHistoryDlg::Records, 0);  // the compensation
    ASSERT_TRUE(window.isEnabled(CHistoryDlg::Certificate));
    window.click(CHistoryDlg::Certificate);
    ASSERT_EQ(handedOn.size(), 1u);
    EXPECT_EQ(handedOn[0], (std::vector<std::string>{"2025-03-02T10:00:00Z", "2025-03-02T10:10:00Z",
                                                     "2025-03-02T10:20:00Z"}));

    // A session that goes on past the listed page is read whole for its certificate.
    const std::size_t identifications = CHistoryDlg::PageSize - 1;
    history.stored.insert(history.stored.begin(), identifications, at("2025-03-02T10:30:00Z", RecordKind::Identification));
    window.click(CHistoryDlg::Apply);
    clock.advance(CHistoryDlg::AnswerPollMs);
    ASSERT_EQ(window.items(CHistoryDlg::Records).size(), CHistoryDlg::PageSize);
    window.choose(CHistoryDlg::Records, int(identifications));  // the compensation, last listed
    window.click(CHistoryDlg::Certificate);
    clock.advance(CHistoryDlg::AnswerPollMs);
    ASSERT_EQ(handedOn.size(), 2u);
    EXPECT_EQ(handedOn[1], handedOn[0]);

    // Another transmitter chosen: its records, none chosen yet.
    window.choose(CHistoryDlg::Transmitters, 1);
    clock.advance(CHistoryDlg::AnswerPollMs);
    EXPECT_FALSE(window.isEnabled(CHistoryDlg::Certificate));
}

// A record read only in part is never printed as a point of the certificate, only noted; one
// whose serial number could not be read belongs to no transmitter's session.
TEST(HistoryCertificate, ARecordReadOnlyInPartGivesANoteInsteadOfAPoint) {
    FakeHistory history;
    StoredRecord input = stored("2025-03-02T10:00:00Z", "DOXA-22", 100, RecordKind::CalibrationInput,
                                RecordOutcome::Confirmed, {{"input", 300.12}}, {{"input", 300.0}});
    input.record.reference = {{"input", 300.0}};
    StoredRecord damaged = input;
    damaged.time = "2025-03-02T10:05:00Z";
    damaged.record.asFound = {};
    damaged.unreadable = {{"as_found", "{\"input\": 3"}};
    StoredRecord noSerial = input;
    noSerial.time = "2025-03-02T10:10:00Z";
    noSerial.unreadable = {{"serial", "1OO"}};

    const auto session = calibrationSession({noSerial, damaged, input}, input, history);
    ASSERT_EQ(session.size(), 2u);
    EXPECT_EQ(session[1].time, "2025-03-02T10:05:00Z");
    const Certificate c = makeCertificate(session, {}, history);
    ASSERT_EQ(c.points.size(), 1u);
    EXPECT_EQ(c.points[0].asFound, "300,120");
    EXPECT_EQ(c.notes, (std::vector<std::string>{
                           "10:05:00  Kalibracja wejścia: as_found [nieczytelne: \"{\"input\": 3\"] — pominięty"}));
}

// "Do kalibracji": the transmitters due within the days given or overdue, each with its due date
// (the latest finished calibration plus its interval), asked of the history off the window's thread.
TEST(HistoryDue, DoKalibracjiListsTheTransmittersDueWithTheirDatesAndMarksTheOverdue) {
    FakeHistory history;
    const auto event = [&history](std::string end, int serial, double months) {
        StoredRecord conditions = stored(end.substr(0, 11) + "08:00:00Z", "DOXA-22", serial,
                                         RecordKind::CalibrationConditions, RecordOutcome::Confirmed);
        conditions.record.event = "ev-" + std::to_string(serial);
        conditions.record.reference = {{"interval_months", months}};
        StoredRecord end_ = stored(end, "DOXA-22", serial, RecordKind::CalibrationEnd, RecordOutcome::Confirmed);
        end_.record.event = conditions.record.event;
        history.stored.insert(history.stored.begin(), {end_, conditions});
    };
    event("2024-11-05T12:00:00Z", 200, 6);   // due 2025-05-05
    event("2025-03-10T12:00:00Z", 100, 12);  // due 2026-03-10
    event("2025-06-01T12:00:00Z", 300, 12);  // due 2026-06-01
    test::VirtualClock clock;
    QueuedRunner runner{history};
    CHistoryDlg logic{history, runner, [](std::string_view) { return std::string(); }, {},
                      DueCounting{12, [] { return std::chrono::sys_days(std::chrono::year(2026) / 2 / 20); }}};
    FakeWindow window{logic, clock};
    const auto answer = [&] {
        runner.runAll();
        clock.advance(CHistoryDlg::AnswerPollMs);
    };
    ASSERT_TRUE(window.open());
    answer();
    EXPECT_EQ(window.items(CHistoryDlg::Transmitters).size(), 3u);
    EXPECT_EQ(window.text(CHistoryDlg::DueDays), "30");

    window.setChecked(CHistoryDlg::DueOnly, true);
    window.click(CHistoryDlg::DueOnly);
    EXPECT_FALSE(runner.jobs.empty()) << "asked of the runner, not on the window's thread";
    EXPECT_EQ(window.items(CHistoryDlg::Transmitters).size(), 3u);
    answer();
    EXPECT_EQ(window.items(CHistoryDlg::Transmitters),
              (Items{"DOXA-22   nr 200   do kalibracji: 2025-05-05   po terminie",
                     "DOXA-22   nr 100   do kalibracji: 2026-03-10"}));
    EXPECT_EQ(window.items(CHistoryDlg::Records),
              (Items{"2024-11-05 12:00:00   Procedura kalibracji: koniec   potwierdzone   - → -",
                     "2024-11-05 08:00:00   Procedura kalibracji: warunki   potwierdzone   - → -"}));

    window.type(CHistoryDlg::DueDays, "10");
    window.click(CHistoryDlg::Apply);
    answer();
    EXPECT_EQ(window.items(CHistoryDlg::Transmitters), (Items{"DOXA-22   nr 200   do kalibracji: 2025-05-05   po terminie"}));
    window.type(CHistoryDlg::SerialFilter, "100");
    window.click(CHistoryDlg::Apply);
    answer();
    EXPECT_TRUE(window.items(CHistoryDlg::Transmitters).empty());
    EXPECT_EQ(window.text(CHistoryDlg::StatusText), "Żaden przetwornik nie czeka na kalibrację w tym terminie.");

    window.type(CHistoryDlg::DueDays, "dziesięć");
    window.click(CHistoryDlg::Apply);
    ASSERT_EQ(window.boxes().size(), 1u);
    EXPECT_EQ(window.boxes().back().text, "Liczbę dni należy podać jako liczbę całkowitą od 0 do 3660.");

    window.type(CHistoryDlg::SerialFilter, "");
    window.setChecked(CHistoryDlg::DueOnly, false);
    window.click(CHistoryDlg::DueOnly);
    answer();
    EXPECT_EQ(window.items(CHistoryDlg::Transmitters).size(), 3u);
    EXPECT_EQ(window.items(CHistoryDlg::Transmitters)[0], "DOXA-22   nr 300   2025-06-01 12:00:00");
}

TEST_F(HistoryDialog, OffersNoCertificateWithoutAWayToShowIt) {
    ASSERT_TRUE(openAndAnswer());
    EXPECT_FALSE(window.isVisible(CHistoryDlg::Certificate));
}

}  // namespace
}  // namespace doxa
