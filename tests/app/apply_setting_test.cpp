// Choosing a list entry: its line read afresh, applied whole, shown in the preview;
// a refused line changes nothing; the list follows its file.
#include "support/window_harness.h"

#include "widgets/check_box_value.h"
#include "core/settings_file/configuration_path.h"
#include "core/markup/gradient_markup.h"
#include "support/temp_folder.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QScopeGuard>
#include <QTest>
#include <fstream>
#include <functional>

using namespace gradation;
using namespace gradation::test;

class ApplySettingTest : public QObject {
    Q_OBJECT

private slots:
    void applying_a_line_shows_it_data();
    void applying_a_line_shows_it();
    void refused_line_changes_nothing_data();
    void refused_line_changes_nothing();
    void list_follows_the_file_data();
    void list_follows_the_file();
    void choosing_the_applied_entry_again_changes_nothing();
    void check_box_follows_the_setting_and_the_user_data();
    void check_box_follows_the_setting_and_the_user();
    void pictures_follow_the_column_heights_data();
    void pictures_follow_the_column_heights();
    void preview_strip_shows_the_name_in_its_markup_data();
    void preview_strip_shows_the_name_in_its_markup();
};

void ApplySettingTest::applying_a_line_shows_it_data() {
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("summary");
    QTest::addColumn<QString>("styles");  // u, i, b as they are on
    QTest::addColumn<int>("picture");
    QTest::addColumn<QColor>("start");
    QTest::addColumn<QColor>("end");
    QTest::addColumn<int>("box");

    QTest::newRow("起動時標準") << kStandardLine << "Size= (Base)" << "" << 4 << QColor(0, 128, 255)
                               << QColor(255, 128, 0) << int(Qt::Unchecked);
    QTest::newRow("アイテム") << kItemLine << "<!S><!E><BR>Size= 5" << "uib" << 4 << QColor(25, 25, 112)
                             << QColor(30, 144, 255) << int(Qt::Unchecked);
    QTest::newRow("markers, bold, valley from 7")
        << "谷,ON,ON,ON,OFF,OFF,ON, 1, 0, 7,OFF, 0,H,ON, 0, 1, 2, 3, 4, 5, 6" << "<!S><!E><BR>Size= 7" << "b" << 0
        << QColor(1, 2, 3) << QColor(4, 5, 6) << int(Qt::Unchecked);
    QTest::newRow("relative +3") << "相対,OFF,OFF,OFF,OFF,OFF,OFF, 2, 0, 3,OFF, 0,H,OFF, 0, 0, 0, 0, 0, 0, 0"
                                 << "Size=+3" << "" << 4 << QColor(0, 0, 0) << QColor(0, 0, 0) << int(Qt::Unchecked);
    QTest::newRow("relative -1, italic")
        << "小,OFF,OFF,OFF,OFF,ON,OFF, 2, 1, 1,OFF, 0,H,OFF, 0, 0, 0, 0, 0, 0, 0,1" << "Size=-1" << "i" << 4
        << QColor(0, 0, 0) << QColor(0, 0, 0) << int(Qt::Checked);
    QTest::newRow("start marker, underline, mountain")
        << "山,ON,OFF,OFF,ON,OFF,OFF, 1, 0, 3,OFF, 0,H,ON, 1, 0, 0, 0, 0, 0, 0" << "<!S>Size= 3" << "u" << 1
        << QColor(0, 0, 0) << QColor(0, 0, 0) << int(Qt::Unchecked);
    QTest::newRow("falling") << "落,OFF,OFF,OFF,OFF,OFF,OFF, 1, 0, 7,OFF, 0,H,ON, 2, 0, 0, 0, 0, 0, 0" << "Size= 7"
                             << "" << 2 << QColor(0, 0, 0) << QColor(0, 0, 0) << int(Qt::Unchecked);
    QTest::newRow("end marker, rising") << "昇,OFF,ON,OFF,OFF,OFF,OFF, 1, 0, 1,OFF, 0,H,ON, 3, 0, 0, 0, 0, 0, 0"
                                        << "<!E>Size= 1" << "" << 3 << QColor(0, 0, 0) << QColor(0, 0, 0)
                                        << int(Qt::Unchecked);
    QTest::newRow("wave with relative size shows no shape")
        << "相対波,OFF,OFF,OFF,OFF,OFF,OFF, 2, 0, 2,OFF, 0,H,ON, 1, 0, 0, 0, 0, 0, 0" << "Size=+2" << "" << 4
        << QColor(0, 0, 0) << QColor(0, 0, 0) << int(Qt::Unchecked);
    QTest::newRow("pattern 9 shows no shape")
        << "範囲外,OFF,OFF,OFF,OFF,OFF,OFF, 1, 0, 4,OFF, 0,H,ON, 9, 0, 0, 0, 0, 0, 0" << "Size= 4" << "" << 4
        << QColor(0, 0, 0) << QColor(0, 0, 0) << int(Qt::Unchecked);
    // A window colour is red + 256 green + 65536 blue: red 300 carries into green.
    QTest::newRow("colour beyond 255 carries") << "超過,OFF,OFF,OFF,OFF,OFF,OFF, 0, 0, 1,OFF, 0,H,OFF, 0, 300, 0, 0, 0, 0, 256"
                                               << "Size= (Base)" << "" << 4 << QColor(44, 1, 0) << QColor(0, 0, 0)
                                               << int(Qt::Unchecked);
    QTest::newRow("DevTag 2 greys the box") << "灰,OFF,OFF,OFF,OFF,OFF,OFF, 1, 0, 3,OFF, 0,H,OFF, 0, 0, 0, 0, 0, 0, 0,2"
                                            << "Size= 3" << "" << 4 << QColor(0, 0, 0) << QColor(0, 0, 0)
                                            << int(Qt::PartiallyChecked);
}

