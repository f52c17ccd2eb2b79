#include "views/report.h"

#include <gtest/gtest.h>

#include <limits>

#include "settings/shown_language.h"
#include "transmitter/device_record.h"

namespace doxa::test {
namespace {

DeviceRecord pt100() {
    DeviceRecord d;
    d.modelName = "DOXA-22";
    d.serialNumber = 1193046;
    d.sensorType = 1;
    d.rangeMin = 100;
    d.rangeMax = 300;
    d.thresholdActive = 1;
    d.thresholdDirection = 1;
    d.threshold = 120;
    d.hysteresis = 2.5f;
    d.filterOrder = 2;
    d.filterTime = 5;
    d.pollingAddress = 3;
    return d;
}

TEST(Report, HeaderAndLinesOfAKnownRecord) {
    std::tm day{};
    day.tm_year = 126;
    day.tm_mon = 11;
    day.tm_mday = 6;
    const ReportHeader header = reportHeader(pt100(), day);
    EXPECT_EQ(header.model, "Konfiguracja przetwornika typu : DOXA-22");
    EXPECT_EQ(header.serial, "Numer seryjny : 1193046");
    EXPECT_EQ(header.date, "Data : 06.12.2026");
    EXPECT_EQ(header.page, " Strona: 1/1");
    EXPECT_EQ(reportLines(pt100()), (std::vector<std::string>{
                                        "Typ czujnika : Pt100 (385).",
                                        "Sygnalizacja przerwy : na max",
                                        "Zakres min : 100. °C",
                                        "Zakres max : 300. °C",
                                        "Próg : 120. °C , min",
                                        "Histereza : 2.5 °C",
                                        "Filtracja : rząd:2 , 5 sek",
                                        "Adres : 3",
                                    }));
}

TEST(Report, UnitsNamesAndSwitchedOffParts) {
    struct Case {
        int sensor;
        int rtdOnly;
        const char* name;
        const char* rangeLine;
    };
    for (const Case& c : {Case{0, 0, "Rezystancja.", "Zakres min : 100. Ohm"}, Case{3, 0, "Napięcie.", "Zakres min : 100. mV"},
                          Case{3, 1, "Ni100 (618).", "Zakres min : 100. °C"}, Case{4, 0, "TC K", "Zakres min : 100. °C"},
                          Case{9, 1, "", "Zakres min : 100. °C"}, Case{14, 0, "y=f(x)", "Zakres min : 100. "},
                          Case{11, 0, "??????", "Zakres min : 100. "}}) {
        DeviceRecord d = pt100();
        d.sensorType = c.sensor;
        d.isRtdOnly = c.rtdOnly;
        const std::vector<std::string> lines = reportLines(d);
        EXPECT_EQ(lines[0], std::string("Typ czujnika : ") + c.name) << c.sensor;
        EXPECT_EQ(lines[2], c.rangeLine) << c.sensor;
    }
    DeviceRecord d = pt100();
    d.thresholdActive = 0;
    d.filterOrder = 0;
    d.breakSignal = 1;
    d.rangeMin = -0.1f;
    const std::vector<std::string> lines = reportLines(d);
    EXPECT_EQ(lines[1], "Sygnalizacja przerwy : na min");
    EXPECT_EQ(lines[2], "Zakres min : -0.1000000015 °C") << "the float as it is held, to ten digits";
    d.rangeMax = std::numeric_limits<float>::quiet_NaN();
    EXPECT_EQ(reportLines(d)[3], "Zakres max :  °C") << "a value sent as no number is none";
    EXPECT_EQ(lines[4], "Próg : nie aktywny");
    EXPECT_EQ(lines[6], "Filtr : wyłączony");
    d.filterOrder = 1;
    d.filterTime = 3;
    EXPECT_EQ(reportLines(d)[6], "Filtracja : rząd:1 , 0 sek");
}

// The report is composed in Polish and shown in the language started: every line of it, values
// and all, must be found again in English.
TEST(Report, ShownInEnglishLineByLineWithTheValuesKept) {
    ASSERT_TRUE(startLanguage(Language::English));
    std::tm day{};
    day.tm_year = 126;
    day.tm_mon = 11;
    day.tm_mday = 6;
    const ReportHeader header = reportHeader(pt100(), day, 2, 3);
    EXPECT_EQ(shownText(header.model), "Config. of transmitter type : DOXA-22");
    EXPECT_EQ(shownText(header.serial), "Serial number : 1193046");
    EXPECT_EQ(shownText(header.date), "Date : 06.12.2026");
    EXPECT_EQ(shownText(header.page), " Page: 2/3");
    std::vector<std::string> shown;
    for (const std::string& line : reportLines(pt100())) shown.push_back(shownText(line));
    EXPECT_EQ(shown, (std::vector<std::string>{
                         "Sensor type : Pt100 (385).",
                         "Break signalling : at max",
                         "Range min : 100. °C",
                         "Range max : 300. °C",
                         "Threshold : 120. °C , min",
                         "Hysteresis : 2.5 °C",
                         "Filtering : order:2 , 5 s",
                         "Address : 3",
                     }));
    DeviceRecord off = pt100();
    off.sensorType = 3;
    off.thresholdActive = 0;
    off.filterOrder = 0;
    const std::vector<std::string> lines = reportLines(off);
    EXPECT_EQ(shownText(lines[0]), "Sensor type : Voltage.");
    EXPECT_EQ(shownText(lines[4]), "Threshold : not active");
    EXPECT_EQ(shownText(lines[6]), "Filter : off");
    startLanguage(Language::Polish);
}

}  // namespace
}  // namespace doxa::test
