#include "link/value_codec.h"

#include <gtest/gtest.h>

#include <cmath>

namespace doxa {
namespace {

using Bytes = std::array<std::uint8_t, 4>;

DecodedFloat decode(Bytes b, FloatLayout layout) { return decodeFloat(b.data(), layout); }

TEST(DecodeFloat, HartLayoutValuesAndTheirTexts) {
    struct Case {
        Bytes bytes;
        double value;
        const char* text;
    };
    const Case cases[] = {
        {{0x41, 0x40, 0x00, 0x00}, 12.0, "12."},
        {{0x3E, 0x80, 0x00, 0x00}, 0.25, "0.25"},
        {{0xBE, 0x80, 0x00, 0x00}, -0.25, "-0.25"},
        {{0x3F, 0x80, 0x00, 0x00}, 1.0, "1."},
        {{0xC2, 0xC8, 0x00, 0x00}, -100.0, "-100."},
        {{0x49, 0x96, 0xB4, 0x38}, 1234567.0, "1.23457e+006"},
        {{0x3D, 0xCC, 0xCC, 0xCD}, 0.1, "0.1"},
    };
    for (const Case& c : cases) {
        const DecodedFloat d = decode(c.bytes, FloatLayout::Hart);
        EXPECT_NEAR(d.value, c.value, std::fabs(c.value) * 1e-7) << c.text;
        EXPECT_EQ(d.text, c.text);
    }
}

TEST(DecodeFloat, ModbusLayoutPutsTheExponentFirst) {
    EXPECT_EQ(decode({0x82, 0x40, 0x00, 0x00}, FloatLayout::Modbus).value, 12.0);
    EXPECT_NEAR(decode({0x81, 0x33, 0x33, 0x33}, FloatLayout::Modbus).value, 5.6, 1e-6);
    const DecodedFloat negative = decode({0x7D, 0x80, 0x00, 0x00}, FloatLayout::Modbus);
    EXPECT_EQ(negative.value, -0.25);
    EXPECT_EQ(negative.text, "-0.25");
}

TEST(DecodeFloat, MissingValuesReadAsZero) {
    struct Case {
        Bytes bytes;
        FloatLayout layout;
    };
    // In HART the first byte 0xFF leaves an exponent below 255 whenever bit 7 of the second
    // byte is clear: still the documented zero.
    for (const Case& c : {Case{{0xFF, 0x12, 0x34, 0x56}, FloatLayout::Hart},
                          Case{{0xFF, 0x7F, 0xFF, 0xFF}, FloatLayout::Hart},
                          Case{{0, 0, 0, 0}, FloatLayout::Hart}, Case{{0, 0, 0, 0}, FloatLayout::Modbus}}) {
        const DecodedFloat d = decode(c.bytes, c.layout);
        EXPECT_TRUE(d.isNumber());
        EXPECT_EQ(d.value, 0.0);
        EXPECT_EQ(d.text, "0.00");
    }
    // Exponent 0 is no subnormal: only the all-zero word is zero.
    EXPECT_GT(decode({0x00, 0x00, 0x00, 0x01}, FloatLayout::Hart).value, 0.0);
}

// An exponent of 255 is no number whatever the sign and fraction; the text stays what the
// bytes always gave.
TEST(DecodeFloat, AnExponentOfAllOnesIsNoNumber) {
    struct Case {
        Bytes bytes;
        FloatLayout layout;
        const char* text;
    };
    const Case cases[] = {
        {{0x7F, 0xC0, 0x00, 0x00}, FloatLayout::Hart, "5.10424e+038"},
        {{0x7F, 0x80, 0x00, 0x00}, FloatLayout::Hart, "3.40282e+038"},
        {{0xFF, 0x80, 0x00, 0x00}, FloatLayout::Hart, "0.00"},
        {{0xFF, 0xFF, 0xFF, 0xFF}, FloatLayout::Hart, "0.00"},
        {{0xFF, 0x00, 0x00, 0x00}, FloatLayout::Modbus, "0.00"},
        {{0xFF, 0xC0, 0x00, 0x01}, FloatLayout::Modbus, "0.00"},
        {{0xFF, 0xFF, 0xFF, 0xFF}, FloatLayout::Modbus, "0.00"},
    };
    for (const Case& c : cases) {
        const DecodedFloat d = decode(c.bytes, c.layout);
        EXPECT_FALSE(d.isNumber()) << c.text;
        EXPECT_TRUE(std::isnan(d.value)) << c.text;
        EXPECT_EQ(d.text, c.text);
    }
    // The largest exponent below it is a number in both layouts.
    EXPECT_TRUE(decode({0x7F, 0x7F, 0xFF, 0xFF}, FloatLayout::Hart).isNumber());
    EXPECT_TRUE(decode({0xFE, 0x7F, 0xFF, 0xFF}, FloatLayout::Modbus).isNumber());
}

TEST(EncodeFloat, CutsTheFractionAndRoundTripsInBothLayouts) {
    EXPECT_EQ(encodeFloat(0.1, FloatLayout::Hart), (Bytes{0x3D, 0xCC, 0xCC, 0xCC}));
    EXPECT_EQ(encodeFloat(12.0, FloatLayout::Modbus), (Bytes{0x82, 0x40, 0x00, 0x00}));
    EXPECT_EQ(encodeFloat(-0.25, FloatLayout::Hart), (Bytes{0xBE, 0x80, 0x00, 0x00}));
    EXPECT_EQ(encodeFloat(0.0, FloatLayout::Modbus), (Bytes{0, 0, 0, 0}));
    for (double v : {5.6, -273.15, 1850.0, 0.003, 4.0, 20.0}) {
        for (FloatLayout layout : {FloatLayout::Hart, FloatLayout::Modbus}) {
            Bytes b = encodeFloat(v, layout);
            EXPECT_NEAR(decode(b, layout).value, v, std::fabs(v) * 2e-7) << v;
        }
    }
}

TEST(EncodeFloat, ValuesOutsideTheFormatSaturateInsteadOfCorruptingTheSign) {
    const Bytes huge = encodeFloat(1e300, FloatLayout::Modbus);
    EXPECT_EQ(huge[0], 0xFD);
    EXPECT_GT(decode(huge, FloatLayout::Modbus).value, 1e38);
    EXPECT_LT(decode(encodeFloat(-1e300, FloatLayout::Hart), FloatLayout::Hart).value, -1e38);
    EXPECT_EQ(encodeFloat(1e-300, FloatLayout::Hart), (Bytes{0, 0, 0, 0}));
    EXPECT_EQ(encodeFloat(std::nan(""), FloatLayout::Hart), (Bytes{0, 0, 0, 0}));
}

TEST(FormatGeneral, FixedUntilTheIntegerDigitsOutgrowTheCount) {
    EXPECT_EQ(formatGeneral(12.0, 6), "12.");
    EXPECT_EQ(formatGeneral(123456.0, 6), "123456.");
    EXPECT_EQ(formatGeneral(1234567.0, 6), "1.23457e+006");
    EXPECT_EQ(formatGeneral(-1e10, 6), "-1.e+010");
    EXPECT_EQ(formatGeneral(999999.7, 6), "1.e+006");
    EXPECT_EQ(formatGeneral(23.456, 6), "23.456");
    EXPECT_EQ(formatGeneral(1.25, 8), "1.25");
    EXPECT_EQ(formatGeneral(0.000123456789, 6), "0.000123457");
    EXPECT_EQ(formatGeneral(2.0 / 3.0, 3), "0.667");
}

TEST(FormatValue, SmallValuesKeepEightDigitsBehindThePoint) {
    EXPECT_EQ(formatValue(0.123456789), "0.1234568");
    EXPECT_EQ(formatValue(-0.5), "-0.5");
    EXPECT_EQ(formatValue(0.000001), "0.000001");
    // Digits rounding up to one must not turn into zero.
    EXPECT_EQ(formatValue(0.9999999999), "1.");
    EXPECT_EQ(formatValue(-0.9999999999), "-1.");
    EXPECT_EQ(formatValue(5.6), "5.6");
}

TEST(NumberTexts, CutFillAndSuffix) {
    EXPECT_EQ(cutDigits("23.456", 1, "0"), "23.4");
    EXPECT_EQ(cutDigits("1.5", 3, "000"), "1.5");
    EXPECT_EQ(cutDigits("12.", 2, "00"), "12.00");
    EXPECT_EQ(cutDigits("12.", 1, ""), "12.");
    EXPECT_EQ(cutDigits("-0.1234568", 3, "000"), "-0.123");
    EXPECT_EQ(cutDigits("1.23457e+006", 2, "00"), "1.23e+006");
    EXPECT_EQ(cutDigits("1.23457", NumberShape::AllDigits, "00"), "1.23457");
    EXPECT_EQ(valueText({12.0, "12."}, {2, "00", " Ohm"}), "12.00 Ohm");
    EXPECT_EQ(valueText({4.0, "4."}, {3, "000", " mA"}), "4.000 mA");
}

}  // namespace
}  // namespace doxa
