#include "settings/port_mapping.h"

#include <gtest/gtest.h>

#include "transmitter/settings_store.h"

namespace doxa {
namespace {

TEST(PortNames, NumbersZeroToElevenAreComOneToTwelve) {
    EXPECT_EQ(portName(0), "COM1");
    EXPECT_EQ(portName(11), "COM12");
    EXPECT_EQ(portName(12), "");
    EXPECT_EQ(portName(-1), "");
}

TEST(PortNames, UnmappedPortsFallBackToTheUsualDevices) {
    MemorySettingsStore store;
    EXPECT_EQ(resolvePort(store, 0).devicePath, "/dev/ttyS0");
    EXPECT_EQ(resolvePort(store, 3).devicePath, "/dev/ttyS3");
    EXPECT_EQ(resolvePort(store, 4).devicePath, "/dev/ttyUSB0");
    EXPECT_EQ(resolvePort(store, 8).devicePath, "/dev/ttyACM0");
    EXPECT_EQ(resolvePort(store, 11).devicePath, "/dev/ttyACM3");
    const PortTarget nowhere = resolvePort(store, 12);
    EXPECT_TRUE(nowhere.devicePath.empty() && nowhere.simModel.empty());
}

TEST(PortNames, MappingsAndTheSimulatedTransmitter) {
    MemorySettingsStore store;
    store.writeText("Porty", "COM2", "/dev/pts/7");
    store.writeText("Porty", "COM3", "sim:DOXA-22");
    store.writeText("Porty", "COM4", "  ");
    EXPECT_EQ(resolvePort(store, 1).devicePath, "/dev/pts/7");
    const PortTarget sim = resolvePort(store, 2);
    EXPECT_EQ(sim.simModel, "DOXA-22");
    EXPECT_TRUE(sim.devicePath.empty());
    EXPECT_EQ(resolvePort(store, 3).devicePath, "/dev/ttyS3");
}

}  // namespace
}  // namespace doxa
