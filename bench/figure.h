#pragma once

#include <string_view>
#include <vector>

namespace doxa::bench {

// Prints one figure with what it was measured against and its target, as
//   "start-up time   1.12 (at most 1.30)  ok   doxa-win 180 ms, bare window 161 ms"
// and returns whether the target was met.
bool reportFigure(std::string_view name, double figure, double atMost, std::string_view against);

// The median of a few noisy measurements.
double median(std::vector<double> values);

}  // namespace doxa::bench
