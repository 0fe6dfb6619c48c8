#include "core/files/atomic_file.h"

#include "core/files/system_calls.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace gradation {
namespace {

// Temporaries are ".<name>.tmp-" and mkstemp's six letters and digits, beside `target`:
// a name shape of their own, so that no file a user keeps there (".QX.ini.backup") is
// ever taken for one.
constexpr std::size_t kUniqueLength = 6;
std::string temporary_prefix(const std::filesystem::path& target) { return "." + target.filename().string() + ".tmp-"; }

bool is_unique_part(std::string_view s) {
    const auto letter_or_digit = [](char c) {
        return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
    };
    return s.size() == kUniqueLength && std::all_of(s.begin(), s.end(), letter_or_digit);
}

Refused failure(RefusalCode what, const std::filesystem::path& path, int error) {
    return refuse_system(what, {path.string()}, error);
}

bool write_all(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = system_calls::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

mode_t new_file_mode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// Who owns the new file and its permission bits: the old file's, or for a new file the
// process's own (uid and gid of -1 leave them as created).
struct Identity {
    mode_t mode = new_file_mode();
    uid_t uid = static_cast<uid_t>(-1);
    gid_t gid = static_cast<gid_t>(-1);
};

// Gives the open file `identity`'s owner and group (only where they differ, so that an
// ordinary user's write of their own file asks for no privilege), then its mode; the
// mode comes last because a change of owner clears the set-id bits.
bool give_identity(int fd, const Identity& identity) {
    struct stat st {};
    if (::fstat(fd, &st) != 0) return false;
    const bool owner_differs = (identity.uid != static_cast<uid_t>(-1) && identity.uid != st.st_uid) ||
                               (identity.gid != static_cast<gid_t>(-1) && identity.gid != st.st_gid);
    if (owner_differs && ::fchown(fd, identity.uid, identity.gid) != 0) return false;
    return system_calls::change_mode(fd, identity.mode) == 0;
}

// A written and synced temporary file beside its target, removed unless renamed.
class TemporaryFile {
public:
    TemporaryFile() = default;
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    ~TemporaryFile() {
        if (!path_.empty()) ::unlink(path_.c_str());
    }

    // Done when `bytes` are in the temporary file, synced, with `identity`.
    Outcome write(const std::filesystem::path& target, std::string_view bytes, const Identity& identity) {
        std::string name = (target.parent_path() / temporary_prefix(target)).string() + std::string(kUniqueLength, 'X');
        const int fd = system_calls::make_temporary(name.data());
        if (fd < 0) return failure(RefusalCode::TemporaryNotCreated, target.parent_path(), errno);
        path_ = name;
        if (!write_all(fd, bytes)) return close_after(fd, RefusalCode::WriteFailed, target);
        if (!give_identity(fd, identity)) return close_after(fd, RefusalCode::IdentityNotKept, target);
        if (system_calls::sync(fd) != 0) return close_after(fd, RefusalCode::SyncFailed, target);
        if (::close(fd) != 0) return failure(RefusalCode::WriteFailed, target, errno);
        return {};
    }

    // Renames the file over `target`; afterwards it is no longer removed.
    Outcome rename_over(const std::filesystem::path& target) {
        if (system_calls::rename(path_.c_str(), target.c_str()) != 0)
            return failure(RefusalCode::ReplaceFailed, target, errno);
        path_.clear();
        return {};
    }

private:
    Refused close_after(int fd, RefusalCode what, const std::filesystem::path& target) {
        const int error = errno;
        ::close(fd);
        return failure(what, target, error);
    }

    std::string path_;
};

}  // namespace

void remove_stale_temporaries(const std::filesystem::path& file) {
    const Result<std::filesystem::path> target = write_target(file);
    if (!target) return;
    std::filesystem::path backup = *target;
    backup += ".bak";
    const std::string prefixes[] = {temporary_prefix(*target), temporary_prefix(backup)};
    std::error_code ec;
    for (std::filesystem::directory_iterator it(target->parent_path(), ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        const bool ours = std::any_of(std::begin(prefixes), std::end(prefixes), [&name](const std::string& prefix) {
            return name.starts_with(prefix) && is_unique_part(std::string_view(name).substr(prefix.size()));
        });
        std::error_code type_error;
        if (ours && it->symlink_status(type_error).type() == std::filesystem::file_type::regular)
            ::unlink(it->path().c_str());
    }
}

Result<std::filesystem::path> write_target(const std::filesystem::path& file) {
    std::error_code ec;
    std::filesystem::path path = std::filesystem::absolute(file, ec);
    // As many links as the system itself follows before it gives up (ELOOP).
    for (int links = 0; links <= 40 && !ec; ++links) {
        struct stat st {};
        if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;  // a missing one is written anew
        const std::filesystem::path next = std::filesystem::read_symlink(path, ec);
        path = next.is_absolute() ? next : path.parent_path() / next;
    }
    return refuse_system(RefusalCode::LinkUnfollowed, {file.string()}, ec ? ec : std::error_code(ELOOP, std::generic_category()));
}

Outcome replace_file_atomically(const std::filesystem::path& file, std::string_view bytes,
                                const std::optional<std::string>& previous) {
    const Result<std::filesystem::path> followed = write_target(file);
    if (!followed) return Refused(followed.error());
    const std::filesystem::path& target = *followed;
    Identity identity;
    struct stat st {};
    if (::stat(target.c_str(), &st) == 0) {
        if (st.st_nlink > 1)
            return refuse(RefusalCode::HardLinks, {target.string(), std::to_string(st.st_nlink)});
        identity = {static_cast<mode_t>(st.st_mode & 07777), st.st_uid, st.st_gid};
    }

    // The new content is written and synced first: if that fails, nothing else changed.
    TemporaryFile content;
    if (Outcome done = content.write(target, bytes, identity); !done) return done;
    if (previous) {
        std::filesystem::path backup = target;
        backup += ".bak";
        TemporaryFile kept;
        if (Outcome done = kept.write(backup, *previous, identity); !done) return done;
        if (Outcome done = kept.rename_over(backup); !done) return done;
    }
    if (Outcome done = content.rename_over(target); !done) return done;
    // The rename is on disk only once the folder is synced.
    if (const int dir = ::open(target.parent_path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC); dir >= 0) {
        system_calls::sync(dir);
        ::close(dir);
    }
    return {};
}

}  // namespace gradation
