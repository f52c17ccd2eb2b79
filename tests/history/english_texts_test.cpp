// The calibration and history texts composed at run time, as the technician reads them in
// English: each is found again in the translation part by part, data and numbers kept as they are.

#include <gtest/gtest.h>

#include <algorithm>

#include "calibration/calib_procedure.h"
#include "history/event_certificate.h"
#include "history/history_dlg.h"
#include "settings/shown_language.h"
#include "support/event_records.h"
#include "support/fake_history.h"
#include "support/fake_window.h"
#include "support/virtual_clock.h"

namespace doxa::test {
namespace {

using Texts = std::vector<std::string>;

Texts shown(const Texts& polish) {
    Texts english;
    std::ranges::transform(polish, std::back_inserter(english), [](const std::string& t) { return shownText(t); });
    return english;
}

class InEnglish : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(startLanguage(Language::English)); }
    void TearDown() override { startLanguage(Language::Polish); }
};

TEST_F(InEnglish, AProcedurePointsLineKeepsItsValuesAndReadsInEnglish) {
    const CalibrationConditions c = pt100EventConditions();
    CalibrationPoint point{CalibrationPhase::AsFound, CalibrationChannel::Input, 100, 138.51, {100.15, 100.17}, {}};
    point.result = judgePoint(c, point);
    const std::string polish = calibration::pointLine(point, c);
    EXPECT_EQ(polish,
              "Stan zastany, wejście 100 %: wzorzec 138.510 Ohm, odczyt 100.160 °C (rozrzut 0.020), "
              "błąd +0.148 °C (+0.056 Ohm) – niezgodny");
    EXPECT_EQ(shownText(polish),
              "As found, input 100 %: reference 138.510 Ohm, reading 100.160 °C (spread 0.020), "
              "error +0.148 °C (+0.056 Ohm) – fail");

    CalibrationPoint unread{CalibrationPhase::AsLeft, CalibrationChannel::Output, 50, 12.0, {}, {}};
    unread.result = judgePoint(c, unread);
    EXPECT_EQ(shownText(calibration::pointLine(unread, c)),
              "As left, output 50 %: reference 12.000 mA – no readings");
}

TEST_F(InEnglish, TheEventCertificateReadsInEnglishItsCodeAndDataUnchanged) {
    FakeHistory history;
    const Certificate c = makeEventCertificate(pt100EventRecords(), {}, history);
    Texts fields;
    for (const CertificateField& f : c.fields)
        if (f.label != "Kod weryfikacyjny") fields.push_back(shownText(f.label) + ": " + shownText(f.value));
    EXPECT_EQ(fields, (Texts{
                          "Certificate number: DRAFT — no number",
                          "Calibration date: 07.12.2026",
                          "Date of issue: —",
                          "Next calibration: 07.12.2027",
                          "Customer / site: Ciepłownia Północ",
                          "Tag: TT-101",
                          "Transmitter: DOXA-22, serial no. 1193046",
                          "Sensor, range: pt100-385, 0,000 … 100,000 °C",
                          "Output: 4,000 … 20,000 mA",
                          "Ambient conditions: 23,400 °C, humidity 41,000 %",
                          "Reference instrument: Kalibrator K-1, serial no. A123, certificate LW/2026/17, "
                          "valid until 31.03.2027",
                          "Calibration run: finished",
                          "Overall result: pass",
                          "Decision rule: simple acceptance: pass when |error| ≤ tolerance",
                          "Performed by: Anna Nowak",
                          "Program version: 7.0.32",
                      }));
    ASSERT_EQ(c.tables.size(), 2u);
    EXPECT_EQ(shownText(c.tables[0].title), "As found");
    EXPECT_EQ(shown(c.tables[0].headings), (Texts{"Point", "Reference", "Reading", "Error", "Tolerance", "U (k=2)",
                                                  "Verdict", "Error (other unit)"}));
    EXPECT_EQ(shown(c.tables[0].rows[2]), (Texts{"Output 50 %", "12,000 mA", "12,020 mA", "+0,020 mA", "±0,016 mA",
                                                 "0,002 mA", "fail", "+0,125 °C"}));
    EXPECT_EQ(shown(c.notes), (Texts{"Adjustment 10:20:00: Input calibration — confirmed"}));
}

TEST_F(InEnglish, TheHistoryListsCellsInEnglishLikeTheirHeader) {
    VirtualClock clock;
    FakeHistory history;
    StoredRecord calibration{"2025-03-02T11:00:00Z", "jan", {}};
    calibration.record.kind = RecordKind::CalibrationInput;
    calibration.record.outcome = RecordOutcome::Refused;
    calibration.record.model = "DOXA-22";
    calibration.record.serial = 100;
    calibration.record.asFound = {{"zero", 0.12}};
    StoredRecord unreadable = calibration;
    unreadable.time = "2025-03-01T10:00:00Z";
    unreadable.unreadable = {{"kind", "calibration_x"}};
    history.stored = {calibration, unreadable};
    QueuedRunner runner{history};
    CHistoryDlg logic{history, runner, [](std::string_view) { return std::string(); }};
    FakeWindow window{logic, clock};
    ASSERT_TRUE(window.open());
    runner.runAll();
    clock.advance(CHistoryDlg::AnswerPollMs);

    EXPECT_EQ(shown(window.items(CHistoryDlg::Transmitters)), (Texts{"DOXA-22   no. 100   2025-03-02 11:00:00"}));
    EXPECT_EQ(shown(window.items(CHistoryDlg::Records)),
              (Texts{"2025-03-02 11:00:00   Input calibration   refused   zero=0.12 → -",
                     "2025-03-01 10:00:00   [unreadable: \"calibration_x\"]   refused   zero=0.12 → -"}));
}

TEST(InPolish, TheTextsStayAsTheLogicWroteThem) {
    ASSERT_TRUE(startLanguage(Language::Polish));
    EXPECT_EQ(shownText("2025-03-02 11:00:00   Kalibracja wejścia   odrzucone   zero=0.12 → -"),
              "2025-03-02 11:00:00   Kalibracja wejścia   odrzucone   zero=0.12 → -");
}

}  // namespace
}  // namespace doxa::test
