#pragma once

#include <string>
#include <vector>

#include "settings/settings_keys.h"

namespace doxa {

class SettingsStore;

// The last four configuration files opened or saved, newest first, kept in the settings store
// (section "Recent File List", keys "File1".."File4") as soon as the list changes.
class RecentFileList {
public:
    static constexpr std::size_t Size = RecentFileCount;

    explicit RecentFileList(SettingsStore& settings);

    const std::vector<std::string>& files() const { return files_; }
    // Puts a file at the top; a file already listed moves there.
    void add(const std::string& path);
    void remove(const std::string& path);

private:
    void store();

    SettingsStore& settings_;
    std::vector<std::string> files_;
};

}  // namespace doxa
