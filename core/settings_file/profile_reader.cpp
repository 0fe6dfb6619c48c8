#include "core/settings_file/profile_reader.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <new>
#include <stdexcept>
#include <system_error>
#include <unordered_map>

namespace gradation {
namespace {

bool is_blank(char c) { return c == ' ' || c == '\t'; }

std::string_view trim(std::string_view s) {
    while (!s.empty() && is_blank(s.front())) s.remove_prefix(1);
    while (!s.empty() && is_blank(s.back())) s.remove_suffix(1);
    return s;
}

char ascii_lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

void assign_lowered(std::string& out, std::string_view s) {
    out.resize(s.size());
    std::transform(s.begin(), s.end(), out.begin(), ascii_lower);
}

// The next line of `file` from `pos`; `pos` moves past its line end.
ProfileLine next_line(std::string_view file, std::size_t& pos) {
    const std::size_t stop = file.find_first_of("\r\n", pos);
    const std::size_t end = stop == std::string_view::npos ? file.size() : stop;
    std::size_t after = end;
    if (end < file.size()) after += file[end] == '\r' && end + 1 < file.size() && file[end + 1] == '\n' ? 2 : 1;
    const ProfileLine line{file.substr(pos, end - pos), file.substr(end, after - end)};
    pos = after;
    return line;
}

// Calls on_key(key, value) for every key line of the first section named `section`,
// in file order, while it returns true. Key and value come trimmed, quotes kept.
template <class OnKey>
void scan_first_section(std::string_view file, std::string_view section, OnKey on_key) {
    if (file.starts_with(kUtf8Bom)) file.remove_prefix(kUtf8Bom.size());
    bool inside = false;
    std::size_t pos = 0;
    while (pos < file.size()) {
        const ProfileLineParts parts = classify_profile_line(next_line(file, pos).text);
        if (parts.section) {
            if (inside) return;  // the first matching section has ended
            inside = profile_names_equal(parts.name, section);
            continue;
        }
        if (inside && !on_key(parts.name, parts.value)) return;
    }
}

}  // namespace

std::string buffer_text(std::string_view value, std::size_t buffer_size) {
    if (buffer_size == 0) return {};
    value = value.substr(0, std::min(value.size(), buffer_size - 1));
    return std::string(value.substr(0, value.find('\0')));
}

std::vector<ProfileLine> split_profile_lines(std::string_view bytes) {
    std::vector<ProfileLine> lines;
    std::size_t pos = 0;
    while (pos < bytes.size()) lines.push_back(next_line(bytes, pos));
    return lines;
}

ProfileLineParts classify_profile_line(std::string_view text) {
    const std::string_view line = trim(text);
    if (line.starts_with('[')) {
        if (const std::size_t close = line.find(']'); close != std::string_view::npos)
            return {true, trim(line.substr(1, close - 1)), {}};
    }
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) return {false, line, line.substr(line.size())};
    return {false, trim(line.substr(0, equals)), trim(line.substr(equals + 1))};
}

bool profile_names_equal(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return ascii_lower(x) == ascii_lower(y);
           });
}

std::string_view strip_profile_quotes(std::string_view v) {
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front()) {
        return v.substr(1, v.size() - 2);
    }
    return v;
}

std::vector<ProfileValue> profile_values_in(std::string_view file_bytes, std::string_view section,
                                            std::span<const std::string> keys, std::size_t buffer_size) {
    std::vector<ProfileValue> result(keys.size());
    if (section.empty()) return result;

    // Each wanted key, lowered, with the first value found for it.
    std::unordered_map<std::string, std::optional<std::string_view>> wanted;
    std::size_t longest = 0;
    std::string probe;
    for (const std::string& key : keys) {
        if (key.empty()) continue;
        assign_lowered(probe, key);
        wanted.emplace(probe, std::nullopt);
        longest = std::max(longest, key.size());
    }
    std::size_t missing = wanted.size();
    if (missing == 0) return result;

    scan_first_section(file_bytes, section, [&](std::string_view key, std::string_view value) {
        if (key.empty() || key.size() > longest) return true;
        assign_lowered(probe, key);
        const auto it = wanted.find(probe);
        if (it != wanted.end() && !it->second) {
            it->second = strip_profile_quotes(value);
            if (--missing == 0) return false;
        }
        return true;
    });

    for (std::size_t i = 0; i < keys.size(); ++i) {
        if (keys[i].empty()) continue;
        assign_lowered(probe, keys[i]);
        if (const auto& found = wanted.at(probe)) {
            result[i].bytes = buffer_text(*found, buffer_size);
            result[i].found = true;
            result[i].reached_cut = reaches_cut(*found, buffer_size);
            result[i].ended_at_nul = found->substr(0, result[i].bytes.size() + 1).find('\0') != std::string_view::npos;
        }
    }
    return result;
}

namespace {

// Closes a file descriptor when the reader is done with it.
struct FileCloser {
    int fd;
    ~FileCloser() { ::close(fd); }
};

}  // namespace

Result<std::string> read_profile_file(const std::filesystem::path& file) {
    const auto refused = [&file](RefusalCode code, int error = 0) {
        return error != 0 ? refuse_system(code, {file.string()}, error) : refuse(code, {file.string()});
    };
    // Opened without waiting, then checked on the open file: a pipe or device put there,
    // even between a look and the open, never blocks the reader.
    const int fd = ::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (const int error = errno; fd < 0)
        return error == ENOENT || error == ENOTDIR ? refused(RefusalCode::NoSuchFile)
                                                   : refused(RefusalCode::FileUnreadableBecause, error);
    const FileCloser closer{fd};
    struct stat st {};
    if (::fstat(fd, &st) != 0) return refused(RefusalCode::FileUnreadableBecause, errno);
    if (S_ISDIR(st.st_mode)) return refused(RefusalCode::IsDirectory);
    if (!S_ISREG(st.st_mode)) return refused(RefusalCode::NotRegularFile);
    try {
        std::string bytes;
        bytes.reserve(static_cast<std::size_t>(st.st_size));
        std::array<char, 64 * 1024> chunk;
        for (;;) {
            const ssize_t got = ::read(fd, chunk.data(), chunk.size());
            if (got == 0) return bytes;
            if (got > 0) bytes.append(chunk.data(), static_cast<std::size_t>(got));
            else if (errno != EINTR) return refused(RefusalCode::FileUnreadableBecause, errno);
        }
    } catch (const std::bad_alloc&) {  // larger than memory allows
        return refused(RefusalCode::FileUnreadableBecause, ENOMEM);
    } catch (const std::length_error&) {
        return refused(RefusalCode::FileUnreadableBecause, ENOMEM);
    }
}

}  // namespace gradation
