#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "sim/answer_timing.h"
#include "sim/sim_state.h"
#include "support/answer_timings.h"
#include "support/sim_station.h"

namespace doxa::test {

// What one run of a dialog came to: the texts the technician saw, the requests written (HART
// commands or first registers) and what the transmitter holds afterwards.
struct TimingOutcome {
    std::vector<std::string> shown;
    std::vector<int> requests;
    sim::State device;
};

inline TimingOutcome outcomeOf(SimStation& sim, std::vector<std::string> shown) {
    return {std::move(shown), sim.requests(), sim.device()};
}

// A technician's session with one exchanging dialog, run on a transmitter with the given answer
// timing; `holds` checks the transmitter's state afterwards against the values typed.
struct TimingScenario {
    const char* name;
    std::function<TimingOutcome(const sim::AnswerTiming&)> run;
    std::function<void(const sim::State&)> holds;
    // The dialog's own waits for some answer are shorter than the line's usual one, so an answer
    // at the very end of the usual wait comes after it.
    bool shorterWaits = false;
    friend void PrintTo(const TimingScenario& s, std::ostream* os) { *os << s.name; }
};

// However the answers are timed, the technician is told what an immediate answer tells, every
// request goes out as often as with an immediate answer, and the transmitter holds what was typed.
inline void expectAsWithImmediateAnswers(const TimingScenario& scenario,
                                         const TimingVariant& variant) {
    if (scenario.shorterWaits && variant.timing.atWaitEnd) GTEST_SKIP() << "answers after the dialog's own wait";
    const TimingOutcome immediate = scenario.run({});
    const TimingOutcome timed = scenario.run(variant.timing);
    EXPECT_EQ(timed.shown, immediate.shown);
    EXPECT_EQ(timed.requests, immediate.requests);
    scenario.holds(immediate.device);
    scenario.holds(timed.device);
}

template <typename Info>
std::string scenarioAndVariant(const Info& info) {
    return std::string(std::get<0>(info.param).name) + std::get<1>(info.param).name;
}

}  // namespace doxa::test
