// Replacing a file so that it is always either the old or the new content, never a mix.
#pragma once

#include "core/base/refusal.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace gradation {

// The file a write of `file` changes: `file` itself, or the file its chain of symbolic
// links ends at, which need not exist yet. Refused when a link cannot be followed.
Result<std::filesystem::path> write_target(const std::filesystem::path& file);

// Removes the temporary files that writes of `file` (of its write_target and its .bak)
// were killed before removing: regular files named as those writes name them, nothing
// else. Only for a caller that holds the file's lock, which every such write holds, so
// that none of them can belong to a write still running.
void remove_stale_temporaries(const std::filesystem::path& file);

// Writes `bytes` to a temporary file in the folder of `file`'s write_target, flushes and
// syncs it, gives it the old file's owner, group and permission bits (a new file: 0666
// less the umask), and renames it over that target: a link stays a link. When
// `previous` is given it is kept, the same way, as "<target>.bak" once the new content
// is safely in its temporary file and before that file is renamed. Refused when the
// target has more than one hard link (a rename would split them) or when its owner
// cannot be kept. Done, or why not; on failure every
// temporary file is removed and the file is as it was.
Outcome replace_file_atomically(const std::filesystem::path& file, std::string_view bytes,
                                const std::optional<std::string>& previous);

}  // namespace gradation
