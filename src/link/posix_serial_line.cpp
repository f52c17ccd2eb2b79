#include "link/posix_serial_line.h"

#include <fcntl.h>
#include <linux/serial.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
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

// How a device that has been unplugged, or a pseudo-terminal whose far end closed, answers.
bool meansVanished(int error) { return error == EIO || error == ENXIO || error == ENODEV; }

// The slave ends of pseudo-terminals: the Unix 98 majors and the old BSD one.
bool isPseudoTerminal(int fd) {
    struct stat info {};
    if (fstat(fd, &info) != 0 || !S_ISCHR(info.st_mode)) return false;
    const unsigned int m = major(info.st_rdev);
    return (m >= 136 && m <= 143) || m == 3;
}

constexpr tcflag_t CharacterBits = CSIZE | CSTOPB | PARENB | PARODD;

}  // namespace

std::optional<termios> lineTermios(const termios& current, int baud, Parity parity) {
    const speed_t speed = speedConstant(baud);
    if (speed == B0) return std::nullopt;
    termios tio = current;
    cfmakeraw(&tio);
    tio.c_cflag &= ~(CharacterBits | CRTSCTS | HUPCL);
    tio.c_cflag |= CS8 | CLOCAL | CREAD;
    if (parity == Parity::Odd) tio.c_cflag |= PARENB | PARODD;
    // Parity is sent but not checked on input, and no byte is ever replaced or dropped.
    tio.c_iflag &= ~(INPCK | IGNPAR | PARMRK | IXON | IXOFF | IXANY | ISTRIP | IGNBRK | BRKINT);
    tio.c_cc[VMIN] = 0;
    tio.c_cc[VTIME] = 0;
    if (cfsetispeed(&tio, speed) != 0 || cfsetospeed(&tio, speed) != 0) return std::nullopt;
    return tio;
}

bool settingsTook(const termios& wanted, const termios& held, bool pseudoTerminal) {
    if (cfgetospeed(&held) != cfgetospeed(&wanted) || cfgetispeed(&held) != cfgetispeed(&wanted))
        return false;
    return pseudoTerminal || (held.c_cflag & CharacterBits) == (wanted.c_cflag & CharacterBits);
}

bool isControllingTerminal(int fd) {
    const pid_t session = tcgetsid(fd);
    return session != -1 && session == getsid(0);
}

PosixSerialLine::PosixSerialLine(std::string devicePath, std::vector<std::string> lockFolders)
    : devicePath_(std::move(devicePath)), lockFolders_(std::move(lockFolders)) {}

PosixSerialLine::~PosixSerialLine() { close(); }

bool PosixSerialLine::fail(OpenFailure failure) {
    close();
    failure_ = std::move(failure);
    return false;
}

bool PosixSerialLine::open() {
    if (fd_ >= 0) return true;
    failure_ = {};
    // Two programs on one transmitter's line garble each other's exchanges, so a device another
    // program has taken is left to it, even where the privileges would let this one in. Its
    // lock is looked at first: opening a real port moves its modem lines under the holder.
    if (std::optional<std::string> holder = lockHolder(lockFolders_, devicePath_))
        return fail({EBUSY, std::move(*holder), false});
    fd_ = ::open(devicePath_.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd_ < 0) return fail({errno, {}, false});
    termios current{};
    if (!isatty(fd_) || tcgetattr(fd_, &current) != 0) return fail({ENOTTY, {}, false});
    if (isControllingTerminal(fd_)) return fail({EBUSY, {}, true});
    int lockedBefore = 0;
    ioctl(fd_, TIOCGEXCL, &lockedBefore);
    if (lockedBefore != 0) return fail({EBUSY, {}, false});
    vanished_ = false;
    original_ = current;
    // Exclusive use, as the transmitter's line must not be shared; a refusal is not fatal.
    lockedHere_ = ioctl(fd_, TIOCEXCL) == 0;
    seen_ = {};
    readCounters(seen_);
    return true;
}

