// The [Gradient] section: a setting's stops and space, keyed like its line
// ("03=oklch #FF0000@0 #FFFF00@35 #0080FF@100"). Readers that know nothing of it still
// read the line's two colours, which are the first and last stops.
#pragma once

#include "core/base/function_ref.h"
#include "core/colour/gradient.h"
#include "core/setting_line/setting_record.h"
#include "core/settings_file/configuration_file.h"
#include "core/settings_file/settings_document.h"

#include <optional>
#include <string>
#include <string_view>

namespace gradation {

inline constexpr const char* kGradientSection = "Gradient";

// Whether the gradient's end stops are the line's start and end colours.
bool fits_line(const Gradient& gradient, const SettingRecord& line);

// The record with `gradient`: its end stops become StartColor and EndColor, and a
// gradient that says no more than those (two stops in srgb) is not kept.
void use_gradient(SettingRecord& record, const Gradient& gradient);

// Whether the stored form can hold the gradient: it writes each channel as two hex digits.
bool fits_in_bytes(const Gradient& gradient);

// The entry of setting n as the line `record` meets it.
struct GradientEntryRead {
    std::optional<Gradient> gradient;  // present and well-formed, whether or not it fits the line
    bool stale = false;                // well-formed, but its ends differ: the line wins
    std::optional<Refusal> refused;    // malformed: why, with the position; else nothing
};
GradientEntryRead read_gradient_entry(std::string_view file_bytes, int n, const SettingRecord& record);

// Setting n of a configuration file's bytes (`line` from its setting list) as every
// program applies it: the line parsed, with its Gradient entry when the entry's end stops
// are the line's colours (else the line wins). Refused: a line that reached the reader's
// cut (ValueCut), a line the parser refuses (its own refusal), a malformed entry
// (GradientEntryRefusedAt, wrapping why).
Result<SettingRecord> setting_with_gradient(std::string_view file_bytes, const SettingLineRead& line, int n);

// Gives each two-digit key line of the first Gradient section the key `new_key` names
// for its number, or removes it when that is nothing. Every other byte stays.
void renumber_gradient_entries(SettingsDocument& doc, FunctionRef<std::optional<int>(int)> new_key);

// Makes `gradient` the entry of key n: the first line with that key gets the new value,
// or a line is added after the section's last entry (the section made at the end of the
// file when there is none); other lines with the key go. A plain gradient or nothing
// removes every line with the key.
void set_gradient_entry(SettingsDocument& doc, int n, const std::optional<Gradient>& gradient);

}  // namespace gradation
