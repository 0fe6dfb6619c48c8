// Reading one value from an INI file, with the results of the ANSI profile API
// (GetPrivateProfileStringA): bytes in, bytes out.
#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace gradation {

// The value of `key` in `section` of the INI text `file_bytes`, or `default_value`
// when the section or key is missing; cut to its first buffer_size - 1 bytes and then
// at its first NUL byte, as a caller's buffer would hold it.
// Names match ASCII-case-insensitively; blanks and tabs around names and values are
// trimmed; one pair of matching surrounding quotes (" or ') is stripped from a value;
// the first matching section and the first matching key in it win; CR LF or LF line
// ends; a leading UTF-8 byte order mark is ignored. A line whose first non-blank
// character is "[" and that holds a "]" heads a section named by the text between
// them; any other line is a key line, its key the text before its first "=" (the
// whole line when it has none, with an empty value). An empty section or key name
// is never found.
std::string profile_string_in(std::string_view file_bytes, std::string_view section, std::string_view key,
                              std::string_view default_value = "", std::size_t buffer_size = 1024);

// Several keys of one section in a single pass over the text: element i is what
// profile_string_in would give for keys[i].
std::vector<std::string> profile_strings_in(std::string_view file_bytes, std::string_view section,
                                            std::span<const std::string> keys,
                                            std::string_view default_value = "", std::size_t buffer_size = 1024);

// The whole content of a regular file (links followed); nothing for a missing file,
// a directory, a device or pipe, or a file that cannot be read.
std::optional<std::string> read_profile_file(const std::filesystem::path& file);

// profile_string_in on a file on disk; a file that read_profile_file cannot read
// gives the default.
std::string profile_string(const std::filesystem::path& file, std::string_view section, std::string_view key,
                           std::string_view default_value = "", std::size_t buffer_size = 1024);

}  // namespace gradation
