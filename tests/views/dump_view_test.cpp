#include "views/dump_view.h"

#include <gtest/gtest.h>

#include <optional>

#include "settings/shown_language.h"
#include "support/sim_station.h"

namespace doxa::test {
namespace {

constexpr Rgb Blue{0, 0, 255};
constexpr Rgb Green{33, 161, 97};

// The main view's texts after a dump of `page` from a simulated transmitter.
struct View {
    explicit View(bool oldGeneration = false) : sim(sim::Model::Doxa22, sim::Options{.oldGeneration = oldGeneration}) {
        sim::State& s = sim.device();
        s.sensorCode = 1;
        s.rangeLower = -50;
        s.rangeUpper = 150;
        s.breakToMin = true;
        s.thresholdMode = 2;
        s.threshold = 50;
        s.thresholdRelease = 48.5f;
        s.filterOrder = 2;
        s.filterTimeCode = 0x7C;
        s.delta = 3;
        s.outputBits = 0x30;
        s.input = 120;
        sim.station.device.hasAmbient = oldGeneration ? 0 : 1;
    }
    void dump(sim::Page page, DumpSelection selection) {
        const sim::PageBytes bytes = sim.transmitter->page(page);
        for (int a = 0; a < 256; ++a) sim.station.dumpBuffer[255 - a] = bytes[a];
        sim.station.dumpSelection = selection;
        texts = dumpViewTexts(sim.station);
    }
    // The listing text at line k (1 = first) and x; nullopt when there is none.
    std::optional<std::string> at(int line, int x) const {
        for (const ViewText& t : texts)
            if (t.line == FirstListingLine + line - 1 && t.x == x) return t.text;
        return std::nullopt;
    }
    std::size_t listingSize() const {
        std::size_t n = 0;
        for (const ViewText& t : texts) n += t.line >= FirstListingLine;
        return n;
    }

