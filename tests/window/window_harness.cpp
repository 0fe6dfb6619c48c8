#include "window_harness.h"

#include "convert/gradient_markup.h"
#include "platform/configuration_file.h"
#include "settings/setting_record.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QTimer>

#include <fstream>

namespace gradation::test {

std::filesystem::path ini_path() { return platform::MakeIniFile(); }

void write_ini(const QStringList& setting_lines) {
    QByteArray bytes = "[UserSetting]\r\n";
    for (int n = 0; n < setting_lines.size(); ++n)
        bytes += QStringLiteral("%1=%2\r\n").arg(n, 2, 10, QLatin1Char('0')).arg(setting_lines[n]).toUtf8();
    std::ofstream file(ini_path(), std::ios::binary | std::ios::trunc);
    file.write(bytes.constData(), bytes.size());
}

void remove_ini() { std::filesystem::remove(ini_path()); }

void copy_shipped_ini() {
    std::filesystem::copy_file(GRADATION_SHIPPED_INI, ini_path(), std::filesystem::copy_options::overwrite_existing);
}

QString clipboard() { return QGuiApplication::clipboard()->text(QClipboard::Clipboard); }

void set_clipboard(const QString& text) { QGuiApplication::clipboard()->setText(text, QClipboard::Clipboard); }

QString markup_of(const QString& text, const QString& line, bool separate_tags) {
    const SettingParse parsed = parse_setting_line(line.toStdU16String());
    if (!parsed) return QStringLiteral("(refused line)");
    return QString::fromStdU16String(gradient_markup(text.toStdU16String(), *parsed.record, separate_tags));
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

void during_next_serving(const std::function<void()>& inside) { QTimer::singleShot(0, qApp, inside); }

}  // namespace gradation::test
