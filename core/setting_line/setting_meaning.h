// What the numbers and characters of a setting mean, named once for the generator, the
// main window and the settings editor. SettingRecord keeps the raw values as read;
// these read them.
#pragma once

#include "core/setting_line/setting_record.h"

#include <optional>

namespace gradation {

// Font sizes as html numbers them: 1 (smallest) to 7 (largest); 3 is the page's own
// size, from which relative sizes count.
inline constexpr int kSmallestFontSize = 1;
inline constexpr int kLargestFontSize = 7;
inline constexpr int kBaseFontSize = 3;

// SizeMode as the generator reads it: 0 (or less) writes no size, 2 a size relative to
// the page's, every other value the size itself.
enum class SizeMode { None, Absolute, Relative };
inline constexpr int kSizeModeCount = 3;  // the values a setting written anew may hold
inline constexpr int kSizeSignCount = 2;  // SizeSign 0 is "+", 1 is "-"

inline SizeMode size_mode(const SettingRecord& s) {
    if (s.SizeMode <= 0) return SizeMode::None;
    return s.SizeMode == 2 ? SizeMode::Relative : SizeMode::Absolute;
}

// The window's summary says "(Base)" only for SizeMode 0; a negative mode shows its
// number there, though the generator writes no size for it.
inline bool summary_shows_base_size(const SettingRecord& s) { return s.SizeMode == 0; }

// WavePattern: how the size rises and falls along the text; other values make no wave.
enum class WavePattern { Valley, Mountain, Falling, Rising };
inline constexpr int kWavePatternCount = 4;

inline std::optional<WavePattern> wave_pattern(const SettingRecord& s) {
    if (s.WavePattern < 0 || s.WavePattern >= kWavePatternCount) return std::nullopt;
    return static_cast<WavePattern>(s.WavePattern);
}

// The generator waves the size for every absolute SizeMode, 3 and above included...
inline bool generator_waves(const SettingRecord& s) {
    return size_mode(s) == SizeMode::Absolute && s.SizeWave && wave_pattern(s).has_value();
}

// ...while the window pictures the wave for SizeMode 1 only.
inline bool window_shows_wave(const SettingRecord& s) {
    return s.SizeWave && s.SizeMode == 1 && wave_pattern(s).has_value();
}

// DevTag: 1 puts colour and size into separate tags; 0 keeps them together; 2 leaves the
// window's check box greyed (and, like 0, together). The box takes the value as it is.
inline bool separates_tags(const SettingRecord& s) { return s.DevTag == 1; }
inline constexpr int kDevTagCount = 3;

// Direction: 'V' writes the table's text vertically, 'H' (or anything else) across.
inline constexpr char16_t kVertical = u'V';
inline constexpr char16_t kHorizontal = u'H';
inline bool is_vertical(const SettingRecord& s) { return s.Direction == kVertical; }
// Only the table around the text can turn it.
inline bool writes_vertically(const SettingRecord& s) { return is_vertical(s) && s.TableWrap; }

}  // namespace gradation
