// gradation-cli: the converter for scripts and batch work.
#include "cli/cli_run.h"

#include <csignal>
#include <iostream>
#include <string_view>
#include <vector>

#include <fcntl.h>

namespace {

// A standard descriptor the program was started without gets /dev/null, opened the
// wrong way round: files opened later cannot take its number, and reading standard
// input or writing standard output then fails as it should instead of succeeding.
void occupy_closed_standard_descriptors() {
    for (int fd = 0; fd <= 2; ++fd) {
        if (fcntl(fd, F_GETFD) == -1) open("/dev/null", fd == 0 ? O_WRONLY : O_RDONLY);
    }
}

}  // namespace

int main(int argc, char** argv) {
    // A reader that goes away (... | head) ends a conversion quietly, as it ends filters;
    // an edit ignores it instead, to report that its report was lost (run_edit).
    std::signal(SIGPIPE, SIG_DFL);
    occupy_closed_standard_descriptors();
    std::ios::sync_with_stdio(false);
    std::vector<std::string_view> args(argv + 1, argv + argc);
    gradation::cli::FdSource standard_input(0);
    return gradation::cli::main_with_args(args, standard_input, std::cout, std::cerr);
}
