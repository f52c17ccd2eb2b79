#include "document/recent_files.h"

#include "settings/settings_keys.h"
#include "settings/start_up.h"
#include "transmitter/settings_store.h"

namespace doxa {

RecentFileList::RecentFileList(SettingsStore& settings)
    : settings_(settings), files_(storedRecentFiles(settings)) {}

void RecentFileList::add(const std::string& path) {
    std::erase(files_, path);
    files_.insert(files_.begin(), path);
    if (files_.size() > Size) files_.resize(Size);
    store();
}

void RecentFileList::remove(const std::string& path) {
    if (std::erase(files_, path) != 0) store();
}

void RecentFileList::store() {
    for (std::size_t i = 0; i < Size; ++i)
        settings_.writeText(RecentFileSection, recentFileKey(i), i < files_.size() ? files_[i] : std::string());
}

}  // namespace doxa
