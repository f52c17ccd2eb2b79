#include "transmitter/settings_store.h"

#include <charconv>

namespace doxa {

namespace {
std::pair<std::string, std::string> keyOf(std::string_view section, std::string_view key) {
    return {std::string(section), std::string(key)};
}
}  // namespace

int MemorySettingsStore::readInt(std::string_view section, std::string_view key,
                                 int fallback) const {
    auto it = values_.find(keyOf(section, key));
    if (it == values_.end()) return fallback;
    int value = 0;
    const std::string& text = it->second;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    // An INI integer that does not start with a number reads as 0, as the platform store does.
    return ec == std::errc() ? value : 0;
}

bool MemorySettingsStore::writeInt(std::string_view section, std::string_view key, int value) {
    values_[keyOf(section, key)] = std::to_string(value);
    return true;
}

std::string MemorySettingsStore::readText(std::string_view section, std::string_view key,
                                          std::string_view fallback) const {
    auto it = values_.find(keyOf(section, key));
    return it == values_.end() ? std::string(fallback) : it->second;
}

bool MemorySettingsStore::writeText(std::string_view section, std::string_view key,
                                    std::string_view value) {
    values_[keyOf(section, key)] = std::string(value);
    return true;
}

bool MemorySettingsStore::contains(std::string_view section, std::string_view key) const {
    return values_.count(keyOf(section, key)) != 0;
}

}  // namespace doxa
