#include "host/folder_watch.h"

#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QStringList>

namespace doxa {

namespace {

class QtFolderWatch : public FolderWatch {
public:
    QtFolderWatch(const std::vector<std::string>& folders, std::function<void()> changed)
        : changed_(std::move(changed)) {
        for (const std::string& folder : folders) wanted_.append(QString::fromStdString(folder));
        watchThoseThatExist();
        QObject::connect(&watcher_, &QFileSystemWatcher::directoryChanged, [this] {
            // A folder made or removed inside a watched one may be one of ours: a removed
            // folder drops out of the watcher by itself.
            watchThoseThatExist();
            changed_();
        });
    }

private:
    void watchThoseThatExist() {
        const QStringList watched = watcher_.directories();
        for (const QString& folder : wanted_)
            if (!watched.contains(folder) && QFileInfo(folder).isDir()) watcher_.addPath(folder);
    }

    std::function<void()> changed_;
    QStringList wanted_;
    QFileSystemWatcher watcher_;
};

}  // namespace

std::unique_ptr<FolderWatch> watchFoldersWithQt(const std::vector<std::string>& folders,
                                                std::function<void()> changed) {
    return std::make_unique<QtFolderWatch>(folders, std::move(changed));
}

}  // namespace doxa
