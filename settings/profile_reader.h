// Reading one value from an INI file, with the results of the ANSI profile API
// (GetPrivateProfileStringA): bytes in, bytes out.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

namespace gradation {

// The value of `key` in `section` of the INI text `file_bytes`, or `default_value`
// when the section or key is missing; cut to its first buffer_size - 1 bytes.
// Names match ASCII-case-insensitively; blanks and tabs around names and values are
// trimmed; one pair of matching surrounding quotes (" or ') is stripped from a value;
// the first matching section and the first matching key in it win; CR LF or LF line
// ends; a leading UTF-8 byte order mark is ignored.
std::string profile_string_in(std::string_view file_bytes, std::string_view section, std::string_view key,
                              std::string_view default_value = "", std::size_t buffer_size = 1024);

// The same for a file on disk; a missing or unreadable file (or a directory) gives
// the default.
std::string profile_string(const std::filesystem::path& file, std::string_view section, std::string_view key,
                           std::string_view default_value = "", std::size_t buffer_size = 1024);

}  // namespace gradation
