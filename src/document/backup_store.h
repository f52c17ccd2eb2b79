#pragma once

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "transmitter/station.h"

namespace doxa {

// One kept copy of a configuration, as the list of copies shows it.
struct BackupEntry {
    std::string path;
    std::string modelName;
    int serialNumber = 0;
    std::string time;  // "2026-12-07 11:30:05", local time of the copy
};

// The copies of configurations kept before programming overwrote them: "*.prg" files named by
// model, serial number and time, the last KeptPerTransmitter of each transmitter.
class BackupStore {
public:
    static constexpr std::size_t KeptPerTransmitter = 50;

    explicit BackupStore(std::filesystem::path folder) : folder_(std::move(folder)) {}

    const std::filesystem::path& folder() const { return folder_; }
    // Keeps a copy taken at `when` and gives its file. A configuration the newest copy of the same
    // transmitter already holds is not kept twice: that copy's file is given. Nothing when the
    // copy could not be written.
    std::optional<std::string> keep(const ReadConfiguration& read,
                                    std::chrono::system_clock::time_point when);
    // Every readable copy, newest first.
    std::vector<BackupEntry> list() const;

private:
    std::filesystem::path folder_;
};

// $XDG_DATA_HOME/doxa-win/backups, or ~/.local/share/doxa-win/backups without it.
std::filesystem::path defaultBackupFolder();

}  // namespace doxa
