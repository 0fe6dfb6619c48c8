// Each field of the settings editor, edited through its control: the preview shows the
// generator's exact markup for the edited setting, and the store holds the edited line.
#include "support/setting_lines.h"
#include "support/temp_folder.h"

#include "widgets/check_box_value.h"
#include "core/settings_file/gradient_entries.h"
#include "core/markup/gradient_markup.h"
#include "core/setting_line/setting_record.h"
#include "settings_editor/colour_field.h"
#include "settings_editor/dialect_display.h"
#include "settings_editor/gradient_bar.h"
#include "widgets/limit_field.h"
#include "settings_editor/setting_form.h"
#include "settings_editor/setting_preview.h"
#include "settings_editor/settings_editor.h"

#include <QCheckBox>
#include <QClipboard>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QTextBrowser>

#include <functional>

using namespace gradation;
using namespace gradation::settings_editor;

namespace {

const QString kStandard = QString::fromUtf8(test::lines::kStandard);
const QString kSized = QStringLiteral("大きさ,OFF,OFF,OFF,OFF,OFF,OFF, 1, 0, 4,OFF, 0,H,OFF, 0, 0, 128, 255, 255, 128, 0");
const QString kOdd = QStringLiteral("範囲外,OFF,OFF,OFF,OFF,OFF,OFF, 5, 0, 3,OFF, 0,x,OFF, 0, 300, -1, 255, 255, 128, 0,2");

// Types `text` over the field's text: Latin letters as keys, other text as an input
// method commits it (Japanese and emoji arrive that way).
void type_into(QLineEdit* field, const QString& text) {
    field->setFocus();
    field->selectAll();
    bool latin = true;
    for (QChar c : text) latin = latin && c.unicode() < 0x80;
    if (latin) {
        QTest::keyClicks(field, text);
        return;
    }
    QInputMethodEvent commit;
    commit.setCommitString(text);
    QCoreApplication::sendEvent(field, &commit);
}

struct Edit {
    const char* row;
    QString line;                             // the entry as the file has it
    std::function<void(SettingsEditor&)> edit;
    QString expected;                         // the entry as the edit should leave it
    QString sample;                           // the sample the preview converts
    std::string stored = {};                  // the file's Gradient entry of the setting, if any
    std::string gradient = {};                // the entry the edit should leave, if any
};

const std::string kThree = "oklch #0080FF@0 #FFFF00@35 #FF8000@100";
const QString kBlue = QStringLiteral("青,OFF,OFF,OFF,OFF,OFF,OFF, 0, 0, 1,OFF, 0,H,OFF, 0, 0, 128, 255, 0, 128, 255,0");

const std::vector<Edit>& edits() {
    static const std::vector<Edit> table = {
        {"start colour typed", kStandard, [](SettingsEditor& e) { type_into(e.form->start_colour->text, "#ff0000"); },
         "起動時標準,OFF,OFF,OFF,OFF,OFF,OFF, 0, 0, 1,OFF, 0,H,OFF, 0, 255, 0, 0, 255, 128, 0,0", "起動時標準"},
        {"end colour picked", kStandard, [](SettingsEditor& e) { e.form->end_colour->set_colour({1, 2, 3}); },
         "起動時標準,OFF,OFF,OFF,OFF,OFF,OFF, 0, 0, 1,OFF, 0,H,OFF, 0, 0, 128, 255, 1, 2, 3,0", "起動時標準"},
        {"underline italic bold", kStandard,
         [](SettingsEditor& e) { e.form->underline->click(), e.form->italic->click(), e.form->bold->click(); },
         "起動時標準,OFF,OFF,OFF,ON,ON,ON, 0, 0, 1,OFF, 0,H,OFF, 0, 0, 128, 255, 255, 128, 0,0", "起動時標準"},
        {"absolute size 5", kStandard,
         [](SettingsEditor& e) { e.form->size_mode->setCurrentIndex(1), e.form->size_value->setValue(5); },
         "起動時標準,OFF,OFF,OFF,OFF,OFF,OFF, 1, 0, 5,OFF, 0,H,OFF, 0, 0, 128, 255, 255, 128, 0,0", "起動時標準"},
        {"relative -2", kStandard,
         [](SettingsEditor& e) {
             e.form->size_mode->setCurrentIndex(2), e.form->size_sign->setCurrentIndex(1), e.form->size_value->setValue(2);
         },
         "起動時標準,OFF,OFF,OFF,OFF,OFF,OFF, 2, 1, 2,OFF, 0,H,OFF, 0, 0, 128, 255, 255, 128, 0,0", "起動時標準"},
        {"falling wave", kSized, [](SettingsEditor& e) { e.form->size_wave->click(), e.form->wave_pattern->setCurrentIndex(2); },
         "大きさ,OFF,OFF,OFF,OFF,OFF,OFF, 1, 0, 4,OFF, 0,H,ON, 2, 0, 128, 255, 255, 128, 0,0", "大きさ"},
        {"table, border 2, vertical", kStandard,
         [](SettingsEditor& e) { e.form->table_wrap->click(), e.form->table_border->setValue(2), e.form->vertical->click(); },
         "起動時標準,OFF,OFF,OFF,OFF,OFF,OFF, 0, 0, 1,ON, 2,V,OFF, 0, 0, 128, 255, 255, 128, 0,0", "起動時標準"},
        {"markers and <BR>", kStandard,
         [](SettingsEditor& e) { e.form->start_mark->click(), e.form->end_mark->click(), e.form->break_after->click(); },
         "起動時標準,ON,ON,ON,OFF,OFF,OFF, 0, 0, 1,OFF, 0,H,OFF, 0, 0, 128, 255, 255, 128, 0,0", "起動時標準"},
        {"separate tags", kSized, [](SettingsEditor& e) { e.form->separate_tags->click(); },
         "大きさ,OFF,OFF,OFF,OFF,OFF,OFF, 1, 0, 4,OFF, 0,H,OFF, 0, 0, 128, 255, 255, 128, 0,1", "大きさ"},
        {"name, followed by the sample", kStandard, [](SettingsEditor& e) { type_into(e.form->name_edit, "虹"); },
         "虹,OFF,OFF,OFF,OFF,OFF,OFF, 0, 0, 1,OFF, 0,H,OFF, 0, 0, 128, 255, 255, 128, 0,0", "虹"},
        {"sample with an emoji", kSized, [](SettingsEditor& e) { type_into(e.preview->sample, "a😀b"); }, kSized,
         "a😀b"},
        // Values no control offers stay as the file has them when another field changes.
        {"odd values kept", kOdd, [](SettingsEditor& e) { e.form->bold->click(); },
         "範囲外,OFF,OFF,OFF,OFF,OFF,ON, 5, 0, 3,OFF, 0,x,OFF, 0, 300,-1, 255, 255, 128, 0,2", "範囲外"},
        // One colour throughout, so a stop added anywhere takes that colour.
        {"stop added by a click", kBlue,
         [](SettingsEditor& e) {
             QTest::mouseClick(e.form->gradient_bar, Qt::LeftButton, {}, QPoint(e.form->gradient_bar->width() / 2, 4));
         },
         kBlue, "青", "", "srgb #0080FF@0 #0080FF@50 #0080FF@100"},
        {"stop moved by its spin box", kStandard,
         [](SettingsEditor& e) { e.form->gradient_bar->select(1), e.form->stop_position->setValue(60); }, kStandard,
         "起動時標準", kThree, "oklch #0080FF@0 #FFFF00@60 #FF8000@100"},
        {"stop removed, space kept", kStandard,
         [](SettingsEditor& e) { e.form->gradient_bar->select(1), QTest::keyClick(e.form->gradient_bar, Qt::Key_Delete); },
         kStandard, "起動時標準", kThree, "oklch #0080FF@0 #FF8000@100"},
        {"longer hue", kStandard, [](SettingsEditor& e) { e.form->space->setCurrentIndex(4); }, kStandard, "起動時標準",
         kThree, "oklch-longer #0080FF@0 #FFFF00@35 #FF8000@100"},
        {"start colour moves the first stop", kStandard,
         [](SettingsEditor& e) { type_into(e.form->start_colour->text, "#ff0000"); },
         "起動時標準,OFF,OFF,OFF,OFF,OFF,OFF, 0, 0, 1,OFF, 0,H,OFF, 0, 255, 0, 0, 255, 128, 0,0", "起動時標準", kThree,
         "oklch #FF0000@0 #FFFF00@35 #FF8000@100"},
        {"end stop's colour moves the end colour", kStandard,
         [](SettingsEditor& e) { e.form->gradient_bar->select(2), e.form->gradient_bar->set_selected_colour({1, 2, 3}); },
         "起動時標準,OFF,OFF,OFF,OFF,OFF,OFF, 0, 0, 1,OFF, 0,H,OFF, 0, 0, 128, 255, 1, 2, 3,0", "起動時標準", kThree,
         "oklch #0080FF@0 #FFFF00@35 #010203@100"},
    };
    return table;
}

SettingRecord parsed(const QString& line) { return parse_setting_line(line.toStdU16String()).value(); }

}  // namespace