void ApplySettingTest::applying_a_line_shows_it() {
    QFETCH(QString, line);
    QFETCH(QString, summary);
    QFETCH(QString, styles);
    QFETCH(int, picture);
    QFETCH(QColor, start);
    QFETCH(QColor, end);
    QFETCH(int, box);
    // Entry 0 differs in every part of the preview, so each part must change.
    write_ini({QStringLiteral("前,OFF,OFF,OFF,ON,ON,ON, 1, 0, 2,OFF, 0,H,ON, 1, 9, 9, 9, 8, 8, 8,1"), line});
    RunningProgram program;
    app::frmMain& w = program.window();
    select_entry(w, 1);
    const Preview p = preview_of(w);
    QCOMPARE(p.summary, summary);
    QCOMPARE(p.underline, styles.contains('u'));
    QCOMPARE(p.italic, styles.contains('i'));
    QCOMPARE(p.bold, styles.contains('b'));
    QCOMPARE(p.picture, picture);
    QCOMPARE(p.start, start);
    QCOMPARE(p.end, end);
    QCOMPARE(int(p.box), box);
    QCOMPARE(p.converted, markup_of(QStringLiteral("ab"), line, box == Qt::Checked));
}

void ApplySettingTest::refused_line_changes_nothing_data() {
    QTest::addColumn<QString>("line");
    QTest::newRow("20 fields") << "短,OFF,OFF,OFF,OFF,OFF,OFF, 0, 0, 1,OFF, 0,H,OFF, 0, 0, 0, 0, 0, 0";
    QTest::newRow("size not a number") << "字,OFF,OFF,OFF,OFF,OFF,OFF, 1, 0, x,OFF, 0,H,OFF, 0, 0, 0, 0, 0, 0, 0";
    QTest::newRow("colour beyond 16 bits") << "大,OFF,OFF,OFF,OFF,OFF,OFF, 0, 0, 1,OFF, 0,H,OFF, 0, 40000, 0, 0, 0, 0, 0";
    QTest::newRow("empty line after the comma") << "空,";
}

