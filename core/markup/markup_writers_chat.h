// The writers of the chat dialects that choose from a palette: IRC's colour codes and
// Discord's coloured code block.
#pragma once

#include "core/markup/markup_writers_text.h"

#include <optional>
#include <utility>

namespace gradation {

// A palette index per colour, with the last colour asked for kept: the run tracker and
// the writer ask for one character's colour several times.
template <int (*kNearest)(const Colour&)>
struct PaletteWriterBase : ShowingWriterBase {
    PaletteWriterBase(const WriterBase& base) : ShowingWriterBase{base} {}
    std::uint32_t key(const Colour& c) const {
        if (!last_ || last_->first != c) last_.emplace(c, kNearest(c));
        return static_cast<std::uint32_t>(last_->second);
    }
    mutable std::optional<std::pair<Colour, int>> last_;
};

// mIRC colour codes: "\x03" and always two digits, so a digit of the text never joins a
// code; the formats once at the start, "\x0F" (all off) at the end. A comma right after
// a code would begin its background colour, so "\x02\x02" (bold on and off again) goes
// before every comma of the text: what is written then hangs on the text alone, which
// the length count relies on. The text's own control characters are shown as symbols.
struct IrcWriter : PaletteWriterBase<irc_colour_index> {
    static constexpr std::size_t kPerCharacter = 6;
    void open() {
        if (s().Bold) out.put(u'\x02');
        if (s().Italic) out.put(u'\x1D');
        if (s().Underline) out.put(u'\x1F');
    }
    void run_open(const Colour& colour, const PlannedCharacter&, bool coloured, bool) {
        if (!coloured) return;
        const auto n = static_cast<char16_t>(key(colour));
        out.put(u'\x03');
        out.put(static_cast<char16_t>(u'0' + n / 10));
        out.put(static_cast<char16_t>(u'0' + n % 10));
    }
    void text(std::u16string_view ch) {
        if (ch.starts_with(u',')) out.put(u"\x02\x02");
        ShowingWriterBase::text(ch);
    }
    void close() {
        out.put(u'\x0F');
        end_line();
    }
};

// A Discord code block in its "ansi" language: "```ansi" and a line break, the formats
// once (1 bold, 4 underline; Discord has no italic), a colour code per run from
// Discord's eight foreground colours (30..37), a reset and "```". Three backticks in a
// row would close the block early, so a zero-width joiner goes between two backticks of
// the text: it shows nothing, so the text still reads as it was, and unlike a
// look-alike character it leaves every backtick a backtick. It hangs on the text alone,
// which the length count relies on. Control characters are shown as symbols.
struct DiscordWriter : PaletteWriterBase<discord_colour_index> {
    static constexpr std::size_t kPerCharacter = 6;
    void open() {
        out.put(u"```ansi\n");
        if (s().Bold && s().Underline) out.put(u"\x1B[1;4m");
        else if (s().Bold) out.put(u"\x1B[1m");
        else if (s().Underline) out.put(u"\x1B[4m");
    }
    void run_open(const Colour& colour, const PlannedCharacter&, bool coloured, bool) {
        if (!coloured) return;
        out.put(u"\x1B[3");
        out.put(static_cast<char16_t>(u'0' + key(colour)));
        out.put(u'm');
    }
    void text(std::u16string_view ch) {
        if (backtick_ && ch.starts_with(u'`')) out.put(u'\u200D');
        backtick_ = ch.ends_with(u'`');
        ShowingWriterBase::text(ch);
    }
    void close() {
        out.put(u"\x1B[0m```");
        end_line();
    }
    bool backtick_ = false;
};

}  // namespace gradation