class EditorPreviewTest : public QObject {
    Q_OBJECT

private slots:
    void editing_a_field_updates_the_preview_data();
    void editing_a_field_updates_the_preview();
    void colour_text_data();
    void colour_text();
    void gradient_bar_keeps_its_stops_sound_data();
    void gradient_bar_keeps_its_stops_sound();
    void display_of_each_dialect_data();
    void display_of_each_dialect();
    void length_line_reads_against_the_limit_data();
    void length_line_reads_against_the_limit();
};

void EditorPreviewTest::editing_a_field_updates_the_preview_data() {
    QTest::addColumn<int>("index");
    for (std::size_t i = 0; i < edits().size(); ++i) QTest::newRow(edits()[i].row) << static_cast<int>(i);
}

void EditorPreviewTest::editing_a_field_updates_the_preview() {
    QFETCH(int, index);
    const Edit& row = edits()[static_cast<std::size_t>(index)];
    test::TempFolder folder;
    const std::string entry = row.stored.empty() ? "" : "[Gradient]\r\n00=" + row.stored + "\r\n";
    test::write_bytes(folder / "QX.ini", ("[UserSetting]\r\n00=" + row.line + "\r\n").toStdString() + entry);
    SettingsEditor editor;
    QVERIFY(editor.open(folder / "QX.ini", folder / "QX.ini"));
    editor.show();
    QCOMPARE(editor.current_entry(), 0);

    row.edit(editor);

    SettingRecord expected = parsed(row.expected);
    if (!row.gradient.empty()) expected.gradient = parse_gradient(row.gradient).value();
    QCOMPARE(read_gradient_entry(editor.store()->content(), 0, expected).gradient, expected.gradient);
    QCOMPARE(editor.preview->sample->text(), row.sample);
    const QString markup = QString::fromStdU16String(
        gradient_markup(row.sample.toStdU16String(), expected, expected.DevTag == 1));
    QCOMPARE(editor.preview->markup(), markup);
    if (expected.gradient && expected.gradient->space != GradientSpace::Srgb)
        QVERIFY(markup != QString::fromStdU16String(gradient_markup(row.sample.toStdU16String(), parsed(row.expected), false)));
    // The source view shows each CR LF as one line end; the copy button copies it whole.
    QCOMPARE(editor.preview->source->toPlainText(), QString(markup).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    editor.preview->copy->click();
    QCOMPARE(QGuiApplication::clipboard()->text(), markup);
    QCOMPARE(editor.preview->lengths->text(), length_text(markup));
    QCOMPARE(QString::fromStdU16String(editor.store()->entries().at(0)), row.expected);
    QCOMPARE(editor.has_unsaved_changes(), row.expected != row.line || row.gradient != row.stored);
}

void EditorPreviewTest::colour_text_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("reads");
    QTest::addColumn<int>("r");
    QTest::addColumn<int>("g");
    QTest::addColumn<int>("b");
    QTest::addColumn<QString>("shown");  // the field's text once it is left

    QTest::newRow("#RRGGBB") << "#00ff80" << true << 0 << 255 << 128 << "#00FF80";
    QTest::newRow("no #") << "FF8000" << true << 255 << 128 << 0 << "#FF8000";
    QTest::newRow("components") << "10, 20, 30" << true << 10 << 20 << 30 << "#0A141E";
    QTest::newRow("outside 0..255") << "300,-1,5" << true << 300 << -1 << 5 << "300, -1, 5";
    QTest::newRow("five digits") << "#12345" << false << 0 << 128 << 255 << "#0080FF";
    QTest::newRow("past 16 bits") << "40000,0,0" << false << 0 << 128 << 255 << "#0080FF";
    QTest::newRow("a word") << "red" << false << 0 << 128 << 255 << "#0080FF";
}

