// What the calibration dialogs leave in the service history: a step counts as done only when
// the transmitter confirmed it or a reading shows it; the values typed are kept as the reference.

#include <gtest/gtest.h>

#include "calibration/calib_dlg.h"
#include "calibration/dialog_session.h"
#include "calibration/factory_data_dlg.h"
#include "calibration/output_current_dlg.h"
#include "support/fake_recorder.h"

namespace doxa::test {
namespace {

using D = CCalibrationDlg;
using O = COutputCurrentDlg;

template <typename Dialog, typename... Args>
struct Recorded : DialogSession<Dialog> {
    explicit Recorded(bool rs485, Args... args)
        : DialogSession<Dialog>(sim::Model::Doxa22, rs485, args...) {
        this->sim.station.recorder = &recorder;
    }
    FakeRecorder recorder;
};

struct Calibration : Recorded<CCalibrationDlg, std::function<void()>> {
    explicit Calibration(bool rs485) : Recorded(rs485, [] {}) {}
};

struct CompensationCase {
    const char* name;
    bool rs485;
    std::function<void(sim::Transmitter&)> arm;
    RecordOutcome outcome;
};

// 25.5 typed over a reading of 24.5: found 24.5, left 25.5, whether the answer to the write came
// or a reading showed the correction in place; a correction never taken is not left.
TEST(CalibrationRecord, CompensationKeepsTheReadingBeforeAndAfterAndTheTemperatureTyped) {
    std::vector<CompensationCase> cases;
    for (const bool rs485 : {false, true}) {
        cases.push_back({"confirmed", rs485, [](sim::Transmitter&) {}, RecordOutcome::Confirmed});
        cases.push_back({"answer lost", rs485,
                         [](sim::Transmitter& t) { t.faults.lostWriteAnswers = 2; },
                         RecordOutcome::Confirmed});
        cases.push_back({"never taken", rs485,
                         [](sim::Transmitter& t) { t.faults.loseCalibration.probability = 1; },
                         RecordOutcome::NotConfirmed});
    }
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.rs485 ? "RS485, " : "HART, ") + c.name);
        Calibration cal(c.rs485);
        cal.sim.device().ambient = 24.5f;
        ASSERT_TRUE(cal.open());
        ASSERT_TRUE(cal.press(D::ReadAmbient));
        c.arm(*cal.sim.transmitter);
        cal.window.type(D::Ambient, "25.5");
        ASSERT_TRUE(cal.press(D::CalibrateAmbient));

        const auto records = cal.recorder.ofKind(RecordKind::CalibrationCompensation);
        ASSERT_EQ(records.size(), 1u);
        const ServiceRecord& r = records.front();
        EXPECT_EQ(r.outcome, c.outcome);
        EXPECT_EQ(r.rs485, c.rs485);
        EXPECT_EQ(numberOf(r.asFound, "ambient"), 24.5);
        EXPECT_EQ(numberOf(r.reference, "ambient"), 25.5);
        if (c.outcome == RecordOutcome::Confirmed) {
            ASSERT_TRUE(numberOf(r.asLeft, "ambient"));
            EXPECT_NEAR(*numberOf(r.asLeft, "ambient"), 25.5, 1e-4);
        } else {
            EXPECT_TRUE(r.asLeft.empty());
        }
    }
}

TEST(CalibrationRecord, ATakenInputPointKeepsItsReference) {
    for (const bool rs485 : {false, true}) {
        SCOPED_TRACE(rs485);
        Calibration cal(rs485);
        ASSERT_TRUE(cal.open());
        ASSERT_TRUE(cal.press(D::InputHigh));
        const auto records = cal.recorder.ofKind(RecordKind::CalibrationInput);
        ASSERT_EQ(records.size(), 1u);
        EXPECT_EQ(records[0].outcome, RecordOutcome::Confirmed);
        EXPECT_EQ(textOf(records[0].asLeft, "point"), "upper");
        EXPECT_EQ(textOf(records[0].reference, "input"), "300 Ohm");
    }
}

// A point the transmitter confirmed is left with the value measured; an RS485 point never
// confirmed is recorded as not confirmed, never as left.
TEST(CalibrationRecord, AnOutputPointIsLeftOnlyWhenConfirmed) {
    for (const bool lost : {false, true}) {
        SCOPED_TRACE(lost ? "lost" : "confirmed");
        Calibration cal(true);
        ASSERT_TRUE(cal.open());
        ASSERT_TRUE(cal.press(D::DriveLow));
        if (lost) cal.sim.transmitter->faults.loseCalibration.probability = 1;
        cal.window.type(D::Point1, "5.62");
        ASSERT_TRUE(cal.press(D::CalibratePoint1));
        const auto records = cal.recorder.ofKind(RecordKind::CalibrationOutput);
        ASSERT_EQ(records.size(), 1u);
        EXPECT_EQ(records[0].outcome, lost ? RecordOutcome::NotConfirmed : RecordOutcome::Confirmed);
        EXPECT_EQ(textOf(records[0].asLeft, "point"),
                  lost ? std::nullopt : std::optional<std::string>("lower"));
        EXPECT_EQ(numberOf(records[0].reference, "measured"), double{5.62f});
        // The DOXA output is driven to 5.6 mA for the lower point.
        EXPECT_EQ(numberOf(records[0].asFound, "output"), double{5.6f});
    }
}

TEST(CalibrationRecord, AForcedOutputIsLeftWhenConfirmedAndItsReleaseIsKept) {
    for (const int losses : {0, 3}) {
        SCOPED_TRACE(losses);
        Recorded<COutputCurrentDlg> o(true);
        ASSERT_TRUE(o.open());
        o.sim.transmitter->faults.lostWriteAnswers = losses;
        o.window.type(O::Value, "12.5");
        ASSERT_TRUE(o.press(O::Set));
        auto records = o.recorder.ofKind(RecordKind::ForcedOutput);
        ASSERT_EQ(records.size(), 1u);
        EXPECT_EQ(records[0].outcome,
                  losses ? RecordOutcome::NotConfirmed : RecordOutcome::Confirmed);
        EXPECT_EQ(numberOf(records[0].asLeft, "output"),
                  losses ? std::nullopt : std::optional<double>(12.5));
        EXPECT_EQ(numberOf(records[0].reference, "output"), 12.5);
    }
    Recorded<COutputCurrentDlg> o(false);
    ASSERT_TRUE(o.open());
    o.window.type(O::Value, "20.5");
    ASSERT_TRUE(o.press(O::Set));
    ASSERT_TRUE(o.press(O::Release));
    const auto records = o.recorder.ofKind(RecordKind::ForcedOutput);
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(numberOf(records[0].asLeft, "output"), 20.5);
    EXPECT_EQ(textOf(records[1].asLeft, "forced"), "released");
    EXPECT_EQ(records[1].outcome, RecordOutcome::Confirmed);
}

TEST(CalibrationRecord, FactoryDataIsRecordedOnceTheCopyIsConfirmed) {
    Recorded<CFactoryDataDlg> f(false);
    ASSERT_TRUE(f.window.open());
    ASSERT_TRUE(f.settle());
    const auto records = f.recorder.ofKind(RecordKind::FactoryData);
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].outcome, RecordOutcome::Confirmed);
    EXPECT_EQ(textOf(records[0].asLeft, "calibration_data"), "factory");
}

}  // namespace
}  // namespace doxa::test
