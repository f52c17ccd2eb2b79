// The permissions a saved configuration ends up with: a new file takes the user's umask, a file
// saved over keeps its own.

#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "document/document_file.h"

namespace doxa::test {
namespace {

namespace fs = std::filesystem;

class DocumentFileModes : public ::testing::Test {
protected:
    DocumentFileModes() {
        std::string pattern = (fs::temp_directory_path() / "doxa-modes-XXXXXX").string();
        folder = ::mkdtemp(pattern.data());
        device.rangeMin = 100;
        device.rangeMax = 300;
        device.filterTime = 1;
    }
    ~DocumentFileModes() override {
        ::umask(savedMask);
        fs::remove_all(folder);
    }
    fs::perms modeOf(const fs::path& path) const { return fs::status(path).permissions() & fs::perms::all; }

    const mode_t savedMask = ::umask(022);
    fs::path folder;
    DeviceRecord device;
    Characteristic table;
};

// A mask that takes away group writing and all of "others", so that neither 0600 nor 0666 passes.
TEST_F(DocumentFileModes, ANewFileTakesTheUsersUmask) {
    ::umask(027);
    ASSERT_TRUE(saveDocumentFile((folder / "a.prg").string(), device, table));
    EXPECT_EQ(modeOf(folder / "a.prg"), fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    ::umask(002);
    ASSERT_TRUE(saveDocumentFile((folder / "b.prg").string(), device, table));
    EXPECT_EQ(modeOf(folder / "b.prg"), fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                                            fs::perms::group_write | fs::perms::others_read);
}

TEST_F(DocumentFileModes, AFileSavedOverKeepsItsOwnModeWhateverTheUmask) {
    const fs::path path = folder / "a.prg";
    std::ofstream(path) << "old";
    ::chmod(path.c_str(), 0604);
    ::umask(077);
    ASSERT_TRUE(saveDocumentFile(path.string(), device, table));
    EXPECT_EQ(modeOf(path), fs::perms::owner_read | fs::perms::owner_write | fs::perms::others_read);
}

}  // namespace
}  // namespace doxa::test
