// The thin layer over Qt: the timer's Interval and Enabled, the pointer as a value,
// the clipboard as plain text, keep-above, and what ending the program stops.
#include "platform/clipboard.h"
#include "platform/mouse_pointer.h"
#include "platform/program_run.h"
#include "platform/timer.h"
#include "platform/window_placement.h"

#include <QApplication>
#include <QClipboard>
#include <QCursor>
#include <QImage>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <QWindow>

using namespace gradation::platform;

class ToolkitServicesTest : public QObject {
    Q_OBJECT

private slots:
    void init() { program_starts(); }

    void timer_ticks_only_when_enabled_with_an_interval_data();
    void timer_ticks_only_when_enabled_with_an_interval();
    void pointer_is_a_value_not_a_count_data();
    void pointer_is_a_value_not_a_count();
    void clipboard_round_trips_plain_text_data();
    void clipboard_round_trips_plain_text();
    void keep_above_changes_neither_visibility_nor_place();
    void nothing_of_ours_runs_after_the_end();
};

void ToolkitServicesTest::timer_ticks_only_when_enabled_with_an_interval_data() {
    QTest::addColumn<int>("interval");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<bool>("ticks");
    QTest::newRow("interval 0, enabled") << 0 << true << false;
    QTest::newRow("interval 20, enabled") << 20 << true << true;
    QTest::newRow("interval 20, disabled") << 20 << false << false;
    QTest::newRow("negative interval, enabled") << -5 << true << false;
}

void ToolkitServicesTest::timer_ticks_only_when_enabled_with_an_interval() {
    QFETCH(int, interval);
    QFETCH(bool, enabled);
    QFETCH(bool, ticks);
    QObject owner;
    Timer timer(&owner, "Timer1");
    int count = 0;
    timer.onTimer([&] { ++count; });
    timer.setInterval(interval);
    timer.setEnabled(enabled);
    if (ticks) {
        QTRY_VERIFY_WITH_TIMEOUT(count > 0, 5000);
    } else {
        QTest::qWait(200);
        QCOMPARE(count, 0);
    }
    // Stopped in the windows' order, it ticks no more.
    timer.setEnabled(false);
    timer.setInterval(0);
    const int stopped_at = count;
    QTest::qWait(100);
    QCOMPARE(count, stopped_at);
}

void ToolkitServicesTest::pointer_is_a_value_not_a_count_data() {
    QTest::addColumn<QList<int>>("settings");
    QTest::addColumn<bool>("hourglass");
    const int h = int(MousePointer::Hourglass);
    const int d = int(MousePointer::Default);
    QTest::newRow("hourglass") << QList<int>{h} << true;
    QTest::newRow("hourglass twice, default once") << QList<int>{h, h, d} << false;
    QTest::newRow("default twice, hourglass once") << QList<int>{d, d, h} << true;
    QTest::newRow("hourglass, default, hourglass") << QList<int>{h, d, h} << true;
}

void ToolkitServicesTest::pointer_is_a_value_not_a_count() {
    QFETCH(QList<int>, settings);
    QFETCH(bool, hourglass);
    for (int value : settings) set_mouse_pointer(static_cast<MousePointer>(value));
    QCOMPARE(mouse_pointer() == MousePointer::Hourglass, hourglass);
    const QCursor* shown = QGuiApplication::overrideCursor();
    QCOMPARE(shown != nullptr && shown->shape() == Qt::WaitCursor, hourglass);
    set_mouse_pointer(MousePointer::Default);
    QVERIFY(QGuiApplication::overrideCursor() == nullptr);
}

void ToolkitServicesTest::clipboard_round_trips_plain_text_data() {
    QTest::addColumn<QString>("text");
    QTest::newRow("Japanese") << QStringLiteral("グラデーション");
    QTest::newRow("surrogate pair") << QString::fromUtf16(u"a\U0001F600b");
    QTest::newRow("line breaks") << QStringLiteral("a\r\nb\n");
    QTest::newRow("empty") << QString();
}

void ToolkitServicesTest::clipboard_round_trips_plain_text() {
    QFETCH(QString, text);
    set_clipboard_text(text.toStdU16String());
    QCOMPARE(QGuiApplication::clipboard()->text(), text);
    QCOMPARE(QString::fromStdU16String(clipboard_text()), text);
    QImage picture(2, 2, QImage::Format_RGB32);
    picture.fill(Qt::blue);
    QGuiApplication::clipboard()->setImage(picture);
    QVERIFY(clipboard_text().empty());
}

void ToolkitServicesTest::keep_above_changes_neither_visibility_nor_place() {
    QWidget window;
    window.resize(100, 50);
    set_keep_above(window, true);  // before the window exists on screen
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QVERIFY(window.windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint));
    window.move(30, 40);
    const QPoint place = window.pos();
    for (bool on : {false, true, false}) {
        set_keep_above(window, on);
        QCOMPARE(keeps_above(window), on);
        QCOMPARE(window.windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint), on);
        QVERIFY(window.isVisible());
        QCOMPARE(window.pos(), place);
    }
}

void ToolkitServicesTest::nothing_of_ours_runs_after_the_end() {
    QObject owner;
    Timer timer(&owner, "Timer1");
    int ticks = 0;
    timer.onTimer([&] { ++ticks; });
    QTimer source;
    int handled = 0;
    on_event(&source, &QTimer::timeout, &owner, [&] { ++handled; });
    set_clipboard_text(u"before");

    QWidget window;
    window.show();
    // Inside the event loop, as the program ends it.
    QTimer::singleShot(0, [&] { end_program_now(); });
    QCOMPARE(QCoreApplication::exec(), 0);
    QVERIFY(program_ended());
    QVERIFY(!window.isVisible());

    set_clipboard_text(u"after");
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("before"));
    timer.setInterval(10);
    timer.setEnabled(true);
    source.start(10);
    QTest::qWait(100);
    QCOMPARE(ticks, 0);
    QCOMPARE(handled, 0);
}

QTEST_MAIN(ToolkitServicesTest)
#include "toolkit_services_test.moc"
