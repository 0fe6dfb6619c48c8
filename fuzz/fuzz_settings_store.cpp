// The settings store's round trip: a random record under a random name, added or put in
// place of an entry in a Windows-31J, UTF-8 or UTF-8-with-mark file (or in a file made of
// the fuzzer's own bytes), either is refused with the content unchanged, or the programs'
// own reader and parser give back exactly the record and name written, with every other
// entry as it was and every other line's bytes in their place.
#include "fuzz_input.h"
#include "core/settings_file/configuration_file.h"
#include "core/setting_line/setting_record.h"
#include "core/settings_file/settings_document.h"
#include "core/settings_file/settings_store.h"

namespace {

using namespace gradation;

const std::string kTail = ",OFF,OFF,OFF,OFF,OFF,OFF, 0, 0, 1,OFF, 0,H,OFF, 0, 0, 128, 255, 255, 128, 0,0";
const std::string kFiles[] = {
    "; \x83\x52\x83\x81\r\n[UserSetting]\r\n00=\x82\xA0" + kTail + "\r\n01=b" + kTail + "\r\n[Other]\r\n00=x\r\n",
    "[UserSetting]\n00=\xE3\x81\x82" + kTail + "\n01=b" + kTail + "\n03=gap" + kTail + "\n",
    "\xEF\xBB\xBF[UserSetting]\r\n00=a" + kTail + "\r\n00=dup" + kTail + "\r\n",
    "",
};

// Characters a name is drawn from: plain ones first, then the awkward ones.
constexpr char16_t kPlain[] = u"aZ09-_あアｱ漢字①";
constexpr char16_t kAwkward[] = {u' ', u'\t', u'"', u'\'', u',', u'=', u'[', u';', u'\r', u'\n', 0,
                                 u'\u00A5', u'\uFFFD', 0xD83D, 0xDE00, 0xD800, u'\u0831', u'燿', u'\x1A'};

std::u16string draw_name(fuzz::Input& in, bool& plain) {
    std::u16string name;
    const std::size_t length = in.byte() % 40;
    plain = length > 0;  // an empty name is refused
    for (std::size_t i = 0; i < length; ++i) {
        const std::uint8_t b = in.byte();
        if (b < 200) {
            name.push_back(kPlain[b % (std::size(kPlain) - 1)]);
        } else {
            plain = false;
            name.push_back(kAwkward[b % std::size(kAwkward)]);
        }
    }
    return name;
}

// A record within the ranges a written line may hold (odd values are refused before the
// store changes anything).
SettingRecord draw_record(fuzz::Input& in) {
    const auto within = [&in](int count) { return static_cast<std::int16_t>(in.byte() % count); };
    SettingRecord r;
    r.StartMark = in.flag(), r.EndMark = in.flag(), r.BreakAfter = in.flag();
    r.Underline = in.flag(), r.Italic = in.flag(), r.Bold = in.flag();
    r.SizeMode = within(3), r.SizeSign = within(2), r.SizeValue = in.int16();
    r.TableWrap = in.flag(), r.TableBorder = static_cast<std::int16_t>(in.int16() & 0x7FFF);
    r.Direction = in.flag() ? u'V' : u'H';
    r.SizeWave = in.flag(), r.WavePattern = within(4);
    r.StartColor = {within(256), within(256), within(256)};
    r.EndColor = {within(256), within(256), within(256)};
    r.DevTag = within(3);
    return r;
}

// Every line of `before` is in `after`, in order and with its bytes; `after` has `added`
// more lines, all together at one place. A line that had no line end may have got one.
bool only_lines_added(const std::string& before, const std::string& after, std::size_t added) {
    const SettingsDocument a = SettingsDocument::from_bytes(before);
    const SettingsDocument b = SettingsDocument::from_bytes(after);
    if (a.bom != b.bom || b.lines.size() != a.lines.size() + added) return false;
    std::size_t i = 0;
    while (i < a.lines.size() && a.lines[i].text == b.lines[i].text) ++i;
    for (std::size_t k = 0; k < a.lines.size(); ++k) {
        const DocumentLine& old_line = a.lines[k];
        const DocumentLine& new_line = b.lines[k < i ? k : k + added];
        if (old_line.text != new_line.text) return false;
        if (old_line.end != new_line.end && !old_line.end.empty()) return false;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Input in(data, size);
    const std::uint8_t choice = in.byte();
    // A file of the fuzzer's own bytes, or one of the files above.
    const std::string file = choice >= 192 ? std::string(in.bytes(255)) : kFiles[choice % std::size(kFiles)];
    Result<SettingsStore> store = SettingsStore::from_content("QX.ini", file);
    if (!store) {
        FUZZ_CHECK(!check_configuration_file(file));
        return 0;
    }
    const bool replacing = in.flag() && !store->entries().empty();
    bool plain = false;
    const std::u16string name = draw_name(in, plain);
    const SettingRecord record = draw_record(in);
    const std::u16string line = format_setting_line(name, record);

    const std::vector<std::u16string> before = store->entries();
    const Outcome done = replacing ? store->replace(0, line) : store->add(line);
    if (!done) {
        FUZZ_CHECK(store->content() == file);
        FUZZ_CHECK(store->entries() == before);
        FUZZ_CHECK(!plain || choice >= 192);  // a plain name is always written to a well-formed file
        return 0;
    }
    const std::vector<SettingLineRead> read = read_setting_list(store->content());
    const std::size_t n = replacing ? 0 : before.size();
    FUZZ_CHECK(read.size() > n);
    FUZZ_CHECK(!read[n].reached_cut);
    FUZZ_CHECK(setting_name(read[n].line) == name);
    const Result<SettingRecord> parsed = parse_setting_line(read[n].line);
    FUZZ_CHECK(parsed && *parsed == record);
    for (std::size_t k = 0; k < before.size(); ++k)
        if (k != n) FUZZ_CHECK(read[k].line == before[k]);
    if (replacing) {
        // One line changed, every other one kept byte for byte.
        const SettingsDocument a = SettingsDocument::from_bytes(file);
        const SettingsDocument b = SettingsDocument::from_bytes(store->content());
        FUZZ_CHECK(a.lines.size() == b.lines.size());
        std::size_t changed = 0;
        for (std::size_t k = 0; k < a.lines.size(); ++k) {
            changed += a.lines[k].text != b.lines[k].text;
            FUZZ_CHECK(a.lines[k].end == b.lines[k].end);
        }
        FUZZ_CHECK(changed <= 1);
    } else {
        const bool had_section = SettingsDocument::from_bytes(file).section_line().has_value();
        FUZZ_CHECK(only_lines_added(file, store->content(), had_section ? 1 : 2));
    }
    return 0;
}
