#include "settings_editor/setting_preview.h"

#include "settings_editor/dialect_display.h"
#include "widgets/limit_field.h"
#include "widgets/markup_note.h"
#include "platform/markup_choice.h"
#include "core/markup/gradient_markup.h"
#include "core/setting_line/setting_meaning.h"

#include <QCoreApplication>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBrowser>

namespace gradation::settings_editor {

QString length_text(const QString& markup) {
    return QCoreApplication::translate("SettingPreview", "%1 文字 / %2 バイト (UTF-8)")
        .arg(markup.toUcs4().size())
        .arg(markup.toUtf8().size());
}

namespace {

// The dialects in their order, each with its purpose as its tooltip.
QComboBox* dialect_list(QWidget* parent) {
    auto* list = new QComboBox(parent);
    for (const DialectInfo& d : dialects()) {
        list->addItem(QString::fromUtf8(d.name));
        list->setItemData(list->count() - 1, widgets::dialect_purpose(d.dialect), Qt::ToolTipRole);
    }
    return list;
}

}  // namespace

SettingPreview::SettingPreview(QWidget* parent) : QWidget(parent) {
    sample = new QLineEdit(this);
    sample->setPlaceholderText(tr("見本の文字列"));
    auto* sample_label = new QLabel(tr("見本(&P)"), this);
    sample_label->setBuddy(sample);

    rendered = new QTextBrowser(this);
    rendered->setOpenLinks(false);
    rendered->setMinimumHeight(60);
    source = new QPlainTextEdit(this);
    source->setReadOnly(true);
    source->setMinimumHeight(50);
    source->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    lengths = new QLabel(this);
    lengths->setWordWrap(true);
    copy = new QPushButton(tr("タグをコピー(&Y)"), this);
    // The window's remembered choice to start with; the editor changes only its preview.
    const platform::MarkupChoice choice = platform::read_markup_choice();
    dialect = dialect_list(this);
    dialect->setCurrentIndex(static_cast<int>(choice.dialect));
    auto* dialect_label = new QLabel(tr("形式(&M)"), this);
    dialect_label->setBuddy(dialect);
    limit = new widgets::LimitField(this);
    limit->set_limit(choice.limit);

    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(sample_label, 0, 0);
    layout->addWidget(sample, 0, 1, 1, 2);
    layout->addWidget(new QLabel(tr("表示"), this), 1, 0, Qt::AlignTop);
    layout->addWidget(rendered, 1, 1, 1, 2);
    layout->addWidget(new QLabel(tr("タグ"), this), 2, 0, Qt::AlignTop);
    layout->addWidget(source, 2, 1, 1, 2);
    layout->addWidget(lengths, 3, 1);
    layout->addWidget(copy, 3, 2, Qt::AlignRight);
    layout->addWidget(dialect_label, 4, 0);
    auto* choice_row = new QHBoxLayout;
    choice_row->addWidget(dialect);
    choice_row->addWidget(new QLabel(tr("長さの上限"), this));
    choice_row->addWidget(limit);
    choice_row->addStretch(1);
    layout->addLayout(choice_row, 4, 1, 1, 2);
    layout->setColumnStretch(1, 1);
    layout->setRowStretch(1, 3);
    layout->setRowStretch(2, 2);

    connect(sample, &QLineEdit::textEdited, this, [this] {
        sample_follows_name_ = false;
        convert();
    });
    connect(copy, &QPushButton::clicked, this, [this] {
        if (!markup_.isEmpty()) QApplication::clipboard()->setText(markup_);
    });
    connect(dialect, &QComboBox::currentIndexChanged, this, [this] { convert(); });
    limit->on_change([this] { convert(); });
    clear(QString());
}

void SettingPreview::start_from_name() { sample_follows_name_ = true; }

void SettingPreview::show_setting(const QString& name, const SettingRecord& record) {
    record_ = record;
    have_record_ = true;
    sample->setEnabled(true);
    if (sample_follows_name_ && sample->text() != name) sample->setText(name);
    convert();
}

void SettingPreview::clear(const QString& why) {
    have_record_ = false;
    markup_.clear();
    sample->setEnabled(false);
    rendered->setPlainText(why);
    source->clear();
    lengths->clear();
    copy->setEnabled(false);
}

void SettingPreview::convert() {
    if (!have_record_) return;
    const QString text = sample->text();
    markup_.clear();
    QStringList notes;
    if (text.isEmpty() || static_cast<std::size_t>(text.size()) > kMaxTextUnits) {
        rendered->setPlainText(text.isEmpty() ? tr("(見本の文字列を入れてください)")
                                              : tr("(見本が長すぎます)"));
    } else {
        const platform::MarkupChoice choice{static_cast<Dialect>(dialect->currentIndex()), limit->limit()};
        // As the main window's check box, which follows DevTag.
        const bool separate = separates_tags(record_);
        const widgets::ChosenMarkup chosen = widgets::chosen_markup(
            text.toStdU16String(), record_, choice, [separate] { return separate; }, [] { return false; });
        markup_ = QString::fromStdU16String(chosen.markup.value_or(std::u16string()));
        if (chosen.too_long) {
            rendered->setPlainText(tr("(上限に収まりません)"));
        } else {
            rendered->setHtml(display_html(choice.dialect, markup_));
        }
        // Without a limit the line counts both ways; with one, in the limit's unit.
        if (choice.limit || !markup_.isEmpty()) notes << (choice.limit ? chosen.length_line : length_text(markup_));
        notes << chosen.warnings;
    }
    source->setPlainText(markup_);
    lengths->setText(notes.join(QLatin1Char('\n')));
    copy->setEnabled(!markup_.isEmpty());
}

}  // namespace gradation::settings_editor
