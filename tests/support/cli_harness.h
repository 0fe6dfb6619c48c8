// gradation-cli run in-process: its arguments and standard input in, its exit status
// and both output streams out.
#pragma once

#include "cli/cli_run.h"

#include <istream>
#include <ostream>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace gradation::test {

struct CliRun {
    int code;
    std::string out, err;
};

// With the caller's streams; `out` is given back only when it is a string stream.
inline CliRun run_cli_with(const std::vector<std::string_view>& args, std::istream& in, std::ostream& out) {
    std::ostringstream err;
    const int code = cli::main_with_args(args, in, out, err);
    const auto* captured = dynamic_cast<const std::ostringstream*>(&out);
    return {code, captured ? captured->str() : "", err.str()};
}

inline CliRun run_cli(const std::vector<std::string_view>& args, const std::string& input = "") {
    std::istringstream in(input);
    std::ostringstream out;
    return run_cli_with(args, in, out);
}

}  // namespace gradation::test
