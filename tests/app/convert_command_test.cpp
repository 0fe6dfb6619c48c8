// The convert command: the clipboard text becomes its markup; the window is locked
// while the conversion serves events; a second call stops it.
#include "support/window_harness.h"

#include "support/markup_helpers.h"
#include "support/temp_folder.h"

#include "widgets/check_box_value.h"
#include "widgets/limit_field.h"
#include "core/markup/markup_fit.h"
#include "platform/window_placement.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QCursor>
#include <QDialog>
#include <QLabel>
#include <QSpinBox>
#include <QImage>
#include <QMenu>
#include <QMimeData>
#include <QScopeGuard>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolTip>
#include <QWindow>

#include <sys/stat.h>

using namespace gradation;
using namespace gradation::test;

namespace {

QString long_text() { return QString(20000, QChar(u'あ')); }

QImage red_picture() {
    QImage picture(4, 4, QImage::Format_RGB32);
    picture.fill(Qt::red);
    return picture;
}

// What a row puts on the clipboard before the convert button is pressed.
using PutOnClipboard = std::function<void(QClipboard*)>;

using Choose = std::function<void(app::frmMain&)>;

// Sets the limit in the 長さの上限 dialog as a user would and presses OK.
Choose limit_from_dialog(int unit_index, int length) {
    return [=](app::frmMain& w) {
        QTimer::singleShot(0, [=] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            auto* field = dialog->findChild<widgets::LimitField*>();
            field->unit->setCurrentIndex(unit_index);
            field->length->setValue(length);
            dialog->accept();
        });
        w.mnuLimit->trigger();
    };
}

// What the core writes for "abc" with the standard setting, fitted when there is a limit.
QString core_markup(const platform::MarkupChoice& choice) {
    const SettingRecord s = *parse_setting_line(kStandardLine.toStdU16String());
    test::StringSink sink;
    if (!choice.limit) return QString::fromStdU16String(gradient_markup(u"abc", s, false, default_options(choice.dialect)));
    const FitResult fit = write_fitted_markup(u"abc", s, default_options(choice.dialect), *choice.limit,
                                              [] { return false; }, [] { return false; }, sink);
    return fit.outcome == FitResult::Outcome::Fitted ? QString::fromStdU16String(sink.markup) : QStringLiteral("abc");
}

// What takes the place of gradation.conf.
using ConfPlace = std::function<void(const std::filesystem::path& conf)>;

}  // namespace

Q_DECLARE_METATYPE(PutOnClipboard)
Q_DECLARE_METATYPE(ConfPlace)

class ConvertCommandTest : public QObject {
    Q_OBJECT

private slots:
    void init() { write_ini({kStandardLine, kItemLine}); }

    void converts_the_clipboard_text();
    void window_is_locked_while_converting_data();
    void window_is_locked_while_converting();
    void second_call_stops_a_running_conversion_data();
    void second_call_stops_a_running_conversion();
    void two_calls_in_one_serving();
    void nothing_to_convert_data();
    void nothing_to_convert();
    void text_beyond_the_limit_is_kept_data();
    void text_beyond_the_limit_is_kept();
    void esc_does_nothing_while_converting();
    void check_box_changes_the_tag_form_mid_run();
    void closing_the_window_mid_run_ends_the_program_data();
    void closing_the_window_mid_run_ends_the_program();
    void converts_in_the_chosen_format_data();
    void converts_in_the_chosen_format();
    void choice_that_cannot_be_kept_is_said_once_data();
    void choice_that_cannot_be_kept_is_said_once();
};

void ConvertCommandTest::converts_the_clipboard_text() {
    RunningProgram program;
    app::frmMain& w = program.window();
    QCOMPARE(convert_copied(w, QStringLiteral("abc")),
             QStringLiteral("<FONT COLOR=\"#0080AA\">a</FONT><FONT COLOR=\"#558055\">b</FONT>"
                            "<FONT COLOR=\"#AA8000\">c</FONT>\r\n"));
    QVERIFY(idle(w));
    // A second press converts the markup now on the clipboard, as text like any other.
    const QString first = clipboard();
    QTest::mouseClick(w.cmdExec, Qt::LeftButton);
    QCOMPARE(clipboard(), standard_markup(first));
}

