#include "core/markup/markup_dialects.h"

#include "core/setting_line/setting_meaning.h"

namespace gradation {
namespace {

constexpr FeatureInfo kFeatures[] = {
    {Feature::Size, "font size", GRADATION_TRANSLATE_NOOP("MarkupNote", "文字の大きさ")},
    {Feature::Table, "table", GRADATION_TRANSLATE_NOOP("MarkupNote", "表")},
    {Feature::StartMark, "start marker", GRADATION_TRANSLATE_NOOP("MarkupNote", "開始マーカー")},
    {Feature::EndMark, "end marker", GRADATION_TRANSLATE_NOOP("MarkupNote", "終了マーカー")},
    {Feature::SeparateTags, "separate colour and size tags", GRADATION_TRANSLATE_NOOP("MarkupNote", "色と大きさの分離")},
    {Feature::Italic, "italic", GRADATION_TRANSLATE_NOOP("MarkupNote", "斜体")},
};
static_assert(one_row_each(kFeatures, &FeatureInfo::feature), "one row per feature, in the enum's order");

}  // namespace

std::optional<Dialect> dialect_named(std::string_view name) {
    for (const DialectInfo& d : dialects())
        if (d.name == name) return d.dialect;
    return std::nullopt;
}

const FeatureInfo& feature_info(Feature feature) { return kFeatures[static_cast<std::size_t>(feature)]; }

std::vector<Feature> features_left_out(Dialect dialect, const SettingRecord& s, bool separate_tags) {
    const unsigned writes = dialect_info(dialect).writes;
    const bool sized = size_mode(s) != SizeMode::None;
    // Separate tags matter only where sizes are written at all.
    const bool asks[] = {sized, s.TableWrap != 0, s.StartMark != 0, s.EndMark != 0,
                         separate_tags && sized && (writes & feature_bit(Feature::Size)) != 0, s.Italic != 0};
    std::vector<Feature> out;
    for (const FeatureInfo& f : kFeatures)
        if (asks[static_cast<std::size_t>(f.feature)] && (writes & feature_bit(f.feature)) == 0) out.push_back(f.feature);
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
