// The dialects' table: one row per dialect, with its writer.
#include "core/markup/markup_dialects.h"

#include "core/markup/markup_drive.h"
#include "core/markup/markup_writer_lengths.h"
#include "core/markup/markup_writers_chat.h"

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

constexpr unsigned kHtmlWrites = kEveryFeature;
constexpr unsigned kCssWrites = kEveryFeature & ~feature_bit(Feature::SeparateTags);
constexpr unsigned kItalicOnly = feature_bit(Feature::Italic);

// What the editor's preview reads back from the codes of each kind of markup.
using E = CodeEffect;
constexpr MarkupCode kAmpersandCodes[] = {{"&#([0-9a-fA-F]{6})", E::ColourResettingFormats},
                                    {"&l", E::Bold}, {"&o", E::Italic}, {"&n", E::Underline}, {"&r", E::Reset},
                                    {"&[mk]", E::Drop}};
constexpr MarkupCode kSectionCodes[] = {{"\xC2\xA7x((?:\xC2\xA7[0-9a-fA-F]){6})", E::ColourResettingFormats},
                                  {"\xC2\xA7l", E::Bold}, {"\xC2\xA7o", E::Italic}, {"\xC2\xA7n", E::Underline},
                                  {"\xC2\xA7r", E::Reset}, {"\xC2\xA7[mk]", E::Drop}};
constexpr MarkupCode kMiniMessageCodes[] = {{"<#([0-9a-fA-F]{6})>", E::Colour}, {"<b>", E::Bold}, {"</b>", E::EndBold},
                                      {"<i>", E::Italic}, {"</i>", E::EndItalic}, {"<u>", E::Underline},
                                      {"</u>", E::EndUnderline}, {"\\\\([<\\\\])", E::Text}};
constexpr MarkupCode kSgrCodes[] = {{"\x1B\\[([0-9;]*)m", E::Sgr}};
constexpr MarkupCode kIrcCodes[] = {{"\x03([0-9]{2})", E::Palette}, {"\x02", E::ToggleBold},
                                    {"\x1D", E::ToggleItalic}, {"\x1F", E::ToggleUnderline}, {"\x0F", E::Reset}};
constexpr MarkupCode kDiscordCodes[] = {{"```(?:ansi\n)?", E::Drop}, {"\x1B\\[([0-9;]*)m", E::Sgr}};

// A row's writer, named once: both passes make it over their job's plan.
template <class Writer, auto... kArguments>
bool write_as(WriteJob& job) {
    return job.write(Writer{{job.base()}, kArguments...});
}

template <class Writer, auto... kArguments>
WriterLengths lengths_as(const LengthJob& job) {
    return learn_lengths(Writer{{WriterBase{job.out, job.plan}}, kArguments...}, job);
}

template <class Writer, auto... kArguments>
constexpr WriterOps kWriter{write_as<Writer, kArguments...>, lengths_as<Writer, kArguments...>};

