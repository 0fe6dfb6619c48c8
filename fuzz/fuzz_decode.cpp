// Decoding a configuration value: UTF-8 throughout after a byte order mark; otherwise
// UTF-8 when the value is valid UTF-8, Windows-31J when not.
#include "core/text/utf8.h"
#include "fuzz_input.h"
#include "core/settings_file/configuration_file.h"
#include "core/text/windows_31j.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace gradation;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const bool utf8 = is_valid_utf8(bytes);
    const std::u16string after_mark = decode_profile_value(bytes, true);
    const std::u16string alone = decode_profile_value(bytes, false);
    if (utf8) {
        FUZZ_CHECK(after_mark == *utf8_to_utf16(bytes));
        FUZZ_CHECK(alone == after_mark);
    }
    // Neither takes fewer than one byte per UTF-16 unit.
    FUZZ_CHECK(after_mark.size() <= bytes.size());
    FUZZ_CHECK(alone.size() <= bytes.size());
    const std::u16string sjis = decode_windows_31j(bytes);
    FUZZ_CHECK(sjis.size() <= bytes.size());
    // ASCII bytes other than the second byte of a pair come out as themselves.
    if (size > 0 && data[0] < 0x80) FUZZ_CHECK(!sjis.empty() && sjis[0] == data[0] && alone[0] == data[0]);
    return 0;
}
