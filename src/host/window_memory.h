#pragma once

#include <QRect>
#include <QString>
#include <optional>
#include <string_view>

class QSplitter;
class QWidget;

namespace doxa {

class SettingsStore;

// A window's place and size kept in the settings store between starts, under its own key. Of a
// maximised window its normal place is kept, and that it was maximised; a minimised one is
// kept as it was before.
void rememberPlace(SettingsStore& settings, std::string_view key, const QWidget& window);
// Puts the window where it was last time and returns true; false, leaving it alone, when no
// place was kept. A place no screen shows any more (a monitor unplugged) is moved onto the
// primary screen, where the window can be grabbed.
bool restorePlace(const SettingsStore& settings, std::string_view key, QWidget& window);
struct WindowPlace {
    QRect normal;  // frame position, client size
    bool maximized = false;
};
// The kept place as it was stored; nothing when none is kept or it cannot be read.
std::optional<WindowPlace> keptPlace(const SettingsStore& settings, std::string_view key);
// `place` (frame position, client size) moved and shrunk as little as needed for its title bar
// to be on one of `screens`; the first screen takes it when none shows it.
QRect visiblePlace(const QRect& place, const QList<QRect>& screens);

// The sizes of a splitter's panes, kept and put back like a window's place; false, leaving the
// splitter alone, when none were kept or they do not fit its panes.
void rememberSizes(SettingsStore& settings, std::string_view key, const QSplitter& splitter);
bool restoreSizes(const SettingsStore& settings, std::string_view key, QSplitter& splitter);

enum class FileKind { Configuration, Export, Certificate };

// The folder the technician last chose a file of one kind in, so that the next file dialog of
// that kind, in this run or the next, opens there.
class RememberedFolder {
public:
    RememberedFolder(SettingsStore& settings, FileKind kind) : settings_(settings), kind_(kind) {}

    // Empty when none was kept, or it is gone.
    QString folder() const;
    // A suggested file name in the remembered folder; a name that has a folder of its own keeps it.
    QString place(const QString& name) const;
    // The technician chose `path`: its folder is the one to start in next time.
    void keep(const QString& path);

private:
    SettingsStore& settings_;
    FileKind kind_;
};

}  // namespace doxa
