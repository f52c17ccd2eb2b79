#include "app/line_factory.h"

#include <chrono>
#include <map>
#include <optional>

#include "link/port_names.h"
#include "link/posix_serial_line.h"
#include "sim/sim_line.h"
#include "sim/transmitter.h"

namespace doxa {

namespace {

// The simulated transmitters behind "sim:" ports, one per port, with the time their live values
// move on.
class SimulatedPorts {
public:
    std::unique_ptr<SerialLine> lineTo(int portNumber, sim::Model model) {
        std::shared_ptr<sim::Transmitter>& transmitter = transmitters_[portNumber];
        // The mapping names the model; another model on the same port is another device.
        if (!transmitter || transmitter->model() != model)
            transmitter = std::make_shared<sim::Transmitter>(model);
        auto line = std::make_unique<sim::SimLine>(transmitter, [start = start_] {
            const auto elapsed = std::chrono::steady_clock::now() - start;
            return std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count();
        });
        line->keepRecords = false;
        return line;
    }

private:
    std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
    std::map<int, std::shared_ptr<sim::Transmitter>> transmitters_;
};

}  // namespace

LineFactory makeLineFactory(const SettingsStore& settings) {
    auto simulated = std::make_shared<SimulatedPorts>();
    return [&settings, simulated](int portNumber) -> std::unique_ptr<SerialLine> {
        const PortTarget target = resolvePort(settings, portNumber);
        if (!target.simModel.empty()) {
            // An unknown model leads nowhere, and opening the port then says so.
            const std::optional<sim::Model> model = sim::modelFromName(target.simModel);
            return model ? simulated->lineTo(portNumber, *model) : nullptr;
        }
        if (target.devicePath.empty()) return nullptr;
        return std::make_unique<PosixSerialLine>(target.devicePath);
    };
}

}  // namespace doxa
