#pragma once

#include <string>

namespace doxa {

class SettingsStore;

inline constexpr int PortCount = 12;

// "COM1" .. "COM12" for port numbers 0..11; empty for any other number.
std::string portName(int portNumber);

// Where a port number leads: a device path, or the in-process simulated transmitter of a model.
struct PortTarget {
    std::string devicePath;
    std::string simModel;  // set when the port is mapped to "sim:MODEL"
};

// Reads the mapping from the settings section "Porty" (keys "COM1".."COM12"); an unmapped port
// falls back to the usual device of its number. An invalid port number leads nowhere.
PortTarget resolvePort(const SettingsStore& settings, int portNumber);

}  // namespace doxa
