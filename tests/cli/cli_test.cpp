#include "cli/cli_usage.h"
#include "core/base/refusal.h"
#include "core/colour/colour_space.h"
#include "support/cli_harness.h"
#include "support/setting_lines.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <regex>
#include <sstream>

namespace gradation::cli {
namespace {

using test::CliRun;
using test::lines::kStandard;
constexpr const char* kAbcMarkup =
    "<FONT COLOR=\"#0080AA\">a</FONT><FONT COLOR=\"#558055\">b</FONT><FONT COLOR=\"#AA8000\">c</FONT>\r\n";

CliRun run(const std::vector<std::string_view>& args, const std::string& input = "") { return test::run_cli(args, input); }

TEST(Cli, ConvertsTextFileAndStandardInputAlike) {
    const CliRun text = run({"--line", kStandard, "--text", "abc"});
    EXPECT_EQ(text.code, kOk);
    EXPECT_EQ(text.out, kAbcMarkup);
    EXPECT_EQ(text.err, "");

    EXPECT_EQ(run({"--line", kStandard}, "abc").out, kAbcMarkup);
    EXPECT_EQ(run({"--line", kStandard, "-"}, "abc").out, kAbcMarkup);

    const std::string path = ::testing::TempDir() + "cli_input.txt";
    std::ofstream(path, std::ios::binary) << "abc";
    EXPECT_EQ(run({"--line", kStandard, path}).out, kAbcMarkup);
    EXPECT_EQ(run({std::string("--line=") + kStandard, "--", path}).out, kAbcMarkup);
    std::remove(path.c_str());
}

TEST(Cli, TagFormFollowsDevTagUnlessOverridden) {
    const std::string sized = "x,OFF,OFF,OFF,OFF,OFF,OFF, 1, 0, 3,OFF, 0,H,OFF, 0, 0, 0, 0, 0, 0, 0";
    const std::string joined = "<FONT COLOR=\"#000000\" SIZE=\"3\">a</FONT>\r\n";
    const std::string separate = "<FONT COLOR=\"#000000\"><FONT SIZE=\"3\">a</FONT></FONT>\r\n";
    struct Case {
        std::string line;
        std::vector<std::string_view> extra;
        std::string expected;
    };
    const Case cases[] = {
        {sized, {}, joined},
        {sized + ",1", {}, separate},
        {sized + ",2", {}, joined},
        {sized + ",1", {"--joined"}, joined},
        {sized, {"--separate"}, separate},
    };
    for (const Case& c : cases) {
        std::vector<std::string_view> args = {"--line", c.line, "--text", "a"};
        args.insert(args.end(), c.extra.begin(), c.extra.end());
        EXPECT_EQ(run(args).out, c.expected) << c.line;
    }
}

TEST(Cli, ErrorsAndExitCodes) {
    struct Case {
        std::vector<std::string_view> args;
        std::string input;
        int code;
        std::string message_part;
    };
    const std::string long_text(32768, 'a');
    const Case cases[] = {
        {{"--bogus"}, "", kUsage, "unknown option --bogus"},
        {{"--line"}, "", kUsage, "--line needs a value"},
        {{"--line", kStandard, "--separate", "--joined"}, "", kUsage, "exclude"},
        {{"--line", kStandard, "--text", "a", "file"}, "", kUsage, "exclude"},
        {{"--line", kStandard, "a", "b"}, "", kUsage, "only one input file"},
        {{"--separate=1", "--line", kStandard}, "", kUsage, "takes no value"},
        {{"--line", "x,ON"}, "abc", kFailed, "position 2"},
        {{"--line", "x,OFF,OFF,OFF,OFF,OFF,OFF, z, 0, 1,OFF, 0,H,OFF, 0, 0, 128, 255, 255, 128, 0"}, "abc",
         kFailed, "position 7: not a number"},
        {{"--line", kStandard}, "\xff\xfe", kFailed, "not valid UTF-8"},
        {{"--line", kStandard}, long_text, kFailed, "32768"},
        {{"--line", kStandard, "/nonexistent/input.txt"}, "", kFailed, "cannot read /nonexistent/input.txt"},
    };
    for (const Case& c : cases) {
        const CliRun r = run(c.args, c.input);
        EXPECT_EQ(r.code, c.code) << r.err;
        EXPECT_EQ(r.out, "");
        EXPECT_NE(r.err.find(c.message_part), std::string::npos) << r.err;
        EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << "one line: " << r.err;
    }
}

TEST(Cli, EmptyInputWritesNothingAndTheLongestTextConverts) {
    const CliRun empty = run({"--line", kStandard}, "");
    EXPECT_EQ(empty.code, kOk);
    EXPECT_EQ(empty.out, "");

    // 32,767 units: ten thousand and more Japanese characters and ASCII, and a pair at the end.
    std::string text;
    for (int i = 0; i < 16382; ++i) text += "あa";
    text += "\xF0\x9F\x98\x80";  // one surrogate pair: 16382 * 2 + 2 = 32766 units
    text += "b";
    const CliRun full = run({"--line", kStandard}, text);
    EXPECT_EQ(full.code, kOk) << full.err;
    EXPECT_NE(full.out.find(">😀</FONT>"), std::string::npos);
}

// The markup's form on the command line; its rules are the core's and tested there.
TEST(Cli, FormatsMergingAndFitting) {
    const std::string styled = "x,ON,OFF,OFF,OFF,OFF,ON, 1, 0, 3,OFF, 0,H,OFF, 0, 255, 128, 0, 255, 128, 0";
    struct Case {
        std::vector<std::string_view> args;
        int code;
        std::string out, err;
    };
    const Case cases[] = {
        {{"--format", "minecraft", "--text", "a b"}, kOk, "&#ff8000a b", ""},
        {{"--format=ansi", "--no-merge", "--no-plain-blanks", "--text", "ab"}, kOk,
         "\x1B[38;2;255;128;0ma\x1B[38;2;255;128;0mb\x1B[0m", ""},
        {{"--merge", "--plain-blanks", "--text", "a b"}, kOk, "<FONT COLOR=\"#FF8000\">a b</FONT>\r\n", ""},
        {{"--format", "minimessage", "--fit", "10", "--text", "a"}, kOk, "<#ff8000>a",
         "gradation-cli: merged, plain blanks: 10 of 10\n"},
        {{"--fit", "9b", "--format", "minecraft", "--text", "\u00E9"}, kFailed, "",
         "gradation-cli: cannot fit: the shortest markup is 10 bytes, over the limit of 9 bytes\n"},
        {{"--format", "minecraft", "--text", "&l"}, kOk, "&#ff8000&&#ff8000l",
         "gradation-cli: warning: the text holds 1 &, the code sign of Minecraft plugins, which minecraft cannot escape\n"},
        {{"--line", styled, "--format", "bbcode", "--text", "a"}, kOk, "[b][color=#ff8000][size=3]a[/size][/color][/b]",
         "gradation-cli: warning: bbcode leaves out the setting's start marker\n"},
        {{"--format", "html5"}, kUsage, "", "gradation-cli: unknown format html5 (--formats lists them) (see --help)\n"},
        {{"--fit", "-3"}, kUsage, "",
         "gradation-cli: --fit takes a length in UTF-16 units (N) or UTF-8 bytes (Nb), not -3 (see --help)\n"},
    };
    const std::string orange = "x,OFF,OFF,OFF,OFF,OFF,OFF, 0, 0, 1,OFF, 0,H,OFF, 0, 255, 128, 0, 255, 128, 0";
    for (const Case& c : cases) {
        std::vector<std::string_view> args = c.args;
        if (std::find(args.begin(), args.end(), "--line") == args.end()) args.insert(args.begin(), {"--line", orange});
        const CliRun r = run(args);
        EXPECT_EQ(r.code, c.code) << c.args[1];
        EXPECT_EQ(r.out, c.out) << c.args[1];
        EXPECT_EQ(r.err, c.err) << c.args[1];
    }
    EXPECT_NE(run({"--formats"}).out.find("\nminecraft-section  Minecraft: "), std::string::npos);
}

TEST(Cli, HelpAndVersion) {
    const CliRun help = run({"--help"});
    EXPECT_EQ(help.code, kOk);
    EXPECT_NE(help.out.find("--line LINE"), std::string::npos);
    const CliRun version = run({"--version"});
    EXPECT_EQ(version.code, kOk);
    EXPECT_EQ(version.out, "gradation-cli 5.7.4\n");
}

// Every place that lists the colour spaces names each row of the table.
TEST(Cli, EveryListOfSpacesNamesEachSpace) {
    const auto file = [](const char* path) {
        std::ifstream in(std::string(GRADATION_SOURCE) + "/" + path);
        return std::string(std::istreambuf_iterator<char>(in), {});
    };
    // A name counts as a word of its own: "srgb" inside "linear-srgb" does not.
    const auto names = [](const std::string& text, std::string_view name) {
        const std::regex word("(^|[^-a-z])" + std::string(name) + "($|[^-a-z])");
        return std::regex_search(std::regex_replace(text, std::regex(R"(\\-)"), "-"), word);
    };
    const std::pair<const char*, std::string> lists[] = {
        {"help", usage_text()},
        {"refusal", make_refusal(RefusalCode::GradientSpaceMissing, {}, 0).text()},
        {"--space error", run({"--space", "lab", "--text", "a"}).err},
        {"README", file("README.md")},
        {"man page", file("packaging/man/gradation-cli.1.in")},
    };
    for (const auto& [where, text] : lists)
        for (const ColourSpace& row : colour_spaces()) EXPECT_TRUE(names(text, row.name)) << where << ": " << row.name;
}

}  // namespace
}  // namespace gradation::cli
