#include "core/settings_file/settings_document.h"

#include "core/settings_file/configuration_file.h"
#include "core/settings_file/profile_reader.h"
#include "core/settings_file/setting_list.h"

namespace gradation {
namespace {

// The number a two-digit key names, or nothing for any other key.
std::optional<int> two_digit_key(std::string_view key) {
    if (key.size() != 2 || key[0] < '0' || key[0] > '9' || key[1] < '0' || key[1] > '9') return std::nullopt;
    return (key[0] - '0') * 10 + (key[1] - '0');
}

}  // namespace

SettingsDocument SettingsDocument::from_bytes(std::string_view bytes) {
    SettingsDocument doc;
    doc.bom = bytes.starts_with(kUtf8Bom);
    if (doc.bom) bytes.remove_prefix(kUtf8Bom.size());
    for (const ProfileLine& line : split_profile_lines(bytes))
        doc.lines.push_back({std::string(line.text), std::string(line.end)});
    return doc;
}

std::string SettingsDocument::bytes() const {
    std::string out = bom ? std::string(kUtf8Bom) : std::string();
    for (const DocumentLine& line : lines) out += line.text + line.end;
    return out;
}

std::string SettingsDocument::line_end() const {
    for (const DocumentLine& line : lines)
        if (!line.end.empty()) return line.end;
    return "\r\n";
}

std::optional<std::size_t> SettingsDocument::section_line() const {
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const ProfileLineParts parts = classify_profile_line(lines[i].text);
        if (parts.section && profile_names_equal(parts.name, kSettingSection)) return i;
    }
    return std::nullopt;
}

std::vector<DocumentEntry> SettingsDocument::entries() const {
    std::vector<DocumentEntry> found;
    const std::optional<std::size_t> start = section_line();
    if (!start) return found;
    bool seen[kMaxSettings] = {};
    for (std::size_t i = *start + 1; i < lines.size(); ++i) {
        const ProfileLineParts parts = classify_profile_line(lines[i].text);
        if (parts.section) break;  // the first UserSetting section has ended
        const std::optional<int> key = two_digit_key(parts.name);
        if (!key) continue;
        const std::string_view raw = strip_profile_quotes(parts.value);
        DocumentEntry entry;
        entry.key = *key;
        entry.line = i;
        entry.value = decode_profile_value(buffer_text(raw), bom);
        entry.reached_cut = reaches_cut(raw);
        entry.first = !seen[*key];
        seen[*key] = true;
        found.push_back(std::move(entry));
    }
    return found;
}

std::vector<std::size_t> listed_entries(const std::vector<DocumentEntry>& entries) {
    std::vector<std::size_t> list;
    for (int n = 0; n < kMaxSettings; ++n) {
        std::optional<std::size_t> hit;
        for (std::size_t i = 0; i < entries.size() && !hit; ++i)
            if (entries[i].first && entries[i].key == n) hit = i;
        if (!hit || !continues_list(entries[*hit].value)) break;
        list.push_back(*hit);
    }
    return list;
}

std::string with_key(std::string_view text, std::string_view key) {
    const ProfileLineParts parts = classify_profile_line(text);
    const auto at = static_cast<std::size_t>(parts.name.data() - text.data());
    return std::string(text.substr(0, at)) + std::string(key) + std::string(text.substr(at + parts.name.size()));
}

std::string with_value(std::string_view text, std::string_view value) {
    const ProfileLineParts parts = classify_profile_line(text);
    const auto at = static_cast<std::size_t>(parts.value.data() - text.data());
    return std::string(text.substr(0, at)) + std::string(value);
}

}  // namespace gradation
