// gradation-cli's input and output: what is taken from files and standard input,
// bounded and checked reads, streamed and checked writes, one-line messages.
#include "cli/cli_messages.h"
#include "cli/cli_output.h"
#include "cli/cli_run.h"
#include "support/cli_harness.h"
#include "support/setting_lines.h"
#include "core/markup/gradient_markup.h"
#include "support/test_text.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <streambuf>

namespace gradation::cli {
namespace {

using test::CliRun;
using test::lines::kHeaviest;
using test::lines::kStandard;

CliRun run_with(const std::vector<std::string_view>& args, std::istream& in, std::ostream& out) {
    return test::run_cli_with(args, in, out);
}
CliRun run(const std::vector<std::string_view>& args, const std::string& input = "") { return test::run_cli(args, input); }

// The tag contents of the standard setting's markup, in order.
std::vector<std::string> characters_of(const std::string& markup) {
    std::vector<std::string> out;
    for (std::size_t at = markup.find("\">"); at != std::string::npos; at = markup.find("\">", at)) {
        at += 2;
        out.push_back(markup.substr(at, markup.find("</FONT>", at) - at));
    }
    return out;
}

using Chars = std::vector<std::string>;

TEST(CliInput, FilesAndStandardInputAsTextToolsTakeThem) {
    struct Case {
        const char* bytes;
        Chars from_stream;  // standard input and files alike
        Chars from_text;    // --text: exactly as given
    };
    const Case cases[] = {
        {"abc\n", {"a", "b", "c"}, {"a", "b", "c", "\n"}},
        {"abc\r\n", {"a", "b", "c"}, {"a", "b", "c", "\r", "\n"}},
        {"\xEF\xBB\xBF" "abc", {"a", "b", "c"}, {"\xEF\xBB\xBF", "a", "b", "c"}},
        {"\xEF\xBB\xBF" "ab\n", {"a", "b"}, {"\xEF\xBB\xBF", "a", "b", "\n"}},
        {"ab\n\n", {"a", "b", "\n"}, {"a", "b", "\n", "\n"}},
        {"ab\r", {"a", "b", "\r"}, {"a", "b", "\r"}},
        {"a\nb\n", {"a", "\n", "b"}, {"a", "\n", "b", "\n"}},
        {"\n", {}, {"\n"}},
        {"か\xE3\x82\x99\n", {"か\xE3\x82\x99"}, {"か\xE3\x82\x99", "\n"}},
        {"x\xEF\xBB\xBF", {"x", "\xEF\xBB\xBF"}, {"x", "\xEF\xBB\xBF"}},
    };
    const std::string path = ::testing::TempDir() + "cli_streams_input.txt";
    for (const Case& c : cases) {
        std::ofstream(path, std::ios::binary | std::ios::trunc) << c.bytes;
        const CliRun piped = run({"--line", kStandard}, c.bytes);
        const CliRun file = run({"--line", kStandard, path});
        const CliRun text = run({"--line", kStandard, "--text", c.bytes});
        EXPECT_EQ(characters_of(piped.out), c.from_stream) << c.bytes;
        EXPECT_EQ(file.out, piped.out) << c.bytes;
        EXPECT_EQ(characters_of(text.out), c.from_text) << c.bytes;
        EXPECT_EQ(piped.code + file.code + text.code, kOk);
    }
    std::remove(path.c_str());
}

// A stream buffer that gives `good` bytes of "a" and then fails, or never ends.
class FaultyInput : public std::streambuf {
public:
    explicit FaultyInput(std::size_t good, bool endless = false) : good_(good), endless_(endless) {}
    std::size_t served = 0;

protected:
    int_type underflow() override {
        if (served >= good_ && !endless_) throw std::ios_base::failure("read error");
        chunk_.assign(1000, 'a');
        served += chunk_.size();
        setg(chunk_.data(), chunk_.data(), chunk_.data() + chunk_.size());
        return traits_type::to_int_type('a');
    }

private:
    std::size_t good_;
    bool endless_;
    std::string chunk_;
};

TEST(CliInput, AReadErrorHalfWayIsAFailure) {
    FaultyInput faulty(8000);
    std::istream in(&faulty);
    std::ostringstream out;
    const CliRun r = run_with({"--line", kStandard}, in, out);
    EXPECT_EQ(r.code, kFailed);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "gradation-cli: cannot read standard input: read error\n");
}

TEST(CliInput, ReadingStopsOnceTheInputIsTooLong) {
    FaultyInput endless(0, true);
    std::istream in(&endless);
    std::ostringstream out;
    const CliRun r = run_with({"--line", kStandard}, in, out);
    EXPECT_EQ(r.code, kFailed);
    EXPECT_NE(r.err.find("over 131068 bytes"), std::string::npos) << r.err;
    EXPECT_LT(endless.served, kMaxInputBytes + 20000);
}

TEST(CliInput, TheLongestTextWithSignatureAndLineBreakStillConverts) {
    const std::string text = "\xEF\xBB\xBF" + std::string(kMaxTextUnits, 'x') + "\r\n";
    const CliRun r = run({"--line", kStandard}, text);
    EXPECT_EQ(r.code, kOk) << r.err;
    EXPECT_EQ(characters_of(r.out).size(), kMaxTextUnits);
}

// A stream buffer that accepts `room` bytes, counting the writes, then fails.
class LimitedOutput : public std::streambuf {
public:
    explicit LimitedOutput(std::size_t room) : room_(room) {}
    std::vector<std::size_t> writes;
    std::string bytes;

protected:
    std::streamsize xsputn(const char* s, std::streamsize n) override {
        writes.push_back(static_cast<std::size_t>(n));
        const auto take = std::min<std::size_t>(static_cast<std::size_t>(n), room_ - bytes.size());
        bytes.append(s, take);
        return static_cast<std::streamsize>(take);
    }
    int_type overflow(int_type c) override {
        if (traits_type::eq_int_type(c, traits_type::eof()) || bytes.size() >= room_) return traits_type::eof();
        bytes.push_back(traits_type::to_char_type(c));
        return c;
    }

private:
    std::size_t room_;
};

TEST(CliOutput, MarkupIsStreamedInFixedChunks) {
    const std::string text(kMaxTextUnits, 'x');
    LimitedOutput sink(std::string::npos / 2);
    std::ostream out(&sink);
    std::istringstream in(text);
    const CliRun r = run_with({"--line", kHeaviest}, in, out);
    ASSERT_EQ(r.code, kOk) << r.err;
    const std::u16string whole = gradient_markup(test::u16(text), *parse_setting_line(test::u16(kHeaviest)), true);
    EXPECT_EQ(sink.bytes, test::u8(whole));
    ASSERT_GT(sink.writes.size(), 10u);
    for (std::size_t i = 0; i + 1 < sink.writes.size(); ++i) {
        EXPECT_LE(sink.writes[i], Utf8ChunkWriter::kChunkBytes);
        EXPECT_GT(sink.writes[i], Utf8ChunkWriter::kChunkBytes - 64);  // written when full
    }
}

TEST(CliOutput, AFailedWriteIsAFailureEverywhere) {
    const std::string text(kMaxTextUnits, 'x');
    struct Case {
        std::vector<std::string_view> args;
        std::vector<std::size_t> rooms;  // how much the output takes before it fails
    };
    const Case cases[] = {
        {{"--help"}, {0, 5}},
        {{"--version"}, {0, 5}},
        {{"--line", kStandard, "--text", "abc"}, {0, 5}},
        {{"--line", kHeaviest}, {0, 5, 100000, 1500000}},
    };
    for (const auto& [args, rooms] : cases) {
        for (const std::size_t room : rooms) {
            LimitedOutput sink(room);
            std::ostream out(&sink);
            std::istringstream in(text);
            const CliRun r = run_with(args, in, out);
            EXPECT_EQ(r.code, kFailed) << args[0] << " room " << room;
            EXPECT_NE(r.err.find("cannot write"), std::string::npos) << r.err;
            EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << r.err;
            EXPECT_LE(sink.writes.size(), room / Utf8ChunkWriter::kChunkBytes + 1) << "no writes after the failure";
        }
    }
}

TEST(CliMessages, NamesShowOnOneLine) {
    const std::pair<std::string, std::string> cases[] = {
        {"plain.txt", "plain.txt"},
        {"", "''"},
        {"名前 with space", "名前 with space"},
        {"a\nb", "$'a\\nb'"},
        {"\x1B[31mred", "$'\\e[31mred'"},
        {"tab\there\r", "$'tab\\there\\r'"},
        {"it's\n", "$'it\\'s\\n'"},
        {"back\\slash\x7F", "$'back\\\\slash\\x7f'"},
        {"c1 \xC2\x9B", "$'c1 \\u009b'"},
        {"latin1 \xE9", "$'latin1 \\xe9'"},
    };
    for (const auto& [name, expected] : cases) EXPECT_EQ(shown(name), expected);

    std::ostringstream err;
    EXPECT_EQ(report_error(err, kFailed, "line one\nline two\x1B"), kFailed);
    EXPECT_EQ(err.str(), "gradation-cli: line one\\nline two\\e\n");
}

}  // namespace
}  // namespace gradation::cli
