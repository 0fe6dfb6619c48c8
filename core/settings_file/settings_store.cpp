#include "core/settings_file/settings_store.h"

#include "core/files/atomic_file.h"
#include "core/settings_file/configuration_file.h"
#include "core/settings_file/gradient_entries.h"
#include "core/files/file_lock.h"
#include "core/settings_file/profile_reader.h"
#include "core/setting_line/setting_line_check.h"
#include "core/settings_file/setting_list.h"
#include "core/setting_line/setting_record.h"
#include "core/text/utf8.h"

#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>
#include <utility>

namespace gradation {
namespace {

bool is_blank(char16_t c) { return c == u' ' || c == u'\t'; }

// What a read of a file gave, with a missing file as nothing rather than a refusal.
Result<std::optional<std::string>> unless_missing(Result<std::string> read) {
    if (read) return std::optional(std::move(*read));
    if (read.error().code == RefusalCode::NoSuchFile) return std::nullopt;
    return Refused(std::move(read.error()));
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

Result<SettingsStore> SettingsStore::open(const std::filesystem::path& file, const std::filesystem::path& seed) {
    if (file.empty()) return refuse(RefusalCode::NoFileToWrite);
    Result<std::optional<std::string>> disk = unless_missing(read_configuration_file(file));
    if (!disk) return Refused(disk.error());
    std::string content;
    if (disk->has_value()) {
        content = **disk;
    } else if (!seed.empty()) {
        Result<std::optional<std::string>> seeded = unless_missing(read_configuration_file(seed));
        if (!seeded) return Refused(seeded.error());
        content = seeded->value_or(std::string());
    }
    Result<SettingsStore> store = from_content(file, std::move(content));
    if (!store) return store;
    store->disk_ = std::move(*disk);
    return store;
}

Result<SettingsStore> SettingsStore::from_content(const std::filesystem::path& file, std::string content) {
    if (Outcome checked = check_configuration_file(content); !checked) return Refused(checked.error());
    SettingsStore store;
    store.file_ = file;
    store.original_ = std::move(content);
    store.document_ = SettingsDocument::from_bytes(store.original_);
    store.encoding_ = entry_encoding(store.document_, store.original_);
    store.entries_ = store.document_.entries();
    store.list_ = listed_entries(store.entries_);
    return store;
}

Result<SettingsStore::ValueBytes> SettingsStore::value_bytes(std::u16string_view line,
                                                             std::u16string_view kept) const {
    if (line.find_first_of(u"\r\n") != std::u16string_view::npos) return refuse(RefusalCode::LineBreak);
    if (line.find(u'\0') != std::u16string_view::npos) return refuse(RefusalCode::LineNul);
    if (line.size() >= 2 && (line.front() == u'"' || line.front() == u'\'') && line.back() == line.front())
        return refuse(RefusalCode::LineQuoted);
    if (Outcome strict = check_line_strictly(line, kept); !strict) return Refused(strict.error());
    const Result<SettingRecord> parsed = parse_setting_line(line);
    if (!parsed) return refuse_because(RefusalCode::LineRefusedAt, {}, parsed.error());
    const std::u16string_view name = setting_name(line);
    if (!name.empty() && (is_blank(name.front()) || is_blank(name.back())))
        return refuse(RefusalCode::NameBlankEnds);
    return encoded_value(format_setting_line(name, *parsed), *parsed);
}

Result<SettingsStore::ValueBytes> SettingsStore::encoded_value(std::u16string written,
                                                               const SettingRecord& record) const {
    Result<std::string> encoded = encode_value(written, encoding_);
    if (!encoded) {
        std::vector<std::string> details = encoded.error().details;  // the character and the encoding
        details.push_back(file_.filename().string());
        return refuse(RefusalCode::CharacterUnencodableInFile, std::move(details));
    }
    std::string bytes = std::move(*encoded);
    if (reaches_cut(bytes))
        return refuse(RefusalCode::LineTooLong, {std::to_string(bytes.size()), encoding_name(encoding_),
                                                 std::to_string(kValueCut), std::to_string(kValueCut - 1)});
    if (encoding_ == ValueEncoding::Windows31J && !document_.bom && is_valid_utf8(bytes) &&
        decode_profile_value(bytes, false) != written)
        return refuse(RefusalCode::LineReadsAsUtf8, {encoding_name(encoding_)});
    if (decode_profile_value(bytes, document_.bom) != written || parse_setting_line(written) != record)
        return refuse(RefusalCode::LineNotReadBack, {encoding_name(encoding_)});
    return ValueBytes{std::move(written), std::move(bytes)};
}

Outcome SettingsStore::adopt(SettingsDocument candidate, const std::vector<std::u16string>& expected,
                             bool gap_may_close) {
    const std::vector<SettingLineRead> read = read_setting_list(candidate.bytes());
    // A new entry that fills a gap brings the entries after the gap into the list.
    const std::size_t length = gap_may_close ? expected.size() : std::max(read.size(), expected.size());
    for (std::size_t n = 0; n < length; ++n) {
        if (n < read.size() && n < expected.size() && read[n].line == expected[n]) continue;
        return refuse(RefusalCode::KeyWouldDiffer, {setting_key(static_cast<int>(n))});
    }
    document_ = std::move(candidate);
    entries_ = document_.entries();
    list_ = listed_entries(entries_);
    return {};
}

Outcome SettingsStore::in_list(int n) const {
    if (n >= 0 && static_cast<std::size_t>(n) < list_.size()) return {};
    if (list_.empty()) return refuse(RefusalCode::EntryNotInEmptyList, {std::to_string(n)});
    return refuse(RefusalCode::EntryNotInList, {std::to_string(n), std::to_string(list_.size() - 1)});
}

Outcome SettingsStore::add(std::u16string_view line, std::u16string_view kept) {
    if (list_.size() >= static_cast<std::size_t>(kMaxSettings))
        return refuse(RefusalCode::ListFull, {std::to_string(kMaxSettings)});
    const Result<ValueBytes> value = value_bytes(line, kept);
    if (!value) return Refused(value.error());

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
    const DocumentLine added{setting_key(static_cast<int>(list_.size())) + "=" + value->bytes, previous.end};
    doc.lines.insert(doc.lines.begin() + static_cast<std::ptrdiff_t>(*after + 1), added);
    set_gradient_entry(doc, static_cast<int>(list_.size()), std::nullopt);  // a leftover is not the new entry's

    std::vector<std::u16string> expected = entries();
    expected.push_back(value->written);
    return adopt(std::move(doc), expected, true);
}

Outcome SettingsStore::replace(int n, std::u16string_view line, std::u16string_view kept) {
    if (Outcome listed = in_list(n); !listed) return listed;
    const Result<ValueBytes> value = value_bytes(line, kept);
    if (!value) return Refused(value.error());
    SettingsDocument doc = document_;
    std::string& text = doc.lines[line_of(n)].text;
    text = with_value(text, value->bytes);
    std::vector<std::u16string> expected = entries();
    expected[static_cast<std::size_t>(n)] = value->written;
    return adopt(std::move(doc), expected);
}

Outcome SettingsStore::remove(int n) {
    if (Outcome listed = in_list(n); !listed) return listed;
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

Outcome SettingsStore::move(int n, int to) {
    if (Outcome listed = in_list(n); !listed) return listed;
    if (Outcome listed = in_list(to); !listed) return listed;
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
    const Result<std::optional<std::string>> now = unless_missing(read_profile_file(file_));
    // A file that exists but cannot be read counts as changed.
    if (!disk_) return !now || now->has_value();
    return !now || !now->has_value() || **now != *disk_;
}

Outcome SettingsStore::edit_locked(const std::filesystem::path& file, const std::filesystem::path& seed,
                                   const std::function<Outcome(SettingsStore&)>& edit) {
    FileLock lock;
    if (Outcome held = lock.take(file); !held) return held;
    Result<SettingsStore> store = open(file, seed);
    if (!store) return Refused(store.error());
    if (Outcome done = edit(*store); !done) return done;
    return store->write_locked(false);
}

Outcome SettingsStore::save() {
    if (!modified()) return {};  // nothing to write, so no lock and no folder to make
    FileLock lock;
    if (Outcome held = lock.take(file_); !held) return held;
    return write_locked(false);
}

Outcome SettingsStore::overwrite() {
    FileLock lock;
    if (Outcome held = lock.take(file_); !held) return held;
    return write_locked(true);
}

Outcome SettingsStore::write_locked(bool over_changes) {
    remove_stale_temporaries(file_);  // what a killed write left behind
    // Read again under the lock: what is there now is what the .bak keeps.
    Result<std::optional<std::string>> read = unless_missing(read_profile_file(file_));
    if (!read) return Refused(read.error());
    const std::optional<std::string>& now = *read;
    if (!over_changes && (now.has_value() != disk_.has_value() || (now && now != disk_)))
        return refuse(RefusalCode::ChangedOnDisk, {file_.string()});
    const std::string bytes = document_.bytes();
    if (now ? bytes == *now : !modified()) return {};  // nothing to write
    // A file made read-only is left alone, though its folder would let a rename replace
    // it; also by root, whom access() lets write anything.
    if (now && ::access(file_.c_str(), W_OK) != 0)
        return refuse_system(RefusalCode::WriteFailed, {file_.string()}, errno);
    if (struct stat st {}; now && ::stat(file_.c_str(), &st) == 0 && (st.st_mode & 0222) == 0)
        return refuse(RefusalCode::ReadOnly, {file_.string()});
    if (Outcome written = replace_file_atomically(file_, bytes, now); !written) return written;
    disk_ = bytes;
    original_ = bytes;
    return {};
}

}  // namespace gradation
