// The core as the page calls it (embind): the same functions the programs use, taking
// and giving plain JavaScript values. A setting travels as its name, its fields (named
// as SettingRecord names them) and its gradient as the command line's --stops and
// --space give it, so the page converts exactly as gradation-cli does.
#include "core/colour/colour_space.h"
#include "core/markup/gradient_markup.h"
#include "core/settings_file/configuration_file.h"
#include "core/settings_file/gradient_entries.h"
#include "core/settings_file/profile_reader.h"
#include "web/page_values.h"
#include "web/shipped_settings.h"

#include <emscripten/bind.h>

#include <algorithm>
#include <iterator>

namespace gradation::web {
namespace {

// How the editor's preview draws a dialect's markup, as the row says: its kind, and for
// coloured text the codes it reads back (each a regular expression and what it does) and
// the palette they choose from.
constexpr const char* kPreviewKinds[] = {"html", "bbcode", "json", "codes"};
static_assert(std::size(kPreviewKinds) == static_cast<std::size_t>(DialectPreview::Codes) + 1);
constexpr const char* kCodeEffects[] = {"colour", "colourResettingFormats", "palette", "sgr", "bold", "italic",
                                       "underline", "endBold", "endItalic", "endUnderline", "toggleBold",
                                       "toggleItalic", "toggleUnderline", "reset", "text", "drop"};
static_assert(std::size(kCodeEffects) == static_cast<std::size_t>(CodeEffect::Drop) + 1);

val preview_of(const DialectInfo& d) {
    val codes = val::array();
    for (const MarkupCode& code : d.codes) {
        val row = val::object();
        row.set("pattern", std::string(code.pattern));
        row.set("effect", std::string(kCodeEffects[static_cast<std::size_t>(code.effect)]));
        codes.call<void>("push", row);
    }
    std::vector<std::string> palette;
    for (const std::uint32_t rgb : d.palette)
        palette.push_back(hex_colour({int(rgb >> 16 & 0xFF), int(rgb >> 8 & 0xFF), int(rgb & 0xFF)}));
    val out = val::object();
    out.set("kind", std::string(kPreviewKinds[static_cast<std::size_t>(d.preview)]));
    out.set("codes", codes);
    out.set("palette", array_of(palette));
    return out;
}

val described_setting(const SettingRecord& record) {
    val out = val::object();
    out.set("fields", fields_of(record));
    const Gradient gradient = record.gradient.value_or(two_stop_gradient(record.StartColor, record.EndColor));
    out.set("stops", stop_list(gradient));
    out.set("space", std::string(space_name(gradient.space)));
    return out;
}

// Every dialect, in the core's order: its name, what it is for (English, and the Japanese
// the windows translate), its default shortening and how its preview is drawn.
val dialect_list() {
    val list = val::array();
    for (const DialectInfo& d : dialects()) {
        const MarkupOptions options = default_options(d.dialect);
        val row = val::object();
        row.set("name", std::string(d.name));
        row.set("purpose", std::string(d.purpose));
        row.set("purposeJa", std::string(d.purpose_ja));
        row.set("merge", options.merge);
        row.set("plainBlanks", options.plain_blanks);
        row.set("preview", preview_of(d));
        list.call<void>("push", row);
    }
    return list;
}

val space_list() {
    std::vector<std::string> names;
    for (const ColourSpace& space : colour_spaces()) names.emplace_back(space.name);
    return array_of(names);
}

// The setting list of a QX.ini's bytes: each entry's name and line, and its fields and
// gradient, or why it cannot be used.
val read_settings(const std::string& bytes) {
    if (const Outcome checked = check_configuration_file(bytes); !checked) return refused(checked.error());
    val list = val::array();
    const std::vector<SettingLineRead> lines = read_setting_list(bytes);
    for (std::size_t n = 0; n < lines.size(); ++n) {
        const Result<SettingRecord> record = setting_with_gradient(bytes, lines[n], static_cast<int>(n));
        val row = record ? described_setting(*record) : refused(record.error());
        row.set("name", std::u16string(setting_name(lines[n].line)));
        list.call<void>("push", row);
    }
    val out = val::object();
    out.set("settings", list);
    return out;
}

// The colours of `n` characters along the request's setting: the gradient bar's picture.
val gradient_colours(const val& request, int n) {
    const Result<SettingRecord> record = setting_of(request);
    if (!record) return refused(record.error());
    std::vector<std::string> hex;
    for (const Colour& c : setting_colours(*record, static_cast<std::size_t>(std::max(n, 2))))
        hex.push_back(hex_colour(c));
    val out = val::object();
    out.set("colours", array_of(hex));
    return out;
}

// The stops of a --stops text, each as colour and position, for the gradient bar.
val stop_positions(const std::string& stops) {
    const Result<Gradient> gradient = parse_stop_list(stops);
    if (!gradient) return refused(gradient.error());
    val list = val::array();
    for (const GradientStop& stop : gradient->stops) {
        val row = val::object();
        row.set("colour", hex_colour(stop.colour));
        row.set("position", stop.position);
        list.call<void>("push", row);
    }
    val out = val::object();
    out.set("stops", list);
    return out;
}

val shipped_settings() { return bytes_value(kShippedSettings); }

}  // namespace
}  // namespace gradation::web

EMSCRIPTEN_BINDINGS(gradation) {
    using namespace gradation::web;
    emscripten::function("dialects", &dialect_list);
    emscripten::function("spaces", &space_list);
    emscripten::function("shippedSettings", &shipped_settings);
    emscripten::function("readSettings", &read_settings);
    emscripten::function("gradientColours", &gradient_colours);
    emscripten::function("stopPositions", &stop_positions);
}
