// The kept copies of configurations: their names, the clean-up, the list, and "Kopie
// zapasowe..." opening one as the document.

#include "document/backup_store.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <optional>

#include "app/application.h"
#include "dialog/command_ids.h"
#include "document/backups_dlg.h"
#include "programming/prog_dlg.h"
#include "support/fake_shell.h"
#include "support/sim_station.h"
#include "transmitter/ident_dlg.h"

namespace doxa::test {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono;

class BackupFolder : public ::testing::Test {
protected:
    BackupFolder() {
        std::string pattern = (fs::temp_directory_path() / "doxa-kept-XXXXXX").string();
        folder = ::mkdtemp(pattern.data());
        // The times shown are local; the test reads them in UTC.
        if (const char* zone = std::getenv("TZ")) savedZone = zone;
        ::setenv("TZ", "UTC", 1);
        ::tzset();
    }
    ~BackupFolder() override {
        fs::remove_all(folder);
        if (savedZone)
            ::setenv("TZ", savedZone->c_str(), 1);
        else
            ::unsetenv("TZ");
        ::tzset();
    }

    static ReadConfiguration configuration(std::string model, int serial, float rangeMax) {
        ReadConfiguration read;
        read.device.modelName = std::move(model);
        read.device.serialNumber = serial;
        read.device.sensorType = 4;  // a K thermocouple, -250 .. 1350 °C
        read.device.rangeMax = rangeMax;
        return read;
    }
    std::size_t filesStartingWith(const std::string& prefix) const {
        std::size_t count = 0;
        for (const auto& entry : fs::directory_iterator(folder))
            count += entry.path().filename().string().starts_with(prefix);
        return count;
    }

    fs::path folder;
    std::optional<std::string> savedZone;
    // 2026-12-07 11:30:05 UTC
    const system_clock::time_point start = sys_days{year{2026} / 12 / 7} + 11h + 30min + 5s;
};

TEST_F(BackupFolder, KeepsTheLastFiftyOfEachTransmitterAndListsThemNewestFirst) {
    BackupStore store(folder);
    for (int i = 0; i < 52; ++i)
        ASSERT_TRUE(store.keep(configuration("DOXA-22", 100, float(i)), start + minutes(i)));
    ASSERT_TRUE(store.keep(configuration("RIVO-22", 200, 1), start - hours(1)));

    EXPECT_EQ(filesStartingWith("DOXA-22_100_"), 50u);
    EXPECT_EQ(filesStartingWith("RIVO-22_200_"), 1u) << "another transmitter's copies stay";
    EXPECT_FALSE(fs::exists(folder / "DOXA-22_100_20261207-113005-000.prg")) << "the oldest went";
    EXPECT_FALSE(fs::exists(folder / "DOXA-22_100_20261207-113105-000.prg"));
    EXPECT_TRUE(fs::exists(folder / "DOXA-22_100_20261207-113205-000.prg"));

    const std::vector<BackupEntry> entries = store.list();
    ASSERT_EQ(entries.size(), 51u);
    EXPECT_EQ(entries.front().modelName, "DOXA-22");
    EXPECT_EQ(entries.front().serialNumber, 100);
    EXPECT_EQ(entries.front().time, "2026-12-07 12:21:05");
    EXPECT_EQ(entries[1].time, "2026-12-07 12:20:05");
    EXPECT_EQ(entries.back().modelName, "RIVO-22");
    EXPECT_EQ(entries.back().time, "2026-12-07 10:30:05");
}

// Fifty copies stay whole; the fifty-first takes the place of the oldest and of nothing else.
TEST_F(BackupFolder, TheFiftyFirstCopyRemovesExactlyTheOldest) {
    BackupStore store(folder);
    for (int i = 0; i < 50; ++i)
        ASSERT_TRUE(store.keep(configuration("DOXA-22", 100, float(i)), start + minutes(i)));
    EXPECT_EQ(filesStartingWith("DOXA-22_100_"), 50u);
    EXPECT_TRUE(fs::exists(folder / "DOXA-22_100_20261207-113005-000.prg"));

    ASSERT_TRUE(store.keep(configuration("DOXA-22", 100, 50), start + minutes(50)));
    EXPECT_EQ(filesStartingWith("DOXA-22_100_"), 50u);
    EXPECT_FALSE(fs::exists(folder / "DOXA-22_100_20261207-113005-000.prg")) << "the oldest went";
    EXPECT_TRUE(fs::exists(folder / "DOXA-22_100_20261207-113105-000.prg")) << "the next stays";
    EXPECT_TRUE(fs::exists(folder / "DOXA-22_100_20261207-122005-000.prg")) << "the newest stays";
}

TEST_F(BackupFolder, TheSameConfigurationIsKeptOnceAndCopiesInOneInstantDoNotReplaceEachOther) {
    BackupStore store(folder);
    const fs::path first = folder / "DOXA-22_5_20261207-113005-000.prg";
    EXPECT_EQ(store.keep(configuration("DOXA-22", 5, 1), start), first.string());
    EXPECT_EQ(store.keep(configuration("DOXA-22", 5, 1), start + minutes(1)), first.string())
        << "the copy already holding it";
    EXPECT_EQ(filesStartingWith("DOXA-22_5_"), 1u);
    EXPECT_EQ(store.keep(configuration("DOXA-22", 5, 2), start),
              (folder / "DOXA-22_5_20261207-113005-001.prg").string());
    EXPECT_EQ(filesStartingWith("DOXA-22_5_"), 2u);
}

TEST_F(BackupFolder, NamesStayInTheFolderAndForeignFilesAreNotListed) {
    BackupStore store(folder / "new" / "backups");
    ASSERT_TRUE(store.keep(configuration("KE-22/R", 7, 1), start));
    EXPECT_TRUE(fs::exists(folder / "new" / "backups" / "KE-22_R_7_20261207-113005-000.prg"));
    std::ofstream(folder / "new" / "backups" / "notatki.prg") << "not a configuration";
    std::ofstream(folder / "new" / "backups" / "DOXA-22_1_20261207-113005-000.prg") << "cut";
    const std::vector<BackupEntry> entries = store.list();
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].modelName, "KE-22/R");

    BackupStore blocked(folder / "new" / "backups" / "notatki.prg" / "x");
    EXPECT_FALSE(blocked.keep(configuration("DOXA-22", 1, 1), start));
}

