// Hostile clipboard contents: texts at and past the length limit, lone surrogates,
// no text at all, contents that change between ticks or during a conversion, and
// stop requests piling up during the longest conversion. The window always ends
// idle, and the clipboard holds the text to convert or its whole markup, never a part.
#include "support/window_harness.h"

#include "core/markup/gradient_markup.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMap>
#include <QMimeData>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace gradation;
using namespace gradation::test;

namespace {

constexpr int kLimit = int(kMaxTextUnits);  // 32,767

// A text of exactly `units` units, cycling through kana, kanji and ASCII; with
// `pairs`, of surrogate pairs (an emoji or a tile each), filled up with 'x'.
QString text_of(int units, bool pairs = false) {
    const QString pattern = pairs ? QStringLiteral("😀🀄") : QStringLiteral("グラデーション漢字abc");
    QString text;
    text.reserve(units + pattern.size());
    while (text.size() + pattern.size() <= units) text += pattern;
    while (text.size() < units) text += QLatin1Char('x');
    return text;
}

// What a row puts in the clipboard's data instead of text.
using FillData = std::function<void(QMimeData*)>;

bool watching(app::frmMain& w) { return watcher_timer(w)->isActive() && watcher_timer(w)->interval() == 500; }

// Runs `action` once, from the first serving of events in which a conversion runs.
class WhenConverting {
public:
    WhenConverting(app::frmMain& w, std::function<void()> action) {
        QObject::connect(&probe_, &QTimer::timeout, [&w, this, action = std::move(action)] {
            if (w.cmdExec->text() != kConverting) return;
            probe_.stop();
            done_ = true;
            action();
        });
        probe_.start(1);
    }
    bool done() const { return done_; }

private:
    QTimer probe_;
    bool done_ = false;
};

}  // namespace

Q_DECLARE_METATYPE(FillData)

class HostileClipboardTest : public QObject {
    Q_OBJECT

private slots:
    void init() { write_ini({kStandardLine}); }

    void length_limit_by_the_watcher_data();
    void length_limit_by_the_watcher();
    void odd_code_units_data();
    void odd_code_units();
    void no_text_on_the_clipboard_data();
    void no_text_on_the_clipboard();
    void contents_change_between_ticks();
    void contents_change_during_the_watchers_conversion_data();
    void contents_change_during_the_watchers_conversion();
    void stop_requests_pile_up_data();
    void stop_requests_pile_up();
    void presses_spread_over_a_long_conversion();
};

// The watcher removes the ">" first; the rest is what must fit. A rest too long stays
// on the clipboard without its ">", so that later ticks leave it alone.
void HostileClipboardTest::length_limit_by_the_watcher_data() {
    QTest::addColumn<QString>("rest");
    QTest::addColumn<bool>("converted");
    QTest::newRow("> and 32,767 units") << text_of(kLimit) << true;
    QTest::newRow("> and 32,768 units") << text_of(kLimit + 1) << false;
    QTest::newRow("> and 1 MB") << text_of(1 << 20) << false;
    QTest::newRow("> and 32,767 units, nearly all in pairs") << text_of(kLimit, true) << true;
    QTest::newRow("> and 32,768 units in pairs: 16,384 characters") << text_of(kLimit + 1, true) << false;
}

void HostileClipboardTest::length_limit_by_the_watcher() {
    QFETCH(QString, rest);
    QFETCH(bool, converted);
    RunningProgram program;
    app::frmMain& w = program.window();
    set_clipboard(QLatin1Char('>') + rest);
    QVERIFY(wait_for_ticks(w, 2));
    const QString expected = converted ? standard_markup(rest) : rest;
    QCOMPARE(clipboard().size(), expected.size());
    QVERIFY(clipboard() == expected);
    QVERIFY(idle(w));
    QVERIFY(watching(w));
    QVERIFY(wait_for_ticks(w, 2));
    QVERIFY(clipboard() == expected);
}

