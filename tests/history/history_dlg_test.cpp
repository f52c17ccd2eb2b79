// "Historia przetwornika...": the transmitters and their records, the filters and the CSV export,
// against a history in memory.

#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "history/history_dlg.h"
#include "support/fake_history.h"
#include "support/fake_window.h"
#include "support/virtual_clock.h"

namespace doxa {
namespace {

using test::FakeHistory;
using test::FakeWindow;
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

    test::VirtualClock clock;
    FakeHistory history;
    std::string savePath;
    std::string suggested;
    CHistoryDlg logic{history, [this](std::string_view name) {
                          suggested = std::string(name);
                          return savePath;
                      }};
    FakeWindow window{logic, clock};
};

TEST_F(HistoryDialog, ListsTheTransmittersAndTheRecordsOfTheChosenOne) {
    ASSERT_TRUE(window.open());
    EXPECT_EQ(window.items(CHistoryDlg::Transmitters),
              (Items{"DOXA-22   nr 100   2025-03-02 11:00:00", "RIVO-22   nr 7   2025-03-01 10:00:00"}));
    EXPECT_EQ(window.selection(CHistoryDlg::Transmitters), 0);
    EXPECT_EQ(window.items(CHistoryDlg::Records),
              (Items{"2025-03-02 11:00:00   Kalibracja wejścia   potwierdzone   zero=0.12 → zero=0",
                     "2025-02-27 09:00:00   Identyfikacja   potwierdzone   - → -"}));
    EXPECT_TRUE(window.isEnabled(CHistoryDlg::Export));
    EXPECT_EQ(window.text(CHistoryDlg::StatusText), "");

    window.choose(CHistoryDlg::Transmitters, 1);
    EXPECT_EQ(window.items(CHistoryDlg::Records),
              (Items{"2025-03-01 10:00:00   Programowanie   niepotwierdzone   sensor=Pt 100 → sensor=Pt 1000"}));
}

TEST_F(HistoryDialog, FiltersBySerialModelAndSinceAndRefusesWhatIsNoNumberOrDate) {
    ASSERT_TRUE(window.open());
    window.type(CHistoryDlg::SerialFilter, " 7 ");
    window.click(CHistoryDlg::Apply);
    EXPECT_EQ(history.lastFilter.serial, 7);
    EXPECT_EQ(window.items(CHistoryDlg::Transmitters), (Items{"RIVO-22   nr 7   2025-03-01 10:00:00"}));

    window.type(CHistoryDlg::SerialFilter, "");
    window.type(CHistoryDlg::ModelFilter, "DOXA-22");
    window.type(CHistoryDlg::SinceFilter, "2025-03-01");
    window.click(CHistoryDlg::Apply);
    EXPECT_EQ(history.lastFilter.model, "DOXA-22");
    EXPECT_FALSE(history.lastFilter.serial);
    EXPECT_EQ(window.items(CHistoryDlg::Records),
              (Items{"2025-03-02 11:00:00   Kalibracja wejścia   potwierdzone   zero=0.12 → zero=0"}));

    window.type(CHistoryDlg::SinceFilter, "2026-01-01");
    window.click(CHistoryDlg::Apply);
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
    ASSERT_TRUE(window.open());
    EXPECT_EQ(window.text(CHistoryDlg::StatusText), "unable to open database file");
    EXPECT_FALSE(window.isEnabled(CHistoryDlg::Export));
}

std::string contentOf(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST_F(HistoryDialog, EksportCsvWritesTheListedRecordsIntoTheNamedFile) {
    const auto file = std::filesystem::temp_directory_path() /
                      ("history-dlg-" + std::to_string(::getpid()) + ".csv");
    savePath = file.string();
    ASSERT_TRUE(window.open());
    window.click(CHistoryDlg::Export);
    EXPECT_EQ(suggested, "historia.csv");
    EXPECT_EQ(contentOf(file),
              "time,user,kind,outcome,model,serial,address,mode,line,backup_file,as_found,as_left,reference,device,refusal_code,waiting_for\n"
              "2025-03-02T11:00:00Z,jan,calibration_input,confirmed,DOXA-22,100,0,HART,"
              "\"COM2:1200,o,8,1\",,\"{\"\"zero\"\": 0.12}\",\"{\"\"zero\"\": 0}\",{},,,\n"
              "2025-02-27T09:00:00Z,jan,identification,confirmed,DOXA-22,100,0,HART,"
              "\"COM2:1200,o,8,1\",,{},{},{},,,\n");
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
    CHistoryDlg logic(history, [](std::string_view) { return std::string(); },
                      [&handedOn](const std::vector<StoredRecord>& session) {
                          std::vector<std::string> times;
                          for (const StoredRecord& s : session) times.push_back(s.time);
                          handedOn.push_back(times);
                      });
    FakeWindow window(logic, clock);
    ASSERT_TRUE(window.open());
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

    // Another transmitter chosen: its records, none chosen yet.
    window.choose(CHistoryDlg::Transmitters, 1);
    EXPECT_FALSE(window.isEnabled(CHistoryDlg::Certificate));
}

TEST_F(HistoryDialog, OffersNoCertificateWithoutAWayToShowIt) {
    ASSERT_TRUE(window.open());
    EXPECT_FALSE(window.isVisible(CHistoryDlg::Certificate));
}

}  // namespace
}  // namespace doxa
