#pragma once

#include <span>
#include <string>
#include <string_view>

#include "sim/transmitter.h"

namespace doxa::sim {

// What the doxa-sim command line asks for.
struct SimOptions {
    Model model = Model::Doxa22;
    Options transmitter;
    Faults faults;
    std::string linkPath;
    bool verbose = false;
    // MODBUS requests are framed by the line's silence (the pty server).
    bool frameBySilence = false;
    bool help = false;
};

struct ParsedOptions {
    SimOptions options;
    std::string error;  // empty when the command line was understood
};

// `args` without the program name.
ParsedOptions parseSimOptions(std::span<const std::string_view> args);
std::string simUsage();

}  // namespace doxa::sim
