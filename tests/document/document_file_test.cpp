#include "document/document_file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {
int umaskCalls = 0;
}  // namespace

// Every umask() of this program passes here: the mask is the whole process's, so a save must
// never change it, not even for a moment.
extern "C" mode_t umask(mode_t mask) {
    ++umaskCalls;
    return static_cast<mode_t>(::syscall(SYS_umask, mask));
}

namespace doxa::test {
namespace {

namespace fs = std::filesystem;

// Runs `step` in a child process that is killed after `seconds`: a step that waits for ever
// fails the test instead of hanging it. True when the step returned true in time.
bool returnsInTime(unsigned seconds, const std::function<bool()>& step) {
    const pid_t child = ::fork();
    if (child == 0) {
        ::alarm(seconds);
        ::_exit(step() ? 0 : 1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

int entriesIn(const fs::path& folder) {
    return int(std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
}

std::vector<char> contents(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

class DocumentFileTest : public ::testing::Test {
protected:
    DocumentFileTest() {
        std::string pattern = (fs::temp_directory_path() / "doxa-doc-XXXXXX").string();
        folder = ::mkdtemp(pattern.data());
        device.modelName = "SAWE-01";
        device.sensorType = 1;  // Pt 100
        device.rangeMin = -20.0F;
        device.rangeMax = 80.0F;
    }
    ~DocumentFileTest() override { fs::remove_all(folder); }

    fs::path folder;
    DeviceRecord device;
    Characteristic table;
};

TEST_F(DocumentFileTest, ASavedFileLoadsBack) {
    const std::string path = (folder / "konfiguracja.prg").string();
    ASSERT_TRUE(saveDocumentFile(path, device, table));
    EXPECT_EQ(fs::file_size(path), 301U + 7);
    // Nothing is left beside it.
    EXPECT_EQ(entriesIn(folder), 1);

    DeviceRecord loaded;
    Characteristic loadedTable;
    EXPECT_EQ(loadDocumentFile(path, loaded, loadedTable), "");
    EXPECT_EQ(loaded.modelName, "SAWE-01");
    EXPECT_EQ(loaded.rangeMin, -20.0F);
}

TEST_F(DocumentFileTest, SavingOverAFileKeepsItsPermissions) {
    const std::string path = (folder / "a.prg").string();
    std::ofstream(path) << "old";
    ::chmod(path.c_str(), 0640);
    ASSERT_TRUE(saveDocumentFile(path, device, table));
    EXPECT_EQ(fs::status(path).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(fs::file_size(path), 308U);
}

TEST_F(DocumentFileTest, ASaveThatRunsOutOfRoomLeavesTheOldFileAsItWas) {
    const std::string path = (folder / "a.prg").string();
    device.modelName = "DOXA-22";
    ASSERT_TRUE(saveDocumentFile(path, device, table));
    const std::vector<char> before = contents(path);

    // A disk that takes only 100 more bytes of any file.
    rlimit old{};
    ::getrlimit(RLIMIT_FSIZE, &old);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit tight = old;
    tight.rlim_cur = 100;
    ::setrlimit(RLIMIT_FSIZE, &tight);
    device.modelName = "RIVO-22";
    const bool saved = saveDocumentFile(path, device, table);
    ::setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(saved);
    EXPECT_EQ(contents(path), before);
    EXPECT_EQ(entriesIn(folder), 1);
}

TEST_F(DocumentFileTest, SavingIntoAMissingFolderOrOntoAFolderFails) {
    EXPECT_FALSE(saveDocumentFile((folder / "brak" / "a.prg").string(), device, table));
    fs::create_directory(folder / "katalog.prg");
    EXPECT_FALSE(saveDocumentFile((folder / "katalog.prg").string(), device, table));
    EXPECT_TRUE(fs::is_directory(folder / "katalog.prg"));
}

TEST_F(DocumentFileTest, LoadErrorsNameTheirCauseAndChangeNothing) {
    const std::string path = (folder / "a.prg").string();
    ASSERT_TRUE(saveDocumentFile(path, device, table));
    const std::vector<char> whole = contents(path);

    DeviceRecord loaded;
    Characteristic loadedTable;
    // The documented text, then the file and the system's reason on a line of their own.
    const std::string missing = (folder / "brak.prg").string();
    EXPECT_EQ(loadDocumentFile(missing, loaded, loadedTable),
              "Failed to open document.\n" + missing + ": " + std::strerror(ENOENT));

    const std::string truncated = (folder / "krotki.prg").string();
    std::ofstream(truncated, std::ios::binary).write(whole.data(), 100);
    EXPECT_EQ(loadDocumentFile(truncated, loaded, loadedTable),
              "An attempt was made to access " + truncated + " past its end.");

    const std::string longer = (folder / "dlugi.prg").string();
    std::ofstream(longer, std::ios::binary).write(whole.data(), long(whole.size())) << "xy";
    EXPECT_EQ(loadDocumentFile(longer, loaded, loadedTable),
              "Unexpected file format.\n" + longer + ": " + std::to_string(whole.size() + 2) +
                  " bajtów, więcej niż ma plik konfiguracji przetwornika");

    EXPECT_EQ(loaded.modelName, "");
    EXPECT_EQ(loaded.rangeMin, 0.0F);
}

TEST_F(DocumentFileTest, WhatIsNoRegularFileIsRefusedAtOnceWithoutBeingRead) {
    const std::string pipe = (folder / "potok.prg").string();
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    const std::string linkToPipe = (folder / "do-potoku.prg").string();
    fs::create_symlink(pipe, linkToPipe);
    for (const std::string& path : {pipe, linkToPipe, folder.string(), std::string("/dev/null")}) {
        SCOPED_TRACE(path);
        DeviceRecord loaded;
        Characteristic loadedTable;
        EXPECT_TRUE(returnsInTime(2, [&] {
            return loadDocumentFile(path, loaded, loadedTable) ==
                   "Nie można odczytać " + path + ": to nie jest zwykły plik.";
        }));
    }
}

TEST_F(DocumentFileTest, SavingThroughASymbolicLinkWritesTheFileItLeadsTo) {
    fs::create_directory(folder / "dane");
    // One link to a file that is there, one relative link to a file not yet written.
    const std::string existing = (folder / "dane" / "stary.prg").string();
    std::ofstream(existing) << "old";
    fs::create_symlink(existing, folder / "stary.prg");
    fs::create_symlink("dane/nowy.prg", folder / "nowy.prg");
    for (const char* name : {"stary.prg", "nowy.prg"}) {
        SCOPED_TRACE(name);
        ASSERT_TRUE(saveDocumentFile((folder / name).string(), device, table));
        EXPECT_TRUE(fs::is_symlink(folder / name));
        EXPECT_EQ(fs::file_size(folder / "dane" / name), 308U);
    }
    EXPECT_EQ(entriesIn(folder / "dane"), 2);
}

TEST_F(DocumentFileTest, ANewFileTakesTheUmasksModeWithoutTheUmaskBeingTouched) {
    const mode_t old = ::umask(027);
    umaskCalls = 0;
    const bool saved = saveDocumentFile((folder / "nowy.prg").string(), device, table);
    const int callsDuringSave = umaskCalls;
    ::umask(old);
    ASSERT_TRUE(saved);
    EXPECT_EQ(callsDuringSave, 0);
    EXPECT_EQ(fs::status(folder / "nowy.prg").permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

// Saves killed half-way left their hidden temporaries; the next save removes those, and only
// those: never a file of another name, one still being written, or one another save holds.
TEST_F(DocumentFileTest, ASaveRemovesTheTemporariesOfSavesThatNeverFinished) {
    const auto make = [this](const std::string& name, bool old) {
        std::ofstream(folder / name) << "part";
        if (old)
            fs::last_write_time(folder / name,
                                fs::last_write_time(folder / name) - std::chrono::minutes(2));
    };
    make(".doxa-save-Ab12Cd", true);
    make(".doxa-save-x9Y8z7", true);
    make(".doxa-save-Fresh1", false);
    make(".doxa-save-Held11", true);
    make(".doxa-save-longer-name", true);
    make("doxa-save-Ab12Cd", true);
    const int held = ::open((folder / ".doxa-save-Held11").c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_EQ(::flock(held, LOCK_EX), 0);

    ASSERT_TRUE(saveDocumentFile((folder / "a.prg").string(), device, table));
    ::close(held);
    EXPECT_FALSE(fs::exists(folder / ".doxa-save-Ab12Cd"));
    EXPECT_FALSE(fs::exists(folder / ".doxa-save-x9Y8z7"));
    for (const char* kept : {".doxa-save-Fresh1", ".doxa-save-Held11", ".doxa-save-longer-name",
                             "doxa-save-Ab12Cd", "a.prg"})
        EXPECT_TRUE(fs::exists(folder / kept)) << kept;
    EXPECT_EQ(entriesIn(folder), 5);
}

}  // namespace
}  // namespace doxa::test