void EditorPreviewTest::colour_text() {
    QFETCH(QString, typed);
    QFETCH(bool, reads);
    QFETCH(int, r);
    QFETCH(int, g);
    QFETCH(int, b);
    QFETCH(QString, shown);
    QCOMPARE(read_colour_text(typed).has_value(), reads);

    ColourField field(QStringLiteral("色"));
    field.show_colour({0, 128, 255});
    int changes = 0;
    field.on_changed = [&] { ++changes; };
    field.show();
    type_into(field.text, typed);
    QTest::keyClick(field.text, Qt::Key_Return);
    QCOMPARE(field.colour(), (Colour{r, g, b}));
    QCOMPARE(changes > 0, reads);
    QCOMPARE(field.text->text(), shown);
    QCOMPARE(field.out_of_range->isVisibleTo(&field), r > 255 || g < 0);
}

using BarEdit = std::function<bool(GradientBar&)>;
Q_DECLARE_METATYPE(BarEdit)

void EditorPreviewTest::gradient_bar_keeps_its_stops_sound_data() {
    QTest::addColumn<QString>("before");  // with the stop at index 1 selected
    QTest::addColumn<BarEdit>("edit");
    QTest::addColumn<bool>("done");
    QTest::addColumn<QString>("after");
    QTest::addColumn<int>("selected");
    const QString four = QStringLiteral("srgb #000000@0 #404040@30 #404040@60 #FFFFFF@100");
    QString full = QStringLiteral("oklab");
    for (int i = 0; i < 15; ++i) full += QStringLiteral(" #000000@%1").arg(i * 6);
    full += QStringLiteral(" #000000@100");
    const auto key = [](Qt::Key k) { return [k](GradientBar& b) { QTest::keyClick(&b, k); return true; }; };
    QTest::newRow("moved no further than its neighbour") << four << BarEdit([](GradientBar& b) { return b.move_selected(80); })
                                                         << true << "srgb #000000@0 #404040@60 #404040@60 #FFFFFF@100" << 1;
    QTest::newRow("an end stop stays") << four << BarEdit([](GradientBar& b) { b.select(0); return b.move_selected(5); })
                                       << false << four << 0;
    QTest::newRow("an end stop is never removed") << four << BarEdit([](GradientBar& b) { b.select(3); return b.remove_selected(); })
                                                  << false << four << 3;
    QTest::newRow("Delete removes a middle stop") << four << BarEdit(key(Qt::Key_Delete)) << true
                                                  << "srgb #000000@0 #404040@60 #FFFFFF@100" << 0;
    QTest::newRow("Insert adds halfway to the next") << four << BarEdit(key(Qt::Key_Insert)) << true
                                                     << "srgb #000000@0 #404040@30 #404040@45 #404040@60 #FFFFFF@100" << 2;
    QTest::newRow("Right selects the next") << four << BarEdit(key(Qt::Key_Right)) << true << four << 2;
    QTest::newRow("no seventeenth stop") << full << BarEdit([](GradientBar& b) { return b.add_stop_at(95); }) << false << full << 1;
}