TEST_F(BackupFolder, TheDefaultFolderFollowsXdgDataHome) {
    const char* saved = std::getenv("XDG_DATA_HOME");
    const std::string previous = saved ? saved : "";
    ::setenv("XDG_DATA_HOME", "/data/home", 1);
    EXPECT_EQ(defaultBackupFolder(), fs::path("/data/home/doxa-win/backups"));
    ::setenv("XDG_DATA_HOME", "relative/ignored", 1);
    if (const char* home = std::getenv("HOME")) {
        EXPECT_EQ(defaultBackupFolder(), fs::path(home) / ".local/share/doxa-win/backups");
    }
    ::unsetenv("XDG_DATA_HOME");
    if (saved) ::setenv("XDG_DATA_HOME", previous.c_str(), 1);
}

TEST_F(BackupFolder, KopieZapasoweOpensTheChosenCopyAsTheDocument) {
    SimStation sim;
    FakeShell shell(sim.clock);
    Application application(sim.station, shell);
    EXPECT_FALSE(application.isEnabled(CmdBackups));
    application.keepBackupsIn(folder);
    EXPECT_TRUE(application.isEnabled(CmdBackups));
    BackupStore store(folder);
    ASSERT_TRUE(store.keep(configuration("DOXA-22", 100, 400), start));
    ASSERT_TRUE(store.keep(configuration("DOXA-22", 100, 500), start + minutes(1)));

    std::vector<std::string> listed;
    shell.scripts[CBackupsDlg::Resource] = [&](FakeWindow& window, DialogLogic&) {
        listed = window.items(CBackupsDlg::List);
        window.choose(CBackupsDlg::List, 1);
        window.click(CBackupsDlg::Open);
    };
    application.onCommand(CmdBackups);
    EXPECT_EQ(listed, (std::vector<std::string>{"DOXA-22   nr 100   2026-12-07 11:31:05",
                                                "DOXA-22   nr 100   2026-12-07 11:30:05"}));
    EXPECT_EQ(sim.station.device.rangeMax, 400.0f);
    EXPECT_EQ(shell.documentTitle, "DOXA-22_100_20261207-113005-000.prg");
    ASSERT_FALSE(application.recentFiles().empty());
    EXPECT_EQ(application.recentFiles().front(),
              (folder / "DOXA-22_100_20261207-113005-000.prg").string());

    // Cancelled, the document stays as it was.
    shell.scripts[CBackupsDlg::Resource] = [](FakeWindow& window, DialogLogic&) {
        window.click(CBackupsDlg::Cancel);
    };
    application.onCommand(CmdBackups);
    EXPECT_EQ(sim.station.device.rangeMax, 400.0f);
}

