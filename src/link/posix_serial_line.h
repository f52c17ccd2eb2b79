#pragma once

#include <termios.h>

#include <optional>
#include <string>
#include <vector>

#include "link/serial_line.h"

namespace doxa {

// The line settings for a speed and parity, built on the device's current ones: 8 data bits,
// 1 stop bit, raw binary, no flow control, parity sent but not checked. Nullopt for a speed the
// line does not offer.
std::optional<termios> lineTermios(const termios& current, int baud, Parity parity);
// Whether the settings a device holds are the ones asked for. A pseudo-terminal carries no
// parity (the kernel drops it), so there only the speed has to have taken.
bool settingsTook(const termios& wanted, const termios& held, bool pseudoTerminal);

// Whether the open terminal `fd` is the one this program runs in: its settings are the user's,
// and no transmitter is on it.
bool isControllingTerminal(int fd);

// A serial device (or pseudo-terminal) driven through termios and ioctl. The device is taken for
// exclusive use while it is open; closing gives it back with the settings it had before.
class PosixSerialLine : public SerialLine {
public:
    // A device another live process has locked (a lock file in `lockFolders`, or exclusive use
    // taken on the device) is in use and is not opened.
    explicit PosixSerialLine(std::string devicePath,
                             std::vector<std::string> lockFolders = defaultLockFolders());
    ~PosixSerialLine() override;
    PosixSerialLine(const PosixSerialLine&) = delete;
    PosixSerialLine& operator=(const PosixSerialLine&) = delete;

    bool open() override;
    OpenFailure openFailure() const override { return failure_; }
    bool configure(int baud, Parity parity) override;
    bool setDtr(bool raised) override;
    void setRts(bool raised) override;
    int queuedInput() override;
    int queuedOutput() override;
    int read(std::uint8_t* buffer, int maxCount) override;
    int write(const std::uint8_t* bytes, int count) override;
    void drain() override;
    void purge() override;
    void discardInput() override;
    std::uint32_t takeErrors() override;
    void close() override;
    bool vanished() const override { return vanished_; }
    std::string device() const override { return devicePath_; }

    const std::string& devicePath() const { return devicePath_; }

private:
    struct Counters {
        int frame = 0, overrun = 0, parity = 0, brk = 0, bufferOverrun = 0;
    };
    bool readCounters(Counters& counters) const;
    bool setModemLine(int line, bool raised);
    // Notes a failed call: the errors by which a device that has gone shows itself.
    void noteFailure(int error);
    bool hungUp();
    // Closes what was opened and keeps why; false.
    bool fail(OpenFailure failure);

    std::string devicePath_;
    std::vector<std::string> lockFolders_;
    int fd_ = -1;
    OpenFailure failure_;
    // What the device held when it was opened, given back when it is closed.
    std::optional<termios> original_;
    // The exclusive lock was taken here (and not by someone before), so it is released here.
    bool lockedHere_ = false;
    Counters seen_;
    bool vanished_ = false;
};

}  // namespace doxa
