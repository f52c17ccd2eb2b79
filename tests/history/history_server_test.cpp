// The service history on a real PostgreSQL server of the tests' own: the schema and its versions,
// two writers at once, the server stopped in the middle of a session, and the records the dialogs
// leave, on the simulated transmitter. Skipped, with the reason, where no server is installed.

#include <gtest/gtest.h>

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <functional>
#include <memory>
#include <latch>
#include <set>
#include <thread>

#include "calibration/calib_dlg.h"
#include "calibration/calib_wizard_dlg.h"
#include "calibration/calibration_steps.h"
#include "calibration/dialog_session.h"
#include "calibration/factory_data_dlg.h"
#include "calibration/output_current_dlg.h"
#include "history/history_dlg.h"
#include "history/history_store.h"
#include "history/history_worker.h"
#include "history_test_support.h"
#include "programming/prog_dlg.h"
#include "programming/programming_session.h"
#include "support/fake_recorder.h"
#include "support/held_lock.h"
#include "support/fake_window.h"
#include "support/virtual_clock.h"
#include "support/pg_server.h"
#include "transmitter/code_tables.h"
#include "transmitter/ident_dlg.h"

namespace doxa::test {
namespace {

// One server for all the tests of the program; each test has a database of its own.
class HistoryServer : public ::testing::Test {
protected:
    static void SetUpTestSuite() { server_ = new PgServer; }
    static void TearDownTestSuite() {
        delete server_;
        server_ = nullptr;
    }
    void SetUp() override {
        if (!server_->unavailable().empty()) GTEST_SKIP() << server_->unavailable();
        const std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        database_ = server_->newDatabase("t_" + name);
        // Qt's database data is made on the main thread first, as in the programs: made first by
        // a test's own thread, it would outlive the test once the main thread uses a database
        // too (LeakSanitizer tells of it), with no application object to end it.
        onServer("SELECT 1");
    }
    std::string localFile() const { return (folder_.path() / "history.sqlite").string(); }
    std::unique_ptr<HistoryStore> store() {
        return std::make_unique<HistoryStore>(database_, localFile(), time_.clock());
    }
    int onServer(const std::string& statement) { return runSql(database_, {statement}); }
    int inLocalFile(const std::string& statement) { return runSql(localFile(), {statement}); }