constexpr DialectInfo kDialects[] = {
    {Dialect::Html, "html", "HTML font tags for web chat rooms (the classic markup)",
     GRADATION_TRANSLATE_NOOP("MarkupNote", "ウェブチャット向けの HTML の FONT タグ (これまでの形式)"),
     "A browser reads \"<\" and \"&\"; nothing is escaped: every character has a tag of its own, or, merged, "
     "a character holding \"<\" or \"&\" stands in a run of its own, so \"</FONT>\" follows it.",
     kHtmlWrites, {}, false, DialectPreview::Html, {}, {}, nullptr, kWriter<HtmlWriter>},
    {Dialect::HtmlCss, "html-css", "modern HTML: span elements with CSS colours",
     GRADATION_TRANSLATE_NOOP("MarkupNote", "新しい HTML: CSS で色を付けた span 要素"),
     "A browser reads \"<\" and \"&\": written \"&lt;\" and \"&amp;\" (and \">\", '\"' as \"&gt;\", "
     "\"&quot;\"); a line break (CR LF, CR or LF) is written \"<br>\".",
     kCssWrites, {}, true, DialectPreview::Html, {}, {}, nullptr, kWriter<HtmlCssWriter>},
    {Dialect::Bbcode, "bbcode", "forums: [color] and [size] tags",
     GRADATION_TRANSLATE_NOOP("MarkupNote", "掲示板: [color] と [size] のタグ"),
     "A forum reads \"[\" as a tag's start, and forums share no escape: a character holding \"[\" stands in a "
     "run of its own, so \"[/color]\" follows it.",
     feature_bit(Feature::Size) | kItalicOnly, {}, true, DialectPreview::Bbcode, {}, {}, nullptr, kWriter<BbcodeWriter>},
    {Dialect::Minecraft, "minecraft", "Minecraft chat and plugins: &#rrggbb codes",
     GRADATION_TRANSLATE_NOOP("MarkupNote", "Minecraft のチャットとプラグイン: &#rrggbb のコード"), kGameCodes,
     kItalicOnly, kGameNotes, true, DialectPreview::Codes, kAmpersandCodes, {}, nullptr, kWriter<MinecraftWriter, false>},
    {Dialect::MinecraftSection, "minecraft-section", "Minecraft: section-sign codes (\xC2\xA7x)",
     GRADATION_TRANSLATE_NOOP("MarkupNote", "Minecraft: § のコード (§x)"), kGameCodes, kItalicOnly, kGameNotes,
     true, DialectPreview::Codes, kSectionCodes, {}, nullptr, kWriter<MinecraftWriter, true>},
    {Dialect::MiniMessage, "minimessage", "Minecraft servers with MiniMessage: <#rrggbb> tags",
     GRADATION_TRANSLATE_NOOP("MarkupNote", "MiniMessage を使う Minecraft サーバー: <#rrggbb> のタグ"),
     "MiniMessage reads \"<\" and a \"\\\" before \"<\" or \"\\\": written \"\\<\" and \"\\\\\"; the "
     "character after a text \"\xC2\xA7\" joins its run; control characters are shown as symbols.",
     kItalicOnly, {true, false, true}, true, DialectPreview::Codes, kMiniMessageCodes, {}, nullptr,
     kWriter<MiniMessageWriter>},
    {Dialect::MinecraftJson, "minecraft-json", "Minecraft JSON text components (/tellraw, signs, books)",
     GRADATION_TRANSLATE_NOOP("MarkupNote", "Minecraft の JSON テキスト (/tellraw、看板、本)"),
     "A JSON string: '\"', \"\\\" and control characters are escaped; the character after a text "
     "\"\xC2\xA7\" joins its component.",
     kItalicOnly, {true, false, false}, true, DialectPreview::Json, {}, {}, nullptr, kWriter<MinecraftJsonWriter>},
    {Dialect::Ansi, "ansi", "terminals with 24-bit colour", GRADATION_TRANSLATE_NOOP("MarkupNote", "24 ビットカラーの端末"),
     kTerminal, kItalicOnly, {false, false, true}, true, DialectPreview::Codes, kSgrCodes, {}, nullptr,
     kWriter<AnsiWriter, false>},
    {Dialect::Ansi256, "ansi-256", "terminals with 256 colours", GRADATION_TRANSLATE_NOOP("MarkupNote", "256 色の端末"),
     kTerminal, kItalicOnly, {false, false, true}, true, DialectPreview::Codes, kSgrCodes, kXtermPalette, xterm_256_index,
     kWriter<AnsiWriter, true>},
    {Dialect::Irc, "irc", "IRC: mIRC colour codes, 99 colours",
     GRADATION_TRANSLATE_NOOP("MarkupNote", "IRC: mIRC の色コード (99 色)"),
     "IRC clients read ^B, ^C (a colour: one or two digits, then a comma and a background), ^D, ^O, ^Q, ^V, ^], "
     "^^ and ^_ (^X: the control character X): a colour code always has two digits, so a digit of the text never "
     "joins it, and ^B^B (bold on and off) keeps a comma of the text from a code before it; control characters "
     "are shown as symbols.",
     kItalicOnly, {false, false, true}, true, DialectPreview::Codes, kIrcCodes, kIrcPalette, irc_colour_index,
     kWriter<IrcWriter>},
    {Dialect::Discord, "discord", "Discord: a coloured ansi code block, 8 colours",
     GRADATION_TRANSLATE_NOOP("MarkupNote", "Discord: 色付きの ansi コードブロック (8 色)"),
     "Discord ends a code block at three backticks: a zero-width joiner goes between two backticks of the text, "
     "so the text cannot close the block and still reads as it was; control characters are shown as symbols.",
     0, {false, false, true}, true, DialectPreview::Codes, kDiscordCodes, kDiscordPalette, discord_colour_index,
     kWriter<DiscordWriter>},
};

static_assert(one_row_each(kDialects, &DialectInfo::dialect), "one row per dialect, in the enum's order");

}  // namespace

std::span<const DialectInfo> dialects() { return kDialects; }

const DialectInfo& dialect_info(Dialect dialect) { return kDialects[static_cast<std::size_t>(dialect)]; }

}  // namespace gradation