void ApplySettingTest::refused_line_changes_nothing() {
    QFETCH(QString, line);
    write_ini({kStandardLine, kItemLine, line});
    RunningProgram program;
    app::frmMain& w = program.window();
    select_entry(w, 1);  // アイテム: styles, markers and colours all set
    const Preview before = preview_of(w);
    select_entry(w, 2);
    QCOMPARE(w.cmbUserSetting->currentIndex(), 2);
    const Preview after = preview_of(w);
    QCOMPARE(after.summary, before.summary);
    QVERIFY(after == before);
    QVERIFY(w.cmdExec->isEnabled());
}

namespace {

// How the file becomes `after`, and how the window comes to see it.
using Change = std::function<void(app::frmMain&, const QStringList& after)>;
void written(app::frmMain&, const QStringList& after) { write_ini(after); }
void own_file_made(app::frmMain&, const QStringList& after) { write_ini(after, user_configuration_file()); }
// The next entry (大きさ3) chosen at once: the list is filled again before it applies.
void then_next_chosen(app::frmMain& w, const QStringList& after) {
    write_ini(after);
    w.cmbUserSetting->setFocus();
    press(Qt::Key_Down);
    QCOMPARE(w.cmbUserSetting->count(), after.size());
}
// During a conversion the list stays, and the run keeps the setting it started with.
void during_a_conversion(app::frmMain& w, const QStringList& after) {
    const QStringList before = listed(w);
    QStringList during;
    during_next_serving([&] { write_ini(after); QTest::qWait(500); during = listed(w); });
    QCOMPARE(converted_ab(w), expected_ab(kItemLine));
    QCOMPARE(during, before);
}
const QString kItemChanged = QStringLiteral("アイテム,OFF,OFF,OFF,OFF,OFF,OFF, 2, 1, 2,OFF, 0,H,OFF, 0, 1, 2, 3, 4, 5, 6");
// Only アイテム's Gradient entry changes, its line the same: it gets its own colours
// with red between, which "abc" shows; then the entry goes again (the row checks that).
void stops_given(app::frmMain& w, const QStringList& after) {
    SettingRecord record = parse_setting_line(kItemLine.toStdU16String()).value();
    record.gradient = parse_gradient("oklch #191970@0 #FF0000@50 #1E90FF@100").value();
    write_ini(after);
    std::ofstream(ini_path(), std::ios::app) << "[Gradient]\r\n01=" << format_gradient(*record.gradient) << "\r\n";
    QTRY_COMPARE_WITH_TIMEOUT(convert_copied(w, "abc"), QString::fromStdU16String(gradient_markup(u"abc", record, false)), 10000);
    write_ini(after);
}

}  // namespace

// 起動時標準, アイテム, 大きさ3 listed, アイテム chosen; the file becomes `after`. The list
// follows, keeping the chosen entry by name, else choosing the first and saying so.
void ApplySettingTest::list_follows_the_file_data() {
    QTest::addColumn<QStringList>("after");
    QTest::addColumn<Change>("change");
    QTest::addColumn<int>("chosen");
    QTest::addColumn<QString>("applies");
    QTest::addColumn<bool>("reloaded");
    const Change seen = written, own = own_file_made, chose = then_next_chosen, converting = during_a_conversion;
    const QString &s = kStandardLine, &i = kItemLine, &z = kSizedLine, &i2 = kItemChanged;
    QTest::newRow("kept where it moved") << QStringList{z, s, i} << seen << 2 << i << false;
    QTest::newRow("kept, line changed") << QStringList{s, i2} << seen << 1 << i2 << false;
    QTest::newRow("kept, only its stops changed") << QStringList{s, i, z} << Change(stops_given) << 1 << i << false;
    QTest::newRow("gone: the first, said so") << QStringList{z, s} << seen << 0 << z << true;
    QTest::newRow("own file in a new folder") << QStringList{z, i} << own << 1 << i << false;
    QTest::newRow("chosen first") << QStringList{i, z} << chose << 1 << z << false;
    QTest::newRow("chosen first, gone") << QStringList{s, i} << chose << 0 << s << true;
    QTest::newRow("after a conversion") << QStringList{i2, s} << converting << 0 << i2 << false;
}

