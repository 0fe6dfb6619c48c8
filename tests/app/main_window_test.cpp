// The main window as the user meets it: its design, its keys, always-on-top and the
// ways to end the program.
#include "support/window_harness.h"

#include "core/markup/markup_dialects.h"
#include "widgets/check_box_value.h"
#include "platform/window_placement.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QComboBox>
#include <QFontInfo>
#include <QFontMetrics>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWindow>

using namespace gradation;
using namespace gradation::test;

class MainWindowTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        write_ini({kStandardLine, kItemLine});
        set_clipboard(QStringLiteral("abc"));
    }

    void controls_stand_at_their_design_places_data();
    void controls_stand_at_their_design_places();
    void window_has_a_fixed_frame_with_close_box_only();
    void captions_and_menus_read_as_designed();
    void fonts_draw_the_japanese_captions();
    void tab_order_starts_at_the_convert_button();
    void keys_that_convert_data();
    void keys_that_convert();
    void focus_comes_back_after_a_conversion_data();
    void focus_comes_back_after_a_conversion();
    void ways_that_end_the_program_data();
    void ways_that_end_the_program();
    void always_on_top_flips_with_each_choice_data();
    void always_on_top_flips_with_each_choice();
};

// Left, top, width and height in twips from the design; the window works in pixels.
void MainWindowTest::controls_stand_at_their_design_places_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("twips");
    QTest::newRow("imgX(0)") << "imgX(0)" << QRect(120, 60, 750, 375);
    QTest::newRow("imgX(3)") << "imgX(3)" << QRect(120, 60, 750, 375);
    QTest::newRow("imgX(4)") << "imgX(4)" << QRect(120, 60, 750, 375);
    QTest::newRow("lblPal(0)") << "lblPal(0)" << QRect(1080, 60, 375, 315);
    QTest::newRow("lblPal(1)") << "lblPal(1)" << QRect(1470, 60, 375, 315);
    QTest::newRow("cmbUserSetting") << "cmbUserSetting" << QRect(1860, 60, 2055, 300);
    QTest::newRow("cmdExec") << "cmdExec" << QRect(3960, 30, 795, 405);
    QTest::newRow("cmdExit") << "cmdExit" << QRect(120, 480, 795, 375);
    QTest::newRow("lblX") << "lblX" << QRect(1080, 480, 2775, 315);
    QTest::newRow("chkDevTag") << "chkDevTag" << QRect(3930, 510, 795, 285);
}

void MainWindowTest::controls_stand_at_their_design_places() {
    QFETCH(QString, name);
    QFETCH(QRect, twips);
    RunningProgram program;
    QWidget* control = program.window().findChild<QWidget*>(name);
    QVERIFY(control != nullptr);
    QCOMPARE(control->parentWidget()->size(), QSize(4800 / 15, 930 / 15));
    QCOMPARE(control->geometry(),
             QRect(twips.x() / 15, twips.y() / 15, twips.width() / 15, twips.height() / 15));
}

void MainWindowTest::window_has_a_fixed_frame_with_close_box_only() {
    RunningProgram program;
    app::frmMain& w = program.window();
    QCOMPARE(w.windowTitle(), QStringLiteral("VU+ZIRI ZE"));
    QCOMPARE(w.minimumSize(), w.maximumSize());
    QCOMPARE(w.size(), QSize(320, w.menu_bar->height() + 62));
    const Qt::WindowFlags flags = w.windowHandle()->flags();
    QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
    QCOMPARE(w.windowType(), Qt::Window);  // a window of its own, shown in the taskbar
    QVERIFY(!w.windowIcon().isNull());
    QVERIFY(w.windowIcon().availableSizes().contains(QSize(32, 32)));
}

