// Identification and the live display against transmitters that answer later, in pieces or at
// the very end of the wait: the technician sees what an immediate answer shows, and every
// request goes out once.

#include <gtest/gtest.h>

#include "support/answer_timings.h"
#include "support/fake_window.h"
#include "support/sim_station.h"
#include "transmitter/display_dlg.h"
#include "transmitter/ident_dlg.h"

namespace doxa::test {
namespace {

struct Line {
    bool rs485;
    const char* name;
};

class AnswerTiming : public ::testing::TestWithParam<std::tuple<TimingVariant, Line>> {
protected:
    SimStation station(const sim::AnswerTiming& timing) const {
        return SimStation(sim::Model::Doxa22, sim::Options{.serialNumber = 5150, .timing = timing});
    }
    static void prepare(SimStation& sim, bool rs485) {
        sim.device().sensorCode = 4;  // thermocouple K
        sim.device().rangeLower = -20;
        sim.device().rangeUpper = 480;
        sim.device().input = 123.4f;
        if (rs485) sim.useRs485();
    }
    const sim::AnswerTiming& timing() const { return std::get<0>(GetParam()).timing; }
    bool rs485() const { return std::get<1>(GetParam()).rs485; }
};

// Everything identification shows once it has ended.
std::vector<std::string> identified(SimStation& sim) {
    CInitDlg dialog(sim.station);
    FakeWindow window(dialog, sim.clock);
    EXPECT_TRUE(window.open());
    EXPECT_TRUE(sim.clock.advanceUntil([&] { return window.text(CInitDlg::ProgressText) == "Koniec"; }, 60'000));
    std::vector<std::string> shown;
    for (int id = CInitDlg::SensorText; id <= CInitDlg::ProgressText; ++id) shown.push_back(window.text(id));
    return shown;
}

TEST_P(AnswerTiming, IdentificationShowsWhatAnImmediateAnswerShowsAndAsksEachOnce) {
    SimStation immediate = station({});
    prepare(immediate, rs485());
    const std::vector<std::string> expected = identified(immediate);

    SimStation sim = station(timing());
    prepare(sim, rs485());
    EXPECT_EQ(identified(sim), expected);
    EXPECT_EQ(sim.station.device.serialNumber, 5150);
    EXPECT_EQ(sim.station.device.modelName, "DOXA-22");
    EXPECT_EQ(sim.station.device.sensorType, 4);
    EXPECT_EQ(sim.station.device.rangeMin, -20.0F);
    EXPECT_EQ(sim.station.device.rangeMax, 480.0F);
    const std::vector<int> once = rs485() ? std::vector<int>{0x0138, 0x003D, 0x0168, 0x0056}
                                          : std::vector<int>{0, 147, 15, 200, 201};
    EXPECT_EQ(sim.requests(), once);
}

TEST_P(AnswerTiming, LiveDisplayShowsEveryValueOnEveryCycle) {
    SimStation sim = station(timing());
    prepare(sim, rs485());
    sim.device().fixedOutput = 12;
    CDisplayDlg dialog(sim.station);
    FakeWindow window(dialog, sim.clock);
    ASSERT_TRUE(window.open());
    // Identification and sensor, then three cycles: primary value, output, ambient temperature
    // (RS485 reads the first two together).
    const std::vector<int> cycle = rs485() ? std::vector<int>{0x00DC, 0x0110} : std::vector<int>{1, 2, 202};
    std::vector<int> expected = rs485() ? std::vector<int>{0x0138, 0x0047} : std::vector<int>{0, 147};
    for (int i = 0; i < 3; ++i) expected.insert(expected.end(), cycle.begin(), cycle.end());
    ASSERT_TRUE(sim.clock.advanceUntil([&] { return sim.writes().size() >= expected.size(); }, 60'000));
    ASSERT_TRUE(sim.clock.advanceUntil([&] { return sim.station.link.exchangeState == CDisplayDlg::SendPrimary; }, 5'000));
    EXPECT_EQ(sim.requests(), expected);
    EXPECT_EQ(window.text(CDisplayDlg::ModelText), "DOXA-22");
    EXPECT_EQ(window.text(CDisplayDlg::PrimaryValue), "123.4 °C");
    EXPECT_EQ(window.text(CDisplayDlg::OutputValue), "12.000 mA");
    EXPECT_EQ(window.text(CDisplayDlg::ProgressText).find("Brak"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Variants, AnswerTiming,
                         ::testing::Combine(::testing::ValuesIn(TimingVariants),
                                            ::testing::Values(Line{false, "Hart"}, Line{true, "Rs485"})),
                         [](const auto& info) {
                             return std::string(std::get<0>(info.param).name) + std::get<1>(info.param).name;
                         });

}  // namespace
}  // namespace doxa::test
