#pragma once

#include <string>

#include "link/serial_line.h"

namespace doxa {

// A serial device (or pseudo-terminal) driven through termios and ioctl.
class PosixSerialLine : public SerialLine {
public:
    explicit PosixSerialLine(std::string devicePath);
    ~PosixSerialLine() override;
    PosixSerialLine(const PosixSerialLine&) = delete;
    PosixSerialLine& operator=(const PosixSerialLine&) = delete;

    bool open() override;
    bool configure(int baud, Parity parity) override;
    bool setDtr(bool raised) override;
    void setRts(bool raised) override;
    int queuedInput() override;
    int queuedOutput() override;
    int read(std::uint8_t* buffer, int maxCount) override;
    int write(const std::uint8_t* bytes, int count) override;
    void drain() override;
    void purge() override;
    std::uint32_t takeErrors() override;
    void close() override;

    const std::string& devicePath() const { return devicePath_; }

private:
    struct Counters {
        int frame = 0, overrun = 0, parity = 0, brk = 0, bufferOverrun = 0;
    };
    bool readCounters(Counters& counters) const;
    bool setModemLine(int line, bool raised);

    std::string devicePath_;
    int fd_ = -1;
    Counters seen_;
};

}  // namespace doxa
