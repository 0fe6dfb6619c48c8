#include "core/markup/gradient_markup.h"

#include <utility>

namespace gradation {

MarkupOptions default_options(Dialect dialect) {
    MarkupOptions o;
    o.dialect = dialect;
    o.merge = o.plain_blanks = dialect_info(dialect).shortened;
    return o;
}

bool write_gradient_markup(std::u16string_view text, const SettingRecord& setting, FunctionRef<bool()> separate_tags,
                           FunctionRef<bool()> cancel, MarkupSink& sink, const MarkupOptions& options) {
    const std::optional<MarkupPlan> plan = build_plan(text, setting, cancel);
    return plan && write_planned_markup(*plan, options, separate_tags, cancel, sink);
}

std::optional<std::u16string> gradient_markup(std::u16string_view text, const SettingRecord& setting,
                                              FunctionRef<bool()> separate_tags, FunctionRef<bool()> cancel,
                                              const MarkupOptions& options) {
    StringSink sink;
    if (!write_gradient_markup(text, setting, separate_tags, cancel, sink, options)) return std::nullopt;
    return std::move(sink.markup);
}

std::u16string gradient_markup(std::u16string_view text, const SettingRecord& setting, bool separate_tags,
                               const MarkupOptions& options) {
    auto separate = [separate_tags] { return separate_tags; };
    auto never = [] { return false; };
    return *gradient_markup(text, setting, separate, never, options);
}

}  // namespace gradation
