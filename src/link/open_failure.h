#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace doxa {

// Why a device could not be opened, as the open found it, so that the technician is told what
// to do about it rather than only that it failed.
struct OpenFailure {
    // The errno of the failed call; ENOTTY for a device that is no terminal, 0 when nothing
    // tells (a simulated line).
    int error = 0;
    // Who holds the device, where the system tells: "minicom, PID 1234".
    std::string holder;
    // The device is the terminal this program itself runs in.
    bool ownTerminal = false;
};

enum class OpenFailureReason { Unknown, Missing, NoPermission, InUse, NotSerial, OwnTerminal };

OpenFailureReason reasonOf(const OpenFailure& failure);

// The lock-file folders of serial devices, where programs that take a port leave their PID.
std::vector<std::string> defaultLockFolders();
// The live process that holds `devicePath` by a lock file LCK..NAME in one of `lockFolders`
// (NAME: the real device's file name), as "minicom, PID 1234"; nullopt when nobody does.
// A lock left by a process that has ended holds nothing.
std::optional<std::string> lockHolder(const std::vector<std::string>& lockFolders,
                                      const std::string& devicePath);

// What the technician reads below the box of a port that did not open: which port and device
// (when the line names it), why, and what to do.
std::string openFailureText(std::string_view portName, std::string_view device,
                            const OpenFailure& failure);
// The same for a port that leads to no device (none chosen, or none assigned to it).
std::string noDeviceText(std::string_view portName);

}  // namespace doxa