void MainWindowTest::captions_and_menus_read_as_designed() {
    RunningProgram program;
    app::frmMain& w = program.window();
    QCOMPARE(w.cmdExec->text(), QStringLiteral("変換(&X&ｻ)"));
    QCOMPARE(w.cmdExit->text(), QStringLiteral("終了&Q&ﾀ)"));
    QCOMPARE(w.chkDevTag->text(), QStringLiteral("分離"));

    const QList<QAction*> bar = w.menu_bar->actions();
    QCOMPARE(bar.size(), 3);
    QCOMPARE(bar[0], w.MN_FILE->menuAction());
    QCOMPARE(bar[0]->text(), QStringLiteral("ファイル(&F&ﾊ)"));
    QCOMPARE(bar[1], w.MN_VER);
    QCOMPARE(w.MN_VER->text(), QStringLiteral("バージョン情報(&V&ﾋ)"));
    QVERIFY(w.MN_VER->menu() == nullptr);
    // The dialects as radio items, html first and chosen, then the limit.
    QCOMPARE(bar[2], w.MN_FORMAT->menuAction());
    QCOMPARE(bar[2]->text(), QStringLiteral("形式(&M)"));
    const QList<QAction*> format = w.MN_FORMAT->actions();
    QCOMPARE(format.size(), qsizetype(kDialectCount + 2));  // the dialects, a separator, the limit
    QCOMPARE(format[0]->text(), QStringLiteral("html"));
    QVERIFY(format[0]->isChecked() && format[0]->actionGroup()->isExclusive());
    QCOMPARE(format[3]->text(), QStringLiteral("minecraft"));
    QCOMPARE(format.back()->text(), QStringLiteral("長さの上限(&L)..."));
    QCOMPARE(w.menu_bar->actionGeometry(bar[2]).top(), w.menu_bar->actionGeometry(bar[0]).top());  // one row

    const QList<QAction*> file = w.MN_FILE->actions();
    QCOMPARE(file.size(), 3);
    QCOMPARE(file[0]->text(), QStringLiteral("常に手前に表示"));
    QVERIFY(file[0]->isChecked());
    QVERIFY(file[1]->isSeparator());
    QCOMPARE(file[2]->text(), QStringLiteral("終了(Q)"));
}

void MainWindowTest::fonts_draw_the_japanese_captions() {
    RunningProgram program;
    app::frmMain& w = program.window();
    const QFont summary = w.lblX->font();
    QCOMPARE(summary.families().value(0), QStringLiteral("ＭＳ Ｐゴシック"));
    QCOMPARE(summary.pointSize(), 12);
    // What is drawn comes from an installed fallback that has the Japanese glyphs.
    for (QWidget* control : {static_cast<QWidget*>(w.lblX), static_cast<QWidget*>(w.cmdExec),
                             static_cast<QWidget*>(w.chkDevTag)}) {
        const QFontMetrics metrics(control->font());
        for (const QChar c : QStringLiteral("変換終了分離設定ﾀｻ"))
            QVERIFY2(metrics.inFont(c), qPrintable(QFontInfo(control->font()).family()));
    }
    QCOMPARE(w.cmdExec->font().pointSize(), 9);
}

void MainWindowTest::tab_order_starts_at_the_convert_button() {
    RunningProgram program;
    app::frmMain& w = program.window();
    QCOMPARE(QApplication::focusWidget(), w.cmdExec);
    const QList<QWidget*> order = {w.cmbUserSetting, w.cmdExit, w.chkDevTag, w.cmdExec};
    for (QWidget* next : order) {
        press(Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), next);
    }
}

void MainWindowTest::keys_that_convert_data() {
    QTest::addColumn<QString>("focus");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::newRow("Enter on the convert button") << "cmdExec" << int(Qt::Key_Return) << 0;
    QTest::newRow("keypad Enter on the convert button") << "cmdExec" << int(Qt::Key_Enter) << int(Qt::KeypadModifier);
    QTest::newRow("Enter on the setting list") << "cmbUserSetting" << int(Qt::Key_Return) << 0;
    QTest::newRow("Enter on the check box") << "chkDevTag" << int(Qt::Key_Return) << 0;
    QTest::newRow("Alt+X from the exit button") << "cmdExit" << int(Qt::Key_X) << int(Qt::AltModifier);
}

void MainWindowTest::keys_that_convert() {
    QFETCH(QString, focus);
    QFETCH(int, key);
    QFETCH(int, modifiers);
    RunningProgram program;
    app::frmMain& w = program.window();
    w.findChild<QWidget*>(focus)->setFocus();
    press(key, Qt::KeyboardModifiers(modifiers));
    // An access key presses its button as a click would: drawn down, released shortly after.
    QTRY_COMPARE(clipboard(), standard_markup(QStringLiteral("abc")));
    QVERIFY(w.isVisible());
}

// The run disables the setting list, which moves the focus on; afterwards it is back
// where it was, so Down chooses the next setting again.
void MainWindowTest::focus_comes_back_after_a_conversion_data() {
    QTest::addColumn<QString>("focus");
    QTest::addColumn<StartConversion>("start");
    QTest::newRow("setting list, Enter") << "cmbUserSetting" << start_with_key(Qt::Key_Return);
    QTest::newRow("setting list, a > text copied") << "cmbUserSetting" << StartConversion(start_with_watcher);
    QTest::newRow("check box, Enter") << "chkDevTag" << start_with_key(Qt::Key_Return);
    QTest::newRow("convert button, Space") << "cmdExec" << start_with_key(Qt::Key_Space);
}

