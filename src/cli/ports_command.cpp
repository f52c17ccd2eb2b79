#include <algorithm>
#include <ostream>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "cli/console.h"
#include "cli/exit_codes.h"
#include "cli/text_format.h"
#include "dialog/screen_text.h"
#include "link/serial_devices.h"
#include "settings/shown_language.h"

namespace doxa::cli {

namespace {

void printJson(const std::vector<SerialDevice>& devices, std::ostream& out) {
    out << "[";
    for (std::size_t i = 0; i < devices.size(); ++i) {
        const SerialDevice& d = devices[i];
        out << (i == 0 ? "\n" : ",\n") << "{\"path\": " << jsonString(d.path) << ", \"by_id\": " << jsonString(d.byId)
            << ", \"tty\": " << jsonString(d.tty) << ", \"maker\": " << jsonString(d.maker)
            << ", \"product\": " << jsonString(d.product) << ", \"serial\": " << jsonString(d.serial)
            << ", \"accessible\": " << (d.accessible ? "true" : "false") << ", \"hint\": " << jsonString(d.hint) << "}";
    }
    out << (devices.empty() ? "]\n" : "\n]\n");
}

// A column as wide as its widest entry, and two blanks.
std::size_t widest(const std::vector<SerialDevice>& devices, std::string SerialDevice::*field, std::size_t least) {
    std::size_t width = least;
    for (const SerialDevice& d : devices) width = std::max(width, characterCount(d.*field));
    return width + 2;
}

void printTable(const std::vector<SerialDevice>& devices, std::ostream& out) {
    const std::size_t pathWidth = widest(devices, &SerialDevice::path, 10);
    const std::size_t ttyWidth = widest(devices, &SerialDevice::tty, 3);
    const std::size_t descriptionWidth = widest(devices, &SerialDevice::description, 4);
    out << padded(shownText(UI_TEXT("Urządzenie")), pathWidth) << padded("tty", ttyWidth)
        << padded(shownText(UI_TEXT("Opis")), descriptionWidth) << shownText(UI_TEXT("Dostęp")) << '\n';
    for (const SerialDevice& d : devices)
        out << padded(d.path, pathWidth) << padded(d.tty, ttyWidth) << padded(d.description, descriptionWidth)
            << shownText(d.accessible ? UI_TEXT("tak") : d.hint) << '\n';
}

}  // namespace

int runPorts(const Invocation& invocation, Console& console, std::ostream& out) {
    const std::vector<SerialDevice> devices = listSerialDevices(deviceRoot());
    if (invocation.json) {
        printJson(devices, out);
    } else if (devices.empty()) {
        console.error(UI_TEXT("nie ma żadnego urządzenia szeregowego"));
    } else {
        printTable(devices, out);
    }
    return ExitOk;
}

}  // namespace doxa::cli
