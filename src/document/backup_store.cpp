#include "document/backup_store.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <system_error>

#include "document/document_codec.h"
#include "document/document_file.h"

namespace doxa {

namespace {

namespace fs = std::filesystem;

constexpr std::string_view Extension = ".prg";
// <model>_<serial>_<yyyymmdd-hhmmss-mmm>.prg: the names of one transmitter sort by time.
constexpr std::size_t StampLength = 19;

// Model names are short words with dashes; anything else (a slash, say) must not reach a path.
std::string fileWord(std::string_view model) {
    std::string word;
    for (char c : model) {
        const bool plain =
            (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-';
        word += plain ? c : '_';
    }
    return word.empty() ? "bez-nazwy" : word;
}

std::string transmitterPrefix(const DeviceRecord& device) {
    return fileWord(device.modelName) + '_' + std::to_string(device.serialNumber) + '_';
}

std::string stamp(std::chrono::system_clock::time_point when) {
    const std::time_t seconds = std::chrono::system_clock::to_time_t(when);
    const auto ms =
        std::chrono::duration_cast<std::chrono::milliseconds>(when.time_since_epoch()).count() %
        1000;
    std::tm local{};
    localtime_r(&seconds, &local);
    char text[64];
    std::snprintf(text, sizeof text, "%04d%02d%02d-%02d%02d%02d-%03d", local.tm_year + 1900,
                  local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec,
                  static_cast<int>(ms < 0 ? ms + 1000 : ms));
    return text;
}

// "20261207-113005-123" → "2026-12-07 11:30:05"; empty for a name not made here.
std::string shownTime(const std::string& fileName) {
    const std::size_t end = fileName.size() - Extension.size();
    if (fileName.size() < Extension.size() + StampLength) return {};
    const std::string s = fileName.substr(end - StampLength, StampLength);
    if (s[8] != '-' || s[15] != '-') return {};
    return s.substr(0, 4) + '-' + s.substr(4, 2) + '-' + s.substr(6, 2) + ' ' + s.substr(9, 2) +
           ':' + s.substr(11, 2) + ':' + s.substr(13, 2);
}

bool isCopy(const fs::directory_entry& entry) {
    std::error_code error;
    return entry.is_regular_file(error) && entry.path().extension() == Extension;
}

// Empty for a copy that cannot be read, so that it never matches a configuration.
std::vector<std::uint8_t> contents(const fs::path& path) {
    std::vector<std::uint8_t> bytes;
    if (!readDocumentBytes(path.string(), bytes).empty()) bytes.clear();
    return bytes;
}

// The names of one transmitter's copies, oldest first.
std::vector<fs::path> copiesOf(const fs::path& folder, const std::string& prefix) {
    std::vector<fs::path> copies;
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder, error)) {
        const std::string name = entry.path().filename().string();
        if (isCopy(entry) && name.starts_with(prefix) &&
            name.size() == prefix.size() + StampLength + Extension.size())
            copies.push_back(entry.path());
    }
    std::sort(copies.begin(), copies.end());
    return copies;
}

}  // namespace

std::optional<std::string> BackupStore::keep(const ReadConfiguration& read,
                                             std::chrono::system_clock::time_point when) {
    std::error_code error;
    fs::create_directories(folder_, error);
    if (error) return std::nullopt;
    const std::string prefix = transmitterPrefix(read.device);
    std::vector<fs::path> copies = copiesOf(folder_, prefix);
    if (!copies.empty() &&
        contents(copies.back()) == writeDocument(read.device, read.characteristic))
        return copies.back().string();
    // Two copies in the same millisecond get the next free one, so none replaces another.
    fs::path path;
    do {
        path = folder_ / (prefix + stamp(when) + std::string(Extension));
        when += std::chrono::milliseconds(1);
    } while (fs::exists(path, error));
    if (!saveDocumentFile(path.string(), read.device, read.characteristic)) return std::nullopt;
    copies = copiesOf(folder_, prefix);
    if (copies.size() > KeptPerTransmitter)
        for (std::size_t i = 0; i < copies.size() - KeptPerTransmitter; ++i)
            fs::remove(copies[i], error);
    return path.string();
}

std::vector<BackupEntry> BackupStore::list() const {
    std::vector<BackupEntry> entries;
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder_, error)) {
        if (!isCopy(entry)) continue;
        const std::string name = entry.path().filename().string();
        const std::string time = shownTime(name);
        ReadConfiguration read;
        if (time.empty() ||
            !loadDocumentFile(entry.path().string(), read.device, read.characteristic).empty())
            continue;
        entries.push_back(
            {entry.path().string(), read.device.modelName, read.device.serialNumber, time});
    }
    // The stamp ends every name: newest first across all transmitters.
    std::sort(entries.begin(), entries.end(), [](const BackupEntry& a, const BackupEntry& b) {
        const auto key = [](const BackupEntry& e) {
            return e.path.substr(e.path.size() - Extension.size() - StampLength);
        };
        return key(a) > key(b);
    });
    return entries;
}

fs::path defaultBackupFolder() {
    const char* data = std::getenv("XDG_DATA_HOME");
    fs::path base;
    if (data && *data == '/') {
        base = data;
    } else {
        const char* home = std::getenv("HOME");
        base = fs::path(home ? home : ".") / ".local" / "share";
    }
    return base / "doxa-win" / "backups";
}

}  // namespace doxa
