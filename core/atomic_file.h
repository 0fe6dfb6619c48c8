// Replacing a file so that it is always either the old or the new content, never a mix.
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace gradation {

// The steps of replace_file_atomically, in order, at which a test can make it fail.
enum class WriteStep { CreateTemporary, WriteFirstHalf, WriteSecondHalf, Sync, KeepBackup, Rename };

// For tests: called before each step; returning true makes that step fail as an I/O
// error would. Empty (the default) lets every step run.
void set_write_fault_for_testing(std::function<bool(WriteStep)> fault);

// Writes `bytes` to a temporary file in `file`'s folder, flushes and syncs it, gives it
// `file`'s permission bits (a new file: 0666 less the umask), and renames it over
// `file`. When `previous` is given it is kept, the same way, as "<file>.bak" once the
// new content is safely in its temporary file and before that file is renamed.
// A link is followed: its target is replaced, the link stays. Returns the empty text
// when done, or why not; on failure every temporary file is removed and `file` is as
// it was.
std::string replace_file_atomically(const std::filesystem::path& file, std::string_view bytes,
                                    const std::optional<std::string>& previous);

}  // namespace gradation
