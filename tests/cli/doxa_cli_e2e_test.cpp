// doxa-cli as a script runs it: the program against doxa-sim on a pseudo-terminal, through the
// real serial line, judged by its output and exit status.

#include <fcntl.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <chrono>
#include <fstream>
#include <algorithm>
#include <functional>
#include <limits>
#include <map>
#include <memory>
#include <iterator>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "app/application.h"
#include "app/qt_settings_store.h"
#include "dialog/command_ids.h"
#include "document/document_codec.h"
#include "history/certificate_metadata.h"
#include "history/event_canonical_form.h"
#include "history/history_store.h"
#include "history/history_test_support.h"
#include "settings/settings_keys.h"
#include "support/csv_rows.h"
#include "support/event_records.h"
#include "support/fake_device_tree.h"
#include "support/fake_shell.h"
#include "support/held_lock.h"
#include "support/pg_server.h"
#include "support/sim_process.h"
#include "support/sim_station.h"
#include "programming/prog_dlg.h"
#include "transmitter/ident_dlg.h"

namespace doxa {
namespace {

struct Result {
    int status = -1;
    std::string out;
    std::string err;
};

std::string contents(const std::filesystem::path& file) {
    std::ifstream in(file);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> result;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) result.push_back(line);
    return result;
}

// Starts doxa-cli with `args`, doxa-win's settings and its service history in `config`
// (XDG_CONFIG_HOME, XDG_DATA_HOME), its output into `output`; `beforeStart` runs in the new
// process first.
pid_t startCli(std::vector<std::string> args, const std::filesystem::path& config,
               const std::filesystem::path& output, const std::function<void()>& beforeStart = {}) {
    const auto out = output / "out";
    const auto err = output / "err";
    const pid_t pid = ::fork();
    if (pid == 0) {
        // Polish, the texts checked here, whatever the machine's locale; a test may choose English.
        ::setenv("LC_ALL", "C", 1);
        if (beforeStart) beforeStart();
        ::setenv("XDG_CONFIG_HOME", config.c_str(), 1);
        ::setenv("XDG_DATA_HOME", config.c_str(), 1);
        if (!std::freopen(out.c_str(), "w", stdout) || !std::freopen(err.c_str(), "w", stderr)) ::_exit(126);
        std::vector<char*> argv{const_cast<char*>(DOXA_CLI_PROGRAM)};
        for (std::string& a : args) argv.push_back(a.data());
        argv.push_back(nullptr);
        ::execv(DOXA_CLI_PROGRAM, argv.data());
        ::_exit(127);
    }
    return pid;
}

Result finishCli(pid_t pid, const std::filesystem::path& output) {
    int status = 0;
    ::waitpid(pid, &status, 0);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, contents(output / "out"), contents(output / "err")};
}

Result runCli(std::vector<std::string> args, const std::filesystem::path& config,
              const std::function<void()>& beforeStart = {}) {
    test::TempFolder output;
    return finishCli(startCli(std::move(args), config, output.path(), beforeStart), output.path());
}

// One doxa-sim at address 1 with serial number 4242, published under a link in a private
// folder that also holds doxa-win's settings, in which COM3 leads to the simulator.
class CliOnPty : public ::testing::Test {
protected:
    void serve(const char* model, std::vector<std::string> variants = {}) {
        std::vector<std::string> args{"--model", model, "--serial", "4242", "--address", "1"};
        args.insert(args.end(), variants.begin(), variants.end());
        sim_ = std::make_unique<test::SimProcess>(std::move(args), link());
        ASSERT_TRUE(sim_->linked());
        std::filesystem::create_directories(folder_.path() / "doxa-win");
        std::ofstream(folder_.path() / "doxa-win" / "doxa-win.ini")
            << "[Porty]\nCOM3=" << link().string() << "\n";
    }
    Result cli(std::vector<std::string> args) { return runCli(std::move(args), folder_.path()); }
    std::filesystem::path link() const { return folder_.path() / "tty"; }

    test::TempFolder folder_;
    std::unique_ptr<test::SimProcess> sim_;
};

// The service history as a script reads it back, from records a store wrote into a file.
class CliHistory : public ::testing::Test {
protected:
    void SetUp() override {
        HistoryStore store(file().string(), [this] { return now_; });
        ServiceRecord compensation;
        compensation.kind = RecordKind::CalibrationCompensation;
        compensation.model = "DOXA-22";
        compensation.serial = 4242;
        compensation.address = 1;
        compensation.asFound = {{"ambient", 24.5}};
        compensation.asLeft = {{"ambient", 25.5}};
        compensation.reference = {{"ambient", 25.5}};
        compensation.line = "COM1:1200,o,8,1";
        compensation.device = "/dev/serial/by-id/usb-Acme_Dual-if00";
        store.record(compensation);
        now_ += std::chrono::hours(1);
        ServiceRecord programming;
        programming.kind = RecordKind::Programming;
        programming.outcome = RecordOutcome::NotConfirmed;
        programming.model = "RIVO-22";
        programming.serial = 77;
        programming.rs485 = true;
        programming.asFound = {{"sensor", "Pt 100"}, {"range_max", 150.0}};
        programming.asLeft = {{"sensor", "Pt 1000, \"nowy\""}, {"range_max", 200.0}};
        programming.backupFile = "/home/jan/kopie/RIVO\r\n77.prg";
        store.record(programming);
        ASSERT_EQ(store.waiting(), 0u) << store.problem();
    }
    std::filesystem::path file() const { return folder_.path() / "history.sqlite"; }
    Result cli(std::vector<std::string> args) {
        args.insert(args.begin(), {"history", "--db", file().string()});
        return runCli(std::move(args), folder_.path());
    }
    static QJsonArray parsed(const std::string& json) {
        QJsonParseError error;
        const QJsonDocument document = QJsonDocument::fromJson(QByteArray::fromStdString(json), &error);
        EXPECT_EQ(error.error, QJsonParseError::NoError) << json;
        EXPECT_TRUE(document.isArray()) << json;
        return document.array();
    }

    test::TempFolder folder_;
    std::chrono::sys_seconds now_ = std::chrono::sys_days(std::chrono::year(2025) / 3 / 1) + std::chrono::hours(9);
};

TEST_F(CliHistory, PrintsTheRecordsOfOneTransmitterAsJson) {
    const Result r = cli({"--serial", "4242", "--json"});
    EXPECT_EQ(r.status, 0) << r.err;
    const QJsonArray records = parsed(r.out);
    ASSERT_EQ(records.size(), 1) << r.out;
    const QJsonObject record = records[0].toObject();
    EXPECT_EQ(record["time"].toString(), "2025-03-01T09:00:00Z");
    EXPECT_EQ(record["model"].toString(), "DOXA-22");
    EXPECT_EQ(record["serial"].toInt(), 4242);
    EXPECT_EQ(record["kind"].toString(), "calibration_compensation");
    EXPECT_EQ(record["outcome"].toString(), "confirmed");
    EXPECT_EQ(record["mode"].toString(), "HART");
    EXPECT_EQ(record["as_found"].toObject(), QJsonObject({{"ambient", 24.5}}));
    EXPECT_EQ(record["as_left"].toObject(), QJsonObject({{"ambient", 25.5}}));
    EXPECT_EQ(record["reference"].toObject(), QJsonObject({{"ambient", 25.5}}));
    EXPECT_EQ(record["line"].toString(), "COM1:1200,o,8,1");
    EXPECT_EQ(record["device"].toString(), "/dev/serial/by-id/usb-Acme_Dual-if00");
    EXPECT_FALSE(record["user"].toString().isEmpty());
}

TEST_F(CliHistory, ListsNewestFirstInJsonCsvAndTable) {
    const QJsonArray all = parsed(cli({"--json"}).out);
    ASSERT_EQ(all.size(), 2);
    const QJsonObject newest = all[0].toObject();
    EXPECT_EQ(newest["serial"].toInt(), 77);
    EXPECT_EQ(newest["outcome"].toString(), "not_confirmed");
    EXPECT_EQ(newest["mode"].toString(), "RS485");
    EXPECT_TRUE(newest["event"].isNull()) << "outside a calibration event";
    EXPECT_EQ(newest["as_left"].toObject(),
              QJsonObject({{"range_max", 200}, {"sensor", "Pt 1000, \"nowy\""}}));
    EXPECT_EQ(parsed(cli({"--model", "DOXA-22", "--json"}).out).size(), 1);
    EXPECT_EQ(parsed(cli({"--since", "2025-03-01T09:30:00Z", "--json"}).out).size(), 1);
    // A record made at the very moment named is listed.
    EXPECT_EQ(parsed(cli({"--since", "2025-03-01T10:00:00Z", "--json"}).out).size(), 1);
    EXPECT_EQ(parsed(cli({"--since", "2025-03-01T09:00:00Z", "--json"}).out).size(), 2);
    EXPECT_EQ(parsed(cli({"--since", "2025-03-02", "--json"}).out).size(), 0);

    // A line break inside a field keeps the record one row.
    const auto csv = test::csvRows(cli({"--csv"}).out);
    ASSERT_EQ(csv.size(), 3u);
    EXPECT_EQ(csv[0], (std::vector<std::string>{"time", "user", "kind", "outcome", "model", "serial", "address", "mode",
                                                "line", "backup_file", "as_found", "as_left", "reference", "device",
                                                "refusal_code", "unreadable", "waiting_for", "event"}));
    EXPECT_EQ(csv[2][13], "/dev/serial/by-id/usb-Acme_Dual-if00");
    EXPECT_EQ(csv[2][14], "");
    EXPECT_EQ(csv[1][0], "2025-03-01T10:00:00Z");
    EXPECT_EQ(std::vector<std::string>(csv[1].begin() + 2, csv[1].begin() + 10),
              (std::vector<std::string>{"programming", "not_confirmed", "RIVO-22", "77", "0", "RS485", "",
                                        "/home/jan/kopie/RIVO\r\n77.prg"}));

    const Result table = cli({});
    EXPECT_EQ(table.status, 0) << table.err;
    const std::vector<std::string> rows = lines(table.out);
    ASSERT_EQ(rows.size(), 3u) << table.out;
    EXPECT_NE(rows[2].find("ambient=24.5 → ambient=25.5 (ambient=25.5)"), std::string::npos) << rows[2];
}

