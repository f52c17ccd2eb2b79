#include <gtest/gtest.h>

#include "calibration/calibration_event.h"
#include "support/event_records.h"

namespace doxa {
namespace {

// A Pt 100 (α 0.00385) transmitter reading in °C over 0..100 °C, its reference a resistance.
CalibrationConditions pt100Conditions() { return test::pt100EventConditions(); }

CalibrationPoint inputPoint(double applied, std::vector<double> readings) {
    return {CalibrationPhase::AsFound, CalibrationChannel::Input, 100, applied, std::move(readings), {}};
}

TEST(CalibrationEvent, APt100ReadInCelsiusIsComparedWithItsOhmReferenceInBothUnits) {
    // IEC 60751: 100 °C is 138.5055 Ohm, so 138.51 Ohm applied is 100.0115 °C.
    const PointResult r = judgePoint(pt100Conditions(), inputPoint(138.51, {99.99, 100.01}));
    ASSERT_TRUE(r.error) << r.reason;
    EXPECT_EQ(r.errorUnit, "°C");
    EXPECT_NEAR(*r.error, -0.0115, 0.0005);
    ASSERT_TRUE(r.otherError);
    EXPECT_EQ(r.otherUnit, "Ohm");
    EXPECT_NEAR(*r.otherError, -0.0045, 0.0002);
    EXPECT_EQ(r.within, true);

    CalibrationConditions inOhm = pt100Conditions();
    inOhm.inputToleranceUnit = "Ohm";
    inOhm.inputTolerance = 0.004;
    const PointResult ohm = judgePoint(inOhm, inputPoint(138.51, {100.0}));
    ASSERT_TRUE(ohm.error);
    EXPECT_EQ(ohm.errorUnit, "Ohm");
    EXPECT_NEAR(*ohm.error, -0.0045, 0.0002);
    EXPECT_EQ(ohm.within, false);
    EXPECT_EQ(ohm.otherUnit, "°C");
}

TEST(CalibrationEvent, APointOutsideTheCurveOrWithoutReadingsHasNoErrorAndSaysWhy) {
    const PointResult outside = judgePoint(pt100Conditions(), inputPoint(5.0, {100.0}));
    EXPECT_FALSE(outside.error);
    EXPECT_FALSE(outside.within);
    EXPECT_FALSE(outside.reason.empty());
    const PointResult none = judgePoint(pt100Conditions(), inputPoint(138.51, {}));
    EXPECT_FALSE(none.error);
    EXPECT_EQ(none.reason, "brak odczytów");
}

TEST(CalibrationEvent, AnOutputPointIsJudgedInMilliampereWithItsMeaningOnTheRange) {
    CalibrationPoint point{CalibrationPhase::AsLeft, CalibrationChannel::Output, 50, 12.0, {12.016}, {}};
    const PointResult r = judgePoint(pt100Conditions(), point);
    ASSERT_TRUE(r.error);
    EXPECT_EQ(r.errorUnit, "mA");
    EXPECT_NEAR(*r.error, 0.016, 1e-9);
    // 0.016 mA of a 16 mA span over 0..100 °C.
    EXPECT_NEAR(*r.otherError, 0.1, 1e-9);
    EXPECT_EQ(r.otherUnit, "°C");
    EXPECT_EQ(r.within, true);
}

TEST(CalibrationEvent, TheToleranceIsMetUpToItsThousandths) {
    EXPECT_TRUE(withinTolerance(0.1, 0.1));
    EXPECT_TRUE(withinTolerance(-0.1004, 0.1));
    EXPECT_FALSE(withinTolerance(0.1006, 0.1));
    EXPECT_FALSE(withinTolerance(-0.101, 0.1));
}

TEST(CalibrationEvent, AnEventIsReadBackFromItsRecordsWhateverTheirOrder) {
    ServiceRecord base;
    base.model = "DOXA-22";
    base.serial = 1193046;
    base.event = "e1";
    const CalibrationConditions conditions = pt100Conditions();
    CalibrationPoint found = inputPoint(138.51, {99.9, 100.1, 100.0});
    found.result = judgePoint(conditions, found);
    CalibrationPoint left{CalibrationPhase::AsLeft, CalibrationChannel::Output, 0, 4.0, {4.002}, {}};
    left.result = judgePoint(conditions, left);
    ServiceRecord adjustment = base;
    adjustment.kind = RecordKind::CalibrationOutput;

    CalibrationEvent event;
    for (const ServiceRecord& r : {pointRecord(base, left), conditionsRecord(base, conditions), adjustment,
                                   pointRecord(base, found), endRecord(base, {true, true, ""})})
        EXPECT_TRUE(addToEvent(event, r));
    ServiceRecord other = base;
    other.event = "e2";
    EXPECT_FALSE(addToEvent(event, pointRecord(other, found)));

    EXPECT_EQ(event.id, "e1");
    ASSERT_TRUE(event.conditions);
    EXPECT_EQ(event.conditions->technician, "Anna Nowak");
    EXPECT_EQ(event.conditions->humidityPercent, 41);
    ASSERT_EQ(event.conditions->instruments.size(), 1u);
    const ReferenceInstrument& instrument = event.conditions->instruments[0];
    EXPECT_EQ(instrument.certificate, "LW/2026/17");
    ASSERT_EQ(instrument.uncertainties.size(), 2u);
    EXPECT_EQ(instrument.uncertainties[0].to, 400.0);
    EXPECT_FALSE(instrument.uncertainties[1].from);
    ASSERT_EQ(event.points.size(), 2u);
    EXPECT_EQ(event.points[0].phase, CalibrationPhase::AsLeft);
    EXPECT_EQ(event.points[1].readings, (std::vector<double>{99.9, 100.1, 100.0}));
    EXPECT_EQ(event.points[1].result.within, found.result.within);
    EXPECT_EQ(event.points[1].result.errorUnit, "°C");
    EXPECT_EQ(event.adjustments.size(), 1u);
    ASSERT_TRUE(event.end);
    EXPECT_FALSE(event.interrupted());
    EXPECT_TRUE(event.end->adjusted);
}

TEST(CalibrationEvent, ARunWithoutItsEndOrEndedByTheTechnicianIsInterrupted) {
    ServiceRecord base;
    base.event = "e1";
    CalibrationEvent event;
    addToEvent(event, conditionsRecord(base, pt100Conditions()));
    EXPECT_TRUE(event.interrupted());
    addToEvent(event, endRecord(base, {false, false, "Przerwano"}));
    EXPECT_TRUE(event.interrupted());
    EXPECT_EQ(event.end->reason, "Przerwano");
    EXPECT_NE(newCalibrationEventId(), newCalibrationEventId());
    EXPECT_EQ(newCalibrationEventId().size(), 32u);
}

}  // namespace
}  // namespace doxa
