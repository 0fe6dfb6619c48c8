#include "web/page_values.h"

#include "core/settings_file/gradient_entries.h"

#include <cstdio>

namespace gradation::web {
namespace {

constexpr std::pair<const char*, bool SettingRecord::*> kFlags[] = {
    {"StartMark", &SettingRecord::StartMark}, {"EndMark", &SettingRecord::EndMark},
    {"BreakAfter", &SettingRecord::BreakAfter}, {"Underline", &SettingRecord::Underline},
    {"Italic", &SettingRecord::Italic}, {"Bold", &SettingRecord::Bold},
    {"TableWrap", &SettingRecord::TableWrap}, {"SizeWave", &SettingRecord::SizeWave},
};
constexpr std::pair<const char*, std::int16_t SettingRecord::*> kNumbers[] = {
    {"SizeMode", &SettingRecord::SizeMode}, {"SizeSign", &SettingRecord::SizeSign},
    {"SizeValue", &SettingRecord::SizeValue}, {"TableBorder", &SettingRecord::TableBorder},
    {"WavePattern", &SettingRecord::WavePattern}, {"DevTag", &SettingRecord::DevTag},
};
constexpr std::pair<const char*, Colour SettingRecord::*> kColours[] = {
    {"StartColor", &SettingRecord::StartColor}, {"EndColor", &SettingRecord::EndColor},
};

}  // namespace

val refused(const Refusal& refusal) {
    val out = val::object();
    out.set("refused", refusal.text());
    return out;
}

val fields_of(const SettingRecord& record) {
    val fields = val::object();
    for (const auto& [name, member] : kFlags) fields.set(name, record.*member);
    for (const auto& [name, member] : kNumbers) fields.set(name, record.*member);
    for (const auto& [name, member] : kColours) {
        const Colour& c = record.*member;
        fields.set(name, array_of(std::vector<int>{c.red, c.green, c.blue}));
    }
    fields.set("Direction", std::u16string(1, record.Direction));
    return fields;
}

SettingRecord record_of(const val& fields) {
    SettingRecord record;
    for (const auto& [name, member] : kFlags) record.*member = fields[name].as<bool>();
    for (const auto& [name, member] : kNumbers) record.*member = static_cast<std::int16_t>(fields[name].as<int>());
    for (const auto& [name, member] : kColours) {
        const val c = fields[name];
        record.*member = {c[0].as<int>(), c[1].as<int>(), c[2].as<int>()};
    }
    const std::u16string direction = fields["Direction"].as<std::u16string>();
    record.Direction = direction.empty() ? u' ' : direction[0];
    return record;
}

std::string hex_colour(const Colour& colour) {
    char text[8];
    std::snprintf(text, sizeof text, "#%02X%02X%02X", colour.red & 0xFF, colour.green & 0xFF, colour.blue & 0xFF);
    return text;
}

std::string stop_list(const Gradient& gradient) {
    std::string list;
    for (std::size_t i = 0; i < gradient.stops.size(); ++i) {
        list += (i > 0 ? "," : "") + hex_colour(gradient.stops[i].colour);
        if (i > 0 && i + 1 < gradient.stops.size()) list += "@" + std::to_string(gradient.stops[i].position);
    }
    return list;
}

Result<SettingRecord> setting_of(const val& request) {
    SettingRecord record = record_of(request["fields"]);
    Result<Gradient> gradient = parse_stop_list(request["stops"].as<std::string>());
    if (!gradient) return Refused(gradient.error());
    const std::optional<GradientSpace> space = space_from_name(request["space"].as<std::string>());
    if (!space) return refuse(RefusalCode::GradientSpaceUnknown, {request["space"].as<std::string>()});
    gradient->space = *space;
    use_gradient(record, *gradient);
    return record;
}

val bytes_value(std::string_view bytes) {
    return val::global("Uint8Array").new_(emscripten::typed_memory_view(bytes.size(), bytes.data()));
}

val text_value(std::u16string_view text) {
    static const val decoder = val::global("TextDecoder").new_(val("utf-16le"));
    return decoder.call<val>("decode", val(emscripten::typed_memory_view(text.size() * 2,
                                                                        reinterpret_cast<const std::uint8_t*>(text.data()))));
}

}  // namespace gradation::web
