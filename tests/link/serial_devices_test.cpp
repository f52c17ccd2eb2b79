#include "link/serial_devices.h"

#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "support/fake_device_tree.h"

namespace doxa {
namespace {

constexpr const char* Ftdi = "usb-FTDI_FT232R_USB_UART_A1B2C3-if00-port0";
constexpr const char* Prolific = "usb-Prolific_Technology_Inc._USB-Serial_Controller_D-if00-port0";

bool anyone(const std::string&) { return true; }

class SerialDevices : public ::testing::Test {
protected:
    SerialDevices() {
        tree.addUsbDevice("ttyUSB0", "FTDI", "FT232R USB UART", "A1B2C3");
        tree.addByIdLink(Ftdi, "../../ttyUSB0");
        tree.addUsbDevice("ttyUSB2", "Prolific Technology Inc.", "USB-Serial Controller D", "");
        tree.addByIdLink(Prolific, "../../ttyUSB2");
        tree.addNode("ttyUSB10");  // no by-id link, nothing in sysfs
        tree.addUsbDevice("ttyACM0", "", "Pico", "E66");
        tree.addBuiltInPort("ttyS0", 0);  // placeholders the kernel makes whether or not a UART is there
        tree.addBuiltInPort("ttyS1", 4);  // a 16550A
        tree.addBuiltInPort("ttyS12", 0);
        tree.addNode("ttyS2");            // nothing says it is real: not listed
        tree.addNode("ttyS1x");           // not a tty of the families
        tree.addByIdLink("usb-Gone_Adapter_Z9-if00-port0", "../../ttyUSB7");  // left behind
    }
    std::string path(const std::string& name) const { return (tree.dev() / name).string(); }
    std::string byId(const std::string& name) const { return (tree.dev() / "serial" / "by-id" / name).string(); }

