#pragma once

#include <QSettings>
#include <QString>
#include <memory>
#include <string>

#include "transmitter/settings_store.h"

namespace doxa {

// The settings store as a private INI file: $XDG_CONFIG_HOME/doxa-win/doxa-win.ini, mode 0600
// because it holds the passwords. A file with lines the reader cannot parse is kept as
// doxa-win.ini.bak before it is first rewritten, since the rewrite drops those lines. A file
// far larger than any settings file is not read at all: it is moved there at once, and the
// store starts empty. A backup is never replaced: when doxa-win.ini.bak is there already, the
// next one is doxa-win.ini.bak.1, then .bak.2 and on; with all of them taken, nothing is
// written over the file.
class QtSettingsStore : public SettingsStore {
public:
    static constexpr qint64 LargestFile = 1 << 20;
    // How many backups of the settings file are kept beside it, at most.
    static constexpr int MostBackups = 10;

    explicit QtSettingsStore(const QString& path = defaultPath());

    static QString defaultPath();
    // Where a file that could not be fully parsed is kept: beside it, ".bak" appended, and for
    // the backups after the first, ".bak.1" to ".bak.9".
    static QString backupPath(const QString& path, int number = 0);

    int readInt(std::string_view section, std::string_view key, int fallback) const override;
    bool writeInt(std::string_view section, std::string_view key, int value) override;
    std::string readText(std::string_view section, std::string_view key,
                         std::string_view fallback) const override;
    bool writeText(std::string_view section, std::string_view key,
                   std::string_view value) override;

    // What the user must be told about the file found at start (empty when it was read).
    const std::string& notice() const { return notice_; }
    // There was no file: this store made it, and the program starts from its defaults.
    bool isNew() const { return new_; }

private:
    void refuseIfNoRegularFile();
    void setAsideIfOversized();
    void load();
    // The stored value; invalid when there is none.
    QVariant value(std::string_view section, std::string_view key) const;
    bool readyToWrite();
    // The first backup name nothing has taken yet; empty when every one is taken.
    QString freeBackupPath() const;
    bool flush();

    QString path_;
    std::unique_ptr<QSettings> settings_;
    // The file on disk has lines the reader could not parse; they are not yet kept anywhere.
    bool unparsed_ = false;
    // An oversized file that could not be moved aside: nothing is read from it or written to it.
    bool refused_ = false;
    bool new_ = false;
    std::string notice_;
};

// doxa-win's defaults for a settings file it has just made: programming shows what it will
// change and asks before it writes. A file that was there keeps the technician's choice, and
// doxa-cli, which never makes the file, never asks (it has --dry-run).
void takeDoxaWinDefaults(QtSettingsStore& settings);

}  // namespace doxa