void MainWindowTest::focus_comes_back_after_a_conversion() {
    QFETCH(QString, focus);
    QFETCH(StartConversion, start);
    RunningProgram program;
    app::frmMain& w = program.window();
    QWidget* control = w.findChild<QWidget*>(focus);
    control->setFocus();
    QWidget* focus_inside = nullptr;
    QTimer probe;
    QObject::connect(&probe, &QTimer::timeout, [&] {
        if (focus_inside == nullptr && w.cmdExec->text() == kConverting) focus_inside = QApplication::focusWidget();
    });
    probe.start(1);
    const QString text(3000, QChar(u'z'));
    start(w, text);
    QTRY_COMPARE_WITH_TIMEOUT(clipboard(), standard_markup(text), 10000);
    QTRY_VERIFY(idle(w));
    QVERIFY(focus_inside != nullptr);
    if (focus == "cmbUserSetting") QVERIFY(focus_inside != control);  // it did move away
    QCOMPARE(QApplication::focusWidget(), control);
    if (focus == "cmbUserSetting") {
        press(Qt::Key_Down);
        QCOMPARE(w.cmbUserSetting->currentIndex(), 1);
    }
}

void MainWindowTest::ways_that_end_the_program_data() {
    QTest::addColumn<WindowStep>("way");
    // Focuses the control `focused` picks (none: the focus stays) and presses `key`.
    const auto key_on = [](QWidget* (*focused)(app::frmMain&), int key) {
        return WindowStep([focused, key](app::frmMain& w) {
            if (focused) focused(w)->setFocus();
            press(key);
        });
    };
    QTest::newRow("exit button") << WindowStep([](app::frmMain& w) { QTest::mouseClick(w.cmdExit, Qt::LeftButton); });
    QTest::newRow("Esc") << key_on(nullptr, Qt::Key_Escape);
    QTest::newRow("Esc on the setting list") << key_on([](app::frmMain& w) -> QWidget* { return w.cmbUserSetting; }, Qt::Key_Escape);
    QTest::newRow("Enter on the focused exit button") << key_on([](app::frmMain& w) -> QWidget* { return w.cmdExit; }, Qt::Key_Return);
    QTest::newRow("Alt+Q") << WindowStep([](app::frmMain&) { press(Qt::Key_Q, Qt::AltModifier); });
    QTest::newRow("exit menu item") << WindowStep([](app::frmMain& w) { choose_file_menu_item(w, w.MN_FILE_QUIT); });
    QTest::newRow("close box") << WindowStep([](app::frmMain& w) { w.windowHandle()->close(); });
}

void MainWindowTest::ways_that_end_the_program() {
    QFETCH(WindowStep, way);
    RunningProgram program;
    app::frmMain& w = program.window();
    auto* timer = w.findChild<QTimer*>(QStringLiteral("Timer1"));
    QVERIFY(timer->isActive());
    const int code = run_until_program_ends([&] { way(w); });
    QCOMPARE(code, 0);
    QVERIFY(!w.isVisible());
    QVERIFY(!timer->isActive());
    QCOMPARE(w.OnTop(), std::int16_t{0});
    QVERIFY(!platform::keeps_above(w));
    QCOMPARE(clipboard(), QStringLiteral("abc"));
}

void MainWindowTest::always_on_top_flips_with_each_choice_data() {
    QTest::addColumn<int>("choices");
    QTest::addColumn<bool>("on_top");
    QTest::newRow("once") << 1 << false;
    QTest::newRow("twice") << 2 << true;
    QTest::newRow("three times") << 3 << false;
}

void MainWindowTest::always_on_top_flips_with_each_choice() {
    QFETCH(int, choices);
    QFETCH(bool, on_top);
    RunningProgram program;
    app::frmMain& w = program.window();
    const QPoint place = w.pos();
    for (int i = 0; i < choices; ++i) {
        choose_file_menu_item(w, w.mnuOnTop);
        QTRY_VERIFY(!w.MN_FILE->isVisible());
    }
    QCOMPARE(platform::keeps_above(w), on_top);
    QCOMPARE(w.mnuOnTop->isChecked(), on_top);
    QCOMPARE(w.OnTop(), on_top ? std::int16_t{-1} : std::int16_t{0});
    QVERIFY(w.isVisible());
    QCOMPARE(w.pos(), place);
}

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
