#include "link/port_names.h"

#include <string_view>

namespace doxa {

namespace {

constexpr std::string_view SimPrefix = "sim:";

// Four built-in ports, four USB adapters, four modem-class adapters.
std::string defaultDevice(int portNumber) {
    static constexpr const char* Families[] = {"/dev/ttyS", "/dev/ttyUSB", "/dev/ttyACM"};
    return Families[portNumber / 4] + std::to_string(portNumber % 4);
}

std::string_view trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

}  // namespace

std::string portName(int portNumber) {
    if (portNumber < 0 || portNumber >= PortCount) return {};
    return "COM" + std::to_string(portNumber + 1);
}

PortTarget portTarget(int portNumber, std::string_view mapping) {
    if (portName(portNumber).empty()) return {};
    const std::string_view value = trimmed(mapping);
    if (value.empty()) return {defaultDevice(portNumber), {}};
    if (value.starts_with(SimPrefix)) return {{}, std::string(trimmed(value.substr(SimPrefix.size())))};
    return {std::string(value), {}};
}

}  // namespace doxa
