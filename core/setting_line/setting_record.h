// The parsed form of one setting line, and the parser from its text form.
#pragma once

#include "core/colour/gradient.h"
#include "core/base/refusal.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace gradation {

struct SettingRecord {
    bool StartMark = false;
    bool EndMark = false;
    bool BreakAfter = false;
    bool Underline = false;
    bool Italic = false;
    bool Bold = false;
    std::int16_t SizeMode = 0;
    std::int16_t SizeSign = 0;
    std::int16_t SizeValue = 0;
    bool TableWrap = false;
    std::int16_t TableBorder = 0;
    char16_t Direction = u' ';
    bool SizeWave = false;
    std::int16_t WavePattern = 0;
    Colour StartColor{};
    Colour EndColor{};
    std::int16_t DevTag = 0;
    // More stops or another space, from the [Gradient] section; none: StartColor to
    // EndColor in srgb. Its first and last stops are StartColor and EndColor.
    std::optional<Gradient> gradient;

    friend bool operator==(const SettingRecord&, const SettingRecord&) = default;
};

// The setting's name: the text before the first comma (the whole line when it has none).
std::u16string_view setting_name(std::u16string_view line);

// Parses a setting line. Refuses a line with fewer than 21 fields, or with a number
// field (positions 7-9, 11, 14-20) that does not read as a number or whose floor does
// not fit a signed 16-bit integer. Position 21, when present, is the whole rest of the
// line after the 21st comma; it reads as 0 unless it is a number. Either a whole record
// or the refusal with the field position (0..21); never a half-written record.
Result<SettingRecord> parse_setting_line(std::u16string_view line);

// A setting line written the way the shipped file writes one: the name, flags ON/OFF,
// numbers with a blank before a non-negative value (" 0", "-3"), the direction as its
// character (H or V), and the 22nd field (DevTag) as a bare number.
std::u16string format_setting_line(std::u16string_view name, const SettingRecord& setting);

}  // namespace gradation
