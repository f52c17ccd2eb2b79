#pragma once

#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "link/screen_text.h"

namespace doxa {

// A serial device present on this computer, as the port dialog and `doxa-cli ports` list it.
struct SerialDevice {
    // What to open and to keep in a port mapping: the /dev/serial/by-id link when the device has
    // one (it stays the same in any USB socket), else its /dev path.
    std::string path;
    std::string byId;  // the by-id name ("usb-FTDI_FT232R_USB_UART_A1B2-if00-port0"), or empty
    std::string tty;   // "ttyUSB0"; the link's own target when it leads outside /dev
    std::string maker, product, serial;  // from the USB device, where the system tells them
    std::string description;
    bool accessible = false;  // the current user may open it for reading and writing
    std::string hint;         // why not, and what to do; empty when accessible
};

// Whether the current user may open a device for reading and writing. Tests replace it: root
// may open anything.
using AccessCheck = std::function<bool(const std::string& path)>;
bool mayReadAndWrite(const std::string& path);

inline constexpr std::string_view NoAccessHint =
    UI_TEXT("brak dostępu – dodaj użytkownika do grupy dialout");

// Where the system's /dev and /sys are found: "/", or the folder in DOXA_DEVICE_ROOT (a fake
// device tree for tests).
std::string deviceRoot();

// The serial devices under `root` (its dev/ and sys/): USB adapters under their by-id links,
// then the built-in ports that really exist, then USB and ACM devices without a by-id link.
// Nothing is opened: a device is never touched while it is listed.
std::vector<SerialDevice> listSerialDevices(const std::string& root,
                                            const AccessCheck& mayOpen = mayReadAndWrite);

// A device named by its by-id name or by a part of it that only one by-id name holds (case
// does not matter). Otherwise `error` tells what is wrong with the name: the by-id names that
// hold it, or that none does and which devices are present.
struct DeviceLookup {
    std::string path;
    std::string error;
};
DeviceLookup findDeviceByName(std::span<const SerialDevice> devices, std::string_view name);

}  // namespace doxa