    test::FakeDeviceTree tree;
};

TEST_F(SerialDevices, ListsAdaptersByIdThenRealPortsThenTheRestEachDeviceOnce) {
    const std::vector<SerialDevice> devices = listSerialDevices(tree.root(), anyone);
    std::vector<std::string> paths;
    for (const SerialDevice& d : devices) paths.push_back(d.path);
    EXPECT_EQ(paths, (std::vector<std::string>{byId(Ftdi), byId(Prolific), path("ttyS1"), path("ttyUSB10"), path("ttyACM0")}));
    ASSERT_EQ(devices.size(), 5u);

    const SerialDevice& ftdi = devices[0];
    EXPECT_EQ(ftdi.byId, Ftdi);
    EXPECT_EQ(ftdi.tty, "ttyUSB0");
    EXPECT_EQ(ftdi.maker, "FTDI");
    EXPECT_EQ(ftdi.product, "FT232R USB UART");
    EXPECT_EQ(ftdi.serial, "A1B2C3");
    EXPECT_EQ(ftdi.description, "FTDI FT232R USB UART, nr seryjny A1B2C3");
    EXPECT_EQ(devices[1].description, "Prolific Technology Inc. USB-Serial Controller D");
    EXPECT_EQ(devices[2].tty, "ttyS1");
    EXPECT_EQ(devices[2].description, "port szeregowy komputera");
    EXPECT_TRUE(devices[2].byId.empty());
    EXPECT_EQ(devices[3].description, "adapter USB");
    EXPECT_EQ(devices[4].description, "Pico, nr seryjny E66");
    for (const SerialDevice& d : devices) {
        EXPECT_TRUE(d.accessible) << d.path;
        EXPECT_EQ(d.hint, "") << d.path;
    }
}

TEST_F(SerialDevices, ADeviceTheUserMayNotOpenCarriesTheDialoutHint) {
    const auto devices = listSerialDevices(tree.root(), [&](const std::string& p) { return p != path("ttyS1"); });
    ASSERT_EQ(devices.size(), 5u);
    EXPECT_FALSE(devices[2].accessible);
    EXPECT_EQ(devices[2].hint, "brak dostępu – dodaj użytkownika do grupy dialout");
    EXPECT_TRUE(devices[1].accessible);
}

TEST_F(SerialDevices, TheUsersOwnRightsDecideWhenNothingIsInjected) {
    // root opens anything whatever its mode: the check cannot be seen failing there.
    if (::geteuid() == 0) GTEST_SKIP() << "running as root, who may open any device";
    ASSERT_EQ(::chmod(path("ttyUSB0").c_str(), 0), 0);
    const auto devices = listSerialDevices(tree.root());
    ASSERT_FALSE(devices.empty());
    EXPECT_EQ(devices[0].path, byId(Ftdi));
    EXPECT_FALSE(devices[0].accessible);
    EXPECT_TRUE(devices[1].accessible);
}

TEST_F(SerialDevices, ADevicePulledOutLeavesTheList) {
    tree.remove("ttyUSB0");
    tree.remove("ttyUSB10");
    std::vector<std::string> paths;
    for (const SerialDevice& d : listSerialDevices(tree.root(), anyone)) paths.push_back(d.path);
    EXPECT_EQ(paths, (std::vector<std::string>{byId(Prolific), path("ttyS1"), path("ttyACM0")}));
}

TEST_F(SerialDevices, ANameIsFoundByAPartOnlyOneByIdNameHolds) {
    // Two ports of one adapter, the name of the first a part of the second's.
    constexpr const char* DualFirst = "usb-Acme_Dual-if00";
    constexpr const char* DualSecond = "usb-Acme_Dual-if00-port0";
    tree.addUsbDevice("ttyUSB4", "Acme", "Dual", "");
    tree.addByIdLink(DualSecond, "../../ttyUSB4");
    tree.addUsbDevice("ttyUSB3", "Acme", "Dual", "");
    tree.addByIdLink(DualFirst, "../../ttyUSB3");
    const auto devices = listSerialDevices(tree.root(), anyone);
    struct Case {
        std::string name;
        std::string path;
        std::vector<std::string> inError;
    };
    const Case cases[] = {
        {Ftdi, byId(Ftdi), {}},
        {"FTDI_FT232R_USB_UART_A1B2C3", byId(Ftdi), {}},
        {"a1b2c3", byId(Ftdi), {}},
        {"Prolific", byId(Prolific), {}},
        {DualFirst, byId(DualFirst), {}},
        {DualSecond, byId(DualSecond), {}},
        {"acme_dual", "", {"several by-id names hold it:", DualFirst, DualSecond}},
        {"usb-", "", {"several by-id names hold it:", Ftdi, Prolific}},
        {"-if00-port0", "", {"several by-id names hold it:", Ftdi, Prolific}},
        {"ttyUSB10", "", {"no by-id name holds it; present are:", byId(Ftdi), path("ttyS1"), path("ttyACM0")}},
        {"Z9", "", {"no by-id name holds it"}},
    };
    for (const Case& c : cases) {
        const DeviceLookup found = findDeviceByName(devices, c.name);
        EXPECT_EQ(found.path, c.path) << c.name;
        EXPECT_EQ(found.error.empty(), c.inError.empty()) << c.name;
        for (const std::string& part : c.inError) EXPECT_NE(found.error.find(part), std::string::npos) << c.name << ": " << found.error;
    }
    EXPECT_EQ(findDeviceByName({}, "FTDI").error, "no by-id name holds it; no serial device is present");
}

TEST(DeviceRoot, IsTheSystemsUnlessTheEnvironmentNamesAFakeTree) {
    ::unsetenv("DOXA_DEVICE_ROOT");
    EXPECT_EQ(deviceRoot(), "/");
    ::setenv("DOXA_DEVICE_ROOT", "/tmp/fake", 1);
    EXPECT_EQ(deviceRoot(), "/tmp/fake");
    ::unsetenv("DOXA_DEVICE_ROOT");
}

}  // namespace
}  // namespace doxa
