// What the calibration dialogs leave in the service history: a step counts as done only when
// the transmitter confirmed it or a reading shows it; the values typed are kept as the reference.

#include <gtest/gtest.h>

#include "calibration/calib_dlg.h"
#include "calibration/calib_wizard_dlg.h"
#include "calibration/dialog_session.h"
#include "calibration/factory_data_dlg.h"
#include "calibration/output_current_dlg.h"
#include "support/fake_recorder.h"
#include "transmitter/code_tables.h"

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
        cal.sim.device().ambient = 24.3f;
        ASSERT_TRUE(cal.open());
        ASSERT_TRUE(cal.press(D::ReadAmbient));
        c.arm(*cal.sim.transmitter);
        cal.window.type(D::Ambient, "25.7");
        ASSERT_TRUE(cal.press(D::CalibrateAmbient));

        const auto records = cal.recorder.ofKind(RecordKind::CalibrationCompensation);
        ASSERT_EQ(records.size(), 1u);
        const ServiceRecord& r = records.front();
        EXPECT_EQ(r.outcome, c.outcome);
        EXPECT_EQ(r.rs485, c.rs485);
        // Kept as the decimals read and typed, not as their single-precision neighbours.
        EXPECT_EQ(numberOf(r.asFound, "ambient"), 24.3);
        EXPECT_EQ(numberOf(r.reference, "ambient"), 25.7);
        if (c.outcome == RecordOutcome::Confirmed) {
            ASSERT_TRUE(numberOf(r.asLeft, "ambient"));
            EXPECT_EQ(numberOf(r.asLeft, "ambient"), 25.7);
        } else {
            EXPECT_TRUE(r.asLeft.empty());
        }
    }
}

// The simulated transmitter reads its input as set; a reference point it takes makes it read
// that input as the reference from then on.
struct InputCalibration : Calibration {
    InputCalibration(bool rs485, std::uint8_t sensor) : Calibration(rs485) {
        sim.device().sensorCode = sensor;
        sim.station.device.sensorType = sensor;
        sim.station.device.unitCode = sensor == 0 ? UnitOhm : UnitMilliVolt;  // as identification reads it
    }
    // "Odczytaj" of the input group, until its answer has been shown.
    bool readInput() {
        window.click(D::ReadInput);
        return sim.clock.advanceUntil([&] { return !window.timerRunning(calibration::InputReading::Timer); }, 5000, 1);
    }
    std::vector<ServiceRecord> inputRecords() const { return recorder.ofKind(RecordKind::CalibrationInput); }
};

// Read at 300.12 Ohm, the upper point taken, read again at 300.00: one record, written when the
// reading after has come, found and left at the readings in the unit the transmitter named.
TEST(CalibrationRecord, AnInputPointIsFoundAndLeftAtTheReadingsBeforeAndAfterIt) {
    struct Case {
        bool rs485;
        std::uint8_t sensor;
        float input;
        double found;
        int button;
        const char* point;
        const char* shown;
        double reference;
        const char* unit;
    };
    for (const Case& t : {Case{false, 0, 300.12f, 300.12, D::InputHigh, "upper", "300.12 Ohm", 300, "Ohm"},
                          Case{true, 0, 300.12f, 300.12, D::InputHigh, "upper", "300.12 Ohm", 300, "Ohm"},
                          Case{false, 3, 0.05f, 0.05, D::InputLow, "lower", "0.05 mV", 0, "mV"}}) {
        SCOPED_TRACE(std::string(t.rs485 ? "RS485 " : "HART ") + t.unit);
        InputCalibration cal(t.rs485, t.sensor);
        cal.sim.device().input = t.input;
        ASSERT_TRUE(cal.open());
        ASSERT_TRUE(cal.readInput());
        EXPECT_EQ(cal.text(D::InputValue), t.shown);
        ASSERT_TRUE(cal.press(t.button));
        EXPECT_EQ(cal.text(D::Status), "Dana zapisana");
        EXPECT_TRUE(cal.inputRecords().empty());  // waiting for the reading after
        ASSERT_TRUE(cal.readInput());

        const auto records = cal.inputRecords();
        ASSERT_EQ(records.size(), 1u);
        const ServiceRecord& r = records[0];
        EXPECT_EQ(r.outcome, RecordOutcome::Confirmed);
        EXPECT_EQ(r.rs485, t.rs485);
        EXPECT_EQ(numberOf(r.reference, "input"), t.reference);
        EXPECT_EQ(textOf(r.reference, "unit"), t.unit);
        EXPECT_EQ(numberOf(r.asFound, "input"), t.found);  // the decimal the reading stands for
        EXPECT_EQ(textOf(r.asFound, "unit"), t.unit);
        EXPECT_EQ(textOf(r.asLeft, "point"), t.point);
        ASSERT_TRUE(numberOf(r.asLeft, "input"));
        EXPECT_NEAR(*numberOf(r.asLeft, "input"), t.reference, 1e-4);
        EXPECT_EQ(textOf(r.asLeft, "unit"), t.unit);

        // Later readings belong to no point already written.
        ASSERT_TRUE(cal.readInput());
        cal.window.end(ResultCancel);
        EXPECT_EQ(cal.inputRecords().size(), 1u);
    }
}

