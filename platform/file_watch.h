// Noticing that files changed on disk, however they were changed: written in place,
// replaced by a rename, deleted, created later (also inside folders that do not exist
// yet), or reached through a symbolic link.
#pragma once

#include <QObject>

#include <filesystem>
#include <functional>
#include <vector>

class QFileSystemWatcher;
class QTimer;

namespace gradation::platform {

class FileWatch {
public:
    // `on_change` runs on the UI thread shortly after a burst of changes began; it may
    // also run for changes of other files in the same folders, so it checks itself
    // what changed.
    FileWatch(QObject* owner, std::function<void()> on_change);

    // Watches `files` from now on (and no longer what was watched before).
    void watch(std::vector<std::filesystem::path> files);

private:
    void rearm();
    void noticed();

    QFileSystemWatcher* watcher_;
    QTimer* settle_;
    std::function<void()> on_change_;
    std::vector<std::filesystem::path> files_;
};

}  // namespace gradation::platform