// A pseudo-terminal takes a parity request without effect the first time and refuses the same
// request with EINVAL once it holds the speed, so its answer is judged by what it now holds.
bool PosixSerialLine::configure(int baud, Parity parity) {
    termios current{};
    if (fd_ < 0 || tcgetattr(fd_, &current) != 0) return false;
    const std::optional<termios> wanted = lineTermios(current, baud, parity);
    if (!wanted) return false;
    const bool pseudoTerminal = isPseudoTerminal(fd_);
    const bool applied = tcsetattr(fd_, TCSANOW, &*wanted) == 0;
    if (!applied) noteFailure(errno);
    if (!applied && !pseudoTerminal) return false;
    termios held{};
    if (tcgetattr(fd_, &held) != 0) return false;
    return settingsTook(*wanted, held, pseudoTerminal);
}

void PosixSerialLine::noteFailure(int error) {
    if (meansVanished(error)) vanished_ = true;
}

bool PosixSerialLine::setModemLine(int line, bool raised) {
    if (fd_ < 0) return false;
    if (ioctl(fd_, raised ? TIOCMBIS : TIOCMBIC, &line) == 0) return true;
    const int error = errno;
    noteFailure(error);
    return lacksModemLines(error);
}

bool PosixSerialLine::setDtr(bool raised) { return setModemLine(TIOCM_DTR, raised); }

void PosixSerialLine::setRts(bool raised) { setModemLine(TIOCM_RTS, raised); }

// A hang-up leaves nothing to read yet reads as end of file, so it is asked for explicitly.
bool PosixSerialLine::hungUp() {
    pollfd watch{fd_, POLLIN, 0};
    if (poll(&watch, 1, 0) == 1 && (watch.revents & (POLLHUP | POLLERR | POLLNVAL)))
        vanished_ = true;
    return vanished_;
}

int PosixSerialLine::queuedInput() {
    int count = 0;
    if (fd_ < 0 || hungUp()) return 0;
    if (ioctl(fd_, FIONREAD, &count) != 0) {
        noteFailure(errno);
        return 0;
    }
    return count;
}

int PosixSerialLine::queuedOutput() {
    int count = 0;
    if (fd_ < 0 || ioctl(fd_, TIOCOUTQ, &count) != 0) return 0;
    return count;
}

int PosixSerialLine::read(std::uint8_t* buffer, int maxCount) {
    if (fd_ < 0 || maxCount <= 0) return 0;
    const ssize_t got = ::read(fd_, buffer, static_cast<size_t>(maxCount));
    if (got < 0) noteFailure(errno);
    return got > 0 ? static_cast<int>(got) : 0;
}

int PosixSerialLine::write(const std::uint8_t* bytes, int count) {
    if (fd_ < 0 || count <= 0) return 0;
    const ssize_t put = ::write(fd_, bytes, static_cast<size_t>(count));
    if (put < 0) noteFailure(errno);
    return put > 0 ? static_cast<int>(put) : 0;
}

void PosixSerialLine::drain() {
    if (fd_ >= 0 && tcdrain(fd_) != 0) noteFailure(errno);
}

void PosixSerialLine::purge() {
    if (fd_ >= 0 && tcflush(fd_, TCIOFLUSH) != 0) noteFailure(errno);
}

void PosixSerialLine::discardInput() {
    if (fd_ >= 0 && tcflush(fd_, TCIFLUSH) != 0) noteFailure(errno);
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

// Whatever way the line is let go (closed by the program, failed half-way, vanished), the
// device is left as it was found. The last byte written goes out at the speed it was written.
void PosixSerialLine::close() {
    if (fd_ < 0) return;
    if (original_) tcsetattr(fd_, TCSADRAIN, &*original_);
    if (lockedHere_) ioctl(fd_, TIOCNXCL);
    ::close(fd_);
    fd_ = -1;
    original_.reset();
    lockedHere_ = false;
}

}  // namespace doxa
