#include "core/gradient_markup.h"

#include "core/characters.h"
#include "core/gradient_steps.h"
#include "core/program_values.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

namespace gradation {
namespace {

using namespace std::string_view_literals;


// Writes v in plain decimal (minus sign when negative) to `to`; yields the length.
std::size_t write_decimal(char16_t* to, long long v) {
    char16_t digits[24];
    std::size_t len = 0;
    const bool negative = v < 0;
    unsigned long long m = negative ? 0ULL - static_cast<unsigned long long>(v) : static_cast<unsigned long long>(v);
    do {
        digits[len++] = static_cast<char16_t>(u'0' + m % 10);
        m /= 10;
    } while (m != 0);
    std::size_t written = 0;
    if (negative) to[written++] = u'-';
    while (len > 0) to[written++] = digits[--len];
    return written;
}

void append_decimal(std::u16string& out, long long v) {
    char16_t buf[24];
    out.append(buf, write_decimal(buf, v));
}

void put_decimal(MarkupSink& out, long long v) {
    char16_t buf[24];
    out.append(std::u16string_view(buf, write_decimal(buf, v)));
}

// The markup of one character, gathered so that the sink gets it in one piece. The
// tags take at most 13 + 7 + 14 + 24 + 2 + 14 + 4 units; a character longer than the
// room left (a long cluster of marks) goes to the sink on its own.
class TagWriter {
public:
    explicit TagWriter(MarkupSink& out) : out_(out) {}
    void flush() {
        out_.append(std::u16string_view(buf_, size_));
        size_ = 0;
    }

    void put_character(std::u16string_view ch) {
        if (ch.size() <= kCharacterRoom) {
            put(ch);
            return;
        }
        flush();
        out_.append(ch);
    }
    void put(std::u16string_view piece) {
        std::memcpy(buf_ + size_, piece.data(), piece.size() * sizeof(char16_t));
        size_ += piece.size();
    }
    template <std::size_t N>
    void put(const std::array<char16_t, N>& piece) { put(std::u16string_view(piece.data(), N)); }
    void put_decimal(long long v) { size_ += write_decimal(buf_ + size_, v); }

private:
    static constexpr std::size_t kCharacterRoom = 64;
    MarkupSink& out_;
    char16_t buf_[80 + kCharacterRoom];
    std::size_t size_ = 0;
};

// "#RRGGBB": each channel's hexadecimal text (two's complement when negative) with
// one "0" put in front and only the last two digits kept, i.e. its low byte.
using ColorText = std::array<char16_t, 7>;

ColorText color_text(std::int32_t r, std::int32_t g, std::int32_t b) {
    constexpr char16_t kHex[] = u"0123456789ABCDEF";
    ColorText t{};
    t[0] = u'#';
    const std::int32_t v[3] = {r, g, b};
    for (int c = 0; c < 3; ++c) {
        const auto low = static_cast<std::uint32_t>(v[c]) & 0xFFu;
        t[1 + 2 * c] = kHex[low >> 4];
        t[2 + 2 * c] = kHex[low & 0xFu];
    }
    return t;
}

// The start marker's copy of the text: a ">" right after "--" or "--!" would end
// the comment early, so it is written as "&gt;". Nothing else is changed.
void put_comment_safe(MarkupSink& out, std::u16string_view text) {
    std::size_t copied = 0;  // text before this is written
    for (std::size_t i = 0; i < text.size(); ++i) {
        const std::u16string_view before = text.substr(0, i);
        if (text[i] == u'>' && (before.ends_with(u"--") || before.ends_with(u"--!"))) {
            out.append(text.substr(copied, i - copied));
            out.append(u"&gt;");
            copied = i + 1;
        }
    }
    out.append(text.substr(copied));
}

// The font size of each character in a size wave; the offset o lives for one run.
// Arithmetic is wide, so no SizeValue and text length can overflow it.
class SizeWave {
public:
    SizeWave(int n, int value, int pattern)
        : n_(n), value_(value), pattern_(pattern), half_(n / 2),
          third_(n / 3 == 0 ? 1 : n / 3), sixth_(n / 6 == 0 ? 1 : n / 6) {}

    long long size_of(long long i) {
        long long size = value_;
        switch (pattern_) {
        case 0:
        case 1: {
            const int dir = pattern_ == 0 ? -1 : 1;  // valley falls first, mountain rises
            if (i <= half_) {
                size = value_ + dir * o_;
                if ((i - 1) % sixth_ == 0) step_and_clamp(dir);
            } else if (i == half_ + 1) {
                size = value_ + dir * o_;
            } else {
                if ((n_ - i) % sixth_ == 0) --o_;
                size = value_ + dir * o_;
            }
            break;
        }
        case 2:
        case 3: {
            const int dir = pattern_ == 2 ? -1 : 1;
            size = value_ + dir * o_;
            if ((i - 1) % third_ == 0) step_and_clamp(dir);
            break;
        }
        default:
            break;
        }
        return size;
    }

private:
    // Moves the offset one step; a falling size stops at 1, a rising one at 7.
    void step_and_clamp(int dir) {
        ++o_;
        if (dir < 0 && value_ - o_ < 1) o_ = value_ - 1;
        if (dir > 0 && value_ + o_ > 7) o_ = 7 - value_;
    }