// A point whose reading before or after never came is written without it when the dialog
// ends, however it ends; a reading without an answer gives nothing.
TEST(CalibrationRecord, AnInputPointKeepsOnlyTheReadingsThatCame) {
    struct Case {
        const char* name;
        bool readBefore;
        bool answerAfter;
        std::function<void(InputCalibration&)> close;
    };
    const auto zamknij = [](InputCalibration& cal) { ASSERT_TRUE(cal.press(D::Close)); };
    const auto closeBox = [](InputCalibration& cal) { cal.window.close(); };
    for (const Case& t : {Case{"read before, Zamknij", true, true, zamknij},
                          Case{"never read, close box", false, true, closeBox},
                          Case{"no answer after, Zamknij", true, false, zamknij}}) {
        SCOPED_TRACE(t.name);
        InputCalibration cal(false, 0);
        cal.sim.device().input = 100.3f;
        ASSERT_TRUE(cal.open());
        if (t.readBefore) {
            ASSERT_TRUE(cal.readInput());
        }
        ASSERT_TRUE(cal.press(D::InputLow));
        if (!t.answerAfter) {
            cal.sim.transmitter->faults.drop.onRequest = cal.sim.transmitter->requestCount() + 1;
            ASSERT_TRUE(cal.readInput());
            EXPECT_EQ(cal.text(D::InputValue), " ");
        }
        EXPECT_TRUE(cal.inputRecords().empty());
        t.close(cal);
        ASSERT_TRUE(cal.window.ended());

        const auto records = cal.inputRecords();
        ASSERT_EQ(records.size(), 1u);
        EXPECT_EQ(records[0].outcome, RecordOutcome::Confirmed);
        EXPECT_EQ(numberOf(records[0].reference, "input"), 100);
        if (t.readBefore)
            EXPECT_NEAR(numberOf(records[0].asFound, "input").value_or(0), 100.3, 1e-4);
        else
            EXPECT_TRUE(records[0].asFound.empty());
        EXPECT_EQ(records[0].asLeft, (RecordValues{{"point", std::string("lower")}}));
    }
}

// Each point gets the readings of its own reference. The reading that left a point was taken
// with that point's reference: it is what a repeat of the same point found, never what another
// point found (its reference had to be set first). A point not read after is written as soon as
// the next one is taken.
TEST(CalibrationRecord, InputPointsInARowEachGetTheirOwnReadings) {
    InputCalibration cal(false, 0);
    const auto store = [&cal](int button, std::size_t recordsThen) {
        ASSERT_TRUE(cal.press(button));
        ASSERT_EQ(cal.text(D::Status), "Dana zapisana");
        EXPECT_EQ(cal.inputRecords().size(), recordsThen);
    };
    cal.sim.device().input = 300.12f;
    ASSERT_TRUE(cal.open());
    ASSERT_TRUE(cal.readInput());
    store(D::InputHigh, 0);
    ASSERT_TRUE(cal.readInput());  // 300.00 Ohm
    cal.sim.device().input = 99.9f;
    ASSERT_TRUE(cal.readInput());
    store(D::InputLow, 1);
    ASSERT_TRUE(cal.readInput());  // 100.00 Ohm
    store(D::InputLow, 2);         // the same point again
    cal.sim.device().input = 300.12f;
    store(D::InputHigh, 3);        // the repeat was not read after
    ASSERT_TRUE(cal.readInput());  // 300.00 Ohm
    cal.sim.device().input = 99.9f;
    store(D::InputLow, 4);         // set without reading it first
    ASSERT_TRUE(cal.press(D::Close));

    const auto records = cal.inputRecords();
    ASSERT_EQ(records.size(), 5u);
    struct Expected {
        const char* point;
        std::optional<double> found, left;
    };
    const Expected expected[] = {
        {"upper", 300.12, 300.0},
        {"lower", 99.9, 100.0},
        {"lower", 100.0, std::nullopt},
        {"upper", std::nullopt, 300.0},
        {"lower", std::nullopt, std::nullopt},
    };
    for (std::size_t i = 0; i < records.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(textOf(records[i].asLeft, "point"), expected[i].point);
        const auto near = [](std::optional<double> got, std::optional<double> want) {
            EXPECT_EQ(got.has_value(), want.has_value());
            if (got && want) {
                EXPECT_NEAR(*got, *want, 1e-3);
            }
        };
        near(numberOf(records[i].asFound, "input"), expected[i].found);
        near(numberOf(records[i].asLeft, "input"), expected[i].left);
    }
}