void ConvertCommandTest::window_is_locked_while_converting_data() {
    QTest::addColumn<WindowCheck>("is_enabled");
    QTest::addColumn<bool>("enabled");
    QTest::newRow("File menu") << WindowCheck([](app::frmMain& w) { return w.MN_FILE->menuAction()->isEnabled(); })
                               << false;
    QTest::newRow("version menu") << WindowCheck([](app::frmMain& w) { return w.MN_VER->isEnabled(); }) << false;
    QTest::newRow("setting list") << WindowCheck([](app::frmMain& w) { return w.cmbUserSetting->isEnabled(); })
                                  << false;
    QTest::newRow("exit button") << WindowCheck([](app::frmMain& w) { return w.cmdExit->isEnabled(); }) << false;
    QTest::newRow("convert button, now the stop button")
        << WindowCheck([](app::frmMain& w) { return w.cmdExec->isEnabled(); }) << true;
    QTest::newRow("check box") << WindowCheck([](app::frmMain& w) { return w.chkDevTag->isEnabled(); }) << true;
}

void ConvertCommandTest::window_is_locked_while_converting() {
    QFETCH(WindowCheck, is_enabled);
    QFETCH(bool, enabled);
    RunningProgram program;
    app::frmMain& w = program.window();
    bool served = false;
    bool enabled_inside = !enabled;
    QString caption_inside;
    bool hourglass_inside = false;
    during_next_serving([&] {
        served = true;
        enabled_inside = is_enabled(w);
        caption_inside = w.cmdExec->text();
        hourglass_inside = hourglass();
    });
    set_clipboard(QStringLiteral("abc"));
    QTest::mouseClick(w.cmdExec, Qt::LeftButton);
    QVERIFY(served);
    QCOMPARE(enabled_inside, enabled);
    QCOMPARE(caption_inside, kConverting);
    QVERIFY(hourglass_inside);
    QVERIFY(is_enabled(w));
    QVERIFY(idle(w));
    QCOMPARE(clipboard(), standard_markup(QStringLiteral("abc")));
}

void ConvertCommandTest::second_call_stops_a_running_conversion_data() {
    QTest::addColumn<WindowStep>("call");
    QTest::newRow("click") << WindowStep([](app::frmMain& w) { QTest::mouseClick(w.cmdExec, Qt::LeftButton); });
    QTest::newRow("Enter") << WindowStep([](app::frmMain&) { press(Qt::Key_Return); });
    QTest::newRow("Space on the button") << WindowStep([](app::frmMain&) { press(Qt::Key_Space); });
}

void ConvertCommandTest::second_call_stops_a_running_conversion() {
    QFETCH(WindowStep, call);
    RunningProgram program;
    app::frmMain& w = program.window();
    const QString source = long_text();
    set_clipboard(source);
    during_next_serving([&] {
        QCOMPARE(w.cmdExec->text(), kConverting);
        call(w);
    });
    w.cmdExec->setFocus();
    QTest::mouseClick(w.cmdExec, Qt::LeftButton);
    QCOMPARE(clipboard(), source);
    QVERIFY(idle(w));
    // The next press converts normally.
    QCOMPARE(convert_copied(w, QStringLiteral("abc")), standard_markup(QStringLiteral("abc")));
}

// Two presses served together: the first asks the running conversion to stop, the
// second finds the window ready and runs a whole conversion of its own; the first
// then stops without writing.
void ConvertCommandTest::two_calls_in_one_serving() {
    RunningProgram program;
    app::frmMain& w = program.window();
    const QString source = QStringLiteral("二つの呼び出し");
    set_clipboard(source);
    int presses = 0;
    bool pointer_after_inner_run = true;
    QString clipboard_after_inner_run;
    auto second_press = [&] {
        ++presses;
        QTest::mouseClick(w.cmdExec, Qt::LeftButton);
        if (presses == 2) {
            pointer_after_inner_run = hourglass();
            clipboard_after_inner_run = clipboard();
        }
    };
    during_next_serving(second_press);
    during_next_serving(second_press);
    QTest::mouseClick(w.cmdExec, Qt::LeftButton);
    QCOMPARE(presses, 2);
    const QString markup = standard_markup(source);
    QCOMPARE(clipboard_after_inner_run, markup);
    QVERIFY(!pointer_after_inner_run);  // a value, not a count: the inner run reset it
    QCOMPARE(clipboard(), markup);
    QVERIFY(idle(w));
}

