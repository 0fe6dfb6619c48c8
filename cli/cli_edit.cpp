#include "cli/cli_edit.h"

#include "cli/cli_gradient.h"
#include "cli/cli_messages.h"
#include "cli/cli_run.h"
#include "core/configuration_path.h"
#include "core/setting_list.h"
#include "core/setting_record.h"
#include "core/settings_store.h"
#include "core/utf8.h"

#include <charconv>
#include <ostream>

namespace gradation::cli {
namespace {

// Nothing was written: exit 1, the reason through the one escaping writer.
int refused(std::ostream& err, const std::string& message) { return report_error(err, kFailed, message); }

std::optional<int> entry_number(std::string_view text) {
    int n = -1;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), n);
    if (ec != std::errc() || end != text.data() + text.size() || n < 0 || n > 99) return std::nullopt;
    return n;
}

// --stops and --space of --add and --replace: the entry's gradient, made from its
// stored one (or its two colours) as for a conversion.
Outcome store_gradient(const Options& o, SettingsStore& store, int n) {
    const SettingRecord line = *parse_setting_line(store.entries().at(static_cast<std::size_t>(n)));
    // A malformed stored entry gives way to the options' gradient.
    const SettingRecord record = with_stored_gradient(line, store.content(), n).value_or(line);
    return store.set_gradient(n, gradient_from_options(o, record));
}

}  // namespace

bool is_edit_option(std::string_view name) { return name == "--add" || name == "--replace" || name == "--remove"; }

std::string parse_edit_option(std::string_view name, std::optional<std::string_view> inline_value,
                              const std::vector<std::string_view>& args, std::size_t& i, Options& o) {
    if (o.action != Options::Action::Convert) return "only one of --add, --replace and --remove can be given";
    const std::size_t wanted = name == "--replace" ? 2 : 1;
    std::vector<std::string_view> values;
    if (inline_value) values.push_back(*inline_value);
    // An option after --replace N is taken for a forgotten LINE, not as the line.
    while (values.size() < wanted && i + 1 < args.size() && !args[i + 1].starts_with("--")) values.push_back(args[++i]);
    if (values.size() < wanted)
        return std::string(name) + (name == "--replace" ? " needs an entry number and a line" : " needs a value");
    if (name == "--add") {
        o.action = Options::Action::Add;
        o.edit_line = std::string(values[0]);
        return {};
    }
    o.edit_entry = entry_number(values[0]);
    if (!o.edit_entry) return std::string(name) + " takes an entry number from 0 to 99, not '" + std::string(values[0]) + "'";
    if (name == "--replace") {
        o.action = Options::Action::Replace;
        o.edit_line = std::string(values[1]);
    } else {
        o.action = Options::Action::Remove;
    }
    return {};
}

std::string check_edit_options(const Options& o, bool list) {
    if (list || o.line || o.setting || o.text || o.file || o.separate)
        return "--add, --replace and --remove take only --ini";
    if (o.action == Options::Action::Remove && (o.stops || o.space)) return "--remove takes only --ini";
    return {};
}

int run_edit(const Options& o, std::ostream& out, std::ostream& err) {
    std::filesystem::path file;
    std::filesystem::path seed;
    if (o.ini) {
        file = *o.ini;
        std::error_code ec;
        if (!std::filesystem::exists(file, ec)) return refused(err, "no such file: " + shown(file.string()));
    } else {
        file = user_configuration_file();
        seed = configuration_file_to_read();  // the first write copies the file that was read
    }
    std::u16string line;
    if (o.edit_line) {
        std::optional<std::u16string> decoded = utf8_to_utf16(*o.edit_line);
        if (!decoded) return refused(err, "the setting line is not valid UTF-8");
        line = std::move(*decoded);
    }
    const int n = o.edit_entry.value_or(0);
    std::u16string added;  // the new entry's key and line, read under the lock
    int added_key = 0;
    const Outcome edited = SettingsStore::edit_locked(file, seed, [&](SettingsStore& store) {
        Outcome done;
        switch (o.action) {
        case Options::Action::Add:
            added_key = static_cast<int>(store.entries().size());
            done = store.add(line);
            break;
        case Options::Action::Replace: done = store.replace(n, line); break;
        default: return store.remove(n);
        }
        const int key = o.action == Options::Action::Add ? added_key : n;
        if (done && (o.stops || o.space)) done = store_gradient(o, store, key);
        // Filling a gap may bring later entries into the list: the new one is at the old end.
        if (done && o.action == Options::Action::Add)
            added = store.entries().at(static_cast<std::size_t>(added_key));
        return done;
    });
    if (!edited) return refused(err, edited.error().text() + "; nothing written to " + shown(file.string()));

    if (o.action == Options::Action::Add) {
        out << setting_key(added_key) << '\t' << utf16_to_utf8(setting_name(added)) << '\n';
        out.flush();
        if (!out)
            return report_error(err, kWrittenUnreported,
                                "added to " + shown(file.string()) + " as key " + setting_key(added_key) +
                                    ", but cannot write its key");
    }
    return kOk;
}

}  // namespace gradation::cli
