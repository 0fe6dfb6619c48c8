#include "platform/file_watch.h"

#include <QFileSystemWatcher>
#include <QStringList>
#include <QTimer>

#include <system_error>

namespace gradation::platform {
namespace {

// Changes that arrive together (a temporary file, a rename, a backup) are answered once.
constexpr int kSettleMilliseconds = 100;

QString path_text(const std::filesystem::path& path) { return QString::fromStdString(path.string()); }

// The folder itself when it exists, else the nearest one above it that does: creating
// the missing folders below it shows there first.
std::filesystem::path nearest_existing_folder(std::filesystem::path folder) {
    std::error_code ec;
    while (!folder.empty() && !std::filesystem::is_directory(folder, ec)) {
        if (folder == folder.parent_path()) return {};
        folder = folder.parent_path();
    }
    return folder;
}

// A file is watched itself where it exists, and through its folder, since a writer that
// replaces it by a rename leaves the old file's watch behind. A link is watched at both
// ends: the link's folder and its target's.
void add_watched_paths(const std::filesystem::path& file, QStringList& paths) {
    std::error_code ec;
    std::vector<std::filesystem::path> ends{file};
    if (std::filesystem::is_symlink(file, ec)) {
        const std::filesystem::path target = std::filesystem::weakly_canonical(file, ec);
        if (!ec) ends.push_back(target);
    }
    for (const std::filesystem::path& end : ends) {
        if (std::filesystem::exists(end, ec)) paths << path_text(end);
        const std::filesystem::path folder = nearest_existing_folder(end.parent_path());
        if (!folder.empty()) paths << path_text(folder);
    }
}

}  // namespace

FileWatch::FileWatch(QObject* owner, std::function<void()> on_change)
    : watcher_(new QFileSystemWatcher(owner)), settle_(new QTimer(owner)), on_change_(std::move(on_change)) {
    settle_->setSingleShot(true);
    settle_->setInterval(kSettleMilliseconds);
    QObject::connect(watcher_, &QFileSystemWatcher::fileChanged, settle_, [this] { noticed(); });
    QObject::connect(watcher_, &QFileSystemWatcher::directoryChanged, settle_, [this] { noticed(); });
    QObject::connect(settle_, &QTimer::timeout, settle_, [this] { on_change_(); });
}

void FileWatch::watch(std::vector<std::filesystem::path> files) {
    files_ = std::move(files);
    rearm();
}

// Every path is watched afresh: a file replaced by a rename is a new file, and a folder
// created or removed moves the nearest existing folder.
void FileWatch::rearm() {
    const QStringList old = watcher_->files() + watcher_->directories();
    if (!old.isEmpty()) watcher_->removePaths(old);
    QStringList paths;
    for (const std::filesystem::path& file : files_) add_watched_paths(file, paths);
    paths.removeDuplicates();
    if (!paths.isEmpty()) watcher_->addPaths(paths);
}

// The timer is not restarted by later notices, so a folder that never stops changing
// still gets its answer.
void FileWatch::noticed() {
    rearm();
    if (!settle_->isActive()) settle_->start();
}

}  // namespace gradation::platform
