#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "link/serial_line.h"
#include "sim/transmitter.h"

namespace doxa::sim {

// A serial line with a simulated transmitter at its other end, in the same process: for tests
// and the demo port. Each write carries one whole request; the answer is readable at once, or
// on the given clock as the late fault and the transmitter's answer timing have it. Speed and parity matter only to a transmitter
// that keeps to its RS485 line settings.
class SimLine : public SerialLine {
public:
    // The line drives the transmitter's clock, so its live values move with the same time.
    // Without a transmitter nobody answers: only the bytes fed to the line arrive.
    SimLine(std::shared_ptr<Transmitter> transmitter, std::function<std::int64_t()> nowMs);
    // Nobody at the other end, on a clock that stands still.
    SimLine();

    bool open() override;
    // A device pulled out is missing; a refused open reports `openRefusal`.
    OpenFailure openFailure() const override;
    bool configure(int baud, Parity parity) override;
    bool setDtr(bool raised) override;
    void setRts(bool raised) override;
    int queuedInput() override;
    // Written bytes leave at once, unless the line is told to hold them.
    int queuedOutput() override;
    int read(std::uint8_t* buffer, int maxCount) override;
    int write(const std::uint8_t* bytes, int count) override;
    void drain() override;
    void purge() override;
    void discardInput() override;
    std::uint32_t takeErrors() override;
    void close() override;
    bool vanished() const override { return vanished_; }
    std::string device() const override { return deviceName; }

    // What device() names: "sim:DOXA-22" for the demo port; empty for a test's own line.
    std::string deviceName;
    // Switches that make the line misbehave, for the failure paths of the dialogs.
    bool failOpen = false;
    OpenFailure openRefusal;
    bool failConfigure = false;
    bool failDtr = false;
    // The output never drains: the bytes of the last write stay queued.
    bool stuckOutput = false;
    // The device pulled out (false) and plugged in again (true): while it is away an open line
    // has vanished for good and no open succeeds.
    void setPresent(bool present);
    // Line error bits the next takeErrors() reports (added to any injected before).
    void injectErrors(std::uint32_t mask) { errors_ |= mask; }
    // Changes each answer on its way to the program (the records keep it as the device sent it).
    std::function<void(std::vector<std::uint8_t>& answer)> alterAnswer;
    // Bytes a write accepts; the rest of the request is refused, as by a full driver queue.
    int acceptLimit = 1 << 30;
    // The transmitter frames MODBUS requests by the line's silence, as an RTU slave does: bytes
    // written before the last frame has left the line and 3.5 characters of silence followed
    // it are received with it, as one (damaged) frame. requests() then holds the frames.
    bool frameBySilence = false;
    // Bytes that arrive at once, as if the device had sent them.
    void feed(const std::vector<std::uint8_t>& bytes);

    Transmitter& transmitter() { return *transmitter_; }
    bool isOpen() const { return open_; }
    int baud() const { return baud_; }
    Parity parity() const { return parity_; }
    bool rts() const { return rts_; }
    bool dtr() const { return dtr_; }
    int purges() const { return purges_; }

    // Everything that went over the line: each write, each answer as the transmitter sent it
    // (empty for no answer), and the bytes the program read.
    const std::vector<std::vector<std::uint8_t>>& requests() const { return requests_; }
    const std::vector<std::vector<std::uint8_t>>& answers() const { return answers_; }
    const std::vector<std::uint8_t>& received() const { return received_; }
    void clearRecords();
    // Off for a line that serves the program rather than a test: a demo left polling for days
    // would otherwise hold every byte it ever exchanged.
    bool keepRecords = true;
    // Where a test wants every call to the line written down, in order, also after the line is
    // gone: "open", "configure 1200 odd", "dtr+", "rts-", "drain", "purge", "write FF 02 ...",
    // "close". None by default.
    std::shared_ptr<std::vector<std::string>> journal;

private:
    struct InFlight {
        std::int64_t arrivesAt;
        std::vector<std::uint8_t> bytes;
    };
    void takeArrived();
    void note(std::string_view entry);
    void deliver(std::vector<std::uint8_t> request, std::int64_t sentAt);
    // Silence framing: the frame on the line is received once its silence has passed.
    bool framing(const std::uint8_t* bytes, int count);
    void takeFramed();

    std::shared_ptr<Transmitter> transmitter_;
    std::function<std::int64_t()> now_;
    bool open_ = false;
    bool present_ = true;
    bool vanished_ = false;
    int baud_ = 0;
    Parity parity_ = Parity::Odd;
    bool rts_ = false;
    bool dtr_ = false;
    int purges_ = 0;
    int lastWriteCount_ = 0;
    std::uint32_t errors_ = 0;
    std::deque<std::uint8_t> input_;
    std::vector<InFlight> inFlight_;
    std::vector<std::vector<std::uint8_t>> requests_;
    std::vector<std::vector<std::uint8_t>> answers_;
    std::vector<std::uint8_t> received_;
    std::vector<std::uint8_t> onLine_;
    std::int64_t onLineEndsUs_ = 0;
};

}  // namespace doxa::sim
