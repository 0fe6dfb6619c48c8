// gradation-cli's markup in the dialect and within the limit the options chose.
#pragma once

#include "core/markup/gradient_markup.h"
#include "core/markup/markup_fit.h"

#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>

namespace gradation::cli {

// Writes the markup of `text` to `sink` as `options` say, fitted to `fit` when given;
// warnings and what fitting did go to `err`, one line each. Yields false when the
// markup cannot fit (nothing written) or the run was stopped by `cancel`.
bool write_markup(const MarkupOptions& options, std::optional<LengthLimit> fit, std::u16string_view text,
                  const SettingRecord& setting, bool separate, FunctionRef<bool()> cancel, MarkupSink& sink,
                  std::ostream& err);

}  // namespace gradation::cli
