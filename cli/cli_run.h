// Runs gradation-cli: options in, markup or a one-line error out.
#pragma once

#include "cli/cli_input.h"
#include "cli/cli_options.h"
#include "cli/cli_status.h"

#include <iosfwd>
#include <string_view>
#include <vector>

namespace gradation::cli {

// Runs the parsed options; `in` is standard input, read only when no text or file is given.
int run(const Options& options, ByteSource& in, std::ostream& out, std::ostream& err);

// The whole program: parses `args` (without the program name) and runs them.
int main_with_args(const std::vector<std::string_view>& args, ByteSource& in, std::ostream& out,
                   std::ostream& err);
// The same with standard input as a stream.
int main_with_args(const std::vector<std::string_view>& args, std::istream& in, std::ostream& out,
                   std::ostream& err);

}  // namespace gradation::cli
