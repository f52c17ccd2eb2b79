#include "link/posix_serial_line.h"

#include <fcntl.h>
#include <linux/serial.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>

namespace doxa {

namespace {

speed_t speedConstant(int baud) {
    switch (baud) {
    case 1200: return B1200;
    case 2400: return B2400;
    case 4800: return B4800;
    case 9600: return B9600;
    case 19200: return B19200;
    case 38400: return B38400;
    default: return B0;
    }
}

// A pseudo-terminal or an adapter without modem lines refuses the modem ioctls this way;
// there is simply no line to drive.
bool lacksModemLines(int error) { return error == ENOTTY || error == EINVAL; }

}  // namespace

PosixSerialLine::PosixSerialLine(std::string devicePath) : devicePath_(std::move(devicePath)) {}

PosixSerialLine::~PosixSerialLine() { close(); }

bool PosixSerialLine::open() {
    if (fd_ >= 0) return true;
    fd_ = ::open(devicePath_.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd_ < 0) return false;
    if (!isatty(fd_)) {
        close();
        return false;
    }
    // Exclusive use, as the transmitter's line must not be shared; a refusal is not fatal.
    ioctl(fd_, TIOCEXCL);
    seen_ = {};
    readCounters(seen_);
    return true;
}

bool PosixSerialLine::configure(int baud, Parity parity) {
    const speed_t speed = speedConstant(baud);
    if (fd_ < 0 || speed == B0) return false;
    termios tio{};
    if (tcgetattr(fd_, &tio) != 0) return false;
    cfmakeraw(&tio);
    tio.c_cflag &= ~(CSIZE | CSTOPB | PARENB | PARODD | CRTSCTS | HUPCL);
    tio.c_cflag |= CS8 | CLOCAL | CREAD;
    if (parity == Parity::Odd) tio.c_cflag |= PARENB | PARODD;
    // Parity is sent but not checked on input, and no byte is ever replaced or dropped.
    tio.c_iflag &= ~(INPCK | IGNPAR | PARMRK | IXON | IXOFF | IXANY | ISTRIP | IGNBRK | BRKINT);
    tio.c_cc[VMIN] = 0;
    tio.c_cc[VTIME] = 0;
    if (cfsetispeed(&tio, speed) != 0 || cfsetospeed(&tio, speed) != 0) return false;
    if (tcsetattr(fd_, TCSANOW, &tio) == 0) return true;
    // A pseudo-terminal holds no parity: the C library reports the dropped parity bit as a
    // failure although everything else was applied. That is the simulator's line, not a fault.
    termios applied{};
    return errno == EINVAL && parity == Parity::Odd && tcgetattr(fd_, &applied) == 0 &&
           cfgetospeed(&applied) == speed && (applied.c_cflag & CSIZE) == CS8 &&
           (applied.c_cflag & PARENB) == 0;
}

bool PosixSerialLine::setModemLine(int line, bool raised) {
    if (fd_ < 0) return false;
    if (ioctl(fd_, raised ? TIOCMBIS : TIOCMBIC, &line) == 0) return true;
    return lacksModemLines(errno);
}

bool PosixSerialLine::setDtr(bool raised) { return setModemLine(TIOCM_DTR, raised); }

void PosixSerialLine::setRts(bool raised) { setModemLine(TIOCM_RTS, raised); }

int PosixSerialLine::queuedInput() {
    int count = 0;
    if (fd_ < 0 || ioctl(fd_, FIONREAD, &count) != 0) return 0;
    return count;
}

int PosixSerialLine::read(std::uint8_t* buffer, int maxCount) {
    if (fd_ < 0 || maxCount <= 0) return 0;
    const ssize_t got = ::read(fd_, buffer, static_cast<size_t>(maxCount));
    return got > 0 ? static_cast<int>(got) : 0;
}

int PosixSerialLine::write(const std::uint8_t* bytes, int count) {
    if (fd_ < 0 || count <= 0) return 0;
    const ssize_t put = ::write(fd_, bytes, static_cast<size_t>(count));
    return put > 0 ? static_cast<int>(put) : 0;
}

void PosixSerialLine::drain() {
    if (fd_ >= 0) tcdrain(fd_);
}

void PosixSerialLine::purge() {
    if (fd_ >= 0) tcflush(fd_, TCIOFLUSH);
}

bool PosixSerialLine::readCounters(Counters& counters) const {
    serial_icounter_struct icount{};
    if (fd_ < 0 || ioctl(fd_, TIOCGICOUNT, &icount) != 0) return false;
    counters = {icount.frame, icount.overrun, icount.parity, icount.brk, icount.buf_overrun};
    return true;
}

std::uint32_t PosixSerialLine::takeErrors() {
    Counters now;
    if (!readCounters(now)) return 0;
    std::uint32_t mask = 0;
    if (now.frame != seen_.frame) mask |= CeFrame;
    if (now.overrun != seen_.overrun) mask |= CeOverrun;
    if (now.parity != seen_.parity) mask |= CeRxParity;
    if (now.brk != seen_.brk) mask |= CeBreak;
    if (now.bufferOverrun != seen_.bufferOverrun) mask |= CeRxOver;
    seen_ = now;
    return mask;
}

void PosixSerialLine::close() {
    if (fd_ < 0) return;
    ::close(fd_);
    fd_ = -1;
}

}  // namespace doxa
