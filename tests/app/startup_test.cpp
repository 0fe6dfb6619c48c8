// Start-up: the main window comes up loaded from QX.ini beside the program, or says
// plainly that it found no setting to convert with.
#include "support/window_harness.h"

#include "app/program_level.h"
#include "platform/window_placement.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace gradation;
using namespace gradation::test;

class StartupTest : public QObject {
    Q_OBJECT

private slots:
    void shipped_settings_are_listed_and_the_first_applied();
    void without_a_setting_nothing_converts_data();
    void without_a_setting_nothing_converts();
    void text_copied_before_start_is_converted_by_the_first_tick();
    void the_users_own_file_is_read_data();
    void the_users_own_file_is_read();
};

void StartupTest::shipped_settings_are_listed_and_the_first_applied() {
    copy_shipped_ini();
    RunningProgram program;
    app::frmMain& w = program.window();
    QVERIFY(w.isVisible());
    // Centred with its frame, which the window system added only when it showed.
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    const QRect outer = w.frameGeometry();
    QVERIFY(outer.size() != w.size());
    QCOMPARE(outer.topLeft(), QPoint((screen.width() - outer.width()) / 2, (screen.height() - outer.height()) / 2));
    QVERIFY(platform::keeps_above(w));
    QVERIFY(w.mnuOnTop->isChecked());
    QVERIFY(w.cmbUserSetting->count() >= 10);
    QCOMPARE(w.cmbUserSetting->currentIndex(), 0);
    QCOMPARE(w.cmbUserSetting->itemText(0), QStringLiteral("起動時標準"));
    QCOMPARE(w.lblX->text(), QStringLiteral("Size= (Base)"));
    QVERIFY(w.cmdExec->isEnabled());
    QCOMPARE(QApplication::focusWidget(), w.cmdExec);
    QCOMPARE(w.IniFile, ini_path());
    auto* timer = w.findChild<QTimer*>(QStringLiteral("Timer1"));
    QVERIFY(timer->isActive());
    QCOMPARE(timer->interval(), 500);
}

void StartupTest::without_a_setting_nothing_converts_data() {
    QTest::addColumn<QStringList>("lines");  // empty: no QX.ini at all
    QTest::addColumn<int>("listed");
    QTest::newRow("no QX.ini") << QStringList() << 0;
    QTest::newRow("key 00 without a comma") << QStringList{QStringLiteral("Plain"), kStandardLine} << 0;
    QTest::newRow("first line refused") << QStringList{QStringLiteral("壊れた,ON,OFF"), kStandardLine} << 2;
}

void StartupTest::without_a_setting_nothing_converts() {
    QFETCH(QStringList, lines);
    QFETCH(int, listed);
    if (lines.isEmpty()) {
        remove_ini();
    } else {
        write_ini(lines);
    }
    set_clipboard(QStringLiteral(">abc"));
    RunningProgram program;
    app::frmMain& w = program.window();
    QCOMPARE(w.cmbUserSetting->count(), listed);
    QVERIFY(!w.cmdExec->isEnabled());
    QVERIFY(w.lblX->text().contains(QStringLiteral("QX.ini")));
    QVERIFY(w.lblX->toolTip().contains(QString::fromStdString(ini_path().string())));

    press(Qt::Key_Return);
    QSignalSpy ticks(w.findChild<QTimer*>(QStringLiteral("Timer1")), &QTimer::timeout);
    QVERIFY(QTest::qWaitFor([&] { return ticks.count() >= 2; }, 10000));
    QCOMPARE(clipboard(), QStringLiteral(">abc"));

    if (listed == 2) {  // a good entry makes the window ready to convert
        w.cmbUserSetting->setFocus();
        press(Qt::Key_Down);
        QVERIFY(w.cmdExec->isEnabled());
        QCOMPARE(w.lblX->text(), QStringLiteral("Size= (Base)"));
        QTRY_COMPARE_WITH_TIMEOUT(clipboard(), standard_markup(QStringLiteral("abc")), 10000);
    }
}

void StartupTest::text_copied_before_start_is_converted_by_the_first_tick() {
    write_ini({kItemLine});
    set_clipboard(QStringLiteral(">abc"));
    RunningProgram program;
    app::frmMain& w = program.window();
    QCOMPARE(clipboard(), QStringLiteral(">abc"));  // no tick before the window is up
    QSignalSpy ticks(w.findChild<QTimer*>(QStringLiteral("Timer1")), &QTimer::timeout);
    QVERIFY(QTest::qWaitFor([&] { return ticks.count() >= 2; }, 10000));
    QCOMPARE(clipboard(), markup_of(QStringLiteral("abc"), kItemLine, false));
}


// $XDG_CONFIG_HOME/gradation/QX.ini, when it exists, is read instead of the file beside
// the program; the label names the file that was read.
void StartupTest::the_users_own_file_is_read_data() {
    QTest::addColumn<QByteArray>("own");  // empty: no file of one's own
    QTest::addColumn<QString>("first");   // the first entry listed, empty for none
    QTest::addColumn<QString>("label");   // what the label starts with
    QTest::newRow("no own file") << QByteArray() << QStringLiteral("起動時標準") << QStringLiteral("Size= (Base)");
    QTest::newRow("own file") << ("[UserSetting]\n00=" + kItemLine.toUtf8() + "\n") << QStringLiteral("アイテム")
                              << QStringLiteral("<!S><!E><BR>Size= 5");
    QTest::newRow("own file in UTF-16") << QByteArray("\xFF\xFE[\0U\0", 6) << QString()
                                        << QStringLiteral("UTF-16 は読めません");
}

void StartupTest::the_users_own_file_is_read() {
    QFETCH(QByteArray, own);
    QFETCH(QString, first);
    QFETCH(QString, label);
    copy_shipped_ini();
    QTemporaryDir config;
    const QByteArray before = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
    const std::filesystem::path own_file = std::filesystem::path(config.path().toStdString()) / "gradation" / "QX.ini";
    if (!own.isEmpty()) {
        std::filesystem::create_directories(own_file.parent_path());
        QFile file(QString::fromStdString(own_file.string()));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(own);
    }
    {
        RunningProgram program;
        app::frmMain& w = program.window();
        QCOMPARE(w.IniFile, own.isEmpty() ? ini_path() : own_file);
        QCOMPARE(w.cmbUserSetting->itemText(0), first);
        QVERIFY2(w.lblX->text().startsWith(label), qPrintable(w.lblX->text()));
        if (first.isEmpty()) QVERIFY(w.lblX->toolTip().contains(QString::fromStdString(own_file.string())));
    }
    qputenv("XDG_CONFIG_HOME", before);
}

QTEST_MAIN(StartupTest)
#include "startup_test.moc"
