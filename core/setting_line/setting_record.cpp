#include "core/setting_line/setting_record.h"

#include "core/text/number_text.h"


namespace gradation {
namespace {

constexpr int kLastFixedPosition = 20;
constexpr int kDevTagPosition = 21;

bool flag(std::u16string_view field) { return field == u"ON"; }

// Splits positions 1..20 off the line; position 21 is the whole rest after the
// 21st comma, when there is one.
struct Fields {
    std::u16string_view at[kLastFixedPosition + 1];
    std::optional<std::u16string_view> dev_tag;
    int count = 0;  // positions found, name included
};

Fields cut_fields(std::u16string_view line) {
    Fields f;
    std::size_t start = 0;
    for (int pos = 0; pos <= kLastFixedPosition; ++pos) {
        const std::size_t comma = line.find(u',', start);
        if (pos == kLastFixedPosition || comma == std::u16string_view::npos) {
            f.at[pos] = line.substr(start, comma == std::u16string_view::npos ? comma : comma - start);
            f.count = pos + 1;
            if (pos == kLastFixedPosition && comma != std::u16string_view::npos)
                f.dev_tag = line.substr(comma + 1);
            return f;
        }
        f.at[pos] = line.substr(start, comma - start);
        start = comma + 1;
    }
    return f;
}

}  // namespace

std::u16string_view setting_name(std::u16string_view line) {
    return line.substr(0, line.find(u','));
}

std::u16string format_setting_line(std::u16string_view name, const SettingRecord& s) {
    std::u16string line(name);
    const auto flag_field = [&](bool on) { line += on ? u",ON" : u",OFF"; };
    const auto bare = [&](std::int32_t value) {
        for (const char c : std::to_string(value)) line.push_back(static_cast<char16_t>(c));
    };
    const auto number_field = [&](std::int32_t value) {
        line += value >= 0 ? u", " : u",";
        bare(value);
    };
    flag_field(s.StartMark);
    flag_field(s.EndMark);
    flag_field(s.BreakAfter);
    flag_field(s.Underline);
    flag_field(s.Italic);
    flag_field(s.Bold);
    number_field(s.SizeMode);
    number_field(s.SizeSign);
    number_field(s.SizeValue);
    flag_field(s.TableWrap);
    number_field(s.TableBorder);
    line += u',';
    line += s.Direction;
    flag_field(s.SizeWave);
    number_field(s.WavePattern);
    for (const Colour& c : {s.StartColor, s.EndColor}) {
        number_field(c.red);
        number_field(c.green);
        number_field(c.blue);
    }
    line += u',';
    bare(s.DevTag);
    return line;
}

Result<SettingRecord> parse_setting_line(std::u16string_view line) {
    const Fields f = cut_fields(line);
    if (f.count <= kLastFixedPosition)
        return refuse(RefusalCode::FieldsMissing, {}, f.count);

    std::optional<Refusal> refusal;  // the first field refused
    auto number = [&](int pos) -> std::int16_t {
        const Result<std::int16_t> r = read_number16(f.at[pos], Rounding::Floor);
        if (!r && !refusal) refusal = r.error().at(pos);
        return r.value_or(0);
    };

    SettingRecord r;
    r.StartMark = flag(f.at[1]);
    r.EndMark = flag(f.at[2]);
    r.BreakAfter = flag(f.at[3]);
    r.Underline = flag(f.at[4]);
    r.Italic = flag(f.at[5]);
    r.Bold = flag(f.at[6]);
    r.SizeMode = number(7);
    r.SizeSign = number(8);
    r.SizeValue = number(9);
    r.TableWrap = flag(f.at[10]);
    r.TableBorder = number(11);
    r.Direction = f.at[12].empty() ? u' ' : f.at[12].front();
    r.SizeWave = flag(f.at[13]);
    r.WavePattern = number(14);
    r.StartColor = {number(15), number(16), number(17)};
    r.EndColor = {number(18), number(19), number(20)};
    if (f.dev_tag) {
        // Anything but a number reads as 0 here; only a number out of range refuses.
        const Result<std::int16_t> d = read_number16(*f.dev_tag, Rounding::HalfEven);
        const bool out_of_range = !d && d.error().code != RefusalCode::NotANumber;
        if (out_of_range && !refusal) refusal = d.error().at(kDevTagPosition);
        r.DevTag = d.value_or(0);
    }

    if (refusal) return Refused(*refusal);
    return r;
}

}  // namespace gradation
