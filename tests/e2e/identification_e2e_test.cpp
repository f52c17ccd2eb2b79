// The program identifies doxa-sim on a pseudo-terminal through the real serial line, exactly
// as a technician would see it: the main window starts, "Inicjalizacja" runs, "Koniec" shows.

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "app/application.h"
#include "app/line_factory.h"
#include "app/main_frame.h"
#include "support/gui/start_up_driver.h"
#include "support/sim_process.h"
#include "transmitter/settings_store.h"
#include "transmitter/station.h"

namespace doxa {
namespace {

enum : int { SensorText = 131, ModelText = 132, SerialText = 133 };

struct Case {
    const char* model;
    int rs485;
};

class IdentificationOnPty : public ::testing::TestWithParam<Case> {};

TEST_P(IdentificationOnPty, ReachesKoniecWithTheSimulatorsData) {
    const Case c = GetParam();
    test::TempFolder folder;
    const auto link = folder.path() / "tty";
    test::SimProcess sim({"--model", c.model, "--serial", "4242", "--link", link.string()});
    ASSERT_TRUE(test::waitForLink(link));

    MemorySettingsStore store;
    store.writeInt("COM", "COM", 2);
    store.writeText("Porty", "COM3", link.string());
    store.writeInt("Transmisja", "RS485", c.rs485);
    store.writeInt("BAUD", "BAUD", 3);
    Station station(store);
    station.makeLine = makeLineFactory(store);
    std::vector<std::string> messages;
    station.showMessage = [&](std::string_view text) { messages.emplace_back(text); };
    MainFrame frame(station);
    Application application(station, frame);
    frame.attach(application);
    frame.show();

    std::map<int, std::string> shown =
        test::startUpUntilIdentified(application, {SensorText, ModelText, SerialText});

    EXPECT_EQ(shown[ModelText], std::string(" ") + c.model);
    EXPECT_EQ(shown[SerialText], " 4242");
    EXPECT_FALSE(shown[SensorText].empty());
    EXPECT_EQ(station.device.modelName, c.model);
    EXPECT_EQ(station.device.serialNumber, 4242);
    EXPECT_EQ(station.link.transmissionMode, c.rs485);
    EXPECT_TRUE(messages.empty());
    frame.close();
    EXPECT_EQ(station.link.portOpen, 0);
    EXPECT_EQ(sim.stop(), 0);
}

INSTANTIATE_TEST_SUITE_P(BothModes, IdentificationOnPty,
                         ::testing::Values(Case{"RIVO-21-U", 0}, Case{"DOXA-22", 1}),
                         [](const auto& info) { return info.param.rs485 ? "Rs485" : "Hart"; });

}  // namespace
}  // namespace doxa
