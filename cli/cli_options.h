// Command-line options of gradation-cli.
#pragma once

#include "core/base/refusal.h"
#include "core/markup/gradient_markup.h"
#include "core/markup/markup_fit.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace gradation::cli {

struct Options {
    enum class Action { Convert, Help, Version, List, WhichIni, Formats, Add, Replace, Remove };
    Action action = Action::Convert;
    std::optional<std::string> line;     // --line: the setting line itself
    std::optional<int> setting;          // --setting N: key N of the configuration file
    std::optional<std::string> ini;      // --ini FILE: the configuration file
    std::optional<bool> separate;        // --separate (true) / --joined (false)
    std::optional<std::string> text;     // --text TEXT
    std::optional<std::string> file;     // FILE, the input file
    std::optional<std::string> edit_line;  // --add LINE, --replace N LINE
    std::optional<int> edit_entry;         // --replace N, --remove N
    std::optional<std::string> stops;      // --stops "#RRGGBB[@P],...": the gradient's stops
    std::optional<std::string> space;      // --space NAME: the gradient's colour space
    std::optional<Dialect> format;         // --format NAME
    bool formats = false;                  // --formats
    std::optional<bool> merge;             // --merge / --no-merge
    std::optional<bool> plain_blanks;      // --plain-blanks / --no-plain-blanks
    std::optional<LengthLimit> fit;        // --fit N or --fit Nb
};

// Parses the arguments after the program name and checks how they combine, or refuses
// them (a usage error). Long options take their value as the next argument or after "=";
// "--" ends the options; "-" as FILE means standard input.
Result<Options> parse_options(const std::vector<std::string_view>& args);

// The markup options the dialect starts with, switched as the options say.
MarkupOptions markup_options(const Options& o);

}  // namespace gradation::cli
