#include "core/settings_file/gradient_entries.h"

#include "core/settings_file/profile_reader.h"
#include "core/settings_file/setting_list.h"

#include <algorithm>
#include <vector>

namespace gradation {
namespace {

struct KeyLine {
    std::size_t line = 0;
    int key = 0;
};

// The first Gradient section's header line, and its two-digit key lines in order.
std::optional<std::size_t> gradient_section(const SettingsDocument& doc, std::vector<KeyLine>& keys) {
    std::optional<std::size_t> header;
    for (std::size_t i = 0; i < doc.lines.size(); ++i) {
        const ProfileLineParts parts = classify_profile_line(doc.lines[i].text);
        if (parts.section) {
            if (header) break;
            if (profile_names_equal(parts.name, kGradientSection)) header = i;
            continue;
        }
        const std::string_view k = parts.name;
        if (header && k.size() == 2 && k[0] >= '0' && k[0] <= '9' && k[1] >= '0' && k[1] <= '9')
            keys.push_back({i, (k[0] - '0') * 10 + (k[1] - '0')});
    }
    return header;
}

void end_last_line(SettingsDocument& doc, const std::string& end) {
    if (!doc.lines.empty() && doc.lines.back().end.empty()) doc.lines.back().end = end;
}

}  // namespace

bool fits_line(const Gradient& g, const SettingRecord& line) {
    return g.stops.front().colour == line.StartColor && g.stops.back().colour == line.EndColor;
}

bool fits_in_bytes(const Gradient& g) {
    for (const GradientStop& stop : g.stops)
        if (!in_byte_range(stop.colour)) return false;
    return true;
}

void use_gradient(SettingRecord& record, const Gradient& g) {
    record.StartColor = g.stops.front().colour;
    record.EndColor = g.stops.back().colour;
    record.gradient = is_plain(g) ? std::nullopt : std::optional(g);
}

GradientEntryRead read_gradient_entry(std::string_view file_bytes, int n, const SettingRecord& record) {
    const std::string key = setting_key(n);
    const std::vector<ProfileValue> values = profile_values_in(file_bytes, kGradientSection, {&key, 1});
    GradientEntryRead read;
    if (values.empty() || !values[0].found) return read;
    const ProfileValue& value = values[0];
    if (value.reached_cut) {
        read.refused = make_refusal(RefusalCode::ValueCut, {std::to_string(kValueCut)});
        return read;
    }
    Result<Gradient> parsed = parse_gradient(value.bytes);
    if (!parsed && value.ended_at_nul) {
        // What the reader kept is refused: say where it was cut, or the cause makes no sense.
        read.refused = refuse_because(RefusalCode::ValueEndsAtNul, {std::to_string(value.bytes.size() + 1)},
                                      parsed.error()).error();
    } else if (!parsed) {
        read.refused = parsed.error();
    } else {
        read.stale = !fits_line(*parsed, record);
        read.gradient = std::move(*parsed);
    }
    return read;
}

Result<SettingRecord> setting_with_gradient(std::string_view file_bytes, const SettingLineRead& line, int n) {
    // A line cut at the reader's limit is only part of what the file holds.
    if (line.reached_cut) return refuse(RefusalCode::ValueCut, {std::to_string(kValueCut)});
    Result<SettingRecord> setting = parse_setting_line(line.line);
    if (!setting) return setting;
    GradientEntryRead entry = read_gradient_entry(file_bytes, n, *setting);
    if (entry.refused) return refuse_because(RefusalCode::GradientEntryRefusedAt, {}, *entry.refused);
    if (!entry.stale) setting->gradient = std::move(entry.gradient);
    return setting;
}

void renumber_gradient_entries(SettingsDocument& doc, FunctionRef<std::optional<int>(int)> new_key) {
    std::vector<KeyLine> keys;
    gradient_section(doc, keys);
    // From the end, so that removing a line moves none still to be visited.
    for (auto it = keys.rbegin(); it != keys.rend(); ++it) {
        const std::optional<int> to = new_key(it->key);
        if (!to) {
            doc.lines.erase(doc.lines.begin() + static_cast<std::ptrdiff_t>(it->line));
        } else if (*to != it->key) {
            doc.lines[it->line].text = with_key(doc.lines[it->line].text, setting_key(*to));
        }
    }
}

void set_gradient_entry(SettingsDocument& doc, int n, const std::optional<Gradient>& gradient) {
    std::vector<KeyLine> keys;
    std::optional<std::size_t> header = gradient_section(doc, keys);
    const bool keep = gradient && !is_plain(*gradient);
    bool written = false;
    for (auto it = keys.rbegin(); it != keys.rend(); ++it) {
        if (it->key != n) continue;
        const bool first = std::none_of(std::next(it), keys.rend(), [n](const KeyLine& k) { return k.key == n; });
        if (keep && first) {
            doc.lines[it->line].text = with_value(doc.lines[it->line].text, format_gradient(*gradient));
            written = true;
        } else {
            doc.lines.erase(doc.lines.begin() + static_cast<std::ptrdiff_t>(it->line));
        }
    }
    if (!keep || written) return;
    const std::string end = doc.line_end();
    if (!header) {
        end_last_line(doc, end);
        doc.lines.push_back({"[" + std::string(kGradientSection) + "]", end});
        header = doc.lines.size() - 1;
    }
    keys.clear();
    gradient_section(doc, keys);
    const std::size_t after = keys.empty() ? *header : keys.back().line;
    if (doc.lines[after].end.empty()) doc.lines[after].end = end;
    const DocumentLine added{setting_key(n) + "=" + format_gradient(*gradient), doc.lines[after].end};
    doc.lines.insert(doc.lines.begin() + static_cast<std::ptrdiff_t>(after + 1), added);
}

}  // namespace gradation