// A lone surrogate is one character of its own, and so is a NUL, from either caller;
// the clipboard carries them unchanged both ways.
void HostileClipboardTest::odd_code_units_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("by_watcher");
    const std::pair<const char*, QString> texts[] = {
        {"lone high", QString::fromUtf16(u"a\xD800" u"b")},
        {"lone low", QString::fromUtf16(u"a\xDC00" u"b")},
        {"reversed pair", QString::fromUtf16(u"\xDC00\xD800")},
        {"high at the end", QString::fromUtf16(u"ab\xD83D")},
        {"high alone", QString::fromUtf16(u"\xD800")},
        {"high, then a pair", QString::fromUtf16(u"\xD83D\xD83D\xDE00" u"c")},
        {"pair, then a low", QString::fromUtf16(u"\xD83D\xDE00\xDE00")},
        {"NUL inside", QString::fromUtf16(u"a\0b", 3)},
    };
    for (const auto& [what, text] : texts) {
        QTest::addRow("%s, by the button", what) << text << false;
        QTest::addRow("%s, by the watcher", what) << text << true;
    }
}

void HostileClipboardTest::odd_code_units() {
    QFETCH(QString, text);
    QFETCH(bool, by_watcher);
    RunningProgram program;
    app::frmMain& w = program.window();
    (by_watcher ? start_with_watcher : start_with_button)(w, text);
    if (by_watcher) QVERIFY(wait_for_ticks(w, 2));
    QCOMPARE(clipboard(), standard_markup(text));
    QVERIFY(idle(w));
}

// A clipboard without plain text reads as the empty text: no trigger, and the
// content stays as the other program left it.
void HostileClipboardTest::no_text_on_the_clipboard_data() {
    QTest::addColumn<FillData>("fill");
    QTest::newRow("picture only") << FillData([](QMimeData* data) {
        QImage picture(8, 8, QImage::Format_RGB32);
        picture.fill(QColor(12, 34, 56));
        data->setImageData(picture);
    });
    QTest::newRow("HTML only") << FillData([](QMimeData* data) { data->setHtml(QStringLiteral("<b>&gt;abc</b>")); });
    QTest::newRow("no formats at all") << FillData([](QMimeData*) {});
}

void HostileClipboardTest::no_text_on_the_clipboard() {
    QFETCH(FillData, fill);
    RunningProgram program;
    app::frmMain& w = program.window();
    QMimeData expected;
    fill(&expected);
    auto* data = new QMimeData;
    fill(data);
    const QStringList formats = data->formats();
    QGuiApplication::clipboard()->setMimeData(data, QClipboard::Clipboard);

    QVERIFY(wait_for_ticks(w, 2));
    const QMimeData* now = QGuiApplication::clipboard()->mimeData(QClipboard::Clipboard);
    QVERIFY(now != nullptr);
    QCOMPARE(now->formats(), formats);
    QVERIFY(!now->hasText());
    QCOMPARE(qvariant_cast<QImage>(now->imageData()), qvariant_cast<QImage>(expected.imageData()));
    QCOMPARE(now->html(), expected.html());
    QVERIFY(idle(w));
    QVERIFY(watching(w));

    set_clipboard(QStringLiteral(">abc"));
    QVERIFY(wait_for_ticks(w, 2));
    QCOMPARE(clipboard(), standard_markup(QStringLiteral("abc")));
}

