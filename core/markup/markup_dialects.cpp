#include "core/markup/markup_dialects.h"

#include "core/setting_line/setting_meaning.h"

#include <array>

namespace gradation {
namespace {

// The game's legacy codes: plugins read "&", the game "\u00A7"; neither has an escape.
constexpr std::string_view kGameCodes =
    "Plugins read \"&\" codes and the game \"\xC2\xA7\" codes, with no escape: a character holding \"&\" "
    "stands in a run of its own, so a code of ours follows it; the character after a text \"\xC2\xA7\" joins "
    "its run, so the game takes it and never our code; control characters are shown as symbols.";
constexpr std::string_view kTerminal =
    "A terminal acts on control characters: C0 (but tab, CR and LF) are shown as their symbols U+2400 to "
    "U+241F, DEL as U+2421, and C1 as U+241B followed by the character that follows ESC in its 7-bit form.";
constexpr TextNotes kGameNotes{true, true, true};

constexpr std::array<DialectInfo, 9> kDialects = {{
    {Dialect::Html, "html", "HTML font tags for web chat rooms (the classic markup)",
     "A browser reads \"<\" and \"&\"; nothing is escaped: every character has a tag of its own, or, merged, "
     "a character holding \"<\" or \"&\" stands in a run of its own, so \"</FONT>\" follows it.",
     {}},
    {Dialect::HtmlCss, "html-css", "modern HTML: span elements with CSS colours",
     "A browser reads \"<\" and \"&\": written \"&lt;\" and \"&amp;\" (and \">\", '\"' as \"&gt;\", "
     "\"&quot;\"); a line break (CR LF, CR or LF) is written \"<br>\".",
     {}},
    {Dialect::Bbcode, "bbcode", "forums: [color] and [size] tags",
     "A forum reads \"[\" as a tag's start, and forums share no escape: a character holding \"[\" stands in a "
     "run of its own, so \"[/color]\" follows it.",
     {}},
    {Dialect::Minecraft, "minecraft", "Minecraft chat and plugins: &#rrggbb codes", kGameCodes, kGameNotes},
    {Dialect::MinecraftSection, "minecraft-section", "Minecraft: section-sign codes (\xC2\xA7x)", kGameCodes,
     kGameNotes},
    {Dialect::MiniMessage, "minimessage", "Minecraft servers with MiniMessage: <#rrggbb> tags",
     "MiniMessage reads \"<\" and a \"\\\" before \"<\" or \"\\\": written \"\\<\" and \"\\\\\"; the "
     "character after a text \"\xC2\xA7\" joins its run; control characters are shown as symbols.",
     {true, false, true}},
    {Dialect::MinecraftJson, "minecraft-json", "Minecraft JSON text components (/tellraw, signs, books)",
     "A JSON string: '\"', \"\\\" and control characters are escaped; the character after a text "
     "\"\xC2\xA7\" joins its component.",
     {true, false, false}},
    {Dialect::Ansi, "ansi", "terminals with 24-bit colour", kTerminal, {false, false, true}},
    {Dialect::Ansi256, "ansi-256", "terminals with 256 colours", kTerminal, {false, false, true}},
}};

}  // namespace

std::span<const DialectInfo> dialects() { return kDialects; }

const DialectInfo& dialect_info(Dialect dialect) { return kDialects[static_cast<std::size_t>(dialect)]; }

std::optional<Dialect> dialect_named(std::string_view name) {
    for (const DialectInfo& d : kDialects)
        if (d.name == name) return d.dialect;
    return std::nullopt;
}

std::string_view feature_name(Feature feature) {
    switch (feature) {
    case Feature::Size: return "font size";
    case Feature::Table: return "table";
    case Feature::StartMark: return "start marker";
    case Feature::EndMark: return "end marker";
    case Feature::SeparateTags: return "separate colour and size tags";
    }
    return "";
}

std::vector<Feature> features_left_out(Dialect dialect, const SettingRecord& s, bool separate_tags) {
    const bool html_like = dialect == Dialect::Html || dialect == Dialect::HtmlCss;
    const bool sizes = html_like || dialect == Dialect::Bbcode;
    std::vector<Feature> out;
    if (!sizes && size_mode(s) != SizeMode::None) out.push_back(Feature::Size);
    if (!html_like && s.TableWrap) out.push_back(Feature::Table);
    if (!html_like && s.StartMark) out.push_back(Feature::StartMark);
    if (!html_like && s.EndMark) out.push_back(Feature::EndMark);
    if (dialect != Dialect::Html && separate_tags && size_mode(s) != SizeMode::None && sizes) out.push_back(Feature::SeparateTags);
    return out;
}

std::vector<NoteCount> text_notes(Dialect dialect, std::u16string_view text) {
    const TextNotes& notes = dialect_info(dialect).notes;
    std::size_t section = 0, ampersand = 0, controls = 0;
    for (const char16_t u : text) {
        section += u == u'\u00A7' ? 1 : 0;
        ampersand += u == u'&' ? 1 : 0;
        controls += is_acting_control(u) ? 1 : 0;
    }
    std::vector<NoteCount> out;
    if (notes.section_sign && section > 0) out.push_back({TextNote::SectionSign, section});
    if (notes.ampersand && ampersand > 0) out.push_back({TextNote::Ampersand, ampersand});
    if (notes.controls && controls > 0) out.push_back({TextNote::Controls, controls});
    return out;
}

}  // namespace gradation
