// Calibration events in temporary SQLite files: an event's records listed together, wherever they
// wait, the calibrations due read from the file, and certificate numbers: one per event, counted
// per year, given again to an event numbered before, and refused while the event's records wait
// for the database. Numbering on a server, by programs at once, is in history_server_test.

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>

#include "history/calibration_due.h"
#include "history/history_store.h"
#include "history_test_support.h"
#include "support/sim_process.h"

namespace doxa {
namespace {

using namespace std::chrono_literals;

ServiceRecord ofEvent(const std::string& event, RecordKind kind = RecordKind::CalibrationConditions) {
    ServiceRecord r = test::compensation(4242);
    r.kind = kind;
    r.event = event;
    return r;
}

class CalibrationEvents : public ::testing::Test {
protected:
    std::string file() const { return (folder_.path() / "history.sqlite").string(); }

    test::TempFolder folder_;
    test::TestClock time_;
};

TEST_F(CalibrationEvents, EachEventGetsTheNextNumberOfItsYearAndKeepsIt) {
    HistoryStore store(file(), time_.clock());
    store.record(ofEvent("ev-a"));
    store.record(ofEvent("ev-a", RecordKind::CalibrationPoint));
    store.record(ofEvent("ev-b"));

    const CertificateNumbering a = store.numberCertificate("ev-a", "CODE-A");
    ASSERT_TRUE(a.certificate) << a.whyNone;
    EXPECT_EQ(a.certificate->number, "ŚK/2025/000001");
    EXPECT_FALSE(a.codeDiffers);
    const CertificateNumbering b = store.numberCertificate("ev-b", "CODE-B");
    ASSERT_TRUE(b.certificate) << b.whyNone;
    EXPECT_EQ(b.certificate->number, "ŚK/2025/000002");

    // A reprint: the same number, and whether it was printed with the same code.
    time_.now += 24h * 40;
    const CertificateNumbering again = store.numberCertificate("ev-a", "CODE-A");
    ASSERT_TRUE(again.certificate);
    EXPECT_EQ(again.certificate->number, "ŚK/2025/000001");
    EXPECT_EQ(again.certificate->issued, "2025-03-01T09:00:00Z") << "issued when first numbered";
    EXPECT_FALSE(again.codeDiffers);
    EXPECT_TRUE(store.numberCertificate("ev-a", "CODE-CHANGED").codeDiffers);

    const auto found = store.certificate("ŚK/2025/000002");
    ASSERT_TRUE(found);
    EXPECT_EQ(found->event, "ev-b");
    EXPECT_EQ(found->code, "CODE-B");
    EXPECT_EQ(found->user, computerUser());
    EXPECT_FALSE(store.certificate("ŚK/2025/000003"));
    EXPECT_EQ(store.problem(), "");
    EXPECT_EQ(test::runSql(file(), {"SELECT count(*) FROM certificates"}), 2);
}

// The counter of a year goes on from what it holds; a new year starts at 1.
TEST_F(CalibrationEvents, TheCounterGoesOnWithinTheYearAndStartsAgainInTheNext) {
    HistoryStore store(file(), time_.clock());
    store.record(ofEvent("ev-2025"));
    time_.now = std::chrono::sys_days(std::chrono::year(2026) / 6 / 15) + 12h;
    store.record(ofEvent("ev-2026"));
    store.record(ofEvent("ev-2026-b"));
    test::runSql(file(), {"INSERT INTO certificate_counters (year, last) VALUES (2026, 122)"});

    EXPECT_EQ(store.numberCertificate("ev-2026", "X").certificate.value_or(IssuedCertificate{}).number,
              "ŚK/2026/000123");
    // Numbered in 2026, it counts in the year it was calibrated.
    EXPECT_EQ(store.numberCertificate("ev-2025", "X").certificate.value_or(IssuedCertificate{}).number,
              "ŚK/2025/000001");
    EXPECT_EQ(store.numberCertificate("ev-2026-b", "X").certificate.value_or(IssuedCertificate{}).number,
              "ŚK/2026/000124");
    EXPECT_EQ(certificateNumberText(2027, 1234567), "ŚK/2027/1234567");
}

TEST_F(CalibrationEvents, AnEventWithoutRecordsOrWithoutAnIdGetsNoNumber) {
    HistoryStore store(file(), time_.clock());
    store.record(ofEvent("ev-a"));
    for (const std::string event : {"", "ev-unknown"}) {
        const CertificateNumbering none = store.numberCertificate(event, "X");
        EXPECT_FALSE(none.certificate) << event;
        EXPECT_NE(none.whyNone, "") << event;
    }
    EXPECT_EQ(test::runSql(file(), {"SELECT count(*) FROM certificate_counters"}), 0) << "no number taken";
}

// While one record of the event waits for the database, the certificate is a draft; once the
// database has them all, it is numbered there.
TEST_F(CalibrationEvents, AnEventWithARecordWaitingForTheDatabaseGetsItsNumberOnceDelivered) {
    const std::filesystem::path shared = folder_.path() / "shared" / "history.sqlite";
    const std::filesystem::path local = folder_.path() / "local.sqlite";
    {
        HistoryStore store(shared.string(), local.string(), time_.clock());
        store.record(ofEvent("ev-a"));
        ASSERT_EQ(store.waiting(), 0u) << store.problem();
    }
    std::filesystem::rename(shared.parent_path(), folder_.path() / "away");
    std::ofstream(shared.parent_path()) << "in the way";
    {
        HistoryStore store(shared.string(), local.string(), time_.clock());
        store.record(ofEvent("ev-a", RecordKind::CalibrationEnd));
        ASSERT_EQ(store.waiting(), 1u);
        const CertificateNumbering draft = store.numberCertificate("ev-a", "X");
        EXPECT_FALSE(draft.certificate);
        EXPECT_NE(draft.whyNone, "");
    }
    std::filesystem::remove(shared.parent_path());
    std::filesystem::rename(folder_.path() / "away", shared.parent_path());
    // The database is back but the record still waits in the local file: it goes first.
    HistoryStore store(shared.string(), local.string(), time_.clock());
    const CertificateNumbering numbered = store.numberCertificate("ev-a", "X");
    ASSERT_TRUE(numbered.certificate) << numbered.whyNone;
    EXPECT_EQ(numbered.certificate->number, "ŚK/2025/000001");
    EXPECT_EQ(test::runSql(shared.string(), {"SELECT count(*) FROM certificates"}), 1);
    EXPECT_EQ(test::runSql(local.string(), {"SELECT count(*) FROM certificates"}), 0);
}

// The event's records come together, those waiting for the database among them; the due list
// reads the conditions and ends alone.
TEST_F(CalibrationEvents, AnEventsRecordsAreListedTogetherAndGiveTheDueDate) {
    const std::filesystem::path shared = folder_.path() / "shared" / "history.sqlite";
    const std::filesystem::path local = folder_.path() / "local.sqlite";
    HistoryStore store(shared.string(), local.string(), time_.clock());
    ServiceRecord conditions = ofEvent("ev-a");
    conditions.reference = {{"interval_months", 6.0}};
    store.record(conditions);
    store.record(ofEvent("ev-a", RecordKind::CalibrationPoint));
    store.record(test::compensation(4242));
    store.record(ofEvent("ev-b"));
    ASSERT_TRUE(store.keepInLocalFile(store.stamped(ofEvent("ev-a", RecordKind::CalibrationEnd))));
    ASSERT_EQ(store.waiting(), 1u);

    std::vector<RecordKind> kinds;
    for (const StoredRecord& s : store.records({.event = "ev-a"})) kinds.push_back(s.record.kind);
    EXPECT_EQ(kinds, (std::vector<RecordKind>{RecordKind::CalibrationEnd, RecordKind::CalibrationPoint,
                                              RecordKind::CalibrationConditions}));
    EXPECT_EQ(store.records({.kinds = {RecordKind::CalibrationConditions}}).size(), 2u);

    const auto due = calibrationsDue(store, {}, {std::chrono::year(2025) / 9 / 1, 0, 12});
    ASSERT_EQ(due.size(), 1u) << store.problem();
    EXPECT_EQ(dateText(due[0].due), "2025-09-01");
    EXPECT_EQ(due[0].transmitter.serial, 4242);
}

}  // namespace
}  // namespace doxa
