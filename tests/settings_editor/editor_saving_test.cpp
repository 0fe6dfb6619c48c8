// The settings editor and its file: the bytes a save writes, saves that are refused
// (the edits stay), closing with unsaved changes, lines the main window will not list,
// and the command line.
#include "support/setting_lines.h"
#include "support/temp_folder.h"

#include "settings_editor/colour_field.h"
#include "settings_editor/gradient_bar.h"
#include "settings_editor/editor_command_line.h"
#include "settings_editor/setting_form.h"
#include "settings_editor/settings_editor.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>

using namespace gradation;
using namespace gradation::settings_editor;
using test::read_bytes;
using test::write_bytes;

namespace {

const std::string kA = std::string("A") + test::lines::kStandardTail;
const std::string kB = "B,OFF,OFF,OFF,OFF,OFF,OFF, 1, 0, 3,OFF, 0,H,OFF, 0, 1, 2, 3, 4, 5, 6";
const std::string kC = "C,ON,OFF,OFF,OFF,OFF,OFF, 0, 0, 1,OFF, 0,H,OFF, 0, 9, 9, 9, 9, 9, 9,1";
// The same lines as the editor writes them once changed.
const std::string kBRed = "B,OFF,OFF,OFF,OFF,OFF,OFF, 1, 0, 3,OFF, 0,H,OFF, 0, 255, 0, 0, 4, 5, 6,0";
const std::string kNew = std::string("新しい設定") + test::lines::kStandardTail;
// "テスト" in Windows-31J; the file is then no UTF-8, and new lines are written in Windows-31J too.
const std::string kSjisName = "\x83\x65\x83\x58\x83\x67";
// kA's colours with a yellow stop between; and an entry whose first stop the line no longer has.
const std::string kThreeStops = "[Gradient]\r\n00=oklch #0080FF@0 #FFFF00@35 #FF8000@100\r\n";
const std::string kStale = "[UserSetting]\r\n00=" + kA + "\r\n[Gradient]\r\n00=oklab #FF0000@0 #00FF00@20 #FF8000@100\r\n";

// Presses one of the stale entry's buttons, which only a stale entry shows.
std::function<void(SettingsEditor&)> on_stale(QPushButton* SettingsEditor::*button) {
    return [button](SettingsEditor& e) {
        QVERIFY(e.stale_notice->isVisibleTo(&e));
        (e.*button)->click();
        QVERIFY(!e.stale_notice->isVisibleTo(&e));
    };
}

struct Save {
    const char* row;
    std::string before;
    std::function<void(SettingsEditor&)> edit;
    std::string after;
};

const std::vector<Save>& saves() {
    static const std::vector<Save> table = {
        {"colour of entry 1, CR LF, other lines kept",
         "; mine\r\n[UserSetting]\r\n00=" + kA + "\r\n01 = " + kB + "  \r\n\r\n[Other]\r\n01=x\r\n",
         [](SettingsEditor& e) { e.entry_list->setCurrentRow(1), e.form->start_colour->set_colour({255, 0, 0}); },
         "; mine\r\n[UserSetting]\r\n00=" + kA + "\r\n01 = " + kBRed + "\r\n\r\n[Other]\r\n01=x\r\n"},
        {"added after the last entry, LF", "[UserSetting]\n00=" + kA + "\n; end\n",
         [](SettingsEditor& e) { e.add_entry(); }, "[UserSetting]\n00=" + kA + "\n01=" + kNew + "\n; end\n"},
        {"deleted: later keys move up", "[UserSetting]\r\n00=" + kA + "\r\n01=" + kB + "\r\n02=" + kC + "\r\n",
         [](SettingsEditor& e) { e.delete_entry(); }, "[UserSetting]\r\n00=" + kB + "\r\n01=" + kC + "\r\n"},
        {"moved down", "[UserSetting]\r\n00=" + kA + "\r\n01=" + kB + "\r\n",
         [](SettingsEditor& e) { e.move_entry(+1); }, "[UserSetting]\r\n00=" + kB + "\r\n01=" + kA + "\r\n"},
        {"duplicated", "[UserSetting]\r\n00=" + kA + "\r\n", [](SettingsEditor& e) { e.duplicate_entry(); },
         "[UserSetting]\r\n00=" + kA + "\r\n01=" + kA + "\r\n"},
        {"Windows-31J name kept in Windows-31J", "[UserSetting]\r\n00=" + kSjisName + kA.substr(1) + "\r\n",
         [](SettingsEditor& e) { e.form->bold->click(); },
         "[UserSetting]\r\n00=" + kSjisName + "," + "OFF,OFF,OFF,OFF,OFF,ON" + kA.substr(25) + "\r\n"},
        {"three stops in oklch: a Gradient entry", "[UserSetting]\r\n00=" + kA + "\r\n",
         [](SettingsEditor& e) {
             e.form->gradient_bar->add_stop_at(35), e.form->gradient_bar->set_selected_colour({255, 255, 0});
             e.form->space->setCurrentIndex(3);
         },
         "[UserSetting]\r\n00=" + kA + "\r\n" + kThreeStops},
        {"back to two srgb stops: no entry", "[UserSetting]\r\n00=" + kA + "\r\n" + kThreeStops,
         [](SettingsEditor& e) {
             e.form->gradient_bar->select(1), QTest::keyClick(e.form->gradient_bar, Qt::Key_Delete);
             e.form->space->setCurrentIndex(0);
         },
         "[UserSetting]\r\n00=" + kA + "\r\n[Gradient]\r\n"},
        {"duplicated with its stops", "[UserSetting]\r\n00=" + kA + "\r\n" + kThreeStops,
         [](SettingsEditor& e) { e.duplicate_entry(); },
         "[UserSetting]\r\n00=" + kA + "\r\n01=" + kA + "\r\n" + kThreeStops + "01=" + kThreeStops.substr(15)},
        {"stale entry dropped", kStale, on_stale(&SettingsEditor::drop_gradient_button),
         "[UserSetting]\r\n00=" + kA + "\r\n[Gradient]\r\n"},
        {"unreadable entry, shown first, dropped", "[UserSetting]\r\n00=" + kA + "\r\n[Gradient]\r\n00=oklab red\r\n",
         on_stale(&SettingsEditor::drop_gradient_button), "[UserSetting]\r\n00=" + kA + "\r\n[Gradient]\r\n"},
        {"stale entry repaired with the line's colours", kStale, on_stale(&SettingsEditor::repair_gradient_button),
         "[UserSetting]\r\n00=" + kA + "\r\n[Gradient]\r\n00=oklab #0080FF@0 #00FF00@20 #FF8000@100\r\n"},
    };
    return table;
}

// The real question, answered with Enter.
constexpr QMessageBox::StandardButton kEnter = QMessageBox::NoButton;

// The editor on `file`, its questions answered with `answer` and counted.
struct Editing {
    SettingsEditor editor;
    int questions = 0;
    QString last_question;

