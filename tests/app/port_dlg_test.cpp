// "Port szeregowy" with the serial devices of a fake /dev and /sys tree beside the COM names.

#include "app/port_dlg.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "app/application.h"
#include "dialog/command_ids.h"
#include "support/fake_device_tree.h"
#include "support/fake_shell.h"
#include "support/fake_window.h"
#include "support/sim_station.h"

namespace doxa::test {
namespace {

constexpr const char* Ftdi = "usb-FTDI_FT232R_USB_UART_A1B2C3-if00-port0";

// A computer with one FTDI adapter (ttyUSB0, linked by id), one adapter without a by-id link
// (ttyUSB1) and one real built-in port the user may not open.
class PortDialog : public ::testing::Test {
protected:
    PortDialog() {
        tree.addUsbDevice("ttyUSB0", "FTDI", "FT232R USB UART", "A1B2C3");
        tree.addByIdLink(Ftdi, "../../ttyUSB0");
        tree.addNode("ttyUSB1");
        tree.addBuiltInPort("ttyS0", 4);
    }
    std::string byId() { return tree.byId(Ftdi).string(); }
    std::string dev(const std::string& tty) const { return (tree.dev() / tty).string(); }
    const std::vector<std::string>& shown() const { return window.items(CPortDlg::DeviceList); }

