#include "cli/cli_run.h"
#include "support/cli_harness.h"
#include "support/setting_lines.h"

#include "core/settings_file/configuration_path.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace gradation::cli {
namespace {

const std::string kWindowsFile = std::string(GRADATION_FIXTURES) + "/windows_sjis_crlf.ini";
using test::CliRun;
using test::lines::kItem;
using test::lines::kStandard;

CliRun run(const std::vector<std::string_view>& args) { return test::run_cli(args); }

std::string write_temp(const std::string& name, const std::string& bytes) {
    const std::string path = ::testing::TempDir() + name;
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
    return path;
}

// Listing the Windows file and setting 0 against its line: the real program, in
// cli_configuration_file.cmake.
TEST(CliConfiguration, ChoosesTheSetting) {
    const std::string item_abc = run({"--line", kItem, "--text", "abc"}).out;
    ASSERT_NE(item_abc, run({"--line", kStandard, "--text", "abc"}).out);
    EXPECT_EQ(run({"--ini", kWindowsFile, "--setting", "1", "--text", "abc"}).out, item_abc);
    EXPECT_EQ(run({"--ini", kWindowsFile, "--text", "abc"}).out, run({"--line", kStandard, "--text", "abc"}).out);

    const CliRun empty = run({"--list", "--ini", write_temp("no_settings.ini", "[UserSetting]\n00=Plain\n")});
    EXPECT_EQ(empty.code, kOk);
    EXPECT_EQ(empty.out, "");
}

TEST(CliConfiguration, Errors) {
    const std::string missing = ::testing::TempDir() + "missing.ini";
    const std::string refused = write_temp("refused.ini", "[UserSetting]\n00=a,x\n01=b,x\n");
    const std::string none = write_temp("none.ini", "[Other]\n00=a,x\n");
    const std::string beside = (executable_directory() / "QX.ini").string();
    const std::string utf16 = write_temp("utf16.ini", "\xFF\xFE[\0U\0");
    // A value of 1,025 bytes: the reader keeps 1,023, and " 255" would read as " 2".
    const std::string cut = write_temp("cut.ini", "[UserSetting]\n00=" + std::string(kStandard) + "\n01=" +
                                                      std::string(1025 - 69, 'x') +
                                                      ",OFF,OFF,OFF,OFF,OFF,OFF, 0, 0, 1,OFF, 0,H,OFF, 0, 0, 0, 0, 0, 0, 255\n");
    struct Case {
        std::vector<std::string_view> args;
        std::string message;
    };
    const Case cases[] = {
        {{"--list", "--ini", missing}, "no such file: " + missing},
        {{"--text", "a", "--ini", missing}, "no such file: " + missing},
        {{"--text", "a"}, "no such file: " + beside},
        {{"--setting", "2", "--ini", kWindowsFile}, "setting 2 is not in the list of " + kWindowsFile +
                                                        " (it lists settings 0 to 1)"},
        {{"--ini", none}, "setting 0 is not in the list of " + none + " (it lists no settings)"},
        {{"--setting", "1", "--ini", refused}, "setting 1 (key 01) of " + refused + " refused at position 2"},
        {{"--list", "--ini", utf16}, "cannot read " + utf16 + ": it is UTF-16"},
        {{"--setting", "1", "--ini", cut}, "setting 1 (key 01) of " + cut + " is refused: it is longer than the 1023 bytes"},
    };
    for (const Case& c : cases) {
        const CliRun r = run(c.args);
        EXPECT_EQ(r.code, kFailed) << r.err;
        EXPECT_EQ(r.out, "");
        EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
        EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << "one line: " << r.err;
    }
}

}  // namespace
}  // namespace gradation::cli
