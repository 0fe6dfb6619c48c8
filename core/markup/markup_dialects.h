// The kinds of markup the generator writes: one row per dialect, which everything else
// (the writer dispatch, help, menus, the editor's preview, the docs) is derived from.
#pragma once

#include "core/setting_line/setting_record.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

// A window text in its source language (Japanese), kept in the core as it is. Qt's
// lupdate reads this macro as QT_TRANSLATE_NOOP (tools/update_translations), so the
// windows translate it through tr() in `context`.
#define GRADATION_TRANSLATE_NOOP(context, text) text

namespace gradation {

enum class Dialect {
    Html, HtmlCss, Bbcode, Minecraft, MinecraftSection, MiniMessage, MinecraftJson, Ansi, Ansi256, Irc, Discord,
    Count  // not a dialect: how many there are
};
inline constexpr std::size_t kDialectCount = static_cast<std::size_t>(Dialect::Count);

// Parts of a setting a dialect may have no way to write; the generator leaves them out.
enum class Feature { Size, Table, StartMark, EndMark, SeparateTags, Italic, Count };

constexpr unsigned feature_bit(Feature f) { return 1u << static_cast<unsigned>(f); }
inline constexpr unsigned kEveryFeature = (1u << static_cast<unsigned>(Feature::Count)) - 1;

// What of a text a dialect cannot write as it is, so that the user is told: the game's
// code signs, for which no escape exists, and control characters, shown as symbols.
struct TextNotes {
    bool section_sign = false, ampersand = false, controls = false;
};

// How the editor's preview draws a dialect's markup: as HTML, as the HTML a forum makes
// of BBCode, as JSON text components, or as coloured text on a dark background, read
// back from the codes the row lists.
enum class DialectPreview { Html, Bbcode, Json, Codes };

// What a code does to the text after it. Hex colours take the hexadecimal digits of
// group 1; Palette reads group 1 as an index into the row's palette; Sgr reads group 1
// as SGR parameters (0, 1, 3, 4; 38;2;r;g;b; 38;5;n and 30..37 from the palette).
enum class CodeEffect {
    Colour, ColourResettingFormats, Palette, Sgr, Bold, Italic, Underline, EndBold, EndItalic, EndUnderline,
    ToggleBold, ToggleItalic, ToggleUnderline, Reset, Text /* group 1 is text */, Drop
};

struct MarkupCode {
    const char* pattern;  // a regular expression (ECMAScript and PCRE alike), matched where the reader stands
    CodeEffect effect;
};

struct Colour;
struct WriteJob;       // core/markup/markup_drive.h
struct LengthJob;      // core/markup/markup_writer_lengths.h
struct WriterLengths;

// A dialect's writer, for both passes over a plan: writing the markup, and learning
// what the length count needs from it.
struct WriterOps {
    bool (*write)(WriteJob&);
    WriterLengths (*lengths)(const LengthJob&);
};

struct DialectInfo {
    Dialect dialect;
    std::string_view name;         // as the command line and the configuration take it
    std::string_view purpose;      // one line, in English
    const char* purpose_ja;        // the same in the windows' source language
    // What the dialect's reader interprets in a text, and how its writer keeps the text
    // from being read as markup; in English.
    std::string_view text_rule;
    unsigned writes;               // the features (feature_bit) it can write
    TextNotes notes;
    bool shortened;                // merging and plain blanks on by default
    DialectPreview preview;
    std::span<const MarkupCode> codes;   // for DialectPreview::Codes
    // The colours its codes choose from (0xRRGGBB), and the nearest of them to a colour;
    // empty and null when it writes any colour.
    std::span<const std::uint32_t> palette;
    int (*nearest)(const Colour&);
    WriterOps writer;
};

// Each row of `rows` in its enum's place (its `key`), and as many rows as the enum has
// values: what the dialects' and the features' tables are held to.
template <class Row, std::size_t N, class Key>
constexpr bool one_row_each(const Row (&rows)[N], Key Row::*key) {
    std::size_t i = 0;
    for (const Row& row : rows)
        if (static_cast<std::size_t>(row.*key) != i++) return false;
    return i == static_cast<std::size_t>(Key::Count);
}

// Every dialect, html first, in the enum's order.
std::span<const DialectInfo> dialects();
const DialectInfo& dialect_info(Dialect dialect);
std::optional<Dialect> dialect_named(std::string_view name);

struct FeatureInfo {
    Feature feature;
    std::string_view name;  // in English
    const char* name_ja;    // in the windows' source language
};
const FeatureInfo& feature_info(Feature feature);
inline std::string_view feature_name(Feature feature) { return feature_info(feature).name; }

// The features `setting` asks for (with the tag form `separate_tags`) that `dialect`
// leaves out, in the order of the enum.
std::vector<Feature> features_left_out(Dialect dialect, const SettingRecord& setting, bool separate_tags);

// A control character that a terminal, IRC or the game would act on: C0 but tab, CR and
// LF; DEL; C1.
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