// A row another program wrote, with a kind this one does not know, a serial number that is no
// number and an escape sequence for a model: shown as stored and marked in the table, null with
// the stored text under "unreadable" in JSON, the stored text with the column named in CSV.
TEST_F(CliHistory, ShowsWhatCannotBeReadAsStoredAndMarkedInEveryForm) {
    test::runSql(file().string(),
                 {"INSERT INTO records (uid, time, \"user\", kind, outcome, model, serial, address, mode, line, "
                  "backup_file, as_found, as_left, reference, device) VALUES ('obcy', '2025-03-01T11:00:00Z', "
                  "'ewa', 'calibration_pressure', 'confirmed', 'X' || char(27) || '[2J', '4x2', 3, 'HART', '', '', "
                  "'{\"p\": 1}', '{bad', '{}', '')"});
    const QJsonArray all = parsed(cli({"--json"}).out);
    ASSERT_EQ(all.size(), 3);
    const QJsonObject foreign = all[0].toObject();
    EXPECT_TRUE(foreign["kind"].isNull());
    EXPECT_TRUE(foreign["serial"].isNull());
    EXPECT_TRUE(foreign["as_left"].isNull());
    EXPECT_EQ(foreign["model"].toString(), "X\x1b[2J");
    EXPECT_EQ(foreign["address"].toInt(), 3);
    EXPECT_EQ(foreign["unreadable"].toObject(),
              QJsonObject({{"kind", "calibration_pressure"}, {"serial", "4x2"}, {"as_left", "{bad"}}));
    EXPECT_EQ(all[1].toObject()["unreadable"].toObject(), QJsonObject());

    const auto csv = test::csvRows(cli({"--csv"}).out);
    ASSERT_EQ(csv.size(), 4u);
    EXPECT_EQ(csv[1][2], "calibration_pressure");
    EXPECT_EQ(csv[1][5], "4x2");
    EXPECT_EQ(csv[1][11], "{bad");
    EXPECT_EQ(csv[1][15], "as_left kind serial");

    const Result table = cli({});
    EXPECT_EQ(table.status, 0) << table.err;
    const std::vector<std::string> rows = lines(table.out);
    ASSERT_EQ(rows.size(), 4u) << table.out;
    EXPECT_EQ(table.out.find('\x1b'), std::string::npos);
    EXPECT_NE(rows[1].find("X\\x1b[2J"), std::string::npos) << rows[1];
    EXPECT_NE(rows[1].find("[nieczytelne: \"4x2\"]"), std::string::npos) << rows[1];
    EXPECT_NE(rows[1].find("[nieczytelne: \"calibration_pressure\"]"), std::string::npos) << rows[1];
    EXPECT_NE(rows[1].find("p=1 → [nieczytelne: \"{bad\"]"), std::string::npos) << rows[1];
}

// Pages overwritten in the middle of the file: refused with the reason, never listed.
TEST_F(CliHistory, ADamagedFileIsRefusedWithStatusTwo) {
    const int pageSize = test::runSql(file().string(), {"PRAGMA page_size"});
    const int indexPage =
        test::runSql(file().string(), {"SELECT rootpage FROM sqlite_master WHERE name = 'records_by_serial'"});
    {
        std::fstream bytes(file(), std::ios::in | std::ios::out | std::ios::binary);
        bytes.seekp(std::streamoff(indexPage - 1) * pageSize);
        const std::string garbage(std::size_t(pageSize), '\xa5');
        bytes.write(garbage.data(), std::streamsize(garbage.size()));
    }
    const Result r = cli({"--csv"});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find(file().string() + " jest uszkodzona: "), std::string::npos) << r.err;
}

TEST_F(CliHistory, AHistoryThatCannotBeReadGivesStatusTwo) {
    std::ofstream(folder_.path() / "other.sqlite") << "not a database";
    const Result r = runCli({"history", "--db", (folder_.path() / "other.sqlite").string()}, folder_.path());
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("other.sqlite"), std::string::npos) << r.err;
    EXPECT_EQ(r.out, "") << "not even the head of a listing";
    EXPECT_EQ(cli({"--serial", "x"}).status, 2);
}

// Records waiting in the local file for another database are listed with it, and --hand-over
// delivers them to --db on purpose.
TEST_F(CliHistory, WaitingRecordsAreListedWithTheirDatabaseAndHandedOverOnPurpose) {
    const std::filesystem::path training = folder_.path() / "training" / "history.sqlite";
    std::ofstream(training.parent_path()) << "in the way";
    ServiceRecord made;
    made.model = "DOXA-22";
    made.serial = 5150;
    HistoryStore(training.string(), (folder_.path() / "doxa-win" / "history.sqlite").string(), [this] { return now_; })
        .record(made);
    std::filesystem::remove(training.parent_path());

    QJsonArray all = parsed(cli({"--json"}).out);
    ASSERT_EQ(all.size(), 3);
    EXPECT_EQ(all[0].toObject()["serial"].toInt(), 5150);
    EXPECT_EQ(all[0].toObject()["waiting_for"].toString().toStdString(), training.string());
    EXPECT_TRUE(all[1].toObject()["waiting_for"].isNull());
    EXPECT_TRUE(lines(cli({"--csv"}).out)[1].ends_with("," + training.string() + ",")) << cli({"--csv"}).out;
    EXPECT_NE(cli({}).out.find("[czeka na: " + training.string() + "]"), std::string::npos);

    EXPECT_EQ(cli({"--hand-over", training.string(), "--json"}).status, 2);
    const Result handed = cli({"--hand-over", training.string()});
    EXPECT_EQ(handed.status, 0) << handed.err;
    EXPECT_EQ(handed.out,
              "przekazane rekordy serwisowe: 1, z " + training.string() + " do " + file().string() + "\n");
    all = parsed(cli({"--json"}).out);
    ASSERT_EQ(all.size(), 3);
    EXPECT_TRUE(all[0].toObject()["waiting_for"].isNull());
    EXPECT_EQ(runCli({"history", "--db", file().string(), "--serial", "5150", "--json"}, folder_.path()).status, 0);
}

// With the history in the local file alone and that file impossible to make, the record is lost
// when doxa-cli ends: it is told as JSON and the command that succeeded ends with status 6.
// Calibrations due, counted from today: a calibration that ran to its end 400 days ago with a
// 12-month interval is overdue, one 350 days ago is due in about two weeks, one 100 days ago not
// for long; one that named no interval takes the settings' 3 months, and is overdue.
TEST_F(CliHistory, DueListsTheTransmittersDueWithinTheDaysOrOverdue) {
    const auto today = std::chrono::floor<std::chrono::days>(std::chrono::system_clock::now());
    const auto finish = [this, today](int serial, int daysAgo, std::optional<double> months) {
        now_ = today - std::chrono::days(daysAgo) + std::chrono::hours(12);
        HistoryStore store(file().string(), [this] { return now_; });
        ServiceRecord r;
        r.model = "DOXA-22";
        r.serial = serial;
        r.event = "event-" + std::to_string(serial);
        r.kind = RecordKind::CalibrationConditions;
        if (months) r.reference = {{"interval_months", *months}};
        store.record(r);
        r.kind = RecordKind::CalibrationEnd;
        r.reference.clear();
        store.record(r);
    };
    finish(1, 400, 12);
    finish(2, 350, 12);
    finish(3, 100, 12);
    finish(4, 100, std::nullopt);
    std::filesystem::create_directories(folder_.path() / "doxa-win");
    std::ofstream(folder_.path() / "doxa-win" / "doxa-win.ini") << "[Kalibracja]\nInterwalMiesiecy=3\n";

    const Result all = cli({"--due", "--json"});
    ASSERT_EQ(all.status, 0) << all.err;
    const QJsonArray due = parsed(all.out);
    std::vector<int> serials;
    for (const auto& d : due) serials.push_back(d.toObject()["serial"].toInt());
    EXPECT_EQ(serials, (std::vector<int>{1, 4, 2})) << all.out;
    ASSERT_EQ(due.size(), 3);
    EXPECT_TRUE(due[0].toObject()["overdue"].toBool());
    EXPECT_EQ(due[0].toObject()["interval_months"].toInt(), 12);
    EXPECT_EQ(due[0].toObject()["event"].toString(), "event-1");
    EXPECT_EQ(due[1].toObject()["interval_months"].toInt(), 3);
    EXPECT_FALSE(due[2].toObject()["overdue"].toBool());
    EXPECT_EQ(due[2].toObject()["due"].toString().size(), 10);

    const Result soon = cli({"--due", "7"});
    ASSERT_EQ(soon.status, 0) << soon.err;
    EXPECT_EQ(std::ranges::count(soon.out, '\n'), 3) << "the head and two overdue:\n" << soon.out;
    const auto overdueAt = soon.out.find("po terminie");
    EXPECT_NE(overdueAt, std::string::npos) << soon.out;
    EXPECT_NE(soon.out.find("po terminie", overdueAt + 1), std::string::npos) << soon.out;
    EXPECT_EQ(cli({"--due", "--serial", "2", "--json"}).out.find("\"serial\": 1"), std::string::npos);
    EXPECT_EQ(cli({"--due", "soon"}).status, 2);
    EXPECT_EQ(cli({"--due", "--csv"}).status, 2);
}

TEST(CliHistoryLost, ARecordThatCannotBeKeptIsToldAndGivesStatusSix) {
    test::TempFolder config;
    std::ofstream(config.path() / "doxa-win") << "in the way";
    const Result r = runCli({"identify", "--port", "sim:DOXA-22"}, config.path());
    EXPECT_EQ(r.status, 6) << r.err;
    const std::string prefix = "doxa-cli: nie zachowano rekordu serwisowego: ";
    const auto at = r.err.find(prefix);
    ASSERT_NE(at, std::string::npos) << r.err;
    const std::string json = r.err.substr(at + prefix.size(), r.err.find('\n', at) - at - prefix.size());
    const QJsonObject lost = QJsonDocument::fromJson(QByteArray::fromStdString(json)).object();
    EXPECT_EQ(lost["kind"].toString(), "identification") << json;
    EXPECT_EQ(lost["model"].toString(), "DOXA-22") << json;
    EXPECT_FALSE(lost["time"].toString().isEmpty()) << json;
    EXPECT_NE(r.err.find("nie zachowano rekordów serwisowych (1): cannot make"), std::string::npos) << r.err;
}

