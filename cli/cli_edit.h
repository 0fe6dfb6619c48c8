// gradation-cli --add, --replace and --remove: editing the configuration file's entries.
#pragma once

#include "cli/cli_options.h"

#include <iosfwd>

namespace gradation::cli {

// Runs the edit on --ini FILE, or on the user's own file (created on the first write as
// a copy of the one beside the program). --add prints the new entry as "NN<TAB>name".
int run_edit(const Options& o, std::ostream& out, std::ostream& err);

}  // namespace gradation::cli
