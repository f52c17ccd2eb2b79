// doxa-cli --fast in virtual time against the simulated transmitter: the same requests as the
// documented schedule, reads no later than it reads, a damaged answer that keeps the wait to its
// documented end, and the line's gaps around every request.

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>

#include "cli/commands.h"
#include "cli/console.h"
#include "cli/console_loop.h"
#include "cli/exit_codes.h"
#include "cli/session.h"
#include "sim/sim_line.h"
#include "support/sim_process.h"
#include "support/virtual_clock.h"
#include "virtual_time.h"

namespace doxa::cli {
namespace {

using Bytes = std::vector<std::uint8_t>;

// What passed over the line, and when.
struct Event {
    enum Kind { Write, Read, Receive } kind;  // Receive: the driver switched to receive
    std::int64_t atMs;
    Bytes bytes;
};

class TimedLine : public sim::SimLine {
public:
    TimedLine(std::shared_ptr<sim::Transmitter> transmitter, VirtualTime& time,
              std::shared_ptr<std::vector<Event>> events, bool rs485)
        : SimLine(std::move(transmitter), [&time] { return time.nowMs(); }),
          time_(time), events_(std::move(events)), rs485_(rs485) {}

    int write(const std::uint8_t* bytes, int count) override {
        events_->push_back({Event::Write, time_.nowMs(), Bytes(bytes, bytes + count)});
        return SimLine::write(bytes, count);
    }
    int read(std::uint8_t* buffer, int maxCount) override {
        const int count = SimLine::read(buffer, maxCount);
        if (count > 0) events_->push_back({Event::Read, time_.nowMs(), Bytes(buffer, buffer + count)});
        return count;
    }
    void setRts(bool raised) override {
        // RS485 receives with RTS raised, the HART modem with RTS dropped.
        if (raised == rs485_) events_->push_back({Event::Receive, time_.nowMs(), {}});
        SimLine::setRts(raised);
    }

private:
    VirtualTime& time_;
    std::shared_ptr<std::vector<Event>> events_;
    bool rs485_;
};

// One run of a command: what it printed, its status, and the line's events.
struct Outcome {
    int status = -1;
    std::string out;
    std::vector<Event> events;

    std::vector<Bytes> requests() const {
        std::vector<Bytes> written;
        for (const Event& e : events)
            if (e.kind == Event::Write) written.push_back(e.bytes);
        return written;
    }
};

using Command = int (*)(const Invocation&, Session&, std::ostream&);

// HART at 1200 baud, or RS485 at its default 1200 baud, to one DOXA-22 (serial 777), fresh for
// every run.
class FastExchange : public ::testing::TestWithParam<bool> {
protected:
    bool rs485() const { return GetParam(); }

    Outcome run(Command command, Invocation invocation, bool fast) {
        auto transmitter = std::make_shared<sim::Transmitter>(sim::Model::Doxa22, sim::Options{.serialNumber = 777});
        auto events = std::make_shared<std::vector<Event>>();
        invocation.line = {.port = "sim:DOXA-22", .rs485 = rs485(), .fast = fast};
        std::string error;
        auto session = Session::open(invocation.line, console_, time_, error);
        EXPECT_TRUE(session) << error;
        session->station().makeLine = [&, transmitter, events](int) {
            auto line = std::make_unique<TimedLine>(transmitter, time_, events, rs485());
            line->alterAnswer = alter;
            return line;
        };
        std::ostringstream out;
        Outcome result;
        result.status = command(invocation, *session, out);
        result.out = out.str();
        session.reset();  // the line released as at exit
        result.events = *events;
        return result;
    }

    // A configuration file read from the transmitter, for `write`.
    std::string configurationFile() {
        Invocation read;
        read.output = (folder_.path() / "a.prg").string();
        EXPECT_EQ(run(runRead, read, false).status, ExitOk) << err_.str();
        return read.output;
    }

    // The documented wait from a request to its read: the driver's turn, then 500 ms.
    int documentedReadMs() const { return (rs485() ? 250 : 300) + 500; }
    // The line's quiet time after an answer: 3.5 characters of 11 bits on RS485 at 1200 baud,
    // the 8 characters HART leaves for another master.
    double gapMs() const { return (rs485() ? 3.5 : 8) * 11 * 1000 / 1200.0; }

