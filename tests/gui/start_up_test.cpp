#include <gtest/gtest.h>

#include <map>
#include <string>

#include "app/application.h"
#include "sim/line_factory.h"
#include "app/main_frame.h"
#include "sim/transmitter.h"
#include "support/gui/start_up_driver.h"
#include "transmitter/settings_store.h"
#include "transmitter/station.h"

namespace doxa {
namespace {

enum : int { ModelText = 132, SerialText = 133 };

// The program as the demo starts it: COM2 is the simulated DOXA-22 and the stored port is COM2.
TEST(StartUp, IdentifiesTheTransmitterOnTheDemoPortInTheRunningWindow) {
    MemorySettingsStore store;
    store.writeInt("COM", "COM", 1);
    store.writeText("Porty", "COM2", "sim:DOXA-22");
    store.writeInt("Polling_adres", "ADRES", 5);
    Station station(store);
    station.makeLine = makeLineFactory(store);
    MainFrame frame(station);
    std::vector<std::string> messages;
    station.showMessage = [&](std::string_view text, std::string_view) {
        messages.emplace_back(text);
    };
    Application application(station, frame);
    frame.attach(application);
    frame.show();

    std::map<int, std::string> shown =
        test::startUpUntilIdentified(application, {ModelText, SerialText});

    const sim::Transmitter reference(*sim::modelFromName("DOXA-22"));
    EXPECT_EQ(shown[0], "Inicjalizacja");
    EXPECT_EQ(shown[ModelText], " DOXA-22");
    EXPECT_EQ(shown[SerialText], " " + std::to_string(reference.state().serialNumber));
    EXPECT_EQ(station.device.modelName, "DOXA-22");
    EXPECT_TRUE(messages.empty());
    // The address stored by an earlier run does not survive start-up.
    EXPECT_EQ(store.readInt("Polling_adres", "ADRES", -1), 0);
    EXPECT_EQ(station.link.portOpen, 1);

    frame.close();
    EXPECT_EQ(station.link.portOpen, 0);
}

}  // namespace
}  // namespace doxa
