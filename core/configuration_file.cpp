#include "core/configuration_file.h"

#include "core/profile_reader.h"
#include "core/program_values.h"
#include "core/setting_list.h"
#include "core/utf8.h"

#include <unicode/ucnv.h>

#include <memory>
#include <system_error>

namespace gradation {
namespace {

constexpr char16_t kReplacement = u'\uFFFD';

bool is_lead_byte(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }
bool is_trail_byte(unsigned char b) { return b >= 0x40 && b <= 0xFC && b != 0x7F; }

struct ConverterCloser {
    void operator()(UConverter* c) const { ucnv_close(c); }
};

// ICU's "windows-31j": Shift-JIS with the Windows vendor rows (circled digits, ㈱).
// Opened once per call; the converter keeps no state between values.
std::unique_ptr<UConverter, ConverterCloser> open_windows_31j() {
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<UConverter, ConverterCloser> converter(ucnv_open("windows-31j", &status));
    if (U_FAILURE(status)) return nullptr;
    // What cannot be mapped becomes U+FFFD, not the converter's own substitute U+001A.
    ucnv_setToUCallBack(converter.get(), UCNV_TO_U_CALLBACK_SUBSTITUTE, nullptr, nullptr, nullptr, &status);
    return converter;
}

// A run of double-byte characters and single bytes from 0x80 up, through the codec.
void append_non_ascii_run(std::u16string& out, std::string_view run, UConverter* converter) {
    if (run.empty()) return;
    if (converter == nullptr) {  // no such converter in this ICU
        out.append(run.size(), kReplacement);
        return;
    }
    std::u16string decoded(run.size() * 2, u'\0');
    UErrorCode status = U_ZERO_ERROR;
    ucnv_resetToUnicode(converter);
    const int32_t length = ucnv_toUChars(converter, decoded.data(), static_cast<int32_t>(decoded.size()),
                                         run.data(), static_cast<int32_t>(run.size()), &status);
    if (U_FAILURE(status)) {
        out.append(run.size(), kReplacement);
        return;
    }
    decoded.resize(static_cast<std::size_t>(length));
    for (const char16_t c : decoded) out.push_back(c == 0x1A ? kReplacement : c);
}

// Windows-31J. Bytes below 0x80 outside a pair are ASCII: written here directly,
// since the codec's IBM tables swap some control codes (0x1A, 0x1C, 0x7F). A lead
// byte without its second byte (a value cut short, or a bad pair) becomes U+FFFD.
std::u16string decode_windows_31j(std::string_view bytes) {
    const auto converter = open_windows_31j();
    std::u16string out;
    out.reserve(bytes.size());
    std::size_t run_start = 0;
    std::size_t i = 0;
    const auto flush = [&] { append_non_ascii_run(out, bytes.substr(run_start, i - run_start), converter.get()); };
    while (i < bytes.size()) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        const bool pair = is_lead_byte(b) && i + 1 < bytes.size() &&
                          is_trail_byte(static_cast<unsigned char>(bytes[i + 1]));
        if (pair) {
            i += 2;
        } else if (b >= 0x80 && !is_lead_byte(b)) {
            ++i;
        } else {
            flush();
            out.push_back(b < 0x80 ? static_cast<char16_t>(b) : kReplacement);
            run_start = ++i;
        }
    }
    flush();
    return out;
}

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
    std::u16string out = utf8_to_utf16(bytes.substr(0, complete)).value_or(std::u16string(complete, kReplacement));
    if (complete < bytes.size()) out.push_back(kReplacement);
    return out;
}

}  // namespace

std::filesystem::path executable_directory() {
    std::error_code ec;
    const std::filesystem::path exe = std::filesystem::canonical("/proc/self/exe", ec);
    if (!ec) return exe.parent_path();
    // The link's text still names the right folder when the file itself has gone.
    const std::filesystem::path link = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (!ec && link.is_absolute()) return link.parent_path();
    return std::filesystem::current_path(ec);
}

std::filesystem::path MakeIniFile() {
    constexpr auto separator = static_cast<char>(std::filesystem::path::preferred_separator);
    return std::filesystem::path(make_ini_path(executable_directory().string(), separator));
}

std::u16string decode_profile_value(std::string_view value_bytes, bool file_is_utf8) {
    return file_is_utf8 ? decode_utf8(value_bytes) : decode_windows_31j(value_bytes);
}

ConfigurationFile::ConfigurationFile(std::filesystem::path path) : path_(std::move(path)) {}

std::u16string ConfigurationFile::ReadSettingLine(int n) const {
    const std::string key = setting_key(n);
    if (key.empty()) return {};
    const std::optional<std::string> bytes = read_profile_file(path_);
    if (!bytes) return {};
    return decode_profile_value(profile_string_in(*bytes, kSettingSection, key), is_valid_utf8(*bytes));
}

std::vector<std::u16string> ConfigurationFile::setting_names() const {
    // One read of the file and one pass over it for all keys; each line is decoded
    // only when the list asks for it.
    const std::optional<std::string> bytes = read_profile_file(path_);
    if (!bytes) return {};
    std::vector<std::string> keys;
    for (int n = 0; n < kMaxSettings; ++n) keys.push_back(setting_key(n));
    const std::vector<std::string> values = profile_strings_in(*bytes, kSettingSection, keys);
    const bool utf8 = is_valid_utf8(*bytes);
    return gradation::setting_names(
        [&](int n) { return decode_profile_value(values.at(static_cast<std::size_t>(n)), utf8); });
}

}  // namespace gradation