    FakeDeviceTree tree;
    SimStation sim;
    std::vector<std::string> watched;
    std::function<void()> folderChanged;
    CPortDlg dialog{sim.station, tree.root(),
                    [this](const std::vector<std::string>& folders, std::function<void()> changed) {
                        watched = folders;
                        folderChanged = std::move(changed);
                        return std::make_unique<FolderWatch>();
                    },
                    [this](const std::string& path) { return path != dev("ttyS0"); }};
    FakeWindow window{dialog, sim.clock};
};

TEST_F(PortDialog, ListsTheDevicesWithWhatTheSystemTellsOfThem) {
    sim.station.link.portNumber = 2;
    ASSERT_TRUE(window.open());
    EXPECT_EQ(window.selection(CPortDlg::PortList), 2);
    EXPECT_EQ(shown(), (std::vector<std::string>{
                           byId() + " (ttyUSB0) – FTDI FT232R USB UART, nr seryjny A1B2C3",
                           dev("ttyS0") + " – port szeregowy komputera – brak dostępu – dodaj użytkownika do grupy dialout",
                           dev("ttyUSB1") + " – adapter USB",
                       }));
    // COM3 is not mapped: it leads to the usual device of its number, which is not listed.
    EXPECT_EQ(window.text(CPortDlg::MappingText), "COM3 → /dev/ttyS2");
    EXPECT_EQ(window.selection(CPortDlg::DeviceList), -1);
    const std::string dev = tree.root() + "/dev";
    EXPECT_EQ(watched, (std::vector<std::string>{dev, dev + "/serial", dev + "/serial/by-id"}));
}

TEST_F(PortDialog, TheDeviceChosenForAComNameIsTheStableByIdLink) {
    sim.settings.writeText("Porty", "COM5", dev("ttyUSB1"));
    ASSERT_TRUE(window.open());
    window.choose(CPortDlg::PortList, 4);
    EXPECT_EQ(window.text(CPortDlg::MappingText), "COM5 → " + dev("ttyUSB1"));
    EXPECT_EQ(window.selection(CPortDlg::DeviceList), 2) << "the device the port leads to now";

    window.choose(CPortDlg::DeviceList, 0);
    EXPECT_EQ(window.text(CPortDlg::MappingText), "COM5 → " + byId() + " (zapisane po OK)");
    window.click(CPortDlg::Ok);
    EXPECT_EQ(window.result(), ResultOk);
    EXPECT_EQ(sim.station.link.portNumber, 4);
    EXPECT_EQ(dialog.chosenDevice(), byId());
}

TEST_F(PortDialog, TheListFollowsDevicesPluggedInAndOut) {
    ASSERT_TRUE(window.open());
    window.choose(CPortDlg::PortList, 0);
    window.choose(CPortDlg::DeviceList, 0);
    ASSERT_EQ(dialog.chosenDevice(), byId());

    // The chosen adapter is pulled out: the system reports it at once.
    tree.remove("ttyUSB0");
    ASSERT_TRUE(folderChanged);
    folderChanged();
    ASSERT_EQ(shown().size(), 2u);
    EXPECT_TRUE(shown()[0].starts_with(dev("ttyS0"))) << shown()[0];
    EXPECT_EQ(dialog.chosenDevice(), "") << "a device that is gone is not kept for the port";
    EXPECT_EQ(window.text(CPortDlg::MappingText), "COM1 → /dev/ttyS0");

    // Another one comes in, its by-id link a moment later: the periodic look finds it.
    tree.addUsbDevice("ttyUSB4", "Silicon Labs", "CP2102 USB to UART Bridge Controller", "0001");
    tree.addByIdLink("usb-Silicon_Labs_CP2102_0001-if00-port0", "../../ttyUSB4");
    sim.clock.advance(CPortDlg::RefreshMs - 10);
    EXPECT_EQ(shown().size(), 2u);
    sim.clock.advance(10);
    ASSERT_EQ(shown().size(), 3u);
    EXPECT_EQ(shown()[0], tree.byId("usb-Silicon_Labs_CP2102_0001-if00-port0").string() +
                              " (ttyUSB4) – Silicon Labs CP2102 USB to UART Bridge Controller, nr seryjny 0001");
    window.choose(CPortDlg::DeviceList, 0);
    // A refresh that finds nothing new keeps the technician's choice.
    sim.clock.advance(CPortDlg::RefreshMs);
    EXPECT_EQ(window.selection(CPortDlg::DeviceList), 0);
    EXPECT_EQ(dialog.chosenDevice(), tree.byId("usb-Silicon_Labs_CP2102_0001-if00-port0").string());
}

class PortChoice : public ::testing::Test {
protected:
    PortChoice() {
        tree.addUsbDevice("ttyUSB0", "FTDI", "FT232R USB UART", "A1B2C3");
        tree.addByIdLink(Ftdi, "../../ttyUSB0");
        ::setenv("DOXA_DEVICE_ROOT", tree.root().c_str(), 1);
        sim.settings.writeInt("COM", "COM", 0);
    }
    ~PortChoice() override { ::unsetenv("DOXA_DEVICE_ROOT"); }
    void choose(int port, int device, int button) {
        shell.scripts[CPortDlg::Resource] = [=, this](FakeWindow& window, DialogLogic&) {
            EXPECT_FALSE(shell.watchedFolders.empty()) << "devices are watched while the dialog is open";
            window.choose(CPortDlg::PortList, port);
            window.choose(CPortDlg::DeviceList, device);
            window.click(button);
        };
        app.onCommand(CmdPort);
    }

    FakeDeviceTree tree;
    SimStation sim;
    FakeShell shell{sim.clock};
    Application app{sim.station, shell};
};

TEST_F(PortChoice, OkMapsTheComNameToTheChosenDeviceAndAnulujChangesNothing) {
    choose(2, 0, CPortDlg::Cancel);
    EXPECT_FALSE(sim.settings.contains("Porty", "COM3"));
    EXPECT_EQ(sim.settings.readInt("COM", "COM", -1), 0);

    choose(2, 0, CPortDlg::Ok);
    EXPECT_EQ(sim.settings.readText("Porty", "COM3", ""), tree.byId(Ftdi).string());
    EXPECT_EQ(sim.settings.readInt("COM", "COM", -1), 2);
    EXPECT_TRUE(shell.watchedFolders.empty()) << "the watch ends with the dialog";
}

}  // namespace
}  // namespace doxa::test
