// The setting-line parser on any text: a whole record or a refusal naming a position.
#include "fuzz_input.h"
#include "core/setting_line/setting_record.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace gradation;
    fuzz::Input in(data, size);
    const std::u16string line = in.rest_as_units(4096);
    const Result<SettingRecord> p = parse_setting_line(line);
    if (p) {
        // A record comes only from a line with at least 21 fields.
        std::size_t commas = 0;
        for (char16_t c : line) commas += c == u',';
        FUZZ_CHECK(commas >= 20);
        // Parsing is a function of the line alone.
        FUZZ_CHECK(parse_setting_line(line) == p);
    } else {
        FUZZ_CHECK(p.error().position >= 1 && p.error().position <= 21);
        FUZZ_CHECK(!p.error().reason().empty());
    }
    const std::u16string_view name = setting_name(line);
    FUZZ_CHECK(name.find(u',') == std::u16string_view::npos);
    return 0;
}
