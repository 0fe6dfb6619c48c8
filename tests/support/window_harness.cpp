#include "support/window_harness.h"

#include "widgets/check_box_value.h"
#include "core/markup/gradient_markup.h"
#include "core/settings_file/configuration_path.h"
#include "core/setting_line/setting_record.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QCursor>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <fstream>

namespace gradation::test {

std::filesystem::path ini_path() { return MakeIniFile(); }

void write_ini(const QStringList& setting_lines, const std::filesystem::path& to) {
    QByteArray bytes = "[UserSetting]\r\n";
    for (int n = 0; n < setting_lines.size(); ++n)
        bytes += QStringLiteral("%1=%2\r\n").arg(n, 2, 10, QLatin1Char('0')).arg(setting_lines[n]).toUtf8();
    if (!to.empty()) std::filesystem::create_directories(to.parent_path());
    std::ofstream file(to.empty() ? ini_path() : to, std::ios::binary | std::ios::trunc);
    file.write(bytes.constData(), bytes.size());
}

void remove_ini() { std::filesystem::remove(ini_path()); }

void copy_shipped_ini() {
    std::filesystem::copy_file(GRADATION_SHIPPED_INI, ini_path(), std::filesystem::copy_options::overwrite_existing);
}

QString clipboard() { return QGuiApplication::clipboard()->text(QClipboard::Clipboard); }

void set_clipboard(const QString& text) { QGuiApplication::clipboard()->setText(text, QClipboard::Clipboard); }

QString markup_of(const QString& text, const QString& line, bool separate_tags) {
    const Result<SettingRecord> parsed = parse_setting_line(line.toStdU16String());
    if (!parsed) return QStringLiteral("(refused line)");
    return QString::fromStdU16String(gradient_markup(text.toStdU16String(), *parsed, separate_tags));
}

RunningProgram::RunningProgram() {
    program_.start();
    window().activateWindow();
    if (!QTest::qWaitForWindowActive(&window())) qWarning("the main window did not become active");
}

void press(int key, Qt::KeyboardModifiers modifiers) {
    QWidget* focus = QApplication::focusWidget();
    if (focus == nullptr) {
        qWarning("no focused control to press a key on");
        return;
    }
    QTest::keyClick(focus, static_cast<Qt::Key>(key), modifiers);
}

void choose_file_menu_item(app::frmMain& window, QAction* item) {
    press(Qt::Key_F, Qt::AltModifier);
    if (!QTest::qWaitFor([&] { return window.MN_FILE->isVisible(); }, 5000)) {
        qWarning("the File menu did not open");
        return;
    }
    QTest::mouseClick(window.MN_FILE, Qt::LeftButton, Qt::NoModifier, window.MN_FILE->actionGeometry(item).center());
}

int run_until_program_ends(const std::function<void()>& scenario) {
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [] { QCoreApplication::exit(-1); });
    guard.start(20000);
    QTimer::singleShot(0, &guard, scenario);
    return QCoreApplication::exec();
}

QTimer* watcher_timer(app::frmMain& w) { return w.findChild<QTimer*>(QStringLiteral("Timer1")); }

bool wait_for_ticks(app::frmMain& w, int ticks) {
    QSignalSpy spy(watcher_timer(w), &QTimer::timeout);
    return QTest::qWaitFor([&] { return spy.count() >= ticks; }, 10000);
}

bool hourglass() {
    const QCursor* cursor = QGuiApplication::overrideCursor();
    return cursor != nullptr && cursor->shape() == Qt::WaitCursor;
}

bool idle(const app::frmMain& w) {
    return w.ConvertReady && w.MN_FILE->menuAction()->isEnabled() && w.MN_VER->isEnabled() &&
           w.cmbUserSetting->isEnabled() && w.cmdExit->isEnabled() && w.cmdExec->isEnabled() &&
           w.cmdExec->text() == kIdle && !hourglass();
}

void select_entry(app::frmMain& w, int position) {
    // Keys go to the list itself: a window not yet active has no focused control.
    QComboBox* list = w.cmbUserSetting;
    list->setFocus();
    for (int presses = list->count(); presses > 0 && list->currentIndex() != position; --presses)
        QTest::keyClick(list, list->currentIndex() < position ? Qt::Key_Down : Qt::Key_Up);
    if (list->currentIndex() != position) qWarning("entry %d could not be chosen", position);
}

QStringList listed(const app::frmMain& w) {
    QStringList names;
    for (int i = 0; i < w.cmbUserSetting->count(); ++i) names << w.cmbUserSetting->itemText(i);
    return names;
}

void start_with_button(app::frmMain& w, const QString& text) {
    set_clipboard(text);
    QTest::mouseClick(w.cmdExec, Qt::LeftButton);
}

void start_with_watcher(app::frmMain&, const QString& text) { set_clipboard(QLatin1Char('>') + text); }

StartConversion start_with_key(int key) {
    return [key](app::frmMain&, const QString& text) {
        set_clipboard(text);
        press(key);
    };
}

QString standard_markup(const QString& text) { return markup_of(text, kStandardLine, false); }

QString convert_copied(app::frmMain& w, const QString& text) {
    start_with_button(w, text);
    return clipboard();
}

QString converted_ab(app::frmMain& w) { return convert_copied(w, QStringLiteral("ab")); }

QString expected_ab(const QString& current_line) {
    return current_line.isEmpty() ? QStringLiteral("ab") : markup_of(QStringLiteral("ab"), current_line, false);
}

namespace {
QColor swatch(QLabel* label) { return label->grab().toImage().pixelColor(label->width() / 2, label->height() / 2); }
}  // namespace

Preview preview_of(app::frmMain& w) {
    Preview p;
    p.summary = w.lblX->text();
    p.underline = w.lblX->font().underline();
    p.italic = w.lblX->font().italic();
    p.bold = w.lblX->font().bold();
    int shown = 0;
    for (int i = 0; i < 5; ++i) {
        if (w.imgX[static_cast<std::size_t>(i)]->isVisible()) {
            ++shown;
            p.picture = i;
        }
    }
    if (shown != 1) p.picture = -1;
    p.start = swatch(w.lblPal[0]);
    p.end = swatch(w.lblPal[1]);
    p.box = w.chkDevTag->checkState();
    set_clipboard(QStringLiteral("ab"));
    QTest::mouseClick(w.cmdExec, Qt::LeftButton);
    p.converted = clipboard();
    return p;
}

void during_next_serving(const std::function<void()>& inside) { QTimer::singleShot(0, qApp, inside); }

}  // namespace gradation::test
