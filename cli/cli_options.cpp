#include "cli/cli_options.h"

#include "cli/cli_edit.h"
#include "cli/cli_gradient.h"
#include "cli/cli_messages.h"

#include <charconv>

namespace gradation::cli {
namespace {

Parsed fail(std::string message) { return {std::nullopt, std::move(message)}; }

// "N" in UTF-16 units or "Nb" in UTF-8 bytes.
std::optional<LengthLimit> limit_from(std::string_view value) {
    LengthLimit limit;
    if (value.ends_with('b')) {
        limit.unit = LengthUnit::Utf8Bytes;
        value.remove_suffix(1);
    }
    const auto [end, ec] = std::from_chars(value.data(), value.data() + value.size(), limit.length);
    if (value.empty() || ec != std::errc() || end != value.data() + value.size()) return std::nullopt;
    return limit;
}

// --format, --formats, --merge, --plain-blanks (with their --no- forms) and --fit.
bool is_markup_option(std::string_view name) {
    return name == "--format" || name == "--fit" || name == "--merge" || name == "--no-merge" ||
           name == "--plain-blanks" || name == "--no-plain-blanks" || name == "--formats";
}

// Reads one of those into `o`, moving i past a value; yields a usage error or nothing.
std::string parse_markup_option(std::string_view name, std::optional<std::string_view> inline_value,
                                const std::vector<std::string_view>& args, std::size_t& i, Options& o) {
    if (name != "--format" && name != "--fit") {
        if (inline_value) return std::string(name) + " takes no value";
        if (name == "--formats") o.formats = true;
        if (name.ends_with("merge")) o.merge = name == "--merge";
        if (name.ends_with("plain-blanks")) o.plain_blanks = name == "--plain-blanks";
        return {};
    }
    if (!inline_value && i + 1 >= args.size()) return std::string(name) + " needs a value";
    const std::string_view value = inline_value ? *inline_value : args[++i];
    if (name == "--format") {
        o.format = dialect_named(value);
        if (!o.format) return "unknown format " + shown(value) + " (--formats lists them)";
        return {};
    }
    o.fit = limit_from(value);
    if (!o.fit) return "--fit takes a length in UTF-16 units (N) or UTF-8 bytes (Nb), not " + shown(value);
    return {};
}

}  // namespace

MarkupOptions markup_options(const Options& o) {
    MarkupOptions options = default_options(o.format.value_or(Dialect::Html));
    options.merge = o.merge.value_or(options.merge);
    options.plain_blanks = o.plain_blanks.value_or(options.plain_blanks);
    return options;
}

std::string usage_text() {
    return "Usage: gradation-cli (--line LINE | --setting N) [--ini FILE] [--separate | --joined]\n"
           "                     [--format NAME] [--[no-]merge] [--[no-]plain-blanks] [--fit N[b]]\n"
           "                     [--text TEXT | FILE]\n"
           "       gradation-cli --formats\n"
           "       gradation-cli (--list | --which-ini) [--ini FILE]\n"
           "       gradation-cli (--add LINE | --replace N LINE) [--stops STOPS] [--space NAME] [--ini FILE]\n"
           "       gradation-cli --remove N [--ini FILE]\n"
           "       gradation-cli --help | --version\n"
           "\n"
           "Turns a text into gradient font-tag markup and writes it to standard output.\n"
           "The text is TEXT exactly, or the UTF-8 content of FILE, or standard input; from\n"
           "a file or standard input a leading byte order mark and one final line break\n"
           "(LF or CR LF) are dropped. At most 32767 UTF-16 units. Each character a reader\n"
           "sees (a letter with its marks, an emoji sequence) gets one tag.\n"
           "\n"
           "  --line LINE    the setting line to use (name and 21 comma-separated fields)\n"
           "  --setting N    use setting N (0-99) of the configuration file (default 0)\n"
           "  --ini FILE     the configuration file (default: the first that exists of\n"
           "                 $XDG_CONFIG_HOME/gradation/QX.ini, gradation/QX.ini in each\n"
           "                 folder of $XDG_CONFIG_DIRS (/etc/xdg), QX.ini beside the\n"
           "                 program, ../share/gradation/QX.ini from the program's folder)\n"
           "  --list         list the configuration file's settings: key, tab, name\n"
           "  --which-ini    print the name of the configuration file that would be read\n"
           "  --add LINE     add LINE as the list's next entry; prints its key, tab, name\n"
           "  --replace N LINE  put LINE in place of entry N (same key)\n"
           "  --remove N     remove entry N; later entries move up one key\n"
           "                 (without --ini these write your own QX.ini, first made as a\n"
           "                 copy of the file that was read; that one is never written)\n"
           "  --stops STOPS  the gradient's 2 to 16 colour stops, e.g. \"#ff0000,#ffff00@35,#0080ff\"\n"
           "                 (@ a position in percent; left out, spread evenly)\n"
           "  --space NAME   the space to blend in: srgb (the default), linear-srgb, oklab,\n"
           "                 oklch or oklch-longer (hue the long way round)\n"
           "                 (both for one conversion, or stored with --add and --replace)\n"
           "  --separate     colour and size in separate font tags\n"
           "  --joined       colour and size in one font tag\n"
           "                 (default for both: the setting's own tag form)\n"
           "  --format NAME  the markup to write (default html); --formats lists them:\n"
           "                 html html-css bbcode minecraft minecraft-section minimessage\n"
           "                 minecraft-json ansi ansi-256. A dialect without sizes, table\n"
           "                 or markers leaves them out and says so on standard error\n"
           "  --merge, --no-merge  neighbouring characters of one colour and size share a\n"
           "                 tag (default: off for html, on for the others)\n"
           "  --plain-blanks, --no-plain-blanks  blanks take no colour (same defaults)\n"
           "  --fit N, --fit Nb  make the markup at most N UTF-16 units (Nb: UTF-8 bytes):\n"
           "                 merging, then plain blanks, then 2, 3, ... characters per\n"
           "                 colour, only as far as needed; what it did goes to standard\n"
           "                 error; exit 1, writing nothing, when it cannot fit\n"
           "  --text TEXT    convert TEXT, as it is, instead of reading a file\n"
           "  --help         show this help\n"
           "  --version      show the version\n"
           "\n"
           "Exit status: 0 done, 1 failed or cannot fit (one line on standard error;\n"
           "nothing written), 2 usage error, 3 an edit was written but its report could\n"
           "not be printed.\n";
}

Parsed parse_options(const std::vector<std::string_view>& args) {
    Options o;
    bool options_ended = false;
    bool help = false;
    bool version = false;
    bool list = false;
    bool which_ini = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string_view arg = args[i];
        if (options_ended || arg == "-" || !arg.starts_with("-")) {
            if (o.file) return fail("only one input file can be given");
            o.file = std::string(arg);
            continue;
        }
        if (arg == "--") {
            options_ended = true;
            continue;
        }
        std::string_view name = arg;
        std::optional<std::string_view> inline_value;
        if (const auto eq = arg.find('='); eq != std::string_view::npos) {
            name = arg.substr(0, eq);
            inline_value = arg.substr(eq + 1);
        }
        if (is_edit_option(name)) {
            if (std::string why = parse_edit_option(name, inline_value, args, i, o); !why.empty()) return fail(why);
            continue;
        }
        if (is_markup_option(name)) {
            if (std::string why = parse_markup_option(name, inline_value, args, i, o); !why.empty()) return fail(why);
            continue;
        }
        const auto takes_value = [&](std::string_view opt) { return name == opt; };
        if (takes_value("--line") || takes_value("--text") || takes_value("--ini") || takes_value("--setting") ||
            takes_value("--stops") || takes_value("--space")) {
            std::string_view value;
            if (inline_value) {
                value = *inline_value;
            } else if (i + 1 < args.size()) {
                value = args[++i];
            } else {
                return fail(std::string(name) + " needs a value");
            }
            if (name == "--line") o.line = std::string(value);
            if (name == "--text") o.text = std::string(value);
            if (name == "--ini") o.ini = std::string(value);
            if (name == "--stops") o.stops = std::string(value);
            if (name == "--space") o.space = std::string(value);
            if (name == "--setting") {
                int n = -1;
                const auto [end, ec] = std::from_chars(value.data(), value.data() + value.size(), n);
                if (ec != std::errc() || end != value.data() + value.size() || n < 0 || n > 99)
                    return fail("--setting takes a number from 0 to 99, not '" + std::string(value) + "'");
                o.setting = n;
            }
            continue;
        }
        if (inline_value) return fail(std::string(name) + " takes no value");
        if (name == "--separate" || name == "--joined") {
            const bool separate = name == "--separate";
            if (o.separate && *o.separate != separate) return fail("--separate and --joined exclude each other");
            o.separate = separate;
        } else if (name == "--help") {
            help = true;
        } else if (name == "--version") {
            version = true;
        } else if (name == "--list") {
            list = true;
        } else if (name == "--which-ini") {
            which_ini = true;
        } else {
            return fail("unknown option " + std::string(name));
        }
    }

    if (std::string why = check_gradient_options(o); !why.empty()) return fail(why);
    if (help) {
        o.action = Options::Action::Help;
        return {o, {}};
    }
    if (version) {
        o.action = Options::Action::Version;
        return {o, {}};
    }
    if (o.formats) {
        o.action = Options::Action::Formats;
        return {o, {}};
    }
    if (o.action != Options::Action::Convert) {
        if (std::string why = check_edit_options(o, list); !why.empty()) return fail(why);
        return {o, {}};
    }
    if (list || which_ini) {
        const char* option = list ? "--list" : "--which-ini";
        if (o.line || o.setting || o.text || o.file || o.separate || o.stops || o.space || (list && which_ini))
            return fail(std::string(option) + " takes only --ini");
        o.action = list ? Options::Action::List : Options::Action::WhichIni;
        return {o, {}};
    }
    if (o.line && (o.setting || o.ini)) return fail("--line excludes --setting and --ini");
    if (o.text && o.file) return fail("--text and an input file exclude each other");
    return {o, {}};
}

}  // namespace gradation::cli