// The bench's conversion needs no port: checked against the IEC 60751 and NIST ITS-90 tables.
// Polish unless English is chosen: by doxa-win's "Język", else by the first of LC_ALL, LC_MESSAGES
// and LANG that is set. What a script parses is the same in both.
TEST(CliLanguage, PolishUnlessTheSettingOrTheLocaleChoosesEnglishAndTheJsonIsTheSameInBoth) {
    struct Case {
        std::string name;
        std::vector<std::pair<std::string, std::string>> environment;
        std::string stored;  // doxa-win's "Język" choice, none when empty
        bool english;
    };
    const std::vector<Case> cases = {
        {"nothing set", {}, "", false},
        {"C", {{"LANG", "C"}}, "", false},
        {"LANG English", {{"LANG", "en_US.UTF-8"}}, "", true},
        {"LC_ALL first", {{"LC_ALL", "C"}, {"LANG", "en_US.UTF-8"}}, "", false},
        {"setting English", {{"LANG", "pl_PL.UTF-8"}}, "en", true},
        {"setting Polish", {{"LC_ALL", "en_US.UTF-8"}}, "pl", false},
    };
    std::string firstJson;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        test::TempFolder config;
        if (!c.stored.empty()) {
            std::filesystem::create_directories(config.path() / "doxa-win");
            std::ofstream(config.path() / "doxa-win" / "doxa-win.ini") << "[Jezyk]\nJezyk=" << c.stored << "\n";
        }
        const auto environment = [&c] {
            for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) ::unsetenv(name);
            for (const auto& [name, value] : c.environment) ::setenv(name.c_str(), value.c_str(), 1);
        };
        const Result help = runCli({"--help"}, config.path(), environment);
        EXPECT_EQ(help.status, 0);
        EXPECT_TRUE(help.out.starts_with(c.english ? "Usage: doxa-cli COMMAND" : "Użycie: doxa-cli COMMAND")) << help.out;
        EXPECT_NE(help.out.find(c.english ? "\n  instruments   list the register of reference instruments\n"
                                          : "\n  instruments   rejestr przyrządów wzorcowych\n"),
                  std::string::npos)
            << help.out;

        const Result refused = runCli({"identify", "--port", "sim:DOXA-22", "--address", "300"}, config.path(), environment);
        EXPECT_EQ(refused.status, 2);
        EXPECT_EQ(refused.err, c.english ? "doxa-cli: --address takes 0..127, not '300'\nTry 'doxa-cli identify --help'.\n"
                                         : "doxa-cli: --address przyjmuje 0..127, a nie '300'\n"
                                           "Zobacz 'doxa-cli identify --help'.\n");

        const Result identified = runCli({"identify", "--port", "sim:DOXA-22", "--json"}, config.path(), environment);
        EXPECT_EQ(identified.status, 0) << identified.err;
        if (firstJson.empty()) firstJson = identified.out;
        EXPECT_EQ(identified.out, firstJson);

        // The history the identification left, read back in a table of the language chosen.
        const Result history = runCli({"history"}, config.path(), environment);
        EXPECT_EQ(history.status, 0) << history.err;
        EXPECT_TRUE(history.out.starts_with(c.english ? "Time  " : "Czas  ")) << history.out;
    }
    EXPECT_NE(firstJson.find("\"model\": \"DOXA-22\""), std::string::npos) << firstJson;
}

TEST(CliConvert, ConvertsBothWaysWithoutAPort) {
    test::TempFolder config;
    const Result ohm = runCli({"convert", "--sensor", "pt100-385", "--celsius", "400"}, config.path());
    EXPECT_EQ(ohm.status, 0) << ohm.err;
    EXPECT_NEAR(std::stod(ohm.out), 247.09, 0.006);
    EXPECT_TRUE(ohm.out.ends_with(" Ohm\n")) << ohm.out;

    // Type J at 500 °C gives 27.393 mV against 0 °C, at 20 °C 1.019 mV: 26.374 mV measured.
    const Result json = runCli({"convert", "--sensor", "j", "--mv", "26.374", "--cold-junction", "20", "--json"},
                               config.path());
    EXPECT_EQ(json.status, 0) << json.err;
    const QJsonObject object = QJsonDocument::fromJson(QByteArray::fromStdString(json.out)).object();
    EXPECT_EQ(object.keys(), (QStringList{"celsius", "mv"})) << json.out;
    EXPECT_NEAR(object["celsius"].toDouble(), 500.0, 0.03);
    EXPECT_DOUBLE_EQ(object["mv"].toDouble(), 26.374);
}

TEST(CliConvert, OutsideTheCurveOrForTheWrongSensorItIsStatusTwo) {
    test::TempFolder config;
    const Result hot = runCli({"convert", "--sensor", "cu50-426", "--celsius", "250"}, config.path());
    EXPECT_EQ(hot.status, 2);
    EXPECT_TRUE(hot.out.empty()) << hot.out;
    EXPECT_NE(hot.err.find("-50..200 °C"), std::string::npos) << hot.err;

    const Result ambiguous = runCli({"convert", "--sensor", "b", "--mv", "0.2"}, config.path());
    EXPECT_EQ(ambiguous.status, 2);
    EXPECT_NE(ambiguous.err.find("250..1820 °C"), std::string::npos) << ambiguous.err;

    EXPECT_EQ(runCli({"convert", "--sensor", "k", "--ohm", "100"}, config.path()).status, 2);
    EXPECT_EQ(runCli({"convert", "--sensor", "pt100", "--celsius", "0"}, config.path()).status, 2);
    EXPECT_EQ(runCli({"convert", "--sensor", "k", "--celsius", "0", "--mv", "0"}, config.path()).status, 2);
}

// The register as a script reads it: the instrument the settings named is taken over once, an
// uncertainty with its coverage factor; a second run finds it and takes nothing over again.
TEST(CliInstruments, ListsTheRegisterWithTheSettingsInstrumentTakenOverOnce) {
    test::TempFolder config;
    std::filesystem::create_directories(config.path() / "doxa-win");
    std::ofstream(config.path() / "doxa-win" / "doxa-win.ini")
        << "[Wzorzec]\nNazwa=Kalibrator CX-9\nNrSeryjny=K-4711\nNiepewnosc=\"0,02 °C (k=2)\"\n";
    const std::string db = (config.path() / "lab.sqlite").string();
    for (int run = 0; run < 2; ++run) {
        const Result r = runCli({"instruments", "--db", db, "--json"}, config.path());
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.out,
                  "[\n{\"id\": \"wzorzec\", \"name\": \"Kalibrator CX-9\", \"model\": \"\", \"serial\": \"K-4711\", "
                  "\"certificate\": \"\", \"due\": \"\", \"uncertainties\": [{\"value\": 0.02, \"unit\": \"°C\", "
                  "\"k\": 2}]}\n]\n");
    }
    EXPECT_EQ(test::runSql(db, {"SELECT count(*) FROM instrument_changes WHERE field = 'source'"}), 1);
    const Result table = runCli({"instruments", "--db", db}, config.path());
    EXPECT_EQ(lines(table.out).size(), 2u) << table.out;
    EXPECT_NE(table.out.find("0.02 °C (k=2)"), std::string::npos) << table.out;
}

