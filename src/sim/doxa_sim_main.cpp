// doxa-sim: a simulated transmitter on a pseudo-terminal.

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "link/port.h"
#include "sim/pty_server.h"
#include "sim/sim_options.h"

int main(int argc, char** argv) {
    using namespace doxa::sim;
    const std::vector<std::string_view> args(argv + 1, argv + argc);
    const ParsedOptions parsed = parseSimOptions(args);
    if (!parsed.error.empty()) {
        std::fprintf(stderr, "doxa-sim: %s\nTry 'doxa-sim --help'.\n", parsed.error.c_str());
        return 2;
    }
    if (parsed.options.help) {
        std::fputs(simUsage().c_str(), stdout);
        return 0;
    }

    PtyServer server(parsed.options);
    std::string error;
    if (!server.start(error)) {
        std::fprintf(stderr, "doxa-sim: %s\n", error.c_str());
        return 1;
    }
    const SimOptions& o = parsed.options;
    std::printf("doxa-sim: %s at address %d on %s\n", std::string(modelName(o.model)).c_str(),
                o.transmitter.address, server.terminalPath().c_str());
    if (const auto line = o.transmitter.lineSettings)
        std::printf("doxa-sim: RS485 kept at %d baud, %s parity\n", doxa::baudRate(*line & 0x7F),
                    (*line & 0x80) ? "odd" : "no");
    if (!o.linkPath.empty()) std::printf("doxa-sim: link %s -> %s\n", o.linkPath.c_str(), server.terminalPath().c_str());
    std::fflush(stdout);
    return server.run();
}
