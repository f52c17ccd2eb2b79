#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "sim/answer_timing.h"

namespace doxa::test {

// The ways a transmitter may time its answers within the documented wait; every exchange must
// take each answer the first time, exactly as it takes an immediate one.
struct TimingVariant {
    const char* name;
    sim::AnswerTiming timing;
    friend void PrintTo(const TimingVariant& v, std::ostream* os) { *os << v.name; }
};

inline const std::vector<TimingVariant> TimingVariants = {
    {"Slower", {.replyDelayMs = 240}},
    {"InPieces", {.chunks = 4, .chunkGapMs = 60}},
    {"AtWaitEnd", {.atWaitEnd = true}},
    {"AtWaitEndInPieces", {.chunks = 3, .chunkGapMs = 100, .atWaitEnd = true}},
};

inline std::string variantName(const TimingVariant& v) { return v.name; }

}  // namespace doxa::test
