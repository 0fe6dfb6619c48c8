// gradation-cli --add, --replace and --remove on a file given with --ini.
#include "cli/cli_run.h"

#include "support/cli_harness.h"
#include "support/setting_lines.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <sstream>

namespace gradation::cli {
namespace {

const std::string kTail = test::lines::kStandardTail;
const std::string kFile = "; mine\r\n[UserSetting]\r\n00=a" + kTail + "\r\n01=b" + kTail + "\r\n";

struct Case {
    const char* what;
    std::vector<std::string> args;  // --ini FILE is added
    int code;
    std::string out;
    std::string after;    // the file afterwards
    std::string message;  // a part of standard error
};

TEST(CliEdit, AddReplaceRemove) {
    const Case cases[] = {
        {"add prints key and name", {"--add", "ゆう,OFF,OFF,OFF,OFF,OFF,OFF,1,0,4,OFF,0,H,OFF,0,1,2,3,4,5,6"}, kOk,
         "02\tゆう\n",
         kFile + "02=ゆう,OFF,OFF,OFF,OFF,OFF,OFF, 1, 0, 4,OFF, 0,H,OFF, 0, 1, 2, 3, 4, 5, 6,0\r\n", ""},
        {"add with =", {"--add=c" + kTail}, kOk, "02\tc\n", kFile + "02=c" + kTail + "\r\n", ""},
        {"replace", {"--replace", "0", "z" + kTail}, kOk, "",
         "; mine\r\n[UserSetting]\r\n00=z" + kTail + "\r\n01=b" + kTail + "\r\n", ""},
        {"remove", {"--remove", "0"}, kOk, "", "; mine\r\n[UserSetting]\r\n00=b" + kTail + "\r\n", ""},
        {"refused line", {"--add", "x,ON"}, kFailed, "", kFile, "position 2: missing"},
        {"refused name", {"--add", " x" + kTail}, kFailed, "", kFile, "nothing written to"},
        {"not UTF-8", {"--add", "\xFF" + kTail}, kFailed, "", kFile, "not valid UTF-8"},
        {"entry outside the list", {"--remove", "2"}, kFailed, "", kFile, "entry 2 is not in the list"},
        {"replace needs two values", {"--replace", "0"}, kUsage, "", kFile, "needs an entry number and a line"},
        {"entry not a number", {"--remove", "x"}, kUsage, "", kFile, "from 0 to 99, not 'x'"},
        {"two edits", {"--remove", "0", "--add", "c" + kTail}, kUsage, "", kFile, "only one of"},
        {"with --text", {"--remove", "0", "--text", "a"}, kUsage, "", kFile, "--remove takes only --ini, not --text"},
        {"with --list", {"--list", "--remove", "0"}, kUsage, "", kFile, "--remove takes only --ini, not --list"},
        {"with --fit", {"--add", "c" + kTail, "--fit", "10"}, kUsage, "", kFile, "--stops and --space, not --fit"},
        {"with --format", {"--replace", "0", "c" + kTail, "--format", "bbcode"}, kUsage, "", kFile, "not --format"},
        {"with --no-merge", {"--remove", "0", "--no-merge"}, kUsage, "", kFile, "not --no-merge"},
        {"add with stops and a space", {"--add", "c" + kTail, "--stops", "#ff0000,#ffff00@35,#0080ff", "--space=oklch"},
         kOk, "02\tc\n",
         kFile + "02=c,OFF,OFF,OFF,OFF,OFF,OFF, 0, 0, 1,OFF, 0,H,OFF, 0, 255, 0, 0, 0, 128, 255,0\r\n"
                 "[Gradient]\r\n02=oklch #FF0000@0 #FFFF00@35 #0080FF@100\r\n", ""},
        {"replace with a space keeps the colours", {"--replace", "1", "b" + kTail, "--space", "oklab"}, kOk, "",
         kFile + "[Gradient]\r\n01=oklab #0080FF@0 #FF8000@100\r\n", ""},
        {"remove takes no space", {"--remove", "0", "--space", "oklch"}, kUsage, "", kFile, "--remove takes only"},
        {"one stop", {"--add", "c" + kTail, "--stops", "#ff0000"}, kUsage, "", kFile, "--stops refused at position 2"},
    };
    for (const Case& c : cases) {
        const test::TempFolder folder;
        const auto file = folder / "QX.ini";
        test::write_bytes(file, kFile);
        std::vector<std::string_view> args(c.args.begin(), c.args.end());
        const std::string ini = file.string();
        args.insert(args.end(), {"--ini", ini});
        const test::CliRun r = test::run_cli(args);
        EXPECT_EQ(r.code, c.code) << c.what << ": " << r.err;
        EXPECT_EQ(r.out, c.out) << c.what;
        EXPECT_EQ(test::read_bytes(file), c.after) << c.what;
        EXPECT_NE(r.err.find(c.message), std::string::npos) << c.what << ": " << r.err;
        EXPECT_EQ(std::filesystem::exists(folder / "QX.ini.bak"), c.code == kOk) << c.what;
    }
}

TEST(CliEdit, ConversionAndListReadTheGradients) {
    const test::TempFolder folder;
    const std::string ini = (folder / "QX.ini").string();
    test::write_bytes(ini, kFile + "[Gradient]\r\n01=oklch #0080FF@0 #FFFF00@50 #FF8000@100\r\n00=oklab #000000@0 "
                                  "#FFFFFF@100\r\n");
    const auto tags = [](const char* a, const char* b, const char* c) {
        return "<FONT COLOR=\"#" + std::string(a) + "\">a</FONT><FONT COLOR=\"#" + b + "\">b</FONT><FONT COLOR=\"#" + c +
               "\">c</FONT>\r\n";
    };
    const struct {
        std::vector<std::string_view> args;  // --ini FILE is added
        std::string out;
    } cases[] = {
        {{"--setting", "1", "--text", "abc"}, tags("0080FF", "FFFF00", "FF8000")},
        {{"--setting", "1", "--space", "srgb", "--text", "abc"}, tags("008080", "80C000", "FF8000")},
        {{"--setting", "0", "--stops", "#000000,#ffffff", "--space", "oklab", "--text", "abc"},
         tags("000000", "636363", "FFFFFF")},
        {{"--list"}, "00\ta\n01\tb\t3 stops, oklch\n"},
    };
    for (const auto& c : cases) {
        std::vector<std::string_view> args = c.args;
        args.insert(args.end(), {"--ini", ini});
        std::istringstream in;
        std::ostringstream out, err;
        EXPECT_EQ(main_with_args(args, in, out, err), kOk) << err.str();
        EXPECT_EQ(out.str(), c.out) << c.args[0];
    }
}

TEST(CliEdit, RefusesWhatItCannotRead) {
    const test::TempFolder folder;
    const struct {
        std::string ini;
        const char* message;
    } cases[] = {
        {(folder / "missing.ini").string(), "no such file"},
        {(folder / "utf16.ini").string(), "it is UTF-16"},
    };
    test::write_bytes(folder / "utf16.ini", "\xFF\xFE[\0U\0");
    for (const auto& c : cases) {
        const test::CliRun r = test::run_cli({"--remove", "0", "--ini", c.ini});
        EXPECT_EQ(r.code, kFailed) << c.ini;
        EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
        EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << "one line: " << r.err;
    }
    EXPECT_FALSE(std::filesystem::exists(folder / "missing.ini"));
}

}  // namespace
}  // namespace gradation::cli
