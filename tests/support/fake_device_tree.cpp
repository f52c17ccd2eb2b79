#include "support/fake_device_tree.h"

#include <fstream>

namespace doxa::test {

namespace fs = std::filesystem;

namespace {

void writeLine(const fs::path& file, const std::string& text) {
    if (!text.empty()) std::ofstream(file) << text << '\n';
}

}  // namespace

FakeDeviceTree::FakeDeviceTree() {
    fs::create_directories(dev());
    fs::create_directories(folder_.path() / "sys" / "class" / "tty");
}

void FakeDeviceTree::addNode(const std::string& tty) { std::ofstream(dev() / tty).put('\0'); }

void FakeDeviceTree::addUsbDevice(const std::string& tty, const std::string& maker, const std::string& product,
                                  const std::string& serial) {
    addNode(tty);
    const std::string bus = "1-" + std::to_string(++usbDevices_);
    const fs::path usb = folder_.path() / "sys" / "devices" / "pci0000:00" / "0000:00:14.0" / "usb1" / bus;
    const fs::path port = usb / (bus + ":1.0") / tty;
    fs::create_directories(port);
    writeLine(usb / "idVendor", "0403");
    writeLine(usb / "manufacturer", maker);
    writeLine(usb / "product", product);
    writeLine(usb / "serial", serial);
    const fs::path classEntry = folder_.path() / "sys" / "class" / "tty" / tty;
    fs::create_directories(classEntry);
    fs::create_directory_symlink(fs::relative(port, classEntry), classEntry / "device");
}

fs::path FakeDeviceTree::byId(const std::string& name) {
    fs::create_directories(dev() / "serial" / "by-id");
    return dev() / "serial" / "by-id" / name;
}

void FakeDeviceTree::addByIdLink(const std::string& name, const fs::path& target) {
    fs::create_symlink(target, byId(name));
}

void FakeDeviceTree::addBuiltInPort(const std::string& tty, int type) {
    addNode(tty);
    const fs::path classEntry = folder_.path() / "sys" / "class" / "tty" / tty;
    fs::create_directories(classEntry);
    writeLine(classEntry / "type", std::to_string(type));
}

void FakeDeviceTree::remove(const std::string& tty) {
    fs::remove(dev() / tty);
    std::error_code none;
    for (const fs::directory_entry& link : fs::directory_iterator(dev() / "serial" / "by-id", none))
        if (fs::read_symlink(link.path()).filename() == tty) fs::remove(link.path());
}

}  // namespace doxa::test
