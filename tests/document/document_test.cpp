#include "document/document.h"

#include <sys/stat.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "app/application.h"
#include "dialog/command_ids.h"
#include "support/fake_shell.h"
#include "support/sim_station.h"
#include "transmitter/ident_dlg.h"

namespace doxa::test {
namespace {

namespace fs = std::filesystem;

std::vector<char> contents(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

class DocumentTest : public ::testing::Test {
protected:
    DocumentTest() {
        std::string pattern = (fs::temp_directory_path() / "doxa-doc-XXXXXX").string();
        folder = ::mkdtemp(pattern.data());
        sim.settings.writeInt("COM", "COM", 1);
        shell.scripts[CInitDlg::Resource] = [this](FakeWindow& window, DialogLogic&) {
            sim.clock.advanceUntil([&] { return window.text(CInitDlg::ProgressText) == "Koniec"; },
                                   60'000);
            modelAfterIdentification = station.device.modelName;
        };
    }
    ~DocumentTest() override { fs::remove_all(folder); }

    std::string file(const std::string& name) const { return (folder / name).string(); }

    void saveAs(const std::string& path) {
        shell.savePath = path;
        app.onCommand(CmdSaveAs);
    }

    fs::path folder;
    SimStation sim;
    Station& station = sim.station;
    FakeShell shell{sim.clock};
    Application app{sim.station, shell};
    std::string modelAfterIdentification;
};

TEST_F(DocumentTest, SavedRightAfterStartUpTheFileIsTheNewDocumentsThreeHundredAndOneBytes) {
    // Identification closed before any transmitter answered.
    shell.scripts[CInitDlg::Resource] = [](FakeWindow& window, DialogLogic&) {
        window.click(CInitDlg::Close);
    };
    app.startUp();
    EXPECT_EQ(shell.documentTitle, "DOXA");

    app.onCommand(CmdSave);
    EXPECT_EQ(shell.suggestedSavePath, "DOXA.prg");
    EXPECT_EQ(fs::exists(file("DOXA.prg")), false) << "cancelled: nothing is written";
    shell.savePath = file("pierwszy");
    app.onCommand(CmdSave);

    const std::vector<char> bytes = contents(file("pierwszy.prg"));
    ASSERT_EQ(bytes.size(), 301U);
    // The range 100.0 .. 300.0 right behind the empty name and the sensor code.
    EXPECT_EQ(std::vector<char>(bytes.begin() + 5, bytes.begin() + 13),
              (std::vector<char>{0, 0, char(0xC8), 0x42, 0, 0, char(0x96), 0x43}));
    EXPECT_EQ(shell.documentTitle, "pierwszy.prg");
    EXPECT_EQ(app.recentFiles(), std::vector<std::string>{file("pierwszy.prg")});
    EXPECT_EQ(sim.settings.readText("Recent File List", "File1", ""), file("pierwszy.prg"));

    // Saving again keeps the name without asking.
    shell.suggestedSavePath.clear();
    station.device.modelName = "DOXA-22";
    app.onCommand(CmdSave);
    EXPECT_EQ(shell.suggestedSavePath, "");
    EXPECT_EQ(fs::file_size(file("pierwszy.prg")), 301U + 7);
}

TEST_F(DocumentTest, NewKeepsTheTableAndOpenFromTheRecentListBringsTheFileBack) {
    app.startUp();
    DeviceRecord& device = station.device;
    device.rangeMin = -40.0F;
    device.rangeMax = 600.0F;
    device.sensorType = 4;
    station.characteristic.characteristicCount = 32;
    station.characteristic.characteristicTable[3] = 17.0F;
    station.characteristic.characteristicTable[63] = 950.0F;
    saveAs(file("piec.prg"));
    const std::string identified = device.modelName;

    app.onCommand(CmdNew);
    EXPECT_EQ(shell.documentTitle, "DOXA");
    EXPECT_EQ(device.rangeMin, 100.0F);
    EXPECT_EQ(device.rangeMax, 300.0F);
    EXPECT_EQ(device.modelName, "");
    EXPECT_EQ(station.characteristic.characteristicCount, 32) << "a new document keeps the table";

    station.characteristic = Characteristic{};
    device.pollingAddress = 9;
    device.outputType = 2;
    device.connection = 3;
    device.ambientTemp = 21.0F;
    device.unitCode = 37;
    const int repaints = shell.repaints;
    ASSERT_TRUE(app.isEnabled(CmdRecentFile));
    EXPECT_FALSE(app.isEnabled(CmdRecentFile + 1));
    app.onCommand(CmdRecentFile);

    EXPECT_EQ(shell.documentTitle, "piec.prg");
    EXPECT_EQ(shell.repaints, repaints + 1);
    EXPECT_EQ(device.modelName, identified);
    EXPECT_EQ(device.sensorType, 4);
    EXPECT_EQ(device.rangeMin, -40.0F);
    EXPECT_EQ(device.rangeMax, 600.0F);
    EXPECT_EQ(station.characteristic.characteristicCount, 32);
    EXPECT_EQ(station.characteristic.characteristicTable[3], 17.0F);
    EXPECT_EQ(station.characteristic.characteristicTable[63], 950.0F);
    EXPECT_EQ(device.pollingAddress, 9);
    EXPECT_EQ(device.outputType, 2);
    EXPECT_EQ(device.connection, 3);
    EXPECT_EQ(device.ambientTemp, 21.0F);
    EXPECT_EQ(device.unitCode, 37);
}

TEST_F(DocumentTest, AFileThatFailsToLoadChangesNothing) {
    app.startUp();
    saveAs(file("dobry.prg"));
    const std::vector<char> whole = contents(file("dobry.prg"));
    std::ofstream(file("urwany.prg"), std::ios::binary).write(whole.data(), 100);
    station.device.rangeMin = 55.0F;

    shell.openPath = file("urwany.prg");
    app.onCommand(CmdOpen);
    EXPECT_EQ(shell.messages, std::vector<std::string>{"An attempt was made to access " +
                                                       file("urwany.prg") + " past its end."});
    EXPECT_EQ(station.device.rangeMin, 55.0F);
    EXPECT_EQ(shell.documentTitle, "dobry.prg");
    EXPECT_EQ(app.recentFiles(), std::vector<std::string>{file("dobry.prg")});

    shell.openPath.clear();  // cancelled
    app.onCommand(CmdOpen);
    EXPECT_EQ(shell.messages.size(), 1U);
}

TEST_F(DocumentTest, ARecentFileThatIsGoneLeavesTheList) {
    app.startUp();
    saveAs(file("a.prg"));
    saveAs(file("b.prg"));
    fs::remove(file("a.prg"));
    app.onCommand(CmdRecentFile + 1);
    EXPECT_EQ(shell.messages, std::vector<std::string>{"Failed to open document.\n" + file("a.prg") + ": " +
                                                       std::strerror(ENOENT)});
    EXPECT_EQ(app.recentFiles(), std::vector<std::string>{file("b.prg")});
    EXPECT_EQ(sim.settings.readText("Recent File List", "File2", "?"), "");
}

// A pipe waits for a writer for ever when it is opened for reading like a file.
TEST_F(DocumentTest, APipeNamedLikeAConfigurationIsRefusedHoweverItIsOpened) {
    const std::string pipe = file("potok.prg");
    const std::vector<std::string> refused{"Nie można odczytać " + pipe +
                                           ": to nie jest zwykły plik."};
    app.startUp();
    saveAs(pipe);
    saveAs(file("a.prg"));
    fs::remove(pipe);
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);

    app.onCommand(CmdRecentFile + 1);
    EXPECT_EQ(shell.messages, refused) << "from the recent-file list";
    shell.messages.clear();
    shell.openPath = pipe;
    app.onCommand(CmdOpen);
    EXPECT_EQ(shell.messages, refused) << "from the file dialog";
    EXPECT_EQ(shell.documentTitle, "a.prg");
    shell.messages.clear();
    app.startUp(pipe);
    EXPECT_EQ(shell.messages, refused) << "from the command line";
}

TEST_F(DocumentTest, TheRecentListKeepsTheFourNewestAndOutlivesTheRun) {
    app.startUp();
    for (const char* name : {"1.prg", "2.prg", "3.prg", "4.prg", "5.prg"}) saveAs(file(name));
    shell.openPath = file("3.prg");
    app.onCommand(CmdOpen);
    const std::vector<std::string> expected = {file("3.prg"), file("5.prg"), file("4.prg"),
                                               file("2.prg")};
    EXPECT_EQ(app.recentFiles(), expected);

    FakeShell nextRun{sim.clock};
    Application next{sim.station, nextRun};
    EXPECT_EQ(next.recentFiles(), expected);
}

TEST_F(DocumentTest, AFailedSaveSaysSoAndKeepsTheDocumentsName) {
    app.startUp();
    saveAs(file("a.prg"));
    saveAs(file("brak/b.prg"));
    EXPECT_EQ(shell.messages, std::vector<std::string>{"Failed to save document."});
    EXPECT_EQ(shell.documentTitle, "a.prg");
    EXPECT_EQ(app.recentFiles(), std::vector<std::string>{file("a.prg")});
}

TEST_F(DocumentTest, AFileNamedAtStartUpIsOpenedAfterIdentification) {
    DeviceRecord& device = station.device;
    device.modelName = "RIVO-21-U";
    device.sensorType = 4;  // K thermocouple, -250 .. 1350 °C
    device.rangeMin = 0.0F;
    device.rangeMax = 1200.0F;
    station.characteristic.characteristicCount = 32;
    station.characteristic.characteristicTable[0] = -5.0F;
    saveAs(file("z pliku.prg"));
    device = DeviceRecord{};

    app.startUp(file("z pliku.prg"));

    EXPECT_EQ(modelAfterIdentification, "DOXA-22");
    EXPECT_EQ(device.modelName, "RIVO-21-U");
    EXPECT_EQ(device.rangeMax, 1200.0F);
    // The main frame's start-up zeroing of the table comes before the file.
    EXPECT_EQ(station.characteristic.characteristicCount, 32);
    EXPECT_EQ(station.characteristic.characteristicTable[0], -5.0F);
    EXPECT_EQ(shell.documentTitle, "z pliku.prg");
}

}  // namespace
}  // namespace doxa::test
