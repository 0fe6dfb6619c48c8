// The settings store's Gradient entries: set with their line's end colours.
#include "core/settings_file/gradient_entries.h"
#include "core/settings_file/settings_store.h"

namespace gradation {

Outcome SettingsStore::set_gradient(int n, const std::optional<Gradient>& gradient) {
    if (Outcome listed = in_list(n); !listed) return listed;
    if (gradient && !fits_in_bytes(*gradient)) return refuse(RefusalCode::GradientColourRange);
    const std::u16string line = entries()[static_cast<std::size_t>(n)];
    Result<SettingRecord> parsed = parse_setting_line(line);
    if (!parsed) return refuse_because(RefusalCode::EntryRefusedAt, {std::to_string(n)}, parsed.error());
    if (gradient && !fits_line(*gradient, *parsed)) {
        use_gradient(*parsed, *gradient);
        // Only the colours are new: the fields it keeps are not checked anew.
        if (Outcome replaced = replace(n, format_setting_line(setting_name(line), *parsed), line); !replaced)
            return replaced;
    }
    SettingsDocument doc = document_;
    set_gradient_entry(doc, n, gradient);
    // The setting list is untouched, so this only finds the entry lines anew.
    return adopt(std::move(doc), entries());
}

}  // namespace gradation
