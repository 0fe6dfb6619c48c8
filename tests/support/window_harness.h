// Running the real window program inside a test: its QX.ini, the clipboard, keys to
// the focused control, and runs that end the program.
#pragma once

#include "app/frm_main.h"
#include "app/program.h"
#include "support/setting_lines.h"

#include <QColor>
#include <QMetaType>
#include <QString>
#include <QStringList>

#include <filesystem>
#include <functional>

class QTimer;

namespace gradation::test {

// QX.ini beside this test program, which is where the window program looks.
std::filesystem::path ini_path();
// Keys "00", "01", ... in order; into `file` when given, its folders made as needed.
void write_ini(const QStringList& setting_lines, const std::filesystem::path& file = {});
void remove_ini();
void copy_shipped_ini();

QString clipboard();
void set_clipboard(const QString& text);

// The markup the generator gives for `text` with the setting line `line`.
QString markup_of(const QString& text, const QString& line, bool separate_tags);

// Lines used across the tests.
inline const QString kStandardLine = QString::fromUtf8(lines::kStandard);
inline const QString kItemLine = QString::fromUtf8(lines::kItem);
inline const QString kSizedLine = QString::fromUtf8(lines::kSized);

// The window program started by its start-up sequence, its main window shown and active.
class RunningProgram {
public:
    RunningProgram();
    app::frmMain& window() const { return *program_.main_window(); }

private:
    app::Program program_;
};

// Sends a key press and release to the focused control, as the keyboard would.
void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);

// Opens the File menu with its access key and clicks `item` in it.
void choose_file_menu_item(app::frmMain& window, QAction* item);

// Runs `scenario` from the event loop and returns the loop's exit code once the
// program has ended; -1 when it has not ended within 20 seconds.
int run_until_program_ends(const std::function<void()>& scenario);

// The watcher's timer Timer1, and waiting (10 s at most) for `ticks` further ticks
// of it to have been handled in full.
QTimer* watcher_timer(app::frmMain& w);
bool wait_for_ticks(app::frmMain& w, int ticks);

// The convert button's captions while a conversion runs and when it has ended.
inline const QString kConverting = QStringLiteral("中止(&X&ｻ)");
inline const QString kIdle = QStringLiteral("変換(&X&ｻ)");

bool hourglass();

// Idle: no conversion runs, every control takes input again, the caption reads
// convert, the pointer is back.
bool idle(const app::frmMain& w);

// Chooses list entry `position` with the keyboard, as a user would.
void select_entry(app::frmMain& w, int position);

// The list's texts.
QStringList listed(const app::frmMain& w);

// One thing the user does to the window, and a way to start converting `text`: the
// types of data columns, so that each row carries its own action.
using WindowStep = std::function<void(app::frmMain&)>;
using WindowCheck = std::function<bool(app::frmMain&)>;
using StartConversion = std::function<void(app::frmMain&, const QString& text)>;

// Copies `text` and clicks the convert button.
void start_with_button(app::frmMain& w, const QString& text);
// Copies ">" and `text`, which the watcher converts at its next tick.
void start_with_watcher(app::frmMain& w, const QString& text);
// Copies `text` and presses `key` on the focused control.
StartConversion start_with_key(int key);

// The standard setting's markup of `text`, tags joined.
QString standard_markup(const QString& text);

// Copies `text`, clicks the convert button, and gives what the clipboard holds then.
QString convert_copied(app::frmMain& w, const QString& text);

// Converting "ab" with the convert button: the clipboard afterwards ("ab" unchanged when
// no setting is current, the button then disabled), and what that is with `current_line`
// current ("" for none).
QString converted_ab(app::frmMain& w);
QString expected_ab(const QString& current_line);

// What the user can see of the current setting, and what converting "ab" gives.
struct Preview {
    QString summary;
    bool underline = false;
    bool italic = false;
    bool bold = false;
    int picture = -1;  // the one visible imgX, -1 when not exactly one is
    QColor start;
    QColor end;
    Qt::CheckState box = Qt::Unchecked;
    QString converted;

    bool operator==(const Preview&) const = default;
};
Preview preview_of(app::frmMain& w);

// The state of the running conversion is read from inside it: `inside` runs at the
// first serving of events after `start` began a conversion.
void during_next_serving(const std::function<void()>& inside);

}  // namespace gradation::test

Q_DECLARE_METATYPE(gradation::test::WindowStep)
Q_DECLARE_METATYPE(gradation::test::WindowCheck)
Q_DECLARE_METATYPE(gradation::test::StartConversion)
