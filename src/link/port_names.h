#pragma once

#include <string>
#include <string_view>

namespace doxa {

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

// Where a port leads by its mapping text (a device path or "sim:MODEL ..."); an empty mapping
// falls back to the usual device of its number. An invalid port number leads nowhere.
PortTarget portTarget(int portNumber, std::string_view mapping);

}  // namespace doxa
