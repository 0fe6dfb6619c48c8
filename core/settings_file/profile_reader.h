// Reading one value from an INI file, with the results of the ANSI profile API
// (GetPrivateProfileStringA): bytes in, bytes out.
#pragma once

#include "core/base/refusal.h"

#include <cstddef>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace gradation {

// The buffer the programs read a value into. A value of kValueCut (1,023) bytes or more
// reaches its cut: the reader cannot tell it from a longer one.
inline constexpr std::size_t kValueBuffer = 1024;
inline constexpr std::size_t kValueCut = kValueBuffer - 1;

// What a buffer of `buffer_size` bytes holds of `value`: its first buffer_size - 1
// bytes, read up to a NUL.
std::string buffer_text(std::string_view value, std::size_t buffer_size = kValueBuffer);
inline bool reaches_cut(std::string_view value, std::size_t buffer_size = kValueBuffer) {
    return buffer_size > 0 && value.size() >= buffer_size - 1;
}

// A value as the reader finds it: its bytes as a buffer of buffer_size holds them, and
// whether the value reached the buffer's cut (buffer_size - 1 bytes or more: the reader
// cannot tell such a value from a longer one). `found` is false for a missing key.
struct ProfileValue {
    std::string bytes;
    bool found = false;
    bool reached_cut = false;
    bool ended_at_nul = false;  // a NUL byte ended the value before the cut
};

// The values of `keys` in `section` of the INI text `file_bytes`, in a single pass over
// the text: each cut to its first buffer_size - 1 bytes and then at its first NUL byte, as
// a caller's buffer would hold it; a missing section or key is not found.
// Names match ASCII-case-insensitively; blanks and tabs around names and values are
// trimmed; one pair of matching surrounding quotes (" or ') is stripped from a value;
// the first matching section and the first matching key in it win; CR LF, LF or CR
// alone end a line; a leading UTF-8 byte order mark is ignored. A line whose first non-blank
// character is "[" and that holds a "]" heads a section named by the text between
// them; any other line is a key line, its key the text before its first "=" (the
// whole line when it has none, with an empty value). An empty section or key name
// is never found.
std::vector<ProfileValue> profile_values_in(std::string_view file_bytes, std::string_view section,
                                            std::span<const std::string> keys, std::size_t buffer_size = kValueBuffer);

// One physical line of an INI text: its bytes without the line end, and the line end
// ("\r\n", "\n", "\r", or empty for a last line without one).
struct ProfileLine {
    std::string_view text;
    std::string_view end;
};

// The lines of an INI text (byte order mark already removed), as the reader splits them.
// Joining text and end of every line gives `bytes` back exactly.
std::vector<ProfileLine> split_profile_lines(std::string_view bytes);

// What one line is to the reader: a section header (name: the text between "[" and the
// first "]", trimmed) or a key line (name: the text before the first "=", trimmed; value:
// the trimmed text after it, quotes kept). Both views point into `text`.
struct ProfileLineParts {
    bool section = false;
    std::string_view name;
    std::string_view value;
};
ProfileLineParts classify_profile_line(std::string_view text);

// Section and key names compare so.
bool profile_names_equal(std::string_view a, std::string_view b);

// A value with one pair of matching surrounding quotes (" or ') stripped, as read.
std::string_view strip_profile_quotes(std::string_view value);

inline constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

// The whole content of a file, links followed, or why not: refused for a missing file, a
// directory, anything else that is not a regular file (a device or a pipe is never waited
// on) and a file that cannot be read (with the system's reason). Every refusal names the
// file as its first detail.
Result<std::string> read_profile_file(const std::filesystem::path& file);

}  // namespace gradation
