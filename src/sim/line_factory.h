#pragma once

#include <functional>
#include <memory>

#include "link/serial_line.h"

namespace doxa {

class SettingsStore;

using LineFactory = std::function<std::unique_ptr<SerialLine>(int portNumber)>;

// Builds the (unopened) line behind a port number as the "Porty" section maps it: the serial
// device, or for "sim:MODEL" a simulated transmitter of that model inside the program. Each
// simulated port keeps its one transmitter for as long as the factory lives, so whatever was
// programmed into it is still there after the port was closed and opened again. A port number
// that leads nowhere gives no line.
LineFactory makeLineFactory(const SettingsStore& settings);

}  // namespace doxa