// Another program changes the clipboard between two ticks: each tick decides on what
// it finds then, and remembers nothing of earlier contents.
void HostileClipboardTest::contents_change_between_ticks() {
    RunningProgram program;
    app::frmMain& w = program.window();
    struct Step {
        QStringList copies;  // copied one after the other before the next tick
        QString expected;    // the clipboard after that tick
    };
    const QList<Step> steps = {
        {{QStringLiteral(">one")}, standard_markup(QStringLiteral("one"))},
        {{QStringLiteral("two")}, QStringLiteral("two")},
        {{QStringLiteral(">three")}, standard_markup(QStringLiteral("three"))},
        {{QStringLiteral(">three")}, standard_markup(QStringLiteral("three"))},  // the same text again
        {{QStringLiteral(">lost"), QStringLiteral("kept")}, QStringLiteral("kept")},
        {{QStringLiteral("kept"), QStringLiteral(">four")}, standard_markup(QStringLiteral("four"))},
        {{QStringLiteral(">")}, QString()},
        {{QStringLiteral(">five")}, standard_markup(QStringLiteral("five"))},
    };
    // Connected after the window's own handler, so it runs once each tick has ended.
    int step = -1;
    QStringList seen;
    QObject context;
    QObject::connect(watcher_timer(w), &QTimer::timeout, &context, [&] {
        if (step >= 0) seen << clipboard();
        if (++step < steps.size()) {
            for (const QString& copy : steps[step].copies) set_clipboard(copy);
        }
    });
    QTRY_COMPARE_WITH_TIMEOUT(seen.size(), steps.size(), 30000);
    for (int i = 0; i < steps.size(); ++i) QCOMPARE(seen[i], steps[i].expected);
    QVERIFY(idle(w));
}

// During the watcher's own conversion no tick comes. Whatever another program copies
// meanwhile is kept: the conversion writes nothing, and a trigger copied then is
// converted by the next tick.
void HostileClipboardTest::contents_change_during_the_watchers_conversion_data() {
    QTest::addColumn<QString>("copied");
    QTest::addColumn<QString>("expected");
    QTest::newRow("plain text") << "plain" << "plain";
    QTest::newRow("a trigger") << ">trigger" << standard_markup(QStringLiteral("trigger"));
    QTest::newRow("the empty text") << "" << "";
}

void HostileClipboardTest::contents_change_during_the_watchers_conversion() {
    QFETCH(QString, copied);
    QFETCH(QString, expected);
    RunningProgram program;
    app::frmMain& w = program.window();
    const QString rest = text_of(kLimit);
    WhenConverting copy(w, [&] { set_clipboard(copied); });
    set_clipboard(QLatin1Char('>') + rest);
    QTRY_VERIFY_WITH_TIMEOUT(copy.done(), 10000);
    QTRY_VERIFY_WITH_TIMEOUT(idle(w), 30000);
    QTRY_VERIFY_WITH_TIMEOUT(clipboard() == expected, 5000);
    QVERIFY(wait_for_ticks(w, 2));
    QVERIFY(clipboard() == expected);
    QVERIFY(idle(w));
}

// Several calls served together during the longest conversion. P is a press of the
// convert button; T a tick that finds ">tail" freshly copied. A call is a stop request
// while a conversion runs (a T then leaves ">tail" for the next tick), else a
// conversion of its own, of what the clipboard holds then, during which the calls
// still pending are served. The clipboard is read once the ticks have settled it. How deep Qt serves
// pending events in nested servings is its own affair: past the second conversion the
// rows accept any of the outcomes ("|"), never a mixture.
void HostileClipboardTest::stop_requests_pile_up_data() {
    QTest::addColumn<bool>("by_watcher");  // the first conversion started by a tick
    QTest::addColumn<QString>("calls");
    QTest::addColumn<QString>("results");  // source, markup, tail, tail markup
    QTest::newRow("button: P") << false << "P" << "source";
    QTest::newRow("button: PPP") << false << "PPP" << "source";
    QTest::newRow("button: PPPP") << false << "PPPP" << "markup";
    QTest::newRow("button: T") << false << "T" << "tail markup";
    QTest::newRow("button: TT") << false << "TT" << "tail markup";
    QTest::newRow("button: TP") << false << "TP" << ">tail markup";
    QTest::newRow("button: TPP") << false << "TPP" << "tail markup";
    QTest::newRow("button: PT") << false << "PT" << "tail markup";
    QTest::newRow("button: PTP") << false << "PTP" << "tail";
    QTest::newRow("button: PPT") << false << "PPT" << "tail markup";
    QTest::newRow("button: 7 P") << false << "PPPPPPP" << "source|markup";
    QTest::newRow("button: 12 P") << false << "PPPPPPPPPPPP" << "source|markup";
    QTest::newRow("button: PTPTPTPT") << false << "PTPTPTPT" << "tail|tail markup";
    QTest::newRow("watcher: P") << true << "P" << "source";
    QTest::newRow("watcher: PP") << true << "PP" << "markup";
    QTest::newRow("watcher: PPP") << true << "PPP" << "source";
    QTest::newRow("watcher: 9 P") << true << "PPPPPPPPP" << "source|markup";
}

