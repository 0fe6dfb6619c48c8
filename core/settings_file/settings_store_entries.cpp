// What the settings store lists: the setting list's lines, and every entry line of the
// section with why the main window does or does not show or apply it.
#include "core/settings_file/settings_store.h"

#include "core/settings_file/profile_reader.h"
#include "core/settings_file/setting_list.h"
#include "core/setting_line/setting_record.h"

namespace gradation {

std::vector<std::u16string> SettingsStore::entries() const {
    std::vector<std::u16string> lines;
    for (const std::size_t i : list_) lines.push_back(entries_[i].value);
    return lines;
}

std::vector<StoredEntry> SettingsStore::all_entries() const {
    const auto stored = [&](const DocumentEntry& e) {
        StoredEntry entry{e.key, e.value, false, {}, {}, static_cast<int>(e.line) + 1};
        if (e.reached_cut) {
            entry.refused = make_refusal(RefusalCode::ValueCut, {std::to_string(kValueCut)});
        } else if (const Result<SettingRecord> parsed = parse_setting_line(e.value); !parsed) {
            entry.refused = parsed.error();
        }
        return entry;
    };
    std::vector<StoredEntry> all;
    std::vector<bool> listed(entries_.size(), false);
    for (const std::size_t i : list_) {
        all.push_back(stored(entries_[i]));
        all.back().listed = true;
        listed[i] = true;
    }
    const int length = static_cast<int>(list_.size());
    const std::string end_key = setting_key(length);
    bool end_present = false;
    for (const DocumentEntry& e : entries_) end_present = end_present || (e.first && e.key == length);
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        if (listed[i]) continue;
        StoredEntry entry = stored(entries_[i]);
        if (!entries_[i].first) {
            entry.unlisted = make_refusal(RefusalCode::DuplicateKey, {setting_key(entry.key)});
        } else if (entry.key == length) {
            entry.unlisted = make_refusal(RefusalCode::EndsList);
        } else {
            entry.unlisted = make_refusal(end_present ? RefusalCode::AfterListEnd : RefusalCode::AfterKeyGap, {end_key});
        }
        all.push_back(std::move(entry));
    }
    return all;
}

}  // namespace gradation
