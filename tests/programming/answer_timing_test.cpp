// "Wyślij" against transmitters that answer later, in pieces or at the very end of the wait:
// every write goes out once, is confirmed, and the transmitter keeps it.

#include <gtest/gtest.h>

#include "programming/prog_dlg.h"
#include "programming_session.h"
#include "support/answer_timings.h"

namespace doxa::test {
namespace {

using D = CProgDlg;

class ProgrammingTiming : public ::testing::TestWithParam<std::tuple<TimingVariant, bool>> {};

TEST_P(ProgrammingTiming, EveryWriteIsConfirmedTheFirstTimeAndKept) {
    const auto& [variant, rs485] = GetParam();
    Session<CProgDlg> p(sim::Model::Doxa22, rs485);
    p.sim.transmitter->timing = variant.timing;
    p.sim.station.device.deltaValue = 7;
    ASSERT_TRUE(p.openReady());
    p.choose(D::SensorK);
    p.enter(D::RangeMin, "-50");
    p.enter(D::RangeMax, "300");
    p.pick({D::BreakMax, D::BreakMin}, D::BreakMin);
    p.pick({D::Order0, D::Order1, D::Order2}, D::Order2);

    const std::size_t from = p.sim.writes().size();
    EXPECT_EQ(p.program(), Saved);
    EXPECT_EQ(p.text(StepText), "Koniec programowania");
    // Range, sensor, filter and, over HART, the threshold: each once.
    const std::vector<int> once = rs485 ? std::vector<int>{0, 8, 12, 0x00ED} : std::vector<int>{35, 147, 201, 200};
    EXPECT_EQ(p.sim.requests(from), once);
    const sim::State& s = p.sim.device();
    EXPECT_EQ(s.sensorCode, 4);
    EXPECT_TRUE(s.breakToMin);
    EXPECT_EQ(s.rangeLower, -50.0f);
    EXPECT_EQ(s.rangeUpper, 300.0f);
    EXPECT_EQ(s.filterOrder, 2);
    EXPECT_EQ(s.delta, 7);
}

INSTANTIATE_TEST_SUITE_P(Variants, ProgrammingTiming,
                         ::testing::Combine(::testing::ValuesIn(TimingVariants), ::testing::Bool()),
                         [](const auto& info) {
                             return std::string(std::get<0>(info.param).name) + (std::get<1>(info.param) ? "Rs485" : "Hart");
                         });

}  // namespace
}  // namespace doxa::test
