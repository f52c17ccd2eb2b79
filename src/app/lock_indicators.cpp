#include "app/lock_indicators.h"

#include <QDir>
#include <QFile>

namespace doxa {

namespace {
QString ledSuffix(LockKey key) {
    switch (key) {
        case LockKey::Caps:
            return QStringLiteral("::capslock");
        case LockKey::Num:
            return QStringLiteral("::numlock");
        case LockKey::Scroll:
            break;
    }
    return QStringLiteral("::scrolllock");
}
}  // namespace

bool isLockOn(LockKey key, const QString& ledRoot) {
    const QDir root(ledRoot);
    const QStringList leds = root.entryList({QLatin1Char('*') + ledSuffix(key)}, QDir::Dirs);
    for (const QString& led : leds) {
        QFile brightness(root.filePath(led + QStringLiteral("/brightness")));
        if (!brightness.open(QIODevice::ReadOnly)) continue;
        if (brightness.readAll().trimmed().toInt() > 0) return true;
    }
    return false;
}

}  // namespace doxa
