// The clipboard as other programs change it while the window works: a text copied
// during a conversion is kept, a write that does not take ends the run with nothing
// more written, and the watcher fetches a held text once, not at every tick.
#include "support/fault_seams.h"
#include "support/window_harness.h"

#include "platform/clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>

using namespace gradation;
using namespace gradation::test;

namespace {

const QString kSource(20000, QChar(u'あ'));
const QString kShort(3000, QChar(u'z'));  // long enough for a few servings of events

// Runs `inside` once, from the first serving of events of the next conversion, however
// it is started (the button, or a watcher tick).
class InsideTheRun {
public:
    InsideTheRun(app::frmMain& w, std::function<void()> inside) {
        QObject::connect(&probe_, &QTimer::timeout, [this, &w, inside = std::move(inside)] {
            if (w.cmdExec->text() != kConverting) return;
            probe_.stop();
            inside();
            done = true;
        });
        probe_.start(1);
    }
    bool done = false;

private:
    QTimer probe_;
};

// A text on the clipboard that counts how often its text is fetched.
class CountedText : public QMimeData {
public:
    explicit CountedText(int* fetches) : fetches_(fetches) { setText(QStringLiteral("held text")); }

protected:
    QVariant retrieveData(const QString& type, QMetaType as) const override {
        if (type == QLatin1String("text/plain")) ++*fetches_;
        return QMimeData::retrieveData(type, as);
    }

private:
    int* fetches_;
};

const StartConversion kButton = start_with_button;
const StartConversion kWatcher = start_with_watcher;

}  // namespace

class ClipboardChangesTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        write_ini({kStandardLine});
        test::fail_next_clipboard_writes(0);
    }

    void text_copied_during_a_run_is_kept_data();
    void text_copied_during_a_run_is_kept();
    void write_that_does_not_take_ends_the_run_data();
    void write_that_does_not_take_ends_the_run();
    void held_text_is_fetched_once();
};

void ClipboardChangesTest::text_copied_during_a_run_is_kept_data() {
    QTest::addColumn<StartConversion>("start");
    QTest::addColumn<QString>("copied");  // null: nothing copied during the run
    QTest::addColumn<QString>("expected");
    const QString markup = standard_markup(kSource);
    QTest::newRow("button, nothing copied") << kButton << QString() << markup;
    QTest::newRow("button, NEW copied") << kButton << "NEW" << "NEW";
    QTest::newRow("button, the same text copied again") << kButton << kSource << kSource;
    QTest::newRow("button, empty text copied") << kButton << "" << "";
    QTest::newRow("watcher, nothing copied") << kWatcher << QString() << markup;
    QTest::newRow("watcher, NEW copied") << kWatcher << "NEW" << "NEW";
}

void ClipboardChangesTest::text_copied_during_a_run_is_kept() {
    QFETCH(StartConversion, start);
    QFETCH(QString, copied);
    QFETCH(QString, expected);
    RunningProgram program;
    app::frmMain& w = program.window();
    InsideTheRun inside(w, [&] {
        if (!copied.isNull()) set_clipboard(copied);
    });
    start(w, kSource);
    QTRY_VERIFY_WITH_TIMEOUT(inside.done && idle(w), 20000);
    QCOMPARE(clipboard(), expected);
    QVERIFY(wait_for_ticks(w, 2));  // and the watcher leaves it so
    QCOMPARE(clipboard(), expected);
    QVERIFY(idle(w));
}

// The watcher's removal of ">" or a conversion's markup does not take (on X11: the
// selection could not be taken): that tick or run ends with nothing more written, the
// ">" itself is never converted, and the next tick tries again.
void ClipboardChangesTest::write_that_does_not_take_ends_the_run_data() {
    QTest::addColumn<StartConversion>("start");
    QTest::addColumn<bool>("by_watcher");  // the watcher needs a tick to read the text
    QTest::addColumn<bool>("fail_inside");  // the markup's write fails, not the first
    QTest::addColumn<QString>("after_the_run");
    QTest::addColumn<QString>("at_last");
    const QString markup = standard_markup(kShort);
    QTest::newRow("watcher: the rest without > is not written") << kWatcher << true << false << ">" + kShort << markup;
    QTest::newRow("watcher: the markup is not written") << kWatcher << true << true << kShort << kShort;
    QTest::newRow("button: the markup is not written") << kButton << false << false << kShort << kShort;
}

void ClipboardChangesTest::write_that_does_not_take_ends_the_run() {
    QFETCH(StartConversion, start);
    QFETCH(bool, by_watcher);
    QFETCH(bool, fail_inside);
    QFETCH(QString, after_the_run);
    QFETCH(QString, at_last);
    RunningProgram program;
    app::frmMain& w = program.window();
    QVERIFY(wait_for_ticks(w, 1));  // the start-up text is read; the next tick reads ours
    InsideTheRun inside(w, [&] {
        if (fail_inside) test::fail_next_clipboard_writes(1);
    });
    if (!fail_inside) test::fail_next_clipboard_writes(1);
    start(w, kShort);
    if (by_watcher) QVERIFY(wait_for_ticks(w, 1));
    QCOMPARE(clipboard(), after_the_run);
    QVERIFY(idle(w));
    QTRY_COMPARE_WITH_TIMEOUT(clipboard(), at_last, 10000);
    QVERIFY(wait_for_ticks(w, 2));
    QCOMPARE(clipboard(), at_last);
    QVERIFY(idle(w));
}

// A text held on the clipboard is fetched once, at the first tick after it was
// copied; the ticks go on every 500 ms, and a new copy is fetched and converted.
void ClipboardChangesTest::held_text_is_fetched_once() {
    RunningProgram program;
    app::frmMain& w = program.window();
    int fetches = 0;
    QGuiApplication::clipboard()->setMimeData(new CountedText(&fetches));
    QVERIFY(wait_for_ticks(w, 5));
    QCOMPARE(fetches, 1);
    QVERIFY(watcher_timer(w)->isActive());
    QCOMPARE(watcher_timer(w)->interval(), 500);
    set_clipboard(QStringLiteral(">abc"));
    QTRY_COMPARE_WITH_TIMEOUT(clipboard(), standard_markup(QStringLiteral("abc")), 5000);
}

QTEST_MAIN(ClipboardChangesTest)
#include "clipboard_changes_test.moc"
