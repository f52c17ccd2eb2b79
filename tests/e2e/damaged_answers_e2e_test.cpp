// Start-up identification against doxa-sim on a pseudo-terminal, on a clean line and on one
// whose answers are often damaged or late: the second shows exactly what the first shows, as
// nothing the transmitter did not send for the request is ever taken for its answer.

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "app/application.h"
#include "sim/line_factory.h"
#include "app/main_frame.h"
#include "support/gui/start_up_driver.h"
#include "support/sim_process.h"
#include "transmitter/settings_store.h"
#include "transmitter/station.h"

namespace doxa {
namespace {

// Sensor, model, serial number, range, threshold, release value, filter, output, break.
const std::vector<int> Fields{131, 132, 133, 134, 135, 136, 137, 138, 139, 140};

struct Identified {
    std::map<int, std::string> shown;
    DeviceRecord device;
};

Identified identify(const char* model, int rs485, const std::vector<std::string>& faults) {
    test::TempFolder folder;
    const auto link = folder.path() / "tty";
    std::vector<std::string> args{"--model", model, "--serial", "4242", "--seed", "7",
                                  "--link", link.string()};
    args.insert(args.end(), faults.begin(), faults.end());
    test::SimProcess sim(args);
    EXPECT_TRUE(test::waitForLink(link));

    MemorySettingsStore store;
    store.writeInt("COM", "COM", 2);
    store.writeText("Porty", "COM3", link.string());
    store.writeInt("Transmisja", "RS485", rs485);
    Station station(store);
    station.makeLine = makeLineFactory(store);
    std::vector<std::string> messages;
    station.showMessage = [&](std::string_view text) { messages.emplace_back(text); };
    MainFrame frame(station);
    Application application(station, frame);
    frame.attach(application);
    frame.show();
    Identified run;
    run.shown = test::startUpUntilIdentified(
        application, {131, 132, 133, 134, 135, 136, 137, 138, 139, 140});
    run.device = station.device;
    EXPECT_EQ(station.link.transmissionMode, rs485);
    EXPECT_TRUE(messages.empty());
    frame.close();
    EXPECT_EQ(station.link.portOpen, 0);
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
