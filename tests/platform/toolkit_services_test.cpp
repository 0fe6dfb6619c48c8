// The thin layer over Qt: the timer's Interval and Enabled, the pointer as a value,
// the clipboard as plain text. Keep-above and the end of the program are seen through
// the real window in tests/window.
#include "platform/clipboard.h"
#include "platform/mouse_pointer.h"
#include "platform/program_run.h"
#include "platform/interface_language.h"
#include "platform/timer.h"

#include <QClipboard>
#include <QCursor>
#include <QImage>
#include <QTest>
#include <QTimer>

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
    void language_follows_the_preferred_languages_data();
    void language_follows_the_preferred_languages();
    void texts_follow_the_installed_language_data();
    void texts_follow_the_installed_language();
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
    timer.on_tick([&] { ++count; });
    timer.set_interval(interval);
    timer.set_enabled(enabled);
    if (ticks) {
        QTRY_VERIFY_WITH_TIMEOUT(count > 0, 5000);
    } else {
        QTest::qWait(200);
        QCOMPARE(count, 0);
    }
    // Stopped in the windows' order, it ticks no more.
    timer.set_enabled(false);
    timer.set_interval(0);
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
    QVERIFY(set_clipboard_text(text.toStdU16String()));
    QCOMPARE(QGuiApplication::clipboard()->text(), text);
    QCOMPARE(QString::fromStdU16String(clipboard_text()), text);
    QImage picture(2, 2, QImage::Format_RGB32);
    picture.fill(Qt::blue);
    QGuiApplication::clipboard()->setImage(picture);
    QVERIFY(clipboard_text().empty());
}

// The languages offered are Japanese and the translations embedded in the program: here
// the shipped ones and this test's own Chinese (gradation_zh_CN.ts beside it, not shipped).
void ToolkitServicesTest::language_follows_the_preferred_languages_data() {
    QTest::addColumn<QStringList>("preferred");
    QTest::addColumn<QStringList>("offered");
    QTest::addColumn<QString>("chosen");
    const QStringList embedded = interface_languages();
    QTest::newRow("English alone") << QStringList{"en"} << embedded << "en";
    QTest::newRow("English before Japanese") << QStringList{"en-US", "ja-JP"} << embedded << "en";
    QTest::newRow("Japanese before English") << QStringList{"ja-JP", "en-US"} << embedded << "ja";
    QTest::newRow("English after another") << QStringList{"de-DE", "en_GB.UTF-8"} << embedded << "en";
    QTest::newRow("an embedded third language") << QStringList{"zh-CN", "en"} << embedded << "zh_CN";
    QTest::newRow("none offered") << QStringList{"fr-FR"} << embedded << "ja";
    QTest::newRow("C locale") << QStringList{"C"} << embedded << "ja";
    QTest::newRow("POSIX locale") << QStringList{"POSIX"} << embedded << "ja";
    QTest::newRow("nothing named") << QStringList{} << embedded << "ja";
    QTest::newRow("a word beginning en") << QStringList{"eng"} << embedded << "ja";
    QTest::newRow("the longer name named") << QStringList{"pt-BR"} << QStringList{"ja", "pt", "pt_BR"} << "pt_BR";
}

void ToolkitServicesTest::language_follows_the_preferred_languages() {
    QFETCH(QStringList, preferred);
    QFETCH(QStringList, offered);
    QFETCH(QString, chosen);
    QCOMPARE(choose_interface_language(preferred, offered), chosen);
}

// The windows' texts and Qt's own follow the language installed; one without a
// translation leaves both as written.
void ToolkitServicesTest::texts_follow_the_installed_language_data() {
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("ours");
    QTest::addColumn<QString>("qt");
    QTest::newRow("Japanese") << "ja" << QStringLiteral("長さの上限") << QStringLiteral("キャンセル");
    QTest::newRow("English") << "en" << "Length limit" << "Cancel";
    QTest::newRow("Chinese") << "zh_CN" << QStringLiteral("长度上限") << QStringLiteral("取消");
    QTest::newRow("no translation") << "xx" << QStringLiteral("長さの上限") << "Cancel";
}

void ToolkitServicesTest::texts_follow_the_installed_language() {
    QFETCH(QString, language);
    QFETCH(QString, ours);
    QFETCH(QString, qt);
    install_interface_language(language);
    QCOMPARE(interface_language(), language);
    QCOMPARE(QCoreApplication::translate("frmMain", "長さの上限"), ours);
    QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), qt);
}

QTEST_MAIN(ToolkitServicesTest)
#include "toolkit_services_test.moc"
