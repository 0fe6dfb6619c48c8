// Refusals in the windows' words: every code has a sentence with the same placeholders as
// its English, a wrapped refusal is worded inside the one that wraps it, a system message
// is worded too, and the English windows say what the CLI says.
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
    QTest::addColumn<QString>("language");
    QTest::addColumn<Refusal>("refusal");
    QTest::addColumn<QString>("worded");
    const Refusal entry = wrapping(RefusalCode::EntryRefusedAt, {"3"}, make_refusal(RefusalCode::FlagValue, {"on"}, 1));
    const Refusal system = refuse_system(RefusalCode::WriteFailed, {"QX.ini"}, EACCES).error();
    QTest::newRow("entry refused at a field")
        << "ja" << entry << QStringLiteral("項目 3 は使えません: 位置 1: フラグは ON か OFF です（「on」ではありません）");
    // The English windows take core's words, and the system's.
    QTest::newRow("in English, as core says it")
        << "en" << entry << QStringLiteral("entry 3 is refused at position 1: a flag is ON or OFF, not \"on\"");
    QTest::newRow("in English, as the system says it") << "en" << system << QString::fromStdString(system.text());
    QTest::newRow("two levels, a detail holding %2")
        << "ja" << wrapping(RefusalCode::SettingGradientRefused, {"0", "00", "%2.ini"},
                    wrapping(RefusalCode::GradientEntryRefusedAt, {},
                             make_refusal(RefusalCode::GradientSpaceUnknown, {"lab"}, 0)))
        << QStringLiteral("%2.ini の設定 0（キー 00）: [Gradient] の行は使えません: 位置 0: "
                          "「lab」という色空間はありません");
    QTest::newRow("a system message the window words")
        << "ja" << system << QStringLiteral("QX.ini に書き込めません: アクセスが許可されていません");
    QTest::newRow("one it does not, in the system's words")
        << "ja" << refuse_system(RefusalCode::WriteFailed, {"QX.ini"}, EHOSTUNREACH).error()
        << QStringLiteral("QX.ini に書き込めません: No route to host");
}

void RefusalTextTest::refusal_is_worded() {
    QFETCH(QString, language);
    QFETCH(Refusal, refusal);
    QFETCH(QString, worded);
    platform::install_interface_language(language);
    QCOMPARE(widgets::refusal_text(refusal), worded);
}

QTEST_GUILESS_MAIN(RefusalTextTest)
#include "refusal_text_test.moc"
