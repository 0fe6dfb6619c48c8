#include "cli/cli_run.h"

#include "cli/cli_edit.h"
#include "core/configuration_path.h"

#include "core/gradient_markup.h"
#include "core/utf8.h"
#include "core/configuration_file.h"
#include "core/profile_reader.h"
#include "core/setting_list.h"
#include "core/setting_record.h"
#include "core/version_info.h"

#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>

namespace gradation::cli {
namespace {

int error(std::ostream& err, int code, const std::string& message) {
    err << "gradation-cli: " << message << '\n';
    return code;
}

std::optional<std::string> read_all(std::istream& in) {
    std::ostringstream buffer;
    buffer << in.rdbuf();
    if (in.bad()) return std::nullopt;
    return std::move(buffer).str();
}

// The configuration file the options name, or the user's own, or QX.ini beside the program.
std::filesystem::path ini_path(const Options& o) {
    return o.ini ? std::filesystem::path(*o.ini) : configuration_file_to_read(MakeIniFile());
}

// Why the configuration file cannot be read, or the empty text when it can.
std::string unreadable(const std::filesystem::path& path) {
    std::error_code ec;
    const auto status = std::filesystem::status(path, ec);
    if (status.type() == std::filesystem::file_type::not_found) return "no such file: " + path.string();
    if (ec) return "cannot read " + path.string() + ": " + ec.message();
    if (std::filesystem::is_directory(status)) return path.string() + " is a directory, not a configuration file";
    if (!std::filesystem::is_regular_file(status)) return path.string() + " is not a regular file";
    const std::optional<std::string> bytes = read_profile_file(path);
    if (!bytes) return "cannot read " + path.string();
    if (const std::string why = configuration_file_refusal(*bytes); !why.empty())
        return "cannot read " + path.string() + ": " + why;
    return {};
}

int list_settings(const Options& o, std::ostream& out, std::ostream& err) {
    const std::filesystem::path path = ini_path(o);
    if (const std::string why = unreadable(path); !why.empty()) return error(err, kFailed, why);
    const std::vector<std::u16string> names = ConfigurationFile(path).setting_names();
    for (std::size_t n = 0; n < names.size(); ++n) {
        out << setting_key(static_cast<int>(n)) << '\t' << utf16_to_utf8(names[n]) << '\n';
    }
    out.flush();
    return out ? kOk : error(err, kFailed, "cannot write the list");
}

// The setting to convert with (from --line, or setting N of the configuration file),
// or an error already written to `err`.
std::optional<SettingRecord> chosen_setting(const Options& o, std::ostream& err, int& code) {
    std::u16string line;
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
        if (const std::string why = unreadable(path); !why.empty()) {
            code = error(err, kFailed, why);
            return std::nullopt;
        }
        const ConfigurationFile file(path);
        const std::size_t listed = file.setting_names().size();
        if (static_cast<std::size_t>(n) >= listed) {
            code = error(err, kFailed,
                         "setting " + std::to_string(n) + " is not in the list of " + path.string() + " (" +
                             (listed == 0 ? std::string("it lists no settings")
                                          : "it lists settings 0 to " + std::to_string(listed - 1)) +
                             ")");
            return std::nullopt;
        }
        const SettingLineRead read = file.read_setting(n);
        line = read.line;
        what = "setting " + std::to_string(n) + " (key " + setting_key(n) + ") of " + path.string();
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
    return std::move(parsed.record);
}

}  // namespace

int run(const Options& o, std::istream& in, std::ostream& out, std::ostream& err) {
    switch (o.action) {
    case Options::Action::Help:
        out << usage_text();
        return kOk;
    case Options::Action::Version:
        out << "gradation-cli " << version_info::kVersionText << '\n';
        return kOk;
    case Options::Action::List:
        return list_settings(o, out, err);
    case Options::Action::Add:
    case Options::Action::Replace:
    case Options::Action::Remove:
        return run_edit(o, out, err);
    case Options::Action::Convert:
        break;
    }

    int code = kOk;
    const std::optional<SettingRecord> setting = chosen_setting(o, err, code);
    if (!setting) return code;

    std::optional<std::string> bytes;
    if (o.text) {
        bytes = *o.text;
    } else if (o.file && *o.file != "-") {
        std::ifstream file(*o.file, std::ios::binary);
        if (!file) return error(err, kFailed, "cannot read " + *o.file);
        bytes = read_all(file);
        if (!bytes) return error(err, kFailed, "cannot read " + *o.file);
    } else {
        bytes = read_all(in);
        if (!bytes) return error(err, kFailed, "cannot read standard input");
    }

    const auto text = utf8_to_utf16(*bytes);
    if (!text) return error(err, kFailed, "the input is not valid UTF-8");
    if (text->empty()) return kOk;
    if (text->size() > kMaxTextUnits)
        return error(err, kFailed, "the input has " + std::to_string(text->size()) +
                                       " UTF-16 units; at most " + std::to_string(kMaxTextUnits) +
                                       " can be converted");

    const bool separate = o.separate.value_or(setting->DevTag == 1);
    const std::string markup = utf16_to_utf8(gradient_markup(*text, *setting, separate));
    out.write(markup.data(), static_cast<std::streamsize>(markup.size()));
    out.flush();
    return out ? kOk : error(err, kFailed, "cannot write the markup");
}

int main_with_args(const std::vector<std::string_view>& args, std::istream& in, std::ostream& out,
                   std::ostream& err) {
    const Parsed parsed = parse_options(args);
    if (!parsed.options) return error(err, kUsage, parsed.error + " (see --help)");
    return run(*parsed.options, in, out, err);
}

}  // namespace gradation::cli
