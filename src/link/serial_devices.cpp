#include "link/serial_devices.h"

#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>

namespace doxa {

namespace fs = std::filesystem;

namespace {

// The device families listed besides the by-id links, in the order they are listed.
struct Family {
    std::string_view prefix;
    std::string_view description;  // when the system tells nothing about the device
};
constexpr Family BuiltIn{"ttyS", UI_TEXT("port szeregowy komputera")};
constexpr Family UsbSerial{"ttyUSB", UI_TEXT("adapter USB")};
constexpr Family UsbModem{"ttyACM", UI_TEXT("urządzenie USB (ACM)")};
constexpr std::string_view OtherDevice = UI_TEXT("urządzenie szeregowe");

std::string firstLine(const fs::path& file) {
    std::ifstream in(file);
    std::string line;
    std::getline(in, line);
    while (!line.empty() && std::isspace(static_cast<unsigned char>(line.back()))) line.pop_back();
    return line;
}

bool isUnder(const fs::path& path, const fs::path& folder) {
    const fs::path relative = path.lexically_relative(folder);
    return !relative.empty() && *relative.begin() != ".." && relative != ".";
}

struct UsbIdentity {
    std::string maker, product, serial;
};

// The sysfs entry of a tty leads to the device that carries it (a USB interface, or the
// adapter's own port below it); the USB device itself is the first folder above it that holds
// the vendor's strings.
UsbIdentity usbIdentity(const fs::path& root, const std::string& tty) {
    if (tty.empty() || tty.find('/') != std::string::npos) return {};
    std::error_code error;
    const fs::path sys = fs::weakly_canonical(root / "sys", error);
    fs::path folder = fs::canonical(root / "sys" / "class" / "tty" / tty / "device", error);
    if (error) return {};
    for (; isUnder(folder, sys); folder = folder.parent_path()) {
        if (fs::exists(folder / "idVendor") || fs::exists(folder / "manufacturer") || fs::exists(folder / "product"))
            return {firstLine(folder / "manufacturer"), firstLine(folder / "product"), firstLine(folder / "serial")};
    }
    return {};
}

// Linux makes ttyS0..31 whether or not a UART stands behind them; the serial core reports such
// a placeholder with the port type 0 (unknown). Asking sysfs keeps us from opening a device
// only to learn this, which may hang or toggle the modem lines of a real port.
bool isRealBuiltInPort(const fs::path& root, const std::string& tty) {
    const std::string type = firstLine(root / "sys" / "class" / "tty" / tty / "type");
    int value = 0;
    const auto [end, error] = std::from_chars(type.data(), type.data() + type.size(), value);
    return error == std::errc() && end == type.data() + type.size() && value != 0;
}

std::string describe(const UsbIdentity& usb, std::string_view fallback) {
    std::string text = usb.maker;
    if (!usb.product.empty()) text += (text.empty() ? "" : " ") + usb.product;
    if (text.empty()) text = fallback;
    if (usb.serial.empty()) return text;
    return formatText(UI_TEXT("%1, nr seryjny %2"), {text, usb.serial});
}

SerialDevice device(const fs::path& root, std::string path, std::string byId, std::string tty,
                    std::string_view fallback, const AccessCheck& mayOpen) {
    SerialDevice d;
    const UsbIdentity usb = usbIdentity(root, tty);
    d.path = std::move(path);
    d.byId = std::move(byId);
    d.tty = std::move(tty);
    d.maker = usb.maker;
    d.product = usb.product;
    d.serial = usb.serial;
    d.description = describe(usb, fallback);
    d.accessible = mayOpen(d.path);
    if (!d.accessible) d.hint = NoAccessHint;
    return d;
}

std::vector<fs::directory_entry> sortedEntries(const fs::path& folder) {
    std::vector<fs::directory_entry> entries;
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder, error)) entries.push_back(entry);
    std::sort(entries.begin(), entries.end());
    return entries;
}

// Where a by-id link leads: udev writes "../../ttyUSB0"; an absolute target is taken as it is.
fs::path linkTarget(const fs::path& link) {
    std::error_code error;
    const fs::path target = fs::read_symlink(link, error);
    if (error) return link;
    return target.is_absolute() ? target : (link.parent_path() / target).lexically_normal();
}

