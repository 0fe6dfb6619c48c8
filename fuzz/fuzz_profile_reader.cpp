// The profile reader on arbitrary file bytes, section and key.
#include "fuzz_input.h"
#include "core/settings_file/profile_reader.h"

#include <algorithm>
#include <cctype>

namespace {

bool contains_ignoring_case(std::string_view haystack, std::string_view needle) {
    const auto it = std::search(haystack.begin(), haystack.end(), needle.begin(), needle.end(), [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
    });
    return it != haystack.end();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace gradation;
    fuzz::Input in(data, size);
    const std::string section(in.bytes(16));
    const std::string key(in.bytes(16));
    const std::size_t buffer = 1 + in.byte() % 64 * 32;
    const std::string_view file = in.rest();

    const std::string keys[] = {key};
    const ProfileValue value = profile_values_in(file, section, keys, buffer).front();
    FUZZ_CHECK(value.bytes.size() < buffer);
    FUZZ_CHECK(value.found || value.bytes.empty());
    if (value.found) {
        // A value read from the file lies on one line of it, under that key.
        FUZZ_CHECK(value.bytes.find('\n') == std::string::npos);
        FUZZ_CHECK(value.bytes.find('\0') == std::string::npos);
        FUZZ_CHECK(contains_ignoring_case(file, key) && contains_ignoring_case(file, section));
        FUZZ_CHECK(file.find(value.bytes) != std::string_view::npos);
    }
    FUZZ_CHECK(profile_values_in(file, section, keys, buffer).front().bytes == value.bytes);
    return 0;
}
