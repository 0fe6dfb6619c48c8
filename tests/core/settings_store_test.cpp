// The settings store's edits: the bytes it writes, and what it refuses.
#include "core/settings_file/settings_store.h"

#include "support/setting_lines.h"
#include "support/store_file.h"
#include "support/test_text.h"

#include <gtest/gtest.h>

#include <functional>

namespace gradation {
namespace {

using test::u16;

// Canonical lines (as the store writes them) and their bytes in each encoding.
const std::string kTail = test::lines::kStandardTail;
std::string line(std::string_view name) { return std::string(name) + kTail; }
const std::string kA = line("a");
const std::string kB = line("b");
const std::string kC = line("c");
const std::string kE = line("e");
// Written loosely: the store writes it in the shipped form.
const std::string kLoose = "n,OFF,OFF,OFF,OFF,OFF,ON,1,0,3,OFF,0,V,ON,1,1,2,3,4,5,6";
const std::string kNew = "n,OFF,OFF,OFF,OFF,OFF,ON, 1, 0, 3,OFF, 0,V,ON, 1, 1, 2, 3, 4, 5, 6,0";
const std::string kSjisA = "\x82\xA0";  // あ
const std::string kSjisI = "\x82\xA2";  // い
const std::string kBom = "\xEF\xBB\xBF";
// Gradients that fit kTail's colours, (0, 128, 255) to (255, 128, 0).
const std::string kG = "oklch #0080FF@0 #FFFF00@50 #FF8000@100";
const std::string kG2 = "oklab #0080FF@0 #FF8000@100";

using Edit = std::function<std::string(SettingsStore&)>;
Edit add(const std::string& l) { return [l](SettingsStore& s) { return test::why(s.add(u16(l))); }; }
Edit replace(int n, const std::string& l) { return [n, l](SettingsStore& s) { return test::why(s.replace(n, u16(l))); }; }
Edit remove(int n) { return [n](SettingsStore& s) { return test::why(s.remove(n)); }; }
Edit move(int n, int to) { return [n, to](SettingsStore& s) { return test::why(s.move(n, to)); }; }
Edit gradient(int n, const std::string& g) {
    return [n, g](SettingsStore& s) {
        const Result<Gradient> parsed = parse_gradient(g);
        return test::why(s.set_gradient(n, parsed ? std::optional(*parsed) : std::nullopt));
    };
}

struct EditCase {
    const char* what;
    std::string before;
    Edit edit;
    std::string after;
};

TEST(SettingsStore, EditsChangeOnlyTheirLines) {
    const EditCase cases[] = {
        {"add, Windows-31J CR LF, comments and other sections kept",
         "; \x83\x52\x83\x81\x83\x93\x83\x67\r\n[UserSetting]\r\n00=" + kSjisA + kTail + "\r\n[Other]\r\n00=x\r\n",
         add("い" + kTail),
         "; \x83\x52\x83\x81\x83\x93\x83\x67\r\n[UserSetting]\r\n00=" + kSjisA + kTail + "\r\n01=" + kSjisI + kTail +
             "\r\n[Other]\r\n00=x\r\n"},
        {"add, UTF-8 LF", "[UserSetting]\n00=あ" + kTail + "\n", add("い" + kTail),
         "[UserSetting]\n00=あ" + kTail + "\n01=い" + kTail + "\n"},
        {"add, UTF-8 with a byte order mark, CR LF", kBom + "[UserSetting]\r\n00=" + kA + "\r\n", add("い" + kTail),
         kBom + "[UserSetting]\r\n00=" + kA + "\r\n01=い" + kTail + "\r\n"},
        {"add in the shipped form, before a gap", "[UserSetting]\n00=" + kA + "\n01=" + kB + "\n03=" + kE + "\n",
         add(kLoose), "[UserSetting]\n00=" + kA + "\n01=" + kB + "\n02=" + kNew + "\n03=" + kE + "\n"},
        {"add, no final line break", "[UserSetting]\n00=" + kA, add(kB),
         "[UserSetting]\n00=" + kA + "\n01=" + kB + "\n"},
        {"add, no section", "; only a comment\n", add(kA), "; only a comment\n[UserSetting]\n00=" + kA + "\n"},
        {"add, empty file gets CR LF", "", add(kA), "[UserSetting]\r\n00=" + kA + "\r\n"},
        {"add, empty list: after the header", "[UserSetting]\r\n; none yet\r\n", add(kA),
         "[UserSetting]\r\n00=" + kA + "\r\n; none yet\r\n"},
        {"add before the line that ended the list", "[UserSetting]\n00=" + kA + "\n01=Plain\n", add(kB),
         "[UserSetting]\n00=" + kA + "\n01=" + kB + "\n01=Plain\n"},
        {"add, CR alone ends lines", "[UserSetting]\r00=" + kA + "\r", add(kB),
         "[UserSetting]\r00=" + kA + "\r01=" + kB + "\r"},
        {"replace keeps the key's spacing", "[UserSetting]\n 00 = " + kA + "\n01=" + kB + "\n", replace(0, kLoose),
         "[UserSetting]\n 00 = " + kNew + "\n01=" + kB + "\n"},
        {"replace a quoted value", "[UserSetting]\n00=\"" + kA + "\"\n", replace(0, kB), "[UserSetting]\n00=" + kB + "\n"},
        {"replace beside a duplicate key", "[UserSetting]\n00=" + kA + "\n00=dup,x\n01=" + kB + "\n", replace(1, kC),
         "[UserSetting]\n00=" + kA + "\n00=dup,x\n01=" + kC + "\n"},
        {"remove renumbers later entries in place",
         "[UserSetting]\r\n00=" + kA + "\r\n; c\r\n01=" + kB + "\r\n02 =" + kC + "\r\n04=" + kE + "\r\n", remove(0),
         "[UserSetting]\r\n; c\r\n00=" + kB + "\r\n01 =" + kC + "\r\n04=" + kE + "\r\n"},
        {"remove the last entry", "[UserSetting]\n00=" + kA + "\n01=" + kB, remove(1), "[UserSetting]\n00=" + kA + "\n"},
        {"a line past the reader's cut stays as it is", "[UserSetting]\n00=" + kA + std::string(1100, '0') + "\n",
         add(kB), "[UserSetting]\n00=" + kA + std::string(1100, '0') + "\n01=" + kB + "\n"},
        {"move swaps the lines, keys stay", "[UserSetting]\n00=" + kA + "\n01=  " + kB + "\n", move(1, 0),
         "[UserSetting]\n00=  " + kB + "\n01=" + kA + "\n"},
        {"entries written in Windows-31J despite a UTF-8 comment",
         "; \xE3\x81\x82\n[UserSetting]\n00=" + kSjisA + kTail + "\n", add("い" + kTail),
         "; \xE3\x81\x82\n[UserSetting]\n00=" + kSjisA + kTail + "\n01=" + kSjisI + kTail + "\n"},
        {"remove takes the entry's gradient, later ones move up",
         "[UserSetting]\n00=" + kA + "\n01=" + kB + "\n02=" + kC + "\n[Gradient]\n00=" + kG + "\n01=" + kG + "\n02=" + kG2 +
             "\n05=x\n",
         remove(1), "[UserSetting]\n00=" + kA + "\n01=" + kC + "\n[Gradient]\n00=" + kG + "\n01=" + kG2 + "\n05=x\n"},
        {"move swaps the gradients too", "[gradient]\r\n 01 =" + kG + "\r\n[UserSetting]\r\n00=" + kA + "\r\n01=" + kB + "\r\n",
         move(0, 1), "[gradient]\r\n 00 =" + kG + "\r\n[UserSetting]\r\n00=" + kB + "\r\n01=" + kA + "\r\n"},
        {"add drops a leftover gradient of the new key", "[UserSetting]\n00=" + kA + "\n[Gradient]\n01=" + kG + "\n",
         add(kB), "[UserSetting]\n00=" + kA + "\n01=" + kB + "\n[Gradient]\n"},
        {"a gradient makes its section and the line's end colours", "[UserSetting]\n00=" + kA,
         gradient(0, "oklch #FF0000@0 #FFFF00@35 #0080FF@100"),
         "[UserSetting]\n00=a,OFF,OFF,OFF,OFF,OFF,OFF, 0, 0, 1,OFF, 0,H,OFF, 0, 255, 0, 0, 0, 128, 255,0\n"
         "[Gradient]\n00=oklch #FF0000@0 #FFFF00@35 #0080FF@100\n"},
        {"a gradient replaces the first entry of its key, drops the others",
         "[UserSetting]\n00=" + kA + "\n[Gradient] ; x\n 00 = " + kG + "\n00=" + kG + "\n", gradient(0, kG2),
         "[UserSetting]\n00=" + kA + "\n[Gradient] ; x\n 00 = " + kG2 + "\n"},
        {"two stops in srgb need no entry", "[UserSetting]\n00=" + kA + "\n[Gradient]\n00=" + kG + "\n",
         gradient(0, "srgb #0080FF@0 #FF8000@100"), "[UserSetting]\n00=" + kA + "\n[Gradient]\n"},
        {"ASCII entries in a Windows-31J file", "; " + kSjisA + "\n[UserSetting]\n00=" + kA + "\n", add("い" + kTail),
         "; " + kSjisA + "\n[UserSetting]\n00=" + kA + "\n01=" + kSjisI + kTail + "\n"},
    };
    for (const EditCase& c : cases) {
        test::StoreFile at(c.before);
        Result<SettingsStore> store = at.open();
        ASSERT_TRUE(store) << c.what << ": " << test::why(store);
        const std::string before = store->content();
        EXPECT_EQ(c.edit(*store), "") << c.what;
        EXPECT_EQ(test::why(store->save()), "") << c.what;
        EXPECT_EQ(test::read_bytes(at.file), c.after) << c.what;
        EXPECT_EQ(test::read_bytes(at.backup), c.before) << c.what;
        // The programs' own reader lists what the store says it holds.
        const Result<SettingsStore> reread = at.open();
        ASSERT_TRUE(reread) << c.what;
        EXPECT_EQ(reread->entries(), store->entries()) << c.what;
        EXPECT_NE(store->content(), before) << c.what;
    }
}

// kA with the field at `pos` (the name is 0) replaced by `value`.
std::string with_field(int pos, const std::string& value) {
    std::string line = kA;
    std::size_t start = 0;
    for (int p = 0; p < pos; ++p) start = line.find(',', start) + 1;
    return line.replace(start, line.find(',', start) - start, value);
}

struct RefusalCase {
    const char* what;
    std::string before;
    Edit edit;
    std::string message;  // a part of the reason
};

std::string hundred_entries() {
    std::string file = "[UserSetting]\n";
    for (int n = 0; n < 100; ++n) file += (n < 10 ? "0" : "") + std::to_string(n) + "=" + kA + "\n";
    return file;
}

TEST(SettingsStore, RefusalsChangeNothing) {
    const std::string sjis = "[UserSetting]\r\n00=" + kSjisA + kTail + "\r\n";
    const std::string utf8 = "[UserSetting]\n00=" + kA + "\n01=" + kB + "\n";
    const std::string long_name(1022 - kTail.size() + 1, 'x');  // 1023 bytes in all
    const RefusalCase cases[] = {
        {"too few fields", utf8, add("x,ON"), "position 2: missing"},
        {"too many fields", utf8, add(kA + ",0"), "position 22: a setting line has 21 or 22 fields, not 23"},
        {"flag not ON or OFF", utf8, add(with_field(1, "on")), "position 1: a flag is ON or OFF, not \"on\""},
        {"size mode", utf8, add(with_field(7, "3")), "position 7: the size mode is a whole number from 0 to 2, not \"3\""},
        {"sign", utf8, add(with_field(8, "2")), "position 8: the size sign"},
        {"size value not whole", utf8, add(with_field(9, "1.5")), "position 9: the size value"},
        {"border below 0", utf8, add(with_field(11, "-5")), "position 11: the table border"},
        {"direction", utf8, replace(0, with_field(12, "X")), "position 12: the direction is H or V, not \"X\""},
        {"wave pattern", utf8, add(with_field(14, "4")), "position 14: the wave pattern"},
        {"colour above 255", utf8, add(with_field(15, "256")), "position 15: a colour value is a whole number from 0 to 255"},
        {"colour below 0", utf8, add(with_field(20, "-1")), "position 20: a colour value"},
        {"last field", utf8, add(with_field(21, "3")), "position 21: the last field"},
        {"empty name", utf8, add(kTail), "position 0: the name is empty"},
        {"number out of range", utf8, replace(0, line("x").replace(line("x").find(" 128"), 4, "99999")), "position 16"},
        {"leading blank in the name", utf8, add(" x" + kTail), "begins or ends with a blank"},
        {"tab in the name", utf8, add("x\t" + kTail), "position 0: the name holds a control character"},
        {"wrapped in quotes", utf8, add("'x" + kTail + "'"), "wrapped in quotes"},
        {"line break", utf8, add("x\n" + kTail), "line break"},
        {"emoji in Windows-31J", sjis, add("😀" + kTail), "'😀' (U+1F600) cannot be written in Windows-31J"},
        {"yen sign in Windows-31J", sjis, replace(0, "¥" + kTail), "(U+00A5) cannot be written in Windows-31J"},
        {"Windows-31J bytes that read as UTF-8", sjis, add("燿ｱ" + kTail), "also form UTF-8"},
        {"over 1022 bytes", utf8, add(long_name + kTail), "1023 bytes in UTF-8"},
        {"a 101st entry", hundred_entries(), add(kB), "already has 100 entries"},
        {"replace outside the list", utf8, replace(2, kC), "entry 2 is not in the list (it has entries 0 to 1)"},
        {"remove outside the list", utf8, remove(-1), "entry -1 is not in the list"},
        {"move outside the list", utf8, move(0, 5), "entry 5 is not in the list"},
        {"gradient outside the list", utf8, gradient(2, kG), "entry 2 is not in the list"},
        {"gradient colour above 255", utf8, [](SettingsStore& s) {
             return test::why(s.set_gradient(0, Gradient{{}, {{{0, 128, 255}, 0}, {{0, 300, 0}, 50}, {{255, 128, 0}, 100}}}));
         },
         "colours must each lie in 0..255"},
        {"an earlier line holds the new key", "[UserSetting]\n01=Plain\n00=" + kA + "\n", add(kB),
         "key 01 would read differently"},
        {"removing brings a duplicate into the list", utf8 + "01=dup,x\n", remove(0), "key 01 would read differently"},
    };
    for (const RefusalCase& c : cases) {
        test::StoreFile at(c.before, "older");
        Result<SettingsStore> store = at.open();
        ASSERT_TRUE(store) << c.what << ": " << test::why(store);
        const std::vector<std::u16string> before = store->entries();
        EXPECT_NE(c.edit(*store).find(c.message), std::string::npos) << c.what << ": " << c.edit(*store);
        EXPECT_EQ(store->entries(), before) << c.what;
        EXPECT_FALSE(store->modified()) << c.what;
        EXPECT_EQ(test::why(store->save()), "") << c.what;  // nothing to write
        EXPECT_EQ(test::read_bytes(at.file), c.before) << c.what;
        EXPECT_EQ(test::read_bytes(at.backup), "older") << c.what;
    }
}

TEST(SettingsStore, ValueLengthLimit) {
    test::StoreFile at(std::nullopt);
    Result<SettingsStore> store = at.open();
    ASSERT_TRUE(store) << test::why(store);
    const std::string fits(1022 - kTail.size(), 'x');  // 1022 bytes: the longest that is never cut
    EXPECT_TRUE(store->add(u16(fits + kTail)));
    EXPECT_FALSE(store->add(u16(fits + "x" + kTail)));
    EXPECT_EQ(store->entries(), std::vector<std::u16string>{u16(fits + kTail)});
}

TEST(SettingsStore, ListsEveryEntryLineWithItsReason) {
    test::StoreFile at("[UserSetting]\n00=" + kA + "\n01=bad,ON\n00=dup,x\n02=Plain\n04=" + kE + "\n[Other]\n05=x,y\n");
    const Result<SettingsStore> store = at.open();
    ASSERT_TRUE(store) << test::why(store);
    const std::vector<StoredEntry> all = store->all_entries();
    ASSERT_EQ(all.size(), 5u);
    const struct {
        int key;
        bool listed;
        const char* why_unlisted;
        const char* refused;
        int line_number;
    } expected[] = {
        {0, true, "", "", 2},
        {1, true, "", "position 2: missing (a setting line has at least 21 comma-separated fields)", 3},
        {0, false, "duplicate key: an earlier line has key 00", "position 2: missing", 4},
        {2, false, "no comma: this line ends the list", "position 1: missing", 5},
        {4, false, "after the end of the list (key 02 has no comma)", "", 6},
    };
    for (std::size_t i = 0; i < all.size(); ++i) {
        EXPECT_EQ(all[i].key, expected[i].key) << i;
        EXPECT_EQ(all[i].listed, expected[i].listed) << i;
        EXPECT_EQ(all[i].unlisted ? all[i].unlisted->text() : "", expected[i].why_unlisted) << i;
        const std::string refused = all[i].refused ? all[i].refused->text() : "";
        EXPECT_TRUE(refused.starts_with(expected[i].refused)) << i << ": " << refused;
        EXPECT_EQ(refused.empty(), std::string_view(expected[i].refused).empty()) << i;
        EXPECT_EQ(all[i].line_number, expected[i].line_number) << i;
    }
}

}  // namespace
}  // namespace gradation
