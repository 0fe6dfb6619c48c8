#include "platform/configuration_file.h"

#include "app/program_values.h"
#include "convert/utf8.h"
#include "settings/profile_reader.h"
#include "settings/setting_list.h"

#include <QByteArrayView>
#include <QString>
#include <QStringDecoder>

#include <system_error>

namespace gradation::platform {
namespace {

constexpr char16_t kReplacement = u'\uFFFD';

// The name under which this Qt build decodes Windows-31J with its vendor rows
// (circled digits, ㈱); nullptr when it has no such codec.
const char* windows_31j_name() {
    static const char* const name = []() -> const char* {
        for (const char* candidate : {"Windows-31J", "windows-31j", "ibm-943_P15A-2003", "Shift_JIS"}) {
            if (QStringDecoder(candidate).isValid()) return candidate;
        }
        return nullptr;
    }();
    return name;
}

void append(std::u16string& out, const QString& s) {
    out.append(reinterpret_cast<const char16_t*>(s.utf16()), static_cast<std::size_t>(s.size()));
}

bool is_lead_byte(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }
bool is_trail_byte(unsigned char b) { return b >= 0x40 && b <= 0xFC && b != 0x7F; }

// A run of double-byte characters and single bytes from 0x80 up, through the codec.
// The codec writes U+001A for what it cannot map; no such run holds a real 0x1A.
void append_non_ascii_run(std::u16string& out, std::string_view run) {
    if (run.empty()) return;
    const char* name = windows_31j_name();
    if (name == nullptr) {  // no such codec in this Qt
        out.append(run.size(), kReplacement);
        return;
    }
    QStringDecoder decoder(name, QStringConverter::Flag::Stateless);
    const QString text = decoder(QByteArrayView(run.data(), static_cast<qsizetype>(run.size())));
    for (const QChar c : text) out.push_back(c.unicode() == 0x1A ? kReplacement : c.unicode());
}

// Windows-31J. Bytes below 0x80 outside a pair are ASCII: written here directly,
// since the codec's IBM tables swap some control codes (0x1A, 0x1C, 0x7F). A lead
// byte without its second byte (a value cut short, or a bad pair) becomes U+FFFD.
std::u16string decode_windows_31j(std::string_view bytes) {
    std::u16string out;
    out.reserve(bytes.size());
    std::size_t run_start = 0;
    std::size_t i = 0;
    const auto flush = [&] { append_non_ascii_run(out, bytes.substr(run_start, i - run_start)); };
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

std::u16string decode_utf8(std::string_view bytes) {
    const std::size_t complete = complete_utf8_length(bytes);
    // Stateless, and a byte order mark inside a value is text like any other.
    QStringDecoder decoder(QStringConverter::Utf8,
                           QStringConverter::Flag::Stateless | QStringConverter::Flag::ConvertInitialBom);
    std::u16string out;
    append(out, decoder(QByteArrayView(bytes.data(), static_cast<qsizetype>(complete))));
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

}  // namespace gradation::platform
