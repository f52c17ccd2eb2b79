#include <gtest/gtest.h>

#include <cmath>

#include "calibration/measurement_uncertainty.h"

namespace doxa {
namespace {

// A Pt 100 (α 0.00385) read in °C to the hundredth against a resistance decade of
// U = 0.02 Ohm (k = 2) up to 400 Ohm, and a meter of U = 0.002 mA (k = 2) for the output.
CalibrationConditions pt100Bench() {
    CalibrationConditions c;
    c.sensor = "pt100-385";
    c.appliedUnit = "Ohm";
    c.readingUnit = "°C";
    c.inputTolerance = 0.1;
    c.outputTolerance = 0.016;
    c.readingResolution = 0.01;
    c.meterResolution = 0.001;
    c.instruments = {{"r1", "Dekada", "D-1", "1", "LW/1", "2027-01-01", {{0.02, "Ohm", 2, 0.0, 400.0}}},
                     {"m1", "Multimetr", "M-1", "2", "LW/2", "2027-01-01", {{0.002, "mA", 2, {}, {}}}}};
    return c;
}

CalibrationPoint point(CalibrationChannel channel, double applied, std::vector<double> readings) {
    return {CalibrationPhase::AsFound, channel, 0, applied, std::move(readings), {}};
}

TEST(MeasurementUncertainty, APt100PointNearZeroTakesTheReferenceThroughTheTableSlope) {
    // IEC 60751 near 0 °C: 0.3908 Ohm/°C, so 0.01 Ohm (0.02 / 2) is 0.02559 °C. Readings 0.01,
    // 0.03, 0.02, 0.02: s = 0.008165, s/√4 = 0.004082; half a digit of 0.01: 0.002887.
    // u = √(0.02559² + 0.004082² + 0.002887²) = 0.02607, U = 0.05214 °C.
    const auto p = point(CalibrationChannel::Input, 100.0, {0.01, 0.03, 0.02, 0.02});
    const auto budget = uncertaintyBudget(pt100Bench(), p, "°C");
    ASSERT_TRUE(budget);
    EXPECT_NEAR(budget->reference, 0.01 / 0.3908, 0.00002);
    EXPECT_NEAR(budget->readings, 0.004082, 0.000001);
    EXPECT_NEAR(budget->resolution, 0.002887, 0.000001);
    EXPECT_EQ(budget->coldJunction, 0);
    EXPECT_NEAR(budget->expanded(), 0.05214, 0.00005);
    // judgePoint carries the same U with the error.
    const PointResult r = judgePoint(pt100Bench(), p);
    ASSERT_TRUE(r.uncertainty);
    EXPECT_NEAR(*r.uncertainty, 0.05214, 0.00005);
}

TEST(MeasurementUncertainty, InOhmTheReadingsAndTheDigitWeighWithTheSlope) {
    // Judged in Ohm the reference counts as it is (0.01 Ohm); at 100 °C the IEC table rises
    // 0.3792 Ohm/°C, so one reading (no spread) to 0.01 °C gives 0.002887 · 0.3792 = 0.001095.
    CalibrationConditions c = pt100Bench();
    c.inputToleranceUnit = "Ohm";
    const auto budget = uncertaintyBudget(c, point(CalibrationChannel::Input, 138.51, {100.0}), "Ohm");
    ASSERT_TRUE(budget);
    EXPECT_NEAR(budget->reference, 0.01, 1e-9);
    EXPECT_EQ(budget->readings, 0);
    EXPECT_NEAR(budget->resolution, 0.002887 * 0.3792, 0.000005);
    EXPECT_NEAR(budget->expanded(), 2 * std::hypot(0.01, 0.001095), 0.00002);
}

TEST(MeasurementUncertainty, AnOutputPointTakesTheMeterItsSpreadAndItsDigit) {
    // 0.002 / 2 = 0.001 mA; 12.001 and 12.003: s = 0.001414, s/√2 = 0.001; half a digit of
    // 0.001 mA: 0.0002887. u = 0.0014434, U = 0.0028868 mA.
    const PointResult r = judgePoint(pt100Bench(), point(CalibrationChannel::Output, 12.0, {12.001, 12.003}));
    ASSERT_TRUE(r.uncertainty);
    EXPECT_EQ(r.errorUnit, "mA");
    EXPECT_NEAR(*r.uncertainty, 0.0028868, 0.000001);
}

TEST(MeasurementUncertainty, AThermocoupleAddsItsColdJunctionInTheComparisonUnit) {
    // Type K read in °C against a millivolt source (U = 0.004 mV, k = 2) with the cold junction
    // at 25 °C known to 0.2 °C. In °C the junction counts as it is; in mV it weighs with the
    // IEC 60584 slope at 25 °C: (1.203 - 0.798) / 10 = 0.0405 mV/°C.
    CalibrationConditions c;
    c.sensor = "k";
    c.appliedUnit = "mV";
    c.readingUnit = "°C";
    c.coldJunctionCelsius = 25;
    c.coldJunctionUncertainty = 0.2;
    c.readingResolution = 0.1;
    c.instruments = {{"v1", "Kalibrator", "K-2", "3", "LW/3", "2027-01-01", {{0.004, "mV", 2, -10.0, 100.0}}}};
    const auto p = point(CalibrationChannel::Input, 3.096, {100.0, 100.0});
    const auto celsius = uncertaintyBudget(c, p, "°C");
    ASSERT_TRUE(celsius);
    EXPECT_NEAR(celsius->coldJunction, 0.2, 1e-9);
    // 0.002 mV at 100 °C, where the table rises 41.4 µV/°C: 0.0483 °C.
    EXPECT_NEAR(celsius->reference, 0.002 / 0.0414, 0.0005);
    const auto millivolt = uncertaintyBudget(c, p, "mV");
    ASSERT_TRUE(millivolt);
    EXPECT_NEAR(millivolt->coldJunction, 0.2 * 0.0405, 0.0001);
    EXPECT_NEAR(millivolt->reference, 0.002, 1e-9);
}

TEST(MeasurementUncertainty, WithoutAnInstrumentForThePointsUnitOrRangeThereIsNone) {
    CalibrationConditions c = pt100Bench();
    c.instruments[0].uncertainties[0].to = 120.0;  // 138.51 Ohm lies beyond
    EXPECT_FALSE(uncertaintyBudget(c, point(CalibrationChannel::Input, 138.51, {100.0}), "°C"));
    c.instruments.clear();
    const PointResult r = judgePoint(c, point(CalibrationChannel::Output, 12.0, {12.0}));
    EXPECT_TRUE(r.error);
    EXPECT_FALSE(r.uncertainty);
}

}  // namespace
}  // namespace doxa
