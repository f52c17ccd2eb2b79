#include "app/qt_settings_store.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QStringDecoder>

#include "link/screen_text.h"
#include "programming/prog_safeguard.h"

namespace doxa {

namespace {
QString keyOf(std::string_view section, std::string_view key) {
    return QString::fromUtf8(section.data(), qsizetype(section.size())) + '/' +
           QString::fromUtf8(key.data(), qsizetype(key.size()));
}

// Bytes the INI reader would not give back as they are: control characters or text that is not
// UTF-8 (a line edited in another code page, say).
bool isPlainText(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return true;
    const QByteArray bytes = file.readAll();
    for (const char c : bytes)
        if (static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\r' && c != '\n') return false;
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8(bytes);
    return !utf8.hasError();
}

void makePrivate(const QString& path) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.exists()) file.open(QIODevice::WriteOnly);
    file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}
}  // namespace

QtSettingsStore::QtSettingsStore(const QString& path) : path_(path) {
    refuseIfNoRegularFile();
    if (!refused_) setAsideIfOversized();
    new_ = !refused_ && !QFileInfo::exists(path);
    if (!refused_) makePrivate(path);
    load();
}

// A pipe or a device under the settings file's name would hold the reader for ever; it is left
// alone, and the run keeps its settings to itself.
void QtSettingsStore::refuseIfNoRegularFile() {
    const QFileInfo info(path_);
    if (!info.exists() || info.isFile()) return;
    refused_ = true;
    notice_ = formatText(UI_TEXT("Plik ustawień %1 nie jest zwykłym plikiem i nie został wczytany. "
                                 "Program używa ustawień domyślnych i nie zapisze zmian."),
                         {path_.toStdString()});
}

// The INI reader holds a file many times over in memory; a file of this size was not written by
// the program, so it is moved aside unread, where the technician can still look at it.
void QtSettingsStore::setAsideIfOversized() {
    if (QFileInfo(path_).size() <= LargestFile) return;
    const QString backup = freeBackupPath();
    refused_ = backup.isEmpty() || !QFile::rename(path_, backup);
    if (refused_) {
        notice_ = formatText(UI_TEXT("Plik ustawień %1 jest za duży (ponad 1 MB) i nie został "
                                     "wczytany. Program używa ustawień domyślnych i nie zapisze "
                                     "zmian."),
                             {path_.toStdString()});
        return;
    }
    QFile::setPermissions(backup, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    notice_ = formatText(UI_TEXT("Plik ustawień %1 jest za duży (ponad 1 MB) i nie został "
                                 "wczytany; zachowano go jako %2. Program zaczyna od ustawień "
                                 "domyślnych."),
                         {path_.toStdString(), backup.toStdString()});
}

QString QtSettingsStore::backupPath(const QString& path, int number) {
    return number == 0 ? path + ".bak" : path + ".bak." + QString::number(number);
}

QString QtSettingsStore::freeBackupPath() const {
    for (int number = 0; number < MostBackups; ++number) {
        const QString backup = backupPath(path_, number);
        if (!QFileInfo::exists(backup) && !QFileInfo(backup).isSymLink()) return backup;
    }
    return {};
}

// A parse error sticks to a QSettings object and would hide a later write error, so the file is
// read afresh once it has been rewritten. Qt drops lines it cannot parse and mangles binary
// ones when it rewrites the file; either makes the file one to keep before writing.
void QtSettingsStore::load() {
    if (refused_) return;
    settings_ = std::make_unique<QSettings>(path_, QSettings::IniFormat);
    // The file is parsed on first use; that use is now, so that its outcome is known.
    static_cast<void>(settings_->allKeys());
    unparsed_ = settings_->status() == QSettings::FormatError || !isPlainText(path_);
}

// The rewrite keeps only what was parsed; what a technician wrote by hand is kept in the backup
// first, and without a backup nothing is written.
bool QtSettingsStore::readyToWrite() {
    if (refused_) return false;
    if (!unparsed_) return true;
    const QString backup = freeBackupPath();
    if (backup.isEmpty() || !QFile::copy(path_, backup)) return false;
    QFile::setPermissions(backup, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    unparsed_ = false;
    return true;
}

QString QtSettingsStore::defaultPath() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           "/doxa-win/doxa-win.ini";
}

QVariant QtSettingsStore::value(std::string_view section, std::string_view key) const {
    return refused_ ? QVariant() : settings_->value(keyOf(section, key));
}

int QtSettingsStore::readInt(std::string_view section, std::string_view key, int fallback) const {
    const QVariant value = this->value(section, key);
    if (!value.isValid()) return fallback;
    bool ok = false;
    const int number = value.toString().trimmed().toInt(&ok);
    return ok ? number : 0;
}

bool QtSettingsStore::writeInt(std::string_view section, std::string_view key, int value) {
    if (!readyToWrite()) return false;
    settings_->setValue(keyOf(section, key), QString::number(value));
    return flush();
}

std::string QtSettingsStore::readText(std::string_view section, std::string_view key,
                                      std::string_view fallback) const {
    const QVariant value = this->value(section, key);
    if (!value.isValid()) return std::string(fallback);
    return value.toString().toStdString();
}

bool QtSettingsStore::writeText(std::string_view section, std::string_view key,
                                std::string_view value) {
    if (!readyToWrite()) return false;
    settings_->setValue(keyOf(section, key), QString::fromUtf8(value.data(), qsizetype(value.size())));
    return flush();
}

bool QtSettingsStore::flush() {
    settings_->sync();
    switch (settings_->status()) {
        case QSettings::NoError:
            return true;
        case QSettings::AccessError:
            return false;
        case QSettings::FormatError:
            break;
    }
    // Left from reading the file before it was rewritten: what is on disk now tells whether
    // the write took.
    load();
    return !unparsed_;
}

void takeDoxaWinDefaults(QtSettingsStore& settings) {
    if (settings.isNew()) settings.writeInt(ConfirmSection, ConfirmKey, 1);
}

}  // namespace doxa
