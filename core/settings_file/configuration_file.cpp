#include "core/settings_file/configuration_file.h"

#include "core/settings_file/profile_reader.h"
#include "core/settings_file/setting_list.h"
#include "core/setting_line/setting_record.h"
#include "core/text/utf8.h"
#include "core/text/windows_31j.h"


namespace gradation {
namespace {

// The length of `bytes` without a multi-byte sequence cut short at its end.
std::size_t complete_utf8_length(std::string_view bytes) {
    const std::size_t n = bytes.size();
    for (std::size_t back = 1; back <= 4 && back <= n; ++back) {
        const auto b = static_cast<unsigned char>(bytes[n - back]);
        if ((b & 0xC0) == 0x80) continue;  // continuation byte: look further back
        const std::size_t length = b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : b >= 0xC0 ? 2 : 1;
        return length > back ? n - back : n;
    }
    return n;
}

// Valid UTF-8 but for a sequence cut short at its end (by the reader's byte limit),
// which becomes U+FFFD; a byte order mark inside a value is text like any other.
std::u16string decode_utf8(std::string_view bytes) {
    const std::size_t complete = complete_utf8_length(bytes);
    std::u16string out = utf8_to_utf16_replacing(bytes.substr(0, complete));
    if (complete < bytes.size()) out.push_back(u'\uFFFD');
    return out;
}

}  // namespace

std::u16string decode_profile_value(std::string_view value_bytes, bool file_has_bom) {
    if (file_has_bom) return utf8_to_utf16_replacing(value_bytes);
    const std::size_t complete = complete_utf8_length(value_bytes);
    if (is_valid_utf8(value_bytes.substr(0, complete))) return decode_utf8(value_bytes);
    return decode_windows_31j(value_bytes);
}

Outcome check_configuration_file(std::string_view file_bytes) {
    if (file_bytes.starts_with("\xFF\xFE") || file_bytes.starts_with("\xFE\xFF"))
        return refuse(RefusalCode::Utf16File);
    return {};
}

Result<std::string> read_configuration_file(const std::filesystem::path& file) {
    Result<std::string> bytes = read_profile_file(file);
    if (!bytes) return bytes;
    if (Outcome checked = check_configuration_file(*bytes); !checked)
        return refuse_because(RefusalCode::FileContentRefused, {file.string()}, checked.error());
    return bytes;
}

std::vector<SettingLineRead> read_setting_list(std::string_view file_bytes) {
    std::vector<SettingLineRead> list;
    if (!check_configuration_file(file_bytes)) return list;
    // One pass over the file for all keys; each value is decoded only when the list
    // reaches it.
    std::vector<std::string> keys;
    for (int n = 0; n < kMaxSettings; ++n) keys.push_back(setting_key(n));
    const std::vector<ProfileValue> values = profile_values_in(file_bytes, kSettingSection, keys);
    const bool bom = file_bytes.starts_with(kUtf8Bom);
    for (const ProfileValue& value : values) {
        SettingLineRead read{decode_profile_value(value.bytes, bom), value.reached_cut};
        if (!continues_list(read.line)) break;
        list.push_back(std::move(read));
    }
    return list;
}

}  // namespace gradation
