// A configuration file held as its lines, byte for byte, with the UserSetting entries
// found as the reader finds them: what the settings store edits.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace gradation {

struct DocumentLine {
    std::string text;  // without the line end
    std::string end;   // "\r\n", "\n", "\r", or empty for a last line without one
};

// A line of the first UserSetting section whose key is two digits.
struct DocumentEntry {
    int key = 0;
    std::size_t line = 0;      // index into lines
    std::u16string value;      // decoded as the reader decodes it
    bool reached_cut = false;  // the value reached the reader's 1,023-byte cut
    bool first = true;         // the first line with this key (the one the reader reads)
};

struct SettingsDocument {
    bool bom = false;  // the file begins with a UTF-8 byte order mark
    std::vector<DocumentLine> lines;

    static SettingsDocument from_bytes(std::string_view bytes);
    std::string bytes() const;

    // The line end the file uses (its first), or CR LF for a file without one.
    std::string line_end() const;

    // The first [UserSetting] header line, if any.
    std::optional<std::size_t> section_line() const;

    // Every two-digit key line of the first UserSetting section, in file order.
    std::vector<DocumentEntry> entries() const;
};

// The setting list as the programs see it: the first-found entry of keys 00, 01, ... up
// to the first missing key or value without a comma. Indexes into `entries`.
std::vector<std::size_t> listed_entries(const std::vector<DocumentEntry>& entries);

// The line `text` with its key (the trimmed text before "=") replaced by `key`.
std::string with_key(std::string_view text, std::string_view key);

// The line `text` with everything from its value on replaced by `value`.
std::string with_value(std::string_view text, std::string_view value);

}  // namespace gradation
