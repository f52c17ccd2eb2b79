// doxa-cli's commands against transmitters that answer later, in pieces or at the very end of the
// wait, in virtual time: each command tells the technician what it tells of an immediate answer,
// and a write ends in the transmitter.

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <sstream>

#include "document/document_codec.h"
#include "cli/commands.h"
#include "cli/console.h"
#include "cli/console_loop.h"
#include "cli/exit_codes.h"
#include "cli/session.h"
#include "sim/sim_line.h"
#include "support/answer_timings.h"
#include "support/sim_process.h"
#include "support/virtual_clock.h"
#include "virtual_time.h"

namespace doxa::cli {
namespace {

using test::TimingVariant;

// doxa-cli on one simulated DOXA-22 (serial 777) whose answers come as the variant times them.
// With --fast (the third parameter) the answer waits end at the first whole answer: an answer
// later than the immediate one must be taken exactly as well.
class CliTiming : public ::testing::TestWithParam<std::tuple<TimingVariant, bool, bool>> {
protected:
    CliTiming()
        : transmitter_(std::make_shared<sim::Transmitter>(
              sim::Model::Doxa22, sim::Options{.serialNumber = 777, .timing = std::get<0>(GetParam()).timing})) {}

    bool rs485() const { return std::get<1>(GetParam()); }
    bool fast() const { return std::get<2>(GetParam()); }

    // Runs `command` with the options after the port; its exit status, what it printed in `out`.
    int run(int (*command)(const Invocation&, Session&, std::ostream&), Invocation invocation) {
        invocation.line = {.port = "sim:DOXA-22", .rs485 = rs485(), .fast = fast()};
        std::string error;
        const auto session = Session::open(invocation.line, console_, time_, error);
        EXPECT_TRUE(session) << error;
        session->station().makeLine = [this](int) {
            return std::make_unique<sim::SimLine>(transmitter_, [this] { return time_.clock.now(); });
        };
        std::ostringstream out;
        const int status = command(invocation, *session, out);
        out_ = out.str();
        return status;
    }
    std::filesystem::path file(const char* name) const { return folder_.path() / name; }

    std::shared_ptr<sim::Transmitter> transmitter_;
    VirtualTime time_;
    std::ostringstream err_;
    Console console_{err_, false};
    std::string out_;
    test::TempFolder folder_;
};

TEST_P(CliTiming, IdentifyAndWatchTellWhatTheTransmitterHolds) {
    transmitter_->state().sensorCode = 4;
    transmitter_->state().rangeUpper = 600;  // inside the range: a healthy reading
    transmitter_->state().input = 321.5f;
    transmitter_->state().fixedOutput = 8;
    ASSERT_EQ(run(runIdentify, Invocation{}), ExitOk) << err_.str();
    EXPECT_NE(out_.find("Typ przetwornika:      DOXA-22\nNr seryjny:            777\n"), std::string::npos) << out_;
    EXPECT_NE(out_.find("Typ czujnika:          TC typu 'K'\n"), std::string::npos) << out_;

    Invocation watch;
    watch.csv = true;
    watch.count = 2;
    ASSERT_EQ(run(runWatch, watch), ExitOk) << err_.str();
    std::istringstream rows(out_);
    std::string header, first, second, more;
    std::getline(rows, header);
    std::getline(rows, first);
    std::getline(rows, second);
    EXPECT_FALSE(std::getline(rows, more));
    for (const std::string& row : {first, second}) {
        EXPECT_NE(row.find(",321.5,°C,8.000,mA,"), std::string::npos) << row;
    }
}

TEST_P(CliTiming, ReadWriteAndFinderEndInTheTransmitter) {
    Invocation read;
    read.output = file("a.prg").string();
    ASSERT_EQ(run(runRead, read), ExitOk) << err_.str();
    std::ifstream in(file("a.prg"), std::ios::binary);
    const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), {}};
    DeviceRecord device;
    Characteristic characteristic;
    ASSERT_EQ(readDocument(bytes, device, characteristic), DocumentStatus::Read);
    EXPECT_EQ(device.serialNumber, 777);
    EXPECT_EQ(device.rangeMax, transmitter_->state().rangeUpper);

    device.sensorType = 4;
    device.rangeMin = -50;
    device.rangeMax = 600;
    device.breakSignal = 1;
    const auto edited = writeDocument(device, characteristic);
    std::ofstream(file("b.prg"), std::ios::binary).write(reinterpret_cast<const char*>(edited.data()), std::streamsize(edited.size()));
    Invocation write;
    write.operands = {file("b.prg").string()};
    ASSERT_EQ(run(runWrite, write), ExitOk) << err_.str();
    EXPECT_EQ(out_, "Dane zostały zapisane\n");
    const sim::State& held = transmitter_->state();
    EXPECT_EQ(held.sensorCode, 4);
    EXPECT_EQ(held.rangeLower, -50.0f);
    EXPECT_EQ(held.rangeUpper, 600.0f);
    EXPECT_TRUE(held.breakToMin);

    // The finder asks each line in turn: the transmitter answers on the first it is asked at.
    Invocation finder;
    finder.from = 0;
    finder.to = 1;
    ASSERT_EQ(run(runFinder, finder), ExitOk) << err_.str();
    EXPECT_EQ(out_, rs485() ? "adres 0: DOXA-22, nr 777, 1200 bit/s, parzystość ODD\n" : "adres 0: DOXA-22, nr 777\n");
}

INSTANTIATE_TEST_SUITE_P(Variants, CliTiming,
                         ::testing::Combine(::testing::ValuesIn(test::TimingVariants), ::testing::Bool(),
                                            ::testing::Bool()),
                         [](const auto& info) {
                             return std::string(std::get<0>(info.param).name) + (std::get<1>(info.param) ? "Rs485" : "Hart") +
                                    (std::get<2>(info.param) ? "Fast" : "");
                         });

}  // namespace
}  // namespace doxa::cli
