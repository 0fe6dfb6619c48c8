// The kinds of markup the generator writes, what each is for, and what of a setting
// each one cannot express.
#pragma once

#include "core/setting_line/setting_record.h"

#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace gradation {

enum class Dialect { Html, HtmlCss, Bbcode, Minecraft, MinecraftSection, MiniMessage, MinecraftJson, Ansi, Ansi256 };

// What of a text a dialect cannot write as it is, so that the user is told: the game's
// code signs, for which no escape exists, and control characters, shown as symbols.
struct TextNotes {
    bool section_sign = false, ampersand = false, controls = false;
};

struct DialectInfo {
    Dialect dialect;
    std::string_view name;     // as the command line and the configuration take it
    std::string_view purpose;  // one line, in English
    // What the dialect's reader interprets in a text, and how its writer (in
    // core/markup_writers_*.h) keeps the text from being read as markup; in English.
    std::string_view text_rule;
    TextNotes notes;
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

// A control character that a terminal or the game would act on: C0 but tab, CR and LF;
// DEL; C1.
constexpr bool is_acting_control(char16_t u) {
    return (u < 0x20 && u != u'\t' && u != u'\r' && u != u'\n') || (u >= 0x7F && u <= 0x9F);
}

enum class TextNote { SectionSign, Ampersand, Controls };

struct NoteCount {
    TextNote note;
    std::size_t count;  // of the text's characters it concerns
    friend bool operator==(const NoteCount&, const NoteCount&) = default;
};

// What the user is told about `text` in `dialect` (its row's notes), in the enum's order.
std::vector<NoteCount> text_notes(Dialect dialect, std::u16string_view text);

// A blank takes no colour when plain blanks are asked for: space, ideographic space, tab.
constexpr bool is_blank(std::u16string_view character) {
    return character == u" " || character == u"\u3000" || character == u"\t";
}

}  // namespace gradation
