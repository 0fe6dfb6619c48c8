#include "cli/cli_usage.h"

#include "core/markup/markup_dialects.h"

#include <algorithm>

namespace gradation::cli {
namespace {

// `text` in lines of at most `width` columns (a longer word stands alone), each after `indent`.
std::string wrapped(std::string_view text, const std::string& indent, std::size_t width = 76) {
    std::string out, line;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t space = std::min(text.find(' ', at), text.size());
        const std::string_view word = text.substr(at, space - at);
        if (!line.empty() && indent.size() + line.size() + 1 + word.size() > width) {
            out += indent + line + '\n';
            line.clear();
        }
        line += (line.empty() ? "" : " ") + std::string(word);
        at = space + 1;
    }
    return out + indent + line + '\n';
}

// The --format option: the dialects' names, from their table.
std::string format_option() {
    std::string names;
    for (const DialectInfo& d : dialects()) names += (names.empty() ? "" : " ") + std::string(d.name);
    const std::string text = "the markup to write (default html); --formats lists them: " + names +
                             ". A dialect without sizes, table or markers leaves them out and says so on standard error";
    return "  --format NAME" + wrapped(text, std::string(17, ' '), 78).substr(15);
}

}  // namespace

std::string usage_text() {
    return std::string("Usage: gradation-cli (--line LINE | --setting N) [--ini FILE] [--separate | --joined]\n"
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
           "                 (default for both: the setting's own tag form)\n") +
           format_option() +
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

std::string formats_text() {
    std::string text;
    for (const DialectInfo& d : dialects()) {
        std::string name(d.name);
        name.resize(std::max<std::size_t>(name.size() + 2, 19), ' ');
        text += name + std::string(d.purpose) + '\n' + wrapped(d.text_rule, std::string(19, ' '));
    }
    return text;
}

}  // namespace gradation::cli
