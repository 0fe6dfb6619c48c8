#include "cli/cli_options.h"

#include "cli/cli_messages.h"
#include "core/settings_file/gradient_entries.h"
#include "core/settings_file/setting_list.h"

#include <algorithm>
#include <charconv>
#include <functional>

namespace gradation::cli {
namespace {

// The options while they are read; the four requests become the action at the end.
struct ParseState {
    Options o;
    bool help = false;
    bool version = false;
    bool list = false;
    bool which_ini = false;
};

using Values = std::vector<std::string_view>;
// Stores an option's values, or refuses them (a usage error).
using Apply = std::function<Outcome(ParseState&, const Values&)>;
using C = RefusalCode;

// Nothing; one value (next argument or "=VALUE"); or the values of an edit, which end
// at the next option so that a forgotten LINE is not taken from the option after it.
enum class Takes { Nothing, Value, EditValues };

struct OptionSpec {
    std::string_view name;
    Takes takes;
    Apply apply;
    std::size_t edit_values = 1;  // --replace N LINE takes two
};

// "N" in UTF-16 units or "Nb" in UTF-8 bytes.
std::optional<LengthLimit> limit_from(std::string_view value) {
    LengthLimit limit;
    if (value.ends_with('b')) {
        limit.unit = LengthUnit::Utf8Bytes;
        value.remove_suffix(1);
    }
    const auto [end, ec] = std::from_chars(value.data(), value.data() + value.size(), limit.length);
    if (value.empty() || ec != std::errc() || end != value.data() + value.size()) return std::nullopt;
    return limit;
}

Apply set_text(std::optional<std::string> Options::*member) {
    return [member](ParseState& s, const Values& v) {
        s.o.*member = std::string(v[0]);
        return Outcome();
    };
}

Apply set_request(bool ParseState::*member) {
    return [member](ParseState& s, const Values&) {
        s.*member = true;
        return Outcome();
    };
}

Apply set_switch(std::optional<bool> Options::*member, bool value) {
    return [member, value](ParseState& s, const Values&) {
        s.o.*member = value;
        return Outcome();
    };
}

Outcome set_separate(ParseState& s, bool separate) {
    if (s.o.separate && *s.o.separate != separate) return refuse(C::OptionsExclude, {"--separate", "--joined"});
    s.o.separate = separate;
    return {};
}

Outcome set_setting(ParseState& s, const Values& v) {
    s.o.setting = setting_number(v[0]);
    if (!s.o.setting) return refuse(C::SettingNumberValue, {std::string(v[0])});
    return {};
}

Outcome set_format(ParseState& s, const Values& v) {
    s.o.format = dialect_named(v[0]);
    if (!s.o.format) return refuse(C::UnknownFormat, {shown(v[0])});
    return {};
}

Outcome set_fit(ParseState& s, const Values& v) {
    s.o.fit = limit_from(v[0]);
    if (!s.o.fit) return refuse(C::FitValue, {shown(v[0])});
    return {};
}

// An edit and its values: --add LINE, --replace N LINE or --remove N.
Apply set_edit(Options::Action action, std::string_view name) {
    return [action, name](ParseState& s, const Values& v) {
        s.o.action = action;
        if (action == Options::Action::Add) {
            s.o.edit_line = std::string(v[0]);
            return Outcome();
        }
        s.o.edit_entry = setting_number(v[0]);
        if (!s.o.edit_entry) return Outcome(refuse(C::EntryNumberValue, {std::string(name), std::string(v[0])}));
        if (action == Options::Action::Replace) s.o.edit_line = std::string(v[1]);
        return Outcome();
    };
}

const std::vector<OptionSpec>& option_specs() {
    using A = Options::Action;
    static const std::vector<OptionSpec> option_table = {
        {"--line", Takes::Value, set_text(&Options::line)},
        {"--text", Takes::Value, set_text(&Options::text)},
        {"--ini", Takes::Value, set_text(&Options::ini)},
        {"--stops", Takes::Value, set_text(&Options::stops)},
        {"--space", Takes::Value, set_text(&Options::space)},
        {"--setting", Takes::Value, set_setting},
        {"--format", Takes::Value, set_format},
        {"--fit", Takes::Value, set_fit},
        {"--add", Takes::EditValues, set_edit(A::Add, "--add")},
        {"--replace", Takes::EditValues, set_edit(A::Replace, "--replace"), 2},
        {"--remove", Takes::EditValues, set_edit(A::Remove, "--remove")},
        {"--separate", Takes::Nothing, [](ParseState& s, const Values&) { return set_separate(s, true); }},
        {"--joined", Takes::Nothing, [](ParseState& s, const Values&) { return set_separate(s, false); }},
        {"--merge", Takes::Nothing, set_switch(&Options::merge, true)},
        {"--no-merge", Takes::Nothing, set_switch(&Options::merge, false)},
        {"--plain-blanks", Takes::Nothing, set_switch(&Options::plain_blanks, true)},
        {"--no-plain-blanks", Takes::Nothing, set_switch(&Options::plain_blanks, false)},
        {"--formats", Takes::Nothing, [](ParseState& s, const Values&) { s.o.formats = true; return Outcome(); }},
        {"--help", Takes::Nothing, set_request(&ParseState::help)},
        {"--version", Takes::Nothing, set_request(&ParseState::version)},
        {"--list", Takes::Nothing, set_request(&ParseState::list)},
        {"--which-ini", Takes::Nothing, set_request(&ParseState::which_ini)},
    };
    return option_table;
}

// The values `option` takes, from "=VALUE" and the arguments after args[i] (moving i
// past them), into `values`; or refuses them.
Outcome take_values(const OptionSpec& option, std::optional<std::string_view> inline_value, const Values& args,
                    std::size_t& i, const ParseState& s, Values& values) {
    const std::string name(option.name);
    if (option.takes == Takes::Nothing) return inline_value ? refuse(C::OptionTakesNoValue, {name}) : Outcome();
    if (inline_value) values.push_back(*inline_value);
    if (option.takes == Takes::Value) {
        if (values.empty() && i + 1 < args.size()) values.push_back(args[++i]);
        return values.empty() ? refuse(C::OptionNeedsValue, {name}) : Outcome();
    }
    if (s.o.action != Options::Action::Convert) return refuse(C::EditRepeated);
    while (values.size() < option.edit_values && i + 1 < args.size() && !args[i + 1].starts_with("--"))
        values.push_back(args[++i]);
    if (values.size() < option.edit_values)
        return refuse(option.edit_values == 2 ? C::EditNeedsEntryAndLine : C::OptionNeedsValue, {name});
    return {};
}

// Reads the option args[i] (with its values) into `s`, or refuses it.
Outcome read_option(const Values& args, std::size_t& i, ParseState& s) {
    std::string_view name = args[i];
    std::optional<std::string_view> inline_value;
    if (const auto eq = name.find('='); eq != std::string_view::npos) {
        inline_value = name.substr(eq + 1);
        name = name.substr(0, eq);
    }
    const auto& option_table = option_specs();
    const auto option = std::ranges::find(option_table, name, &OptionSpec::name);
    if (option == option_table.end())
        return refuse(inline_value ? C::OptionTakesNoValue : C::UnknownOption, {std::string(name)});
    Values values;
    if (Outcome taken = take_values(*option, inline_value, args, i, s, values); !taken) return taken;
    return option->apply(s, values);
}

Outcome check_gradient_options(const Options& o) {
    if (o.stops) {
        if (Result<Gradient> parsed = parse_stop_list(*o.stops); !parsed)
            return refuse_because(C::StopsRefusedAt, {}, std::move(parsed).error());
    }
    if (o.space && !space_from_name(*o.space))
        return refuse(C::SpaceValue, {"srgb, linear-srgb, oklab, oklch or oklch-longer", *o.space});
    return {};
}

// The first option given that `own` (an edit or a listing) does not take, by its name;
// empty when there is none. The options of a conversion's input and markup are among them.
std::string_view stray_option(const ParseState& s, std::string_view own, bool takes_gradient) {
    const Options& o = s.o;
    const std::pair<bool, std::string_view> given[] = {
        {o.line.has_value(), "--line"},
        {o.setting.has_value(), "--setting"},
        {o.text.has_value(), "--text"},
        {o.file.has_value(), "an input file"},
        {o.separate.has_value(), o.separate.value_or(true) ? "--separate" : "--joined"},
        {o.format.has_value(), "--format"},
        {o.merge.has_value(), o.merge.value_or(true) ? "--merge" : "--no-merge"},
        {o.plain_blanks.has_value(), o.plain_blanks.value_or(true) ? "--plain-blanks" : "--no-plain-blanks"},
        {o.fit.has_value(), "--fit"},
        {o.stops && !takes_gradient, "--stops"},
        {o.space && !takes_gradient, "--space"},
        {s.list, "--list"},
        {s.which_ini, "--which-ini"},
    };
    for (const auto& [present, name] : given)
        if (present && name != own) return name;
    return {};
}

// Refused when `own` does not go with the options given.
Outcome check_only_ini(const ParseState& s, std::string_view own, bool takes_gradient) {
    const std::string_view stray = stray_option(s, own, takes_gradient);
    if (stray.empty()) return {};
    return refuse(takes_gradient ? C::EditTakesOnlyIniAndGradient : C::OptionTakesOnlyIni,
                  {std::string(own), std::string(stray)});
}

Outcome check_conversion_options(const Options& o) {
    if (o.line && (o.setting || o.ini)) return refuse(C::LineExcludesSetting);
    if (o.text && o.file) return refuse(C::TextExcludesInputFile);
    return {};
}

// The action the options ask for, once the combination is checked.
Result<Options> finish(ParseState& s) {
    Options& o = s.o;
    if (Outcome gradient = check_gradient_options(o); !gradient) return Refused(std::move(gradient).error());
    if (s.help) o.action = Options::Action::Help;
    else if (s.version) o.action = Options::Action::Version;
    else if (o.formats) o.action = Options::Action::Formats;
    if (s.help || s.version || o.formats) return o;
    Outcome why;
    if (o.action != Options::Action::Convert) {
        using A = Options::Action;
        const std::string_view edit = o.action == A::Add ? "--add" : o.action == A::Replace ? "--replace" : "--remove";
        why = check_only_ini(s, edit, o.action != A::Remove);
    } else if (s.list || s.which_ini) {
        why = check_only_ini(s, s.list ? "--list" : "--which-ini", false);
        o.action = s.list ? Options::Action::List : Options::Action::WhichIni;
    } else {
        why = check_conversion_options(o);
    }
    if (!why) return Refused(std::move(why).error());
    return o;
}

}  // namespace

MarkupOptions markup_options(const Options& o) {
    MarkupOptions options = default_options(o.format.value_or(Dialect::Html));
    options.merge = o.merge.value_or(options.merge);
    options.plain_blanks = o.plain_blanks.value_or(options.plain_blanks);
    return options;
}

Result<Options> parse_options(const std::vector<std::string_view>& args) {
    ParseState s;
    bool options_ended = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        if (options_ended || arg == "-" || !arg.starts_with("-")) {
            if (s.o.file) return refuse(C::InputFileRepeated);
            s.o.file = std::string(arg);
        } else if (arg == "--") {
            options_ended = true;
        } else if (Outcome read = read_option(args, i, s); !read) {
            return Refused(std::move(read).error());
        }
    }
    return finish(s);
}

}  // namespace gradation::cli