    long long n_, value_;
    int pattern_;
    long long half_, third_, sixth_;
    long long o_ = 0;
};

}  // namespace

bool write_gradient_markup(std::u16string_view text, const SettingRecord& s, FunctionRef<bool()> separate_tags,
                           FunctionRef<bool()> cancel, MarkupSink& out) {
    const std::vector<std::uint32_t> starts = character_starts(text);
    const int n = static_cast<int>(starts.size()) - 1;

    // Pass 1: colours.
    const GradientSteps steps(s.gradient.value_or(two_stop_gradient(s.StartColor, s.EndColor)), n);
    std::vector<ColorText> colors(static_cast<std::size_t>(n));
    for (int i = 1; i <= n; ++i) {
        if (cancel()) return false;
        const CharacterColor c = steps.at(i);
        colors[static_cast<std::size_t>(i - 1)] = color_text(c[0], c[1], c[2]);
    }

    // Pass 2: markup.
    const bool sized = s.SizeMode > 0;
    const bool relative = s.SizeMode == 2;
    const bool waving = sized && !relative && s.SizeWave && s.WavePattern >= 0 && s.WavePattern <= 3;
    std::u16string fixed_size;  // the size text when it does not vary
    if (relative) {
        if (s.SizeSign == 0) fixed_size = u"+";
        if (s.SizeSign == 1) fixed_size = u"-";
    }
    append_decimal(fixed_size, s.SizeValue);
    SizeWave wave(n, s.SizeValue, s.WavePattern);
    const bool vertical = s.Direction == u'V' && s.TableWrap;

    // Room for the usual case, so a string sink grows once: tags, text, marker copy.
    const std::size_t per_character =
        29 + (sized ? 21 + (waving ? 2 : fixed_size.size()) : 0) + (vertical ? 4 : 0);
    out.expect(per_character * static_cast<std::size_t>(n) + text.size() + (s.StartMark ? 4 * text.size() : 0) +
               160);
    if (s.StartMark) {
        out.append(u"<!--start \u300C");
        put_comment_safe(out, text);
        out.append(u"\u300D-->");
        out.append(kLineBreak);
    }
    if (s.TableWrap) {
        out.append(u"<TABLE BORDER=");
        put_decimal(out, s.TableBorder);
        out.append(u"><TR VALIGN=\"MIDDLE\"><TD><CENTER>");
    }
    if (s.Underline) out.append(u"<U>");
    if (s.Bold) out.append(u"<B>");
    if (s.Italic) out.append(u"<I>");

    for (int i = 1; i <= n; ++i) {
        if (cancel()) return false;
        const bool separate = separate_tags();
        const auto from = starts[static_cast<std::size_t>(i - 1)];
        const std::u16string_view ch = text.substr(from, starts[static_cast<std::size_t>(i)] - from);

        TagWriter tag(out);
        tag.put(u"<FONT COLOR=\""sv);
        tag.put(colors[static_cast<std::size_t>(i - 1)]);
        if (sized) {
            tag.put(separate ? u"\"><FONT SIZE=\""sv : u"\" SIZE=\""sv);
            if (waving) {
                tag.put_decimal(wave.size_of(i));
            } else {
                tag.put(fixed_size);
            }
        }
        tag.put(u"\">"sv);
        tag.put_character(ch);
        tag.put(sized && separate ? u"</FONT></FONT>"sv : u"</FONT>"sv);
        if (vertical) tag.put(u"<BR>"sv);
        tag.flush();
    }

    if (s.Italic) out.append(u"</I>");
    if (s.Bold) out.append(u"</B>");
    if (s.Underline) out.append(u"</U>");
    if (s.TableWrap) out.append(u"</CENTER></TD></TR></TABLE>");
    if (s.BreakAfter) out.append(u"<BR>");
    out.append(kLineBreak);
    if (s.EndMark) {
        out.append(u"<!--end font gradation-->");
        out.append(kLineBreak);
    }
    return true;
}

std::optional<std::u16string> gradient_markup(std::u16string_view text, const SettingRecord& setting,
                                              FunctionRef<bool()> separate_tags, FunctionRef<bool()> cancel) {
    class StringSink final : public MarkupSink {
    public:
        void expect(std::size_t units) override { markup.reserve(units); }
        void append(std::u16string_view piece) override { markup.append(piece); }
        std::u16string markup;
    } sink;
    if (!write_gradient_markup(text, setting, separate_tags, cancel, sink)) return std::nullopt;
    return std::move(sink.markup);
}

std::u16string gradient_markup(std::u16string_view text, const SettingRecord& setting, bool separate_tags) {
    auto separate = [separate_tags] { return separate_tags; };
    auto never = [] { return false; };
    return *gradient_markup(text, setting, separate, never);
}

}  // namespace gradation
