// The page's values and the core's types, both ways: a setting's fields (named as
// SettingRecord names them), its gradient as --stops and --space give it, refusals,
// lists and bytes.
#pragma once

#include "core/base/refusal.h"
#include "core/colour/gradient.h"
#include "core/setting_line/setting_record.h"

#include <emscripten/val.h>

#include <string>
#include <string_view>
#include <vector>

namespace gradation::web {

using emscripten::val;

// { refused: "position 2: ..." }, in core's English.
val refused(const Refusal& refusal);

val fields_of(const SettingRecord& record);
SettingRecord record_of(const val& fields);

// "#FF8000": a colour as the stop list writes it (the low byte of each channel).
std::string hex_colour(const Colour& colour);

// "#FF0000,#FFFF00@35,#0080FF": the command line's form, positions given but at the ends.
std::string stop_list(const Gradient& gradient);

// The setting a request names by its fields, stops and space, with its gradient as
// --stops and --space make it.
Result<SettingRecord> setting_of(const val& request);

// A Uint8Array holding a copy of `bytes`.
val bytes_value(std::string_view bytes);

// A JavaScript string of `text`, decoded in one call (embind's own conversion looks at
// every unit twice in JavaScript, which a megabyte of markup notices).
val text_value(std::u16string_view text);

template <class T>
val array_of(const std::vector<T>& items) {
    val list = val::array();
    for (const T& item : items) list.call<void>("push", item);
    return list;
}

}  // namespace gradation::web