TEST_F(CliOnPty, IdentifiesInHartThroughDoxaWinsPortMapping) {
    serve("DOXA-22");
    const Result r = cli({"identify", "--port", "COM3", "--address", "1"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    const std::vector<std::string> shown = lines(r.out);
    ASSERT_EQ(shown.size(), 11u) << r.out;
    EXPECT_EQ(shown[0], "Adres:                 1");
    EXPECT_EQ(shown[1], "Typ przetwornika:      DOXA-22");
    EXPECT_EQ(shown[2], "Nr seryjny:            4242");
    EXPECT_EQ(shown[4], "Rodzaj wyjścia:        4...20mA");
    EXPECT_EQ(shown[5], "Sygnalizacja przerwy:  na max");
}

TEST_F(CliOnPty, IdentifiesInRs485OnADevicePathAsJson) {
    serve("RIVO-22");
    const Result r = cli({"identify", "--port", link().string(), "--rs485", "--baud", "19200",
                          "--address", "1", "--json"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("\"mode\": \"RS485\", \"address\": 1, \"model\": \"RIVO-22\", "
                         "\"serialNumber\": \"4242\""),
              std::string::npos)
        << r.out;
    // A RIVO has no threshold; RS485 does not carry the output type, so the field stays empty.
    EXPECT_NE(r.out.find("\"output\": null"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("\"threshold\": \"brak\""), std::string::npos) << r.out;
    // The same for scripts, beside them: numbers as numbers, ids for texts.
    const QJsonObject identified = QJsonDocument::fromJson(QByteArray::fromStdString(r.out)).object();
    EXPECT_EQ(identified["serial_number"].toInt(), 4242) << r.out;
    EXPECT_TRUE(identified["output_type"].isNull()) << r.out;
    EXPECT_EQ(identified["threshold_direction"].toString(), "absent") << r.out;
    EXPECT_TRUE(identified["range_max"].isDouble()) << r.out;
}

TEST_F(CliOnPty, WatchPrintsTwoCsvCyclesOfValues) {
    serve("DOXA-22");
    const Result r = cli({"watch", "--port", "COM3", "--address", "1", "--count", "2", "--csv"});
    EXPECT_EQ(r.status, 0) << r.err;
    const std::vector<std::string> shown = lines(r.out);
    ASSERT_EQ(shown.size(), 3u) << r.out;
    EXPECT_EQ(shown[0], "time,pv,pv_unit,output,output_unit,ambient,ambient_unit,status");
    for (std::size_t i = 1; i < shown.size(); ++i) {
        std::vector<std::string> fields;
        std::istringstream row(shown[i]);
        for (std::string f; std::getline(row, f, ',');) fields.push_back(f);
        ASSERT_EQ(fields.size(), 7u) << shown[i] << " (the status last, empty)";
        EXPECT_TRUE(shown[i].ends_with(",")) << shown[i];
        EXPECT_NO_THROW((void)std::stod(fields[1])) << shown[i];
        EXPECT_EQ(fields[2], "°C");
        EXPECT_EQ(fields[4], "mA");
        // At most one decimal for °C and three for mA, as the display cuts them; a value the
        // transmitter sent with fewer digits (13.35) keeps them.
        EXPECT_LE(fields[1].size() - fields[1].find('.'), 2u) << shown[i];
        EXPECT_LE(fields[3].size() - fields[3].find('.'), 4u) << shown[i];
        EXPECT_EQ(fields[6], "°C");
    }
}

TEST_F(CliOnPty, WatchAsJsonTellsAValueSentAsNoNumberAndTheReportedStatus) {
    serve("DOXA-22", {"--nan-pv", "--status-bits", "0x04"});
    const Result r = cli({"watch", "--port", "COM3", "--address", "1", "--count", "1", "--json"});
    EXPECT_EQ(r.status, 1) << "a missing primary value wins over the status: " << r.err;
    const std::vector<std::string> shown = lines(r.out);
    ASSERT_EQ(shown.size(), 1u) << r.out;
    QJsonParseError error;
    const QJsonObject cycle = QJsonDocument::fromJson(QByteArray::fromStdString(shown[0]), &error).object();
    ASSERT_EQ(error.error, QJsonParseError::NoError) << shown[0];
    EXPECT_TRUE(cycle["pv"].isNull()) << shown[0];
    EXPECT_TRUE(cycle["output"].isDouble()) << shown[0];
    EXPECT_EQ(cycle["output_unit"].toString(), "mA");
    EXPECT_EQ(cycle["status"].toArray(), QJsonArray({"sensor_break"}));
}

TEST_F(CliOnPty, ExitStatusTellsNoAnswerFromBadInputAndABadPort) {
    serve("DOXA-22");
    const Result silent = cli({"identify", "--port", "COM3", "--address", "2", "--timeout", "2"});
    EXPECT_EQ(silent.status, 1);
    EXPECT_EQ(silent.out, "");
    EXPECT_EQ(lines(silent.err).size(), 1u) << silent.err;
    EXPECT_NE(silent.err.find("brak odpowiedzi od COM3 (HART, " + link().string() + ", adres 2) w ciągu 2 s"),
              std::string::npos)
        << silent.err;

    const Result notWatched = cli({"watch", "--port", "COM3", "--address", "2", "--timeout", "1", "--csv"});
    EXPECT_EQ(notWatched.status, 1) << notWatched.err;
    EXPECT_EQ(notWatched.out, "") << "not even the CSV header";

    const Result address = cli({"identify", "--port", "COM3", "--address", "128"});
    EXPECT_EQ(address.status, 2);
    EXPECT_EQ(lines(address.err).front(), "doxa-cli: --address przyjmuje 0..127, a nie '128'");

    const Result option = cli({"watch", "--port", "COM3", "--json", "--csv"});
    EXPECT_EQ(option.status, 2);
    EXPECT_EQ(cli({"erase", "--port", "COM3"}).status, 2);

    const std::string nothing = (folder_.path() / "nothing").string();
    const Result missing = cli({"identify", "--port", nothing});
    EXPECT_EQ(missing.status, 4);
    EXPECT_EQ(missing.err, "doxa-cli: nie można otworzyć " + nothing +
                               ": No such file or directory (urządzenie nie istnieje: czy adapter jest "
                               "podłączony?)\n");

    const std::string plain = (folder_.path() / "plain").string();
    std::ofstream(plain) << "not a port";
    const Result file = cli({"identify", "--port", plain});
    EXPECT_EQ(file.status, 4);
    EXPECT_EQ(file.err, "doxa-cli: " + plain + " nie jest portem szeregowym\n");

    // Another program has taken the device for exclusive use.
    const int master = ::posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_GE(master, 0);
    ASSERT_EQ(::grantpt(master), 0);
    ASSERT_EQ(::unlockpt(master), 0);
    const std::string taken = ::ptsname(master);
    const int holder = ::open(taken.c_str(), O_RDWR | O_NOCTTY);
    ASSERT_EQ(::ioctl(holder, TIOCEXCL), 0);
    const Result busy = cli({"identify", "--port", taken});
    ::close(holder);
    ::close(master);
    EXPECT_EQ(busy.status, 4);
    EXPECT_EQ(busy.err, "doxa-cli: nie można otworzyć " + taken + ": używany przez inny program\n");
    EXPECT_EQ(sim_->stop(), 0);
}

// The terminal doxa-cli is started from is the user's: named as the port, it is refused and
// left with the settings it had.
TEST(CliTerminal, TheTerminalItRunsInIsRefusedAsAPort) {
    const int master = ::posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_GE(master, 0);
    ASSERT_EQ(::grantpt(master), 0);
    ASSERT_EQ(::unlockpt(master), 0);
    const std::string terminal = ::ptsname(master);
    const auto settings = [&terminal] {
        const int fd = ::open(terminal.c_str(), O_RDWR | O_NOCTTY);
        termios t{};
        ::tcgetattr(fd, &t);
        ::close(fd);
        return std::to_string(t.c_lflag) + " " + std::to_string(t.c_cflag) + " " +
               std::to_string(::cfgetospeed(&t));
    };
    const std::string before = settings();
    test::TempFolder config;
    const Result r = runCli({"identify", "--port", "/dev/tty", "--timeout", "1"}, config.path(),
                            [&terminal] {
                                ::setsid();
                                ::ioctl(::open(terminal.c_str(), O_RDWR), TIOCSCTTY, 0);
                            });
    EXPECT_EQ(r.status, 4);
    EXPECT_EQ(r.err, "doxa-cli: /dev/tty to terminal, w którym działa doxa-cli, a nie port szeregowy\n");
    EXPECT_EQ(settings(), before);
    ::close(master);
}

// --- read, write and finder: several simulators, each under its own link, with their traffic.

std::vector<std::uint8_t> bytesOf(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

struct Document {
    DeviceRecord device;
    Characteristic characteristic;
};

Document decoded(const std::filesystem::path& file) {
    Document doc;
    EXPECT_EQ(readDocument(bytesOf(file), doc.device, doc.characteristic), DocumentStatus::Read) << file;
    return doc;
}

// The requests a simulator logged with --verbose ("<- ff ff 02 81 00 00 83").
std::vector<std::vector<std::uint8_t>> requestsOf(const std::string& log) {
    std::vector<std::vector<std::uint8_t>> requests;
    for (const std::string& line : lines(log)) {
        if (!line.starts_with("<- ")) continue;
        std::istringstream hex(line.substr(3));
        std::vector<std::uint8_t> bytes;
        for (std::string cell; hex >> cell;) bytes.push_back(std::uint8_t(std::stoul(cell, nullptr, 16)));
        requests.push_back(bytes);
    }
    return requests;
}

// A HART request writes when it carries data (its byte count after the command is not 0); a
// MODBUS request writes unless it reads holding registers (function 3).
bool writes(const std::vector<std::uint8_t>& request, bool rs485) {
    if (rs485) return request.size() > 1 && request[1] != 0x03;
    std::size_t at = 0;
    while (at < request.size() && request[at] == 0xFF) ++at;
    if (at >= request.size()) return false;  // the single 0xFF that releases the line
    const std::size_t addressBytes = (request[at] & 0x80) ? 5 : 1;
    const std::size_t count = at + 1 + addressBytes + 1;
    return count < request.size() && request[count] != 0;
}

std::size_t writesIn(const std::string& log, bool rs485) {
    std::size_t n = 0;
    for (const auto& request : requestsOf(log)) n += writes(request, rs485) ? 1 : 0;
    return n;
}

class CliBench : public ::testing::Test {
protected:
    // Starts a simulated transmitter that logs its traffic; returns the path of its terminal.
    std::string start(const std::string& name, std::vector<std::string> args) {
        const auto link = folder_.path() / name;
        args.push_back("--verbose");
        sims_[name] = std::make_unique<test::SimProcess>(args, link);
        EXPECT_TRUE(sims_[name]->linked()) << name;
        return link.string();
    }
    std::string log(const std::string& name) { return sims_.at(name)->output(); }
    Result cli(std::vector<std::string> args) { return runCli(std::move(args), folder_.path()); }
    std::filesystem::path file(const std::string& name) const { return folder_.path() / name; }

    test::TempFolder folder_;
    std::map<std::string, std::unique_ptr<test::SimProcess>> sims_;
};

struct LineCase {
    const char* name;
    std::vector<std::string> line;  // the options after --port
    friend void PrintTo(const LineCase& c, std::ostream* os) { *os << c.name; }
};

// The technician's edit of a read file: another sensor, range, filter, break signal and
// threshold.
DeviceRecord edit(const std::filesystem::path& from, const std::filesystem::path& to) {
    Document doc = decoded(from);
    DeviceRecord& d = doc.device;
    d.sensorType = 4;  // thermocouple K
    d.rangeMin = -50;
    d.rangeMax = 600;
    d.filterOrder = 2;
    d.filterTime = 5;
    d.breakSignal = 1;
    d.thresholdActive = 1;
    d.thresholdDirection = 1;
    d.threshold = 400;
    d.hysteresis = 20;
    const auto bytes = writeDocument(d, doc.characteristic);
    std::ofstream(to, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    return d;
}

class ReadThenWrite : public CliBench, public ::testing::WithParamInterface<LineCase> {};

TEST_P(ReadThenWrite, TheFileReadFromOneIsProgrammedIntoAnotherAndReadsBackTheSame) {
    const bool rs485 = GetParam().line.front() == "--rs485";
    const auto with = [&](std::vector<std::string> args, const std::string& port) {
        args.insert(args.end(), {"--port", port});
        args.insert(args.end(), GetParam().line.begin(), GetParam().line.end());
        return args;
    };
    const std::string source = start("a", {"--model", "DOXA-22", "--serial", "111", "--address", "1"});
    const std::string target = start("b", {"--model", "DOXA-22", "--serial", "222", "--address", "1"});

    const Result read = cli(with({"read", "-o", file("a.prg").string()}, source));
    ASSERT_EQ(read.status, 0) << read.err;
    EXPECT_EQ(read.out, "DOXA-22, nr 111 → " + file("a.prg").string() + "\n");
    EXPECT_EQ(writesIn(log("a"), rs485), 0u);

    edit(file("a.prg"), file("b.prg"));

    const Result dry = cli(with({"write", file("b.prg").string(), "--dry-run"}, target));
    ASSERT_EQ(dry.status, 0) << dry.err;
    const std::vector<std::string> changes = lines(dry.out);
    EXPECT_EQ(changes.front(), "Typ czujnika: Pt 100 → TC typu 'K'") << dry.out;
    EXPECT_NE(dry.out.find("Zakres max: 150 °C → 600 °C\n"), std::string::npos) << dry.out;
    EXPECT_NE(dry.out.find("Filtracja: 1 sek ,rząd: 1 → 5 sek ,rząd: 2\n"), std::string::npos) << dry.out;
    // RS485 carries only whether the threshold is on.
    EXPECT_EQ(changes.size(), rs485 ? 6u : 9u) << dry.out;
    EXPECT_EQ(writesIn(log("b"), rs485), 0u) << "a dry run writes nothing";

    const Result write = cli(with({"write", file("b.prg").string()}, target));
    EXPECT_EQ(write.status, 0) << write.err;
    EXPECT_EQ(write.out, "Dane zostały zapisane\n");
    EXPECT_GT(writesIn(log("b"), rs485), 0u);

    ASSERT_EQ(cli(with({"read", "-o", file("c.prg").string()}, target)).status, 0);
    const DeviceRecord held = decoded(file("c.prg")).device;
    EXPECT_EQ(held.serialNumber, 222);
    EXPECT_EQ(held.sensorType, 4);
    EXPECT_EQ(held.rangeMin, -50.0F);
    EXPECT_EQ(held.rangeMax, 600.0F);
    EXPECT_EQ(held.filterOrder, 2);
    EXPECT_EQ(held.filterTime, 5);
    EXPECT_EQ(held.breakSignal, 1);
    EXPECT_EQ(held.thresholdActive, 1);
    if (!rs485) {
        EXPECT_EQ(held.thresholdDirection, 1);
        EXPECT_EQ(held.threshold, 400.0F);
        EXPECT_EQ(held.hysteresis, 20.0F);
    }
    // Nothing left to change.
    EXPECT_EQ(cli(with({"write", file("b.prg").string(), "--dry-run"}, target)).out, "bez zmian\n");
}

INSTANTIATE_TEST_SUITE_P(Lines, ReadThenWrite,
                         ::testing::Values(LineCase{"Hart", {"--address", "1"}},
                                           LineCase{"Rs485", {"--rs485", "--baud", "9600", "--address", "1"}}),
                         [](const auto& info) { return std::string(info.param.name); });

// A slave that frames requests by the line's silence, as RTU asks, takes the closing write of an
// RS485 programming run only when nothing follows it within 3.5 characters: the release byte sent
// too soon makes one damaged frame of both, which is neither answered nor carried out.
TEST_F(CliBench, TheClosingWriteReachesASlaveThatFramesBySilenceAsAFrameOfItsOwn) {
    const std::string port = start("a", {"--model", "DOXA-22", "--address", "1", "--rtu-silence"});
    const std::vector<std::string> line{"--port", port, "--rs485", "--baud", "1200", "--address", "1"};
    const auto with = [&](std::vector<std::string> args) {
        args.insert(args.end(), line.begin(), line.end());
        return args;
    };
    ASSERT_EQ(cli(with({"read", "-o", file("a.prg").string()})).status, 0);
    const Result write = cli(with({"write", file("a.prg").string()}));
    EXPECT_EQ(write.status, 0) << write.err;
    EXPECT_EQ(write.out, "Dane zostały zapisane\n");
    const std::vector<std::uint8_t> closing{0x01, 0x06, 0x00, 0xED, 0x00, 0xAA, 0x99, 0x80};
    const auto requests = requestsOf(log("a"));
    const auto isClosing = [](const std::vector<std::uint8_t>& r) {
        return r.size() >= 4 && r[1] == 0x06 && r[3] == 0xED;
    };
    ASSERT_EQ(std::count_if(requests.begin(), requests.end(), isClosing), 1) << log("a");
    EXPECT_EQ(*std::find_if(requests.begin(), requests.end(), isClosing), closing) << log("a");
    EXPECT_EQ(log("a").find("(no answer)"), std::string::npos) << log("a");
}

// doxa-cli write against a transmitter that refuses or is busy: the refusal is told with its
// code and the history says refused; a busy transmitter gets its write again and confirms it.
TEST_F(CliBench, ARefusedWriteIsToldWithItsCodeAndABusyOneIsSentAgain) {
    struct Case {
        const char* name;
        std::vector<std::string> variant;
        int status;
        const char* err;
        const char* outcome;
    };
    const Case cases[] = {
        {"HART refused", {"--refuse-write", "hart:35=9"}, 3,
         "doxa-cli: Przetwornik odrzucił zapis: kod 9 (błąd właściwy dla polecenia)\n"
         "doxa-cli: Dane nie zostały zapisane prawidłowo\n",
         "\"outcome\": \"refused\""},
        {"HART busy once", {"--busy-write", "hart:147"}, 0, "", "\"outcome\": \"confirmed\""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::string> args{"--model", "DOXA-22"};
        args.insert(args.end(), c.variant.begin(), c.variant.end());
        const std::string port = start(c.name, args);
        ASSERT_EQ(cli({"read", "--port", port, "-o", file("r.prg").string()}).status, 0);
        const Result write = cli({"write", "--port", port, file("r.prg").string()});
        EXPECT_EQ(write.status, c.status) << write.err;
        EXPECT_EQ(write.err, c.err);
        const Result history = cli({"history", "--json"});
        const auto programming = history.out.find("\"kind\": \"programming\", " + std::string(c.outcome));
        EXPECT_NE(programming, std::string::npos) << history.out;
    }
}

// A file whose values no transmitter can hold is refused on one line before the line is used,
// by the dry run as by the write.
TEST_F(CliBench, AFileOfImpossibleValuesIsRefusedBeforeAnythingIsSent) {
    const std::string doxa = start("doxa", {"--model", "DOXA-22", "--address", "1"});
    ASSERT_EQ(cli({"read", "--port", doxa, "--address", "1", "-o", file("a.prg").string()}).status, 0);
    const std::size_t before = requestsOf(log("doxa")).size();
    struct Case {
        const char* name;
        std::function<void(DeviceRecord&)> change;
        std::string refusal;
    };
    const Case cases[] = {
        {"nan.prg", [](DeviceRecord& d) { d.rangeMax = std::numeric_limits<float>::quiet_NaN(); },
         "Zakres max = nan (dozwolone: -200 … 850)"},
        {"999.prg",
         [](DeviceRecord& d) {
             d.sensorType = 999;
             d.rangeMax = 1e38F;
             d.filterTime = -7;
         },
         "Typ czujnika = 999 (dozwolone: 0 … 9, 14, 15)"},
        {"filter.prg", [](DeviceRecord& d) { d.filterTime = -7; },
         "Czas filtru = -7 (dozwolone: 0, 1, 2, 5, 10)"},
    };
    for (const Case& c : cases) {
        Document doc = decoded(file("a.prg"));
        c.change(doc.device);
        const auto bytes = writeDocument(doc.device, doc.characteristic);
        std::ofstream(file(c.name), std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
        for (const bool dryRun : {false, true}) {
            std::vector<std::string> args{"write", file(c.name).string(), "--port", doxa, "--address", "1"};
            if (dryRun) args.push_back("--dry-run");
            const auto started = std::chrono::steady_clock::now();
            const Result r = cli(args);
            EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(1)) << c.name;
            EXPECT_EQ(r.status, 2) << c.name;
            EXPECT_EQ(r.out, "") << c.name;
            EXPECT_EQ(r.err, "doxa-cli: Błędna wartość w pliku: " + c.refusal + "\n") << c.name;
        }
    }
    EXPECT_EQ(requestsOf(log("doxa")).size(), before) << "nothing went out";
}

// A range the programming dialog's range rule would change, or one of no width, is refused once
// the transmitter is known, before anything is written, by the dry run as by the write.
TEST_F(CliBench, ARangeTheDialogWouldChangeIsRefusedBeforeAnythingIsWritten) {
    const std::string doxa = start("doxa", {"--model", "DOXA-22", "--address", "1"});
    ASSERT_EQ(cli({"read", "--port", doxa, "--address", "1", "-o", file("a.prg").string()}).status, 0);
    const struct {
        const char* name;
        int sensorType;
        float min, max;
        std::string refusal;
    } cases[] = {
        {"equal.prg", 1, 50, 50, "min = 50 °C, dozwolone -200 … 850 °C i co najmniej 10 °C poniżej max = 50 °C"},
        {"reversed.prg", 1, 150, 0, "min = 150 °C, dozwolone -200 … 850 °C i co najmniej 10 °C poniżej max = 0 °C"},
        {"narrow.prg", 1, 50, 50.5F, "min = 50 °C, dozwolone -200 … 850 °C i co najmniej 10 °C poniżej max = 50.5 °C"},
        {"mv.prg", 3, 50, 50, "max = 50 mV, musi być różny od min = 50 mV"},
    };
    for (const auto& c : cases) {
        Document doc = decoded(file("a.prg"));
        doc.device.sensorType = c.sensorType;
        doc.device.rangeMin = c.min;
        doc.device.rangeMax = c.max;
        doc.device.thresholdActive = 0;
        const auto bytes = writeDocument(doc.device, doc.characteristic);
        std::ofstream(file(c.name), std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
        for (const bool dryRun : {false, true}) {
            std::vector<std::string> args{"write", file(c.name).string(), "--port", doxa, "--address", "1"};
            if (dryRun) args.push_back("--dry-run");
            const Result r = cli(args);
            EXPECT_EQ(r.status, 2) << c.name;
            EXPECT_EQ(r.out, "") << c.name;
            EXPECT_EQ(r.err, "doxa-cli: " + file(c.name).string() + ": Błędny zakres: " + c.refusal + "\n") << c.name;
        }
    }
    EXPECT_EQ(writesIn(log("doxa"), false), 0u) << "nothing was written";
}

// doxa-cli keeps the copy doxa-win keeps before "Wyślij", in the same store, and its records
// name the device the port was opened on beside the COM definition.
TEST_F(CliBench, WriteKeepsTheBackupTheRecordNamesWithTheDevice) {
    const std::string port = "sim:DOXA-22";
    ASSERT_EQ(cli({"read", "--port", port, "-o", file("a.prg").string()}).status, 0);
    edit(file("a.prg"), file("b.prg"));
    const Result write = cli({"write", file("b.prg").string(), "--port", port});
    ASSERT_EQ(write.status, 0) << write.err;

    std::vector<std::filesystem::path> kept;
    for (const auto& entry : std::filesystem::directory_iterator(file("doxa-win") / "backups"))
        kept.push_back(entry.path());
    ASSERT_EQ(kept.size(), 1u);
    const DeviceRecord before = decoded(file("a.prg")).device;
    const DeviceRecord backup = decoded(kept[0]).device;
    EXPECT_EQ(std::make_tuple(backup.sensorType, backup.rangeMin, backup.rangeMax),
              std::make_tuple(before.sensorType, before.rangeMin, before.rangeMax));

    const Result history = cli({"history", "--json"});
    ASSERT_EQ(history.status, 0) << history.err;
    const QJsonArray records = QJsonDocument::fromJson(QByteArray::fromStdString(history.out)).array();
    ASSERT_EQ(records.size(), 3) << history.out;  // read's identification, write's and its programming
    const QJsonObject programming = records[0].toObject();
    EXPECT_EQ(programming["kind"].toString(), "programming");
    EXPECT_EQ(programming["outcome"].toString(), "confirmed");
    EXPECT_EQ(programming["backup_file"].toString().toStdString(), kept[0].string());
    for (const auto& record : records) {
        EXPECT_EQ(record.toObject()["device"].toString(), "sim:DOXA-22");
        EXPECT_EQ(record.toObject()["line"].toString(), "COM1:1200,o,8,1");
    }
}

// doxa-win run as a technician runs it: started, "Inicjalizacja", "Zachowaj jako...".
std::vector<std::uint8_t> savedByDoxaWin(sim::Model model, std::uint32_t serial, const std::filesystem::path& path) {
    test::SimStation sim(model, sim::Options{.serialNumber = serial});
    sim.settings.writeInt("COM", "COM", 1);  // the port chosen in an earlier run
    test::FakeShell shell(sim.clock);
    shell.scripts[CInitDlg::Resource] = [&sim](test::FakeWindow& window, DialogLogic&) {
        sim.clock.advanceUntil([&] { return window.text(CInitDlg::ProgressText) == "Koniec"; }, 60'000);
    };
    Application app(sim.station, shell);
    app.startUp();
    shell.savePath = path.string();
    app.onCommand(CmdSaveAs);
    return bytesOf(path);
}

TEST_F(CliBench, ReadSavesTheSameBytesAsDoxaWinsSaveAs) {
    for (const auto& [model, name] : {std::pair{sim::Model::Doxa22, "DOXA-22"}, std::pair{sim::Model::Rivo22, "RIVO-22"},
                                      std::pair{sim::Model::Sawe01Rtd, "SAWE-01-RTD"}}) {
        SCOPED_TRACE(name);
        const std::vector<std::uint8_t> gui = savedByDoxaWin(model, 4242, file(std::string("gui-") + name + ".prg"));
        ASSERT_GT(gui.size(), 8u);
        const std::string port = start(name, {"--model", name, "--serial", "4242"});
        const auto cliFile = file(std::string("cli-") + name + ".prg");
        const Result r = cli({"read", "--port", port, "--output", cliFile.string()});
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(bytesOf(cliFile), gui);
    }
}

// The HART writes among `requests` from index `first` on.
std::vector<std::vector<std::uint8_t>> hartWritesFrom(const std::vector<std::vector<std::uint8_t>>& requests,
                                                      std::size_t first) {
    std::vector<std::vector<std::uint8_t>> written;
    for (std::size_t i = first; i < requests.size(); ++i)
        if (writes(requests[i], false)) written.push_back(requests[i]);
    return written;
}

// doxa-win run as a technician runs it with `ini` as its settings: started, the file opened,
// "Programowanie", "Wyślij". Returns every write request of the programming sequence.
std::vector<std::vector<std::uint8_t>> writtenByDoxaWin(const std::vector<std::pair<std::string, int>>& ini,
                                                        const std::filesystem::path& file) {
    test::SimStation sim;
    for (const auto& [sectionKey, value] : ini) {
        const auto slash = sectionKey.find('/');
        sim.settings.writeInt(sectionKey.substr(0, slash), sectionKey.substr(slash + 1), value);
    }
    test::FakeShell shell(sim.clock);
    shell.scripts[CInitDlg::Resource] = [&sim](test::FakeWindow& window, DialogLogic&) {
        sim.clock.advanceUntil([&] { return window.text(CInitDlg::ProgressText) == "Koniec"; }, 60'000);
    };
    std::size_t first = 0;
    shell.scripts[CProgDlg::Resource] = [&](test::FakeWindow& w, DialogLogic&) {
        sim.clock.advanceUntil([&] { return w.text(CProgDlg::StepText) == "Przetwornik rozpoznany"; }, 20'000);
        first = sim.writes().size();
        w.click(CProgDlg::Send);
        const std::size_t boxes = w.boxes().size();
        EXPECT_TRUE(sim.clock.advanceUntil([&] { return w.boxes().size() > boxes; }, 120'000));
        EXPECT_EQ(w.boxes().back().text, "Dane zostały zapisane");
    };
    Application app(sim.station, shell);
    app.startUp();
    shell.openPath = file.string();
    app.onCommand(CmdOpen);
    app.onCommand(CmdProgram);
    return hartWritesFrom(sim.writes(), first);
}

TEST_F(CliBench, WriteSendsTheBytesOfDoxaWinsWyslijWithTheStoredDelta) {
    const std::string port = start("doxa", {"--model", "DOXA-22"});
    ASSERT_EQ(cli({"read", "--port", port, "-o", file("a.prg").string()}).status, 0);
    edit(file("a.prg"), file("b.prg"));
    // A DELTA of neither the program's initial 3 nor the stored default 5.
    std::filesystem::create_directories(file("doxa-win"));
    std::ofstream(file("doxa-win") / "doxa-win.ini") << "[Porty]\nCOM3=" << port << "\n\n[DELTA]\nDELTA=7\n";
    const std::size_t before = requestsOf(log("doxa")).size();
    const Result write = cli({"write", file("b.prg").string(), "--port", "COM3"});
    ASSERT_EQ(write.status, 0) << write.err;

    const auto byCli = hartWritesFrom(requestsOf(log("doxa")), before);
    const auto byDoxaWin = writtenByDoxaWin({{"COM/COM", 1}, {"DELTA/DELTA", 7}}, file("b.prg"));
    ASSERT_FALSE(byDoxaWin.empty());
    EXPECT_EQ(byCli, byDoxaWin);
    // Command 201 carries the filter order, its time code and DELTA.
    const auto filter = std::find_if(byCli.begin(), byCli.end(), [](const auto& r) { return r.size() == 18 && r[12] == 201; });
    ASSERT_NE(filter, byCli.end());
    EXPECT_EQ((*filter)[16], 7);
}

// doxa-win confirms writes from its first start on; doxa-cli, on the settings file that start
// made, never asks (it has --dry-run) and writes as before.
TEST_F(CliBench, WriteNeverAsksThoughDoxaWinsNewSettingsConfirmWrites) {
    const std::string port = start("doxa", {"--model", "DOXA-22"});
    ASSERT_EQ(cli({"read", "--port", port, "-o", file("a.prg").string()}).status, 0);
    edit(file("a.prg"), file("b.prg"));
    {
        QtSettingsStore settings(
            QString::fromStdString((file("doxa-win") / "doxa-win.ini").string()));
        takeDoxaWinDefaults(settings);
        ASSERT_TRUE(settings.writeText(PortMapSection, "COM3", port));
    }
    ASSERT_NE(contents(file("doxa-win") / "doxa-win.ini").find("Potwierdzenie=1"),
              std::string::npos);
    const std::size_t before = requestsOf(log("doxa")).size();
    const Result write = cli({"write", file("b.prg").string(), "--port", "COM3"});
    ASSERT_EQ(write.status, 0) << write.err;
    EXPECT_EQ(write.out, "Dane zostały zapisane\n");
    EXPECT_EQ(write.err, "");
    EXPECT_FALSE(hartWritesFrom(requestsOf(log("doxa")), before).empty());
}

TEST_F(CliBench, ExitStatusTellsNoAnswerUnconfirmedWritesAndUnusableInput) {
    const std::string doxa = start("doxa", {"--model", "DOXA-22", "--address", "1"});
    ASSERT_EQ(cli({"read", "--port", doxa, "--address", "1", "-o", file("a.prg").string()}).status, 0);
    // Written values that differ from what the transmitter holds, so a wrongly kept one shows.
    edit(file("a.prg"), file("b.prg"));

    const Result silent = cli({"write", file("a.prg").string(), "--port", doxa, "--address", "2", "--timeout", "2"});
    EXPECT_EQ(silent.status, 1);
    EXPECT_EQ(lines(silent.err).size(), 1u) << silent.err;

    // The range write is kept wrong (HART) or goes unanswered (RS485): the dialog's own verdict.
    const std::string miskept = start("miskept", {"--model", "DOXA-22", "--address", "1", "--miskeep-write", "hart:35"});
    const Result wrong = cli({"write", file("b.prg").string(), "--port", miskept, "--address", "1"});
    EXPECT_EQ(wrong.status, 3);
    EXPECT_EQ(wrong.out, "");
    EXPECT_EQ(wrong.err, "doxa-cli: Dane nie zostały zapisane prawidłowo\n");
    const std::string unanswered = start("unanswered", {"--model", "RIVO-22", "--address", "1", "--unanswered-write", "modbus:0"});
    const Result otherModel = cli({"write", file("b.prg").string(), "--port", unanswered, "--rs485", "--address", "1"});
    EXPECT_EQ(otherModel.status, 2);
    EXPECT_EQ(otherModel.err, "doxa-cli: " + file("b.prg").string() +
                                  " zawiera konfigurację modelu DOXA-22, a przetwornik to RIVO-22 "
                                  "(--any-model mimo to ją zapisze)\n");
    const Result lost = cli({"write", file("b.prg").string(), "--port", unanswered, "--rs485", "--address", "1", "--any-model"});
    EXPECT_EQ(lost.status, 3);
    EXPECT_EQ(lost.err, "doxa-cli: Dane nie zostały zapisane prawidłowo\n");

    // A cut file is refused before the line is used.
    const std::vector<std::uint8_t> whole = bytesOf(file("a.prg"));
    std::ofstream(file("cut.prg"), std::ios::binary).write(reinterpret_cast<const char*>(whole.data()), 100);
    const std::size_t before = requestsOf(log("doxa")).size();
    const Result cut = cli({"write", file("cut.prg").string(), "--port", doxa, "--address", "1"});
    EXPECT_EQ(cut.status, 2);
    EXPECT_EQ(cut.err, "doxa-cli: An attempt was made to access " + file("cut.prg").string() + " past its end.\n");
    EXPECT_EQ(cli({"write", file("none.prg").string(), "--port", doxa}).err,
              "doxa-cli: Failed to open document.\n" + file("none.prg").string() + ": " + std::strerror(ENOENT) + "\n");
    // Read like a file, a pipe would hold the program until someone wrote into it.
    ASSERT_EQ(::mkfifo(file("potok.prg").c_str(), 0600), 0);
    const auto started = std::chrono::steady_clock::now();
    const Result pipe = cli({"write", file("potok.prg").string(), "--port", doxa, "--address", "1"});
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(1));
    EXPECT_EQ(pipe.status, 2);
    EXPECT_EQ(pipe.err, "doxa-cli: Nie można odczytać " + file("potok.prg").string() + ": to nie jest zwykły plik.\n");
    EXPECT_EQ(requestsOf(log("doxa")).size(), before);

    const Result address = cli({"write", file("a.prg").string(), "--port", doxa, "--address", "300"});
    EXPECT_EQ(address.status, 2);
    EXPECT_EQ(lines(address.err).front(), "doxa-cli: --address przyjmuje 0..127, a nie '300'");
    EXPECT_EQ(cli({"read", "--port", doxa}).status, 2) << "no file to save to";
    const Result folder = cli({"read", "--port", doxa, "--address", "1", "-o", folder_.path().string()});
    EXPECT_EQ(folder.status, 2) << "a folder is no file";
    EXPECT_EQ(folder.err, "doxa-cli: " + folder_.path().string() + ": Failed to save document.\n");
}

// Files that change the sensor configuration, written into transmitters that answer otherwise
// than ours where the documentation leaves room; what they then hold is read back.
TEST_F(CliBench, WriteIsConfirmedByTransmittersThatAnswerOtherwise) {
    // A RIVO-22 answering the sensor write without its output bits: 0x91 is sent once.
    const std::string rivo = start("rivo", {"--model", "RIVO-22", "--address", "1", "--documented-bits"});
    ASSERT_EQ(cli({"read", "--port", rivo, "--address", "1", "-o", file("rivo.prg").string()}).status, 0);
    Document doc = decoded(file("rivo.prg"));
    doc.device.breakSignal = 1;
    const auto rivoBytes = writeDocument(doc.device, doc.characteristic);
    std::ofstream(file("rivo-min.prg"), std::ios::binary)
        .write(reinterpret_cast<const char*>(rivoBytes.data()), std::streamsize(rivoBytes.size()));
    ASSERT_EQ(cli({"write", file("rivo-min.prg").string(), "--port", rivo, "--address", "1"}).status, 0);
    // The RIVO-22 comes with output "prądowe 4...20mA" (0x10) and Pt 100; the break is "na min".
    std::size_t sensorWrites = 0;
    for (const auto& request : requestsOf(log("rivo")))
        if (request.size() == 16 && request[12] == 147) {
            ++sensorWrites;
            EXPECT_EQ(request[14], 0x91);
        }
    EXPECT_EQ(sensorWrites, 1u);
    ASSERT_EQ(cli({"read", "--port", rivo, "--address", "1", "-o", file("rivo-back.prg").string()}).status, 0);
    EXPECT_EQ(decoded(file("rivo-back.prg")).device.breakSignal, 1);

    // A resistance-thermometer transmitter over RS485 keeps the threshold it holds, whatever the
    // file says of it.
    const std::string rtd = start("rtd", {"--model", "SAWE-01-RTD", "--address", "1"});
    const std::vector<std::string> line{"--port", rtd, "--rs485", "--address", "1"};
    const auto with = [&](std::vector<std::string> args) {
        args.insert(args.end(), line.begin(), line.end());
        return args;
    };
    ASSERT_EQ(cli(with({"read", "-o", file("rtd.prg").string()})).status, 0);
    Document rtdDoc = decoded(file("rtd.prg"));
    ASSERT_EQ(rtdDoc.device.thresholdActive, 0);
    rtdDoc.device.sensorType = 4;  // Ni 100 (617)
    rtdDoc.device.rangeMin = -60;
    rtdDoc.device.rangeMax = 180;
    rtdDoc.device.thresholdActive = 1;
    rtdDoc.device.thresholdDirection = 2;
    const auto rtdBytes = writeDocument(rtdDoc.device, rtdDoc.characteristic);
    std::ofstream(file("rtd-ni.prg"), std::ios::binary)
        .write(reinterpret_cast<const char*>(rtdBytes.data()), std::streamsize(rtdBytes.size()));
    const Result written = cli(with({"write", file("rtd-ni.prg").string()}));
    EXPECT_EQ(written.status, 0) << written.err;
    EXPECT_EQ(written.out, "Dane zostały zapisane\n");
    ASSERT_EQ(cli(with({"read", "-o", file("rtd-back.prg").string()})).status, 0);
    const DeviceRecord held = decoded(file("rtd-back.prg")).device;
    EXPECT_EQ(held.sensorType, 4);
    EXPECT_EQ(held.rangeMax, 180.0F);
    EXPECT_EQ(held.thresholdActive, 0) << "the threshold was not switched on unseen";
}

TEST_F(CliBench, FinderListsWhatAnsweredAndFailsOnASilentRange) {
    const std::string hart = start("hart", {"--model", "DOXA-22", "--serial", "4242", "--address", "3"});
    const Result found = cli({"finder", "--port", hart, "--from", "2", "--to", "4"});
    EXPECT_EQ(found.status, 0) << found.err;
    EXPECT_EQ(found.out, "adres 3: DOXA-22, nr 4242\n");
    EXPECT_EQ(requestsOf(log("hart")).size(), 3u) << "one question per address";

    const Result none = cli({"finder", "--port", hart, "--from", "5", "--to", "6"});
    EXPECT_EQ(none.status, 1);
    EXPECT_EQ(none.out, "");
    EXPECT_EQ(none.err, "doxa-cli: Nic nie odpowiedziało. Sprawdź port, zasilanie i podłączenie przetwornika.\n");

    // Kept to 9600 baud without parity, the transmitter is found only there.
    const std::string rs485 = start("rs485", {"--model", "RIVO-22", "--serial", "77", "--address", "1", "--baud", "9600", "--parity", "none"});
    const Result swept = cli({"finder", "--port", rs485, "--rs485", "--from", "1", "--to", "1"});
    EXPECT_EQ(swept.status, 0) << swept.err;
    EXPECT_EQ(swept.out, "adres 1: RIVO-22, nr 77, 9600 bit/s, bez parzystości\n");
    EXPECT_EQ(cli({"finder", "--port", hart, "--from", "9", "--to", "8"}).status, 2);
}

TEST_F(CliBench, AnswersInPiecesAtTheVeryEndOfTheWaitAreTakenOverThePseudoTerminal) {
    const std::string port = start("late", {"--model", "DOXA-22", "--serial", "4242", "--at-wait-end",
                                            "--chunks", "3", "--chunk-gap", "100"});
    const Result hart = cli({"identify", "--port", port});
    EXPECT_EQ(hart.status, 0) << hart.err;
    EXPECT_NE(hart.out.find("Typ przetwornika:      DOXA-22\nNr seryjny:            4242\n"), std::string::npos) << hart.out;
    // Five questions, each answered the first time.
    EXPECT_EQ(requestsOf(log("late")).size(), 5u) << log("late");
    const Result rs485 = cli({"finder", "--port", port, "--rs485", "--from", "0", "--to", "0"});
    EXPECT_EQ(rs485.status, 0) << rs485.err;
    EXPECT_EQ(rs485.out, "adres 0: DOXA-22, nr 4242, 1200 bit/s, parzystość ODD\n");
}

// doxa-cli on a PostgreSQL server of the test's own, named with --db or in doxa-win's settings;
// a record made while the server is down waits in the local file and is delivered by the next
// command once the server is back.
TEST(CliHistoryServer, RecordsReachTheServerNamedOnTheCommandLineOrInTheSettings) {
    test::PgServer server;
    if (!server.unavailable().empty()) GTEST_SKIP() << server.unavailable();
    const std::string url = server.newDatabase("cli");
    test::TempFolder config;
    const auto listed = [&] {
        const Result r = runCli({"history", "--json"}, config.path());
        EXPECT_EQ(r.status, 0) << r.err;
        return QJsonDocument::fromJson(QByteArray::fromStdString(r.out)).array();
    };

    const Result named = runCli({"identify", "--port", "sim:DOXA-22", "--db", url}, config.path());
    EXPECT_EQ(named.status, 0) << named.err;
    std::filesystem::create_directories(config.path() / "doxa-win");
    std::ofstream(config.path() / "doxa-win" / "doxa-win.ini") << "[Baza]\nURL=" << url << "\n";
    QJsonArray records = listed();
    ASSERT_EQ(records.size(), 1);
    EXPECT_EQ(records[0].toObject()["kind"].toString(), "identification");
    EXPECT_EQ(records[0].toObject()["model"].toString(), "DOXA-22");

    ASSERT_TRUE(server.stop());
    // Each run counts its own record, not those an earlier run left waiting.
    for (int run = 0; run < 2; ++run) {
        const Result down = runCli({"identify", "--port", "sim:RIVO-22"}, config.path());
        EXPECT_EQ(down.status, 0) << down.err;
        EXPECT_NE(down.err.find("rekordy serwisowe (1) czekają w " +
                                (config.path() / "doxa-win" / "history.sqlite").string() + " na bazę: cannot"),
                  std::string::npos) << down.err;
    }
    ASSERT_TRUE(server.start());
    records = listed();
    ASSERT_EQ(records.size(), 3);
    EXPECT_EQ(records[0].toObject()["model"].toString(), "RIVO-22");
    EXPECT_TRUE(records[0].toObject()["waiting_for"].isNull());
}

double secondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Another client holds a lock on the server doxa-cli records into: the schema lock keeps an
// up-to-date database from nothing, a table lock is given up on within the lock time-out, told,
// and the new record waits in the local file. The holder lets go by itself after 15 s (the table's
// after 30 s), so a wait without end fails here instead of hanging.
TEST(CliHistoryServer, ALockAnotherClientHoldsEndsTheCommandWithinTheLimit) {
    test::PgServer server;
    if (!server.unavailable().empty()) GTEST_SKIP() << server.unavailable();
    const std::string url = server.newDatabase("locked");
    test::TempFolder config;
    ASSERT_EQ(runCli({"identify", "--port", "sim:DOXA-22", "--db", url}, config.path()).status, 0);
    {
        const test::HeldLock schemaLock(url, {"SELECT pg_advisory_xact_lock(4242019)"});
        ASSERT_EQ(schemaLock.problem(), "");
        const auto start = std::chrono::steady_clock::now();
        const Result listed = runCli({"history", "--db", url, "--json"}, config.path());
        EXPECT_LT(secondsSince(start), 3.0);
        EXPECT_EQ(listed.status, 0) << listed.err;
    }
    const test::HeldLock tableLock(url, {"LOCK TABLE records IN ACCESS EXCLUSIVE MODE"}, 30);
    ASSERT_EQ(tableLock.problem(), "");
    auto start = std::chrono::steady_clock::now();
    const Result listed = runCli({"history", "--db", url}, config.path());
    EXPECT_LT(secondsSince(start), 9.0);
    EXPECT_EQ(listed.status, 2);
    EXPECT_NE(listed.err.find("gave up waiting after 5 s for a lock another client holds"), std::string::npos)
        << listed.err;

    start = std::chrono::steady_clock::now();
    const Result recorded = runCli({"identify", "--port", "sim:DOXA-22", "--db", url}, config.path());
    EXPECT_LT(secondsSince(start), 14.0);
    EXPECT_EQ(recorded.status, 0) << recorded.err;
    EXPECT_NE(recorded.err.find("rekordy serwisowe (1) czekają w"), std::string::npos) << recorded.err;
    EXPECT_NE(recorded.err.find("gave up waiting after 5 s"), std::string::npos) << recorded.err;
}

// SIGTERM or Ctrl-C while doxa-cli waits for a table lock ends it within the second: a listing
// as interrupted; a recording command with its record in the local file, or, when that file is
// locked as well, with the record as JSON on standard error and status 6.
TEST(CliHistoryServer, AStopSignalEndsAWaitOnTheDatabaseWithinASecond) {
    test::PgServer server;
    if (!server.unavailable().empty()) GTEST_SKIP() << server.unavailable();
    const std::string url = server.newDatabase("stopped");
    ASSERT_TRUE(HistoryDatabase(url).open(true));
    const struct {
        std::vector<std::string> args;
        int signal;
        bool localFileLocked;
        int status;
        std::size_t waitingAfter;
    } cases[] = {
        {{"history", "--db", url}, SIGTERM, false, 130, 0},
        {{"identify", "--port", "sim:DOXA-22", "--db", url}, SIGTERM, false, 130, 1},
        {{"identify", "--port", "sim:DOXA-22", "--db", url}, SIGINT, true, 6, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args[0] + (c.localFileLocked ? ", local file locked" : ""));
        test::TempFolder config;
        test::TempFolder output;
        const std::string localFile = (config.path() / "doxa-win" / "history.sqlite").string();
        ASSERT_TRUE(HistoryDatabase(localFile).open(true));
        auto tableLock = std::make_unique<test::HeldLock>(url, std::vector<std::string>{"LOCK TABLE records IN ACCESS EXCLUSIVE MODE"}, 30);
        ASSERT_EQ(tableLock->problem(), "");
        std::unique_ptr<test::HeldLock> fileLock;
        if (c.localFileLocked) fileLock = std::make_unique<test::HeldLock>(localFile, std::vector<std::string>{});

        const pid_t pid = startCli(c.args, config.path(), output.path());
        const auto waiting = std::chrono::steady_clock::now();
        while (tableLock->othersWaiting() < 1 && secondsSince(waiting) < 20)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        ASSERT_EQ(tableLock->othersWaiting(), 1);
        const auto signalled = std::chrono::steady_clock::now();
        ::kill(pid, c.signal);
        const Result r = finishCli(pid, output.path());
        EXPECT_LT(secondsSince(signalled), 3.0);
        EXPECT_EQ(r.status, c.status) << r.err;
        tableLock.reset();
        fileLock.reset();

        std::vector<PendingRecord> waitingRecords;
        ASSERT_TRUE(HistoryDatabase(localFile).select(HistoryTable::Waiting, {}, waitingRecords));
        ASSERT_EQ(waitingRecords.size(), c.waitingAfter) << r.err;
        if (c.waitingAfter) {
            EXPECT_EQ(waitingRecords[0].stored.record.model, "DOXA-22");
        }
        if (c.localFileLocked) {
            EXPECT_NE(r.err.find("nie udało się go zachować"), std::string::npos) << r.err;
            EXPECT_NE(r.err.find("{\"time\": \""), std::string::npos) << r.err;
            EXPECT_NE(r.err.find("\"kind\": \"identification\", \"outcome\": \"confirmed\", \"model\": \"DOXA-22\""),
                      std::string::npos) << r.err;
        }
    }
}

// --fast over the real line: the same requests and the same identification as without it, from
// a prompt transmitter and from one whose answers come in pieces at the very end of the wait.
TEST_F(CliBench, FastIdentificationSendsTheSameRequestsOverThePseudoTerminal) {
    for (const auto& [name, timing] : std::vector<std::pair<std::string, std::vector<std::string>>>{
             {"prompt", {}}, {"late", {"--at-wait-end", "--chunks", "3", "--chunk-gap", "100"}}}) {
        SCOPED_TRACE(name);
        std::vector<std::string> args{"--model", "DOXA-22", "--serial", "4242"};
        args.insert(args.end(), timing.begin(), timing.end());
        const std::string port = start(name, args);
        for (const bool rs485 : {false, true}) {
            std::vector<std::string> identify{"identify", "--port", port};
            if (rs485) identify.push_back("--rs485");
            const std::size_t before = requestsOf(log(name)).size();
            const Result documented = cli(identify);
            const auto documentedRequests = requestsOf(log(name));
            identify.push_back("--fast");
            const Result fast = cli(identify);
            const auto all = requestsOf(log(name));
            ASSERT_EQ(documented.status, 0) << documented.err;
            EXPECT_EQ(fast.status, 0) << fast.err;
            EXPECT_EQ(fast.out, documented.out);
            const std::vector<std::vector<std::uint8_t>> asked(documentedRequests.begin() + std::ptrdiff_t(before), documentedRequests.end());
            const std::vector<std::vector<std::uint8_t>> askedFast(all.begin() + std::ptrdiff_t(documentedRequests.size()), all.end());
            EXPECT_EQ(askedFast, asked);
            EXPECT_EQ(asked.size(), rs485 ? 4u : 5u);
        }
    }
}

// A pseudo-terminal of doxa-sim linked under a fake /dev/serial/by-id, as udev links a USB
// adapter; doxa-cli looks for devices in that tree.
class CliPortsByName : public ::testing::Test {
protected:
    void SetUp() override {
        sim_ = std::make_unique<test::SimProcess>(
            std::vector<std::string>{"--model", "DOXA-22", "--serial", "4242"}, byId(Adapter));
        ASSERT_TRUE(sim_->linked());
    }
    Result cli(std::vector<std::string> args) {
        const std::string root = tree_.root();
        return runCli(std::move(args), config_.path(), [root] { ::setenv("DOXA_DEVICE_ROOT", root.c_str(), 1); });
    }
    std::filesystem::path byId(const std::string& name) { return tree_.byId(name); }

    static constexpr const char* Adapter = "usb-Doxa_Sim_Adapter_X1Y2-if00-port0";
    test::FakeDeviceTree tree_;
    test::TempFolder config_;
    std::unique_ptr<test::SimProcess> sim_;
};

TEST_F(CliPortsByName, APseudoTerminalLinkedByIdIsListedAndIdentifiedThroughAPartOfItsName) {
    tree_.addBuiltInPort("ttyS0", 4);
    // The widest description holds Polish letters: a width counted in bytes would show.
    const std::string polish = "Zakład Łączności Przejściówka RS485, nr seryjny Ż1";
    tree_.addUsbDevice("ttyUSB5", "Zakład Łączności", "Przejściówka RS485", "Ż1");
    tree_.addByIdLink("usb-ZL_RS485_Z1-if00", "../../ttyUSB5");
    const Result json = cli({"ports", "--json"});
    EXPECT_EQ(json.status, 0) << json.err;
    const QJsonArray devices = QJsonDocument::fromJson(QByteArray::fromStdString(json.out)).array();
    ASSERT_EQ(devices.size(), 3) << json.out;
    const QJsonObject adapter = devices[0].toObject();
    EXPECT_EQ(adapter["path"].toString().toStdString(), byId(Adapter).string());
    EXPECT_EQ(adapter["by_id"].toString(), Adapter);
    EXPECT_TRUE(adapter["tty"].toString().startsWith("/dev/pts/")) << json.out;
    EXPECT_EQ(adapter["accessible"].toBool(), true);
    EXPECT_EQ(adapter["hint"].toString(), "");
    for (const char* key : {"maker", "product", "serial"}) EXPECT_EQ(adapter[key].toString(), "") << key;
    EXPECT_EQ(devices[2].toObject()["tty"].toString(), "ttyS0");

    const std::vector<std::string> table = lines(cli({"ports"}).out);
    ASSERT_EQ(table.size(), 4u);
    EXPECT_TRUE(table[0].starts_with("Urządzenie")) << table[0];
    EXPECT_TRUE(table[1].starts_with(byId(Adapter).string() + "  /dev/pts/")) << table[1];
    // "urządzenie szeregowe" is 20 characters, the widest description 50.
    EXPECT_NE(table[1].find("  urządzenie szeregowe" + std::string(32, ' ') + "tak"), std::string::npos) << table[1];
    EXPECT_TRUE(table[2].ends_with("  " + polish + "  tak")) << table[2];
    EXPECT_TRUE(table[3].ends_with("  port szeregowy komputera" + std::string(28, ' ') + "tak")) << table[3];

    const Result r = cli({"identify", "--port", "x1y2"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("Typ przetwornika:      DOXA-22\nNr seryjny:            4242\n"), std::string::npos) << r.out;
}

TEST_F(CliPortsByName, AnAmbiguousOrUnknownNameIsRefusedWithWhatIsPresent) {
    tree_.addNode("ttyUSB3");
    tree_.addByIdLink("usb-Doxa_Sim_Adapter_Q7-if00-port0", "../../ttyUSB3");
    const Result ambiguous = cli({"identify", "--port", "Sim_Adapter"});
    EXPECT_EQ(ambiguous.status, 2);
    EXPECT_EQ(ambiguous.out, "");
    EXPECT_NE(ambiguous.err.find("to nie jest port: 'Sim_Adapter' (COM1..COM12, ścieżka urządzenia, sim:MODEL albo "
                                 "jednoznaczna część nazwy z /dev/serial/by-id): several by-id names hold it:\n"
                                 "  usb-Doxa_Sim_Adapter_Q7-if00-port0\n  usb-Doxa_Sim_Adapter_X1Y2-if00-port0\n"),
              std::string::npos) << ambiguous.err;

    // The adapter pulled out: its name leads nowhere, and what is left is told.
    sim_->stop();
    std::filesystem::remove(byId(Adapter));
    const Result gone = cli({"identify", "--port", "X1Y2"});
    EXPECT_EQ(gone.status, 2);
    EXPECT_NE(gone.err.find("no by-id name holds it; present are:\n  " + byId("usb-Doxa_Sim_Adapter_Q7-if00-port0").string()),
              std::string::npos) << gone.err;
    EXPECT_EQ(cli({"ports", "--json"}).out.find("X1Y2"), std::string::npos);
}

}  // namespace
}  // namespace doxa

namespace doxa {
namespace {

// A certificate's PDF as far as --verify reads it: its XMP packet among the bytes.
void writeCertificateMarkFile(const std::filesystem::path& path, const CertificateMark& mark) {
    const PdfDescription described{QStringLiteral("Świadectwo kalibracji"), QStringLiteral("DOXA WIN"),
                                   QStringLiteral("Qt"), QDateTime::currentDateTime()};
    std::ofstream(path, std::ios::binary) << "%PDF-1.4\n" << certificateXmp(described, mark).toStdString() << "\n%%EOF\n";
}

TEST_F(CliHistory, VerifyTellsWhetherACertificatesCodeStillMatchesItsStoredEvent) {
    const std::string event = "0123456789abcdef0123456789abcdef";
    {
        HistoryStore store(file().string(), [this] { return now_; });
        for (const StoredRecord& s : test::pt100EventRecords(event)) store.record(s.record);
        ASSERT_EQ(store.waiting(), 0u) << store.problem();
    }
    std::vector<StoredRecord> stored;
    HistoryStore(file().string(), [this] { return now_; }).forEachRecord({}, [&stored](StoredRecord&& s) {
        stored.push_back(std::move(s));
    });
    const std::string code = verificationCode(event, stored);
    const std::filesystem::path pdf = folder_.path() / "swiadectwo.pdf";
    writeCertificateMarkFile(pdf, {event, code});

    Result r = cli({"--verify", pdf.string()});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "zgodny: zdarzenie " + event + ", kod " + code + "\n");
    // The same certificate found by the number the history gave it.
    {
        HistoryStore store(file().string(), [this] { return now_; });
        const CertificateNumbering numbering = store.numberCertificate(event, code);
        ASSERT_TRUE(numbering.certificate) << numbering.whyNone;
        EXPECT_EQ(numbering.certificate->number, "ŚK/2025/000001");
    }
    r = cli({"--certificate", "ŚK/2025/000001"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "zgodny: zdarzenie " + event + ", kod " + code + "\n");
    r = cli({"--certificate", "ŚK/2025/000002"});
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("nie ma świadectwa ŚK/2025/000002 w historii"), std::string::npos) << r.err;
    EXPECT_EQ(cli({"--certificate", "ŚK/2025/000001", "--verify", pdf.string()}).status, 2);

    // A reading of the event changed in the database afterwards.
    test::runSql(file().string(), {"UPDATE records SET as_found = replace(as_found, '100.15', '100.25')"});
    r = cli({"--verify", pdf.string()});
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(r.out.starts_with("niezgodny: zdarzenie " + event + ", kod świadectwa " + code)) << r.out;
    r = cli({"--certificate", "ŚK/2025/000001"});
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(r.out.starts_with("niezgodny: zdarzenie " + event)) << r.out;

    // An event the database does not hold, a PDF without the code, no file at all.
    writeCertificateMarkFile(pdf, {"ffffffffffffffffffffffffffffffff", code});
    r = cli({"--verify", pdf.string()});
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("zdarzenia kalibracji ffffffffffffffffffffffffffffffff nie ma w historii"), std::string::npos) << r.err;
    std::ofstream(pdf, std::ios::binary) << "%PDF-1.4\n%%EOF\n";
    r = cli({"--verify", pdf.string()});
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("nie znaleziono kodu weryfikacyjnego"), std::string::npos) << r.err;
    EXPECT_EQ(cli({"--verify", (folder_.path() / "none.pdf").string()}).status, 2);
    EXPECT_EQ(cli({"--verify", pdf.string(), "--json"}).status, 2);
}

}  // namespace
}  // namespace doxa
