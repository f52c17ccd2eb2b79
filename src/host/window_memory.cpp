#include "host/window_memory.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QSplitter>
#include <QStringList>
#include <QWidget>
#include <algorithm>
#include <string>

#include "settings/settings_keys.h"
#include "transmitter/settings_store.h"

namespace doxa {

namespace {

// The strip along a window's top by which it is dragged: a window is reachable while this much
// of it is on a screen.
constexpr int TitleBarHeight = 30;
constexpr int GripWidth = 80;
// Smaller than this the kept size is taken for a damaged entry.
constexpr int SmallestSide = 50;
// Follows the numbers of a window that was maximised.
constexpr auto MaximizedWord = " zmaksymalizowane";

std::string_view folderKey(FileKind kind) {
    switch (kind) {
        case FileKind::Configuration:
            return ConfigurationFolderKey;
        case FileKind::Export:
            return ExportFolderKey;
        case FileKind::Certificate:
            return CertificateFolderKey;
    }
    return ExportFolderKey;
}

QString fromUtf8(const std::string& text) {
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

bool isReachable(const QRect& place, const QRect& screen) {
    const QRect grip = QRect(place.topLeft(), QSize(place.width(), TitleBarHeight)) & screen;
    return grip.width() >= std::min(GripWidth, place.width()) && grip.height() > 0;
}

}  // namespace

void rememberPlace(SettingsStore& settings, std::string_view key, const QWidget& window) {
    // A maximised window's own geometry is the screen's; its normal one is where it goes back to,
    // given for the client area, while the place kept is the frame's, as move() takes it.
    const QPoint frameOffset = window.pos() - window.geometry().topLeft();
    const QRect normal = window.isMaximized() || window.isMinimized() || window.isFullScreen()
                             ? window.normalGeometry().translated(frameOffset)
                             : QRect(window.pos(), window.size());
    if (!normal.isValid()) return;
    QString text = QStringLiteral("%1 %2 %3 %4")
                       .arg(normal.x())
                       .arg(normal.y())
                       .arg(normal.width())
                       .arg(normal.height());
    if (window.isMaximized()) text += QLatin1String(MaximizedWord);
    // Nobody is told when this fails: the window simply opens where it did before.
    settings.writeText(WindowSection, key, text.toStdString());
}

std::optional<WindowPlace> keptPlace(const SettingsStore& settings, std::string_view key) {
    QStringList numbers = fromUtf8(settings.readText(WindowSection, key, ""))
                              .split(QLatin1Char(' '), Qt::SkipEmptyParts);
    const bool maximized =
        numbers.size() == 5 && numbers.back() == QLatin1String(MaximizedWord).trimmed();
    if (maximized) numbers.removeLast();
    if (numbers.size() != 4) return std::nullopt;
    int values[4];
    for (int i = 0; i < 4; ++i) {
        bool ok = false;
        values[i] = numbers[i].toInt(&ok);
        if (!ok) return std::nullopt;
    }
    if (values[2] < SmallestSide || values[3] < SmallestSide) return std::nullopt;
    return WindowPlace{QRect(values[0], values[1], values[2], values[3]), maximized};
}

QRect visiblePlace(const QRect& place, const QList<QRect>& screens) {
    if (screens.isEmpty() || std::any_of(screens.begin(), screens.end(),
                                         [&](const QRect& s) { return isReachable(place, s); }))
        return place;
    const QRect& screen = screens.front();
    const QSize size = place.size().boundedTo(screen.size());
    const int x = std::clamp(place.x(), screen.left(), screen.right() + 1 - size.width());
    const int y = std::clamp(place.y(), screen.top(), screen.bottom() + 1 - size.height());
    return QRect(QPoint(x, y), size);
}

bool restorePlace(const SettingsStore& settings, std::string_view key, QWidget& window) {
    const std::optional<WindowPlace> kept = keptPlace(settings, key);
    if (!kept) return false;
    QList<QRect> screens;
    if (const QScreen* primary = QGuiApplication::primaryScreen())
        screens.append(primary->availableGeometry());
    for (const QScreen* screen : QGuiApplication::screens())
        if (screen != QGuiApplication::primaryScreen()) screens.append(screen->availableGeometry());
    const QRect place = visiblePlace(kept->normal, screens);
    window.move(place.topLeft());
    window.resize(place.size());
    // Maximised on the screen it is on now; restoring it brings back the normal place.
    if (kept->maximized) window.setWindowState(window.windowState() | Qt::WindowMaximized);
    return true;
}

void rememberSizes(SettingsStore& settings, std::string_view key, const QSplitter& splitter) {
    QStringList sizes;
    for (const int size : splitter.sizes()) sizes.append(QString::number(size));
    settings.writeText(WindowSection, key, sizes.join(QLatin1Char(' ')).toStdString());
}

bool restoreSizes(const SettingsStore& settings, std::string_view key, QSplitter& splitter) {
    const QStringList kept = fromUtf8(settings.readText(WindowSection, key, ""))
                                 .split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (kept.size() != splitter.count()) return false;
    QList<int> sizes;
    for (const QString& text : kept) {
        bool ok = false;
        const int size = text.toInt(&ok);
        if (!ok || size < 0) return false;
        sizes.append(size);
    }
    // All panes closed would leave nothing to grab.
    if (std::all_of(sizes.begin(), sizes.end(), [](int size) { return size == 0; })) return false;
    splitter.setSizes(sizes);
    return true;
}

QString RememberedFolder::folder() const {
    const QString kept = fromUtf8(settings_.readText(FolderSection, folderKey(kind_), ""));
    return !kept.isEmpty() && QFileInfo(kept).isDir() ? kept : QString();
}

QString RememberedFolder::place(const QString& name) const {
    const QString start = folder();
    if (start.isEmpty() || name.contains(QLatin1Char('/'))) return name;
    return QDir(start).filePath(name);
}

void RememberedFolder::keep(const QString& path) {
    if (path.isEmpty()) return;
    const QString chosen = QFileInfo(path).absolutePath();
    settings_.writeText(FolderSection, folderKey(kind_), chosen.toUtf8().toStdString());
}

}  // namespace doxa
