#include "sim/faults.h"

namespace doxa::sim {

FaultVerdict FaultInjector::decide(const Faults& faults, std::uint64_t requestNumber) {
    FaultVerdict v;
    v.drop = strikes(faults.drop, requestNumber);
    v.truncate = strikes(faults.truncate, requestNumber);
    v.garble = strikes(faults.garble, requestNumber);
    v.late = strikes(faults.late, requestNumber);
    v.losePreambles = strikes(faults.losePreambles, requestNumber);
    v.notImplemented = strikes(faults.notImplemented, requestNumber);
    v.loseCalibration = strikes(faults.loseCalibration, requestNumber);
    v.stale = strikes(faults.stale, requestNumber);
    return v;
}

bool FaultInjector::strikes(const FaultRule& rule, std::uint64_t requestNumber) {
    if (rule.onRequest != 0 && rule.onRequest == requestNumber) return true;
    // No draw for a fault that is off, so switching one fault on leaves the others' sequence
    // as it was.
    return rule.probability > 0 && unit() < rule.probability;
}

void FaultInjector::truncate(std::vector<std::uint8_t>& answer) {
    if (answer.size() < 2) return;
    answer.resize(static_cast<std::size_t>(uniform(1, static_cast<int>(answer.size()) - 1)));
}

void FaultInjector::garble(std::vector<std::uint8_t>& answer, std::size_t from) {
    if (from >= answer.size()) from = 0;
    if (answer.empty()) return;
    const auto at = static_cast<std::size_t>(uniform(static_cast<int>(from), static_cast<int>(answer.size()) - 1));
    answer[at] ^= static_cast<std::uint8_t>(uniform(1, 255));
}

int FaultInjector::uniform(int low, int high) {
    if (high <= low) return low;
    const auto span = static_cast<std::uint64_t>(high - low) + 1;
    return low + static_cast<int>(random_() % span);
}

// Spelled out rather than left to a standard distribution, whose results differ between
// library implementations.
double FaultInjector::unit() { return static_cast<double>(random_() >> 11) * 0x1.0p-53; }

}  // namespace doxa::sim
