#include "transmitter/live_trend.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>

namespace doxa::test {
namespace {

// 2026-12-07 10:25:22.123 UTC
constexpr std::int64_t T0 = 1796639122123;

class TrendCsv : public ::testing::Test {
protected:
    void SetUp() override {
        const char* zone = std::getenv("TZ");
        savedZone_ = zone ? std::optional<std::string>(zone) : std::nullopt;
        setenv("TZ", "UTC", 1);
        tzset();
    }
    void TearDown() override {
        if (savedZone_)
            setenv("TZ", savedZone_->c_str(), 1);
        else
            unsetenv("TZ");
        tzset();
    }

private:
    std::optional<std::string> savedZone_;
};

LiveCycle cycle(std::optional<double> pv, std::optional<double> output,
                std::optional<double> ambient, std::string pvUnit = "°C",
                std::string outputUnit = "mA") {
    return LiveCycle{pv, pv ? pvUnit : "", output, output ? outputUnit : "", ambient};
}

TEST_F(TrendCsv, OneLinePerCycleAndAMissedValueLeavesItsFieldEmpty) {
    TrendRecording recording;
    recording.add(T0, cycle(23.456f, 12.5f, 24.5));
    recording.add(T0 + 1500, cycle(23.5f, std::nullopt, 24.5));
    recording.add(T0 + 61877, cycle(std::nullopt, std::nullopt, std::nullopt));
    recording.add(T0 + 63000, cycle(-0.25f, 4.0f, std::nullopt));
    EXPECT_EQ(trendCsv(recording),
              "czas,PV [°C],wyjście [mA],temp. otocz. [°C]\n"
              "2026-12-07 10:25:22.123,23.456,12.5,24.5\n"
              "2026-12-07 10:25:23.623,23.5,,24.5\n"
              "2026-12-07 10:26:24.000,,,\n"
              "2026-12-07 10:26:25.123,-0.25,4,\n");
}

TEST_F(TrendCsv, HeaderNamesUnitsOnceKnownAndAgainWhenTheyChange) {
    TrendRecording recording;
    recording.add(T0, cycle(std::nullopt, std::nullopt, std::nullopt));
    recording.add(T0 + 1000, cycle(12.0, 5.0, std::nullopt, "Ohm", "V"));
    recording.add(T0 + 2000, cycle(1.5, 5.0, std::nullopt, "mV", "V"));
    EXPECT_EQ(trendCsv(recording),
              "czas,PV [Ohm],wyjście [V],temp. otocz. [°C]\n"
              "2026-12-07 10:25:22.123,,,\n"
              "2026-12-07 10:25:23.123,12,5,\n"
              "czas,PV [mV],wyjście [V],temp. otocz. [°C]\n"
              "2026-12-07 10:25:24.123,1.5,5,\n");
    EXPECT_EQ(trendCsv(TrendRecording{}), "czas,PV,wyjście,temp. otocz. [°C]\n");
}

TEST(TrendValues, AreWrittenAsTheFourBytesCarriedThem) {
    EXPECT_EQ(valueCsvText(static_cast<float>(0.1)), "0.1");
    EXPECT_EQ(valueCsvText(static_cast<float>(1234.5678)), "1234.5677");
    EXPECT_EQ(valueCsvText(3.4e38 * 2), "6.8e+38");  // no single float holds it
}

TEST(TrendRecordingWindow, FindsTheVisibleStartAndDropsTheOldestBeyondItsCapacity) {
    TrendRecording recording(3);
    for (int i = 0; i < 5; ++i) recording.add(i * 1000, cycle(i, std::nullopt, std::nullopt));
    ASSERT_EQ(recording.samples().size(), 3u);
    EXPECT_EQ(recording.samples().front().timeMs, 2000);
    EXPECT_EQ(recording.firstAtOrAfter(0), 0u);
    EXPECT_EQ(recording.firstAtOrAfter(2500), 1u);
    EXPECT_EQ(recording.firstAtOrAfter(4000), 2u);
    EXPECT_EQ(recording.firstAtOrAfter(4001), 3u);
}

}  // namespace
}  // namespace doxa::test
