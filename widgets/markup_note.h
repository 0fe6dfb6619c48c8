// Markup written as the user chose it (dialect and length limit), and what both
// windows say about it: its length against the limit, what the dialect leaves out
// and text that the game would read as a code.
#pragma once

#include "platform/markup_choice.h"
#include "core/base/function_ref.h"
#include "core/setting_line/setting_record.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <string>
#include <string_view>

namespace gradation::widgets {

struct ChosenMarkup {
    std::optional<std::u16string> markup;  // none when cancelled or when it cannot fit
    bool too_long = false;
    // "長さ 251 / 256 (まとめ)", or the shortest length when it cannot fit.
    QString length_line;
    QStringList warnings;  // what the dialect leaves out, text read as a code
};

// `text` is 1..kMaxTextUnits units long.
ChosenMarkup chosen_markup(std::u16string_view text, const SettingRecord& setting,
                           const platform::MarkupChoice& choice, FunctionRef<bool()> separate_tags,
                           FunctionRef<bool()> cancel);

// The window's note: "minecraft: 長さ 251 / 256", then the warnings, one a line.
QString conversion_note(Dialect dialect, const ChosenMarkup& chosen);

// What `dialect` is for, in one line of the window's language.
QString dialect_purpose(Dialect dialect);

// "UTF-16 単位" or "UTF-8 バイト".
QString unit_name(LengthUnit unit);

}  // namespace gradation::widgets
