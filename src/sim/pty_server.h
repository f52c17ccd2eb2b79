#pragma once

#include <cstdint>
#include <deque>
#include <span>
#include <string>
#include <vector>

#include "sim/request_splitter.h"
#include "sim/sim_options.h"
#include "sim/transmitter.h"

namespace doxa::sim {

// Serves one simulated transmitter on a pseudo-terminal until stopped by a signal. Clients may
// close and reopen the port at will.
class PtyServer {
public:
    explicit PtyServer(const SimOptions& options);
    ~PtyServer();
    PtyServer(const PtyServer&) = delete;
    PtyServer& operator=(const PtyServer&) = delete;

    // Creates the pseudo-terminal and the link; false with `error` set when that fails.
    bool start(std::string& error);
    const std::string& terminalPath() const { return terminalPath_; }
    // Serves until SIGINT or SIGTERM; returns the exit status.
    int run();

private:
    struct Outgoing {
        std::int64_t dueMs;
        std::vector<std::uint8_t> bytes;
    };
    void receive(std::int64_t now);
    void receiveBySilence(std::span<const std::uint8_t> bytes, std::int64_t now);
    void serveSilenceFramed(std::int64_t now);
    void serve(const std::vector<std::uint8_t>& request, std::int64_t now);
    Reply answerOnClientLine(const std::vector<std::uint8_t>& request);
    int clientBaud() const;
    void sendDue(std::int64_t now);
    int pollTimeout(std::int64_t now) const;
    void removeLink();

    SimOptions options_;
    Transmitter transmitter_;
    RequestSplitter splitter_;
    SilenceFramer framer_;
    std::deque<Outgoing> outgoing_;
    int master_ = -1;
    std::string terminalPath_;
    bool linked_ = false;
};

}  // namespace doxa::sim