    Editing(const std::filesystem::path& file, const std::filesystem::path& seed,
            QMessageBox::StandardButton answer = QMessageBox::Cancel) {
        editor.ask = [this, answer, real = editor.ask](const QString& question, QMessageBox::StandardButtons buttons) {
            ++questions;
            last_question = question;
            if (answer != kEnter) return answer;
            QTimer::singleShot(0, [] { QTest::keyClick(QApplication::activeModalWidget(), Qt::Key_Return); });
            return real(question, buttons);
        };
        editor.open(file, seed);
        editor.show();
    }
};

}  // namespace

class EditorSavingTest : public QObject {
    Q_OBJECT

private slots:
    void saving_writes_the_expected_bytes_data();
    void saving_writes_the_expected_bytes();
    void first_save_copies_the_seed();
    void refused_save_keeps_the_edits_data();
    void refused_save_keeps_the_edits();
    void outside_change_reload_or_overwrite_data();
    void outside_change_reload_or_overwrite();
    void closing_with_unsaved_changes_asks_data();
    void closing_with_unsaved_changes_asks();
    void lines_the_main_window_will_not_show_are_greyed();
    void command_line_data();
    void command_line();
};

void EditorSavingTest::saving_writes_the_expected_bytes_data() {
    QTest::addColumn<int>("index");
    for (std::size_t i = 0; i < saves().size(); ++i) QTest::newRow(saves()[i].row) << static_cast<int>(i);
}

void EditorSavingTest::saving_writes_the_expected_bytes() {
    QFETCH(int, index);
    const Save& row = saves()[static_cast<std::size_t>(index)];
    test::TempFolder folder;
    const auto file = folder / "QX.ini";
    write_bytes(file, row.before);
    Editing e(file, file);
    QVERIFY2(e.editor.store() != nullptr, qPrintable(e.editor.message->text()));

    row.edit(e.editor);
    QVERIFY(e.editor.has_unsaved_changes());
    QVERIFY2(e.editor.save(), qPrintable(e.editor.message->text()));

    QCOMPARE(read_bytes(file).value(), row.after);
    QCOMPARE(read_bytes(folder / "QX.ini.bak").value(), row.before);
    QVERIFY(!e.editor.has_unsaved_changes());
    QVERIFY(e.editor.message->text().contains(QStringLiteral("すぐ反映されます")));
}