    std::function<void(Bytes&)> alter;
    VirtualTime time_;
    std::ostringstream err_;
    Console console_{err_, false};
    test::TempFolder folder_;
};

struct CommandCase {
    const char* name;
    Command command;
};

TEST_P(FastExchange, SameRequestsAndOutcomeInLessTime) {
    Invocation write;
    write.operands = {configurationFile()};
    Invocation finder;
    finder.from = 0;
    finder.to = 1;
    Invocation read;
    read.output = (folder_.path() / "b.prg").string();
    const std::vector<std::pair<CommandCase, Invocation>> cases = {
        {{"identify", runIdentify}, Invocation{}},
        {{"read", runRead}, read},
        {{"write", runWrite}, write},
        {{"finder", runFinder}, finder},
    };
    for (const auto& [command, invocation] : cases) {
        SCOPED_TRACE(command.name);
        const Outcome documented = run(command.command, invocation, false);
        const Outcome fast = run(command.command, invocation, true);
        ASSERT_EQ(documented.status, ExitOk) << err_.str();
        EXPECT_EQ(fast.status, ExitOk);
        EXPECT_EQ(fast.out, documented.out);
        EXPECT_EQ(fast.requests(), documented.requests());
        EXPECT_LT(fast.events.back().atMs - fast.events.front().atMs,
                  documented.events.back().atMs - documented.events.front().atMs);
    }
}

TEST_P(FastExchange, WatchSendsTheSameRequests) {
    Invocation watch;
    watch.count = 3;
    const Outcome documented = run(runWatch, watch, false);
    const Outcome fast = run(runWatch, watch, true);
    ASSERT_EQ(documented.status, ExitOk) << err_.str();
    EXPECT_EQ(fast.status, ExitOk);
    EXPECT_EQ(fast.requests(), documented.requests());
    EXPECT_EQ(std::count(fast.out.begin(), fast.out.end(), '\n'), 3);
}

// Every read of a fast run comes no later than the documented schedule reads; every request
// leaves no sooner than the line's gap after the answer before it was read, and the driver turns
// to receive only once the request has left the line (its bytes of 11 bits at 1200 baud).
TEST_P(FastExchange, KeepsTheLinesGapsAndTheDocumentedReadTime) {
    Invocation write;
    write.operands = {configurationFile()};
    for (Command command : {runIdentify, runWrite}) {
        const Outcome fast = run(command, command == runWrite ? write : Invocation{}, true);
        ASSERT_EQ(fast.status, ExitOk) << err_.str();
        const Event* request = nullptr;
        const Event* answer = nullptr;
        const Event* turn = nullptr;
        int reads = 0;
        for (const Event& e : fast.events) {
            if (e.kind == Event::Write && e.bytes.size() > 1) {
                if (answer) {
                    EXPECT_GE(double(e.atMs - answer->atMs), gapMs());
                }
                request = &e;
                answer = nullptr;
                turn = nullptr;
            } else if (e.kind == Event::Receive && request && !answer) {
                turn = &e;
            } else if (e.kind == Event::Read && request) {
                ASSERT_TRUE(turn);
                EXPECT_GE(double(turn->atMs - request->atMs), request->bytes.size() * 11 * 1000 / 1200.0);
                EXPECT_LE(e.atMs - request->atMs, documentedReadMs());
                answer = &e;
                ++reads;
            }
        }
        EXPECT_GT(reads, 3);
    }
}

// A programming write is followed by the documented 100 ms before the next request, fast or not:
// the transmitter stores what it was given.
TEST_P(FastExchange, KeepsTheWaitAfterAWriteTheTransmitterStores) {
    Invocation write;
    write.operands = {configurationFile()};
    const Outcome fast = run(runWrite, write, true);
    ASSERT_EQ(fast.status, ExitOk) << err_.str();
    const auto storing = [this](const Bytes& request) {
        if (rs485()) return request.size() > 1 && request[1] == 116;
        std::size_t preambles = 0;
        while (preambles < request.size() && request[preambles] == 0xFF) ++preambles;
        return preambles + 3 < request.size() && request[preambles + 3] != 0;
    };
    int stored = 0;
    const Event* lastRead = nullptr;
    bool afterStore = false;
    for (const Event& e : fast.events) {
        if (e.kind == Event::Read) lastRead = &e;
        if (e.kind != Event::Write || e.bytes.size() <= 1) continue;
        if (afterStore && lastRead) {
            EXPECT_GE(e.atMs - lastRead->atMs, 100);
            ++stored;
        }
        afterStore = storing(e.bytes);
        lastRead = nullptr;
    }
    EXPECT_GE(stored, 2);
}

// An identity answer with a wrong checksum or CRC is whole in length, yet it must not end the
// wait: the read comes at the documented time, finds the damaged answer and, as documented, asks
// again. Fast or not, the same requests and the same identification follow.
TEST_P(FastExchange, DamagedAnswerKeepsTheWaitToItsEnd) {
    int damaged = 0;
    alter = [&damaged](Bytes& answer) {
        if (damaged++ == 0) answer.back() ^= 0x5A;
    };
    const Outcome documented = run(runIdentify, Invocation{}, false);
    damaged = 0;
    const Outcome fast = run(runIdentify, Invocation{}, true);
    ASSERT_EQ(documented.status, ExitOk) << err_.str();
    EXPECT_EQ(fast.out, documented.out);
    EXPECT_EQ(fast.requests(), documented.requests());
    std::vector<std::int64_t> writtenAt;
    for (const Event& e : fast.events)
        if (e.kind == Event::Write) writtenAt.push_back(e.atMs);
    ASSERT_GE(writtenAt.size(), 2u);
    EXPECT_EQ(fast.requests()[1], fast.requests()[0]) << "the damaged identity is asked for again";
    // Read at the documented time, then asked again 100 ms later, as after no answer.
    EXPECT_EQ(writtenAt[1] - writtenAt[0], documentedReadMs() + 100);
}

INSTANTIATE_TEST_SUITE_P(Lines, FastExchange, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "Rs485" : "Hart"; });

}  // namespace
}  // namespace doxa::cli