void HostileClipboardTest::stop_requests_pile_up() {
    QFETCH(bool, by_watcher);
    QFETCH(QString, calls);
    QFETCH(QString, results);
    RunningProgram program;
    app::frmMain& w = program.window();
    const QString source = text_of(kLimit);
    const QString tail = QStringLiteral("終わり");
    int served = 0;
    // Posted together from inside the conversion: all are pending at its next serving.
    WhenConverting pile_up(w, [&] {
        for (const QChar call : calls) {
            during_next_serving([&, call] {
                ++served;
                if (call == u'P') {
                    QTest::mouseClick(w.cmdExec, Qt::LeftButton);
                } else {
                    set_clipboard(QLatin1Char('>') + tail);
                    w.Timer1_Timer();  // what the timer calls when it ticks
                }
            });
        }
    });
    (by_watcher ? start_with_watcher : start_with_button)(w, source);
    QTRY_VERIFY_WITH_TIMEOUT(pile_up.done() && served == calls.size() && idle(w), 60000);
    QVERIFY(wait_for_ticks(w, 2));
    const QMap<QString, QString> outcomes{{QStringLiteral("source"), source},
                                          {QStringLiteral("markup"), standard_markup(source)},
                                          {QStringLiteral("tail"), tail},
                                          {QStringLiteral("tail markup"), standard_markup(tail)},
                                          {QStringLiteral(">tail markup"), standard_markup(QLatin1Char('>') + tail)}};
    const QString now = clipboard();
    const QString found = outcomes.key(now, QStringLiteral("%1 units, none of the outcomes").arg(now.size()));
    QVERIFY2(results.split(QLatin1Char('|')).contains(found), qPrintable(found));
    QVERIFY(idle(w));
    QVERIFY(watching(w));
}

// Nine presses from timers 4 ms apart, each landing in whatever serving of events is
// under way: however they fall, the window ends idle with the text or its whole markup
// on the clipboard.
void HostileClipboardTest::presses_spread_over_a_long_conversion() {
    RunningProgram program;
    app::frmMain& w = program.window();
    const QString source = text_of(kLimit);
    set_clipboard(source);
    int presses = 0;
    int starts = 0;  // presses that found no conversion running
    QObject context;
    for (int i = 0; i < 9; ++i) {
        QTimer::singleShot(4 * i, &context, [&] {
            ++presses;
            if (w.ConvertReady) ++starts;
            QTest::mouseClick(w.cmdExec, Qt::LeftButton);
        });
    }
    QTRY_VERIFY_WITH_TIMEOUT(presses == 9 && idle(w), 60000);
    QVERIFY(starts >= 1);
    const QString now = clipboard();
    QVERIFY2(now == source || now == standard_markup(source),
             qPrintable(QStringLiteral("%1 units on the clipboard, neither the text nor its markup").arg(now.size())));
    QVERIFY(watching(w));
    qInfo("%d of the 9 presses started a conversion", starts);
}

QTEST_MAIN(HostileClipboardTest)
#include "hostile_clipboard_test.moc"
