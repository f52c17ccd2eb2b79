#pragma once

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "link/serial_line.h"
#include "transmitter/station.h"

namespace doxa::test {

// Wraps whatever lines the station makes and writes down what happened to each, so a test can
// see the port being closed and reopened long after the line object itself is gone.
// Entries: "make <port>", "open", "configure <baud> odd|none", "write <hex bytes>", "close".
class LineJournal {
public:
    explicit LineJournal(Station& station) {
        auto inner = std::move(station.makeLine);
        station.makeLine = [this, inner](int portNumber) -> std::unique_ptr<SerialLine> {
            auto line = inner ? inner(portNumber) : nullptr;
            if (!line) return nullptr;
            entries.push_back("make " + std::to_string(portNumber));
            return std::make_unique<JournalLine>(std::move(line), entries);
        };
    }

    std::vector<std::string> entries;

    // The entries from `from` on.
    std::vector<std::string> since(std::size_t from) const {
        return {entries.begin() + static_cast<std::ptrdiff_t>(std::min(from, entries.size())),
                entries.end()};
    }
    // The last "configure" entry, empty when the port was never configured.
    std::string lastConfigure() const {
        for (auto it = entries.rbegin(); it != entries.rend(); ++it)
            if (it->rfind("configure", 0) == 0) return *it;
        return {};
    }

private:
    class JournalLine : public SerialLine {
    public:
        JournalLine(std::unique_ptr<SerialLine> inner, std::vector<std::string>& entries)
            : inner_(std::move(inner)), entries_(entries) {}
        bool open() override {
            entries_.push_back("open");
            return inner_->open();
        }
        bool configure(int baud, Parity parity) override {
            entries_.push_back("configure " + std::to_string(baud) +
                               (parity == Parity::Odd ? " odd" : " none"));
            return inner_->configure(baud, parity);
        }
        bool setDtr(bool raised) override { return inner_->setDtr(raised); }
        void setRts(bool raised) override { inner_->setRts(raised); }
        int queuedInput() override { return inner_->queuedInput(); }
        int read(std::uint8_t* buffer, int maxCount) override {
            return inner_->read(buffer, maxCount);
        }
        int write(const std::uint8_t* bytes, int count) override {
            std::string entry = "write";
            for (int i = 0; i < count; ++i) {
                char hex[4];
                std::snprintf(hex, sizeof hex, " %02X", bytes[i]);
                entry += hex;
            }
            entries_.push_back(entry);
            return inner_->write(bytes, count);
        }
        void drain() override { inner_->drain(); }
        void purge() override { inner_->purge(); }
        std::uint32_t takeErrors() override { return inner_->takeErrors(); }
        void close() override {
            entries_.push_back("close");
            inner_->close();
        }

    private:
        std::unique_ptr<SerialLine> inner_;
        std::vector<std::string>& entries_;
    };
};

}  // namespace doxa::test
