#include "cli/cli_format.h"

#include "cli/cli_messages.h"
#include "cli/cli_run.h"
#include "core/markup_fit.h"

#include <algorithm>
#include <charconv>
#include <ostream>

namespace gradation::cli {
namespace {

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

void warn(std::ostream& err, const std::string& message) { report_error(err, kOk, "warning: " + message); }

void warn_about(Dialect dialect, std::u16string_view text, const SettingRecord& s, bool separate,
                std::ostream& err) {
    const std::string name(dialect_info(dialect).name);
    std::string left_out;
    for (const Feature f : features_left_out(dialect, s, separate))
        left_out += (left_out.empty() ? "" : ", ") + std::string(feature_name(f));
    if (!left_out.empty()) warn(err, name + " leaves out the setting's " + left_out);
    if (has_code_lookalike(dialect, text))
        warn(err, "the text holds & or \xC2\xA7 before a code character, which " + name + " reads as a code");
}

}  // namespace

bool is_format_option(std::string_view name) {
    return name == "--format" || name == "--fit" || name == "--merge" || name == "--no-merge" ||
           name == "--plain-blanks" || name == "--no-plain-blanks" || name == "--formats";
}

std::string parse_format_option(std::string_view name, std::optional<std::string_view> inline_value,
                                const std::vector<std::string_view>& args, std::size_t& i, Options& o) {
    if (name != "--format" && name != "--fit") {
        if (inline_value) return std::string(name) + " takes no value";
        if (name == "--formats") o.formats = true;
        if (name.ends_with("merge")) o.merge = name == "--merge";
        if (name.ends_with("plain-blanks")) o.plain_blanks = name == "--plain-blanks";
        return {};
    }
    if (!inline_value && i + 1 >= args.size()) return std::string(name) + " needs a value";
    const std::string_view value = inline_value ? *inline_value : args[++i];
    if (name == "--format") {
        o.format = dialect_named(value);
        if (!o.format) return "unknown format " + shown(value) + " (--formats lists them)";
        return {};
    }
    o.fit = limit_from(value);
    if (!o.fit) return "--fit takes a length in UTF-16 units (N) or UTF-8 bytes (Nb), not " + shown(value);
    return {};
}

std::string formats_text() {
    std::string text;
    for (const DialectInfo& d : dialects()) {
        std::string name(d.name);
        name.resize(std::max<std::size_t>(name.size() + 2, 19), ' ');
        text += name + std::string(d.purpose) + '\n';
    }
    return text;
}

int write_markup(const Options& o, std::u16string_view text, const SettingRecord& setting, bool separate,
                 FunctionRef<bool()> cancel, MarkupSink& sink, std::ostream& err) {
    MarkupOptions options = default_options(o.format.value_or(Dialect::Html));
    options.merge = o.merge.value_or(options.merge);
    options.plain_blanks = o.plain_blanks.value_or(options.plain_blanks);
    warn_about(options.dialect, text, setting, separate, err);
    auto tags = [separate] { return separate; };
    if (!o.fit) return write_gradient_markup(text, setting, tags, cancel, sink, options) ? kOk : kFailed;

    const FitResult fit = write_fitted_markup(text, setting, options, *o.fit, tags, cancel, sink);
    if (fit.outcome == FitResult::Outcome::Fitted) report_error(err, kOk, describe_fit(fit));
    if (fit.outcome == FitResult::Outcome::TooLong) return report_error(err, kFailed, describe_fit(fit));
    return fit.outcome == FitResult::Outcome::Fitted ? kOk : kFailed;
}

}  // namespace gradation::cli
