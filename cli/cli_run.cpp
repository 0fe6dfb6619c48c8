#include "cli/cli_run.h"

#include "cli/cli_edit.h"
#include "cli/cli_gradient.h"
#include "cli/cli_format.h"
#include "cli/cli_messages.h"
#include "cli/cli_output.h"
#include "cli/cli_usage.h"
#include "core/configuration_file.h"
#include "core/configuration_path.h"
#include "core/gradient_entries.h"
#include "core/gradient_markup.h"
#include "core/profile_reader.h"
#include "core/setting_list.h"
#include "core/setting_record.h"
#include "core/utf8.h"
#include "core/version_info.h"

#include <filesystem>
#include <ostream>

namespace gradation::cli {
namespace {

int error(std::ostream& err, int code, const std::string& message) { return report_error(err, code, message); }

// Why a write failed, for a message: ": reason", or nothing when it is not known.
std::string because(const std::string& reason) { return reason.empty() ? "" : ": " + reason; }

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

// The configuration file's setting list, read once; or nothing, with why in `why`.
std::optional<std::string> read_settings_file(const std::filesystem::path& path, std::string& why) {
    std::error_code ec;
    const auto status = std::filesystem::status(path, ec);
    const std::string name = shown(path.string());
    if (status.type() == std::filesystem::file_type::not_found) why = "no such file: " + name;
    else if (ec) why = "cannot read " + name + ": " + ec.message();
    else if (std::filesystem::is_directory(status)) why = name + " is a directory, not a configuration file";
    else if (!std::filesystem::is_regular_file(status)) why = name + " is not a regular file";
    if (!why.empty()) return std::nullopt;
    const std::optional<std::string> bytes = read_profile_file(path);
    if (!bytes) why = "cannot read " + name;
    else if (const std::string refusal = configuration_file_refusal(*bytes); !refusal.empty())
        why = "cannot read " + name + ": " + refusal;
    if (!why.empty()) return std::nullopt;
    return bytes;
}

int list_settings(const Options& o, std::ostream& out, std::ostream& err) {
    std::string why;
    const auto bytes = read_settings_file(ini_path(o), why);
    if (!bytes) return error(err, kFailed, why);
    const std::vector<SettingLineRead> settings = read_setting_list(*bytes);
    std::string list;
    for (std::size_t n = 0; n < settings.size(); ++n) {
        const SettingParse parsed = parse_setting_line(settings[n].line);
        std::string refused;
        const std::string mark =
            parsed ? list_mark(with_stored_gradient(*parsed.record, *bytes, static_cast<int>(n), refused)) : "";
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

// The setting to convert with (from --line, or setting N of the configuration file),
// or an error already written to `err`.
std::optional<SettingRecord> chosen_setting(const Options& o, std::ostream& err, int& code) {
    std::u16string line;
    std::string bytes;  // the configuration file, read once for the line and its Gradient entry
    std::string what = "setting line";
    if (o.line) {
        auto decoded = utf8_to_utf16(*o.line);
        if (!decoded) {
            code = error(err, kFailed, "the setting line is not valid UTF-8");
            return std::nullopt;
        }
        line = std::move(*decoded);
    } else {
        const int n = o.setting.value_or(0);
        const std::filesystem::path path = ini_path(o);
        std::string why;
        auto file = read_settings_file(path, why);
        if (!file) {
            code = error(err, kFailed, why);
            return std::nullopt;
        }
        bytes = std::move(*file);
        const std::vector<SettingLineRead> settings = read_setting_list(bytes);
        const std::size_t listed = settings.size();
        if (static_cast<std::size_t>(n) >= listed) {
            code = error(err, kFailed,
                         "setting " + std::to_string(n) + " is not in the list of " + shown(path.string()) + " (" +
                             (listed == 0 ? std::string("it lists no settings")
                                          : "it lists settings 0 to " + std::to_string(listed - 1)) +
                             ")");
            return std::nullopt;
        }
        const SettingLineRead& read = settings[static_cast<std::size_t>(n)];
        line = read.line;
        what = "setting " + std::to_string(n) + " (key " + setting_key(n) + ") of " + shown(path.string());
        if (read.reached_cut) {
            code = error(err, kFailed, what + " is refused: it is longer than the 1023 bytes the reader takes");
            return std::nullopt;
        }
    }
    SettingParse parsed = parse_setting_line(line);
    if (!parsed) {
        code = error(err, kFailed, what + " refused at " + describe(parsed.refusal));
        return std::nullopt;
    }
    if (!o.line) {
        std::string refused;
        parsed.record = with_stored_gradient(*parsed.record, bytes, o.setting.value_or(0), refused);
        if (!refused.empty()) {
            code = error(err, kFailed, what + ": " + refused);
            return std::nullopt;
        }
    }
    if (const std::optional<Gradient> g = gradient_from_options(o, *parsed.record)) use_gradient(*parsed.record, *g);
    return std::move(parsed.record);
}

// Converts the input with the chosen setting, streaming the markup to `out`.
// Nothing is written before the setting and the input have been accepted.
int convert(const Options& o, ByteSource& in, std::ostream& out, std::ostream& err) {
    int code = kOk;
    const std::optional<SettingRecord> setting = chosen_setting(o, err, code);
    if (!setting) return code;

    const InputText input = read_input_text(o, in);
    if (!input.text) return error(err, kFailed, input.error);
    if (input.text->empty()) return kOk;

    const bool separate = o.separate.value_or(setting->DevTag == 1);
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
    const Parsed parsed = parse_options(args);
    if (!parsed.options) return error(err, kUsage, parsed.error + " (see --help)");
    return run(*parsed.options, in, out, err);
}

int main_with_args(const std::vector<std::string_view>& args, std::istream& in, std::ostream& out,
                   std::ostream& err) {
    StreamSource source(in);
    return main_with_args(args, source, out, err);
}

}  // namespace gradation::cli
