#include <algorithm>
#include <ostream>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "cli/console.h"
#include "cli/exit_codes.h"
#include "cli/text_format.h"
#include "link/screen_text.h"
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

// A column as wide as its widest entry or its head, and two blanks.
std::size_t widest(const std::vector<SerialDevice>& devices, std::string SerialDevice::*field,
                   std::string_view head) {
    std::size_t width = characterCount(head);
    for (const SerialDevice& d : devices) width = std::max(width, characterCount(d.*field));
    return width + 2;
}

void printTable(std::vector<SerialDevice> devices, std::ostream& out) {
    for (SerialDevice& d : devices) d.description = shownText(d.description);
    const std::string pathHead = shownText(UI_TEXT("Urządzenie"));
    const std::string ttyHead = "tty";
    const std::string descriptionHead = shownText(UI_TEXT("Opis"));
    const std::size_t pathWidth = widest(devices, &SerialDevice::path, pathHead);
    const std::size_t ttyWidth = widest(devices, &SerialDevice::tty, ttyHead);
    const std::size_t descriptionWidth = widest(devices, &SerialDevice::description, descriptionHead);
    out << padded(pathHead, pathWidth) << padded(ttyHead, ttyWidth) << padded(descriptionHead, descriptionWidth)
        << shownText(UI_TEXT("Dostęp")) << '\n';
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
