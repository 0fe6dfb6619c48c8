// The lock that serialises edits of one configuration file between processes.
#pragma once

#include "core/base/refusal.h"

#include <chrono>
#include <filesystem>
#include <string>
#include <utility>

namespace gradation {

// An exclusive flock on a lock file beside the file it guards (".<name>.lock"). The file
// itself cannot carry the lock: every write replaces it by a rename. Released when
// destroyed; the lock file stays, since removing it would race with a waiting process.
class FileLock {
public:
    FileLock() = default;
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;
    FileLock(FileLock&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
    FileLock& operator=(FileLock&& other) noexcept;
    ~FileLock();

    // Locks the real file behind `file` (a symlink is followed, so every name of it shares
    // one lock), trying until `patience` has passed. Done when held, else why not;
    // nothing is created then but the lock file and its folder.
    Outcome take(const std::filesystem::path& file,
                 std::chrono::milliseconds patience = std::chrono::seconds(5));

    bool held() const { return fd_ >= 0; }

private:
    int fd_ = -1;
};

}  // namespace gradation
