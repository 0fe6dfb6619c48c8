// gradation-cli --help: the options and the exit statuses.
#pragma once

#include <string>

namespace gradation::cli {

std::string usage_text();

}  // namespace gradation::cli
