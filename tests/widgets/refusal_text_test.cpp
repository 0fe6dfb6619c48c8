// Refusals in the windows' words: every code has a sentence with the same placeholders as
// its English, a wrapped refusal is worded inside the one that wraps it, a system message
// is worded too, and the English translation says what the CLI says.
#include "platform/interface_language.h"
#include "widgets/refusal_text.h"

#include <QRegularExpression>
#include <QSet>
#include <QTest>

#include <cerrno>

using namespace gradation;

Q_DECLARE_METATYPE(gradation::Refusal)

class RefusalTextTest : public QObject {
    Q_OBJECT
private slots:
    void every_code_is_worded_in_both_languages();
    void refusal_is_worded_data();
    void refusal_is_worded();
    void english_translation_says_what_the_cli_says();  // last: it installs English
};

namespace {

QSet<QString> placeholders(const QString& pattern) {
    QSet<QString> found;
    for (const QRegularExpressionMatch& m : QRegularExpression(QStringLiteral("%[1-9]")).globalMatch(pattern))
        found.insert(m.captured());
    return found;
}

Refusal wrapping(RefusalCode code, std::vector<std::string> details, Refusal cause) {
    return refuse_because(code, std::move(details), std::move(cause)).error();
}

}  // namespace

void RefusalTextTest::every_code_is_worded_in_both_languages() {
    for (int i = 0; i < kRefusalCodeCount; ++i) {
        const auto code = static_cast<RefusalCode>(i);
        const QString english = QString::fromUtf8(english_pattern(code));
        const QString window = QString::fromUtf8(widgets::refusal_wording(code));
        QVERIFY2(!english.isEmpty() && !window.isEmpty(), qPrintable(QString::number(i)));
        QCOMPARE(placeholders(window), placeholders(english));
    }
}

void RefusalTextTest::refusal_is_worded_data() {
    QTest::addColumn<Refusal>("refusal");
    QTest::addColumn<QString>("worded");
    QTest::newRow("entry refused at a field")
        << wrapping(RefusalCode::EntryRefusedAt, {"3"}, make_refusal(RefusalCode::FlagValue, {"on"}, 1))
        << QStringLiteral("項目 3 は使えません: 位置 1: フラグは ON か OFF です（「on」ではありません）");
    QTest::newRow("two levels, a detail holding %2")
        << wrapping(RefusalCode::SettingGradientRefused, {"0", "00", "%2.ini"},
                    wrapping(RefusalCode::GradientEntryRefusedAt, {},
                             make_refusal(RefusalCode::GradientSpaceUnknown, {"lab"}, 0)))
        << QStringLiteral("%2.ini の設定 0（キー 00）: [Gradient] の行は使えません: 位置 0: "
                          "「lab」という色空間はありません");
    QTest::newRow("a system message the window words")
        << refuse_system(RefusalCode::WriteFailed, {"QX.ini"}, EACCES).error()
        << QStringLiteral("QX.ini に書き込めません: アクセスが許可されていません");
    QTest::newRow("one it does not, in the system's words")
        << refuse_system(RefusalCode::WriteFailed, {"QX.ini"}, EHOSTUNREACH).error()
        << QStringLiteral("QX.ini に書き込めません: No route to host");
}

void RefusalTextTest::refusal_is_worded() {
    QFETCH(Refusal, refusal);
    QFETCH(QString, worded);
    QCOMPARE(widgets::refusal_text(refusal), worded);
}

void RefusalTextTest::english_translation_says_what_the_cli_says() {
    platform::install_interface_language(QStringLiteral("en"));
    for (int i = 0; i < kRefusalCodeCount; ++i) {
        const Refusal refusal = make_refusal(static_cast<RefusalCode>(i), {"d1", "d2", "d3", "d4"}, 7);
        QCOMPARE(widgets::refusal_text(refusal), QString::fromStdString(refusal.text()));
    }
    for (int error = 1; error < 134; ++error) {
        const Refusal refusal = refuse_system(RefusalCode::LockFailed, {"QX.ini.lock"}, error).error();
        QCOMPARE(widgets::refusal_text(refusal), QString::fromStdString(refusal.text()));
    }
}

QTEST_GUILESS_MAIN(RefusalTextTest)
#include "refusal_text_test.moc"
