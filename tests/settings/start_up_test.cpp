// doxa-win and doxa-cli start from one settings file into the same state: what the technician
// set up in the desktop program holds for the scripts run beside it.

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "access/access.h"
#include "app/application.h"
#include "support/fake_shell.h"
#include "app/qt_settings_store.h"
#include "cli/console.h"
#include "cli/console_loop.h"
#include "cli/session.h"
#include "link/port_names.h"
#include "settings/start_up.h"
#include "settings/port_mapping.h"
#include "support/sim_process.h"
#include "support/virtual_clock.h"
#include "transmitter/station.h"

namespace doxa {
namespace {

class NoTime : public cli::TimeSource {
public:
    std::int64_t nowMs() const override { return 0; }
    bool sleepUntil(std::int64_t) override { return false; }
};

// A settings file as doxa-win leaves it in XDG_CONFIG_HOME.
class SettingsFile : public ::testing::Test {
protected:
    void write(const std::string& ini) {
        std::filesystem::create_directories(folder_.path() / "doxa-win");
        std::ofstream(path()) << ini;
        ::setenv("XDG_CONFIG_HOME", folder_.path().c_str(), 1);
    }
    std::filesystem::path path() const { return folder_.path() / "doxa-win" / "doxa-win.ini"; }

    test::TempFolder folder_;
};

// A fresh doxa-win up to the point where identification begins.
struct DoxaWin {
    explicit DoxaWin(const std::filesystem::path& ini) : settings(QString::fromStdString(ini.string())) {
        decideAccess(station, [](DialogLogic&) {
            ADD_FAILURE() << "no password is asked for";
            return ResultCancel;
        });
        Application app(station, shell);
        app.startUp();
    }
    QtSettingsStore settings;
    Station station{settings};
    test::VirtualClock clock;
    test::FakeShell shell{clock};
};

TEST_F(SettingsFile, BothProgramsStartFromTheSameState) {
    write("[COM]\nCOM=2\n\n[Porty]\nCOM3=/nonexistent/tty-of-the-test\n\n[Transmisja]\nRS485=1\n\n"
          "[BAUD]\nBAUD=2\n\n[DELTA]\nDELTA=7\n\n[Polling_adres]\nADRES=9\n\n[PASSWORD]\nP0=0\n"
          "P1=abc\nP2=def\nP3=ghi\n");
    const DoxaWin win(path());

    std::ostringstream err;
    cli::Console console(err, false);
    NoTime time;
    std::string error;
    // The line the desktop stored, named on the command line.
    const auto session = cli::Session::open({.port = "COM3", .rs485 = true, .baudIndex = 2}, console, time, error);
    ASSERT_TRUE(session) << error;
    const Station& cli = session->station();

    const Station& desktop = win.station;
    EXPECT_EQ(desktop.device.deltaValue, 7);
    EXPECT_EQ(cli.device.deltaValue, desktop.device.deltaValue);
    EXPECT_EQ(cli.link.portNumber, 2);
    EXPECT_EQ(cli.link.portNumber, desktop.link.portNumber);
    EXPECT_EQ(cli.link.transmissionMode, desktop.link.transmissionMode);
    EXPECT_EQ(cli.link.baudIndex, 2);
    EXPECT_EQ(cli.link.baudIndex, desktop.link.baudIndex);
    EXPECT_EQ(cli.link.parityOff, desktop.link.parityOff);
    EXPECT_EQ(cli.device.hasAmbient, 1);
    EXPECT_EQ(cli.device.hasAmbient, desktop.device.hasAmbient);
    // The stored address does not survive the desktop's new document: both talk to address 0.
    EXPECT_EQ(cli.device.pollingAddress, desktop.device.pollingAddress);
    EXPECT_EQ(cli.characteristic.characteristicCount, desktop.characteristic.characteristicCount);
    EXPECT_EQ(cli.characteristic.characteristicTable, desktop.characteristic.characteristicTable);
    EXPECT_EQ(cli.enteredPassword, desktop.enteredPassword);
    EXPECT_EQ(resolvePort(cli.settings, 2).devicePath, "/nonexistent/tty-of-the-test");
    EXPECT_EQ(resolvePort(cli.settings, 2).devicePath, resolvePort(desktop.settings, 2).devicePath);
}

TEST_F(SettingsFile, AScriptOnADevicePathKeepsTheDesktopsDeltaAndLeavesTheFileAlone) {
    const std::string ini = "[DELTA]\nDELTA=9\n";
    write(ini);
    std::ostringstream err;
    cli::Console console(err, false);
    NoTime time;
    std::string error;
    const auto session = cli::Session::open({.port = "/nonexistent/tty"}, console, time, error);
    ASSERT_TRUE(session) << error;
    EXPECT_EQ(session->station().device.deltaValue, 9);
    EXPECT_EQ(resolvePort(session->station().settings, 0).devicePath, "/nonexistent/tty");
    session->station().settings.writeInt("Polling_adres", "ADRES", 4);
    std::ifstream file(path());
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(file), {}), ini);
}