    static inline PgServer* server_ = nullptr;
    std::string database_;
    TempFolder folder_;
    TestClock time_;
};

TEST_F(HistoryServer, ANewDatabaseGetsTheSchemaAndKeepsTheRecordsValues) {
    ServiceRecord programming = compensation(31337, "RIVO-22");
    programming.kind = RecordKind::Programming;
    programming.outcome = RecordOutcome::NotConfirmed;
    programming.rs485 = true;
    programming.backupFile = "/home/technik/kopie/RIVO-22 31337.prg";
    programming.asFound = {{"sensor", "Pt 100"}, {"range_max", 150.0}};
    programming.asLeft = {{"sensor", "Ni 100 „ąę”"}, {"range_max", 200.0}};
    store()->record(programming);
    EXPECT_EQ(onServer("SELECT version FROM schema_version"), 5);

    const auto s = store();
    const auto found = s->records({.serial = 31337});
    ASSERT_EQ(found.size(), 1u) << s->problem();
    EXPECT_EQ(found[0].time, "2025-03-01T09:00:00Z");
    EXPECT_EQ(found[0].user, computerUser());
    const ServiceRecord& r = found[0].record;
    EXPECT_EQ(r.kind, RecordKind::Programming);
    EXPECT_EQ(r.outcome, RecordOutcome::NotConfirmed);
    EXPECT_TRUE(r.rs485);
    EXPECT_EQ(r.backupFile, "/home/technik/kopie/RIVO-22 31337.prg");
    EXPECT_EQ(r.asLeft, (RecordValues{{"range_max", 200.0}, {"sensor", "Ni 100 „ąę”"}}));
    EXPECT_TRUE(found[0].unreadable.empty());
    // Nothing waited, so the local file was never made.
    EXPECT_FALSE(std::filesystem::exists(localFile()));
}

// A row a newer or another program put on the shared server: what this one cannot read is kept
// as stored and marked, and the server's own numbers are read as they are.
TEST_F(HistoryServer, ARowOfAnotherProgramIsShownAsStoredAndMarked) {
    store()->record(compensation(4242));
    onServer("INSERT INTO records (uid, time, \"user\", kind, outcome, model, serial, address, mode, line, "
             "backup_file, as_found, as_left, reference, device, refusal_code) VALUES ('obcy', "
             "'2025-03-01T10:00:00Z', 'ewa', 'calibration_pressure', 'rejected', 'DOXA-22', 4242, 300, 'HART', "
             "'', '', '{\"p\": 1}', 'null', '{}', '', 16)");
    const auto s = store();
    const auto found = s->records({.serial = 4242});
    ASSERT_EQ(found.size(), 2u) << s->problem();
    EXPECT_EQ(found[0].unreadable, (std::map<std::string, std::string>{
                                       {"address", "300"}, {"as_left", "null"}, {"kind", "calibration_pressure"},
                                       {"outcome", "rejected"}}));
    EXPECT_EQ(found[0].record.serial, 4242);
    EXPECT_EQ(found[0].record.refusalCode, 16);
    EXPECT_EQ(found[0].record.asFound, (RecordValues{{"p", 1.0}}));
    EXPECT_TRUE(found[1].unreadable.empty());
}

TEST_F(HistoryServer, TheFirstVersionIsBroughtUpToDateAndANewerOneIsRefused) {
    runSql(database_, firstSchema(true));
    auto s = store();
    s->record(compensation(4242));
    EXPECT_EQ(s->waiting(), 0u) << s->problem();
    EXPECT_EQ(onServer("SELECT version FROM schema_version"), 5);
    EXPECT_EQ(onServer("SELECT count(*) FROM schema_version"), 1);
    EXPECT_EQ(s->records({}).size(), 2u);
    expectFirstVersionRecordKept(*s);

    const std::string newer = server_->newDatabase("t_newer");
    runSql(newer, NewerSchema);
    HistoryStore refused(newer, localFile(), time_.clock());
    refused.record(compensation(4243));
    EXPECT_NE(refused.problem().find("ma schemat w wersji 6, nowszej"), std::string::npos) << refused.problem();
    EXPECT_EQ(refused.waiting(), 1u);
    EXPECT_EQ(runSql(newer, {"SELECT version FROM schema_version"}), 6);
    EXPECT_EQ(runSql(newer, {"SELECT count(*) FROM records"}), 0);
}

// Two technicians whose programs open the new database at the same moment and write at once.
TEST_F(HistoryServer, TwoWritersAtOnceLoseNothing) {
    constexpr int Each = 100;
    std::latch bothReady(2);
    const auto writer = [this, &bothReady](int firstSerial) {
        HistoryStore s(database_, (folder_.path() / std::to_string(firstSerial)).string());
        bothReady.arrive_and_wait();
        // Not one record may have to wait: neither the making of the schema nor the other
        // writer gets in the way.
        for (int i = 0; i < Each; ++i) {
            s.record(compensation(firstSerial + i));
            ASSERT_EQ(s.waiting(), 0u) << "record " << i << ": " << s.problem();
        }
    };
    std::thread first(writer, 1000);
    std::thread second(writer, 2000);
    first.join();
    second.join();
    EXPECT_EQ(onServer("SELECT count(DISTINCT serial) FROM records"), 2 * Each);
    EXPECT_EQ(onServer("SELECT count(*) FROM records"), 2 * Each);
    EXPECT_EQ(onServer("SELECT count(*) FROM schema_version"), 1);
}

// The server goes away in the middle of a session: the records wait in the local file, the
// program is closed and started again, and once the server is back each arrives once.
TEST_F(HistoryServer, RecordsWaitWhileTheServerIsDownAndArriveOnceItIsBack) {
    auto s = store();
    s->record(compensation(1));
    ASSERT_EQ(s->waiting(), 0u) << s->problem();
    // A restart between two records costs the connection, not the record.
    ASSERT_TRUE(server_->stop());
    ASSERT_TRUE(server_->start());
    s->record(compensation(1));
    EXPECT_EQ(s->waiting(), 0u) << s->problem();
    EXPECT_EQ(onServer("SELECT count(*) FROM records"), 2);

    ASSERT_TRUE(server_->stop());
    s->record(compensation(2));
    // The waiting record and the new one: a server that just failed is tried once.
    const int connectsBefore = HistoryDatabase::serverConnectsOnThisThread();
    s->record(compensation(3));
    EXPECT_EQ(HistoryDatabase::serverConnectsOnThisThread() - connectsBefore, 1);
    EXPECT_EQ(s->waiting(), 2u);
    EXPECT_EQ(s->waitingInMemory(), 0u);
    EXPECT_NE(s->problem().find(database_), std::string::npos) << s->problem();
    // Listed with the database they wait for, which the local file names without a password.
    // The server's own records cannot be read now, and the listing says so.
    const auto listed = s->records({});
    EXPECT_NE(s->problem().find(database_), std::string::npos) << s->problem();
    ASSERT_EQ(listed.size(), 2u);
    EXPECT_EQ(listed[0].waitingFor, destinationOf(database_));
    EXPECT_NE(listed[0].waitingFor->find("port=5432"), std::string::npos) << *listed[0].waitingFor;
    s.reset();
    EXPECT_EQ(inLocalFile("SELECT count(*) FROM waiting"), 2);

    s = store();
    EXPECT_EQ(s->waiting(), 2u);
    s->retry();
    EXPECT_EQ(s->waiting(), 2u);
    ASSERT_TRUE(server_->start());
    s->record(compensation(4));
    EXPECT_EQ(s->waiting(), 0u) << s->problem();
    EXPECT_EQ(s->problem(), "");
    EXPECT_EQ(inLocalFile("SELECT count(*) FROM waiting"), 0);
    EXPECT_EQ(onServer("SELECT count(*) FROM records"), 5);
    EXPECT_EQ(onServer("SELECT count(DISTINCT serial) FROM records"), 4);

    // Delivered, but the answer lost: the record is still in the local file and goes again.
    runSql(database_, {"UPDATE records SET uid = 'delivered-once' WHERE serial = 2"});
    inLocalFile("INSERT INTO waiting (uid, time, \"user\", kind, outcome, model, serial, address, mode, line, "
                "backup_file, as_found, as_left, reference, destination) VALUES ('delivered-once', '', '', '', '', "
                "'', 2, 0, '', '', '', '{}', '{}', '{}', '" + destinationOf(database_) + "')");
    s = store();
    s->retry();
    EXPECT_EQ(s->waiting(), 0u) << s->problem();
    EXPECT_EQ(onServer("SELECT count(*) FROM records"), 5);
}

// A server that takes the connection and never answers: the waiting records and the new one
// cost one connection attempt, not one each.
TEST_F(HistoryServer, ASilentServerIsTriedOnceForTheWaitingRecordsAndTheNewOne) {
    test::SilentServer silent;
    const std::string url = silent.url();
    // Two records an earlier run left waiting for it.
    HistoryStore(localFile()).record(compensation(1));
    inLocalFile("INSERT INTO waiting (uid, time, \"user\", kind, outcome, model, serial, address, mode, line, "
                "backup_file, as_found, as_left, reference, destination) SELECT uid || n, time, \"user\", kind, "
                "outcome, model, serial, address, mode, line, backup_file, as_found, as_left, reference, '" +
                destinationOf(url) + "' FROM records, (SELECT 'a' AS n UNION SELECT 'b')");

    HistoryStore s(url, localFile(), time_.clock());
    ASSERT_EQ(s.waiting(), 2u);
    const int connectsBefore = HistoryDatabase::serverConnectsOnThisThread();
    const auto started = std::chrono::steady_clock::now();
    s.record(compensation(2));
    EXPECT_EQ(HistoryDatabase::serverConnectsOnThisThread() - connectsBefore, 1);
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(8));
    EXPECT_EQ(s.waiting(), 3u);
    EXPECT_EQ(s.waitingOfThisRun(), 1u) << "the earlier run's records are not this run's";
    EXPECT_FALSE(s.whyWaiting().empty());
    silent.close();
}

// doxa-win's way: a record goes into the local file at once, without the caller ever trying the
// server, and the delivery thread takes it over once the server is back. Many wakes in a row
// deliver each record once; records still waiting when the program quits stay in the local file.
TEST_F(HistoryServer, InTheBackgroundRecordsNeverWaitForTheServerAndArriveOnce) {
    ASSERT_TRUE(server_->stop());
    auto s = std::make_unique<HistoryStore>(database_, localFile(), time_.clock(), Delivery::InBackground);
    const int connectsBefore = HistoryDatabase::serverConnectsOnThisThread();
    for (int serial = 1; serial <= 3; ++serial) {
        s->record(compensation(serial));
        s->retry();
    }
    EXPECT_EQ(HistoryDatabase::serverConnectsOnThisThread(), connectsBefore);
    EXPECT_EQ(s->waiting(), 3u);
    EXPECT_EQ(inLocalFile("SELECT count(*) FROM waiting"), 3);
    EXPECT_TRUE(eventually([&] { return s->problem().find(database_) != std::string::npos; })) << s->problem();

    ASSERT_TRUE(server_->start());
    s->retry();
    for (int serial = 4; serial <= 30; ++serial) {
        s->record(compensation(serial));
        s->retry();
    }
    EXPECT_EQ(HistoryDatabase::serverConnectsOnThisThread(), connectsBefore);
    ASSERT_TRUE(eventually([&] { return s->waiting() == 0; })) << s->waiting() << " wait: " << s->problem();
    EXPECT_EQ(s->problem(), "");
    EXPECT_EQ(onServer("SELECT count(*) FROM records"), 30);
    EXPECT_EQ(onServer("SELECT count(DISTINCT serial) FROM records"), 30);
    EXPECT_EQ(inLocalFile("SELECT count(*) FROM waiting"), 0);
    // The history dialog reads the server on a connection of its own.
    EXPECT_EQ(s->records({.serial = 30}).size(), 1u) << s->problem();

    ASSERT_TRUE(server_->stop());
    s->record(compensation(31));
    s->record(compensation(32));
    s.reset();
    EXPECT_EQ(inLocalFile("SELECT count(*) FROM waiting"), 2);
    ASSERT_TRUE(server_->start());
    s = store();
    s->retry();
    EXPECT_EQ(s->waiting(), 0u) << s->problem();
    EXPECT_EQ(onServer("SELECT count(*) FROM records"), 32);
}

// Another client holds a lock: an up-to-date schema is opened without waiting for the schema
// lock, a table lock is given up on within the lock time-out (once, not again on a fresh
// connection) and the record waits in the local file, and a new database whose schema lock is
// held is given up on as well. The holder lets go by itself after 15 s, so a wait without end
// fails here instead of hanging.
TEST_F(HistoryServer, ALockAnotherClientHoldsIsGivenUpOnWithinTheLimit) {
    using std::chrono::steady_clock;
    const auto secondsTaken = [](const std::function<void()>& work) {
        const auto start = steady_clock::now();
        work();
        return std::chrono::duration<double>(steady_clock::now() - start).count();
    };
    auto s = store();
    s->record(compensation(1));
    ASSERT_EQ(s->waiting(), 0u) << s->problem();
    {
        const HeldLock schemaLock(database_, {"SELECT pg_advisory_xact_lock(4242019)"});
        ASSERT_EQ(schemaLock.problem(), "");
        s = store();
        EXPECT_LT(secondsTaken([&] { EXPECT_EQ(s->records({}).size(), 1u) << s->problem(); }), 2.5);
    }
    {
        const HeldLock tableLock(database_, {"LOCK TABLE records IN ACCESS EXCLUSIVE MODE"});
        ASSERT_EQ(tableLock.problem(), "");
        const double waited = secondsTaken([&] { s->record(compensation(2)); });
        EXPECT_GT(waited, 4.0);
        EXPECT_LT(waited, 8.0);
        EXPECT_EQ(s->waiting(), 1u);
        EXPECT_NE(s->problem().find("gave up waiting after 5 s for a lock another client holds"), std::string::npos)
            << s->problem();
        EXPECT_LT(secondsTaken([&] { s->records({}); }), 8.0);
        EXPECT_NE(s->problem().find("gave up waiting"), std::string::npos) << s->problem();
    }
    const std::string fresh = server_->newDatabase("t_fresh_schema_locked");
    const HeldLock schemaLock(fresh, {"SELECT pg_advisory_xact_lock(4242019)"});
    ASSERT_EQ(schemaLock.problem(), "");
    HistoryStore other(fresh, (folder_.path() / "other.sqlite").string(), time_.clock());
    EXPECT_LT(secondsTaken([&] { other.record(compensation(3)); }), 8.0);
    EXPECT_EQ(other.waiting(), 1u);
    EXPECT_NE(other.problem().find("gave up waiting after 5 s for a lock another client holds"), std::string::npos)
        << other.problem();
}

// A server that is down is tried once a listing, however many records wait for it: each try may
// cost the whole connection time-out.
TEST_F(HistoryServer, AListingTriesAServerThatIsDownOnce) {
    ASSERT_TRUE(server_->stop());
    const auto s = store();
    s->record(compensation(1));
    s->record(compensation(2));
    ASSERT_EQ(s->waiting(), 2u);
    const auto triesOf = [](const std::function<std::size_t()>& listing) {
        const int before = HistoryDatabase::serverConnectsOnThisThread();
        EXPECT_EQ(listing(), 2u) << "the waiting records are listed";
        return HistoryDatabase::serverConnectsOnThisThread() - before;
    };
    EXPECT_EQ(triesOf([&] { return s->records({}).size(); }), 1);
    EXPECT_EQ(triesOf([&] { return s->recordPage({}, Reach::Everywhere, {}, 10).records.size(); }), 1);
    EXPECT_EQ(triesOf([&] { return s->transmitters({}, Reach::Everywhere).size(); }), 1);
    EXPECT_NE(s->problem().find(database_), std::string::npos) << s->problem();
    ASSERT_TRUE(server_->start());
}

// "Historia przetwornika..." with the server's records behind another client's lock: the window
// is never held up. The local file's waiting record shows at once, "Przerwij" gives the server up
// and closing waits for nothing; once the lock is gone, the next opening lists both records.
TEST_F(HistoryServer, TheHistoryDialogNeverWaitsForALockedServer) {
    store()->record(compensation(1));
    ASSERT_TRUE(server_->stop());
    store()->record(compensation(2, "RIVO-22"));
    ASSERT_TRUE(server_->start());
    ASSERT_EQ(inLocalFile("SELECT count(*) FROM waiting"), 1);

    HistoryStore history(database_, localFile(), time_.clock());
    HistoryWorker worker([this] { return std::make_unique<HistoryStore>(database_, localFile()); });
    VirtualClock clock;
    const auto open = [&](FakeWindow& window, std::size_t transmitters) {
        EXPECT_TRUE(window.open());
        for (int tries = 0; tries < 500 && window.items(CHistoryDlg::Transmitters).size() < transmitters; ++tries) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
            clock.advance(CHistoryDlg::AnswerPollMs);
        }
        return window.items(CHistoryDlg::Transmitters);
    };
    {
        const HeldLock locked(database_, {"LOCK TABLE records IN ACCESS EXCLUSIVE MODE"});
        ASSERT_EQ(locked.problem(), "");
        const auto started = std::chrono::steady_clock::now();
        CHistoryDlg logic(history, worker, [](std::string_view) { return std::string(); });
        FakeWindow window(logic, clock);
        EXPECT_EQ(open(window, 1), std::vector<std::string>{"RIVO-22   nr 2   " + localTimeText("2025-03-01T09:00:00Z")});
        EXPECT_EQ(window.text(CHistoryDlg::StatusText), "Łączenie z bazą...");
        window.click(CHistoryDlg::StopWaiting);
        EXPECT_EQ(window.text(CHistoryDlg::StatusText),
                  "Przerwano czekanie na bazę: lista pokazuje tylko wpisy z pliku lokalnego.");
        window.close();
        EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(1));
    }
    CHistoryDlg logic(history, worker, [](std::string_view) { return std::string(); });
    FakeWindow window(logic, clock);
    EXPECT_EQ(open(window, 2).size(), 2u);
    EXPECT_EQ(window.text(CHistoryDlg::StatusText), "");
}

