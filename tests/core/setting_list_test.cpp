#include "core/settings_file/setting_list.h"

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
        int reads;  // settings read: 0, 1, ... reads - 1
    };
    const Case cases[] = {
        {"two settings", {{0, standard}, {1, item}}, {"起動時標準", "アイテム"}, 3},
        {"gap at 02", {{0, "a,"}, {1, "b,"}, {3, "d,"}}, {"a", "b"}, 3},
        {"no comma in 00", {{0, "Plain"}, {1, "b,"}}, {}, 1},
        {"empty file", {}, {}, 1},
        {"empty and repeated names", {{0, ",x"}, {1, "same,1"}, {2, "same,2"}, {3, ","}}, {"", "same", "same", ""}, 5},
        {"all 100 keys, 101st never read", all, hundred, 100},
    };
    for (const Case& c : cases) {
        std::vector<int> read;
        const auto names = setting_names([&](int n) {
            read.push_back(n);
            const auto it = c.lines.find(n);
            return it == c.lines.end() ? std::u16string() : u16(it->second);
        });
        std::vector<std::u16string> expected;
        for (const std::string& name : c.names) expected.push_back(u16(name));
        EXPECT_EQ(names, expected) << c.what;
        ASSERT_EQ(read.size(), static_cast<std::size_t>(c.reads)) << c.what;
        for (int n = 0; n < c.reads; ++n) EXPECT_EQ(read[static_cast<std::size_t>(n)], n) << c.what;
    }
}

}  // namespace
}  // namespace gradation
