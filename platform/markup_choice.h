// The window's markup choice, the dialect and the length limit, kept between runs in
// gradation.conf beside the user's own QX.ini (never in QX.ini, which older copies
// of the program share).
#pragma once

#include "core/markup/markup_dialects.h"
#include "core/markup/markup_fit.h"
#include "core/base/refusal.h"

#include <filesystem>
#include <optional>
#include <string>

namespace gradation::platform {

struct MarkupChoice {
    Dialect dialect = Dialect::Html;
    std::optional<LengthLimit> limit;  // none: the markup may be of any length
    friend bool operator==(const MarkupChoice& a, const MarkupChoice& b) {
        const bool same_limit = a.limit.has_value() == b.limit.has_value() &&
                                (!a.limit || (a.limit->length == b.limit->length && a.limit->unit == b.limit->unit));
        return a.dialect == b.dialect && same_limit;
    }
};

// $XDG_CONFIG_HOME/gradation/gradation.conf (or ~/.config/...); empty when neither
// XDG_CONFIG_HOME nor HOME says where.
std::filesystem::path markup_choice_file();

// The stored choice; a missing file, key or unknown value reads as the default, and so
// does anything there but a regular file, which is never waited for.
MarkupChoice read_markup_choice();
// Keeps the choice in the file; refused (with why) when it cannot, such as when the file
// is a folder, a pipe or read-only. The program goes on with the choice anyway.
Outcome write_markup_choice(const MarkupChoice& choice);

// "256" (UTF-16 units), "512b" (UTF-8 bytes) or "none", and back; nothing for other texts.
std::string limit_text(const std::optional<LengthLimit>& limit);
std::optional<std::optional<LengthLimit>> limit_from_text(const std::string& text);

}  // namespace gradation::platform
