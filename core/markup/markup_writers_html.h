// The writers of the two HTML dialects: the classic font tags and spans with CSS.
// Every writer has the same members; core/markup_write.cpp drives them over a plan.
#pragma once

#include "core/markup/markup_buffer.h"
#include "core/base/program_values.h"
#include "core/setting_line/setting_meaning.h"

namespace gradation {

// How a character's run meets the next character's when the text decides it, whatever
// the merging: Free leaves it to colours and sizes, Apart starts the next character's
// run afresh, Together keeps the next character in this run.
enum class Seam { Free, Apart, Together };

constexpr bool holds(std::u16string_view character, std::u16string_view units) {
    return character.find_first_of(units) != std::u16string_view::npos;
}

struct WriterBase {
    PieceBuffer& out;
    const MarkupPlan& plan;

    const SettingRecord& s() const { return plan.setting; }
    bool sized() const { return plan.size_kind != SizeKind::None; }
    void line_break() { out.put(std::u16string_view(kLineBreak)); }
    Seam seam(std::u16string_view /*before*/, std::u16string_view /*after*/) const { return Seam::Free; }
};

// The start marker's copy of the text: a ">" right after "--" or "--!" would end the
// comment early, so it is written as "&gt;". Nothing else is changed.
inline void put_start_marker(PieceBuffer& out, std::u16string_view text) {
    out.put(u"<!--start \u300C");
    std::size_t copied = 0;  // text before this is written
    for (std::size_t i = 0; i < text.size(); ++i) {
        const std::u16string_view before = text.substr(0, i);
        if (text[i] == u'>' && (before.ends_with(u"--") || before.ends_with(u"--!"))) {
            out.put(text.substr(copied, i - copied));
            out.put(u"&gt;");
            copied = i + 1;
        }
    }
    out.put(text.substr(copied));
    out.put(u"\u300D-->");
    out.put(std::u16string_view(kLineBreak));
}

// Font tags in upper case, nothing escaped: the markup web chat rooms have always taken.
struct HtmlWriter : WriterBase {
    // Per character: <FONT COLOR="#RRGGBB">, the character, </FONT>.
    static constexpr std::size_t kPerCharacter = 29;
    std::uint32_t key(const Colour& c) const { return colour_key(c); }
    std::int64_t size_key(const PlannedCharacter& c) const { return sized() ? c.size : 0; }
    bool vertical() const { return writes_vertically(s()); }

    void open() {
        if (s().StartMark) put_start_marker(out, plan.text);
        if (s().TableWrap) {
            out.put(u"<TABLE BORDER=");
            out.put_decimal(s().TableBorder);
            out.put(u"><TR VALIGN=\"MIDDLE\"><TD><CENTER>");
        }
        if (s().Underline) out.put(u"<U>");
        if (s().Bold) out.put(u"<B>");
        if (s().Italic) out.put(u"<I>");
    }
    void run_open(const Colour& colour, const PlannedCharacter& c, bool coloured, bool separate) {
        coloured_ = coloured;
        nested_ = sized() && separate;
        if (!coloured) return;
        out.put(u"<FONT COLOR=\"#");
        out.put_hex_colour(colour, true);
        if (sized()) {
            out.put(separate ? u"\"><FONT SIZE=\"" : u"\" SIZE=\"");
            if (plan.size_kind == SizeKind::RelativePlus) out.put(u'+');
            if (plan.size_kind == SizeKind::RelativeMinus) out.put(u'-');
            out.put_decimal(c.size);
        }
        out.put(u"\">");
    }
    // Nothing is escaped, so that the classic markup stays as it always was. A tag of
    // its own per character puts "</FONT>" after every "<" and "&" of the text, so
    // neither starts a tag or a character reference; merged runs keep that by giving a
    // character that holds either a run of its own. Nothing after the "<" or "&" within
    // its character can change that: what follows a code point there is an Extend, ZWJ
    // or SpacingMark code point (the cluster rules), never an ASCII letter, "/", "!",
    // "?" or "#".
    Seam seam(std::u16string_view before, std::u16string_view after) const {
        return holds(before, u"<&") || holds(after, u"<&") ? Seam::Apart : Seam::Free;
    }
    void text(std::u16string_view ch) { out.put(ch); }
    void run_close() {
        if (coloured_) out.put(nested_ ? u"</FONT></FONT>" : u"</FONT>");
    }
    void line_step() { out.put(u"<BR>"); }
    void close() {
        if (s().Italic) out.put(u"</I>");
        if (s().Bold) out.put(u"</B>");
        if (s().Underline) out.put(u"</U>");
        if (s().TableWrap) out.put(u"</CENTER></TD></TR></TABLE>");
        if (s().BreakAfter) out.put(u"<BR>");
        line_break();
        if (s().EndMark) {
            out.put(u"<!--end font gradation-->");
            line_break();
        }
    }

