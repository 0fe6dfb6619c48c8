// Each field of the settings editor, edited through its control: the preview shows the
// generator's exact markup for the edited setting, and the store holds the edited line.
#include "support/temp_folder.h"

#include "widgets/check_box_value.h"
#include "core/gradient_markup.h"
#include "core/setting_record.h"
#include "settings_editor/colour_field.h"
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

const QString kStandard =
    QStringLiteral("起動時標準,OFF,OFF,OFF,OFF,OFF,OFF, 0, 0, 1,OFF, 0,H,OFF, 0, 0, 128, 255, 255, 128, 0,0");
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
};

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
};

void EditorPreviewTest::editing_a_field_updates_the_preview_data() {
    QTest::addColumn<int>("index");
    for (std::size_t i = 0; i < edits().size(); ++i) QTest::newRow(edits()[i].row) << static_cast<int>(i);
}

void EditorPreviewTest::editing_a_field_updates_the_preview() {
    QFETCH(int, index);
    const Edit& row = edits()[static_cast<std::size_t>(index)];
    test::TempFolder folder;
    test::write_bytes(folder / "QX.ini", ("[UserSetting]\r\n00=" + row.line + "\r\n").toStdString());
    SettingsEditor editor;
    QVERIFY(editor.open(folder / "QX.ini", folder / "QX.ini"));
    editor.show();
    QCOMPARE(editor.current_entry(), 0);

    row.edit(editor);

    const SettingRecord expected = parsed(row.expected);
    QCOMPARE(editor.preview->sample->text(), row.sample);
    const QString markup = QString::fromStdU16String(
        gradient_markup(row.sample.toStdU16String(), expected, expected.DevTag == 1));
    QCOMPARE(editor.preview->markup(), markup);
    // The source view shows each CR LF as one line end; the copy button copies it whole.
    QCOMPARE(editor.preview->source->toPlainText(), QString(markup).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    editor.preview->copy->click();
    QCOMPARE(QGuiApplication::clipboard()->text(), markup);
    QCOMPARE(editor.preview->lengths->text(), length_text(markup));
    QCOMPARE(QString::fromStdU16String(editor.store()->entries().at(0)), row.expected);
    QCOMPARE(editor.has_unsaved_changes(), row.expected != row.line);
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
    QCOMPARE(field.colour(), (Rgb{static_cast<std::int16_t>(r), static_cast<std::int16_t>(g), static_cast<std::int16_t>(b)}));
    QCOMPARE(changes > 0, reads);
    QCOMPARE(field.text->text(), shown);
    QCOMPARE(field.out_of_range->isVisibleTo(&field), r > 255 || g < 0);
}

QTEST_MAIN(EditorPreviewTest)
#include "editor_preview_test.moc"
