#include "transmitter/code_tables.h"

#include <gtest/gtest.h>

namespace doxa {
namespace {

TEST(SensorTables, BothListsAndTheirGaps) {
    EXPECT_EQ(sensorName(0, false), " Rezystancja");
    EXPECT_EQ(sensorName(3, false), " Napięcie");
    EXPECT_EQ(sensorName(4, false), " TC typu 'K'");
    EXPECT_EQ(sensorName(3, true), " Ni 100 (619)");
    EXPECT_EQ(sensorName(8, true), " Cu 50 (426)");
    EXPECT_EQ(sensorName(9, true), " TC typu T");
    EXPECT_EQ(sensorName(15, true), " y=f(x)");
    for (int code : {-1, 10, 13, 16, 18}) EXPECT_EQ(sensorName(code, false), std::nullopt) << code;
}

TEST(SensorTables, TheLiveDisplayListDiffersAtNineAndEighteen) {
    EXPECT_EQ(displaySensorName(9, true), std::nullopt);
    EXPECT_EQ(displaySensorName(9, false), " TC typu T");
    EXPECT_EQ(displaySensorName(18, false), " y=f(x)");
    EXPECT_EQ(displaySensorName(14, true), " y=f(x)");
    EXPECT_EQ(displaySensorName(2, true), " Pt 100 (391)");
}

TEST(SensorTables, UnitsGoByTheStoredCode) {
    EXPECT_EQ(sensorUnit(0), " Ohm");
    EXPECT_EQ(sensorUnit(3), " mV");
    EXPECT_EQ(sensorUnit(1), " °C");
    EXPECT_EQ(sensorUnit(15), " °C");
    EXPECT_EQ(unitSuffix('%'), " Ohm");
    EXPECT_EQ(unitSuffix('$'), " mV");
    EXPECT_EQ(unitSuffix(' '), " °C");
    EXPECT_EQ(unitSuffix(33), "");
}

TEST(NumberShapes, MeasuredOutputAndAmbientValues) {
    EXPECT_EQ(valueText({12, "12."}, measuredValueShape(UnitOhm)), "12.00 Ohm");
    EXPECT_EQ(valueText({23.456, "23.456"}, measuredValueShape(UnitCelsius)), "23.4 °C");
    EXPECT_EQ(valueText({1.5, "1.5"}, measuredValueShape(UnitMilliVolt)), "1.5 mV");
    EXPECT_EQ(valueText({7.25, "7.25"}, measuredValueShape(99)), "7.25");
    EXPECT_EQ(valueText({4, "4."}, outputValueShape(1)), "4.000 mA");
    EXPECT_EQ(valueText({5, "5."}, outputValueShape(OutputVoltage)), "5.000V");
    EXPECT_EQ(valueText({21, "21."}, ambientTemperatureShape()), "21. °C");
    EXPECT_EQ(valueText({21.37, "21.37"}, ambientTemperatureShape()), "21.3 °C");
}

TEST(OutputTypes, TextsByFamilyAndConfigurationBits) {
    EXPECT_EQ(outputTypeText(0, false), " 4...20mA");
    EXPECT_EQ(outputTypeText(2, false), "");
    EXPECT_EQ(outputTypeText(0, true), " prądowe 0...20mA");
    EXPECT_EQ(outputTypeText(3, true), " napięciowe");
    EXPECT_EQ(outputTypeText(4, true), "");
    EXPECT_EQ(outputTypeForConfiguration(0xA3), 2);
    EXPECT_EQ(outputTypeForConfiguration(0xC0), OutputVoltage);
    EXPECT_EQ(outputTypeForConfiguration(0x8F), 0);
    EXPECT_EQ(outputTypeForConfiguration(0x30), std::nullopt);
}

TEST(BreakAndThreshold, Texts) {
    EXPECT_EQ(breakSignalText(1), " na min  ");
    EXPECT_EQ(breakSignalText(0), " na max  ");
    EXPECT_EQ(thresholdDirectionText(1), " , min");
    EXPECT_EQ(thresholdDirectionText(2), " , max");
}

TEST(Filter, CodesBothWaysAndTexts) {
    EXPECT_EQ(filterTimeForCode(124), 5);
    EXPECT_EQ(filterTimeForCode(104), 0);
    EXPECT_EQ(filterTimeForCode(105), std::nullopt);
    EXPECT_EQ(filterCodeForTime(10), 126);
    EXPECT_EQ(filterCodeForTime(3), std::nullopt);
    EXPECT_EQ(filterText(2, 5), "5 sek ,rząd: 2");
    EXPECT_EQ(filterText(1, std::nullopt), " sek ,rząd: 1");
    EXPECT_EQ(filterText(0, 10), " wyłączony");
}

}  // namespace
}  // namespace doxa
