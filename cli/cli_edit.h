// gradation-cli --add, --replace and --remove: editing the configuration file's entries.
#pragma once

#include "cli/cli_options.h"

#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

namespace gradation::cli {

bool is_edit_option(std::string_view name);

// Reads the values of --add LINE, --replace N LINE or --remove N from args (after
// args[i], or `inline_value` for the first) into `o`, moving i past them. A value that
// begins with "--" is taken as a missing value (write --add=LINE for such a line).
// Returns a usage error, or the empty text.
std::string parse_edit_option(std::string_view name, std::optional<std::string_view> inline_value,
                              const std::vector<std::string_view>& args, std::size_t& i, Options& o);

// The usage error of an edit combined with options it does not take, or the empty text.
std::string check_edit_options(const Options& o, bool list);

// Runs the edit on --ini FILE, or on the user's own file (created on the first write as
// a copy of the one beside the program). --add prints the new entry as "NN<TAB>name".
int run_edit(const Options& o, std::ostream& out, std::ostream& err);

}  // namespace gradation::cli
