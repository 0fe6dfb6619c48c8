// The writers of the forum, game and terminal dialects. None of them has a table or
// comment markers; the setting's line break after the text becomes a plain one.
#pragma once

#include "core/markup/markup_palettes.h"
#include "core/markup/markup_writers_html.h"

namespace gradation {

struct PlainWriterBase : WriterBase {
    static constexpr std::size_t kPerCharacter = 20;
    std::uint32_t key(const Colour& c) const { return colour_key(c); }
    std::int64_t size_key(const PlannedCharacter&) const { return 0; }
    bool vertical() const { return false; }
    void text(std::u16string_view ch) { out.put(ch); }
    void run_close() {}
    void line_step() {}
    void end_line() {
        if (s().BreakAfter) line_break();
    }
};

// A control character as symbols a reader shows: C0 (but tab, CR, LF) as its symbol
// U+2400 + c, DEL as U+2421; C1, which is ESC and a character in one, as ESC's symbol
// U+241B and that character (U+009B as "\u241B["). Any other unit as it is.
template <class Put>
void put_shown(char16_t u, Put put) {
    if (!is_acting_control(u)) {
        put(u);
    } else if (u < 0x20) {
        put(static_cast<char16_t>(0x2400 + u));
    } else if (u == 0x7F) {
        put(u'\u2421');
    } else {
        put(u'\u241B');
        put(static_cast<char16_t>(u - 0x40));
    }
}

// The dialects whose readers act on control characters (terminals, the game): those are
// shown as symbols.
struct ShowingWriterBase : PlainWriterBase {
    void text(std::u16string_view ch) {
        for (const char16_t u : ch) put_shown(u, [this](char16_t v) { out.put(v); });
    }
};

// The game's legacy reader takes the character after every "\u00A7" as a code (or drops
// a last one), and there is no escape. The character after a text "\u00A7" stays in its
// run, so the sign takes a character of the text and never the first of a code of ours,
// also where a server turns the markup into legacy codes.
constexpr Seam game_seam(std::u16string_view before) {
    return before.ends_with(u'\u00A7') ? Seam::Together : Seam::Free;
}

// A forum reads "[" as a tag's start, and forums share no escape for it. A character that
// holds one stands in a run of its own, so "[/color]" follows it and nothing after it
// can make a tag; merged or not, it reads back as the bracket.
struct BbcodeWriter : PlainWriterBase {
    Seam seam(std::u16string_view before, std::u16string_view after) const {
        return holds(before, u"[") || holds(after, u"[") ? Seam::Apart : Seam::Free;
    }
    std::int64_t size_key(const PlannedCharacter& c) const { return sized() ? size_level(plan.size_kind, c.size) : 0; }
    void open() {
        if (s().Underline) out.put(u"[u]");
        if (s().Bold) out.put(u"[b]");
        if (s().Italic) out.put(u"[i]");
    }
    void run_open(const Colour& colour, const PlannedCharacter& c, bool coloured, bool) {
        coloured_ = coloured;
        if (!coloured) return;
        out.put(u"[color=#");
        out.put_hex_colour(colour, false);
        out.put(u']');
        if (sized()) {
            out.put(u"[size=");
            out.put_decimal(size_level(plan.size_kind, c.size));
            out.put(u']');
        }
    }
    void run_close() {
        if (coloured_) out.put(sized() ? u"[/size][/color]" : u"[/color]");
    }
    void close() {
        if (s().Italic) out.put(u"[/i]");
        if (s().Bold) out.put(u"[/b]");
        if (s().Underline) out.put(u"[/u]");
        end_line();
    }
    bool coloured_ = false;
};

// "&#rrggbb" codes, or the section sign's "§x§r§r§g§g§b§b"; a colour code resets the
// formats, so they follow every one. Plugins read "&" and a code character as a code,
// with no escape: a character holding "&" stands in a run of its own, so what follows it
// is a code of ours (an "&" or "\u00A7"), a blank or nothing, never a code character.
struct MinecraftWriter : ShowingWriterBase {
    bool section = false;
    Seam seam(std::u16string_view before, std::u16string_view after) const {
        if (game_seam(before) == Seam::Together) return Seam::Together;
        return holds(before, u"&") || holds(after, u"&") ? Seam::Apart : Seam::Free;
    }
    void open() {}
    void run_open(const Colour& colour, const PlannedCharacter&, bool coloured, bool) {
        if (!coloured) return;
        const char16_t sign = section ? u'\u00A7' : u'&';
        if (section) {
            out.put(u"\u00A7x");
            out.put_hex_colour(colour, false, u"\u00A7");
        } else {
            out.put(u"&#");
            out.put_hex_colour(colour, false);
        }
        if (s().Bold) put_code(sign, u'l');
        if (s().Italic) put_code(sign, u'o');
        if (s().Underline) put_code(sign, u'n');
    }
    void close() { end_line(); }
    void put_code(char16_t sign, char16_t code) {
        out.put(sign);
        out.put(code);
    }
};

// MiniMessage reads "<" as a tag's start, and a backslash before "<" or before another
// backslash as an escape: the text's "<" and backslashes are both escaped, so a text
// backslash never escapes a tag of ours nor frees an escaped "<".
struct MiniMessageWriter : PlainWriterBase {
    Seam seam(std::u16string_view before, std::u16string_view) const { return game_seam(before); }
    void open() {
        if (s().Underline) out.put(u"<u>");
        if (s().Bold) out.put(u"<b>");
        if (s().Italic) out.put(u"<i>");
    }
    void run_open(const Colour& colour, const PlannedCharacter&, bool coloured, bool) {
        if (!coloured) return;
        out.put(u"<#");
        out.put_hex_colour(colour, false);
        out.put(u'>');
    }
    void text(std::u16string_view ch) {
        for (const char16_t u : ch) {
            put_shown(u, [this](char16_t v) {
                if (v == u'<' || v == u'\\') out.put(u'\\');
                out.put(v);
            });
        }
    }
    void close() {
        if (s().Italic) out.put(u"</i>");
        if (s().Bold) out.put(u"</b>");
        if (s().Underline) out.put(u"</u>");
        end_line();
    }
};

// One JSON text component per run; the formats are keys of every component.
struct MinecraftJsonWriter : PlainWriterBase {
    Seam seam(std::u16string_view before, std::u16string_view) const { return game_seam(before); }
    void open() { out.put(u'['); }
    void run_open(const Colour& colour, const PlannedCharacter&, bool coloured, bool) {
        if (!first_) out.put(u',');
        first_ = false;
        out.put(u"{\"text\":\"");
        colour_ = colour;
        coloured_ = coloured;
    }
    void text(std::u16string_view ch) {
        for (const char16_t u : ch) {
            if (u == u'"' || u == u'\\') {
                out.put(u'\\');
                out.put(u);
            } else if (u < 0x20) {
                put_control(u);
            } else {
                out.put(u);
            }
        }
    }
    void run_close() {
        out.put(u'"');
        if (coloured_) {
            out.put(u",\"color\":\"#");
            out.put_hex_colour(colour_, false);
            out.put(u'"');
        }
        if (s().Bold) out.put(u",\"bold\":true");
        if (s().Italic) out.put(u",\"italic\":true");
        if (s().Underline) out.put(u",\"underlined\":true");
        out.put(u'}');
    }
    void close() {
        if (s().BreakAfter) out.put(u",{\"text\":\"\\r\\n\"}");
        out.put(u']');
    }
    void put_control(char16_t u) {
        switch (u) {
        case u'\n': out.put(u"\\n"); return;
        case u'\r': out.put(u"\\r"); return;
        case u'\t': out.put(u"\\t"); return;
        default:
            out.put(u"\\u00");
            out.put_hex_byte(u, false);
        }
    }
    bool first_ = true, coloured_ = false;
    Colour colour_{};
};

// SGR sequences: the formats once at the start, a colour per run, a reset at the end.
struct AnsiWriter : ShowingWriterBase {
    bool palette_256 = false;
    std::uint32_t key(const Colour& c) const {
        return palette_256 ? static_cast<std::uint32_t>(xterm_256_index(c)) : colour_key(c);
    }
    void open() {
        std::u16string params;
        if (s().Bold) params += u";1";
        if (s().Italic) params += u";3";
        if (s().Underline) params += u";4";
        if (params.empty()) return;
        out.put(u"\x1B[");
        out.put(std::u16string_view(params).substr(1));
        out.put(u'm');
    }
    void run_open(const Colour& colour, const PlannedCharacter&, bool coloured, bool) {
        if (!coloured) return;
        if (palette_256) {
            out.put(u"\x1B[38;5;");
            out.put_decimal(xterm_256_index(colour));
        } else {
            out.put(u"\x1B[38;2;");
            out.put_decimal(low_byte(colour.red));
            out.put(u';');
            out.put_decimal(low_byte(colour.green));
            out.put(u';');
            out.put_decimal(low_byte(colour.blue));
        }
        out.put(u'm');
    }
    void close() {
        out.put(u"\x1B[0m");
        end_line();
    }
};

}  // namespace gradation
