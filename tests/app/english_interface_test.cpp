// The window program in English (LANGUAGE=en): every text it shows or lets the user reach,
// in every state of its list and in its dialogs, holds no Japanese but the setting names
// read from QX.ini, and no caption is wider than its control. Its picture goes to the
// screenshots folder.
#include "support/interface_walk.h"
#include "support/window_harness.h"

#include "platform/interface_language.h"
#include "support/temp_folder.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>

using namespace gradation;
using namespace gradation::test;

class EnglishInterfaceTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QCOMPARE(platform::install_interface_language(), QStringLiteral("en")); }
    void every_reachable_text_is_english_data();
    void every_reachable_text_is_english();
};

void EnglishInterfaceTest::every_reachable_text_is_english_data() {
    QTest::addColumn<WindowStep>("prepare");
    QTest::addColumn<QString>("screenshot");
    const WindowStep none = [](app::frmMain&) {};
    QTest::newRow("shipped settings") << none << QStringLiteral("gradation-en");
    QTest::newRow("no settings") << WindowStep([](app::frmMain& w) { write_ini({}), w.follow_configuration_file(); })
                                 << QString();
    QTest::newRow("UTF-16 file") << WindowStep([](app::frmMain& w) {
        write_bytes(ini_path(), std::string("\xFF\xFE[\0U\0", 6)), w.follow_configuration_file();
    }) << QString();
    QTest::newRow("chosen setting gone") << WindowStep([](app::frmMain& w) {
        select_entry(w, 1), write_ini({kItemLine}), w.follow_configuration_file();
    }) << QString();
}

void EnglishInterfaceTest::every_reachable_text_is_english() {
    QFETCH(WindowStep, prepare);
    QFETCH(QString, screenshot);
    copy_shipped_ini();
    RunningProgram program;
    app::frmMain& w = program.window();
    QStringList names = listed(w);
    prepare(w);
    names << listed(w);

    QStringList texts;
    for (const std::function<void()>& open_dialog : {std::function<void()>([&] { w.MN_VER_Click(); }),
                                                      std::function<void()>([&] { w.mnuLimit_Click(); })}) {
        const QStringList dialog_texts = texts_of_modal_dialog(open_dialog);
        QVERIFY(!dialog_texts.isEmpty());
        texts << dialog_texts;
    }
    if (w.cmdExec->isEnabled()) {
        w.MarkupChoice.limit = LengthLimit{4, LengthUnit::Utf16Units};  // too short: the note says so
        during_next_serving([&] { texts << w.cmdExec->text(); });
        convert_copied(w, QStringLiteral("abcdef"));
        texts << w.lblX->toolTip();
    }
    const QString found = not_english(w, texts, names);
    QVERIFY2(found.isEmpty(), qPrintable(found));
    if (!screenshot.isEmpty()) save_screenshot(w, screenshot);
}

QTEST_MAIN(EnglishInterfaceTest)
#include "english_interface_test.moc"
