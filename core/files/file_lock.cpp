#include "core/files/file_lock.h"

#include "core/files/atomic_file.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace gradation {
namespace {

constexpr auto kRetryEvery = std::chrono::milliseconds(10);

// The lock file's folder exists: made for a plain name (the user's own folder on the
// first edit), but never for a link's target, whose folder the user chose.
Outcome ensure_folder(const std::filesystem::path& file, const std::filesystem::path& target) {
    const std::filesystem::path folder = target.parent_path();
    std::error_code ec;
    if (std::filesystem::is_directory(folder, ec)) return {};
    if (target != std::filesystem::absolute(file, ec))
        return refuse(RefusalCode::LinkFolderMissing, {file.string(), target.string()});
    std::filesystem::create_directories(folder, ec);
    if (ec) return refuse_system(RefusalCode::FolderNotCreated, {folder.string()}, ec);
    return {};
}

// The lock file opened for flock, or why not in words the user can act on.
Result<int> open_lock_file(const std::filesystem::path& file, const std::filesystem::path& lock_file) {
    int fd = ::open(lock_file.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0644);
    if (fd >= 0) return fd;
    const int cause = errno;
    // Made by another user (root editing a user's file): a read-only descriptor locks as well.
    if (cause == EACCES) fd = ::open(lock_file.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (fd >= 0) return fd;
    // None there, and the folder lets this user create none: the folder's permission is why.
    if (cause == EACCES && errno == ENOENT)
        return refuse_system(RefusalCode::LockFolderUnwritable, {file.string(), lock_file.parent_path().string()},
                             cause);
    struct stat st {};
    if (cause == ELOOP && ::lstat(lock_file.c_str(), &st) == 0 && S_ISLNK(st.st_mode))
        return refuse(RefusalCode::LockFileIsLink, {lock_file.string()});
    return refuse_system(RefusalCode::LockFileUnopened, {lock_file.string()}, cause);
}

}  // namespace

FileLock& FileLock::operator=(FileLock&& other) noexcept {
    if (this != &other) {
        if (fd_ >= 0) ::close(fd_);
        fd_ = std::exchange(other.fd_, -1);
    }
    return *this;
}

FileLock::~FileLock() {
    if (fd_ >= 0) ::close(fd_);  // closing releases the flock
}

Outcome FileLock::take(const std::filesystem::path& file, std::chrono::milliseconds patience) {
    if (file.empty()) return refuse(RefusalCode::NoFileToWrite);
    const Result<std::filesystem::path> followed = write_target(file);
    if (!followed) return Refused(followed.error());
    const std::filesystem::path& target = *followed;
    if (Outcome made = ensure_folder(file, target); !made) return made;
    const std::filesystem::path lock_file = target.parent_path() / ("." + target.filename().string() + ".lock");
    const Result<int> opened = open_lock_file(file, lock_file);
    if (!opened) return Refused(opened.error());
    const int fd = *opened;

    const auto give_up = std::chrono::steady_clock::now() + patience;
    // Polled rather than blocking, so that a lock held forever ends in a refusal.
    while (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        if ((errno != EWOULDBLOCK && errno != EINTR) || std::chrono::steady_clock::now() >= give_up) {
            const int cause = errno;
            ::close(fd);
            if (cause != EWOULDBLOCK) return refuse_system(RefusalCode::LockFailed, {lock_file.string()}, cause);
            return refuse(RefusalCode::BeingEdited, {file.string(), lock_file.string(),
                                                     std::to_string((patience.count() + 999) / 1000)});
        }
        std::this_thread::sleep_for(kRetryEvery);
    }
    if (fd_ >= 0) ::close(fd_);
    fd_ = fd;
    return {};
}

}  // namespace gradation
