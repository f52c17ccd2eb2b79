#include "sim/line_factory.h"

#include <chrono>
#include <map>
#include <optional>
#include <sstream>
#include <string_view>
#include <vector>

#include "settings/port_mapping.h"
#include "link/posix_serial_line.h"
#include "sim/sim_line.h"
#include "sim/sim_model.h"
#include "sim/sim_options.h"
#include "sim/transmitter.h"

namespace doxa {

namespace {

// "DOXA-22 --garble 0.2": the model and doxa-sim's options; nullopt when they make no sense.
std::optional<sim::SimOptions> simulatorOf(const std::string& mapping) {
    std::istringstream words(mapping);
    std::vector<std::string> args{"--model"};
    for (std::string word; words >> word;) args.push_back(word);
    if (args.size() < 2) return std::nullopt;
    const std::vector<std::string_view> views(args.begin(), args.end());
    sim::ParsedOptions parsed = sim::parseSimOptions(views);
    if (!parsed.error.empty() || parsed.options.help) return std::nullopt;
    return parsed.options;
}

// The simulated transmitters behind "sim:" ports, one per port, with the time their live values
// move on.
class SimulatedPorts {
public:
    std::unique_ptr<SerialLine> lineTo(int portNumber, const std::string& mapping,
                                       const sim::SimOptions& options) {
        Simulated& simulated = transmitters_[portNumber];
        // Another model or other options on the same port make another device.
        if (!simulated.transmitter || simulated.mapping != mapping) {
            simulated.transmitter =
                std::make_shared<sim::Transmitter>(options.model, options.transmitter);
            simulated.transmitter->faults = options.faults;
            simulated.mapping = mapping;
        }
        auto line = std::make_unique<sim::SimLine>(simulated.transmitter, [start = start_] {
            const auto elapsed = std::chrono::steady_clock::now() - start;
            return std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count();
        });
        line->keepRecords = false;
        line->deviceName = "sim:" + std::string(sim::modelName(options.model));
        line->frameBySilence = options.frameBySilence;
        return line;
    }

private:
    struct Simulated {
        std::shared_ptr<sim::Transmitter> transmitter;
        std::string mapping;
    };
    std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
    std::map<int, Simulated> transmitters_;
};

}  // namespace

LineFactory makeLineFactory(const SettingsStore& settings) {
    auto simulated = std::make_shared<SimulatedPorts>();
    return [&settings, simulated](int portNumber) -> std::unique_ptr<SerialLine> {
        const PortTarget target = resolvePort(settings, portNumber);
        if (!target.simModel.empty()) {
            // An unknown model or option leads nowhere, and opening the port then says so.
            const std::optional<sim::SimOptions> options = simulatorOf(target.simModel);
            return options ? simulated->lineTo(portNumber, target.simModel, *options) : nullptr;
        }
        if (target.devicePath.empty()) return nullptr;
        return std::make_unique<PosixSerialLine>(target.devicePath);
    };
}

}  // namespace doxa
