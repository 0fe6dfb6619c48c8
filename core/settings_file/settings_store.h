// Editing the setting entries of a configuration file and writing them back safely: the
// one facility behind the settings editor and gradation-cli --add/--replace/--remove.
#pragma once

#include "core/colour/gradient.h"
#include "core/base/refusal.h"
#include "core/setting_line/setting_record.h"
#include "core/setting_line/setting_value_encoding.h"
#include "core/settings_file/settings_document.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace gradation {

// One line of the UserSetting section that holds a setting-like key (00..99), as the
// editor lists it.
struct StoredEntry {
    int key = 0;               // the number its key names
    std::u16string line;       // the value, decoded
    bool listed = false;       // part of the setting list the main window shows
    std::optional<Refusal> unlisted;  // why the list does not show it; none when listed
    std::optional<Refusal> refused;  // why the line cannot be applied (e.g. position 9:
                                     // "not a number"), listed or not; nothing when it can
    int line_number = 0;       // 1-based line of the file
};

// A configuration file read into memory; edits change the memory only; save() writes.
class SettingsStore {
public:
    // Reads `file` (which may not exist yet: then `seed`, the file the programs read until
    // then, is the content, and the first save creates `file`, its folder included, as a byte
    // copy of `seed` with the edits; with no seed either, an empty file). Refused for a
    // UTF-16 file, an unreadable one...
    static Result<SettingsStore> open(const std::filesystem::path& file, const std::filesystem::path& seed);

    // A store on `content` as if read from `file` (which then counts as absent from disk):
    // the page's settings, kept in the browser, are edited through it (it never saves),
    // and tests and fuzzing use it. Refused like open() for a UTF-16 content.
    static Result<SettingsStore> from_content(const std::filesystem::path& file, std::string content);

    const std::filesystem::path& file() const { return file_; }
    std::string content() const { return document_.bytes(); }  // what save() writes
    std::vector<std::u16string> entries() const;   // the setting list's lines, key n at [n]
    std::vector<StoredEntry> all_entries() const;  // listed ones first, then the others

    // The encoding new and changed lines are written in: the one the file's entry lines
    // are read in.
    ValueEncoding encoding() const { return encoding_; }

    // Opens `file` (with `seed`, as open() does) under the file's lock, applies `edit` to
    // what it finds and saves, the lock held throughout: an edit that waited for another
    // applies itself to that one's result. Done when written (or nothing needed writing),
    // else the refusal from the lock, open(), `edit` or the write; then nothing is written.
    static Outcome edit_locked(const std::filesystem::path& file, const std::filesystem::path& seed,
                               const std::function<Outcome(SettingsStore&)>& edit);

    // Each is done, or refused with a one-line reason (then memory is unchanged). A new or
    // changed line is written in the shipped file's form (format_setting_line), and is
    // checked strictly (check_line_strictly) except for the fields it shares with `kept`.
    Outcome add(std::u16string_view line, std::u16string_view kept = {});  // next key, after the last entry
    Outcome replace(int n, std::u16string_view line, std::u16string_view kept = {});  // in place, same key
    Outcome remove(int n);                             // later keys each minus one, in place
    Outcome move(int n, int to);                       // entries n and `to` swap lines
    // Stores entry n's stops and space in the Gradient section, its line's start and end
    // colours made the end stops; nothing (or two stops in srgb) removes the entry; a
    // colour the stored form cannot hold (outside 0..255) is refused. Add,
    // remove and move take an entry's Gradient line along with it.
    Outcome set_gradient(int n, const std::optional<Gradient>& gradient);

    // Writes atomically under the file's lock, the content just before this write kept
    // as <file>.bak (none when the file did not exist: there was no previous content).
    // Refused (nothing written) when the file cannot be written or changed on disk since
    // open(); overwrite() writes over such a change, which then stays in the .bak.
    Outcome save();
    Outcome overwrite();
    bool changed_on_disk() const;
    bool modified() const;  // memory differs from the file as read

private:
    SettingsStore() = default;

    // A line as it is written: its text in the file's form, and that text's bytes.
    struct ValueBytes {
        std::u16string written;
        std::string bytes;
    };
    // `line` in the file's form and encoding, or a refusal.
    Result<ValueBytes> value_bytes(std::u16string_view line, std::u16string_view kept) const;
    // The bytes of `written`, refused unless they read back as `record`.
    Result<ValueBytes> encoded_value(std::u16string written, const SettingRecord& record) const;
    // The write of save() and overwrite(); the caller holds the lock.
    Outcome write_locked(bool over_changes);
    // Makes `candidate` the content when the reader lists exactly `expected` from it
    // (or more after it, when `gap_may_close`).
    Outcome adopt(SettingsDocument candidate, const std::vector<std::u16string>& expected, bool gap_may_close = false);
    Outcome in_list(int n) const;
    std::size_t line_of(int n) const { return entries_[list_[static_cast<std::size_t>(n)]].line; }

    std::filesystem::path file_;
    std::optional<std::string> disk_;  // the file's bytes when read; nothing when it did not exist
    std::string original_;             // the content read (the file's, or the seed's)
    SettingsDocument document_;
    ValueEncoding encoding_ = ValueEncoding::Utf8;
    std::vector<DocumentEntry> entries_;
    std::vector<std::size_t> list_;  // indexes into entries_
};

}  // namespace gradation
