// The generator's first pass: for every character its place in the text, its colour
// and its size, from which each dialect's writer builds its markup.
#pragma once

#include "core/base/function_ref.h"
#include "core/colour/colour.h"
#include "core/setting_line/setting_record.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace gradation {

// The setting's colours for n characters, first to last: along its gradient when it has
// one (its stops and space), else from StartColor to EndColor in srgb.
std::vector<Colour> setting_colours(const SettingRecord& setting, std::size_t n);

// The same colours with every g neighbouring characters sharing one: the groups still
// run from the first colour to the last.
std::vector<Colour> coarse_colours(std::span<const Colour> colours, std::size_t g);

// For each group of g neighbouring characters among n, the character whose colour it
// takes: the one spread evenly between the first and the last.
std::vector<std::uint32_t> coarse_sources(std::size_t n, std::size_t g);

// How the size number of a character is written in html: none, the number, or the
// number after "+" or "-" (relative), or a bare relative number (unknown sign).
enum class SizeKind { None, Absolute, RelativePlus, RelativeMinus, RelativeBare };

struct PlannedCharacter {
    std::uint32_t from = 0, length = 0;  // in the text, in 16-bit units
    std::int64_t size = 0;               // the size number (meaningful unless SizeKind::None)
    bool blank = false;                  // a blank that may go without colour
};

struct MarkupPlan {
    std::u16string_view text;
    SettingRecord setting;
    SizeKind size_kind = SizeKind::None;
    std::vector<PlannedCharacter> characters;
    std::vector<Colour> colours;  // one per character

    std::u16string_view character(std::size_t i) const {
        return text.substr(characters[i].from, characters[i].length);
    }
};

// Builds the plan of `text` (1..32,767 units). `cancel` is called once before every
// character; when it yields true nothing is returned.
std::optional<MarkupPlan> build_plan(std::u16string_view text, const SettingRecord& setting,
                                     FunctionRef<bool()> cancel);

// A size level 1..7 for writers with named sizes: relative sizes count from 3.
int size_level(SizeKind kind, std::int64_t size);

}  // namespace gradation
