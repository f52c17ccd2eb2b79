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
    // Set when the port is mapped to "sim:MODEL": the model, then any simulator options
    // (fault injection, say) as doxa-sim takes them.
    std::string simModel;
};

// Reads the mapping from the settings section "Porty" (keys "COM1".."COM12"); an unmapped port
// falls back to the usual device of its number. An invalid port number leads nowhere.
PortTarget resolvePort(const SettingsStore& settings, int portNumber);

}  // namespace doxa
