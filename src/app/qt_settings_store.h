#pragma once

#include <QSettings>
#include <QString>

#include "transmitter/settings_store.h"

namespace doxa {

// The settings store as a private INI file: $XDG_CONFIG_HOME/doxa-win/doxa-win.ini, mode 0600
// because it holds the passwords.
class QtSettingsStore : public SettingsStore {
public:
    explicit QtSettingsStore(const QString& path = defaultPath());

    static QString defaultPath();

    int readInt(std::string_view section, std::string_view key, int fallback) const override;
    bool writeInt(std::string_view section, std::string_view key, int value) override;
    std::string readText(std::string_view section, std::string_view key,
                         std::string_view fallback) const override;
    bool writeText(std::string_view section, std::string_view key,
                   std::string_view value) override;

private:
    bool flush();

    mutable QSettings settings_;
};

}  // namespace doxa
