#include "app/qt_settings_store.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace doxa {

namespace {
QString keyOf(std::string_view section, std::string_view key) {
    return QString::fromUtf8(section.data(), qsizetype(section.size())) + '/' +
           QString::fromUtf8(key.data(), qsizetype(key.size()));
}

void makePrivate(const QString& path) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.exists()) file.open(QIODevice::WriteOnly);
    file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}
}  // namespace

QtSettingsStore::QtSettingsStore(const QString& path) : settings_(path, QSettings::IniFormat) {
    makePrivate(path);
}

QString QtSettingsStore::defaultPath() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           "/doxa-win/doxa-win.ini";
}

int QtSettingsStore::readInt(std::string_view section, std::string_view key, int fallback) const {
    const QVariant value = settings_.value(keyOf(section, key));
    if (!value.isValid()) return fallback;
    bool ok = false;
    const int number = value.toString().trimmed().toInt(&ok);
    return ok ? number : 0;
}

bool QtSettingsStore::writeInt(std::string_view section, std::string_view key, int value) {
    settings_.setValue(keyOf(section, key), QString::number(value));
    return flush();
}

std::string QtSettingsStore::readText(std::string_view section, std::string_view key,
                                      std::string_view fallback) const {
    const QVariant value = settings_.value(keyOf(section, key));
    if (!value.isValid()) return std::string(fallback);
    return value.toString().toStdString();
}

bool QtSettingsStore::writeText(std::string_view section, std::string_view key,
                                std::string_view value) {
    settings_.setValue(keyOf(section, key), QString::fromUtf8(value.data(), qsizetype(value.size())));
    return flush();
}

bool QtSettingsStore::flush() {
    settings_.sync();
    return settings_.status() == QSettings::NoError;
}

}  // namespace doxa