// The dialogs on the simulated transmitter, recording into the server: the identification,
// "Wyślij" and the compensation leave their records with the values found and left.
TEST_F(HistoryServer, TheDialogsRecordsReachTheServer) {
    const auto s = store();
    {
        Session<CProgDlg> p;
        p.sim.station.recorder = s.get();
        p.sim.device().serialNumber = 4321;
        p.sim.device().rangeUpper = 150;
        CInitDlg init(p.sim.station);
        FakeWindow w(init, p.sim.clock);
        ASSERT_TRUE(w.open());
        ASSERT_TRUE(p.sim.clock.advanceUntil([&] { return w.text(CInitDlg::ProgressText) == FinishedText; }, 60'000));
        w.close();
        ASSERT_TRUE(p.openReady());
        p.enter(CProgDlg::RangeMax, "120");
        ASSERT_EQ(p.program(), Saved);
    }
    {
        DialogSession<CCalibrationDlg> cal(sim::Model::Doxa22, false, std::function<void()>([] {}));
        cal.sim.station.recorder = s.get();
        cal.sim.device().serialNumber = 4321;
        cal.sim.device().ambient = 24.5f;
        ASSERT_TRUE(cal.open());
        ASSERT_TRUE(cal.press(CCalibrationDlg::ReadAmbient));
        cal.window.type(CCalibrationDlg::Ambient, "25.5");
        ASSERT_TRUE(cal.press(CCalibrationDlg::CalibrateAmbient));
    }
    ASSERT_EQ(s->waiting(), 0u) << s->problem();

    HistoryStore reader(database_, localFile());
    const auto found = reader.records({});
    const auto ofKind = [&](RecordKind kind) {
        std::vector<ServiceRecord> records;
        for (const StoredRecord& stored : found)
            if (stored.record.kind == kind) records.push_back(stored.record);
        return records;
    };
    EXPECT_FALSE(ofKind(RecordKind::Identification).empty());
    const auto programming = ofKind(RecordKind::Programming);
    ASSERT_EQ(programming.size(), 1u);
    EXPECT_EQ(programming[0].outcome, RecordOutcome::Confirmed);
    EXPECT_EQ(numberOf(programming[0].asFound, "range_max"), 150);
    EXPECT_EQ(numberOf(programming[0].asLeft, "range_max"), 120);
    const auto compensations = ofKind(RecordKind::CalibrationCompensation);
    ASSERT_EQ(compensations.size(), 1u);
    EXPECT_EQ(compensations[0].outcome, RecordOutcome::Confirmed);
    EXPECT_EQ(numberOf(compensations[0].asFound, "ambient"), 24.5);
    EXPECT_EQ(numberOf(compensations[0].reference, "ambient"), 25.5);
    ASSERT_TRUE(numberOf(compensations[0].asLeft, "ambient"));
    EXPECT_NEAR(*numberOf(compensations[0].asLeft, "ambient"), 25.5, 1e-4);
}


// The records of every calibration kind, left by their dialogs on the simulated transmitter,
// arrive on the server with what was found, left and typed.
TEST_F(HistoryServer, EveryCalibrationKindReachesTheServer) {
    const auto s = store();
    const auto recording = [&](auto& session) {
        session.sim.station.recorder = s.get();
        // As identification would have left it: these dialogs do not identify first.
        session.sim.device().serialNumber = 4321;
        session.sim.station.device.serialNumber = 4321;
    };
    {
        // An input point read before and after it is taken, then an output point measured.
        using D = CCalibrationDlg;
        DialogSession<D> cal(sim::Model::Doxa22, false, std::function<void()>([] {}));
        recording(cal);
        cal.sim.device().sensorCode = 0;  // a resistance input, read in Ohm
        cal.sim.station.device.sensorType = 0;
        cal.sim.station.device.unitCode = UnitOhm;
        cal.sim.device().input = 300.12f;
        const auto readInput = [&cal] {
            cal.window.click(D::ReadInput);
            return cal.sim.clock.advanceUntil(
                [&] { return !cal.window.timerRunning(calibration::InputReading::Timer); }, 5000, 1);
        };
        ASSERT_TRUE(cal.open());
        ASSERT_TRUE(readInput());
        ASSERT_TRUE(cal.press(D::InputHigh));
        ASSERT_TRUE(readInput());
        ASSERT_TRUE(cal.press(D::DriveLow));
        cal.window.type(D::Point1, "5.62");
        ASSERT_TRUE(cal.press(D::CalibratePoint1));
    }
    {
        using O = COutputCurrentDlg;
        DialogSession<O> forced(sim::Model::Doxa22, false);
        recording(forced);
        ASSERT_TRUE(forced.open());
        forced.window.type(O::Value, "12.5");
        ASSERT_TRUE(forced.press(O::Set));
    }
    {
        DialogSession<CFactoryDataDlg> factory(sim::Model::Doxa22, false);
        recording(factory);
        ASSERT_TRUE(factory.window.open());
        ASSERT_TRUE(factory.settle());
    }
    for (const int trim : {8, 16}) {  // set, then cancelled
        using W = CCalibrationWizardDlg;
        DialogSession<W> wizard(sim::Model::Doxa22, false);
        recording(wizard);
        wizard.sim.station.calibrationOptions = trim;
        ASSERT_TRUE(wizard.open());
        wizard.window.click(W::Send);
        ASSERT_TRUE(wizard.sim.clock.advanceUntil([&] { return wizard.window.ended(); }, 5000, 1));
    }
    ASSERT_EQ(s->waiting(), 0u) << s->problem();

    HistoryFilter transmitter;
    transmitter.serial = 4321;
    const auto found = HistoryStore(database_, localFile()).records(transmitter);
    const auto ofKind = [&](RecordKind kind) {
        std::vector<ServiceRecord> records;
        for (const StoredRecord& stored : found)
            if (stored.record.kind == kind) records.insert(records.begin(), stored.record);  // oldest first
        return records;
    };
    const auto input = ofKind(RecordKind::CalibrationInput);
    ASSERT_EQ(input.size(), 1u);
    EXPECT_EQ(numberOf(input[0].asFound, "input"), 300.12);
    EXPECT_EQ(numberOf(input[0].asLeft, "input"), 300);
    EXPECT_EQ(numberOf(input[0].reference, "input"), 300);
    EXPECT_EQ(textOf(input[0].reference, "unit"), "Ohm");
    const auto output = ofKind(RecordKind::CalibrationOutput);
    ASSERT_EQ(output.size(), 1u);
    EXPECT_EQ(output[0].outcome, RecordOutcome::Confirmed);
    EXPECT_EQ(numberOf(output[0].asFound, "output"), 5.6);
    EXPECT_EQ(numberOf(output[0].reference, "measured"), 5.62);
    const auto forced = ofKind(RecordKind::ForcedOutput);
    ASSERT_EQ(forced.size(), 1u);
    EXPECT_EQ(numberOf(forced[0].asLeft, "output"), 12.5);
    const auto factory = ofKind(RecordKind::FactoryData);
    ASSERT_EQ(factory.size(), 1u);
    EXPECT_EQ(textOf(factory[0].asLeft, "calibration_data"), "factory");
    const auto trims = ofKind(RecordKind::Trim);
    ASSERT_EQ(trims.size(), 2u);
    EXPECT_EQ(textOf(trims[0].asLeft, "trim"), "set");
    EXPECT_EQ(textOf(trims[1].asLeft, "trim"), "cancelled");
}

// A team on one server: two programs number their events at once, and both the same event among
// them. Every number is given once, the numbers of the year follow one another without a gap,
// and the event both numbered has one number.
TEST_F(HistoryServer, TwoProgramsNumberingAtOnceGiveUniqueConsecutiveNumbers) {
    constexpr int Each = 15;
    std::latch bothReady(2);
    std::vector<std::string> numbers[2];
    std::string shared[2];
    const auto numbering = [&](int program) {
        HistoryStore s(database_, (folder_.path() / std::to_string(program)).string(), time_.clock());
        ServiceRecord conditions = compensation(500 + program);
        conditions.kind = RecordKind::CalibrationConditions;
        for (int i = 0; i < Each; ++i) {
            conditions.event = "ev-" + std::to_string(program) + "-" + std::to_string(i);
            s.record(conditions);
        }
        conditions.event = "ev-shared";
        s.record(conditions);
        ASSERT_EQ(s.waiting(), 0u) << s.problem();
        bothReady.arrive_and_wait();
        shared[program] = s.numberCertificate("ev-shared", "code").certificate.value_or(IssuedCertificate{}).number;
        for (int i = 0; i < Each; ++i) {
            const auto numbered = s.numberCertificate("ev-" + std::to_string(program) + "-" + std::to_string(i), "code");
            ASSERT_TRUE(numbered.certificate) << numbered.whyNone;
            numbers[program].push_back(numbered.certificate->number);
        }
    };
    std::thread first(numbering, 0);
    std::thread second(numbering, 1);
    first.join();
    second.join();
    EXPECT_NE(shared[0], "");
    EXPECT_EQ(shared[0], shared[1]);
    std::set<std::string> given(numbers[0].begin(), numbers[0].end());
    given.insert(numbers[1].begin(), numbers[1].end());
    given.insert(shared[0]);
    std::set<std::string> expected;
    for (int n = 1; n <= 2 * Each + 1; ++n) expected.insert(certificateNumberText(2025, n));
    EXPECT_EQ(given, expected);
    EXPECT_EQ(onServer("SELECT count(*) FROM certificates"), 2 * Each + 1);
    EXPECT_EQ(onServer("SELECT last FROM certificate_counters WHERE year = 2025"), 2 * Each + 1);
}

}  // namespace
}  // namespace doxa::test