    SimStation sim;
    std::vector<ViewText> texts;
};

TEST(DumpView, GridBeforeAnyDumpAndAfterAnEmptyAnswer) {
    View view;
    view.texts = dumpViewTexts(view.sim.station);
    ASSERT_EQ(view.texts.size(), 16u + 16u * 17u);
    EXPECT_EQ(view.texts[0], (ViewText{100, 1, "00", Red}));
    EXPECT_EQ(view.texts[15], (ViewText{550, 1, "0f", Red}));
    EXPECT_EQ(view.texts[16], (ViewText{50, 2, "00", Red})) << "the label of row 0";
    EXPECT_EQ(view.texts[16 + 17], (ViewText{50, 3, "0x10", Red}));
    for (const ViewText& t : view.texts) {
        if (t.x >= 100 && t.line >= 2) {
            EXPECT_EQ(t.colour, Green);
        }
    }
    EXPECT_EQ(view.listingSize(), 0u);

    view.sim.station.dumpBuffer.fill(0xFF);  // a dump that received nothing
    view.sim.station.dumpSelection = DumpSelection::None;
    view.texts = dumpViewTexts(view.sim.station);
    EXPECT_EQ(view.texts[18], (ViewText{130, 2, "ff", Blue}));
    EXPECT_EQ(view.listingSize(), 0u);
}

TEST(DumpView, CellsShowPageAddressesAndRam1LabelsCountFrom0x100) {
    View view;
    view.sim.station.dumpBuffer[255 - 0x21] = 0xAB;  // page address 0x21: row 2, column 1
    view.sim.station.dumpSelection = DumpSelection::Ram1;
    view.texts = dumpViewTexts(view.sim.station);
    EXPECT_EQ(view.texts[16 + 2 * 17 + 2], (ViewText{130, 4, "ab", Black}));
    EXPECT_EQ(view.texts[16].text, "10");
    EXPECT_EQ(view.texts[16 + 17].text, "1x10");
    EXPECT_EQ(view.texts[16 + 15 * 17].text, "1xf0");
}

struct Expected {
    int line, x;
    const char* text;
};

TEST(DumpView, ListingsOfTheCurrentGenerationDecodeFourByteNumbers) {
    View view;
    view.dump(sim::Page::EepromHigh, DumpSelection::EepromHigh);
    for (const Expected& e : {Expected{1, 50, "Czujnik = Pt100 (385)."}, Expected{1, 250, "Zakres min = -50."},
                              Expected{1, 450, "Zakres max = 150."},
                              Expected{2, 50, "Wyjście prądowe 4...20mA"},
                              Expected{2, 250, "Sygnalizacja przerwy na min."}, Expected{7, 50, "Filtr_1 = 124."},
                              Expected{7, 150, "Filtr_2 = 2."}, Expected{7, 250, "Delta = 3."},
                              Expected{8, 50, "Próg L1 = 50."}, Expected{8, 250, "Histereza progu = 48.5"},
                              Expected{8, 400, " max."}, Expected{3, 50, "Poprawka CYS_I = 18.4"}})
        EXPECT_EQ(view.at(e.line, e.x), e.text) << e.line << "/" << e.x;
    EXPECT_EQ(view.listingSize(), 21u);

    view.dump(sim::Page::Ram0, DumpSelection::Ram0);
    EXPECT_EQ(view.at(2, 50), "Czujnik = Pt100 (385).");
    EXPECT_EQ(view.at(3, 50), "Wyjście prądowe ");
    EXPECT_EQ(view.at(4, 200), "Zakres max = 150.");
    EXPECT_EQ(view.at(6, 50), "Filtr_1 = 124.");
    EXPECT_EQ(view.at(6, 150), "Filtr_2 = 2.");
    EXPECT_EQ(view.listingSize(), 13u);

    view.sim.device().input.reset();
    view.dump(sim::Page::Ram1, DumpSelection::Ram1);
    EXPECT_EQ(view.at(1, 50), std::nullopt) << "line 1 stays empty";
    EXPECT_TRUE(view.at(2, 50)->starts_with("Temperatura = "));
    EXPECT_EQ(view.listingSize(), 6u);

    view.dump(sim::Page::EepromLow, DumpSelection::EepromLow);
    EXPECT_EQ(view.listingSize(), 0u);
}

// The listing is composed in Polish; in English each text is found again with its value kept, and
// the register names stay as they are.
TEST(DumpView, ListingsReadInEnglishWithTheirValuesKept) {
    ASSERT_TRUE(startLanguage(Language::English));
    View view;
    view.dump(sim::Page::EepromHigh, DumpSelection::EepromHigh);
    for (const Expected& e : {Expected{1, 50, "Sensor = Pt100 (385)."}, Expected{1, 250, "Range min = -50."},
                              Expected{2, 50, "Current output 4...20mA"},
                              Expected{2, 250, "Break signalled at min."}, Expected{7, 50, "Filtr_1 = 124."},
                              Expected{8, 50, "Threshold L1 = 50."}, Expected{8, 250, "Threshold hyst. = 48.5"},
                              Expected{3, 50, "Corr. CYS_I = 18.4"}})
        EXPECT_EQ(shownText(view.at(e.line, e.x).value_or("")), e.text) << e.line << "/" << e.x;
    view.dump(sim::Page::Ram0, DumpSelection::Ram0);
    EXPECT_EQ(shownText(view.at(1, 50).value_or("")).substr(0, 10), "Address = ");
    EXPECT_EQ(shownText(view.at(3, 50).value_or("")), "Current output ");
    startLanguage(Language::Polish);
}

TEST(DumpView, ListingsOfTheOlderGenerationDecodeThreeByteNumbers) {
    View view(true);
    view.dump(sim::Page::EepromHigh, DumpSelection::EepromHigh);
    EXPECT_EQ(view.at(1, 250), "Zakres min = -50.");
    EXPECT_EQ(view.at(2, 50), "Sygnalizacja przerwy na min.");
    EXPECT_EQ(view.at(6, 250), "Histereza progu = 48.5");
    EXPECT_EQ(view.listingSize(), 16u);

    view.sim.station.device.threshold = 0;
    view.sim.station.device.hysteresis = 0;
    view.dump(sim::Page::Ram0, DumpSelection::Ram0);
    EXPECT_EQ(view.at(2, 190), "Zakres min = -50.");
    EXPECT_EQ(view.at(2, 440), " Sygnalizacja przerwy na min.");
    EXPECT_EQ(view.at(6, 50), "Próg L1 = 50.");
    EXPECT_EQ(view.at(6, 400), " max.");
    EXPECT_EQ(view.at(7, 50), "Wartość PV = 120.");
    EXPECT_EQ(view.listingSize(), 23u);
    // The live listing takes the threshold, and the release cut to a whole number as hysteresis.
    EXPECT_FLOAT_EQ(view.sim.station.device.threshold, 50);
    EXPECT_FLOAT_EQ(view.sim.station.device.hysteresis, 2);

    view.dump(sim::Page::Ram1, DumpSelection::Ram1);
    EXPECT_EQ(view.listingSize(), 0u) << "no RAM 1 listing for this generation";
}

TEST(DumpView, SensorNamesFollowTheRtdOnlyList) {
    View view;
    view.sim.station.dumpSelection = DumpSelection::EepromHigh;
    const std::pair<int, const char*> names[] = {{2, "Ni100."}, {3, "napięcie."}, {9, "TC T."}, {15, "y=f(x)"},
                                                 {12, "??????"}, {0x42, "Ni100."}};
    for (auto [code, name] : names) {
        view.sim.station.dumpBuffer[255 - 8] = static_cast<std::uint8_t>(code);
        view.texts = dumpViewTexts(view.sim.station);
        EXPECT_EQ(view.at(1, 50), std::string("Czujnik = ") + name) << code;
    }
    view.sim.station.device.isRtdOnly = 1;
    view.sim.station.dumpBuffer[255 - 8] = 2;
    view.texts = dumpViewTexts(view.sim.station);
    EXPECT_EQ(view.at(1, 50), "Czujnik = Pt100 (391).");
}

}  // namespace
}  // namespace doxa::test
