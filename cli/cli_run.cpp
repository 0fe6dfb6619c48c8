#include "cli/cli_run.h"

#include "convert/gradient_markup.h"
#include "convert/utf8.h"
#include "settings/setting_record.h"
#include "version_info.h"

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

// The setting line to use, or an error already written to `err`.
std::optional<std::u16string> setting_line(const Options& o, std::ostream& err, int& code) {
    if (!o.line) {
        code = error(err, kUsage, "give the setting with --line LINE (see --help)");
        return std::nullopt;
    }
    auto line = utf8_to_utf16(*o.line);
    if (!line) {
        code = error(err, kFailed, "the setting line is not valid UTF-8");
        return std::nullopt;
    }
    return line;
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
        return error(err, kUsage, "--list needs a configuration file reader");
    case Options::Action::Convert:
        break;
    }

    int code = kOk;
    const auto line = setting_line(o, err, code);
    if (!line) return code;
    const SettingParse parsed = parse_setting_line(*line);
    if (!parsed) return error(err, kFailed, "setting line refused at " + describe(parsed.refusal));

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
                                       " UTF-16 units; at most 32767 can be converted");

    const bool separate = o.separate.value_or(parsed.record->DevTag == 1);
    const std::string markup = utf16_to_utf8(gradient_markup(*text, *parsed.record, separate));
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