void ConvertCommandTest::nothing_to_convert_data() {
    QTest::addColumn<PutOnClipboard>("put");
    QTest::addColumn<bool>("picture_kept");
    QTest::newRow("empty text") << PutOnClipboard([](QClipboard*) { set_clipboard(QString()); }) << false;
    QTest::newRow("cleared") << PutOnClipboard([](QClipboard* board) { board->clear(); }) << false;
    QTest::newRow("picture only") << PutOnClipboard([](QClipboard* board) { board->setImage(red_picture()); }) << true;
}

void ConvertCommandTest::nothing_to_convert() {
    QFETCH(PutOnClipboard, put);
    QFETCH(bool, picture_kept);
    RunningProgram program;
    app::frmMain& w = program.window();
    QClipboard* board = QGuiApplication::clipboard();
    put(board);
    QTest::mouseClick(w.cmdExec, Qt::LeftButton);
    QVERIFY(idle(w));
    QCOMPARE(clipboard(), QString());
    if (picture_kept) QCOMPARE(board->image(), red_picture());
    QCOMPARE(convert_copied(w, QStringLiteral("abc")), standard_markup(QStringLiteral("abc")));
}

void ConvertCommandTest::text_beyond_the_limit_is_kept_data() {
    QTest::addColumn<int>("units");
    QTest::addColumn<bool>("converted");
    QTest::newRow("32,767 units") << 32767 << true;
    QTest::newRow("32,768 units") << 32768 << false;
    QTest::newRow("100,000 units") << 100000 << false;
    QTest::newRow("1 MB, 1,048,576 units") << (1 << 20) << false;
}

void ConvertCommandTest::text_beyond_the_limit_is_kept() {
    QFETCH(int, units);
    QFETCH(bool, converted);
    RunningProgram program;
    app::frmMain& w = program.window();
    QString source(units, QChar(u'x'));
    source[0] = QChar(u'y');
    QCOMPARE(convert_copied(w, source), converted ? standard_markup(source) : source);
    QVERIFY(idle(w));
}

void ConvertCommandTest::esc_does_nothing_while_converting() {
    RunningProgram program;
    app::frmMain& w = program.window();
    set_clipboard(QStringLiteral("abc"));
    during_next_serving([&] { press(Qt::Key_Escape); });
    QTest::mouseClick(w.cmdExec, Qt::LeftButton);
    QVERIFY(w.isVisible());
    QCOMPARE(clipboard(), standard_markup(QStringLiteral("abc")));
    QVERIFY(idle(w));
}

void ConvertCommandTest::check_box_changes_the_tag_form_mid_run() {
    write_ini({kSizedLine});
    RunningProgram program;
    app::frmMain& w = program.window();
    set_clipboard(QStringLiteral("abc"));
    during_next_serving([&] { QTest::mouseClick(w.chkDevTag, Qt::LeftButton); });
    QTest::mouseClick(w.cmdExec, Qt::LeftButton);
    QCOMPARE(w.chkDevTag->checkState(), Qt::Checked);
    QCOMPARE(clipboard(), markup_of(QStringLiteral("abc"), kSizedLine, true));
}

// The close box stays usable during a conversion: closing ends the program at once,
// and the clipboard keeps what it held when the conversion began.
void ConvertCommandTest::closing_the_window_mid_run_ends_the_program_data() {
    QTest::addColumn<bool>("by_watcher");
    QTest::newRow("started by the button") << false;
    QTest::newRow("started by the watcher") << true;
}

void ConvertCommandTest::closing_the_window_mid_run_ends_the_program() {
    QFETCH(bool, by_watcher);
    RunningProgram program;
    app::frmMain& w = program.window();
    auto* timer = w.findChild<QTimer*>(QStringLiteral("Timer1"));
    const QString source = long_text();
    set_clipboard(by_watcher ? QLatin1Char('>') + source : source);
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&] {
        if (w.cmdExec->text() == kConverting) {
            closer.stop();
            w.windowHandle()->close();
        }
    });
    closer.start(1);
    const int code = run_until_program_ends([&] {
        if (!by_watcher) QTest::mouseClick(w.cmdExec, Qt::LeftButton);
    });
    QCOMPARE(code, 0);
    QVERIFY(!closer.isActive());
    QCOMPARE(clipboard(), source);
    QVERIFY(!w.isVisible());
    QVERIFY(!timer->isActive());
    QVERIFY(!platform::keeps_above(w));
}

