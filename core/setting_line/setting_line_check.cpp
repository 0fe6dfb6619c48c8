#include "core/setting_line/setting_line_check.h"

#include "core/text/utf8.h"

#include <string>
#include <vector>

namespace gradation {
namespace {

constexpr std::size_t kFewestFields = 21;
constexpr std::size_t kMostFields = 22;

enum class Kind { Name, Flag, Direction, Number };

// What one position holds; for a number, its range and the refusal that names it.
struct FieldRule {
    Kind kind;
    int lowest = 0;
    int highest = 0;
    RefusalCode out_of_range = RefusalCode::ColourRange;
};

constexpr FieldRule flag{Kind::Flag};
constexpr FieldRule colour{Kind::Number, 0, 255, RefusalCode::ColourRange};

constexpr FieldRule kRules[kMostFields] = {
    {Kind::Name},
    flag, flag, flag, flag, flag, flag,
    {Kind::Number, 0, 2, RefusalCode::SizeModeRange},
    {Kind::Number, 0, 1, RefusalCode::SizeSignRange},
    {Kind::Number, -32768, 32767, RefusalCode::SizeValueRange},
    flag,
    {Kind::Number, 0, 32767, RefusalCode::TableBorderRange},
    {Kind::Direction},
    flag,
    {Kind::Number, 0, 3, RefusalCode::WavePatternRange},
    colour, colour, colour, colour, colour, colour,
    {Kind::Number, 0, 2, RefusalCode::LastFieldRange},
};

std::vector<std::u16string_view> split_fields(std::u16string_view line) {
    std::vector<std::u16string_view> fields;
    for (std::size_t start = 0;;) {
        const std::size_t comma = line.find(u',', start);
        fields.push_back(line.substr(start, comma == std::u16string_view::npos ? comma : comma - start));
        if (comma == std::u16string_view::npos) return fields;
        start = comma + 1;
    }
}

std::u16string_view trimmed(std::u16string_view field) {
    while (!field.empty() && (field.front() == u' ' || field.front() == u'\t')) field.remove_prefix(1);
    while (!field.empty() && (field.back() == u' ' || field.back() == u'\t')) field.remove_suffix(1);
    return field;
}

bool is_control(char16_t c) { return c < 0x20 || (c >= 0x7F && c <= 0x9F); }

// A whole number in decimal digits, with an optional minus sign, within [lowest, highest].
bool whole_number_within(std::u16string_view text, int lowest, int highest) {
    const bool negative = !text.empty() && text.front() == u'-';
    if (negative) text.remove_prefix(1);
    if (text.empty() || text.size() > 6) return false;
    long value = 0;
    for (const char16_t c : text) {
        if (c < u'0' || c > u'9') return false;
        value = value * 10 + (c - u'0');
    }
    if (negative) value = -value;
    return value >= lowest && value <= highest;
}

// Whether `field`, at `position`, holds what `rule` asks for.
Outcome check_field(const FieldRule& rule, std::u16string_view field, int position) {
    const std::u16string_view text = trimmed(field);
    const auto refused = [&](RefusalCode code, std::vector<std::string> details) {
        return refuse(code, std::move(details), position);
    };
    switch (rule.kind) {
    case Kind::Name:
        if (field.empty()) return refused(RefusalCode::NameEmpty, {});
        for (const char16_t c : field)
            if (is_control(c)) return refused(RefusalCode::NameControlCharacter, {});
        return {};
    case Kind::Flag:
        if (text == u"ON" || text == u"OFF") return {};
        return refused(RefusalCode::FlagValue, {utf16_to_utf8(text)});
    case Kind::Direction:
        if (text == u"H" || text == u"V") return {};
        return refused(RefusalCode::DirectionValue, {utf16_to_utf8(text)});
    case Kind::Number:
        if (whole_number_within(text, rule.lowest, rule.highest)) return {};
        return refused(rule.out_of_range,
                       {std::to_string(rule.lowest), std::to_string(rule.highest), utf16_to_utf8(text)});
    }
    return {};
}

}  // namespace

Outcome check_line_strictly(std::u16string_view line, std::u16string_view kept) {
    const std::vector<std::u16string_view> fields = split_fields(line);
    if (fields.size() < kFewestFields)
        return refuse(RefusalCode::LineFieldsMissing, {}, static_cast<int>(fields.size()));
    if (fields.size() > kMostFields)
        return refuse(RefusalCode::LineFieldCount, {std::to_string(fields.size())}, static_cast<int>(kMostFields));
    const std::vector<std::u16string_view> stored = kept.empty() ? std::vector<std::u16string_view>{} : split_fields(kept);
    for (std::size_t pos = 0; pos < fields.size(); ++pos) {
        if (pos < stored.size() && trimmed(stored[pos]) == trimmed(fields[pos])) continue;
        if (Outcome field = check_field(kRules[pos], fields[pos], static_cast<int>(pos)); !field) return field;
    }
    return {};
}

}  // namespace gradation
