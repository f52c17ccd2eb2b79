#include "figure.h"

#include <algorithm>
#include <cstdio>
#include <string>

namespace doxa::bench {

bool reportFigure(std::string_view name, double figure, double atMost, std::string_view against) {
    const bool met = figure <= atMost;
    std::printf("%-20s %9.4g  (at most %g)  %-6s  %s\n", std::string(name).c_str(), figure, atMost,
                met ? "ok" : "MISSED", std::string(against).c_str());
    std::fflush(stdout);
    return met;
}

double median(std::vector<double> values) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

}  // namespace doxa::bench
