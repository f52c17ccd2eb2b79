#pragma once

#include <filesystem>
#include <string>

#include "support/sim_process.h"

namespace doxa::test {

// A /dev and /sys as the serial devices of a computer leave them, in a private folder: device
// nodes are plain files, sysfs entries are folders, files and the links udev and the kernel
// make. Removed with everything in it afterwards.
class FakeDeviceTree {
public:
    FakeDeviceTree();
    std::string root() const { return folder_.path().string(); }
    std::filesystem::path dev() const { return folder_.path() / "dev"; }

    // A USB adapter's tty ("ttyUSB0") with the USB device's strings in sysfs (two levels above
    // the tty's device, behind the interface, as the kernel lays them out); an empty string
    // leaves that attribute out.
    void addUsbDevice(const std::string& tty, const std::string& maker, const std::string& product,
                      const std::string& serial);
    // Where udev puts the by-id link `name`; the folder is made first.
    std::filesystem::path byId(const std::string& name);
    // /dev/serial/by-id/<name> leading to `target` as udev writes it ("../../ttyUSB0").
    void addByIdLink(const std::string& name, const std::filesystem::path& target);
    // A built-in port: its node and the UART type the serial core reports (0: placeholder).
    void addBuiltInPort(const std::string& tty, int type);
    // A node alone, nothing about it in sysfs.
    void addNode(const std::string& tty);
    // Pulls a device out: its node and any by-id link, as udev removes them.
    void remove(const std::string& tty);

private:
    TempFolder folder_;
    int usbDevices_ = 0;
};

}  // namespace doxa::test
