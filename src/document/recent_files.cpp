#include "document/recent_files.h"

#include <algorithm>
#include <string_view>

#include "transmitter/settings_store.h"

namespace doxa {

namespace {
constexpr std::string_view Section = "Recent File List";

std::string keyOf(std::size_t index) { return "File" + std::to_string(index + 1); }
}  // namespace

RecentFileList::RecentFileList(SettingsStore& settings) : settings_(settings) {
    for (std::size_t i = 0; i < Size; ++i) {
        std::string path = settings_.readText(Section, keyOf(i), "");
        if (!path.empty() && std::find(files_.begin(), files_.end(), path) == files_.end())
            files_.push_back(std::move(path));
    }
}

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
        settings_.writeText(Section, keyOf(i), i < files_.size() ? files_[i] : std::string());
}

}  // namespace doxa
