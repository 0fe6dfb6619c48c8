#include "core/settings_store.h"

#include "core/atomic_file.h"
#include "core/configuration_file.h"
#include "core/gradient_entries.h"
#include "core/file_lock.h"
#include "core/profile_reader.h"
#include "core/setting_line_check.h"
#include "core/setting_list.h"
#include "core/setting_record.h"
#include "core/utf8.h"

#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>
#include <utility>

namespace gradation {
namespace {

// A value of this many bytes or more reaches the reader's cut and is never applied.
constexpr std::size_t kValueLimit = 1023;

bool is_blank(char16_t c) { return c == u' ' || c == u'\t'; }

// The file's bytes; nothing when it does not exist; an error for anything else.
std::optional<std::string> read_existing(const std::filesystem::path& file, bool& exists, std::string& error) {
    std::error_code ec;
    const auto status = std::filesystem::status(file, ec);
    exists = status.type() != std::filesystem::file_type::not_found;
    if (!exists) return std::nullopt;
    if (ec) {
        error = "cannot read " + file.string() + ": " + ec.message();
    } else if (!std::filesystem::is_regular_file(status)) {
        error = file.string() + " is not a regular file";
    } else if (std::optional<std::string> bytes = read_profile_file(file)) {
        return bytes;
    } else {
        error = "cannot read " + file.string();
    }
    return std::nullopt;
}

// The encoding the entry lines are read in: UTF-8 after a byte order mark; otherwise the
// one most non-ASCII entry values are read in; with none, that of the whole file.
ValueEncoding entry_encoding(const SettingsDocument& doc, std::string_view bytes) {
    if (doc.bom) return ValueEncoding::Utf8;
    int utf8 = 0;
    int windows = 0;
    for (const DocumentEntry& entry : doc.entries()) {
        const std::string_view value = classify_profile_line(doc.lines[entry.line].text).value;
        bool ascii = true;
        for (const char c : value) ascii = ascii && static_cast<unsigned char>(c) < 0x80;
        if (ascii) continue;
        // The reader's own rule decides: a value that reads as UTF-8 is UTF-8.
        (utf8_to_utf16(value) ? utf8 : windows) += 1;
    }
    if (utf8 + windows == 0) return is_valid_utf8(bytes) ? ValueEncoding::Utf8 : ValueEncoding::Windows31J;
    return windows > utf8 ? ValueEncoding::Windows31J : ValueEncoding::Utf8;
}

}  // namespace

std::optional<SettingsStore> SettingsStore::open(const std::filesystem::path& file, const std::filesystem::path& seed,
                                                 std::string& error) {
    if (file.empty()) {
        error = "no configuration file to write (set XDG_CONFIG_HOME or HOME)";
        return std::nullopt;
    }
    bool exists = false;
    error.clear();
    std::optional<std::string> disk = read_existing(file, exists, error);
    if (!error.empty()) return std::nullopt;
    std::string content;
    if (exists) {
        content = *disk;
    } else if (!seed.empty()) {
        bool seed_exists = false;
        content = read_existing(seed, seed_exists, error).value_or(std::string());
        if (!error.empty()) return std::nullopt;
    }
    std::optional<SettingsStore> store = from_content(file, std::move(content), error);
    if (!store) {
        error = "cannot read " + (exists ? file : seed).string() + ": " + error;
        return std::nullopt;
    }
    store->disk_ = std::move(disk);
    return store;
}

std::optional<SettingsStore> SettingsStore::from_content(const std::filesystem::path& file, std::string content,
                                                         std::string& error) {
    if (std::string why = configuration_file_refusal(content); !why.empty()) {
        error = std::move(why);
        return std::nullopt;
    }
    SettingsStore store;
    store.file_ = file;
    store.original_ = std::move(content);
    store.document_ = SettingsDocument::from_bytes(store.original_);
    store.encoding_ = entry_encoding(store.document_, store.original_);
    store.entries_ = store.document_.entries();
    store.list_ = listed_entries(store.entries_);
    return store;
}

std::optional<std::string> SettingsStore::value_bytes(std::u16string_view line, std::u16string_view kept,
                                                      std::u16string& written, std::string& why) const {
    if (line.find_first_of(u"\r\n") != std::u16string_view::npos) {
        why = "the line holds a line break";
    } else if (line.find(u'\0') != std::u16string_view::npos) {
        why = "the line holds a NUL character, where the reader would end it";
    } else if (line.size() >= 2 && (line.front() == u'"' || line.front() == u'\'') && line.back() == line.front()) {
        why = "the line is wrapped in quotes, which the reader would strip";
    } else if (const auto strict = strict_line_refusal(line, kept)) {
        why = describe(*strict);
    } else if (const SettingParse parsed = parse_setting_line(line); !parsed) {
        why = "the line is refused at " + describe(parsed.refusal);
    } else if (const std::u16string_view name = setting_name(line);
               !name.empty() && (is_blank(name.front()) || is_blank(name.back()))) {
        why = "the name begins or ends with a blank or tab";
    } else {
        written = format_setting_line(name, *parsed.record);
        auto encoded = encode_value(written, encoding_);
        if (encoded.index() == 1) {
            why = std::get<1>(encoded) + ", the encoding of " + file_.filename().string() + "'s entries";
            return std::nullopt;
        }
        std::string bytes = std::get<0>(std::move(encoded));
        if (bytes.size() >= kValueLimit) {
            why = "the line is " + std::to_string(bytes.size()) + " bytes in " + encoding_name(encoding_) +
                  "; the reader cuts a value at 1023 bytes, so at most " + std::to_string(kValueLimit - 1) + " fit";
        } else if (encoding_ == ValueEncoding::Windows31J && !document_.bom && is_valid_utf8(bytes) &&
                   decode_profile_value(bytes, false) != written) {
            why = "in " + encoding_name(encoding_) + " the line's bytes also form UTF-8 and would read back as "
                  "other text; change the name";
        } else if (decode_profile_value(bytes, document_.bom) != written ||
                   parse_setting_line(written).record != parsed.record) {
            why = "the line would not read back as written in " + encoding_name(encoding_);
        } else {
            return bytes;
        }
    }
    return std::nullopt;
}

std::string SettingsStore::adopt(SettingsDocument candidate, const std::vector<std::u16string>& expected,
                                 bool gap_may_close) {
    const std::vector<SettingLineRead> read = read_setting_list(candidate.bytes());
    // A new entry that fills a gap brings the entries after the gap into the list.
    const std::size_t length = gap_may_close ? expected.size() : std::max(read.size(), expected.size());
    for (std::size_t n = 0; n < length; ++n) {
        if (n < read.size() && n < expected.size() && read[n].line == expected[n]) continue;
        return "after this change key " + setting_key(static_cast<int>(n)) +
               " would read differently: another line of the file with that key comes first or "
               "follows the list; fix that line first";
    }
    document_ = std::move(candidate);
    entries_ = document_.entries();
    list_ = listed_entries(entries_);
    return {};
}

std::string SettingsStore::out_of_list(int n) const {
    if (n >= 0 && static_cast<std::size_t>(n) < list_.size()) return {};
    return "entry " + std::to_string(n) + " is not in the list (" +
           (list_.empty() ? std::string("it is empty") : "it has entries 0 to " + std::to_string(list_.size() - 1)) +
           ")";
}

std::string SettingsStore::add(std::u16string_view line, std::u16string_view kept) {
    if (list_.size() >= static_cast<std::size_t>(kMaxSettings))
        return "the list already has " + std::to_string(kMaxSettings) + " entries, keys 00 to 99";
    std::u16string written;
    std::string why;
    const std::optional<std::string> bytes = value_bytes(line, kept, written, why);
    if (!bytes) return why;

    SettingsDocument doc = document_;
    const std::string default_end = doc.line_end();
    // After the list's last entry line; in an empty list right after the section's
    // header; with no section, a new one at the end of the file.
    std::optional<std::size_t> after = list_.empty() ? doc.section_line() : std::optional(line_of(int(list_.size()) - 1));
    if (!after) {
        if (!doc.lines.empty() && doc.lines.back().end.empty()) doc.lines.back().end = default_end;
        doc.lines.push_back({"[" + std::string(kSettingSection) + "]", default_end});
        after = doc.lines.size() - 1;
    }
    DocumentLine& previous = doc.lines[*after];
    if (previous.end.empty()) previous.end = default_end;
    const DocumentLine added{setting_key(static_cast<int>(list_.size())) + "=" + *bytes, previous.end};
    doc.lines.insert(doc.lines.begin() + static_cast<std::ptrdiff_t>(*after + 1), added);
    set_gradient_entry(doc, static_cast<int>(list_.size()), std::nullopt);  // a leftover is not the new entry's

    std::vector<std::u16string> expected = entries();
    expected.push_back(written);
    return adopt(std::move(doc), expected, true);
}

std::string SettingsStore::replace(int n, std::u16string_view line, std::u16string_view kept) {
    if (std::string why = out_of_list(n); !why.empty()) return why;
    std::u16string written;
    std::string why;
    const std::optional<std::string> bytes = value_bytes(line, kept, written, why);
    if (!bytes) return why;
    SettingsDocument doc = document_;
    std::string& text = doc.lines[line_of(n)].text;
    text = with_value(text, *bytes);
    std::vector<std::u16string> expected = entries();
    expected[static_cast<std::size_t>(n)] = written;
    return adopt(std::move(doc), expected);
}

std::string SettingsStore::remove(int n) {
    if (std::string why = out_of_list(n); !why.empty()) return why;
    SettingsDocument doc = document_;
    for (int m = n + 1; m < static_cast<int>(list_.size()); ++m) {
        std::string& text = doc.lines[line_of(m)].text;
        text = with_key(text, setting_key(m - 1));
    }
    doc.lines.erase(doc.lines.begin() + static_cast<std::ptrdiff_t>(line_of(n)));
    const int length = static_cast<int>(list_.size());
    renumber_gradient_entries(doc, [n, length](int key) -> std::optional<int> {
        if (key == n) return std::nullopt;
        return key > n && key < length ? key - 1 : key;
    });
    std::vector<std::u16string> expected = entries();
    expected.erase(expected.begin() + n);
    return adopt(std::move(doc), expected);
}

std::string SettingsStore::move(int n, int to) {
    if (std::string why = out_of_list(n); !why.empty()) return why;
    if (std::string why = out_of_list(to); !why.empty()) return why;
    if (n == to) return {};
    SettingsDocument doc = document_;
    const std::string from_text = doc.lines[line_of(n)].text;
    const std::string to_text = doc.lines[line_of(to)].text;
    doc.lines[line_of(n)].text = with_key(to_text, setting_key(n));
    doc.lines[line_of(to)].text = with_key(from_text, setting_key(to));
    renumber_gradient_entries(doc, [n, to](int key) { return key == n ? to : key == to ? n : key; });
    std::vector<std::u16string> expected = entries();
    std::swap(expected[static_cast<std::size_t>(n)], expected[static_cast<std::size_t>(to)]);
    return adopt(std::move(doc), expected);
}

bool SettingsStore::modified() const { return document_.bytes() != original_; }

bool SettingsStore::changed_on_disk() const {
    bool exists = false;
    std::string error;
    const std::optional<std::string> now = read_existing(file_, exists, error);
    if (!disk_) return exists;
    return !now || *now != *disk_;
}

std::string SettingsStore::edit_locked(const std::filesystem::path& file, const std::filesystem::path& seed,
                                       const std::function<std::string(SettingsStore&)>& edit) {
    FileLock lock;
    if (std::string why = lock.take(file); !why.empty()) return why;
    std::string error;
    std::optional<SettingsStore> store = open(file, seed, error);
    if (!store) return error;
    if (std::string why = edit(*store); !why.empty()) return why;
    return store->write_locked(false);
}

std::string SettingsStore::save() {
    if (!modified()) return {};  // nothing to write, so no lock and no folder to make
    FileLock lock;
    if (std::string why = lock.take(file_); !why.empty()) return why;
    return write_locked(false);
}

std::string SettingsStore::overwrite() {
    FileLock lock;
    if (std::string why = lock.take(file_); !why.empty()) return why;
    return write_locked(true);
}

std::string SettingsStore::write_locked(bool over_changes) {
    // Read again under the lock: what is there now is what the .bak keeps.
    bool exists = false;
    std::string error;
    std::optional<std::string> now = read_existing(file_, exists, error);
    if (!error.empty()) return error;
    if (!over_changes && (exists != disk_.has_value() || (now && now != disk_)))
        return file_.string() + " changed on disk since it was read; reload it before saving";
    const std::string bytes = document_.bytes();
    if (now ? bytes == *now : !modified()) return {};  // nothing to write
    // A file made read-only is left alone, though its folder would let a rename replace
    // it; also by root, whom access() lets write anything.
    if (now && ::access(file_.c_str(), W_OK) != 0) return "cannot write " + file_.string() + ": " + std::strerror(errno);
    if (struct stat st {}; now && ::stat(file_.c_str(), &st) == 0 && (st.st_mode & 0222) == 0)
        return "cannot write " + file_.string() + ": it is read-only";
    if (std::string why = replace_file_atomically(file_, bytes, now); !why.empty()) return why;
    disk_ = bytes;
    original_ = bytes;
    return {};
}

}  // namespace gradation
