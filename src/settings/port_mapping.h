#pragma once

#include "link/port_names.h"

namespace doxa {

class SettingsStore;

// Reads the mapping from the settings section "Porty" (keys "COM1".."COM12"); an unmapped port
// falls back to the usual device of its number. An invalid port number leads nowhere.
PortTarget resolvePort(const SettingsStore& settings, int portNumber);

}  // namespace doxa
