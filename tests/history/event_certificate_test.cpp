#include <gtest/gtest.h>

#include <algorithm>

#include "history/event_canonical_form.h"
#include "history/event_certificate.h"
#include "history/sha256.h"
#include "support/event_records.h"
#include "support/fake_history.h"

namespace doxa::test {
namespace {

std::string field(const Certificate& c, std::string_view label) {
    for (const CertificateField& f : c.fields)
        if (f.label == label) return f.value;
    return "(none)";
}

TEST(Sha256, MatchesThePublishedExamples) {
    // FIPS 180-4's examples: one block, two blocks, and the empty message.
    EXPECT_EQ(sha256Hex("abc"), "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
    EXPECT_EQ(sha256Hex("abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq"),
              "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1");
    EXPECT_EQ(sha256Hex(""), "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");
}

TEST(EventCanonicalForm, IsTheDocumentedTextWhateverTheOrderAndChangesWithAnyStoredValue) {
    StoredRecord s{"2026-12-07T10:00:00Z", "jan", {}};
    s.record.kind = RecordKind::CalibrationEnd;
    s.record.outcome = RecordOutcome::NotConfirmed;
    s.record.model = "DOXA-22";
    s.record.serial = 1193046;
    s.record.line = "COM2:1200,o,8,1";
    s.record.event = "e1";
    s.record.asLeft = {{"end", std::string("interrupted")}, {"reason", std::string("przerwano\nprzez \\ technika")},
                       {"readings", 0.1}};
    StoredRecord other = s;
    other.record.event = "e2";
    EXPECT_EQ(canonicalEventText("e1", {other, s}),
              "doxa-calibration-event 1\n"
              "event=e1\n"
              "record\n"
              "time=2026-12-07T10:00:00Z\n"
              "user=jan\n"
              "kind=calibration_end\n"
              "outcome=not_confirmed\n"
              "model=DOXA-22\n"
              "serial=1193046\n"
              "address=0\n"
              "rs485=0\n"
              "line=COM2:1200,o,8,1\n"
              "device=\n"
              "backup=\n"
              "refusal=\n"
              "as_left.end=t:interrupted\n"
              "as_left.reason=t:przerwano\\nprzez \\\\ technika\n"
              "as_left.readings=n:0.1\n");

    const std::vector<StoredRecord> records = pt100EventRecords("e1");
    std::vector<StoredRecord> reversed(records.rbegin(), records.rend());
    const std::string code = verificationCode("e1", records);
    EXPECT_EQ(code.size(), 64u);
    EXPECT_EQ(verificationCode("e1", reversed), code);
    EXPECT_EQ(code, sha256Hex(canonicalEventText("e1", records)));
    // A reading changed in its last digit, a record left out: another code.
    std::vector<StoredRecord> changed = records;
    std::get<double>(changed[2].record.asFound[0].second) += 1e-9;
    EXPECT_NE(verificationCode("e1", changed), code);
    changed = records;
    changed.pop_back();
    EXPECT_NE(verificationCode("e1", changed), code);
}

TEST(EventCertificate, NextCalibrationIsTheIntervalInCalendarMonths) {
    EXPECT_EQ(addMonths("2026-12-07", 12), "2027-12-07");
    EXPECT_EQ(addMonths("2026-01-31", 1), "2026-02-28");
    EXPECT_EQ(addMonths("2024-01-31", 1), "2024-02-29");
    EXPECT_EQ(addMonths("2026-11-30", 3), "2027-02-28");
    EXPECT_EQ(addMonths("2026-12-07", 6), "2027-06-07");
}

class EventCertificateContent : public ::testing::Test {
protected:
    FakeHistory history;
};

TEST_F(EventCertificateContent, PrintsTheWholeEventFromItsRecords) {
    std::vector<StoredRecord> records = pt100EventRecords();
    std::ranges::reverse(records);  // newest first, as the history lists them
    const Certificate c = makeEventCertificate(records, {}, history);
    EXPECT_EQ(field(c, "Numer świadectwa"), "PROJEKT — bez numeru");
    EXPECT_EQ(field(c, "Data kalibracji"), "07.12.2026");
    EXPECT_EQ(field(c, "Data wystawienia"), "—");
    EXPECT_EQ(field(c, "Następna kalibracja"), "07.12.2027");
    EXPECT_EQ(field(c, "Klient / zakład"), "Ciepłownia Północ");
    EXPECT_EQ(field(c, "Oznaczenie (tag)"), "TT-101");
    EXPECT_EQ(field(c, "Przetwornik"), "DOXA-22, nr ser. 1193046");
    EXPECT_EQ(field(c, "Warunki otoczenia"), "23,400 °C, wilgotność 41,000 %");
    EXPECT_EQ(field(c, "Przyrząd wzorcowy"), "Kalibrator K-1, nr ser. A123, świadectwo LW/2026/17, ważne do 31.03.2027");
    EXPECT_EQ(field(c, "Przebieg kalibracji"), "zakończona");
    EXPECT_EQ(field(c, "Wynik ogólny"), "zgodny");
    EXPECT_EQ(field(c, "Wykonał"), "Anna Nowak");
    EXPECT_EQ(field(c, "Wersja programu"), "7.0.32");
    EXPECT_EQ(field(c, "Reguła decyzyjna"), std::string(DecisionRule));
    EXPECT_EQ(field(c, "Kod weryfikacyjny"), verificationCode("0123456789abcdef0123456789abcdef", records));
    EXPECT_EQ(c.eventId, "0123456789abcdef0123456789abcdef");

    ASSERT_EQ(c.tables.size(), 2u);
    EXPECT_EQ(c.tables[0].title, "Stan zastany");
    EXPECT_EQ(c.tables[1].title, "Stan pozostawiony");
    ASSERT_EQ(c.tables[0].rows.size(), 3u);
    ASSERT_EQ(c.tables[1].rows.size(), 3u);
    // 138.51 Ohm is 100.0119 °C (IEC 60751: 138.5055 Ohm at 100 °C, 0.37928 Ohm/°C there); read
    // 100.16 °C: +0.148 °C, which is 138.5662 Ohm, +0.056 Ohm. U: 0.0075 Ohm / 0.37928 =
    // 0.01977 °C, s/√2 = 0.01 °C, half a digit 0.00289 °C: u = 0.02235, U = 0.045 °C.
    EXPECT_EQ(c.tables[0].rows[1], (std::vector<std::string>{"Wejście 100 %", "138,510 Ohm", "100,160 °C", "+0,148 °C",
                                                             "±0,100 °C", "0,045 °C", "niezgodny", "+0,056 Ohm"}));
    // 12.02 mA against 12 mA driven: +0.020 mA over ±0.016; on 0..100 °C it is +0.125 °C. U: the
    // meter's 0.001 mA and half its digit, 0.000289 mA: 2 · 0.00104 = 0.002 mA.
    EXPECT_EQ(c.tables[0].rows[2], (std::vector<std::string>{"Wyjście 50 %", "12,000 mA", "12,020 mA", "+0,020 mA",
                                                             "±0,016 mA", "0,002 mA", "niezgodny", "+0,125 °C"}));
    EXPECT_EQ(c.tables[1].rows[1][3], "-0,002 °C");
    EXPECT_EQ(c.tables[1].rows[1][6], "zgodny");
    EXPECT_EQ(c.tables[1].rows[2][6], "zgodny");
    ASSERT_EQ(c.notes.size(), 1u);
    EXPECT_EQ(c.notes[0], "Regulacja 10:20:00: Kalibracja wejścia — potwierdzone");
}

TEST_F(EventCertificateContent, AnInterruptedRunIsCertifiedAsInterruptedFromWhatItRecorded) {
    const Certificate c = makeEventCertificate(pt100EventRecords("e9", false), {"ŚK/2026/000123", "2026-12-08"}, history);
    EXPECT_EQ(field(c, "Przebieg kalibracji"), "PRZERWANA");
    EXPECT_EQ(field(c, "Numer świadectwa"), "ŚK/2026/000123");
    EXPECT_EQ(field(c, "Data wystawienia"), "08.12.2026");
    // Judged on what was found, one point outside fails it.
    EXPECT_EQ(field(c, "Wynik ogólny"), "niezgodny");
    ASSERT_EQ(c.tables.size(), 2u);
    EXPECT_EQ(c.tables[0].rows.size(), 3u);
    EXPECT_TRUE(c.tables[1].rows.empty());
}

TEST_F(EventCertificateContent, ARunWithoutAdjustmentSaysSo) {
    std::vector<StoredRecord> records = pt100EventRecords("e3");
    std::erase_if(records, [](const StoredRecord& s) { return s.record.kind == RecordKind::CalibrationInput; });
    ServiceRecord end = records.back().record;
    end.asLeft.clear();
    records.back().record = endRecord(end, {true, false, ""});
    const Certificate c = makeEventCertificate(records, {}, history);
    ASSERT_EQ(c.notes.size(), 1u);
    EXPECT_EQ(c.notes[0], "Bez regulacji");
}

TEST_F(EventCertificateContent, TheSessionOfAnEventsRecordIsTheWholeEventAcrossDays) {
    std::vector<StoredRecord> records = pt100EventRecords("e4");
    records.back().time = "2026-12-08T00:10:00Z";  // the end past midnight
    StoredRecord stranger = records[1];
    stranger.record.event = "e5";
    records.push_back(stranger);
    const auto session = calibrationSession(records, records[2], history);
    EXPECT_EQ(session.size(), records.size() - 1);
    EXPECT_TRUE(std::ranges::all_of(session, [](const StoredRecord& s) { return s.record.event == "e4"; }));
}

}  // namespace
}  // namespace doxa::test
