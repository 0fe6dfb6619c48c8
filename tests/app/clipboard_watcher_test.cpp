// The clipboard watcher: every tick looks at the clipboard; a text beginning with ">"
// loses that ">" and is converted.
#include "support/window_harness.h"

#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

using namespace gradation;
using namespace gradation::test;

class ClipboardWatcherTest : public QObject {
    Q_OBJECT

private slots:
    void init() { write_ini({kStandardLine}); }

    void tick_reads_the_clipboard_data();
    void tick_reads_the_clipboard();
    void watcher_pauses_during_its_own_conversion();
    void tick_during_a_button_conversion_stops_it();
    void stopped_watcher_conversion_is_not_started_again();
};

void ClipboardWatcherTest::tick_reads_the_clipboard_data() {
    QTest::addColumn<QString>("copied");
    QTest::addColumn<QString>("expected");
    const auto markup = [](const char16_t* text) { return standard_markup(QString::fromUtf16(text)); };
    QTest::newRow(">abc") << ">abc" << markup(u"abc");
    QTest::newRow("abc") << "abc" << "abc";
    QTest::newRow(">") << ">" << "";
    QTest::newRow(">>abc") << ">>abc" << markup(u">abc");
    QTest::newRow("blank before >") << " >abc" << " >abc";
    QTest::newRow("full-width >") << "＞abc" << "＞abc";
    QTest::newRow("> with line break and blanks") << "> a\r\nb " << markup(u" a\r\nb ");
    QTest::newRow("markup stays markup") << markup(u"abc") << markup(u"abc");
}

void ClipboardWatcherTest::tick_reads_the_clipboard() {
    QFETCH(QString, copied);
    QFETCH(QString, expected);
    RunningProgram program;
    app::frmMain& w = program.window();
    set_clipboard(copied);
    QVERIFY(wait_for_ticks(w, 2));
    QCOMPARE(clipboard(), expected);
    QCOMPARE(w.cmdExec->text(), QStringLiteral("変換(&X&ｻ)"));
    QVERIFY(watcher_timer(w)->isActive());
    QCOMPARE(watcher_timer(w)->interval(), 500);
}

void ClipboardWatcherTest::watcher_pauses_during_its_own_conversion() {
    RunningProgram program;
    app::frmMain& w = program.window();
    bool seen = false;
    bool timer_active_inside = true;
    QString clipboard_inside;
    QTimer probe;
    QObject::connect(&probe, &QTimer::timeout, [&] {
        if (!seen && w.cmdExec->text() == kConverting) {
            seen = true;
            timer_active_inside = watcher_timer(w)->isActive();
            clipboard_inside = clipboard();
        }
    });
    probe.start(1);
    set_clipboard(QLatin1Char('>') + QString(3000, QChar(u'z')));
    QTRY_VERIFY_WITH_TIMEOUT(seen, 10000);
    QVERIFY(!timer_active_inside);
    QCOMPARE(clipboard_inside, QString(3000, QChar(u'z')));  // r was written before converting
    QTRY_COMPARE_WITH_TIMEOUT(clipboard(), standard_markup(QString(3000, QChar(u'z'))), 10000);
    QVERIFY(watcher_timer(w)->isActive());
}

// A tick that finds a trigger while the button's conversion serves events stops that
// conversion and leaves the new text as it is; the next tick converts it.
void ClipboardWatcherTest::tick_during_a_button_conversion_stops_it() {
    RunningProgram program;
    app::frmMain& w = program.window();
    set_clipboard(QString(20000, QChar(u'a')));
    bool stopped = false;
    QString clipboard_when_stopped;
    during_next_serving([&] {
        set_clipboard(QStringLiteral(">xyz"));
        stopped = QTest::qWaitFor([&] { return w.ConvertReady; }, 10000);  // the tick's stop request
        clipboard_when_stopped = clipboard();
    });
    QTest::mouseClick(w.cmdExec, Qt::LeftButton);
    QVERIFY(stopped);
    QCOMPARE(clipboard_when_stopped, QStringLiteral(">xyz"));
    QCOMPARE(clipboard(), QStringLiteral(">xyz"));  // the stopped conversion wrote nothing
    QVERIFY(idle(w));
    QTRY_COMPARE_WITH_TIMEOUT(clipboard(), standard_markup(QStringLiteral("xyz")), 5000);
    QVERIFY(wait_for_ticks(w, 2));
    QCOMPARE(clipboard(), standard_markup(QStringLiteral("xyz")));
}

// Stopped with the button, the watcher's conversion leaves the text without its ">".
void ClipboardWatcherTest::stopped_watcher_conversion_is_not_started_again() {
    RunningProgram program;
    app::frmMain& w = program.window();
    const QString rest(20000, QChar(u'b'));
    QTimer stopper;
    QObject::connect(&stopper, &QTimer::timeout, [&] {
        if (w.cmdExec->text() == kConverting) {
            stopper.stop();
            QTest::mouseClick(w.cmdExec, Qt::LeftButton);
        }
    });
    stopper.start(1);
    set_clipboard(QLatin1Char('>') + rest);
    QTRY_VERIFY_WITH_TIMEOUT(!stopper.isActive(), 10000);
    QVERIFY(wait_for_ticks(w, 2));
    QCOMPARE(clipboard(), rest);
}

QTEST_MAIN(ClipboardWatcherTest)
#include "clipboard_watcher_test.moc"