void EditorPreviewTest::gradient_bar_keeps_its_stops_sound() {
    QFETCH(QString, before);
    QFETCH(BarEdit, edit);
    QFETCH(bool, done);
    QFETCH(QString, after);
    QFETCH(int, selected);
    GradientBar bar;
    bar.show_gradient(parse_gradient(before.toStdString()).value());
    bar.select(1);
    QCOMPARE(edit(bar), done);
    QCOMPARE(QString::fromStdString(format_gradient(bar.gradient())), after);
    QCOMPARE(bar.selected(), selected);
}

void EditorPreviewTest::display_of_each_dialect_data() {
    QTest::addColumn<int>("dialect");
    QTest::addColumn<QString>("markup");
    QTest::addColumn<QString>("shown");  // a piece of the rendered view's rich text
    const QString bold_a = QStringLiteral("<span style=\"color:#0080aa;font-weight:bold\">a </span>");
    QTest::newRow("html as it is") << int(Dialect::Html) << "<B>a</B>" << "<B>a</B>";
    QTest::newRow("bbcode as a forum's html")
        << int(Dialect::Bbcode) << "[b][color=#0080aa]a<[/color][/b]" << "<b><font color=\"#0080aa\">a&lt;</font></b>";
    QTest::newRow("minecraft") << int(Dialect::Minecraft) << "&#0080aa&la &#aa8000b" << bold_a + "<span style=\"color:#aa8000\">b";
    QTest::newRow("minecraft-section") << int(Dialect::MinecraftSection) << "§x§0§0§8§0§a§a§la " << bold_a;
    QTest::newRow("minimessage, escaped <") << int(Dialect::MiniMessage) << "<b><#0080aa>a \\<</b>"
                                            << "<span style=\"color:#0080aa;font-weight:bold\">a &lt;</span>";
    QTest::newRow("minecraft-json") << int(Dialect::MinecraftJson)
                                    << "[{\"text\":\"a \",\"color\":\"#0080aa\",\"bold\":true}]" << bold_a;
    QTest::newRow("ansi") << int(Dialect::Ansi) << "\x1b[1m\x1b[38;2;0;128;170ma \x1b[0m" << bold_a;
    QTest::newRow("ansi-256, the cube") << int(Dialect::Ansi256) << "\x1b[38;5;31ma\x1b[0m" << "color:#0087af\">a<";
    QTest::newRow("ansi-256, the greys") << int(Dialect::Ansi256) << "\x1b[38;5;244ma" << "color:#808080\">a<";
}

