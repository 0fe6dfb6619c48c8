#include "cli/cli_format.h"

#include "cli/cli_messages.h"
#include "core/markup/markup_fit.h"

#include <ostream>

namespace gradation::cli {
namespace {

void warn(std::ostream& err, const std::string& message) { report_error(err, 0, "warning: " + message); }

void warn_about(Dialect dialect, std::u16string_view text, const SettingRecord& s, bool separate,
                std::ostream& err) {
    const std::string name(dialect_info(dialect).name);
    std::string left_out;
    for (const Feature f : features_left_out(dialect, s, separate))
        left_out += (left_out.empty() ? "" : ", ") + std::string(feature_name(f));
    if (!left_out.empty()) warn(err, name + " leaves out the setting's " + left_out);
    for (const NoteCount& n : text_notes(dialect, text)) {
        const std::string count = std::to_string(n.count);
        switch (n.note) {
        case TextNote::SectionSign:
            warn(err, "the text holds " + count + " \xC2\xA7, the game's code sign, which " + name + " cannot escape");
            break;
        case TextNote::Ampersand:
            warn(err, "the text holds " + count + " &, the code sign of Minecraft plugins, which " + name +
                          " cannot escape");
            break;
        case TextNote::Controls:
            warn(err, "the text's control characters (" + count + ") are written as symbols (ESC as \xE2\x90\x9B)");
            break;
        }
    }
}

}  // namespace

bool write_markup(const MarkupOptions& options, std::optional<LengthLimit> limit, std::u16string_view text,
                  const SettingRecord& setting, bool separate, FunctionRef<bool()> cancel, MarkupSink& sink,
                  std::ostream& err) {
    warn_about(options.dialect, text, setting, separate, err);
    auto tags = [separate] { return separate; };
    if (!limit) return write_gradient_markup(text, setting, tags, cancel, sink, options);

    const FitResult fit = write_fitted_markup(text, setting, options, *limit, tags, cancel, sink);
    if (fit.outcome != FitResult::Outcome::Cancelled) report_error(err, 0, describe_fit(fit));
    return fit.outcome == FitResult::Outcome::Fitted;
}

}  // namespace gradation::cli
