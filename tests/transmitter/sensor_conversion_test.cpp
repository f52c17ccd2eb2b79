// The conversions against the published reference tables (IEC 60751, GOST 6651, DIN 43760, the
// NIST ITS-90 thermocouple tables), each within its table's rounding.

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "transmitter/sensor_conversion.h"

namespace doxa {
namespace {

struct TablePoint {
    const char* sensor;
    double celsius;
    double signal;     // Ohm or mV as the table prints it
    double rounding;   // half the table's last digit, and a little for the arithmetic
    double slope;      // Ohm or mV per °C near the point, to turn the rounding into °C
};

const TablePoint TablePoints[] = {
    // IEC 60751, α 0.00385
    {"pt100-385", -200.0, 18.52, 0.006, 0.43},
    {"pt100-385", -100.0, 60.26, 0.006, 0.40},
    {"pt100-385", 0.0, 100.00, 0.006, 0.39},
    {"pt100-385", 100.0, 138.51, 0.006, 0.38},
    {"pt100-385", 400.0, 247.09, 0.006, 0.35},
    {"pt100-385", 850.0, 390.48, 0.006, 0.30},
    // GOST 6651, α 0.00391
    {"pt100-391", -200.0, 17.24, 0.006, 0.43},
    {"pt100-391", 100.0, 139.11, 0.006, 0.39},
    {"pt100-391", 850.0, 395.16, 0.006, 0.31},
    // GOST 6651, nickel α 0.00617 and copper
    {"ni100-617", -60.0, 69.45, 0.006, 0.47},
    {"ni100-617", 100.0, 161.72, 0.006, 0.68},
    {"ni100-617", 180.0, 223.21, 0.006, 0.90},
    {"cu100-426", -50.0, 78.70, 0.006, 0.42},
    {"cu100-426", 200.0, 185.20, 0.006, 0.42},
    {"cu50-426", -50.0, 39.35, 0.006, 0.21},
    {"cu100-428", -180.0, 20.53, 0.006, 0.42},
    {"cu100-428", 100.0, 142.80, 0.006, 0.42},
    {"cu50-428", -180.0, 10.26, 0.006, 0.21},
    {"cu50-428", 200.0, 92.80, 0.006, 0.21},
    // DIN 43760, printed to 0.1 Ohm
    {"ni100-618", -50.0, 74.3, 0.06, 0.48},
    {"ni100-618", 100.0, 161.8, 0.06, 0.68},
    {"ni100-618", 200.0, 240.7, 0.06, 0.87},
    // NIST ITS-90 thermocouple tables, reference junction at 0 °C
    {"k", -200.0, -5.891, 0.0006, 0.015},
    {"k", -100.0, -3.554, 0.0006, 0.030},
    {"k", 100.0, 4.096, 0.0006, 0.041},
    {"k", 500.0, 20.644, 0.0006, 0.042},
    {"k", 1000.0, 41.276, 0.0006, 0.039},
    {"k", 1372.0, 54.886, 0.0006, 0.034},
    {"j", -200.0, -7.890, 0.0006, 0.021},
    {"j", 100.0, 5.269, 0.0006, 0.054},
    {"j", 500.0, 27.393, 0.0006, 0.055},
    {"j", 1000.0, 57.953, 0.0006, 0.058},
    {"j", 1200.0, 69.553, 0.0006, 0.052},
    {"s", 100.0, 0.646, 0.0006, 0.007},
    {"s", 500.0, 4.233, 0.0006, 0.009},
    {"s", 1000.0, 9.587, 0.0006, 0.011},
    {"s", 1500.0, 15.582, 0.0006, 0.012},
    {"b", 250.0, 0.291, 0.0006, 0.0025},
    {"b", 500.0, 1.242, 0.0006, 0.005},
    {"b", 1000.0, 4.834, 0.0006, 0.009},
    {"b", 1820.0, 13.820, 0.0006, 0.010},
    {"n", -200.0, -3.990, 0.0006, 0.010},
    {"n", 100.0, 2.774, 0.0006, 0.029},
    {"n", 500.0, 16.748, 0.0006, 0.038},
    {"n", 1000.0, 36.256, 0.0006, 0.039},
    {"n", 1300.0, 47.513, 0.0006, 0.036},
    {"t", -200.0, -5.603, 0.0006, 0.015},
    {"t", -100.0, -3.379, 0.0006, 0.028},
    {"t", 100.0, 4.279, 0.0006, 0.046},
    {"t", 400.0, 20.872, 0.0006, 0.061},
};

class ReferenceTable : public ::testing::TestWithParam<TablePoint> {};

TEST_P(ReferenceTable, BothDirectionsMeetTheTable) {
    const TablePoint& p = GetParam();
    const SensorCurveInfo* curve = findSensorCurve(p.sensor);
    ASSERT_NE(curve, nullptr);
    const Conversion signal = signalAt(*curve, p.celsius);
    ASSERT_TRUE(signal.value) << signal.reason;
    EXPECT_NEAR(*signal.value, p.signal, p.rounding);
    const Conversion celsius = celsiusAt(*curve, p.signal);
    ASSERT_TRUE(celsius.value) << celsius.reason;
    EXPECT_NEAR(*celsius.value, p.celsius, p.rounding / p.slope);
}

INSTANTIATE_TEST_SUITE_P(Sensors, ReferenceTable, ::testing::ValuesIn(TablePoints),
                         [](const auto& info) {
                             std::string name = std::string(info.param.sensor) + "_" +
                                                std::to_string(static_cast<int>(info.param.celsius));
                             for (char& c : name)
                                 if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
                             return name;
                         });

TEST(SensorConversion, EveryDocumentedIdIsKnown) {
    for (const char* id : {"pt100-385", "pt100-391", "ni100-617", "ni100-618", "cu100-426", "cu100-428",
                           "cu50-426", "cu50-428", "k", "j", "s", "b", "n", "t"})
        EXPECT_NE(findSensorCurve(id), nullptr) << id;
    EXPECT_EQ(findSensorCurve("pt1000"), nullptr);
}

TEST(SensorConversion, AColdJunctionAboveZeroTakesItsVoltageOff) {
    const SensorCurveInfo& k = *findSensorCurve("k");
    // The K table: 100 °C 4.096 mV, 25 °C 1.000 mV.
    EXPECT_NEAR(*signalAt(k, 100.0, 25.0).value, 3.096, 0.0011);
    EXPECT_NEAR(*celsiusAt(k, 3.096, 25.0).value, 100.0, 0.03);
    // A resistance does not depend on the terminals' temperature.
    const SensorCurveInfo& pt = *findSensorCurve("pt100-385");
    EXPECT_NEAR(*signalAt(pt, 100.0, 25.0).value, 138.51, 0.006);
}

TEST(SensorConversion, OutsideTheValidRangeThereIsNoValueButTheRange) {
    const SensorCurveInfo& pt = *findSensorCurve("pt100-385");
    const Conversion hot = signalAt(pt, 851.0);
    EXPECT_FALSE(hot.value);
    EXPECT_NE(hot.reason.find("-200..850 °C"), std::string::npos) << hot.reason;
    const Conversion low = celsiusAt(pt, 18.0);
    EXPECT_FALSE(low.value);
    EXPECT_NE(low.reason.find("Ohm"), std::string::npos) << low.reason;

    // Type B is read back only from 250 °C (0.291 mV), though its table starts at 0 °C.
    const SensorCurveInfo& b = *findSensorCurve("b");
    EXPECT_TRUE(signalAt(b, 100.0).value);
    const Conversion ambiguous = celsiusAt(b, 0.1);
    EXPECT_FALSE(ambiguous.value);
    EXPECT_NE(ambiguous.reason.find("250..1820 °C"), std::string::npos) << ambiguous.reason;

    const Conversion coldJunction = signalAt(*findSensorCurve("t"), 100.0, 500.0);
    EXPECT_FALSE(coldJunction.value);
    EXPECT_NE(coldJunction.reason.find("zimne końce w 500 °C"), std::string::npos) << coldJunction.reason;
    EXPECT_FALSE(signalAt(pt, std::nan("")).value);
}

}  // namespace
}  // namespace doxa