// HTML and BBCode as a page shows them; the game and terminal dialects on a dark background.
void EditorPreviewTest::display_of_each_dialect() {
    QFETCH(int, dialect);
    QFETCH(QString, markup);
    QFETCH(QString, shown);
    const QString html = display_html(static_cast<Dialect>(dialect), markup);
    QVERIFY2(html.contains(shown), qPrintable(html));
    QCOMPARE(html.contains(QStringLiteral("bgcolor=\"#1e1e1e\"")), dialect > int(Dialect::Bbcode));
}

void EditorPreviewTest::length_line_reads_against_the_limit_data() {
    QTest::addColumn<QString>("line");
    QTest::addColumn<int>("dialect");
    QTest::addColumn<int>("unit");  // 0 none, 1 UTF-16 units, 2 UTF-8 bytes
    QTest::addColumn<int>("limit");
    QTest::addColumn<QString>("lengths");
    const QString ab = QStringLiteral("ab,OFF,OFF,OFF,OFF,OFF,OFF, 0, 0, 1,OFF, 0,H,OFF, 0, 0, 128, 255, 255, 128, 0,0");
    const QString marked = QStringLiteral("ab,ON,ON,OFF,OFF,OFF,OFF, 0, 0, 1,OFF, 0,H,OFF, 0, 0, 128, 255, 255, 128, 0,0");
    const QString amp = QStringLiteral("&ab,OFF,OFF,OFF,OFF,OFF,OFF, 0, 0, 1,OFF, 0,H,OFF, 0, 0, 128, 255, 255, 128, 0,0");
    QTest::newRow("minecraft within 256") << ab << int(Dialect::Minecraft) << 1 << 256
                                          << "長さ 18 / 256 (まとめ, 空白は色なし)";
    QTest::newRow("bytes") << ab << int(Dialect::Minecraft) << 2 << 300 << "長さ 18 / 300 バイト (まとめ, 空白は色なし)";
    QTest::newRow("cannot fit") << ab << int(Dialect::Html) << 1 << 10 << "上限 10 に収まりません: 最短でも 33";
    QTest::newRow("bbcode leaves the markers out") << marked << int(Dialect::Bbcode) << 0 << 0
                                                   << "48 文字 / 48 バイト (UTF-8)\nこの形式では省きます: 開始マーカー, 終了マーカー";
    QTest::newRow("& in the text") << amp << int(Dialect::Minecraft) << 0 << 0
                                   << "27 文字 / 27 バイト (UTF-8)\n注意: 文字列の & (1 個) はプラグインのコード記号で、この形式ではエスケープできません";
}

void EditorPreviewTest::length_line_reads_against_the_limit() {
    QFETCH(QString, line);
    QFETCH(int, dialect);
    QFETCH(int, unit);
    QFETCH(int, limit);
    QFETCH(QString, lengths);
    test::TempFolder folder;
    test::write_bytes(folder / "QX.ini", ("[UserSetting]\r\n00=" + line + "\r\n").toStdString());
    SettingsEditor editor;
    QVERIFY(editor.open(folder / "QX.ini", folder / "QX.ini"));
    editor.preview->dialect->setCurrentIndex(dialect);
    editor.preview->limit->length->setValue(limit > 0 ? limit : 1);
    editor.preview->limit->unit->setCurrentIndex(unit);
    QCOMPARE(editor.preview->lengths->text(), lengths);
    const bool fits = !lengths.startsWith(QStringLiteral("上限"));
    QCOMPARE(editor.preview->copy->isEnabled(), fits);
    QCOMPARE(editor.preview->source->toPlainText().isEmpty(), !fits);
}

QTEST_MAIN(EditorPreviewTest)
#include "editor_preview_test.moc"