// What an empty store starts from: the documented defaults.
TEST(StartStation, AnEmptyStoreGivesTheDefaults) {
    MemorySettingsStore settings;
    Station station(settings);
    startStation(station);
    EXPECT_EQ(station.link.portNumber, -1);
    EXPECT_EQ(station.link.transmissionMode, ModeHart);
    EXPECT_EQ(station.link.baudIndex, 0);
    EXPECT_EQ(station.link.replyWait, 300);
    EXPECT_EQ(station.device.pollingAddress, 0);
    EXPECT_EQ(station.device.deltaValue, 5);
    EXPECT_EQ(station.device.hasAmbient, 0);
    const StoredPasswords passwords = storedPasswords(settings);
    EXPECT_FALSE(passwords.protection);
    EXPECT_EQ(passwords.passwords[0], "");
    EXPECT_TRUE(storedRecentFiles(settings).empty());
}

TEST(StartStation, StoredValuesAreTakenAndAnUnknownSpeedReadsAs1200) {
    MemorySettingsStore settings;
    for (const auto& [section, key, value] :
         {std::tuple{"COM", "COM", "11"}, {"Transmisja", "RS485", "1"}, {"BAUD", "BAUD", "7"},
          {"Polling_adres", "ADRES", "12"}, {"DELTA", "DELTA", "0"}, {"PASSWORD", "P0", "1"},
          {"PASSWORD", "P2", "kal"}, {"Recent File List", "File1", "/a.prg"},
          {"Recent File List", "File2", "/a.prg"}, {"Recent File List", "File4", "/b.prg"}})
        settings.writeText(section, key, value);
    Station station(settings);
    startStation(station);
    EXPECT_EQ(station.link.portNumber, 11);
    EXPECT_EQ(station.link.transmissionMode, ModeRs485);
    EXPECT_EQ(station.link.baudIndex, 0);
    // The wait is the menu command's, not a stored value.
    EXPECT_EQ(station.link.replyWait, 300);
    EXPECT_EQ(station.device.pollingAddress, 12);
    EXPECT_EQ(station.device.deltaValue, 0);
    EXPECT_EQ(station.device.hasAmbient, 1);
    const StoredPasswords passwords = storedPasswords(settings);
    EXPECT_TRUE(passwords.protection);
    EXPECT_EQ(passwords.passwords[1], "kal");
    EXPECT_EQ(storedRecentFiles(settings), (std::vector<std::string>{"/a.prg", "/b.prg"}));

    settings.writeInt("BAUD", "BAUD", 4);
    EXPECT_EQ(storedLine(settings).baudIndex, 4);
    settings.writeInt("Transmisja", "RS485", 0);
    EXPECT_EQ(storedLine(settings).baudIndex, 0) << "the speed is read in RS485 only";
}

}  // namespace
// The service history's database: the command line's choice over [Baza] URL over the user's
// own file ("").
TEST(StartStation, TheHistoryDatabaseIsTheCommandLinesElseTheSettingsElseTheOwnFile) {
    MemorySettingsStore settings;
    EXPECT_EQ(storedHistoryDatabase(settings), "");
    EXPECT_EQ(storedHistoryDatabase(settings, "/tmp/other.sqlite"), "/tmp/other.sqlite");
    settings.writeText("Baza", "URL", " postgresql://serwis@baza.zaklad:5432/historia\t");
    EXPECT_EQ(storedHistoryDatabase(settings), "postgresql://serwis@baza.zaklad:5432/historia");
    EXPECT_EQ(storedHistoryDatabase(settings, "/tmp/other.sqlite"), "/tmp/other.sqlite");
}

// A transmitter's calibration interval is offered from [Kalibracja]: 12 months unless another
// whole number of months up to ten years is stored there.
TEST(StartStation, TheCalibrationIntervalIsTwelveMonthsUnlessAnotherIsStored) {
    MemorySettingsStore settings;
    EXPECT_EQ(storedCalibrationIntervalMonths(settings), 12);
    for (const auto& [stored, read] : {std::pair{"6", 6}, {"1", 1}, {"120", 120}, {"0", 12}, {"-3", 12},
                                       {"121", 12}, {"sześć", 12}}) {
        settings.writeText("Kalibracja", "InterwalMiesiecy", stored);
        EXPECT_EQ(storedCalibrationIntervalMonths(settings), read) << stored;
    }
}

}  // namespace doxa
