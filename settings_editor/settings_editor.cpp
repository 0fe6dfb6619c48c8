// SettingsEditor's design: the entry list and its commands, the form, the preview, the
// file, the message line and Save.
#include "settings_editor/settings_editor.h"

#include "platform/window_placement.h"
#include "widgets/app_icon.h"
#include "widgets/fonts.h"
#include "settings_editor/setting_form.h"
#include "settings_editor/setting_preview.h"
#include "settings_editor/scroll_column.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QVBoxLayout>

#include <algorithm>

namespace gradation::settings_editor {
namespace {

QPushButton* button(const QString& caption, QWidget* parent) { return new QPushButton(caption, parent); }

// The buttons in the window's language, like the rest of it. Where Reload is offered (the file
// changed on disk), Save writes over that change.
void name_buttons(QMessageBox& box, QMessageBox::StandardButtons buttons) {
    const std::pair<QMessageBox::StandardButton, QString> names[] = {
        {QMessageBox::Yes, QCoreApplication::translate("SettingsEditor", "はい")},
        {QMessageBox::No, QCoreApplication::translate("SettingsEditor", "いいえ")},
        {QMessageBox::Save, buttons.testFlag(QMessageBox::Reset) ? QCoreApplication::translate("SettingsEditor", "上書き保存") : QCoreApplication::translate("SettingsEditor", "保存")},
        {QMessageBox::Discard, QCoreApplication::translate("SettingsEditor", "保存しない")},
        {QMessageBox::Reset, QCoreApplication::translate("SettingsEditor", "読み直す")},
        {QMessageBox::Cancel, QCoreApplication::translate("SettingsEditor", "キャンセル")},
    };
    for (const auto& [button, name] : names)
        if (QAbstractButton* b = box.button(button)) b->setText(name);
}

// The height a window can take on its screen: the work area less the window's frame.
int usable_height(const QWidget& window) {
    const QScreen* screen = window.screen();
    if (screen == nullptr) return QWIDGETSIZE_MAX;
    const int frame = platform::outer_geometry(window).height() - window.height();
    return screen->availableGeometry().height() - frame;
}

}  // namespace

QString editor_title(const std::filesystem::path& file) {
    const QString name = file.empty() ? QStringLiteral("QX.ini") : QString::fromStdU16String(file.filename().u16string());
    return QCoreApplication::translate("SettingsEditor", "gradation 設定エディタ - %1[*]").arg(name);
}

SettingsEditor::SettingsEditor() : QWidget(nullptr, Qt::Window) {
    setObjectName(QStringLiteral("SettingsEditor"));
    setWindowIcon(widgets::app_icon());
    setFont(widgets::ui_gothic_font(9));
    setWindowTitle(editor_title({}));
    ask = [this](const QString& question, QMessageBox::StandardButtons buttons) {
        QMessageBox box(QMessageBox::Question, windowTitle().remove(QStringLiteral("[*]")), question, buttons, this);
        name_buttons(box, buttons);
        // Enter answers with the choice that changes nothing, never one that drops the
        // edits or writes over another program's change.
        box.setDefaultButton(buttons.testFlag(QMessageBox::Cancel) ? QMessageBox::Cancel : QMessageBox::No);
        return static_cast<QMessageBox::StandardButton>(box.exec());
    };
    build();
    update_commands();
}

SettingsEditor::~SettingsEditor() = default;

void SettingsEditor::build() {
    file_label = new QLabel(this);
    file_label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    file_label->setWordWrap(true);

    form = new SettingForm(this);
    auto* top = new QHBoxLayout;
    top->addLayout(build_list_column(), 2);
    top->addWidget(form, 3);

    preview = new SettingPreview(this);
    auto* preview_group = new QGroupBox(tr("プレビュー"), this);
    auto* preview_layout = new LeastHeightColumn(preview_group);
    preview_layout->addWidget(preview);

    // List, form and preview scroll on a screen too short for them; the file above and
    // Save below always show.
    auto* scroll = new ScrollColumn(this);
    scroll->setMinimumHeight(200);
    scroll->column()->addLayout(top, 3);
    scroll->column()->addWidget(build_stale_notice());
    scroll->column()->addWidget(preview_group, 2);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(file_label);
    layout->addWidget(scroll, 1);
    layout->addLayout(build_bottom_row());
    const int around = layout->sizeHint().height() - scroll->sizeHint().height();
    resize(860, std::min(scroll->natural_height() + around, usable_height(*this)));
    connect_commands();
}

// The entry list with its label and the buttons that add, copy, delete and move entries.
QLayout* SettingsEditor::build_list_column() {
    entry_list = new QListWidget(this);
    entry_list->setMinimumWidth(230);
    auto* list_label = new QLabel(tr("設定の一覧(&L)"), this);
    list_label->setBuddy(entry_list);
    add_button = button(tr("追加(&A)"), this);
    duplicate_button = button(tr("複製(&D)"), this);
    delete_button = button(tr("削除"), this);
    up_button = button(tr("↑ 上へ"), this);
    down_button = button(tr("↓ 下へ"), this);
    auto* list_commands = new QGridLayout;
    list_commands->addWidget(add_button, 0, 0);
    list_commands->addWidget(duplicate_button, 0, 1);
    list_commands->addWidget(delete_button, 0, 2);
    list_commands->addWidget(up_button, 1, 0);
    list_commands->addWidget(down_button, 1, 1);
    auto* list_column = new QVBoxLayout;
    list_column->addWidget(list_label);
    list_column->addWidget(entry_list, 1);
    list_column->addLayout(list_commands);
    return list_column;
}

// The message line with the reload and save buttons.
QLayout* SettingsEditor::build_bottom_row() {
    message = new QLabel(this);
    message->setWordWrap(true);
    message->setTextInteractionFlags(Qt::TextSelectableByMouse);
    reload_button = button(tr("読み直す(&R)"), this);
    save_button = button(tr("保存(&S)"), this);
    save_button->setToolTip(QStringLiteral("Ctrl+S"));
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(message, 1);
    bottom->addWidget(reload_button);
    bottom->addWidget(save_button);
    return bottom;
}

void SettingsEditor::connect_commands() {
    auto* save_shortcut = new QShortcut(QKeySequence::Save, this);
    connect(save_shortcut, &QShortcut::activated, this, [this] { save(); });
    connect(save_button, &QPushButton::clicked, this, [this] { save(); });
    connect(reload_button, &QPushButton::clicked, this, [this] { reload(); });
    connect(add_button, &QPushButton::clicked, this, [this] { add_entry(); });
    connect(duplicate_button, &QPushButton::clicked, this, [this] { duplicate_entry(); });
    connect(delete_button, &QPushButton::clicked, this, [this] { delete_entry(); });
    connect(up_button, &QPushButton::clicked, this, [this] { move_entry(-1); });
    connect(down_button, &QPushButton::clicked, this, [this] { move_entry(+1); });
    connect(entry_list, &QListWidget::currentRowChanged, this, [this](int row) { entry_chosen(row); });
    form->on_changed = [this] { form_edited(); };
}

void SettingsEditor::say(const QString& text, bool is_refusal) {
    message->setStyleSheet(is_refusal ? QStringLiteral("color: #C00000") : QString());
    message->setText(text);
}

}  // namespace gradation::settings_editor
