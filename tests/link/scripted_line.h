#pragma once

#include <algorithm>
#include <string>
#include <vector>

#include "link/serial_line.h"

namespace doxa::test {

// A SerialLine whose answers a test scripts and whose calls it can read back in order.
class ScriptedLine : public SerialLine {
public:
    ~ScriptedLine() override {
        if (keepCallsIn) *keepCallsIn = calls;
    }
    // Where the calls go when the line is destroyed, for tests that watch a port being released.
    std::vector<std::string>* keepCallsIn = nullptr;
    bool openSucceeds = true;
    bool dtrSucceeds = true;
    bool configureSucceeds = true;
    int acceptLimit = 1 << 30;  // bytes a write accepts
    std::vector<std::uint8_t> input;
    std::uint32_t pendingErrors = 0;
    bool gone = false;  // the device behind the line has vanished

    std::vector<std::string> calls;
    std::vector<std::uint8_t> written;
    int configuredBaud = 0;
    Parity configuredParity = Parity::None;

    bool open() override {
        calls.push_back("open");
        return openSucceeds;
    }
    bool configure(int baud, Parity parity) override {
        calls.push_back("configure");
        configuredBaud = baud;
        configuredParity = parity;
        return configureSucceeds;
    }
    bool setDtr(bool raised) override {
        calls.push_back(raised ? "dtr+" : "dtr-");
        return dtrSucceeds;
    }
    void setRts(bool raised) override { calls.push_back(raised ? "rts+" : "rts-"); }
    int queuedInput() override { return static_cast<int>(input.size()); }
    int read(std::uint8_t* buffer, int maxCount) override {
        const int n = std::min<int>(maxCount, static_cast<int>(input.size()));
        std::copy_n(input.begin(), n, buffer);
        input.erase(input.begin(), input.begin() + n);
        return n;
    }
    int write(const std::uint8_t* bytes, int count) override {
        const int n = std::min(count, acceptLimit);
        written.insert(written.end(), bytes, bytes + n);
        return n;
    }
    void drain() override { calls.push_back("drain"); }
    void purge() override {
        calls.push_back("purge");
        input.clear();
    }
    std::uint32_t takeErrors() override {
        const std::uint32_t errors = pendingErrors;
        pendingErrors = 0;
        return errors;
    }
    void close() override { calls.push_back("close"); }
    bool vanished() const override { return gone; }
};

}  // namespace doxa::test
