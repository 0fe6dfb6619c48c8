#include "cli/cli_run.h"

#include "cli/cli_edit.h"
#include "cli/cli_gradient.h"
#include "cli/cli_format.h"
#include "cli/cli_messages.h"
#include "cli/cli_output.h"
#include "cli/cli_usage.h"
#include "core/settings_file/configuration_file.h"
#include "core/settings_file/configuration_path.h"
#include "core/settings_file/gradient_entries.h"
#include "core/markup/gradient_markup.h"
#include "core/settings_file/profile_reader.h"
#include "core/settings_file/setting_list.h"
#include "core/setting_line/setting_meaning.h"
#include "core/setting_line/setting_record.h"
#include "core/text/utf8.h"
#include "core/base/version_info.h"

#include <filesystem>
#include <ostream>

namespace gradation::cli {
namespace {

int error(std::ostream& err, int code, const std::string& message) { return report_error(err, code, message); }

// --help, --version and --list write their text whole; a failed write is a failure.
int write_text(std::ostream& out, std::ostream& err, std::string_view text, const char* what) {
    std::string reason;
    if (write_checked(out, text, reason)) return kOk;
    return error(err, kFailed, std::string("cannot write ") + what + because(reason));
}

// The configuration file the options name, else the first the lookup finds.
std::filesystem::path ini_path(const Options& o) {
    return o.ini ? std::filesystem::path(*o.ini) : configuration_file_to_read();
}

// The configuration file's bytes, read once for its setting list; or why not, naming the
// file as gradation-cli names every file.
Result<std::string> read_settings_file(const std::filesystem::path& path) {
    Result<std::string> bytes = read_configuration_file(path);
    if (!bytes) bytes.error().details.front() = shown(path.string());
    return bytes;
}

int list_settings(const Options& o, std::ostream& out, std::ostream& err) {
    const Result<std::string> bytes = read_settings_file(ini_path(o));
    if (!bytes) return error(err, kFailed, bytes.error().text());
    const std::vector<SettingLineRead> settings = read_setting_list(*bytes);
    std::string list;
    for (std::size_t n = 0; n < settings.size(); ++n) {
        // A setting refused (a malformed Gradient entry, say) is listed without its mark.
        const Result<SettingRecord> setting = setting_with_gradient(*bytes, settings[n], static_cast<int>(n));
        const std::string mark = setting ? list_mark(*setting) : "";
        list += setting_key(static_cast<int>(n)) + '\t' + utf16_to_utf8(setting_name(settings[n].line)) + mark + '\n';
    }
    return write_text(out, err, list, "the list");
}

// --which-ini: the configuration file a conversion would read.
int which_ini(const Options& o, std::ostream& out, std::ostream& err) {
    if (o.ini) return write_text(out, err, *o.ini + '\n', "the file name");
    const std::filesystem::path folder = executable_directory();
    if (const std::optional<std::filesystem::path> found = find_configuration_file(folder))
        return write_text(out, err, found->string() + '\n', "the file name");
    std::string looked;
    for (const std::filesystem::path& candidate : configuration_candidates(folder))
        looked += (looked.empty() ? "" : ", ") + shown(candidate.string());
    return error(err, kFailed, "no configuration file: looked for " + looked);
}

// The setting --line gives.
Result<SettingRecord> given_setting(const std::string& given) {
    const std::optional<std::u16string> line = utf8_to_utf16(given);
    if (!line) return refuse(RefusalCode::SettingLineNotUtf8);
    Result<SettingRecord> parsed = parse_setting_line(*line);
    if (!parsed) return refuse_because(RefusalCode::GivenLineRefusedAt, {}, parsed.error());
    return parsed;
}

// Setting N of the configuration file, with its Gradient entry; a refusal names the
// setting, its key and the file.
Result<SettingRecord> stored_setting(const Options& o) {
    const int n = o.setting.value_or(0);
    const std::filesystem::path path = ini_path(o);
    const Result<std::string> bytes = read_settings_file(path);
    if (!bytes) return Refused(bytes.error());
    const std::vector<SettingLineRead> settings = read_setting_list(*bytes);
    const std::size_t listed = settings.size();
    if (listed == 0) return refuse(RefusalCode::SettingNotInEmptyList, {std::to_string(n), shown(path.string())});
    if (static_cast<std::size_t>(n) >= listed)
        return refuse(RefusalCode::SettingNotInList,
                      {std::to_string(n), shown(path.string()), std::to_string(listed - 1)});
    Result<SettingRecord> setting = setting_with_gradient(*bytes, settings[static_cast<std::size_t>(n)], n);
    if (setting) return setting;
    std::vector<std::string> which = {std::to_string(n), setting_key(n), shown(path.string())};
    const Refusal& why = setting.error();
    if (why.code == RefusalCode::ValueCut) {
        which.push_back(std::to_string(kValueCut));
        return refuse(RefusalCode::SettingCut, std::move(which));
    }
    const bool entry = why.code == RefusalCode::GradientEntryRefusedAt;
    return refuse_because(entry ? RefusalCode::SettingGradientRefused : RefusalCode::SettingRefusedAt,
                          std::move(which), why);
}

// The setting to convert with (from --line, or setting N of the configuration file),
// with the gradient --stops and --space make of it.
Result<SettingRecord> chosen_setting(const Options& o) {
    Result<SettingRecord> setting = o.line ? given_setting(*o.line) : stored_setting(o);
    if (!setting) return setting;
    if (const std::optional<Gradient> g = gradient_from_options(o, *setting)) use_gradient(*setting, *g);
    return setting;
}

// Converts the input with the chosen setting, streaming the markup to `out`.
// Nothing is written before the setting and the input have been accepted.
int convert(const Options& o, ByteSource& in, std::ostream& out, std::ostream& err) {
    const Result<SettingRecord> setting = chosen_setting(o);
    if (!setting) return error(err, kFailed, setting.error().text());

    const InputText input = read_input_text(o, in);
    if (!input.text) return error(err, kFailed, input.error);
    if (input.text->empty()) return kOk;

    const bool separate = o.separate.value_or(separates_tags(*setting));
    Utf8ChunkWriter writer(out);
    // A failed write stops the run at the next character: nothing more can arrive.
    const bool written = write_markup(markup_options(o), o.fit, *input.text, *setting, separate,
                                      [&writer] { return writer.failed(); }, writer, err);
    if (!writer.finish()) return error(err, kFailed, "cannot write the markup" + because(writer.error()));
    return written ? kOk : kFailed;
}

}  // namespace

int run(const Options& o, ByteSource& in, std::ostream& out, std::ostream& err) {
    switch (o.action) {
    case Options::Action::Help:
        return write_text(out, err, usage_text(), "the help");
    case Options::Action::Version:
        return write_text(out, err, std::string("gradation-cli ") + version_info::kVersionText + "\n", "the version");
    case Options::Action::List:
        return list_settings(o, out, err);
    case Options::Action::Formats:
        return write_text(out, err, formats_text(), "the formats");
    case Options::Action::WhichIni:
        return which_ini(o, out, err);
    case Options::Action::Add:
    case Options::Action::Replace:
    case Options::Action::Remove:
        return run_edit(o, out, err);
    case Options::Action::Convert:
        break;
    }
    return convert(o, in, out, err);
}

int main_with_args(const std::vector<std::string_view>& args, ByteSource& in, std::ostream& out,
                   std::ostream& err) {
    const Result<Options> parsed = parse_options(args);
    if (!parsed) return error(err, kUsage, parsed.error().text() + " (see --help)");
    return run(*parsed, in, out, err);
}

int main_with_args(const std::vector<std::string_view>& args, std::istream& in, std::ostream& out,
                   std::ostream& err) {
    StreamSource source(in);
    return main_with_args(args, source, out, err);
}

}  // namespace gradation::cli