    bool coloured_ = false, nested_ = false;
};

// Lower-case HTML with a span per run: its colour and size keyword in a style.
struct HtmlCssWriter : WriterBase {
    static constexpr std::size_t kPerCharacter = 35;
    std::uint32_t key(const Colour& c) const { return colour_key(c); }
    std::int64_t size_key(const PlannedCharacter& c) const { return sized() ? size_level(plan.size_kind, c.size) : 0; }
    bool vertical() const { return writes_vertically(s()); }

    void open() {
        if (s().StartMark) put_start_marker(out, plan.text);
        if (s().TableWrap) {
            out.put(u"<table border=");
            out.put_decimal(s().TableBorder);
            out.put(u"><tr valign=\"middle\"><td><center>");
        }
        if (s().Underline) out.put(u"<u>");
        if (s().Bold) out.put(u"<b>");
        if (s().Italic) out.put(u"<i>");
    }
    void run_open(const Colour& colour, const PlannedCharacter& c, bool coloured, bool /*separate*/) {
        static constexpr std::u16string_view kSizes[] = {u"x-small", u"small",    u"medium",   u"large",
                                                         u"x-large", u"xx-large", u"xxx-large"};
        coloured_ = coloured;
        if (!coloured) return;
        out.put(u"<span style=\"color:#");
        out.put_hex_colour(colour, false);
        if (sized()) {
            out.put(u";font-size:");
            out.put(kSizes[size_level(plan.size_kind, c.size) - 1]);
        }
        out.put(u"\">");
    }
    // A CR LF pair is one line break: the LF stays in the CR's run and writes nothing.
    Seam seam(std::u16string_view before, std::u16string_view after) const {
        return before == u"\r" && after == u"\n" ? Seam::Together : Seam::Free;
    }
    // The characters a browser reads as markup are escaped, and a line break, which a
    // browser shows as a blank, is written as the "<br>" that shows it.
    void text(std::u16string_view ch) {
        for (const char16_t u : ch) {
            switch (u) {
            case u'&': out.put(u"&amp;"); break;
            case u'<': out.put(u"&lt;"); break;
            case u'>': out.put(u"&gt;"); break;
            case u'"': out.put(u"&quot;"); break;
            case u'\r': out.put(u"<br>"); break;
            case u'\n':
                if (last_ != u'\r') out.put(u"<br>");
                break;
            default: out.put(u);
            }
            last_ = u;
        }
    }
    void run_close() {
        if (coloured_) out.put(u"</span>");
    }
    void line_step() { out.put(u"<br>"); }
    void close() {
        if (s().Italic) out.put(u"</i>");
        if (s().Bold) out.put(u"</b>");
        if (s().Underline) out.put(u"</u>");
        if (s().TableWrap) out.put(u"</center></td></tr></table>");
        if (s().BreakAfter) out.put(u"<br>");
        line_break();
        if (s().EndMark) {
            out.put(u"<!--end font gradation-->");
            line_break();
        }
    }

    bool coloured_ = false;
    char16_t last_ = 0;  // the text's unit written last
};

}  // namespace gradation
