#include "settings_editor/setting_preview.h"

#include "core/gradient_markup.h"
#include "core/setting_meaning.h"

#include <QApplication>
#include <QClipboard>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBrowser>

namespace gradation::settings_editor {

QString length_text(const QString& markup) {
    return QStringLiteral("%1 文字 / %2 バイト (UTF-8)")
        .arg(markup.toUcs4().size())
        .arg(markup.toUtf8().size());
}

SettingPreview::SettingPreview(QWidget* parent) : QWidget(parent) {
    sample = new QLineEdit(this);
    sample->setPlaceholderText(QStringLiteral("見本の文字列"));
    auto* sample_label = new QLabel(QStringLiteral("見本(&P)"), this);
    sample_label->setBuddy(sample);

    rendered = new QTextBrowser(this);
    rendered->setOpenLinks(false);
    rendered->setMinimumHeight(90);
    source = new QPlainTextEdit(this);
    source->setReadOnly(true);
    source->setMinimumHeight(70);
    source->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    lengths = new QLabel(this);
    copy = new QPushButton(QStringLiteral("タグをコピー(&Y)"), this);

    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(sample_label, 0, 0);
    layout->addWidget(sample, 0, 1, 1, 2);
    layout->addWidget(new QLabel(QStringLiteral("表示"), this), 1, 0, Qt::AlignTop);
    layout->addWidget(rendered, 1, 1, 1, 2);
    layout->addWidget(new QLabel(QStringLiteral("タグ"), this), 2, 0, Qt::AlignTop);
    layout->addWidget(source, 2, 1, 1, 2);
    layout->addWidget(lengths, 3, 1);
    layout->addWidget(copy, 3, 2, Qt::AlignRight);
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
    if (text.isEmpty() || static_cast<std::size_t>(text.size()) > kMaxTextUnits) {
        rendered->setPlainText(text.isEmpty() ? QStringLiteral("(見本の文字列を入れてください)")
                                              : QStringLiteral("(見本が長すぎます)"));
    } else {
        // As the main window's check box, which follows DevTag.
        markup_ = QString::fromStdU16String(gradient_markup(text.toStdU16String(), record_, separates_tags(record_)));
        rendered->setHtml(markup_);
    }
    source->setPlainText(markup_);
    lengths->setText(markup_.isEmpty() ? QString() : length_text(markup_));
    copy->setEnabled(!markup_.isEmpty());
}

}  // namespace gradation::settings_editor
