// The live preview of a setting: a sample text converted by the real generator in a
// chosen dialect and length limit, the markup rendered as its destination shows it,
// and its source with its length (against the limit) and a copy button.
#pragma once

#include "core/setting_line/setting_record.h"

#include <QCoreApplication>
#include <QString>
#include <QWidget>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTextBrowser;
class QComboBox;

namespace gradation::widgets {
class LimitField;
}

namespace gradation::settings_editor {

class SettingPreview : public QWidget {
    Q_DECLARE_TR_FUNCTIONS(SettingPreview)

public:
    explicit SettingPreview(QWidget* parent = nullptr);

    // Converts the sample with `record`. The sample follows `name` until the user
    // edits it; start_from_name() makes it follow again (another entry was chosen).
    void show_setting(const QString& name, const SettingRecord& record);
    void start_from_name();
    // Nothing to show (no entry, or a line the parser refuses).
    void clear(const QString& why);

    const QString& markup() const { return markup_; }

    QLineEdit* sample = nullptr;
    QTextBrowser* rendered = nullptr;
    QPlainTextEdit* source = nullptr;
    QLabel* lengths = nullptr;
    QPushButton* copy = nullptr;
    QComboBox* dialect = nullptr;  // the dialects in their order, html first
    widgets::LimitField* limit = nullptr;

private:
    void convert();

    SettingRecord record_;
    bool have_record_ = false;
    bool sample_follows_name_ = true;
    QString markup_;
};

// "N 文字 / M バイト (UTF-8)": characters counted as code points.
QString length_text(const QString& markup);

}  // namespace gradation::settings_editor
