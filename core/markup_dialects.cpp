#include "core/markup_dialects.h"

#include "core/setting_meaning.h"

#include <array>

namespace gradation {
namespace {

constexpr std::array<DialectInfo, 9> kDialects = {{
    {Dialect::Html, "html", "HTML font tags for web chat rooms (the classic markup)"},
    {Dialect::HtmlCss, "html-css", "modern HTML: span elements with CSS colours"},
    {Dialect::Bbcode, "bbcode", "forums: [color] and [size] tags"},
    {Dialect::Minecraft, "minecraft", "Minecraft chat and plugins: &#rrggbb codes"},
    {Dialect::MinecraftSection, "minecraft-section", "Minecraft: section-sign codes (\xC2\xA7x)"},
    {Dialect::MiniMessage, "minimessage", "Minecraft servers with MiniMessage: <#rrggbb> tags"},
    {Dialect::MinecraftJson, "minecraft-json", "Minecraft JSON text components (/tellraw, signs, books)"},
    {Dialect::Ansi, "ansi", "terminals with 24-bit colour"},
    {Dialect::Ansi256, "ansi-256", "terminals with 256 colours"},
}};

// The codes the game reads after "&" or "§": colours, formats, reset, hexadecimal.
bool is_code_character(char16_t c) {
    const char16_t lower = (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c - u'A' + u'a') : c;
    return (lower >= u'0' && lower <= u'9') || (lower >= u'a' && lower <= u'f') ||
           (lower >= u'k' && lower <= u'o') || lower == u'r' || lower == u'x' || lower == u'#';
}

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

bool has_code_lookalike(Dialect dialect, std::u16string_view text) {
    if (dialect != Dialect::Minecraft && dialect != Dialect::MinecraftSection) return false;
    for (std::size_t i = 0; i + 1 < text.size(); ++i)
        if ((text[i] == u'&' || text[i] == u'\u00A7') && is_code_character(text[i + 1])) return true;
    return false;
}

}  // namespace gradation
