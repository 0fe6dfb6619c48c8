#include "core/settings_file/profile_reader.h"

#include <gtest/gtest.h>

#include <random>

namespace gradation {
namespace {

// The value of one key as a caller's buffer holds it; empty when it is missing.
std::string value_of(std::string_view file, std::string_view section, const std::string& key,
                     std::size_t buffer_size = kValueBuffer) {
    return profile_values_in(file, section, {&key, 1}, buffer_size).front().bytes;
}

struct Case {
    const char* what;
    std::string file;
    std::string section, key;
    std::string expected;
};

TEST(ProfileReader, MatchingTrimmingQuotesAndLineEnds) {
    using namespace std::string_literals;
    const Case cases[] = {
        {"plain", "[UserSetting]\n00=a,b\n", "UserSetting", "00", "a,b"},
        {"names ignore ASCII case", "[usersetting]\nKEY=v\n", "UserSetting", "key", "v"},
        {"blanks and tabs trimmed", " \t[ UserSetting ]\t\n \t00 \t= \t a b \t\n", "UserSetting", "00", "a b"},
        {"CR LF", "[UserSetting]\r\n00=x\r\n01=y\r\n", "UserSetting", "01", "y"},
        {"no final line break", "[UserSetting]\n00=last", "UserSetting", "00", "last"},
        {"CR alone", "[UserSetting]\r00=x\r01=y\r", "UserSetting", "01", "y"},
        {"CR, LF and CR LF mixed", "[UserSetting]\r00=x\n\r01=y\r\n02=z", "UserSetting", "02", "z"},
        {"byte order mark", "\xEF\xBB\xBF[UserSetting]\n00=x\n", "UserSetting", "00", "x"},
        {"double quotes", "[UserSetting]\n00=\" q \"\n", "UserSetting", "00", " q "},
        {"single quotes", "[UserSetting]\n00='q'\n", "UserSetting", "00", "q"},
        {"unmatched quotes kept", "[UserSetting]\n00=\"q'\n", "UserSetting", "00", "\"q'"},
        {"first key wins", "[UserSetting]\n00=one\n00=two\n", "UserSetting", "00", "one"},
        {"first section wins", "[UserSetting]\n01=x\n[UserSetting]\n00=late\n", "UserSetting", "00", ""},
        {"text after ] ignored", "[UserSetting] ; c\n00=x\n", "UserSetting", "00", "x"},
        {"other section", "[Other]\n00=x\n[UserSetting]\n00=y\n", "UserSetting", "00", "y"},
        {"key before any section", "00=x\n[UserSetting]\n", "UserSetting", "00", ""},
        {"missing section", "[Other]\n00=x\n", "UserSetting", "00", ""},
        {"missing key", "[UserSetting]\n000=x\n0=y\n", "UserSetting", "00", ""},
        {"unclosed header is no section", "[Other]\n[UserSetting\n00=x\n", "UserSetting", "00", ""},
        {"key without =", "[UserSetting]\n00\n00=x\n", "UserSetting", "00", ""},
        {"NUL ends the value", "[UserSetting]\n00=ab\0cd\n"s, "UserSetting", "00", "ab"},
        {"empty key never found", "[UserSetting]\n=x\n", "UserSetting", "", ""},
    };
    for (const Case& c : cases) {
        // One key, and the one-pass look-up of several keys, repeated keys included.
        const std::string keys[] = {c.key, "zz", c.key};
        std::vector<std::string> found;
        for (const ProfileValue& v : profile_values_in(c.file, c.section, keys)) found.push_back(v.bytes);
        EXPECT_EQ(found, (std::vector<std::string>{c.expected, "", c.expected})) << c.what;
    }
}

TEST(ProfileReader, ValueIsCutToTheBuffer) {
    const std::string a1023(1023, 'a');
    const std::pair<std::string, std::string> cuts[] = {
        {a1023, a1023},
        {a1023 + "bc", a1023},
        {'"' + a1023 + '"', a1023},                              // quotes go before the cut
        {a1023.substr(1) + "\x82\xA0", a1023.substr(1) + "\x82"},  // cut inside a double-byte character
    };
    for (const auto& [value, kept] : cuts) EXPECT_EQ(value_of("[S]\nk=" + value + "\n", "S", "k"), kept);
    EXPECT_EQ(value_of("[S]\nk=abc\n", "S", "k", 3), "ab");
    EXPECT_EQ(value_of("[S]\nk=abc\n", "S", "k", 0), "");
}

TEST(ProfileReader, HostileFilesReadSafely) {
    std::mt19937 random(20260107);
    std::string garbage(1 << 20, '\0');
    for (char& c : garbage) c = static_cast<char>(random());
    const std::string section = "\n[UserSetting]\n00=found\n";
    const std::string huge_lines = [] {
        std::string s;
        while (s.size() < 50u << 20) s += "[x]\nkey=value value value value value value\n";
        return s;
    }();
    const Case cases[] = {
        {"binary garbage", garbage, "UserSetting", "00", ""},
        {"garbage then the section", garbage + section, "UserSetting", "00", "found"},
        {"one 1 MB line", std::string(1 << 20, '['), "UserSetting", "00", ""},
        {"1 MB line before", std::string(1 << 20, 'x') + section, "UserSetting", "00", "found"},
        {"no line breaks", std::string(1 << 20, '='), "UserSetting", "00", ""},
        {"50 MB file", huge_lines + section, "UserSetting", "00", "found"},
    };
    for (const Case& c : cases) EXPECT_EQ(value_of(c.file, c.section, c.key), c.expected) << c.what;
}

}  // namespace
}  // namespace gradation
