// The settings store's Gradient entries: set with their line's end colours.
#include "core/gradient_entries.h"
#include "core/settings_store.h"

namespace gradation {

std::string SettingsStore::set_gradient(int n, const std::optional<Gradient>& gradient) {
    if (std::string why = out_of_list(n); !why.empty()) return why;
    const std::u16string line = entries()[static_cast<std::size_t>(n)];
    SettingParse parsed = parse_setting_line(line);
    if (!parsed) return "entry " + std::to_string(n) + " is refused at " + describe(parsed.refusal);
    if (gradient && !fits_line(*gradient, *parsed.record)) {
        use_gradient(*parsed.record, *gradient);
        // Only the colours are new: the fields it keeps are not checked anew.
        if (std::string why = replace(n, format_setting_line(setting_name(line), *parsed.record), line); !why.empty())
            return why;
    }
    SettingsDocument doc = document_;
    set_gradient_entry(doc, n, gradient);
    // The setting list is untouched, so this only finds the entry lines anew.
    return adopt(std::move(doc), entries());
}

}  // namespace gradation
