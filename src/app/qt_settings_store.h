#pragma once

#include <QSettings>
#include <QString>
#include <memory>

#include "transmitter/settings_store.h"

namespace doxa {

// The settings store as a private INI file: $XDG_CONFIG_HOME/doxa-win/doxa-win.ini, mode 0600
// because it holds the passwords. A file with lines the reader cannot parse is kept as
// doxa-win.ini.bak before it is first rewritten, since the rewrite drops those lines.
class QtSettingsStore : public SettingsStore {
public:
    explicit QtSettingsStore(const QString& path = defaultPath());

    static QString defaultPath();
    // Where a file that could not be fully parsed is kept: beside it, ".bak" appended.
    static QString backupPath(const QString& path);

    int readInt(std::string_view section, std::string_view key, int fallback) const override;
    bool writeInt(std::string_view section, std::string_view key, int value) override;
    std::string readText(std::string_view section, std::string_view key,
                         std::string_view fallback) const override;
    bool writeText(std::string_view section, std::string_view key,
                   std::string_view value) override;

private:
    void load();
    bool readyToWrite();
    bool flush();

    QString path_;
    std::unique_ptr<QSettings> settings_;
    // The file on disk has lines the reader could not parse; they are not yet kept anywhere.
    bool unparsed_ = false;
};

}  // namespace doxa
