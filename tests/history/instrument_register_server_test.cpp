// The register of reference instruments shared on a PostgreSQL server of the tests' own: the
// audit rows on the server, the local copy that serves (marked) while the server is stopped and
// refuses every edit, and one takeover of the settings' instrument for a whole team. Skipped,
// with the reason, where no server is installed.

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "history/instrument_register.h"
#include "history_test_support.h"
#include "support/pg_server.h"

namespace doxa::test {
namespace {

class InstrumentRegisterServer : public ::testing::Test {
protected:
    static void SetUpTestSuite() { server_ = new PgServer; }
    static void TearDownTestSuite() {
        delete server_;
        server_ = nullptr;
    }
    void SetUp() override {
        if (!server_->unavailable().empty()) GTEST_SKIP() << server_->unavailable();
        const std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        database_ = server_->newDatabase("i_" + name);
    }
    std::string localFile(const std::string& computer = "a") const {
        return (folder_.path() / (computer + ".sqlite")).string();
    }
    std::unique_ptr<HistoryInstrumentRegister> shared(const std::string& computer = "a") {
        return std::make_unique<HistoryInstrumentRegister>(database_, localFile(computer), time_.clock());
    }
    int onServer(const std::string& statement) { return runSql(database_, {statement}); }
    int inLocalFile(const std::string& statement) { return runSql(localFile(), {statement}); }

    static ReferenceInstrument decade() {
        ReferenceInstrument i;
        i.name = "Dekada rezystancyjna";
        i.serial = "D-17";
        i.due = "2026-06-30";
        i.uncertainties = {{0.01, "Ohm", 2}};
        return i;
    }

