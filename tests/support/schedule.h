#pragma once

#include <functional>
#include <ostream>
#include <vector>

#include "support/fake_window.h"
#include "support/virtual_clock.h"
#include "transmitter/exchange.h"

namespace doxa::test {

// One step of an exchange: the state it moved to and the wait the timer got for it.
struct Step {
    int state;
    int waitMs;
    bool operator==(const Step&) const = default;
};
inline std::ostream& operator<<(std::ostream& out, const Step& step) {
    return out << "{" << step.state << ", " << step.waitMs << "}";
}

// Follows an exchange in 1 ms ticks and notes every change of state until `count` steps are noted or
// `maxMs` has passed: the wait of each timer step, not only the length of a whole cycle.
inline std::vector<Step> recordSteps(VirtualClock& clock, const FakeWindow& window,
                                     const std::function<int()>& state, std::size_t count,
                                     int timer = ExchangeTimer, std::int64_t maxMs = 60000) {
    std::vector<Step> steps;
    int last = state();
    for (std::int64_t waited = 0; steps.size() < count && waited < maxMs; ++waited) {
        clock.advance(1);
        if (state() == last) continue;
        last = state();
        steps.push_back({last, window.timerInterval(timer)});
    }
    return steps;
}

}  // namespace doxa::test
