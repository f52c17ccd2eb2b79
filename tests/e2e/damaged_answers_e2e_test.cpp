// Start-up identification against doxa-sim on a pseudo-terminal, on a clean line and on one
// whose answers are often damaged or late: the second shows exactly what the first shows, as
// nothing the transmitter did not send for the request is ever taken for its answer.

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "support/gui/program_on_pty.h"
#include "support/gui/start_up_driver.h"

namespace doxa {
namespace {

// Sensor, model, serial number, range, threshold, release value, filter, output, break.
const std::vector<int> Fields{131, 132, 133, 134, 135, 136, 137, 138, 139, 140};

struct Identified {
    std::map<int, std::string> shown;
    DeviceRecord device;
};

Identified identify(const char* model, int rs485, const std::vector<std::string>& faults) {
    std::vector<std::string> args{"--model", model, "--serial", "4242", "--seed", "7"};
    args.insert(args.end(), faults.begin(), faults.end());
    test::ProgramOnPty pty(args, {{"Transmisja", "RS485", rs485}});
    EXPECT_TRUE(pty.linked());
    Identified run;
    run.shown = test::startUpUntilIdentified(
        pty.application, {131, 132, 133, 134, 135, 136, 137, 138, 139, 140});
    run.device = pty.station.device;
    EXPECT_EQ(pty.station.link.transmissionMode, rs485);
    EXPECT_TRUE(pty.messages.empty());
    pty.frame.close();
    EXPECT_EQ(pty.station.link.portOpen, 0);
    return run;
}

struct Case {
    const char* model;
    int rs485;
};

class DamagedAnswers : public ::testing::TestWithParam<Case> {};

TEST_P(DamagedAnswers, IdentificationShowsWhatACleanLineShows) {
    const Case c = GetParam();
    const Identified clean = identify(c.model, c.rs485, {});
    const Identified damaged = identify(c.model, c.rs485,
                                 {"--garble", "0.3", "--late", "0.15", "--late-ms", "1000"});
    for (int id : Fields) EXPECT_EQ(damaged.shown.at(id), clean.shown.at(id)) << "field " << id;
    EXPECT_EQ(clean.shown.at(133), " 4242");
    EXPECT_TRUE(damaged.device == clean.device);
}

INSTANTIATE_TEST_SUITE_P(BothModes, DamagedAnswers,
                         ::testing::Values(Case{"RIVO-21-U", 0}, Case{"DOXA-22", 1}),
                         [](const auto& info) { return info.param.rs485 ? "Rs485" : "Hart"; });

}  // namespace
}  // namespace doxa
