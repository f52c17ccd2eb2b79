// The 21-series dialog's defaults: what a click on each sensor loads, read without typing, and
// what "Wyślij" then writes.

#include <gtest/gtest.h>

#include "programming/prog_zu_dlg.h"
#include "programming_session.h"

namespace doxa::test {
namespace {

using Z = CProgZUDlg;
using Rtd = Session<CProgZUDlg>;

struct DefaultCase {
    int radio;
    const char* min;
    const char* max;
    const char* unit;
    int code;
};

// The defaults differ from the limits wherever the documentation makes them differ
// (resistance 20 .. 380 inside 10 .. 400), so a click that loaded the limits shows.
TEST(RtdDefaults, EachSensorLoadsItsOwnRangeAndUnit) {
    const DefaultCase cases[] = {
        {Z::SensorResistance, "20", "380", "Ohm", 0},
        {Z::SensorPt100At385, "-200", "850", "°C", 1},
        {Z::SensorPt100At391, "-200", "850", "°C", 2},
        {Z::SensorNi100At618, "-60", "200", "°C", 3},
        {Z::SensorNi100At617, "-60", "180", "°C", 4},
        {Z::SensorCu100At428, "-180", "200", "°C", 5},
        {Z::SensorCu100At426, "-50", "200", "°C", 6},
        {Z::SensorCu50At428, "-180", "200", "°C", 7},
        {Z::SensorCu50At426, "-50", "200", "°C", 8},
        {Z::SensorCharacteristic, "0", "100", "", 14},
    };
    for (const DefaultCase& c : cases) {
        SCOPED_TRACE(c.code);
        Rtd p(sim::Model::Sawe01Rtd);
        // Start from values no default has, so that a default left unloaded shows.
        p.sim.station.device.rangeMin = 33;
        p.sim.station.device.rangeMax = 77;
        ASSERT_TRUE(p.openReady());
        ASSERT_EQ(p.text(Z::RangeMin), "33");
        p.pick({Z::SensorResistance, Z::SensorPt100At385, Z::SensorPt100At391, Z::SensorNi100At618,
                Z::SensorNi100At617, Z::SensorCu100At428, Z::SensorCu100At426, Z::SensorCu50At428,
                Z::SensorCu50At426, Z::SensorCharacteristic},
               c.radio);
        EXPECT_EQ(p.text(Z::RangeMin), c.min);
        EXPECT_EQ(p.text(Z::RangeMax), c.max);
        EXPECT_EQ(p.text(Z::UnitMin), c.unit);
        EXPECT_EQ(p.text(Z::UnitMax), c.unit);
    }
}

// Defaults taken as they are reach the transmitter unchanged.
TEST(RtdDefaults, TheDefaultsAreWhatIsWritten) {
    const DefaultCase cases[] = {
        {Z::SensorResistance, "20", "380", "Ohm", 0},
        {Z::SensorNi100At617, "-60", "180", "°C", 4},
        {Z::SensorCu100At426, "-50", "200", "°C", 6},
    };
    for (const DefaultCase& c : cases) {
        SCOPED_TRACE(c.code);
        Rtd p(sim::Model::Sawe01Rtd);
        ASSERT_TRUE(p.openReady());
        p.choose(c.radio);
        EXPECT_EQ(p.program(), Saved);
        EXPECT_EQ(p.sim.device().sensorCode, c.code);
        EXPECT_EQ(p.sim.device().rangeLower, std::stof(c.min));
        EXPECT_EQ(p.sim.device().rangeUpper, std::stof(c.max));
    }
}

}  // namespace
}  // namespace doxa::test
