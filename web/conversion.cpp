// Converting a text and editing the user's settings, as the page asks for them.
#include "core/markup/markup_fit.h"
#include "core/setting_line/setting_meaning.h"
#include "core/settings_file/settings_store.h"
#include "web/page_values.h"

#include <emscripten/bind.h>

namespace gradation::web {
namespace {

val fit_of(const FitResult& fit) {
    val out = val::object();
    out.set("fitted", fit.outcome == FitResult::Outcome::Fitted);
    out.set("length", fit.length);
    out.set("limit", fit.limit.length);
    out.set("bytes", fit.limit.unit == LengthUnit::Utf8Bytes);
    out.set("merge", fit.used.merge);
    out.set("plainBlanks", fit.used.plain_blanks);
    out.set("perColour", fit.used.characters_per_colour);
    return out;
}

// What the markup leaves out of the setting, and what the user is told of the text's own
// characters ([note, count] pairs, the note numbered as core numbers it).
void add_notes(val& out, std::u16string_view text, const SettingRecord& record, Dialect dialect, bool separate) {
    std::vector<std::string> left_out;  // in the windows' source language, translated as they are
    for (const Feature f : features_left_out(dialect, record, separate)) left_out.emplace_back(feature_info(f).name_ja);
    out.set("leftOut", array_of(left_out));
    val notes = val::array();
    for (const NoteCount& n : text_notes(dialect, text))
        notes.call<void>("push", array_of(std::vector<std::size_t>{static_cast<std::size_t>(n.note), n.count}));
    out.set("notes", notes);
}

// The markup of request.text as gradation-cli writes it for the same setting (fields,
// stops, space), --format, --[no-]merge, --[no-]plain-blanks and, when request.limit is
// above 0, --fit (in bytes when request.limitBytes).
val convert(const val& request) {
    const std::u16string text = request["text"].as<std::u16string>();
    val out = val::object();
    out.set("units", text.size());
    if (text.empty() || text.size() > kMaxTextUnits) return out;
    const Result<SettingRecord> record = setting_of(request);
    if (!record) return refused(record.error());
    const std::optional<Dialect> dialect = dialect_named(request["dialect"].as<std::string>());
    MarkupOptions options = default_options(dialect.value_or(Dialect::Html));
    options.merge = request["merge"].as<bool>();
    options.plain_blanks = request["plainBlanks"].as<bool>();
    const bool separate = separates_tags(*record);
    const auto tags = [separate] { return separate; };
    const auto never = [] { return false; };
    StringSink sink;
    if (const int limit = request["limit"].as<int>(); limit > 0) {
        const LengthLimit within{static_cast<std::size_t>(limit),
                                 request["limitBytes"].as<bool>() ? LengthUnit::Utf8Bytes : LengthUnit::Utf16Units};
        out.set("fit", fit_of(write_fitted_markup(text, *record, options, within, tags, never, sink)));
    } else {
        write_gradient_markup(text, *record, tags, never, sink, options);
    }
    out.set("markup", text_value(sink.markup));
    add_notes(out, text, *record, options.dialect, separate);
    return out;
}

// The settings file request.bytes with the request's setting written as entry request.n
// (or added after the last when n is below 0), its gradient in the Gradient section:
// { bytes, n }, or why not. The settings store's own editing, without a disk.
val store_edit(const val& request) {
    Result<SettingsStore> store = SettingsStore::from_content("QX.ini", request["bytes"].as<std::string>());
    if (!store) return refused(store.error());
    const Result<SettingRecord> record = setting_of(request);
    if (!record) return refused(record.error());
    const std::u16string line = format_setting_line(request["name"].as<std::u16string>(), *record);
    int n = request["n"].as<int>();
    const std::vector<std::u16string> entries = store->entries();
    const bool adding = n < 0;
    const std::u16string kept = !adding && static_cast<std::size_t>(n) < entries.size() ? entries[std::size_t(n)] : u"";
    Outcome done = adding ? store->add(line) : store->replace(n, line, kept);
    if (adding) n = static_cast<int>(entries.size());
    if (done) done = store->set_gradient(n, record->gradient);
    if (!done) return refused(done.error());
    val out = val::object();
    out.set("bytes", bytes_value(store->content()));
    out.set("n", n);
    return out;
}

}  // namespace
}  // namespace gradation::web

EMSCRIPTEN_BINDINGS(gradation_conversion) {
    emscripten::function("convert", &gradation::web::convert);
    emscripten::function("storeEdit", &gradation::web::store_edit);
}