void EditorSavingTest::first_save_copies_the_seed() {
    test::TempFolder folder;
    const std::string seed = "; shipped\r\n[UserSetting]\r\n00=" + kA + "\r\n01=" + kB + "\r\n";
    write_bytes(folder / "seed.ini", seed);
    const auto file = folder / "config" / "gradation" / "QX.ini";
    Editing e(file, folder / "seed.ini");
    QCOMPARE(e.editor.entry_list->count(), 2);
    e.editor.entry_list->setCurrentRow(1);
    e.editor.form->start_colour->set_colour({255, 0, 0});
    QVERIFY2(e.editor.save(), qPrintable(e.editor.message->text()));
    QCOMPARE(read_bytes(file).value(), "; shipped\r\n[UserSetting]\r\n00=" + kA + "\r\n01=" + kBRed + "\r\n");
    QCOMPARE(read_bytes(folder / "seed.ini").value(), seed);
}

void EditorSavingTest::refused_save_keeps_the_edits_data() {
    QTest::addColumn<int>("cause");
    QTest::addColumn<QString>("said");  // a piece of the message in the window
    QTest::addColumn<int>("questions");
    QTest::newRow("file changed on disk") << 0 << "ほかで変更されました" << 1;
    QTest::newRow("name with a leading blank") << 1 << "先に" << 0;
    QTest::newRow("folder cannot be made") << 2 << "を作れません" << 0;
}

void EditorSavingTest::refused_save_keeps_the_edits() {
    QFETCH(int, cause);
    QFETCH(QString, said);
    QFETCH(int, questions);
    test::TempFolder folder;
    const std::string before = "[UserSetting]\r\n00=" + kA + "\r\n";
    write_bytes(folder / "QX.ini", before);
    write_bytes(folder / "blocker", "a file where the folder would go");
    const auto file = cause == 2 ? folder / "blocker" / "QX.ini" : folder / "QX.ini";
    Editing e(file, folder / "QX.ini", kEnter);
    QVERIFY(e.editor.store() != nullptr);

    e.editor.form->start_colour->set_colour({255, 0, 0});
    if (cause == 1) e.editor.form->name_edit->setText(QStringLiteral(" A"));
    const std::string on_disk = cause == 0 ? "; changed elsewhere\r\n" + before : before;
    if (cause == 0) write_bytes(folder / "QX.ini", on_disk);

    QVERIFY(!e.editor.save());
    QVERIFY2(e.editor.message->text().contains(said), qPrintable(e.editor.message->text()));
    QCOMPARE(e.questions, questions);
    QCOMPARE(read_bytes(folder / "QX.ini").value(), on_disk);
    QVERIFY(!std::filesystem::exists(folder / "QX.ini.bak"));
    // The edits are still there, to be saved once the cause is gone.
    QVERIFY(e.editor.has_unsaved_changes());
    QCOMPARE(e.editor.form->start_colour->text->text(), QStringLiteral("#FF0000"));
    QCOMPARE(e.editor.form->name_edit->text(), cause == 1 ? QStringLiteral(" A") : QStringLiteral("A"));
}

// The third answer, cancel (Enter's there), is the "file changed on disk" row above: the edits stay.
void EditorSavingTest::outside_change_reload_or_overwrite_data() {
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("overwritten");  // else reloaded, the edits dropped
    QTest::newRow("reload") << int(QMessageBox::Reset) << false;
    QTest::newRow("overwrite") << int(QMessageBox::Save) << true;
}

void EditorSavingTest::outside_change_reload_or_overwrite() {
    QFETCH(int, answer);
    QFETCH(bool, overwritten);
    test::TempFolder folder;
    const std::string mine = "[UserSetting]\r\n00=" + kB + "\r\n", theirs = "; theirs\r\n" + mine;
    write_bytes(folder / "QX.ini", mine);
    Editing e(folder / "QX.ini", {}, static_cast<QMessageBox::StandardButton>(answer));
    e.editor.form->start_colour->set_colour({255, 0, 0});
    write_bytes(folder / "QX.ini", theirs);
    QCOMPARE(e.editor.save(), overwritten);
    QVERIFY2(e.last_question.contains(QStringLiteral("QX.ini.bak に残ります")), qPrintable(e.last_question));
    QCOMPARE(read_bytes(folder / "QX.ini").value(), overwritten ? "[UserSetting]\r\n00=" + kBRed + "\r\n" : theirs);
    QCOMPARE(read_bytes(folder / "QX.ini.bak"), overwritten ? std::optional(theirs) : std::nullopt);
    QCOMPARE(e.editor.has_unsaved_changes(), false);
}