fs::path sameFile(const fs::path& path) {
    std::error_code error;
    const fs::path canonical = fs::weakly_canonical(path, error);
    return error ? path : canonical;
}

// "ttyUSB3" for a family "ttyUSB"; 3 is returned for ordering, -1 for any other name.
int familyNumber(std::string_view name, std::string_view prefix) {
    if (!name.starts_with(prefix) || name.size() == prefix.size()) return -1;
    int number = 0;
    const std::string_view digits = name.substr(prefix.size());
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
    return error == std::errc() && end == digits.data() + digits.size() ? number : -1;
}

std::vector<std::string> familyMembers(const fs::path& dev, std::string_view prefix) {
    std::vector<std::pair<int, std::string>> numbered;
    for (const fs::directory_entry& entry : sortedEntries(dev)) {
        std::string name = entry.path().filename().string();
        if (const int number = familyNumber(name, prefix); number >= 0) numbered.emplace_back(number, std::move(name));
    }
    std::sort(numbered.begin(), numbered.end());
    std::vector<std::string> names;
    for (auto& [number, name] : numbered) names.push_back(std::move(name));
    return names;
}

std::string lowered(std::string_view text) {
    std::string result(text);
    std::transform(result.begin(), result.end(), result.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return result;
}

std::string presentDevices(std::span<const SerialDevice> devices) {
    if (devices.empty()) return "no serial device is present";
    std::string text = "present are:";
    for (const SerialDevice& d : devices) text += "\n  " + d.path;
    return text;
}

}  // namespace

bool mayReadAndWrite(const std::string& path) { return ::access(path.c_str(), R_OK | W_OK) == 0; }

std::string deviceRoot() {
    const char* root = std::getenv("DOXA_DEVICE_ROOT");
    return root && *root ? root : "/";
}

std::vector<SerialDevice> listSerialDevices(const std::string& rootText, const AccessCheck& mayOpen) {
    const fs::path root(rootText);
    const fs::path dev = root / "dev";
    std::vector<SerialDevice> devices;
    std::set<fs::path> listed;
    for (const fs::directory_entry& entry : sortedEntries(dev / "serial" / "by-id")) {
        std::error_code error;
        if (!fs::exists(entry.path(), error)) continue;  // a link left behind by a device pulled out
        const fs::path target = linkTarget(entry.path());
        listed.insert(sameFile(target));
        const std::string tty = isUnder(target, dev) ? target.lexically_relative(dev).string() : target.string();
        const std::string_view fallback = familyNumber(tty, UsbModem.prefix) >= 0 ? UsbModem.description
                                          : familyNumber(tty, UsbSerial.prefix) >= 0 ? UsbSerial.description
                                                                                     : OtherDevice;
        devices.push_back(device(root, entry.path().string(), entry.path().filename().string(), tty, fallback, mayOpen));
    }
    for (const Family& family : {BuiltIn, UsbSerial, UsbModem}) {
        for (const std::string& tty : familyMembers(dev, family.prefix)) {
            const fs::path path = dev / tty;
            if (listed.contains(sameFile(path))) continue;
            if (family.prefix == BuiltIn.prefix && !isRealBuiltInPort(root, tty)) continue;
            devices.push_back(device(root, path.string(), {}, tty, family.description, mayOpen));
        }
    }
    return devices;
}

DeviceLookup findDeviceByName(std::span<const SerialDevice> devices, std::string_view name) {
    std::vector<const SerialDevice*> candidates;
    for (const SerialDevice& d : devices) {
        if (d.byId.empty()) continue;
        if (d.byId == name) return {d.path, {}};
        if (!name.empty() && lowered(d.byId).find(lowered(name)) != std::string::npos) candidates.push_back(&d);
    }
    if (candidates.size() == 1) return {candidates.front()->path, {}};
    if (candidates.empty()) return {{}, "no by-id name holds it; " + presentDevices(devices)};
    std::string text = "several by-id names hold it:";
    for (const SerialDevice* d : candidates) text += "\n  " + d->byId;
    return {{}, text};
}

}  // namespace doxa
