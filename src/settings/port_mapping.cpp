#include "settings/port_mapping.h"

#include <string>

#include "settings/settings_keys.h"
#include "transmitter/settings_store.h"

namespace doxa {

PortTarget resolvePort(const SettingsStore& settings, int portNumber) {
    const std::string name = portName(portNumber);
    if (name.empty()) return {};
    return portTarget(portNumber, settings.readText(PortMapSection, name, ""));
}

}  // namespace doxa
