#include "sim/pty_server.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>

namespace doxa::sim {

namespace {

constexpr int PtySchedulingMs = 40;
// The terminal hands over a client's bytes as soon as they are written, not as a line carries
// them; the silence that ends an RTU frame is measured from when they are seen, so a little
// of it goes to the scheduling of both programs.
constexpr std::int64_t PtySilenceAllowanceUs = 3000;
constexpr int ClosedPollMs = 20;

volatile sig_atomic_t stopRequested = 0;
void requestStop(int) { stopRequested = 1; }

std::int64_t nowMs() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

std::int64_t nowUs() {
    return std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

std::string hex(const std::vector<std::uint8_t>& bytes) {
    std::string text;
    char cell[4];
    for (std::uint8_t b : bytes) {
        std::snprintf(cell, sizeof cell, "%02x ", b);
        text += cell;
    }
    if (!text.empty()) text.pop_back();
    return text;
}

std::string systemError(const char* what) { return std::string(what) + ": " + std::strerror(errno); }

int baudOf(speed_t speed) {
    switch (speed) {
        case B1200: return 1200;
        case B4800: return 4800;
        case B9600: return 9600;
        case B19200: return 19200;
        case B38400: return 38400;
        default: return 0;
    }
}

}  // namespace

PtyServer::PtyServer(const SimOptions& options)
    : options_(options), transmitter_(options.model, options.transmitter) {
    transmitter_.faults = options.faults;
}

PtyServer::~PtyServer() {
    removeLink();
    if (master_ >= 0) ::close(master_);
}

bool PtyServer::start(std::string& error) {
    master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (master_ < 0 || ::grantpt(master_) != 0 || ::unlockpt(master_) != 0) {
        error = systemError("pseudo-terminal");
        return false;
    }
    terminalPath_ = ::ptsname(master_);
    // Raw mode for a client that does not set it itself. The terminal side is not kept open:
    // a client's exclusive open would otherwise outlive its close and lock the next one out.
    const int terminal = ::open(terminalPath_.c_str(), O_RDWR | O_NOCTTY);
    termios raw{};
    if (terminal < 0 || ::tcgetattr(terminal, &raw) != 0) {
        error = systemError(terminalPath_.c_str());
        if (terminal >= 0) ::close(terminal);
        return false;
    }
    ::cfmakeraw(&raw);
    ::tcsetattr(terminal, TCSANOW, &raw);
    ::close(terminal);

    if (!options_.linkPath.empty()) {
        if (::unlink(options_.linkPath.c_str()) != 0 && errno != ENOENT) {
            error = systemError(options_.linkPath.c_str());
            return false;
        }
        if (::symlink(terminalPath_.c_str(), options_.linkPath.c_str()) != 0) {
            error = systemError(options_.linkPath.c_str());
            return false;
        }
        linked_ = true;
    }
    return true;
}

int PtyServer::run() {
    struct sigaction action{};
    action.sa_handler = requestStop;
    sigemptyset(&action.sa_mask);
    ::sigaction(SIGINT, &action, nullptr);
    ::sigaction(SIGTERM, &action, nullptr);
    // The signals are let through only while waiting, so none is missed between checks.
    sigset_t blocked, waiting;
    sigemptyset(&blocked);
    sigaddset(&blocked, SIGINT);
    sigaddset(&blocked, SIGTERM);
    ::sigprocmask(SIG_BLOCK, &blocked, &waiting);
    sigdelset(&waiting, SIGINT);
    sigdelset(&waiting, SIGTERM);

    while (!stopRequested) {
        const std::int64_t now = nowMs();
        const int timeout = pollTimeout(now);
        const timespec wait{timeout / 1000, (timeout % 1000) * 1'000'000L};
        pollfd fd{master_, POLLIN, 0};
        int ready = ::ppoll(&fd, 1, &wait, &waiting);
        if (ready > 0 && (fd.revents & POLLIN) == 0 && (fd.revents & POLLHUP)) {
            // No client has the port open: nothing to read until one opens it again. A short
            // pause, since a request written right after the open is only seen after it, and an
            // answer's time counts from when the request is seen.
            const timespec pause{0, std::min<long>(timeout, ClosedPollMs) * 1'000'000L};
            ready = ::ppoll(nullptr, 0, &pause, &waiting);
        }
        if (ready < 0 && errno != EINTR) {
            std::perror("doxa-sim: poll");
            return 1;
        }
        const std::int64_t after = nowMs();
        if (fd.revents & POLLIN) receive(after);
        for (const auto& request : splitter_.idle(after)) serve(request, after);
        serveSilenceFramed(after);
        sendDue(after);
    }
    removeLink();
    return 0;
}

void PtyServer::receive(std::int64_t now) {
    std::uint8_t buffer[512];
    const ssize_t count = ::read(master_, buffer, sizeof buffer);
    if (count <= 0) return;
    const std::span<const std::uint8_t> bytes{buffer, static_cast<std::size_t>(count)};
    // HART frames by its preambles whatever the option; a 0xFF running into a MODBUS frame is
    // received with it.
    if (options_.frameBySilence && (framer_.receiving() || buffer[0] != 0xFF)) {
        receiveBySilence(bytes, now);
        return;
    }
    for (const auto& request : splitter_.feed(bytes, now)) serve(request, now);
}

void PtyServer::receiveBySilence(std::span<const std::uint8_t> bytes, std::int64_t now) {
    serveSilenceFramed(now);
    termios line{};
    const bool odd = ::tcgetattr(master_, &line) == 0 && (line.c_cflag & PARODD);
    const std::int64_t baud = std::max(clientBaud(), 1200);
    const std::int64_t byteUs = (odd ? 11 : 10) * 1'000'000 / baud;
    const std::int64_t gapUs = baud > 19200 ? 1750 : 385 * 100'000 / baud;
    framer_.feed(bytes, nowUs(), byteUs, std::max<std::int64_t>(gapUs - PtySilenceAllowanceUs, 0));
}

void PtyServer::serveSilenceFramed(std::int64_t now) {
    if (auto frame = framer_.idle(nowUs())) serve(*frame, now);
}

void PtyServer::serve(const std::vector<std::uint8_t>& request, std::int64_t now) {
    const std::uint8_t lineBefore = transmitter_.state().lineSettings;
    const Calibration calibrationBefore = transmitter_.state().calibration;
    const float trimBefore = transmitter_.state().trim;
    Reply reply = answerOnClientLine(request);
    if (options_.verbose) {
        std::printf("<- %s\n", hex(request).c_str());
        if (reply.bytes.empty()) std::printf("   (no answer)\n");
    }
    if (transmitter_.state().lineSettings != lineBefore) {
        const std::uint8_t line = transmitter_.state().lineSettings;
        std::printf("line settings now: baud index %d, %s parity\n", line & 0x7F, (line & 0x80) ? "odd" : "no");
    }
    const State& after = transmitter_.state();
    if (!(after.calibration == calibrationBefore) || after.trim != trimBefore) {
        const Calibration& c = after.calibration;
        std::printf("calibration now: input %g..%g Ohm, %g..%g mV; output %g..%g mA, %g..%g V; "
                    "compensation %g; trim %g\n",
                    c.inputLowR, c.inputHighR, c.inputLowU, c.inputHighU, c.outputLowI, c.outputHighI,
                    c.outputLowU, c.outputHighU, c.compensation, after.trim);
    }
    std::fflush(stdout);
    const bool hart = !request.empty() && request.front() == 0xFF;
    // Both programs' timers run a little late: an answer meant for the very end of the wait is
    // sent so much earlier.
    const int waitEnd = documentedWaitMs(hart, clientBaud()) - PtySchedulingMs;
    for (AnswerPiece& piece : timedPieces(transmitter_.timing, std::move(reply.bytes), reply.delayMs, waitEnd))
        outgoing_.push_back({now + piece.atMs, std::move(piece.bytes)});
}

// The client's settings of its end of the terminal stand for the line. A pseudo-terminal keeps
// the speed, but of the parity only the odd bit: it drops the enable bit, so "none" and "even"
// look alike.
Reply PtyServer::answerOnClientLine(const std::vector<std::uint8_t>& request) {
    termios line{};
    if (::tcgetattr(master_, &line) != 0) return transmitter_.reply(request);
    const Parity parity = (line.c_cflag & PARODD) ? Parity::Odd : Parity::None;
    return transmitter_.replyOnLine(request, baudOf(::cfgetospeed(&line)), parity);
}

int PtyServer::clientBaud() const {
    termios line{};
    return ::tcgetattr(master_, &line) == 0 ? baudOf(::cfgetospeed(&line)) : 0;
}

void PtyServer::sendDue(std::int64_t now) {
    while (!outgoing_.empty() && outgoing_.front().dueMs <= now) {
        const auto& bytes = outgoing_.front().bytes;
        // Nobody may be reading: what does not fit into the terminal's queue is lost, as on a
        // line without a listener.
        const ssize_t written = ::write(master_, bytes.data(), bytes.size());
        if (options_.verbose) {
            std::printf("-> %s\n", hex(bytes).c_str());
            if (written < static_cast<ssize_t>(bytes.size())) std::printf("   (not all taken by the terminal)\n");
            std::fflush(stdout);
        }
        outgoing_.pop_front();
    }
}

int PtyServer::pollTimeout(std::int64_t now) const {
    std::int64_t until = now + 1000;
    if (const auto d = splitter_.deadline()) until = std::min(until, *d);
    if (const auto d = framer_.deadlineUs()) until = std::min(until, now + (*d - nowUs() + 999) / 1000);
    if (!outgoing_.empty()) until = std::min(until, outgoing_.front().dueMs);
    return static_cast<int>(std::max<std::int64_t>(until - now, 0));
}

// The link is removed only while it still leads to this server's terminal.
void PtyServer::removeLink() {
    if (!linked_) return;
    linked_ = false;
    char target[256];
    const ssize_t length = ::readlink(options_.linkPath.c_str(), target, sizeof target - 1);
    if (length > 0 && std::string(target, static_cast<std::size_t>(length)) == terminalPath_)
        ::unlink(options_.linkPath.c_str());
}

}  // namespace doxa::sim
