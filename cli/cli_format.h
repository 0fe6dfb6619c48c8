// gradation-cli's choice of markup: --format, --formats, --merge, --plain-blanks, --fit.
#pragma once

#include "cli/cli_options.h"
#include "core/gradient_markup.h"

#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

namespace gradation::cli {

bool is_format_option(std::string_view name);

// Reads one of those options (its value after args[i], or `inline_value`) into `o`,
// moving i past the value. Returns a usage error, or the empty text.
std::string parse_format_option(std::string_view name, std::optional<std::string_view> inline_value,
                                const std::vector<std::string_view>& args, std::size_t& i, Options& o);

// The dialects, one a line: name and what it is for.
std::string formats_text();

// Writes the markup of `text` in the chosen dialect to `sink`, fitted when --fit asks;
// warnings and what fitting did go to `err`, one line each. Yields kOk, or kFailed when
// the markup cannot fit (nothing written) or the run was stopped by `cancel`.
int write_markup(const Options& o, std::u16string_view text, const SettingRecord& setting, bool separate,
                 FunctionRef<bool()> cancel, MarkupSink& sink, std::ostream& err);

}  // namespace gradation::cli
