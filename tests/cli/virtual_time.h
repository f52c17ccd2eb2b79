#pragma once

#include <cstdint>

#include "cli/console_loop.h"
#include "support/virtual_clock.h"

namespace doxa::cli {

// doxa-cli's loop on the tests' virtual clock: a sleep moves the clock to its end at once.
class VirtualTime : public TimeSource {
public:
    std::int64_t nowMs() const override { return clock.now(); }
    bool sleepUntil(std::int64_t ms) override {
        if (ms > clock.now()) clock.advance(ms - clock.now());
        return true;
    }
    doxa::test::VirtualClock clock;
};

}  // namespace doxa::cli