void ConvertCommandTest::converts_in_the_chosen_format_data() {
    QTest::addColumn<Choose>("choose");
    QTest::addColumn<int>("dialect");
    QTest::addColumn<int>("limit");  // UTF-16 units, 0 for none
    QTest::addColumn<QString>("note");
    QTest::newRow("minecraft from the menu") << Choose([](app::frmMain& w) { w.mnuFormat[3]->trigger(); })
                                             << int(Dialect::Minecraft) << 0 << "minecraft: 長さ 27";
    QTest::newRow("limit from the dialog, shortened")
        << limit_from_dialog(1, 40) << int(Dialect::Html) << 40 << "html: 長さ 34 / 40 (まとめ, 空白は色なし, 3 文字ごとに 1 色)";
    // Cannot fit: nothing is written, the note gives the shortest length.
    QTest::newRow("limit too short, clipboard kept")
        << limit_from_dialog(1, 10) << int(Dialect::Html) << 10 << "上限 10 に収まりません: 最短でも 34";
}

// The choice is used, said in the summary label's tooltip, remembered in gradation.conf
// and chosen again by the next start.
void ConvertCommandTest::converts_in_the_chosen_format() {
    QFETCH(Choose, choose);
    QFETCH(int, dialect);
    QFETCH(int, limit);
    QFETCH(QString, note);
    test::TempFolder config;
    const auto restore = qScopeGuard([before = qgetenv("XDG_CONFIG_HOME")] { qputenv("XDG_CONFIG_HOME", before); });
    qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(config.path().string()));
    platform::MarkupChoice expected{static_cast<Dialect>(dialect), std::nullopt};
    if (limit > 0) expected.limit = LengthLimit{static_cast<std::size_t>(limit), LengthUnit::Utf16Units};
    {
        RunningProgram program;
        app::frmMain& w = program.window();
        choose(w);
        QVERIFY(w.MarkupChoice == expected);
        set_clipboard(QStringLiteral("abc"));
        QTest::mouseClick(w.cmdExec, Qt::LeftButton);
        QCOMPARE(clipboard(), core_markup(expected));
        QVERIFY2(w.lblX->toolTip().contains(note), qPrintable(w.lblX->toolTip()));
    }
    QVERIFY(platform::read_markup_choice() == expected);
    RunningProgram again;
    QVERIFY(again.window().MarkupChoice == expected);
    QVERIFY(again.window().mnuFormat[dialect]->isChecked());
}

// `kept`: the file after choosing minecraft and then bbcode; empty when they cannot be kept.
void ConvertCommandTest::choice_that_cannot_be_kept_is_said_once_data() {
    namespace fs = std::filesystem;
    QTest::addColumn<ConfPlace>("place");
    QTest::newRow("a FIFO, never waited for") << ConfPlace([](auto& conf) { QCOMPARE(::mkfifo(conf.c_str(), 0644), 0); });
    QTest::newRow("read-only") << ConfPlace([](auto& conf) { test::write_bytes(conf, ""), fs::permissions(conf, fs::perms::owner_read); });
}

// gradation.conf is no file to keep choices in: each choice holds for this run, and that
// it cannot be kept is said at once, the first time only.
void ConvertCommandTest::choice_that_cannot_be_kept_is_said_once() {
    QFETCH(ConfPlace, place);
    test::TempFolder config;
    const auto restore = qScopeGuard([before = qgetenv("XDG_CONFIG_HOME")] { qputenv("XDG_CONFIG_HOME", before); });
    qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(config.path().string()));
    const std::filesystem::path conf = platform::markup_choice_file();
    std::filesystem::create_directories(conf.parent_path());
    place(conf);
    RunningProgram program;
    app::frmMain& w = program.window();
    for (const Dialect dialect : {Dialect::Minecraft, Dialect::Bbcode}) {
        w.mnuFormat[static_cast<int>(dialect)]->trigger();
        QCOMPARE(QToolTip::isVisible() && QToolTip::text().contains(QStringLiteral("残せません")), dialect == Dialect::Minecraft);
        QToolTip::hideText();
        QTRY_VERIFY(!QToolTip::isVisible());
    }
    QCOMPARE(convert_copied(w, QStringLiteral("abc")), core_markup({Dialect::Bbcode, std::nullopt}));
}

QTEST_MAIN(ConvertCommandTest)
#include "convert_command_test.moc"
