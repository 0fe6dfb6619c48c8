// The settings editor in English (LANGUAGE=en): after each command, question and refusal
// a user can meet, every text it shows holds no Japanese but the setting names and the
// sample, and no caption is wider than its control. Its picture goes to the screenshots folder.
#include "support/interface_walk.h"
#include "support/setting_lines.h"
#include "support/temp_folder.h"

#include "platform/interface_language.h"
#include "settings_editor/gradient_bar.h"
#include "settings_editor/setting_form.h"
#include "settings_editor/setting_preview.h"
#include "settings_editor/settings_editor.h"
#include "widgets/limit_field.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTest>

#include <functional>

using namespace gradation;
using namespace gradation::settings_editor;
using EditorStep = std::function<void(SettingsEditor&, const std::filesystem::path& file)>;
Q_DECLARE_METATYPE(EditorStep)

namespace {

const std::string kLines = std::string("[UserSetting]\r\n00=") + test::lines::kStandard + "\r\n01=" + test::lines::kItem +
                           "\r\n03=" + test::lines::kSized + "\r\n04=x,ON\r\n";
const std::string kGradient = "[Gradient]\r\n00=oklch #0080FF@0 #FFFF00@35 #FF8000@100\r\n";

void edit_name(SettingsEditor& e) { e.form->name_edit->setText(QStringLiteral("renamed")); }

}  // namespace

class EditorEnglishInterfaceTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QCOMPARE(platform::install_interface_language(), QStringLiteral("en")); }
    void every_reachable_text_is_english_data();
    void every_reachable_text_is_english();
};

void EditorEnglishInterfaceTest::every_reachable_text_is_english_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<EditorStep>("step");
    QTest::addColumn<QString>("screenshot");
    using P = const std::filesystem::path&;
    const QByteArray lines = QByteArray::fromStdString(kLines + kGradient);
    const auto row = [&](const char* name, const QByteArray& content, EditorStep step, QString shot = {}) {
        QTest::newRow(name) << content << step << shot;
    };
    row("three stops shown", lines, [](SettingsEditor&, P) {}, QStringLiteral("gradation-settings-en"));
    row("added", lines, [](SettingsEditor& e, P) { e.add_entry(); });
    row("duplicated", lines, [](SettingsEditor& e, P) { e.duplicate_entry(); });
    row("deleted", lines, [](SettingsEditor& e, P) { e.delete_entry(); });
    row("saved", lines, [](SettingsEditor& e, P) { edit_name(e), e.save(); });
    row("save refused", lines, [](SettingsEditor& e, P file) {
        edit_name(e), std::filesystem::permissions(file, std::filesystem::perms::owner_read), e.save();
    });
    row("changed on disk", lines, [](SettingsEditor& e, P file) {
        edit_name(e), test::write_bytes(file, kLines), e.save();
    });
    row("reload asked", lines, [](SettingsEditor& e, P) { edit_name(e), e.reload(); });
    row("close asked", lines, [](SettingsEditor& e, P) { edit_name(e), e.close(); });
    row("edit refused", lines, [](SettingsEditor& e, P) { e.form->name_edit->setText(QStringLiteral(" x")), e.add_entry(); });
    row("stale gradient", QByteArray::fromStdString(kLines + "[Gradient]\r\n00=oklab #FF0000@0 #000000@100\r\n"),
        [](SettingsEditor&, P) {});
    row("unreadable gradient", QByteArray::fromStdString(kLines + "[Gradient]\r\n00=oklab red\r\n"),
        [](SettingsEditor&, P) {});
    row("preview without a sample", lines, [](SettingsEditor& e, P) { e.preview->sample->setText(QString()); });
    for (const int limit : {40, 10}) {  // fitted by merging, and too long
        row(limit == 40 ? "game dialect, fitted" : "game dialect, too long", lines, [limit](SettingsEditor& e, P) {
            e.preview->dialect->setCurrentIndex(static_cast<int>(Dialect::Minecraft));
            e.preview->limit->set_limit(LengthLimit{static_cast<std::size_t>(limit), LengthUnit::Utf8Bytes});
            e.preview->sample->selectAll(), QTest::keyClicks(e.preview->sample, QStringLiteral("a & b"));
        });
    }
    row("unusable file", QByteArray("\xFF\xFE[\0U\0", 6), [](SettingsEditor&, P) {});
}

void EditorEnglishInterfaceTest::every_reachable_text_is_english() {
    QFETCH(QByteArray, content);
    QFETCH(EditorStep, step);
    QFETCH(QString, screenshot);
    test::TempFolder folder;
    const std::filesystem::path file = folder / "QX.ini";
    test::write_bytes(file, content.toStdString());
    SettingsEditor editor;
    QStringList texts;
    editor.ask = [&texts](const QString& question, QMessageBox::StandardButtons) {
        texts << question;
        return QMessageBox::Cancel;
    };
    editor.open(file, {});
    editor.show();
    QStringList allowed{editor.preview->sample->text()};
    for (const char* line : {test::lines::kStandard, test::lines::kItem, test::lines::kSized})
        allowed << QString::fromUtf8(line).section(u',', 0, 0);
    step(editor, file);
    const QString found = test::not_english(editor, texts, allowed);
    QVERIFY2(found.isEmpty(), qPrintable(found));
    if (!screenshot.isEmpty()) test::save_screenshot(editor, screenshot);
}

QTEST_MAIN(EditorEnglishInterfaceTest)
#include "editor_english_interface_test.moc"
