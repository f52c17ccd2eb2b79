#include "app/document_file.h"

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace doxa::test {
namespace {

namespace fs = std::filesystem;

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
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1);

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
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1);
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
    EXPECT_EQ(loadDocumentFile((folder / "brak.prg").string(), loaded, loadedTable),
              "Failed to open document.");
    EXPECT_EQ(loadDocumentFile(folder.string(), loaded, loadedTable), "Failed to open document.");

    const std::string truncated = (folder / "krotki.prg").string();
    std::ofstream(truncated, std::ios::binary).write(whole.data(), 100);
    EXPECT_EQ(loadDocumentFile(truncated, loaded, loadedTable),
              "An attempt was made to access " + truncated + " past its end.");

    const std::string longer = (folder / "dlugi.prg").string();
    std::ofstream(longer, std::ios::binary).write(whole.data(), long(whole.size())) << "xy";
    EXPECT_EQ(loadDocumentFile(longer, loaded, loadedTable), "Unexpected file format.");

    EXPECT_EQ(loaded.modelName, "");
    EXPECT_EQ(loaded.rangeMin, 0.0F);
}

}  // namespace
}  // namespace doxa::test
