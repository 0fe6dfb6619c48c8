#include "platform/file_watch.h"

#include <QSocketNotifier>
#include <QTimer>

#include <sys/inotify.h>
#include <unistd.h>

#include <array>
#include <cstring>
#include <system_error>

namespace gradation::platform {
namespace {

// Changes that arrive together (a temporary file, a rename, a backup) are answered once.
constexpr int kSettleMilliseconds = 100;

// What happens to a folder's entries (written in place and closed, its mode changed,
// created, removed, renamed) and to the folder itself. Each write() is not reported on
// its own: the file is read once its writer closes it.
constexpr std::uint32_t kFolderEvents = IN_CLOSE_WRITE | IN_ATTRIB | IN_CREATE | IN_DELETE | IN_MOVED_FROM |
                                        IN_MOVED_TO | IN_DELETE_SELF | IN_MOVE_SELF | IN_ONLYDIR;

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

// Each file is watched through the nearest existing folder on its way, for the one name
// in it that leads to the file: the file's own where its folder exists. A folder watch
// sees the file written in place as well as replaced by a rename, and changes of other
// entries of a busy folder cost no more than reading their names. A link is watched at
// both ends: the link's folder and its target's.
std::vector<std::pair<std::filesystem::path, std::string>> watched_names(const std::filesystem::path& file) {
    std::error_code ec;
    std::vector<std::filesystem::path> ends{file.lexically_normal()};
    if (std::filesystem::is_symlink(file, ec)) {
        const std::filesystem::path target = std::filesystem::weakly_canonical(file, ec);
        if (!ec) ends.push_back(target);
    }
    std::vector<std::pair<std::filesystem::path, std::string>> names;
    for (const std::filesystem::path& end : ends) {
        const std::filesystem::path folder = nearest_existing_folder(end.parent_path());
        if (folder.empty()) continue;
        const std::filesystem::path below = end.lexically_relative(folder);
        if (!below.empty() && *below.begin() != "..") names.emplace_back(folder, below.begin()->string());
    }
    return names;
}

}  // namespace

FileWatch::FileWatch(QObject* owner, std::function<void()> on_change)
    : inotify_(::inotify_init1(IN_NONBLOCK | IN_CLOEXEC)), settle_(new QTimer(owner)), on_change_(std::move(on_change)) {
    settle_->setSingleShot(true);
    settle_->setInterval(kSettleMilliseconds);
    QObject::connect(settle_, &QTimer::timeout, settle_, [this] { on_change_(); });
    if (inotify_ >= 0) {
        events_.open(inotify_, QIODevice::ReadOnly | QIODevice::Unbuffered, QFileDevice::DontCloseHandle);
        readable_ = new QSocketNotifier(inotify_, QSocketNotifier::Read, owner);
        QObject::connect(readable_, &QSocketNotifier::activated, readable_, [this] { read_events(); });
    }
}

FileWatch::~FileWatch() {
    delete readable_;
    delete settle_;
    events_.close();
    if (inotify_ >= 0) ::close(inotify_);
}

void FileWatch::watch(std::vector<std::filesystem::path> files) {
    files_ = std::move(files);
    rearm();
}

// Every folder is watched afresh: a folder created or removed moves the nearest existing
// one, and a link may point elsewhere now.
void FileWatch::rearm() {
    if (inotify_ < 0) return;
    for (const auto& [descriptor, names] : names_) ::inotify_rm_watch(inotify_, descriptor);
    names_.clear();
    for (const std::filesystem::path& file : files_) {
        for (const auto& [folder, name] : watched_names(file)) {
            const int descriptor = ::inotify_add_watch(inotify_, folder.c_str(), kFolderEvents);
            if (descriptor >= 0) names_[descriptor].insert(name);
        }
    }
}

// Reads every pending event; only those about a watched name, a watched folder itself,
// or events lost to a full queue count. The timer is not restarted by later notices, so
// a folder that never stops changing still gets its answer.
void FileWatch::read_events() {
    alignas(inotify_event) std::array<char, 16 * 1024> buffer;
    bool noticed = false;
    for (qint64 length; (length = events_.read(buffer.data(), buffer.size())) > 0;) {
        for (qint64 at = 0; at < length;) {
            inotify_event event;
            std::memcpy(&event, buffer.data() + at, sizeof event);
            const char* name = buffer.data() + at + sizeof event;
            at += static_cast<qint64>(sizeof event + event.len);
            const auto watched = names_.find(event.wd);
            if (event.mask & IN_Q_OVERFLOW) noticed = true;
            if (watched == names_.end()) continue;  // a folder no longer watched
            const bool about_folder = (event.mask & (IN_DELETE_SELF | IN_MOVE_SELF | IN_IGNORED)) != 0;
            if (about_folder || (event.len > 0 && watched->second.count(name) > 0)) noticed = true;
        }
    }
    if (!noticed) return;
    rearm();
    if (!settle_->isActive()) settle_->start();
}

}  // namespace gradation::platform
