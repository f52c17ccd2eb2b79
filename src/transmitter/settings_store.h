#pragma once

#include <map>
#include <string>
#include <string_view>
#include <utility>

namespace doxa {

// Sections of named integer and text values, kept by the application in a private INI file.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    virtual int readInt(std::string_view section, std::string_view key, int fallback) const = 0;
    virtual bool writeInt(std::string_view section, std::string_view key, int value) = 0;
    virtual std::string readText(std::string_view section, std::string_view key,
                                 std::string_view fallback) const = 0;
    virtual bool writeText(std::string_view section, std::string_view key,
                           std::string_view value) = 0;
};

// Keeps the values in memory; used by the tests and as a stand-in when no file can be written.
class MemorySettingsStore : public SettingsStore {
public:
    int readInt(std::string_view section, std::string_view key, int fallback) const override;
    bool writeInt(std::string_view section, std::string_view key, int value) override;
    std::string readText(std::string_view section, std::string_view key,
                         std::string_view fallback) const override;
    bool writeText(std::string_view section, std::string_view key,
                   std::string_view value) override;
    bool contains(std::string_view section, std::string_view key) const;

private:
    std::map<std::pair<std::string, std::string>, std::string, std::less<>> values_;
};

}  // namespace doxa