// "Wyślij" on the identified transmitter, after `edit`; true when it said the data were saved.
FakeShell::Script programAfter(VirtualClock& clock, std::function<void(FakeWindow&)> edit,
                               bool& saved) {
    return [&clock, edit, &saved](FakeWindow& w, DialogLogic&) {
        clock.advanceUntil([&] { return w.text(CProgDlg::StepText) == "Przetwornik rozpoznany"; },
                           20'000);
        edit(w);
        w.click(CProgDlg::Send);
        saved = clock.advanceUntil(
            [&] { return !w.boxes().empty() && w.boxes().back().text == "Dane zostały zapisane"; },
            120'000);
    };
}

TEST_F(BackupFolder, AnOverwrittenConfigurationIsOpenedFromItsCopyAndProgrammedBack) {
    SimStation sim;
    sim.settings.writeInt("COM", "COM", 1);
    sim.device().rangeUpper = 150;
    FakeShell shell(sim.clock);
    Application application(sim.station, shell);
    application.keepBackupsIn(folder);
    shell.scripts[CInitDlg::Resource] = [&](FakeWindow& w, DialogLogic&) {
        sim.clock.advanceUntil([&] { return w.text(CInitDlg::ProgressText) == "Koniec"; }, 60'000);
    };
    application.startUp();

    bool saved = false;
    const auto mistake = [](FakeWindow& w) {
        w.type(CProgDlg::RangeMax, "120");
        w.leave(CProgDlg::RangeMax);
    };
    shell.scripts[CProgDlg::Resource] = programAfter(sim.clock, mistake, saved);
    application.onCommand(CmdProgram);
    ASSERT_TRUE(saved);
    ASSERT_EQ(sim.device().rangeUpper, 120.0f) << "overwritten by mistake";

    shell.scripts[CBackupsDlg::Resource] = [](FakeWindow& w, DialogLogic&) {
        w.click(CBackupsDlg::Open);  // the newest copy is chosen
    };
    application.onCommand(CmdBackups);
    EXPECT_EQ(sim.station.device.rangeMax, 150.0f);

    saved = false;
    shell.scripts[CProgDlg::Resource] = programAfter(
        sim.clock, [](FakeWindow&) {}, saved);
    application.onCommand(CmdProgram);
    ASSERT_TRUE(saved);
    EXPECT_EQ(sim.device().rangeUpper, 150.0f) << "programmed back";
}

TEST_F(BackupFolder, TheConfirmationIsSwitchedInUstawieniaAndKept) {
    SimStation sim;
    FakeShell shell(sim.clock);
    Application application(sim.station, shell);
    EXPECT_FALSE(application.isChecked(CmdConfirmWrites));
    application.onCommand(CmdConfirmWrites);
    EXPECT_TRUE(application.isChecked(CmdConfirmWrites));
    EXPECT_EQ(sim.settings.readInt("Programowanie", "Potwierdzenie", -1), 1);
    application.onCommand(CmdConfirmWrites);
    EXPECT_FALSE(application.isChecked(CmdConfirmWrites));
    EXPECT_EQ(sim.settings.readInt("Programowanie", "Potwierdzenie", -1), 0);
}

}  // namespace
}  // namespace doxa::test
