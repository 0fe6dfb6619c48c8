#include "cli/cli_edit.h"

#include "cli/cli_gradient.h"
#include "cli/cli_messages.h"
#include "cli/cli_output.h"
#include "cli/cli_status.h"
#include "core/settings_file/gradient_entries.h"
#include "core/settings_file/configuration_path.h"
#include "core/settings_file/setting_list.h"
#include "core/setting_line/setting_record.h"
#include "core/settings_file/settings_store.h"
#include "core/text/utf8.h"

#include <csignal>
#include <ostream>

namespace gradation::cli {
namespace {

// Nothing was written: exit 1, the reason through the one escaping writer.
int refused(std::ostream& err, const std::string& message) { return report_error(err, kFailed, message); }

// --stops and --space of --add and --replace: the entry's gradient, made from its
// stored one (or its two colours) as for a conversion.
Outcome store_gradient(const Options& o, SettingsStore& store, int n) {
    const SettingLineRead entry{store.entries().at(static_cast<std::size_t>(n))};
    // A malformed stored entry gives way to the options' gradient.
    const Result<SettingRecord> stored = setting_with_gradient(store.content(), entry, n);
    const SettingRecord record = stored ? *stored : *parse_setting_line(entry.line);
    return store.set_gradient(n, gradient_from_options(o, record));
}

}  // namespace

int run_edit(const Options& o, std::ostream& out, std::ostream& err) {
    // Once the entry is written, a reader that went away must not end the program before
    // it can say so (exit 3): a script that sees a signal's death would add it again.
    std::signal(SIGPIPE, SIG_IGN);
    using Path = std::filesystem::path;
    const std::optional<EditTarget> target = edit_target(o.ini ? std::optional<Path>(*o.ini) : std::nullopt);
    if (!target) return refused(err, "no such file: " + shown(*o.ini));
    const std::filesystem::path& file = target->file;
    std::u16string line;
    if (o.edit_line) {
        std::optional<std::u16string> decoded = utf8_to_utf16(*o.edit_line);
        if (!decoded) return refused(err, "the setting line is not valid UTF-8");
        line = std::move(*decoded);
    }
    const int n = o.edit_entry.value_or(0);
    std::u16string added;  // the new entry's key and line, read under the lock
    int added_key = 0;
    const Outcome edited = SettingsStore::edit_locked(file, target->seed, [&](SettingsStore& store) {
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
    if (!edited) {
        const std::string where = file.empty() ? "" : " to " + shown(file.string());
        return refused(err, edited.error().text() + "; nothing written" + where);
    }

    if (o.action == Options::Action::Add) {
        std::string reason;
        if (!write_checked(out, setting_key(added_key) + '\t' + utf16_to_utf8(setting_name(added)) + '\n', reason))
            return report_error(err, kWrittenUnreported,
                                "added to " + shown(file.string()) + " as key " + setting_key(added_key) +
                                    ", but cannot write its key" + because(reason));
    }
    return kOk;
}

}  // namespace gradation::cli
