#include "sim/line_factory.h"

#include <gtest/gtest.h>

#include "app/application.h"
#include "support/fake_shell.h"
#include "app/port_dlg.h"
#include "link/posix_serial_line.h"
#include "sim/sim_line.h"
#include "support/virtual_clock.h"
#include "transmitter/ident_dlg.h"
#include "transmitter/settings_store.h"
#include "transmitter/station.h"

namespace doxa::test {
namespace {

sim::SimLine* asSim(const std::unique_ptr<SerialLine>& line) {
    return dynamic_cast<sim::SimLine*>(line.get());
}

class LineFactoryTest : public ::testing::Test {
protected:
    MemorySettingsStore settings;
    LineFactory makeLine = makeLineFactory(settings);
};

TEST_F(LineFactoryTest, DevicePortsLeadToTheMappedOrUsualDevice) {
    settings.writeText("Porty", "COM2", " /dev/ttyUSB7 ");
    const auto mapped = makeLine(1);
    const auto* device = dynamic_cast<PosixSerialLine*>(mapped.get());
    ASSERT_NE(device, nullptr);
    EXPECT_EQ(device->devicePath(), "/dev/ttyUSB7");

    const auto usual = makeLine(4);
    ASSERT_NE(dynamic_cast<PosixSerialLine*>(usual.get()), nullptr);
}

TEST_F(LineFactoryTest, PortsThatLeadNowhereGiveNoLine) {
    settings.writeText("Porty", "COM3", "sim:NOSUCH-99");
    settings.writeText("Porty", "COM4", "sim:");
    EXPECT_EQ(makeLine(-1), nullptr);
    EXPECT_EQ(makeLine(12), nullptr);
    EXPECT_EQ(makeLine(2), nullptr);
    EXPECT_EQ(makeLine(3), nullptr);
}

TEST_F(LineFactoryTest, TheDemoPortTakesTheSimulatorsOptionsAfterTheModel) {
    settings.writeText("Porty", "COM3", "sim:RIVO-22 --address 5 --garble 0.2 --drop-nth 3");
    settings.writeText("Porty", "COM4", "sim:RIVO-22 --garble 7");
    const auto line = makeLine(2);
    ASSERT_NE(asSim(line), nullptr);
    sim::Transmitter& transmitter = asSim(line)->transmitter();
    EXPECT_EQ(transmitter.model(), sim::Model::Rivo22);
    EXPECT_EQ(transmitter.state().address, 5);
    EXPECT_EQ(transmitter.faults.garble.probability, 0.2);
    EXPECT_EQ(transmitter.faults.drop.onRequest, 3u);
    EXPECT_EQ(makeLine(3), nullptr) << "a probability above 1 is refused";

    // Other options on the port make another device.
    settings.writeText("Porty", "COM3", "sim:RIVO-22");
    const auto plain = makeLine(2);
    EXPECT_NE(&asSim(plain)->transmitter(), &transmitter);
    EXPECT_EQ(asSim(plain)->transmitter().faults.garble.probability, 0.0);
}

TEST_F(LineFactoryTest, SimulatedTransmitterOutlivesItsLine) {
    settings.writeText("Porty", "COM3", "sim:RIVO-22");
    settings.writeText("Porty", "COM4", "sim:RIVO-22");
    auto first = makeLine(2);
    ASSERT_NE(asSim(first), nullptr);
    EXPECT_EQ(asSim(first)->transmitter().model(), sim::Model::Rivo22);
    asSim(first)->transmitter().state().text = "PIEC 3";
    first.reset();

    const auto again = makeLine(2);
    EXPECT_EQ(asSim(again)->transmitter().state().text, "PIEC 3");
    const auto otherPort = makeLine(3);
    EXPECT_NE(&asSim(otherPort)->transmitter(), &asSim(again)->transmitter());
}

TEST_F(LineFactoryTest, RemappedModelIsAnotherTransmitter) {
    settings.writeText("Porty", "COM1", "sim:DOXA-22");
    const auto doxa = makeLine(0);
    asSim(doxa)->transmitter().state().text = "A";
    settings.writeText("Porty", "COM1", "sim:SAWE-01");
    const auto sawe = makeLine(0);
    EXPECT_EQ(asSim(sawe)->transmitter().model(), sim::Model::Sawe01);
    EXPECT_NE(asSim(sawe)->transmitter().state().text, "A");
}

// A demo left polling for days must not hold every byte it exchanged; the transmitter still
// answers.
TEST_F(LineFactoryTest, DemoPortKeepsNoRecordOfTheTraffic) {
    settings.writeText("Porty", "COM1", "sim:DOXA-22");
    const auto line = makeLine(0);
    ASSERT_TRUE(line->open());
    const std::uint8_t identify[] = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x02, 0x80, 0x00, 0x00, 0x82};
    ASSERT_EQ(line->write(identify, sizeof identify), int(sizeof identify));
    std::uint8_t answer[100];
    EXPECT_GT(line->read(answer, sizeof answer), 0);
    EXPECT_TRUE(asSim(line)->requests().empty());
    EXPECT_TRUE(asSim(line)->answers().empty());
    EXPECT_TRUE(asSim(line)->received().empty());
}

// The demo port: the program's own start-up finds the simulated transmitter through the map.
TEST(LineFactoryStartUp, IdentifiesTheSimulatedTransmitterOfTheDemoPort) {
    MemorySettingsStore settings;
    settings.writeText("Porty", "COM2", "sim:SAWE-01");
    Station station(settings);
    station.makeLine = makeLineFactory(settings);
    VirtualClock clock;
    station.monotonicMs = [&clock] { return clock.now(); };
    FakeShell shell(clock);
    shell.scripts[CPortDlg::Resource] = [](FakeWindow& window, DialogLogic&) {
        window.setSelection(CPortDlg::PortList, 1);
        window.click(CPortDlg::Ok);
    };
    std::string progress;
    shell.scripts[CInitDlg::Resource] = [&](FakeWindow& window, DialogLogic&) {
        clock.advanceUntil([&] { return window.text(CInitDlg::ProgressText) == "Koniec"; }, 60'000);
        progress = window.text(CInitDlg::ProgressText);
    };
    Application app(station, shell);
    app.startUp();

    EXPECT_EQ(progress, "Koniec");
    EXPECT_EQ(station.device.modelName, "SAWE-01");
    app.shutDown();
    EXPECT_EQ(station.link.portOpen, 0);
}

}  // namespace
}  // namespace doxa::test
