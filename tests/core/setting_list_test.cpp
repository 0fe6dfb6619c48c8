#include "core/settings_file/setting_list.h"

#include "core/settings_file/configuration_file.h"
#include "core/setting_line/setting_record.h"

#include "support/setting_lines.h"
#include "support/test_text.h"

#include <gtest/gtest.h>

#include <map>

namespace gradation {
namespace {

using test::u16;

TEST(SettingList, KeyRule) {
    const std::pair<int, std::string> cases[] = {{0, "00"}, {7, "07"}, {12, "12"}, {99, "99"},
                                                 {100, ""}, {-1, ""}, {-100, ""}};
    for (const auto& [n, key] : cases) EXPECT_EQ(setting_key(n), key) << n;
}

TEST(SettingList, NumberIsZeroToNinetyNineInDigitsOnly) {
    const std::pair<std::string_view, std::optional<int>> cases[] = {
        {"0", 0}, {"07", 7}, {"99", 99}, {"100", std::nullopt}, {"-1", std::nullopt}, {"", std::nullopt},
        {"1x", std::nullopt}, {" 1", std::nullopt}, {"+1", std::nullopt}, {"99999999999", std::nullopt}};
    for (const auto& [text, n] : cases) EXPECT_EQ(setting_number(text), n) << text;
}

TEST(SettingList, NamesStopAtTheFirstLineWithoutAComma) {
    const std::string standard = test::lines::kStandard;
    const std::string item = test::lines::kItem;
    std::map<int, std::string> all;
    std::vector<std::string> hundred;
    for (int n = 0; n < 101; ++n) all[n] = "s" + std::to_string(n) + ",x";
    for (int n = 0; n < 100; ++n) hundred.push_back("s" + std::to_string(n));

    struct Case {
        const char* what;
        std::map<int, std::string> lines;  // missing numbers read as empty text
        std::vector<std::string> names;
    };
    const Case cases[] = {
        {"two settings", {{0, standard}, {1, item}}, {"起動時標準", "アイテム"}},
        {"gap at 02", {{0, "a,"}, {1, "b,"}, {3, "d,"}}, {"a", "b"}},
        {"no comma in 00", {{0, "Plain"}, {1, "b,"}}, {}},
        {"empty file", {}, {}},
        {"empty and repeated names", {{0, ",x"}, {1, "same,1"}, {2, "same,2"}, {3, ","}}, {"", "same", "same", ""}},
        {"all 100 keys, key 100 never read", all, hundred},
    };
    for (const Case& c : cases) {
        std::string file = "[UserSetting]\n";
        for (const auto& [n, line] : c.lines) file += (n < 10 ? "0" : "") + std::to_string(n) + "=" + line + "\n";
        std::vector<std::u16string> names;
        for (const SettingLineRead& read : read_setting_list(file)) names.emplace_back(setting_name(read.line));
        std::vector<std::u16string> expected;
        for (const std::string& name : c.names) expected.push_back(u16(name));
        EXPECT_EQ(names, expected) << c.what;
    }
}

}  // namespace
}  // namespace gradation