// The wizard keeps its input points the same way; the last one, not read after before the
// wizard went on and closed itself, is written when it closes.
TEST(CalibrationRecord, TheWizardsInputPointsGetTheReadingsTakenThere) {
    using W = CCalibrationWizardDlg;
    Recorded<CCalibrationWizardDlg> w(false);
    w.sim.station.calibrationOptions = 1;  // the input only
    w.sim.device().sensorCode = 0;
    w.sim.device().input = 99.9f;
    const auto readInput = [&w] {
        w.window.click(W::ReadInput);
        return w.sim.clock.advanceUntil([&] { return !w.window.timerRunning(calibration::InputReading::Timer); },
                                        5000, 1);
    };
    ASSERT_TRUE(w.open());
    EXPECT_EQ(w.text(W::Instruction), "Ustaw 100 Ohm");
    ASSERT_TRUE(readInput());
    EXPECT_EQ(w.text(W::InputValue), "99.9 Ohm");
    ASSERT_TRUE(w.press(W::Send));
    EXPECT_EQ(w.text(W::Instruction), "Ustaw 300 Ohm");
    ASSERT_TRUE(readInput());
    EXPECT_EQ(w.text(W::InputValue), "100.00 Ohm");
    w.sim.device().input = 300.12f;
    ASSERT_TRUE(readInput());
    w.window.click(W::Send);
    ASSERT_TRUE(w.sim.clock.advanceUntil([&] { return w.window.ended(); }, 5000, 1));

    const auto records = w.recorder.ofKind(RecordKind::CalibrationInput);
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(textOf(records[0].asLeft, "point"), "lower");
    EXPECT_NEAR(numberOf(records[0].asFound, "input").value_or(0), 99.9, 1e-4);
    EXPECT_NEAR(numberOf(records[0].asLeft, "input").value_or(0), 100.0, 1e-4);
    EXPECT_EQ(textOf(records[1].asLeft, "point"), "upper");
    EXPECT_NEAR(numberOf(records[1].asFound, "input").value_or(0), 300.12, 1e-3);
    EXPECT_FALSE(numberOf(records[1].asLeft, "input"));
    EXPECT_EQ(numberOf(records[1].reference, "input"), 300);
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
        // A lost request leaves nothing to read: no answer.
        EXPECT_EQ(records[0].outcome, lost ? RecordOutcome::NoAnswer : RecordOutcome::Confirmed);
        EXPECT_EQ(textOf(records[0].asLeft, "point"),
                  lost ? std::nullopt : std::optional<std::string>("lower"));
        EXPECT_EQ(numberOf(records[0].reference, "measured"), 5.62);
        // The DOXA output is driven to 5.6 mA for the lower point.
        EXPECT_EQ(numberOf(records[0].asFound, "output"), 5.6);
    }
}

TEST(CalibrationRecord, AForcedOutputIsLeftWhenConfirmedAndItsReleaseIsKept) {
    for (const bool lost : {false, true}) {
        SCOPED_TRACE(lost);
        Recorded<COutputCurrentDlg> o(true);
        ASSERT_TRUE(o.open());
        if (lost) o.sim.transmitter->faults.modbusWrites[0x00E0] = sim::WriteFault::Unanswered;
        o.window.type(O::Value, "12.5");
        ASSERT_TRUE(o.press(O::Set));
        auto records = o.recorder.ofKind(RecordKind::ForcedOutput);
        ASSERT_EQ(records.size(), 1u);
        EXPECT_EQ(records[0].outcome, lost ? RecordOutcome::NoAnswer : RecordOutcome::Confirmed);
        EXPECT_EQ(numberOf(records[0].asLeft, "output"), lost ? std::nullopt : std::optional<double>(12.5));
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
