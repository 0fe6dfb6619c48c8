#include "platform/markup_choice.h"

#include "core/files/atomic_file.h"
#include "core/settings_file/configuration_path.h"
#include "core/files/file_lock.h"
#include "core/settings_file/profile_reader.h"
#include "core/settings_file/settings_document.h"

#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <chrono>
#include <sys/stat.h>
#include <system_error>

namespace gradation::platform {
namespace {

constexpr std::string_view kSection = "markup";
const std::string kFormatKey = "format";
const std::string kLimitKey = "limit";
constexpr std::size_t kLongestLimit = 100'000'000;
// The window waits this long at most for another program's write of the file.
constexpr std::chrono::milliseconds kLockPatience{500};

// Gives `key` of the first [markup] section `value`: its first line is rewritten, or a
// line is added after the section's last line (the section made at the end when there
// is none). Every other line keeps its bytes.
void set_value(SettingsDocument& doc, const std::string& key, std::string_view value) {
    std::optional<std::size_t> header;
    std::size_t last = 0;
    for (std::size_t i = 0; i < doc.lines.size(); ++i) {
        const ProfileLineParts parts = classify_profile_line(doc.lines[i].text);
        if (parts.section) {
            if (header) break;
            if (profile_names_equal(parts.name, kSection)) header = last = i;
        } else if (header && profile_names_equal(parts.name, key)) {
            std::string& text = doc.lines[i].text;
            text = text.find('=') == std::string::npos ? key + "=" + std::string(value) : with_value(text, value);
            return;
        } else if (header && !parts.name.empty()) {
            last = i;
        }
    }
    const std::string end = doc.lines.empty() ? "\n" : doc.line_end();
    if (!header) {
        if (!doc.lines.empty() && doc.lines.back().end.empty()) doc.lines.back().end = end;
        doc.lines.push_back({"[" + std::string(kSection) + "]", end});
        last = doc.lines.size() - 1;
    }
    if (doc.lines[last].end.empty()) doc.lines[last].end = end;
    doc.lines.insert(doc.lines.begin() + static_cast<std::ptrdiff_t>(last + 1), {key + "=" + std::string(value), end});
}

// The file's bytes, or nothing when it does not exist; refused when it is anything but a
// regular file that can be read and written: nothing is ever written into or over it.
Result<std::string> writable_content(const std::filesystem::path& file) {
    Result<std::string> bytes = read_profile_file(file);  // a link is followed
    if (!bytes && bytes.error().code == RefusalCode::NoSuchFile) return std::string();
    if (!bytes) return bytes;
    // A file made read-only is left alone, though its folder would let a rename replace
    // it; also by root, whom access() lets write anything.
    if (::access(file.c_str(), W_OK) != 0) return refuse_system(RefusalCode::WriteFailed, {file.string()}, errno);
    if (struct stat st {}; ::stat(file.c_str(), &st) == 0 && (st.st_mode & 0222) == 0)
        return refuse(RefusalCode::ReadOnly, {file.string()});
    return std::move(*bytes);
}

}  // namespace

std::filesystem::path markup_choice_file() {
    const std::filesystem::path own = user_configuration_file();
    return own.empty() ? own : own.parent_path() / "gradation.conf";
}

std::string limit_text(const std::optional<LengthLimit>& limit) {
    if (!limit) return "none";
    return std::to_string(limit->length) + (limit->unit == LengthUnit::Utf8Bytes ? "b" : "");
}

std::optional<std::optional<LengthLimit>> limit_from_text(const std::string& text) {
    if (text == "none") return std::optional<LengthLimit>();
    LengthLimit limit;
    std::string_view digits = text;
    if (digits.ends_with('b')) {
        limit.unit = LengthUnit::Utf8Bytes;
        digits.remove_suffix(1);
    }
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), limit.length);
    if (digits.empty() || error != std::errc() || end != digits.data() + digits.size()) return std::nullopt;
    if (limit.length == 0 || limit.length > kLongestLimit) return std::nullopt;
    return std::optional<LengthLimit>(limit);
}

// Read only as a regular file: a pipe, a device or a folder there reads as missing.
MarkupChoice read_markup_choice() {
    MarkupChoice choice;
    const std::filesystem::path file = markup_choice_file();
    if (file.empty()) return choice;
    const Result<std::string> bytes = read_profile_file(file);
    if (!bytes) return choice;
    const std::string keys[] = {kFormatKey, kLimitKey};
    const std::vector<ProfileValue> values = profile_values_in(*bytes, kSection, keys);
    if (const std::optional<Dialect> dialect = dialect_named(values[0].bytes)) choice.dialect = *dialect;
    if (const auto limit = limit_from_text(values[1].bytes)) choice.limit = *limit;
    return choice;
}

// Under the file's lock, and atomically: a link is written through to its target, other
// lines of the file are kept.
Outcome write_markup_choice(const MarkupChoice& choice) {
    const std::filesystem::path file = markup_choice_file();
    if (file.empty()) return refuse(RefusalCode::NoFileToWrite);
    FileLock lock;
    if (Outcome held = lock.take(file, kLockPatience); !held) return held;
    remove_stale_temporaries(file);  // what a killed write left behind
    const Result<std::string> before = writable_content(file);
    if (!before) return Refused(before.error());
    SettingsDocument doc = SettingsDocument::from_bytes(*before);
    set_value(doc, kFormatKey, dialect_info(choice.dialect).name);
    set_value(doc, kLimitKey, limit_text(choice.limit));
    const std::string after = doc.bytes();
    if (after == *before) return {};
    return replace_file_atomically(file, after, std::nullopt);
}

}  // namespace gradation::platform
