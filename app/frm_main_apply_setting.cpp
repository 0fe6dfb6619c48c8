// Filling the setting list and applying its selected entry: the line is read afresh,
// parsed as a whole, made the current setting and shown in the preview.
#include "app/frm_main.h"
#include "app/program_level.h"
#include "widgets/check_box_value.h"
#include "widgets/colour_swatch.h"
#include "core/settings_file/gradient_entries.h"
#include "core/markup/gradient_markup.h"
#include "core/setting_line/setting_meaning.h"

#include <QComboBox>
#include <QFontMetrics>
#include <QLabel>
#include <QPalette>
#include <QPushButton>

#include <cstdint>
#include <string>
#include <utility>

namespace gradation::app {
namespace {

// "<!S><!E><BR>Size= 5": the markers, then the size, "(Base)" when the page's own.
QString summary_text(const SettingRecord& s) {
    QString text;
    if (s.StartMark) text += QStringLiteral("<!S>");
    if (s.EndMark) text += QStringLiteral("<!E>");
    if (s.BreakAfter) text += QStringLiteral("<BR>");
    text += QStringLiteral("Size=");
    if (size_mode(s) == SizeMode::Relative) {
        if (s.SizeSign == 0 || s.SizeSign == 1) text += QStringLiteral("+-").at(s.SizeSign);
    } else {
        text += QLatin1Char(' ');
    }
    if (summary_shows_base_size(s)) {
        text += QStringLiteral("(Base)");
    } else {
        text += QString::number(s.SizeValue);
    }
    return text;
}

// The setting's name in its own markup, as rich text for a tooltip; empty for no name.
QString name_in_its_markup(const QString& name, const SettingRecord& s, bool separate_tags) {
    if (name.isEmpty() || static_cast<std::size_t>(name.size()) > kMaxTextUnits) return QString();
    return QStringLiteral("<qt>") +
           QString::fromStdU16String(gradient_markup(name.toStdU16String(), s, separate_tags)) +
           QStringLiteral("</qt>");
}

}  // namespace

void frmMain::FillSettingList() { list_settings(read_listed_settings(IniFile)); }

void frmMain::list_settings(ListedSettings settings) {
    listed_ = std::move(settings);
    cmbUserSetting->clear();
    for (const SettingLineRead& read : listed_.lines)
        cmbUserSetting->addItem(QString::fromStdU16String(std::u16string(setting_name(read.line))));
}

void frmMain::cmbUserSetting_Click() {
    const int position = cmbUserSetting->currentIndex();
    if (position < 0) return;
    // The file is read afresh. When it changed since the list was filled, the list is
    // filled again first and the chosen name applied from there: a line is never
    // applied under a name the list does not show for it.
    if (follow_configuration_file()) return;
    apply_entry(position);
}

// What applying entry `position` makes current: its line with its Gradient entry when
// that fits the line; nothing when either is refused.
std::optional<SettingRecord> frmMain::entry_setting(int position) const {
    Result<SettingRecord> setting =
        setting_with_gradient(listed_.bytes, listed_.lines.at(static_cast<std::size_t>(position)), position);
    return setting ? std::optional(std::move(*setting)) : std::nullopt;
}

// False when the entry is refused as a whole: the current setting and the preview stay.
bool frmMain::apply_entry(int position) {
    const std::optional<SettingRecord> setting = entry_setting(position);
    if (!setting) return false;
    const SettingRecord& s = *setting;
    CurrentSetting = s;
    applied_line_ = listed_.lines[static_cast<std::size_t>(position)].line;

    lblX->setText(summary_text(s));
    QFont font = lblX->font();
    font.setUnderline(s.Underline);
    font.setItalic(s.Italic);
    font.setBold(s.Bold);
    lblX->setFont(font);

    imgX[static_cast<std::size_t>(ShownWaveImage)]->hide();
    ShownWaveImage = window_shows_wave(s) ? s.WavePattern : std::int16_t{kWavePatternCount};  // the blank picture
    imgX[static_cast<std::size_t>(ShownWaveImage)]->show();

    chkDevTag->set_value(s.DevTag);  // its handler sets SeparateTags

    widgets::set_background(lblPal[0], widgets::window_colour(s.StartColor));
    widgets::set_background(lblPal[1], widgets::window_colour(s.EndColor));

    // Hovering the preview strip shows what the setting makes of its own name.
    const QString tip = name_in_its_markup(cmbUserSetting->currentText(), s, SeparateTags != 0);
    for (QLabel* part : {lblX, lblPal[0], lblPal[1]}) part->setToolTip(tip);
    for (QLabel* image : imgX) image->setToolTip(tip);

    cmdExec->setEnabled(true);
    return true;
}

// No setting to convert with: the convert button is off and the summary label says
// so, naming the file that was read.
void frmMain::show_no_setting() {
    cmdExec->setEnabled(false);
    const QString file = QString::fromStdU16String(IniFile.u16string());
    const bool empty = cmbUserSetting->count() == 0;
    const bool utf16 = listed_.refusal.has_value();
    // A UTF-16 file reads as no settings at all: say so, and (in the tooltip, where there
    // is room) what to do about it.
    const QString message = utf16   ? tr("UTF-16 は読めません")
                            : empty ? tr("設定なし")
                                    : tr("読めない設定");
    const QString advice = utf16 ? tr(" (UTF-8 か Shift-JIS で保存)") : QString();
    if (empty) cmbUserSetting->setPlaceholderText(tr("(設定がありません)"));
    const QFontMetrics metrics(lblX->font());
    const int room = lblX->contentsRect().width() - metrics.horizontalAdvance(message + QStringLiteral(": ")) - 4;
    lblX->setText(message + QStringLiteral(": ") + metrics.elidedText(file, Qt::ElideLeft, room));
    lblX->setToolTip(message + advice + QStringLiteral(": ") + file);
}

}  // namespace gradation::app
