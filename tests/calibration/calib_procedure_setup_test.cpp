#include <gtest/gtest.h>

#include "calibration/calib_procedure.h"

namespace doxa::calibration {
namespace {

// Each entry of the identification's two sensor lists, by its name on screen, and what the
// procedure compares for it.
TEST(ProcedureInputSetup, FollowsTheCurveTheSensorListsName) {
    struct Case {
        int code;
        bool rtdOnly;
        const char* shown;  // the name the list shows
        const char* sensor;
        const char* applied;
        const char* reading;
    };
    const Case cases[] = {
        {0, false, " Rezystancja", "", "Ohm", "Ohm"},
        {1, false, " Pt 100", "pt100-385", "Ohm", "°C"},
        {2, false, " Ni 100", "ni100-618", "Ohm", "°C"},
        {3, false, " Napięcie", "", "mV", "mV"},
        {4, false, " TC typu 'K'", "k", "mV", "°C"},
        {7, false, " TC typu 'B'", "b", "mV", "°C"},
        {9, false, " TC typu T", "t", "mV", "°C"},
        {2, true, " Pt 100 (391)", "pt100-391", "Ohm", "°C"},
        {3, true, " Ni 100 (619)", "ni100-618", "Ohm", "°C"},
        {4, true, " Ni 100 (617)", "ni100-617", "Ohm", "°C"},
        {5, true, " Cu 100 (428)", "cu100-428", "Ohm", "°C"},
        {6, true, " Cu 100 (426)", "cu100-426", "Ohm", "°C"},
        {7, true, " Cu 50 (428)", "cu50-428", "Ohm", "°C"},
        {8, true, " Cu 50 (426)", "cu50-426", "Ohm", "°C"},
        {9, true, " TC typu T", "t", "mV", "°C"},
        {18, false, "y=f(x)", "", "°C", "°C"},
    };
    for (const Case& c : cases) {
        DeviceRecord device;
        device.sensorType = c.code;
        device.isRtdOnly = c.rtdOnly;
        device.rangeMin = -50;
        device.rangeMax = 150;
        const InputSetup setup = inputSetup(device);
        EXPECT_EQ(setup.sensor, c.sensor) << c.shown;
        EXPECT_EQ(setup.appliedUnit, c.applied) << c.shown;
        EXPECT_EQ(setup.readingUnit, c.reading) << c.shown;
        EXPECT_EQ(setup.rangeLow, -50);
        EXPECT_EQ(setup.rangeHigh, 150);
    }
}

TEST(ProcedureTestPoints, TakesTwoToElevenPercentsOfTheRange) {
    EXPECT_EQ(parseTestPoints("0; 25; 50; 75; 100"), (std::vector<double>{0, 25, 50, 75, 100}));
    EXPECT_EQ(parseTestPoints("10 90"), (std::vector<double>{10, 90}));
    EXPECT_EQ(parseTestPoints("0;12,5;100"), (std::vector<double>{0, 12.5, 100}));
    EXPECT_EQ(parseTestPoints("0;10;20;30;40;50;60;70;80;90;100")->size(), 11u);
    for (const char* refused :
         {"", "50", "0;10;20;30;40;50;60;70;80;90;95;100", "-1;50", "0;100.5", "0;x"})
        EXPECT_FALSE(parseTestPoints(refused)) << refused;
}

// Published table values: Pt 100 (IEC 60751) 138.51 Ohm at 100 °C, 80.31 Ohm at -50 °C; type K
// (IEC 60584-1) 4.096 mV at 100 °C and 1.000 mV at 25 °C, so 3.096 mV against a cold junction
// at 25 °C.
TEST(ProcedureNominalInput, IsTheReferenceValueThroughTheCurve) {
    CalibrationConditions pt;
    pt.sensor = "pt100-385";
    pt.appliedUnit = "Ohm";
    pt.readingUnit = "°C";
    pt.rangeLow = -50;
    pt.rangeHigh = 100;
    EXPECT_NEAR(*nominalInput(pt, 100).value, 138.51, 0.005);
    EXPECT_NEAR(*nominalInput(pt, 0).value, 80.31, 0.005);

    CalibrationConditions k = pt;
    k.sensor = "k";
    k.appliedUnit = "mV";
    k.rangeLow = 0;
    k.coldJunctionCelsius = 25;
    EXPECT_NEAR(*nominalInput(k, 100).value, 3.096, 0.0005);

    CalibrationConditions ohm = pt;
    ohm.sensor.clear();
    ohm.appliedUnit = ohm.readingUnit = "Ohm";
    ohm.rangeLow = 100;
    ohm.rangeHigh = 300;
    EXPECT_EQ(nominalInput(ohm, 25).value, 150.0);

    pt.rangeHigh = 900;
    EXPECT_FALSE(nominalInput(pt, 100).value) << "beyond the curve's 850 °C";
    EXPECT_FALSE(nominalInput(pt, 100).reason.empty());
}

TEST(ProcedureInstruments, AreRefusedPastTheirDueDayOrWithoutOne) {
    ReferenceInstrument instrument{"r1", "Kalibrator", "", "", "", "2026-12-08", {}};
    EXPECT_EQ(instrumentRefusal(instrument, "2026-12-08"), "") << "valid through its due day";
    EXPECT_EQ(instrumentRefusal(instrument, "2026-12-09"),
              "Wzorcowanie przyrządu „Kalibrator” wygasło 2026-12-08 – wybierz inny przyrząd");
    instrument.due.clear();
    EXPECT_FALSE(instrumentRefusal(instrument, "2026-12-09").empty());
}

TEST(ProcedureTypedValues, AreTakenAsTyped) {
    EXPECT_EQ(typedDecimal("138.51"), 138.51);
    EXPECT_EQ(typedDecimal(" 109,73 "), 109.73);
    EXPECT_FALSE(typedDecimal("12 mA"));
    EXPECT_EQ(spreadOf({25.01, 24.98, 25.03}), 25.03 - 24.98);
}

}  // namespace
}  // namespace doxa::calibration