    static inline PgServer* server_ = nullptr;
    std::string database_;
    TempFolder folder_;
    TestClock time_;
};

TEST_F(InstrumentRegisterServer, EditsGoToTheServerWithTheirAuditRowsAndAReadRefreshesTheCopy) {
    const auto instruments = shared();
    const auto id = instruments->add(decade());
    ASSERT_TRUE(id) << instruments->lastProblem();
    ReferenceInstrument changed = decade();
    changed.id = *id;
    changed.due = "2027-06-30";
    ASSERT_TRUE(instruments->change(changed)) << instruments->lastProblem();
    EXPECT_EQ(onServer("SELECT count(*) FROM instrument_changes WHERE field = 'due' AND old_value = '2026-06-30' "
                       "AND new_value = '2027-06-30' AND time = '2025-03-01T09:00:00Z'"),
              1);
    // Name, serial, due and uncertainty when added; the due date once more.
    EXPECT_EQ(onServer("SELECT count(*) FROM instrument_changes"), 5);
    // An edit does not touch the copy; the next read does.
    EXPECT_FALSE(std::filesystem::exists(localFile()));

    ASSERT_EQ(instruments->instruments().size(), 1u);
    EXPECT_FALSE(instruments->fromLocalCopy());
    EXPECT_EQ(inLocalFile("SELECT count(*) FROM instrument_changes"), 5);
    EXPECT_EQ(inLocalFile("SELECT count(*) FROM instruments WHERE due = '2027-06-30'"), 1);
}

// A laboratory that kept its register in the local file moves to a server: reading the shared
// register does not wipe what the file held.
TEST_F(InstrumentRegisterServer, TheCopyKeepsTheInstrumentsTheLocalFileHeldBefore) {
    ReferenceInstrument own = decade();
    own.name = "Miernik własny";
    HistoryInstrumentRegister before("", localFile(), time_.clock());
    const auto ownId = before.add(own);
    ASSERT_TRUE(ownId);
    const auto instruments = shared();
    ASSERT_TRUE(instruments->add(decade()));
    ASSERT_TRUE(instruments->add(decade()));
    EXPECT_EQ(instruments->instruments().size(), 2u);
    EXPECT_EQ(inLocalFile("SELECT count(*) FROM instruments"), 3);
    EXPECT_EQ(inLocalFile("SELECT count(*) FROM instrument_changes WHERE instrument = '" + *ownId + "'"), 4);
    // Read again: the server's instruments once each.
    EXPECT_EQ(instruments->instruments().size(), 2u);
    EXPECT_EQ(inLocalFile("SELECT count(*) FROM instruments"), 3);
    EXPECT_EQ(inLocalFile("SELECT count(*) FROM instrument_changes"), 12);
}

TEST_F(InstrumentRegisterServer, WhileTheServerIsDownTheCopyServesMarkedAndEveryEditIsRefused) {
    const auto instruments = shared();
    const auto id = instruments->add(decade());
    ASSERT_TRUE(id);
    ASSERT_EQ(instruments->instruments().size(), 1u);

    ASSERT_TRUE(server_->stop());
    const auto listed = instruments->instruments();
    ASSERT_EQ(listed.size(), 1u);
    EXPECT_EQ(listed[0].name, "Dekada rezystancyjna");
    EXPECT_TRUE(instruments->fromLocalCopy());
    EXPECT_EQ(instruments->problem(), "");
    EXPECT_NE(instruments->lastProblem().find("kopia lokalna"), std::string::npos) << instruments->lastProblem();
    EXPECT_EQ(instruments->changes(*id).size(), 4u);

    ReferenceInstrument changed = listed[0];
    changed.due = "2030-01-01";
    EXPECT_FALSE(instruments->change(changed));
    EXPECT_NE(instruments->lastProblem().find("Zmiana nie została zapisana"), std::string::npos);
    EXPECT_NE(instruments->lastProblem().find("tylko do odczytu"), std::string::npos) << instruments->lastProblem();
    EXPECT_FALSE(instruments->add(decade()));
    EXPECT_FALSE(instruments->retire(*id));
    // Nothing was made only in the copy.
    EXPECT_EQ(inLocalFile("SELECT count(*) FROM instruments"), 1);
    EXPECT_EQ(inLocalFile("SELECT count(*) FROM instrument_changes"), 4);
    EXPECT_EQ(inLocalFile("SELECT count(*) FROM instruments WHERE due = '2030-01-01' OR retired = 1"), 0);

    // A computer that never read the register has no copy to serve.
    const auto other = shared("b");
    EXPECT_TRUE(other->instruments().empty());
    EXPECT_NE(other->problem().find("kopii lokalnej nie ma"), std::string::npos) << other->problem();

    ASSERT_TRUE(server_->start());
    ASSERT_TRUE(instruments->change(changed)) << instruments->lastProblem();
    EXPECT_EQ(instruments->instruments()[0].due, "2030-01-01");
    EXPECT_FALSE(instruments->fromLocalCopy());
    EXPECT_EQ(instruments->lastProblem(), "");
}

TEST_F(InstrumentRegisterServer, TheSettingsInstrumentIsTakenOverOnceForTheWholeTeam) {
    ReferenceInstrument first;
    first.name = "Kalibrator CX-9";
    ReferenceInstrument second;
    second.name = "Kalibrator innego stanowiska";
    const auto a = shared("a");
    const auto b = shared("b");
    a->takeOver(first);
    b->takeOver(second);
    ASSERT_EQ(a->instruments().size(), 1u);
    const auto seenByB = b->instruments();
    ASSERT_EQ(seenByB.size(), 1u);
    EXPECT_EQ(seenByB[0].name, "Kalibrator CX-9");
    EXPECT_EQ(onServer("SELECT count(*) FROM instrument_changes WHERE field = 'source'"), 1);

    // Retired by the team, it is not taken over again when a computer starts anew.
    ASSERT_TRUE(b->retire(seenByB[0].id));
    const auto c = shared("c");
    c->takeOver(first);
    EXPECT_TRUE(c->instruments().empty());
    EXPECT_EQ(onServer("SELECT count(*) FROM instruments"), 1);
}

}  // namespace
}  // namespace doxa::test
