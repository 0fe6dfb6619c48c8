// gradation-cli: the converter for scripts and batch work.
#include "cli/cli_run.h"

#include <iostream>
#include <string_view>
#include <vector>

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    std::vector<std::string_view> args(argv + 1, argv + argc);
    return gradation::cli::main_with_args(args, std::cin, std::cout, std::cerr);
}
