// Noticing that files changed on disk, however they were changed: written in place,
// replaced by a rename, deleted, created later (also inside folders that do not exist
// yet), or reached through a symbolic link.
#pragma once

#include <QFile>
#include <QObject>

#include <filesystem>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

class QSocketNotifier;
class QTimer;

namespace gradation::platform {

class FileWatch {
public:
    // `on_change` runs on the UI thread shortly after a burst of changes began; it may
    // also run for changes that leave the files as they were, so it checks itself what
    // changed.
    FileWatch(QObject* owner, std::function<void()> on_change);
    ~FileWatch();
    FileWatch(const FileWatch&) = delete;
    FileWatch& operator=(const FileWatch&) = delete;

    // Watches `files` from now on (and no longer what was watched before).
    void watch(std::vector<std::filesystem::path> files);

private:
    void rearm();
    void read_events();

    int inotify_ = -1;
    QFile events_;  // the descriptor, read through Qt
    QSocketNotifier* readable_ = nullptr;
    QTimer* settle_;
    std::function<void()> on_change_;
    std::vector<std::filesystem::path> files_;
    // Each watched folder's descriptor, with the names in it that lead to a watched file.
    std::map<int, std::set<std::string>> names_;
};

}  // namespace gradation::platform
