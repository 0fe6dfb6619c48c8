// The kinds of markup the generator writes, what each is for, and what of a setting
// each one cannot express.
#pragma once

#include "core/setting_record.h"

#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace gradation {

enum class Dialect { Html, HtmlCss, Bbcode, Minecraft, MinecraftSection, MiniMessage, MinecraftJson, Ansi, Ansi256 };

struct DialectInfo {
    Dialect dialect;
    std::string_view name;     // as the command line and the configuration take it
    std::string_view purpose;  // one line, in English
};

// Every dialect, html first.
std::span<const DialectInfo> dialects();
const DialectInfo& dialect_info(Dialect dialect);
std::optional<Dialect> dialect_named(std::string_view name);

// Parts of a setting a dialect has no way to write; the generator leaves them out.
enum class Feature { Size, Table, StartMark, EndMark, SeparateTags };

std::string_view feature_name(Feature feature);

// The features `setting` asks for (with the tag form `separate_tags`) that `dialect`
// leaves out, in the order of the enum.
std::vector<Feature> features_left_out(Dialect dialect, const SettingRecord& setting, bool separate_tags);

// True when a minecraft dialect's output would hold a text "&" or "§" followed by a
// character that the game reads as a code: those dialects have no escape for it.
bool has_code_lookalike(Dialect dialect, std::u16string_view text);

// A blank takes no colour when plain blanks are asked for: space, ideographic space, tab.
constexpr bool is_blank(std::u16string_view character) {
    return character == u" " || character == u"\u3000" || character == u"\t";
}

}  // namespace gradation