void ApplySettingTest::list_follows_the_file() {
    QFETCH(QStringList, after);
    QFETCH(Change, change);
    QFETCH(int, chosen);
    QFETCH(QString, applies);
    QFETCH(bool, reloaded);
    TempFolder config;  // the user's configuration folder, without a gradation folder yet
    const auto restore = qScopeGuard([before = qgetenv("XDG_CONFIG_HOME")] { qputenv("XDG_CONFIG_HOME", before); });
    qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(config.path().string()));
    write_ini({kStandardLine, kItemLine, kSizedLine});
    RunningProgram program;
    app::frmMain& w = program.window();
    select_entry(w, 1);
    change(w, after);
    QStringList names;
    for (const QString& line : after) names << line.section(QLatin1Char(','), 0, 0);
    QTRY_VERIFY_WITH_TIMEOUT(listed(w) == names && converted_ab(w) == expected_ab(applies), 10000);
    QCOMPARE(w.cmbUserSetting->currentIndex(), chosen);
    QCOMPARE(w.lblX->text() == QStringLiteral("設定を読み直しました"), reloaded);
}

void ApplySettingTest::choosing_the_applied_entry_again_changes_nothing() {
    write_ini({kItemLine, kStandardLine});
    RunningProgram program;
    app::frmMain& w = program.window();
    const Preview first = preview_of(w);
    w.cmbUserSetting->setFocus();
    press(Qt::Key_Home);  // already on the first entry: chosen again
    QCOMPARE(w.cmbUserSetting->currentIndex(), 0);
    QVERIFY(preview_of(w) == first);
}

void ApplySettingTest::check_box_follows_the_setting_and_the_user_data() {
    QTest::addColumn<int>("dev_tag");
    QTest::addColumn<int>("clicks");
    QTest::addColumn<int>("box");
    QTest::addColumn<bool>("separate");
    QTest::newRow("1 checks it") << 1 << 0 << int(Qt::Checked) << true;
    QTest::newRow("1, one click unchecks") << 1 << 1 << int(Qt::Unchecked) << false;
    QTest::newRow("1, two clicks check again") << 1 << 2 << int(Qt::Checked) << true;
    QTest::newRow("0, one click checks") << 0 << 1 << int(Qt::Checked) << true;
    QTest::newRow("2 greys it, counted unchecked") << 2 << 0 << int(Qt::PartiallyChecked) << false;
    QTest::newRow("2, a click checks it") << 2 << 1 << int(Qt::Checked) << true;
}

void ApplySettingTest::check_box_follows_the_setting_and_the_user() {
    QFETCH(int, dev_tag);
    QFETCH(int, clicks);
    QFETCH(int, box);
    QFETCH(bool, separate);
    const QString line = kSizedLine.left(kSizedLine.lastIndexOf(',') + 1) + QString::number(dev_tag);
    write_ini({kStandardLine, line});
    RunningProgram program;
    app::frmMain& w = program.window();
    select_entry(w, 1);
    for (int i = 0; i < clicks; ++i) QTest::mouseClick(w.chkDevTag, Qt::LeftButton);
    QCOMPARE(int(w.chkDevTag->checkState()), box);
    QCOMPARE(converted_ab(w), markup_of(QStringLiteral("ab"), kSizedLine, separate));
    // Applying a setting again sets the box from the setting.
    select_entry(w, 0);
    select_entry(w, 1);
    QCOMPARE(w.chkDevTag->checkState(), widgets::check_state_for(dev_tag));
}

