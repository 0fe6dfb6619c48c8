// Markup read back as each dialect's own reader reads it. Each table follows what starts
// markup for the real reader (a browser's tokeniser, forum BBCode parsers, MiniMessage,
// plugins' & codes and the game's legacy codes, JSON strings, a terminal's escape parser),
// not our writers: what the reader takes as markup leaves the text, and a colour it sets
// is kept as its value (kForeign for one that is no colour of ours to set).
#pragma once

#include "core/markup/markup_dialects.h"

#include <cctype>
#include <regex>
#include <set>
#include <string>
#include <vector>

namespace gradation::test {

inline constexpr long kForeign = -1, kPalette = 1L << 24;

// The text a reader shows (UTF-8) and the colours its codes set: 0xRRGGBB, kPalette + an
// index, or kForeign for a code that sets what no code of ours sets.
struct Reading { std::string text; std::set<long> colours; };

// A piece of markup the reader takes as a colour (Hex: the last six hexadecimal digits;
// Rgb: three decimal groups; Palette: one), as a code of its own (Foreign), as nothing
// (Drop), or as text (Text: `shows`, else group 1; Byte: the byte group 1 gives).
enum class Kind { Hex, Rgb, Palette, Foreign, Drop, Text, Byte };
struct Token { std::regex pattern; Kind kind; std::string shows = {}; };

inline const std::vector<Token>& reader_tokens(Dialect d) {
    using K = Kind;
    using R = std::regex;
    static const std::vector<Token> kHtml = {
        {R("<(?:FONT COLOR=\"#|span style=\"color:#)([0-9A-Fa-f]{6})\">"), K::Hex}, {R("<br>"), K::Text, "\n"},
        {R("<(?:[A-Za-z]|/[A-Za-z]|[!?])[^>]*>"), K::Drop}, {R("&amp;?"), K::Text, "&"}, {R("&lt;?"), K::Text, "<"},
        {R("&gt;?"), K::Text, ">"}, {R("&quot;?"), K::Text, "\""}, {R("&#?[A-Za-z0-9]+;?"), K::Drop}};
    static const std::vector<Token> kBbcode = {{R("\\[color=#([0-9a-f]{6})\\]"), K::Hex},
                                               {R("\\[/?[A-Za-z*]+(=[^\\]]*)?\\]"), K::Drop}};
    static const std::vector<Token> kLegacy = {
        {R("&#([0-9a-fA-F]{6})|\xC2\xA7x((\xC2\xA7[0-9a-fA-F]){6})"), K::Hex},
        {R("(&|\xC2\xA7)[0-9a-fk-orxA-FK-ORX]"), K::Foreign}, {R("\xC2\xA7([\x01-\x7F]|[\xC0-\xFF][\x80-\xBF]+)?"), K::Drop}};
    static const std::vector<Token> kMiniMessage = {
        {R("\\\\([\\\\<])"), K::Text}, {R("<#([0-9a-f]{6})>"), K::Hex}, {R("<[^<>]+>"), K::Drop}};
    static const std::vector<Token> kJson = {
        {R("\",\"color\":\"#([0-9a-f]{6})"), K::Hex}, {R("\\[?,?\\{\"text\":\"|\"\\}|\\]$"), K::Drop},
        {R("\\\\n"), K::Text, "\n"}, {R("\\\\r"), K::Text, "\r"}, {R("\\\\t"), K::Text, "\t"},
        {R("\\\\u00([01][0-9a-f])"), K::Byte}, {R("\\\\(.)"), K::Text}};
    static const std::vector<Token> kTerminal = {
        {R("\x1B\\[38;2;(\\d+);(\\d+);(\\d+)m"), K::Rgb}, {R("\x1B\\[38;5;(\\d+)m"), K::Palette},
        {R("\x1B\\[0?m"), K::Drop}, {R("\x1B\\[[0-9;]*m"), K::Foreign},
        {R("\x1B(\\[[0-?]*[ -/]*[@-~]|\\][^\x07\x1B]*(\x07|\x1B\\\\)?|[\\s\\S])?"), K::Drop},
        {R("[\x01-\x08\x0B\x0C\x0E-\x1F\x7F]|\xC2[\x80-\x9F]"), K::Drop}};
    // IRC clients: ^C and one or two digits is a colour, with a comma and more digits a
    // background too; ^D and six hexadecimal digits, a bare ^C, ^Q, ^V and ^^ are codes we
    // never write; ^B, ^], ^_ and ^O switch formats.
    static const std::vector<Token> kIrc = {
        {R("\x03[0-9]{1,2},[0-9]{1,2}"), K::Foreign}, {R("\x03([0-9]{1,2})"), K::Palette},
        {R("\x04[0-9a-fA-F]{6}|[\x03\x04\x11\x16\x1E]"), K::Foreign}, {R("[\x02\x0F\x1D\x1F]"), K::Drop},
        {R("[\x01-\x08\x0B\x0C\x0E-\x1F\x7F]|\xC2[\x80-\x9F]"), K::Drop}};
    // Discord: the block opens at "```ansi" and a line break and ends at the next "```";
    // a zero-width joiner before a backtick shows nothing; SGR 30..37 are its colours, 0, 1 and 4 formats.
    static const std::vector<Token> kDiscord = {
        {R("```ansi\n"), K::Drop}, {R("```(\r\n)?$"), K::Drop}, {R("```"), K::Foreign},
        {R("\xE2\x80\x8D`"), K::Text, "`"}, {R("\x1B\\[3([0-7])m"), K::Palette},
        {R("\x1B\\[(0|1|4|1;4)?m"), K::Drop}, {R("\x1B|[\x01-\x08\x0B\x0C\x0E-\x1F\x7F]|\xC2[\x80-\x9F]"), K::Foreign}};
    static const std::vector<Token>* const kByDialect[] = {&kHtml,      &kHtml,     &kBbcode,   &kLegacy, &kLegacy,  &kMiniMessage,
                                                           &kJson,      &kTerminal, &kTerminal, &kIrc,    &kDiscord};
    static_assert(std::size(kByDialect) == kDialectCount, "a reader for every dialect");
    return *kByDialect[static_cast<std::size_t>(d)];
}

inline Reading read_back(Dialect d, const std::string& m) {
    Reading r;  // the first token that matches where the reader stands, else one byte of text
    for (auto at = m.begin(); at != m.end();) {
        std::smatch g;
        const Token* t = nullptr;
        for (const Token& token : reader_tokens(d))
            if (!t && std::regex_search(at, m.end(), g, token.pattern, std::regex_constants::match_continuous)) t = &token;
        at += t ? g.length(0) : 1;
        std::string hex;
        for (const char c : t ? g.str(0) : "") hex += std::isxdigit(static_cast<unsigned char>(c)) ? std::string(1, c) : "";
        switch (t ? t->kind : Kind::Text) {
        case Kind::Hex: r.colours.insert(std::stol(hex.substr(hex.size() - 6), nullptr, 16)); break;
        case Kind::Rgb: r.colours.insert(std::stol(g.str(1)) << 16 | std::stol(g.str(2)) << 8 | std::stol(g.str(3))); break;
        case Kind::Palette: r.colours.insert(kPalette + std::stol(g.str(1))); break;
        case Kind::Foreign: r.colours.insert(kForeign); break;
        case Kind::Byte: r.text += static_cast<char>(std::stoi(g.str(1), nullptr, 16)); break;
        case Kind::Text: r.text += !t ? std::string(1, at[-1]) : t->shows.empty() ? g.str(1) : t->shows; break;
        case Kind::Drop: break;
        }
    }
    return r;
}

}  // namespace gradation::test
