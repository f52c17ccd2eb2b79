// The calibration dialogs against transmitters that answer later, in pieces or at the very end
// of the wait: the technician is told what an immediate answer tells, and the transmitter holds
// what was set.

#include <gtest/gtest.h>

#include "calibration/dialog_session.h"
#include "calibration/output_current_dlg.h"
#include "support/timing_scenario.h"

namespace doxa::test {
namespace {

using O = COutputCurrentDlg;

// The output read at opening, then forced to 12.5 mA.
TimingOutcome outputCurrentSession(const sim::AnswerTiming& timing, bool rs485) {
    DialogSession<O> o(sim::Model::Doxa22, rs485);
    o.sim.transmitter->timing = timing;
    o.sim.device().fixedOutput = 7.25F;
    EXPECT_TRUE(o.open());
    std::vector<std::string> shown{o.text(O::Value), o.text(O::Status)};
    o.window.type(O::Value, "12.5");
    o.window.click(O::Set);
    EXPECT_TRUE(o.sim.clock.advanceUntil([&] { return o.text(O::Status) == "Wyjście ustawione"; },
                                         20'000, 1));
    EXPECT_TRUE(o.settle());
    shown.push_back(o.text(O::Status));
    EXPECT_EQ(shown.front(), "7.25");
    return outcomeOf(o.sim, shown);
}

void holdsTwelveAndAHalf(const sim::State& s) { EXPECT_EQ(s.fixedOutput, 12.5F); }

const std::vector<TimingScenario> CalibrationScenarios = {
    {"OutputCurrentHart", [](const sim::AnswerTiming& t) { return outputCurrentSession(t, false); },
     holdsTwelveAndAHalf},
    {"OutputCurrentRs485", [](const sim::AnswerTiming& t) { return outputCurrentSession(t, true); },
     holdsTwelveAndAHalf},
};

class CalibrationTiming
    : public ::testing::TestWithParam<std::tuple<TimingScenario, TimingVariant>> {};

TEST_P(CalibrationTiming, TellsAndLeavesWhatAnImmediateAnswerDoes) {
    expectAsWithImmediateAnswers(std::get<0>(GetParam()), std::get<1>(GetParam()));
}

INSTANTIATE_TEST_SUITE_P(Variants, CalibrationTiming,
                         ::testing::Combine(::testing::ValuesIn(CalibrationScenarios),
                                            ::testing::ValuesIn(TimingVariants)),
                         [](const auto& info) { return scenarioAndVariant(info); });

}  // namespace
}  // namespace doxa::test
