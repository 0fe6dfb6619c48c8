// gradation-cli --help (the options and the exit statuses) and --formats.
#pragma once

#include <string>

namespace gradation::cli {

std::string usage_text();

// The dialects: name and what it is for on a line, then how it keeps a text as text.
std::string formats_text();

}  // namespace gradation::cli
