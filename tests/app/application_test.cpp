#include "app/application.h"

#include <gtest/gtest.h>

#include "dialog/command_ids.h"
#include "support/fake_shell.h"
#include "app/port_dlg.h"
#include "programming/prog_dlg.h"
#include "programming/prog_zu_dlg.h"
#include "programming/rs485_dlg.h"
#include "service/finder_dlg.h"
#include "support/sim_station.h"
#include "transmitter/display_dlg.h"
#include "transmitter/ident_dlg.h"

namespace doxa::test {
namespace {

constexpr int AboutResource = 100;

FakeShell::Script pickPort(int index) {
    return [index](FakeWindow& window, DialogLogic&) {
        window.setSelection(CPortDlg::PortList, index);
        window.click(CPortDlg::Ok);
    };
}

FakeShell::Script cancel() {
    return [](FakeWindow& window, DialogLogic&) { window.click(ResultCancel); };
}

// The technician picks a speed and a parity as radio buttons do: one checked per group.
FakeShell::Script pickLine(int baudIndex, int parityOff, int button = CRs485Dlg::Set) {
    return [=](FakeWindow& window, DialogLogic&) {
        const int bauds[] = {CRs485Dlg::Baud1200, CRs485Dlg::Baud4800, CRs485Dlg::Baud9600,
                             CRs485Dlg::Baud19200, CRs485Dlg::Baud38400};
        for (int i = 0; i < 5; ++i) window.setChecked(bauds[i], i == baudIndex);
        window.setChecked(CRs485Dlg::ParityOdd, parityOff == 0);
        window.setChecked(CRs485Dlg::ParityNone, parityOff == 1);
        window.click(button);
    };
}

class ApplicationTest : public ::testing::Test {
protected:
    ApplicationTest() {
        sim.keepJournal();
        // Identification runs to its end and is closed by the technician, as at every start.
        shell.scripts[CInitDlg::Resource] = [this](FakeWindow& window, DialogLogic&) {
            identificationFinished = sim.clock.advanceUntil(
                [&] { return window.ended() || window.text(CInitDlg::ProgressText) == "Koniec"; },
                60'000);
            window.click(CInitDlg::Close);
        };
    }

    int stored(std::string_view section, std::string_view key) const {
        return sim.settings.readInt(section, key, -99);
    }

    // Every port made ("make <port>") and every call to its line, in order.
    const std::vector<std::string>& journal() const { return *sim.journal; }
    std::vector<std::string> journalSince(std::size_t from) const {
        return {journal().begin() + static_cast<std::ptrdiff_t>(std::min(from, journal().size())),
                journal().end()};
    }
    // The last "configure" entry, empty when the port was never configured.
    std::string lastConfigure() const {
        for (auto it = journal().rbegin(); it != journal().rend(); ++it)
            if (it->starts_with("configure")) return *it;
        return {};
    }

    SimStation sim;
    Station& station = sim.station;
    FakeShell shell{sim.clock};
    Application app{sim.station, shell};
    bool identificationFinished = false;
};

TEST_F(ApplicationTest, FirstStartAsksForThePortThenIdentifiesTheTransmitter) {
    shell.scripts[CPortDlg::Resource] = pickPort(2);
    app.startUp();

    EXPECT_EQ(shell.dialogsRun, (std::vector<int>{CPortDlg::Resource, CInitDlg::Resource}));
    EXPECT_EQ(stored("COM", "COM"), 2);
    EXPECT_EQ(station.link.portNumber, 2);
    EXPECT_TRUE(identificationFinished);
    EXPECT_EQ(station.device.modelName, "DOXA-22");
    EXPECT_EQ(station.device.deltaValue, 5);
    EXPECT_EQ(journal().front(), "make 2");
    EXPECT_EQ(shell.repaints, 1);
}

TEST_F(ApplicationTest, FirstStartWithThePortDialogCancelledStillShowsIdentification) {
    shell.scripts[CPortDlg::Resource] = cancel();
    app.startUp();

    EXPECT_EQ(shell.dialogsRun, (std::vector<int>{CPortDlg::Resource, CInitDlg::Resource}));
    EXPECT_EQ(station.link.portNumber, -1);
    EXPECT_FALSE(sim.settings.contains("COM", "COM"));
    EXPECT_TRUE(journal().empty()) << "no port is opened without a number";
}

TEST_F(ApplicationTest, StoredPortIsUsedWithoutAsking) {
    sim.settings.writeInt("COM", "COM", 4);
    app.startUp();

    EXPECT_EQ(shell.dialogsRun, (std::vector<int>{CInitDlg::Resource}));
    EXPECT_EQ(station.link.portNumber, 4);
    EXPECT_TRUE(identificationFinished);
}

// A port that will not open says why below its box, and the box that follows leads straight to
// the port choice, whose port is kept as from "Ustawienia" -> "Port".
TEST_F(ApplicationTest, APortThatWillNotOpenLeadsFromItsBoxToThePortDialog) {
    sim.settings.writeInt("COM", "COM", 4);
    sim.portFails = true;
    shell.boxAnswers[CInitDlg::Resource] = {Answer::Extra};
    shell.scripts[CPortDlg::Resource] = pickPort(1);
    app.startUp();

    EXPECT_EQ(shell.dialogsRun, (std::vector<int>{CInitDlg::Resource, CPortDlg::Resource}));
    EXPECT_EQ(sim.messages, std::vector<std::string>{"Error OpenComm "});
    EXPECT_EQ(sim.informativeTexts, std::vector<std::string>{"Port COM5 nie został otwarty."});
    EXPECT_EQ(stored("COM", "COM"), 1);
    EXPECT_EQ(station.link.portNumber, 1);
}

TEST_F(ApplicationTest, APortThatWillNotOpenLeavesThePortAloneWhenItsBoxIsOnlyClosed) {
    sim.settings.writeInt("COM", "COM", 4);
    sim.portFails = true;
    app.startUp();

    EXPECT_EQ(shell.dialogsRun, (std::vector<int>{CInitDlg::Resource}));
    EXPECT_EQ(stored("COM", "COM"), 4);
}

TEST_F(ApplicationTest, StartUpResetsTheDocumentAndStoresAddressZeroBeforeIdentifying) {
    sim.settings.writeInt("COM", "COM", 0);
    sim.settings.writeInt("Polling_adres", "ADRES", 17);
    sim.settings.writeInt("DELTA", "DELTA", 8);
    station.characteristic.characteristicCount = 4;
    station.characteristic.characteristicTable[63] = 1.5F;
    station.device.rangeMin = 7;
    station.device.serialNumber = 1234;
    station.device.connection = 2;
    station.device.unitCode = 36;
    int addressSeenByIdentification = -1;
    shell.scripts[CInitDlg::Resource] = [&](FakeWindow&, DialogLogic&) {
        addressSeenByIdentification = stored("Polling_adres", "ADRES");
    };
    app.startUp();

    EXPECT_EQ(addressSeenByIdentification, 0);
    const DeviceRecord& device = station.device;
    EXPECT_EQ(device.pollingAddress, 0);
    EXPECT_EQ(device.deltaValue, 8);
    EXPECT_EQ(station.characteristic.characteristicCount, 0);
    EXPECT_EQ(station.characteristic.characteristicTable[63], 0.0F);
    EXPECT_EQ(device.modelName, "");
    EXPECT_EQ(device.serialNumber, 0);
    EXPECT_EQ(device.rangeMin, 100.0F);
    EXPECT_EQ(device.rangeMax, 300.0F);
    EXPECT_EQ(device.threshold, 120.0F);
    EXPECT_EQ(device.hysteresis, 10.0F);
    EXPECT_EQ(device.filterTime, 1);
    EXPECT_EQ(device.filterOrder, 1);
    EXPECT_EQ(device.connection, 2) << "not part of a new document";
    EXPECT_EQ(device.unitCode, 36) << "not part of a new document";
}

TEST_F(ApplicationTest, StoredRs485ModeIsCheckedButKeepsTheInitialReplyWait) {
    sim.settings.writeInt("COM", "COM", 0);
    sim.settings.writeInt("Transmisja", "RS485", 1);
    sim.settings.writeInt("BAUD", "BAUD", 3);
    app.startUp();

    EXPECT_TRUE(app.isChecked(CmdModeRs485));
    EXPECT_FALSE(app.isChecked(CmdModeHart));
    EXPECT_EQ(station.link.replyWait, 300);
    EXPECT_EQ(station.link.baudIndex, 3);
    EXPECT_EQ(station.device.hasAmbient, 1);
    EXPECT_EQ(lastConfigure(), "configure 19200 odd");
    EXPECT_TRUE(identificationFinished) << "identified over MODBUS";
}

TEST_F(ApplicationTest, UnusableStoredSpeedReadsAsTheSlowest) {
    sim.settings.writeInt("COM", "COM", 0);
    sim.settings.writeInt("Transmisja", "RS485", 1);
    for (int storedBaud : {-1, 5, 99}) {
        sim.settings.writeInt("BAUD", "BAUD", storedBaud);
        app.onCommand(CmdInitialize);
        EXPECT_EQ(station.link.baudIndex, 0) << storedBaud;
    }
}

TEST_F(ApplicationTest, Rs485CommandSetsReplyWaitBySpeed) {
    const int expectedWait[] = {250, 50, 20, 5, 5};
    for (int baud = 0; baud < 5; ++baud) {
        shell.scripts[CRs485Dlg::Resource] = pickLine(baud, 0);
        app.onCommand(CmdModeRs485);
        EXPECT_EQ(station.link.replyWait, expectedWait[baud]) << baud;
        EXPECT_EQ(station.link.baudIndex, baud);
        EXPECT_EQ(stored("BAUD", "BAUD"), baud);
    }
    EXPECT_EQ(stored("Transmisja", "RS485"), 1);
    EXPECT_TRUE(app.isChecked(CmdModeRs485));
    EXPECT_FALSE(app.isChecked(CmdModeHart));
    EXPECT_EQ(station.device.hasAmbient, 1);
}

TEST_F(ApplicationTest, Rs485DialogShowsTheCurrentLineAndItsCancelKeepsIt) {
    station.link.baudIndex = 1;
    station.link.parityOff = 1;
    bool showedCurrent = false;
    shell.scripts[CRs485Dlg::Resource] = [&](FakeWindow& window, DialogLogic& dialog) {
        showedCurrent = window.isChecked(CRs485Dlg::Baud4800) &&
                        window.isChecked(CRs485Dlg::ParityNone) &&
                        !window.isChecked(CRs485Dlg::ParityOdd);
        pickLine(4, 0, CRs485Dlg::Close)(window, dialog);
    };
    app.onCommand(CmdModeRs485);

    EXPECT_TRUE(showedCurrent);
    EXPECT_EQ(station.link.baudIndex, 1);
    EXPECT_EQ(station.link.parityOff, 1);
    EXPECT_EQ(stored("BAUD", "BAUD"), 1) << "written whether or not the dialog was confirmed";
    EXPECT_EQ(station.link.replyWait, 50);
}

TEST_F(ApplicationTest, HartCommandResetsTheSpeedWithoutStoringIt) {
    shell.scripts[CRs485Dlg::Resource] = pickLine(3, 1);
    app.onCommand(CmdModeRs485);
    app.onCommand(CmdModeHart);

    EXPECT_EQ(station.link.transmissionMode, ModeHart);
    EXPECT_EQ(station.link.baudIndex, 0);
    EXPECT_EQ(station.link.replyWait, 300);
    EXPECT_EQ(stored("Transmisja", "RS485"), 0);
    EXPECT_EQ(stored("BAUD", "BAUD"), 3);
    EXPECT_TRUE(app.isChecked(CmdModeHart));
    EXPECT_FALSE(app.isChecked(CmdModeRs485));
}

TEST_F(ApplicationTest, PortCommandStoresTheChoiceAndReleasesTheOpenPort) {
    sim.settings.writeInt("COM", "COM", 0);
    app.startUp();
    ASSERT_EQ(station.link.portOpen, 1);
    int shownSelection = -2;
    shell.scripts[CPortDlg::Resource] = [&](FakeWindow& window, DialogLogic& dialog) {
        shownSelection = window.selection(CPortDlg::PortList);
        pickPort(5)(window, dialog);
    };
    const std::size_t before = journal().size();
    app.onCommand(CmdPort);

    EXPECT_EQ(shownSelection, 0);
    EXPECT_EQ(stored("COM", "COM"), 5);
    EXPECT_EQ(station.link.portOpen, 0);
    // The identification's release byte was still on the line: its turn comes first.
    EXPECT_EQ(journalSince(before), (std::vector<std::string>{"rts-", "write FF", "rts-", "close"}));

    app.onCommand(CmdInitialize);
    EXPECT_EQ(journal()[before + 4], "make 5");
}

TEST_F(ApplicationTest, CancelledPortCommandLeavesTheStoredPort) {
    sim.settings.writeInt("COM", "COM", 3);
    station.link.portNumber = 7;  // what the store says wins when the command starts
    shell.scripts[CPortDlg::Resource] = cancel();
    app.onCommand(CmdPort);

    EXPECT_EQ(stored("COM", "COM"), 3);
    EXPECT_EQ(station.link.portNumber, 3);
}

// The port stays open between dialogs; with the old line settings it would talk past the
// transmitter after the technician changed the mode, the speed or the parity.
TEST_F(ApplicationTest, ChangedLineSettingsReopenThePortWithThem) {
    sim.settings.writeInt("COM", "COM", 0);
    app.startUp();
    ASSERT_EQ(lastConfigure(), "configure 1200 odd");

    shell.scripts[CRs485Dlg::Resource] = pickLine(2, 1);
    std::size_t before = journal().size();
    app.onCommand(CmdModeRs485);
    const std::vector<std::string> rs485 = journalSince(before);
    // Released for the mode, reopened by the dialog, released again for the new speed.
    EXPECT_EQ(std::count(rs485.begin(), rs485.end(), "close"), 2);
    EXPECT_EQ(station.link.portOpen, 0);

    app.onCommand(CmdInitialize);
    EXPECT_EQ(lastConfigure(), "configure 9600 none");
    EXPECT_TRUE(identificationFinished) << "the simulated transmitter answers MODBUS";

    before = journal().size();
    app.onCommand(CmdModeRs485);  // confirmed with the same settings: the port stays open
    EXPECT_EQ(station.link.portOpen, 1);
    EXPECT_EQ(std::count(journal().begin() + before, journal().end(), "close"), 0);

    app.onCommand(CmdModeHart);
    EXPECT_EQ(station.link.portOpen, 0);
    app.onCommand(CmdInitialize);
    EXPECT_EQ(lastConfigure(), "configure 1200 none");
}

TEST_F(ApplicationTest, RegisterCommandsOutsideRs485OnlyExplain) {
    station.trafficLog.trafficLogPos = 40;
    app.onCommand(CmdRegistersRead);
    app.onCommand(CmdRegistersWrite);

    EXPECT_EQ(shell.messages, (std::vector<std::string>(2, "Opcja dostępna dla RS485")));
    EXPECT_EQ(station.trafficLog.trafficLogPos, 0);
    EXPECT_TRUE(shell.dialogsRun.empty());
    EXPECT_TRUE(app.isEnabled(CmdRegistersRead));

    station.link.transmissionMode = ModeRs485;
    EXPECT_TRUE(app.isEnabled(CmdRegistersRead));
    EXPECT_TRUE(app.isEnabled(CmdRegistersWrite));
    app.onCommand(CmdRegistersRead);
    app.onCommand(CmdRegistersWrite);
    EXPECT_EQ(shell.dialogsRun, (std::vector<int>{129, 130}));
    EXPECT_EQ(shell.messages.size(), 2u);
}

TEST_F(ApplicationTest, MemoryDumpsNeedAPortSelectTheirPageAndRepaintTheView) {
    struct Case {
        int command;
        DumpSelection selection;
        std::uint8_t letter;
    };
    for (const Case& c : {Case{CmdRam0, DumpSelection::Ram0, 'R'}, Case{CmdRam1, DumpSelection::Ram1, 'S'},
                          Case{CmdEeprom0, DumpSelection::EepromLow, 'F'},
                          Case{CmdEeprom1, DumpSelection::EepromHigh, 'E'}}) {
        station.link.portNumber = -1;
        shell.dialogsRun.clear();
        app.onCommand(c.command);
        EXPECT_TRUE(shell.dialogsRun.empty()) << c.command;

        station.link.portNumber = 0;
        station.trafficLog.trafficLogPos = 40;
        const int repaints = shell.repaints;
        shell.scripts[110] = [&](FakeWindow& window, DialogLogic&) {
            EXPECT_EQ(station.dumpSelection, c.selection);
            sim.clock.advanceUntil([&] { return window.ended(); }, 10'000);
        };
        app.onCommand(c.command);
        EXPECT_EQ(shell.dialogsRun, std::vector<int>{110});
        EXPECT_EQ(shell.repaints, repaints + 1);
        EXPECT_EQ(station.dumpSelection, c.selection) << "a whole page arrived";
        char letter[4];
        std::snprintf(letter, sizeof letter, "%02X", c.letter);
        EXPECT_NE(std::find(journal().begin(), journal().end(),
                            "write FF FF FF FF FF FF FF FF FF FF " + std::string(letter)),
                  journal().end())
            << c.command;
        EXPECT_GE(station.trafficLog.trafficLogPos, 40) << "dumps keep the log";
    }
}

TEST_F(ApplicationTest, ServiceToolsClearTheLogAndRunTheirDialogs) {
    for (int command : {CmdHartConsole, CmdLineMonitor}) {
        station.trafficLog.trafficLogPos = 40;
        app.onCommand(command);
        EXPECT_LT(station.trafficLog.trafficLogPos, 40);
    }
    EXPECT_EQ(shell.dialogsRun, (std::vector<int>{106, 125}));
    app.onCommand(CmdPrint);
    app.onCommand(CmdExportPdf);
    EXPECT_EQ(shell.reportsPrinted, 1);
    EXPECT_EQ(shell.reportsExported, 1);
}

TEST_F(ApplicationTest, TheBlankToolbarSlotIsDisabledAndDoesNothing) {
    for (int command :
         {CmdBlank}) {
        EXPECT_FALSE(app.isEnabled(command)) << command;
        app.onCommand(command);
    }
    EXPECT_TRUE(shell.dialogsRun.empty());
    EXPECT_TRUE(shell.messages.empty());
    EXPECT_TRUE(journal().empty());
}

TEST_F(ApplicationTest, ProgrammingClearsTheLogAndOpensTheDialogOfTheTransmittersSensorList) {
    std::vector<int> logPositionsAtOpen;
    const auto note = [&](FakeWindow&, DialogLogic&) {
        logPositionsAtOpen.push_back(station.trafficLog.trafficLogPos);
    };
    shell.scripts[CProgDlg::Resource] = note;
    shell.scripts[CProgZUDlg::Resource] = note;
    EXPECT_TRUE(app.isEnabled(CmdProgram));
    station.trafficLog.trafficLogPos = 40;
    app.onCommand(CmdProgram);
    station.device.isRtdOnly = 1;
    station.trafficLog.trafficLogPos = 40;
    app.onCommand(CmdProgram);
    EXPECT_EQ(shell.dialogsRun, (std::vector<int>{CProgDlg::Resource, CProgZUDlg::Resource}));
    EXPECT_EQ(logPositionsAtOpen, (std::vector<int>{0, 0}));
}

TEST_F(ApplicationTest, SetDeltaIsRefusedWithoutMasterAccess) {
    EXPECT_TRUE(app.isEnabled(CmdSetDelta));
    app.onCommand(CmdSetDelta);
    EXPECT_EQ(shell.messages, std::vector<std::string>{"Dostęp zabroniony"});
    EXPECT_TRUE(shell.dialogsRun.empty());
}

TEST_F(ApplicationTest, FamilyItemsMoveTheCheckMark) {
    EXPECT_TRUE(app.isChecked(CmdFamilyDoxa));
    app.onCommand(CmdFamilyRivo);
    EXPECT_EQ(station.device.isRivo, 1);
    EXPECT_TRUE(app.isChecked(CmdFamilyRivo));
    EXPECT_FALSE(app.isChecked(CmdFamilyDoxa));
    app.onCommand(CmdFamilyDoxa);
    EXPECT_EQ(station.device.isRivo, 0);
    EXPECT_FALSE(app.isChecked(CmdFamilyRivo));
}

TEST_F(ApplicationTest, DisplayStartsWithAClearLogAndThePrefilledModel) {
    station.trafficLog.trafficLogPos = 40;
    std::string modelShown;
    int logPosAtOpen = -1;
    shell.scripts[CDisplayDlg::Resource] = [&](FakeWindow& window, DialogLogic&) {
        modelShown = window.text(CDisplayDlg::ModelText);
        logPosAtOpen = station.trafficLog.trafficLogPos;
    };
    app.onCommand(CmdDisplay);

    EXPECT_EQ(shell.dialogsRun, std::vector<int>{CDisplayDlg::Resource});
    EXPECT_EQ(modelShown, "DOXA-");
    EXPECT_EQ(logPosAtOpen, 0);
}

TEST_F(ApplicationTest, SensorAndTextCommandsOpenTheirDialogsWithAClearLog) {
    const struct {
        int command;
        int resource;
    } cases[] = {{CmdSensor, 118}, {CmdText, 123}};
    for (const auto& c : cases) {
        EXPECT_TRUE(app.isEnabled(c.command)) << c.command;
        station.trafficLog.trafficLogPos = 40;
        int logPosAtOpen = -1;
        shell.scripts[c.resource] = [&](FakeWindow&, DialogLogic&) {
            logPosAtOpen = station.trafficLog.trafficLogPos;
        };
        shell.dialogsRun.clear();
        app.onCommand(c.command);
        EXPECT_EQ(shell.dialogsRun, std::vector<int>{c.resource});
        EXPECT_EQ(logPosAtOpen, 0) << c.command;
    }
}

TEST_F(ApplicationTest, WindowCommands) {
    app.onCommand(CmdAbout);
    EXPECT_EQ(shell.dialogsRun, std::vector<int>{AboutResource});
    app.onCommand(CmdHelpIndex);
    app.onCommand(CmdHelp);
    EXPECT_EQ(shell.helpRequests, (std::vector<int>{CmdHelpIndex, CmdHelp}));
    EXPECT_FALSE(shell.mainWindowClosed);
    app.onCommand(CmdExit);
    EXPECT_TRUE(shell.mainWindowClosed);
}

TEST_F(ApplicationTest, ShutDownReleasesAnOpenPortOnly) {
    app.shutDown();
    EXPECT_TRUE(journal().empty());

    sim.settings.writeInt("COM", "COM", 1);
    app.startUp();
    const std::size_t before = journal().size();
    app.shutDown();
    // The identification's release byte was still on the line: its turn comes first.
    EXPECT_EQ(journalSince(before), (std::vector<std::string>{"rts-", "write FF", "rts-", "close"}));
    EXPECT_EQ(station.link.portOpen, 0);
}

// A settings file that cannot be written loses the technician's choices: said once, not at
// every command.
class FailingStore : public MemorySettingsStore {
public:
    bool writeInt(std::string_view, std::string_view, int) override { return false; }
};

TEST(ApplicationSettings, UnwritableSettingsAreReportedOnce) {
    FailingStore settings;
    Station station(settings);
    VirtualClock clock;
    FakeShell shell(clock);
    shell.scripts[CPortDlg::Resource] = pickPort(0);
    Application app(station, shell);
    app.startUp();
    app.onCommand(CmdModeHart);

    ASSERT_EQ(shell.messages.size(), 1U);
    EXPECT_NE(shell.messages[0].find("ustawień"), std::string::npos);
}

// "Szukaj przetwornika" finds a transmitter set to 9600 baud without parity at address 5; taking
// it over makes the next identification reach it.
TEST_F(ApplicationTest, FinderTakesOverTheFoundLineAndAddress) {
    sim.transmitter = std::make_shared<sim::Transmitter>(
        sim::Model::Doxa22, sim::Options{.address = 5, .lineSettings = 0x02});
    shell.scripts[CFinderDlg::Resource] = [this](FakeWindow& window, DialogLogic& logic) {
        window.setChecked(CFinderDlg::Hart, false);
        window.setChecked(CFinderDlg::Rs485, true);
        window.click(CFinderDlg::Rs485);
        window.type(CFinderDlg::AddressFrom, "4");
        window.type(CFinderDlg::AddressTo, "6");
        window.click(CFinderDlg::SearchStop);
        const auto& finder = static_cast<const CFinderDlg&>(logic);
        sim.clock.advanceUntil([&] { return !finder.searching(); }, 600000);
    };
    app.onCommand(CmdFindTransmitter);

    EXPECT_EQ(shell.dialogsRun, (std::vector<int>{CFinderDlg::Resource}));
    const LinkSettings& link = station.link;
    EXPECT_EQ(link.transmissionMode, ModeRs485);
    EXPECT_EQ(link.baudIndex, 2);
    EXPECT_EQ(link.parityOff, 1);
    EXPECT_EQ(link.replyWait, 20);
    EXPECT_EQ(station.device.pollingAddress, 5);
    EXPECT_EQ(station.device.hasAmbient, 1);
    EXPECT_EQ(stored("COM", "COM"), 1);
    EXPECT_EQ(stored("Transmisja", "RS485"), 1);
    EXPECT_EQ(stored("BAUD", "BAUD"), 2);
    EXPECT_EQ(stored("Polling_adres", "ADRES"), 5);

    app.onCommand(CmdInitialize);
    EXPECT_TRUE(identificationFinished);
    EXPECT_EQ(lastConfigure(), "configure 9600 none");
    EXPECT_EQ(station.device.modelName, "DOXA-22");
}

TEST_F(ApplicationTest, DisplaysTrendButtonOpensThePlotOfTheMainWindow) {
    shell.scripts[CDisplayDlg::Resource] = [&](FakeWindow& window, DialogLogic&) {
        EXPECT_TRUE(window.isVisible(CDisplayDlg::Trend));
        window.click(CDisplayDlg::Trend);
        sim.clock.advanceUntil([&] { return !shell.trend.cycles.empty(); }, 20000);
    };
    app.onCommand(CmdDisplay);
    EXPECT_EQ(shell.trendsShown, 1);
    ASSERT_EQ(shell.trend.cycles.size(), 1u);
    EXPECT_TRUE(shell.trend.cycles[0].primary);
}

TEST_F(ApplicationTest, DeclinedFinderChangesNothing) {
    shell.scripts[CFinderDlg::Resource] = cancel();
    app.onCommand(CmdFindTransmitter);
    EXPECT_EQ(shell.dialogsRun, (std::vector<int>{CFinderDlg::Resource}));
    EXPECT_FALSE(sim.settings.contains("Transmisja", "RS485"));
    EXPECT_EQ(station.link.transmissionMode, ModeHart);
    EXPECT_TRUE(app.isEnabled(CmdFindTransmitter));
}

// "Ustawienia" → "Język": the choice is stored for the next start, and the technician is told
// only when it differs from the language the program speaks now.
TEST_F(ApplicationTest, TheLanguageChosenIsStoredForTheNextStart) {
    const std::string later = "Program będzie używał wybranego języka od następnego uruchomienia.";
    sim.settings.writeText("Jezyk", "Jezyk", "pl");
    Application program(sim.station, shell);
    EXPECT_TRUE(program.isEnabled(CmdLanguageEnglish));
    EXPECT_TRUE(program.isChecked(CmdLanguagePolish));

    program.onCommand(CmdLanguagePolish);
    EXPECT_TRUE(shell.messages.empty());
    program.onCommand(CmdLanguageEnglish);
    EXPECT_EQ(sim.settings.readText("Jezyk", "Jezyk", ""), "en");
    EXPECT_TRUE(program.isChecked(CmdLanguageEnglish));
    EXPECT_FALSE(program.isChecked(CmdLanguagePolish));
    EXPECT_EQ(shell.messages, std::vector<std::string>{later});
    program.onCommand(CmdLanguageEnglish);
    program.onCommand(CmdLanguagePolish);
    EXPECT_EQ(sim.settings.readText("Jezyk", "Jezyk", ""), "pl");
    EXPECT_EQ(shell.messages.size(), 1u);
}

}  // namespace
}  // namespace doxa::test