// With unsaved changes, reloading and then closing each ask; Enter answers neither with
// a choice that drops the edits.
void EditorSavingTest::closing_with_unsaved_changes_asks_data() {
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("closed");
    QTest::addColumn<bool>("written");
    QTest::newRow("cancel") << int(QMessageBox::Cancel) << false << false;
    QTest::newRow("discard") << int(QMessageBox::Discard) << true << false;
    QTest::newRow("save") << int(QMessageBox::Save) << true << true;
    QTest::newRow("Enter") << int(kEnter) << false << false;
}

void EditorSavingTest::closing_with_unsaved_changes_asks() {
    QFETCH(int, answer);
    QFETCH(bool, closed);
    QFETCH(bool, written);
    test::TempFolder folder;
    const std::string before = "[UserSetting]\r\n00=" + kA + "\r\n";
    write_bytes(folder / "QX.ini", before);
    Editing e(folder / "QX.ini", folder / "QX.ini", static_cast<QMessageBox::StandardButton>(answer));
    QVERIFY(e.editor.close());  // nothing changed: closes without a question
    QCOMPARE(e.questions, 0);

    e.editor.show();
    e.editor.form->italic->click();
    e.editor.reload();  // asked too; only Yes reloads (and so nothing is left to ask on closing)
    QCOMPARE(e.editor.close(), closed);
    QCOMPARE(e.questions, 2);
    QCOMPARE(read_bytes(folder / "QX.ini").value() != before, written);
}

void EditorSavingTest::lines_the_main_window_will_not_show_are_greyed() {
    test::TempFolder folder;
    write_bytes(folder / "QX.ini", "[UserSetting]\r\n00=" + kA + "\r\n01=short,ON\r\n03=" + kC + "\r\n");
    Editing e(folder / "QX.ini", folder / "QX.ini");
    QCOMPARE(e.editor.entry_list->count(), 3);
    // Listed but refused by the parser: it can be chosen (to delete it), not edited.
    QListWidgetItem* refused = e.editor.entry_list->item(1);
    QVERIFY(refused->flags() & Qt::ItemIsEnabled);
    QVERIFY2(refused->text().contains(QStringLiteral("使えません")), qPrintable(refused->text()));
    e.editor.entry_list->setCurrentRow(1);
    QCOMPARE(e.editor.current_entry(), 1);
    QVERIFY(!e.editor.form->isEnabled());
    // After the gap: greyed with the reason, never chosen.
    QListWidgetItem* after_gap = e.editor.entry_list->item(2);
    QVERIFY(!(after_gap->flags() & Qt::ItemIsEnabled));
    QVERIFY2(after_gap->text().contains(QStringLiteral("03  C")) && after_gap->text().contains(QStringLiteral("キーの抜け")),
             qPrintable(after_gap->text()));
}

void EditorSavingTest::command_line_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("action");
    QTest::addColumn<QString>("ini");
    using A = EditorOptions::Action;
    const int refused = -1;
    QTest::newRow("none") << QStringList{} << int(A::Edit) << "";
    QTest::newRow("--ini FILE") << QStringList{"--ini", "/tmp/x.ini"} << int(A::Edit) << "/tmp/x.ini";
    QTest::newRow("--ini=FILE") << QStringList{"--ini=y.ini"} << int(A::Edit) << "y.ini";
    QTest::newRow("--help wins") << QStringList{"--ini", "a", "--help"} << int(A::Help) << "a";
    QTest::newRow("--version") << QStringList{"--version"} << int(A::Version) << "";
    QTest::newRow("--ini without file") << QStringList{"--ini"} << refused << "";
    QTest::newRow("--ini twice") << QStringList{"--ini", "a", "--ini", "b"} << refused << "";
    QTest::newRow("unknown") << QStringList{"-x"} << refused << "";
}

void EditorSavingTest::command_line() {
    QFETCH(QStringList, arguments);
    QFETCH(int, action);
    QFETCH(QString, ini);
    std::vector<std::string> args;
    for (const QString& a : arguments) args.push_back(a.toStdString());
    const Result<EditorOptions> o = parse_editor_command_line(args);
    QCOMPARE(o ? int(o->action) : -1, action);
    QCOMPARE(o ? QString::fromStdString(o->ini) : QString(), ini);
    QVERIFY(o || !o.error().reason().empty());
}

QTEST_MAIN(EditorSavingTest)
#include "editor_saving_test.moc"
