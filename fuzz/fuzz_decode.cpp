// Decoding a configuration value: UTF-8 when the file is, Windows-31J otherwise.
#include "core/utf8.h"
#include "fuzz_input.h"
#include "core/configuration_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace gradation;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const bool utf8 = is_valid_utf8(bytes);
    if (utf8) FUZZ_CHECK(decode_profile_value(bytes, true) == *utf8_to_utf16(bytes));
    const std::u16string sjis = decode_profile_value(bytes, false);
    // Windows-31J takes one or two bytes per character.
    FUZZ_CHECK(sjis.size() <= bytes.size());
    // ASCII bytes other than the second byte of a pair come out as themselves.
    if (size > 0 && data[0] < 0x80) FUZZ_CHECK(!sjis.empty() && sjis[0] == data[0]);
    return 0;
}