void ApplySettingTest::pictures_follow_the_column_heights_data() {
    QTest::addColumn<int>("pattern");
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("height");  // 0: the column stays background
    QTest::newRow("valley, left border") << 0 << 0 << 0;
    QTest::newRow("valley, first column") << 0 << 1 << 23;
    QTest::newRow("valley, bottom of the valley") << 0 << 25 << 15;
    QTest::newRow("valley, right border") << 0 << 49 << 0;
    QTest::newRow("mountain, first column") << 1 << 1 << 14;
    QTest::newRow("mountain, summit") << 1 << 22 << 23;
    QTest::newRow("mountain, last column") << 1 << 48 << 14;
    QTest::newRow("falling, column 26") << 2 << 26 << 14;
    QTest::newRow("falling, last column") << 2 << 48 << 6;
    QTest::newRow("rising, first column") << 3 << 1 << 6;
    QTest::newRow("rising, last column") << 3 << 48 << 23;
    QTest::newRow("rising, right border") << 3 << 49 << 0;
}

void ApplySettingTest::pictures_follow_the_column_heights() {
    QFETCH(int, pattern);
    QFETCH(int, x);
    QFETCH(int, height);
    app::frmMain w;  // the design, before loading
    QLabel* image = w.imgX[static_cast<std::size_t>(pattern)];
    const QImage drawn = image->grab().toImage();
    QCOMPARE(drawn.size(), QSize(50, 25));
    for (int y = 0; y < 25; ++y) {
        const QColor expected = y >= 25 - height ? QColor(0x37, 0x37, 0x37) : QColor(0xAF, 0xAF, 0xAF);
        QCOMPARE(drawn.pixelColor(x, y), expected);
    }
    QVERIFY(w.imgX[4]->pixmap().isNull());
}

void ApplySettingTest::preview_strip_shows_the_name_in_its_markup_data() {
    QTest::addColumn<QString>("line");
    QTest::addColumn<bool>("separate");
    QTest::addColumn<QString>("gradient");  // the entry's Gradient line, if any
    QTest::newRow("one tag") << kStandardLine << false << QString();
    QTest::newRow("separate tags, markers") << QStringLiteral("分,ON,ON,OFF,OFF,OFF,ON, 1, 0, 4,OFF, 0,H,OFF, 0, 1, 2, 3, 4, 5, 6,1")
                                            << true << QString();
    QTest::newRow("three stops in oklch") << kStandardLine << false
                                          << QStringLiteral("oklch #0080FF@0 #FFFF00@35 #FF8000@100");
}

// Hovering any part of the preview strip shows the chosen entry's name in its own markup.
void ApplySettingTest::preview_strip_shows_the_name_in_its_markup() {
    QFETCH(QString, line);
    QFETCH(bool, separate);
    QFETCH(QString, gradient);
    write_ini({kItemLine, line});
    if (!gradient.isEmpty()) std::ofstream(ini_path(), std::ios::app) << "[Gradient]\r\n01=" << gradient.toStdString() << "\r\n";
    RunningProgram program;
    app::frmMain& w = program.window();
    select_entry(w, 1);
    const QString name = line.section(QLatin1Char(','), 0, 0);
    SettingRecord record = parse_setting_line(line.toStdU16String()).value();
    if (!gradient.isEmpty()) record.gradient = parse_gradient(gradient.toStdString()).value();
    const QString expected = QStringLiteral("<qt>") +
                             QString::fromStdU16String(gradient_markup(name.toStdU16String(), record, separate)) +
                             QStringLiteral("</qt>");
    for (QLabel* part : {w.lblX, w.lblPal[0], w.lblPal[1], w.imgX[0], w.imgX[4]}) QCOMPARE(part->toolTip(), expected);
}

QTEST_MAIN(ApplySettingTest)
#include "apply_setting_test.moc"
