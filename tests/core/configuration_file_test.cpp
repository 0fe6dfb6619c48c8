#include "core/settings_file/configuration_file.h"
#include "core/settings_file/configuration_path.h"

#include "core/setting_line/setting_record.h"
#include "support/setting_lines.h"
#include "support/temp_folder.h"
#include "support/test_text.h"

#include <gtest/gtest.h>

#include <fstream>
#include <random>
#include <set>
#include <sys/stat.h>

namespace gradation {
namespace {

using test::u16;

const std::filesystem::path kSource = GRADATION_SOURCE_DIR;
const std::string kStandard = test::lines::kStandard;

std::vector<std::u16string> names(const std::vector<SettingLineRead>& list) {
    std::vector<std::u16string> out;
    for (const SettingLineRead& read : list) out.emplace_back(setting_name(read.line));
    return out;
}

TEST(ConfigurationFile, DecodesUtf8AndWindows31J) {
    struct Case {
        std::string bytes;
        bool utf8;
        std::u16string text;
    };
    const Case cases[] = {
        {"起動時標準", true, u16("起動時標準")},
        {"\x87\x40\x87\x8A", false, u"①㈱"},                    // vendor rows
        {"\x81\x60\x81\x7C", false, u"\uFF5E\uFF0D"},           // ～ and － as Windows maps them
        {"\\~\xB1", false, u"\\~\uFF71"},                       // ASCII kept, half-width kana
        {"\x82\xA0\x82", false, u"\u3042\uFFFD"},               // cut inside a double-byte character
        {"a\x80" "b\x82 ", false, u"a\uFFFDb\uFFFD "},          // bad bytes
        {"\x1A\x1C\x7F\x82\x1A", false, u"\x1A\x1C\x7F\uFFFD\x1A"},  // control codes stay themselves
        {"a\xE3\x81", true, u"a\uFFFD"},                        // UTF-8 cut inside a character
        {"\xEF\xBB\xBFx", true, u"\uFEFFx"},
    };
    for (const Case& c : cases) EXPECT_EQ(decode_profile_value(c.bytes, c.utf8), c.text) << c.bytes;
}

TEST(ConfigurationFile, WindowsFileWithAGapListsTwoSettings) {
    const Result<std::string> bytes = read_configuration_file(kSource / "tests/cli/fixtures/windows_sjis_crlf.ini");
    ASSERT_TRUE(bytes) << test::why(bytes);
    const std::vector<SettingLineRead> list = read_setting_list(*bytes);
    EXPECT_EQ(names(list), (std::vector<std::u16string>{u16("起動時標準"), u16("アイテム")}));
    EXPECT_EQ(list.at(0).line, u16(kStandard));
}

TEST(ConfigurationFile, ListsAndCutsOnFileBytes) {
    std::mt19937 random(7);
    std::string garbage(1 << 16, '\0');
    for (char& c : garbage) c = static_cast<char>(random());
    const std::string a1019(1019, 'a');
    struct Case {
        const char* what;
        std::string bytes;
        std::vector<std::u16string> names;
        std::u16string line0;
    };
    const Case cases[] = {
        {"UTF-8 with BOM", "\xEF\xBB\xBF[UserSetting]\n00=①㈱,x\n", {u"①㈱"}, u"①㈱,x"},
        {"Windows-31J", "[UserSetting]\r\n00=\x87\x40\x87\x8A,x\r\n", {u"①㈱"}, u"①㈱,x"},
        {"comma after byte 1023", "[UserSetting]\n00=" + std::string(1100, 'a') + ",x\n", {}, u""},
        {"cut in a double-byte character", "[UserSetting]\n00=\x96\xBC," + a1019 + "\x82\xA0\n", {u"名"},
         u"名," + std::u16string(1019, u'a') + u"\uFFFD"},
        {"cut in a UTF-8 character", "[UserSetting]\n00=名," + a1019.substr(1) + "あ\n", {u"名"},
         u"名," + std::u16string(1018, u'a') + u"\uFFFD"},
        {"binary garbage", garbage, {}, u""},
        // One stray byte garbles nothing else: each value decided on its own.
        {"Latin-1 byte in a comment", "; caf\xE9\n[UserSetting]\n00=①㈱,x\n", {u"①㈱"}, u"①㈱,x"},
        {"UTF-8 and Windows-31J values side by side", "[UserSetting]\n00=\x87\x40,x\n01=①,y\n", {u"①", u"①"},
         u"①,x"},
        // After a byte order mark, UTF-8 throughout: a bad byte is U+FFFD, not Windows-31J.
        {"byte order mark, Latin-1 byte in a value", "\xEF\xBB\xBF[UserSetting]\n00=caf\xE9,x\n", {u"caf\uFFFD"},
         u"caf\uFFFD,x"},
        {"byte order mark, Windows-31J value", "\xEF\xBB\xBF[UserSetting]\n00=\x87\x40\x87\x8A,x\n",
         {u"\uFFFD@\uFFFD\uFFFD"}, u"\uFFFD@\uFFFD\uFFFD,x"},
        {"CR alone ends lines", "[UserSetting]\r00=a,x\r01=b,y\r", {u"a", u"b"}, u"a,x"},
        {"UTF-16 little-endian", "\xFF\xFE[\0U\0\n\0" + std::string("00=a,x\n"), {}, u""},
        {"UTF-16 big-endian", "\xFE\xFF\n[UserSetting]\n00=a,x\n", {}, u""},
    };
    for (const Case& c : cases) {
        const std::vector<SettingLineRead> list = read_setting_list(c.bytes);
        EXPECT_EQ(names(list), c.names) << c.what;
        EXPECT_EQ(list.empty() ? u"" : list[0].line, c.line0) << c.what;
        EXPECT_EQ(!check_configuration_file(c.bytes), std::string_view(c.what).starts_with("UTF-16")) << c.what;
    }
}

TEST(ConfigurationFile, AValueAtTheCutIsMarked) {
    const std::string tail = ",OFF,OFF,OFF,OFF,OFF,OFF, 0, 0, 1,OFF, 0,H,OFF, 0, 0, 128, 255, 255, 128, 0,";
    const struct {
        std::size_t value_bytes;
        bool reached_cut;
    } cases[] = {{1021, false}, {1022, false}, {1023, true}, {1024, true}, {1025, true}};
    for (const auto& c : cases) {
        const std::string value = "a" + tail + std::string(c.value_bytes - 1 - tail.size(), '0');
        const std::vector<SettingLineRead> list = read_setting_list("[UserSetting]\r\n00=" + value + "\r\n");
        ASSERT_EQ(names(list), std::vector<std::u16string>{u"a"}) << c.value_bytes;  // still listed
        EXPECT_EQ(list[0].reached_cut, c.reached_cut) << c.value_bytes;
        EXPECT_EQ(list[0].line.size(), std::min<std::size_t>(c.value_bytes, 1023)) << c.value_bytes;
    }
}

TEST(ConfigurationFile, ReadsARegularFileOrSaysWhyNot) {
    const test::TempFolder folder;
    const std::string setting = "[UserSetting]\r\n00=a,x\r\n";
    test::write_bytes(folder / "QX.ini", setting);
    test::write_bytes(folder / "utf16le.ini", std::string("\xFF\xFE[\0U\0", 6));
    test::write_bytes(folder / "utf16be.ini", "\xFE\xFF\n" + setting);
    std::filesystem::create_symlink("QX.ini", folder / "link.ini");
    std::filesystem::create_symlink("loop.ini", folder / "loop.ini");
    ::mkfifo((folder / "fifo.ini").c_str(), 0600);  // never waited on
    const std::string f = folder.path().string() + "/";
    const std::pair<std::string, std::string> cases[] = {
        {f + "QX.ini", ""},
        {f + "link.ini", ""},
        {f + "missing.ini", "no such file: " + f + "missing.ini"},
        {f + "QX.ini/QX.ini", "no such file: " + f + "QX.ini/QX.ini"},
        {f, f + " is a directory, not a configuration file"},
        {f + "fifo.ini", f + "fifo.ini is not a regular file"},
        {"/dev/null", "/dev/null is not a regular file"},
        {f + "loop.ini", "cannot read " + f + "loop.ini: Too many levels of symbolic links"},
        {f + "utf16le.ini", "cannot read " + f + "utf16le.ini: it is UTF-16 (Windows Notepad's \"Unicode\"); save it as "
                            "UTF-8 or Shift-JIS"},
        {f + "utf16be.ini", "cannot read " + f + "utf16be.ini: it is UTF-16 (Windows Notepad's \"Unicode\"); save it as "
                            "UTF-8 or Shift-JIS"},
    };
    for (const auto& [file, refused] : cases) {
        const Result<std::string> bytes = read_configuration_file(file);
        EXPECT_EQ(bytes.value_or(""), refused.empty() ? setting : "") << file;
        EXPECT_EQ(test::why(bytes), refused) << file;
    }
}

TEST(ConfigurationFile, IniFileLiesBesideThisProgram) {
    EXPECT_TRUE(std::filesystem::is_regular_file(executable_directory() / "configuration_file_test"));
    EXPECT_EQ(MakeIniFile(), executable_directory() / "QX.ini");
}

TEST(ConfigurationFile, ShippedSettingsParseWholeAndShowEveryFeature) {
    const auto path = kSource / "data/QX.ini";
    const Result<std::string> bytes = read_configuration_file(path);
    ASSERT_TRUE(bytes) << test::why(bytes);
    const std::vector<SettingLineRead> list = read_setting_list(*bytes);
    ASSERT_EQ(list.size(), 12u);
    EXPECT_EQ(list[0].line, u16(kStandard));

    std::ifstream in(path, std::ios::binary);
    int key_lines = 0;
    for (std::string raw; std::getline(in, raw);) key_lines += raw.size() > 3 && raw[2] == '=';
    EXPECT_EQ(key_lines, 12) << "every key is listed";

    std::set<std::string> shown;
    for (std::size_t n = 0; n < list.size(); ++n) {
        const Result<SettingRecord> parsed = parse_setting_line(list[n].line);
        ASSERT_TRUE(parsed) << n << ": " << parsed.error().text();
        const SettingRecord& s = *parsed;
        if (s.SizeMode == 1 && s.SizeWave) shown.insert("wave " + std::to_string(s.WavePattern));
        if (s.SizeMode == 2) shown.insert(s.SizeSign == 0 ? "relative +" : "relative -");
        if (s.SizeMode == 1 && !s.SizeWave) shown.insert("absolute");
        if (s.TableWrap) shown.insert(s.Direction == u'V' ? "table V" : "table H");
        if (s.StartMark && s.EndMark && s.BreakAfter) shown.insert("markers");
        if (s.Underline) shown.insert("U");
        if (s.Italic) shown.insert("I");
        if (s.Bold) shown.insert("B");
        if (s.DevTag == 1) shown.insert("separate");
    }
    EXPECT_EQ(shown, (std::set<std::string>{"wave 0", "wave 1", "wave 2", "wave 3", "relative +", "relative -",
                                            "absolute", "table H", "table V", "markers", "U", "I", "B",
                                            "separate"}));
}

}  // namespace
}  // namespace gradation
