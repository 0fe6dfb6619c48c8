// Filling the setting list and applying its selected entry: the line is read afresh,
// parsed as a whole, made the current setting and shown in the preview.
#include "app/frm_main.h"
#include "app/program_level.h"
#include "widgets/check_box_value.h"
#include "widgets/colour_swatch.h"
#include "core/configuration_file.h"
#include "core/gradient_entries.h"
#include "core/gradient_markup.h"
#include "core/profile_reader.h"

#include <QComboBox>
#include <QFontMetrics>
#include <QLabel>
#include <QPalette>
#include <QPushButton>

#include <cstdint>
#include <string>

namespace gradation::app {
namespace {

// "<!S><!E><BR>Size= 5": the markers, then the size, "(Base)" when the page's own.
QString summary_text(const SettingRecord& s) {
    QString text;
    if (s.StartMark) text += QStringLiteral("<!S>");
    if (s.EndMark) text += QStringLiteral("<!E>");
    if (s.BreakAfter) text += QStringLiteral("<BR>");
    text += QStringLiteral("Size=");
    if (s.SizeMode == 2) {
        if (s.SizeSign == 0 || s.SizeSign == 1) text += QStringLiteral("+-").at(s.SizeSign);
    } else {
        text += QLatin1Char(' ');
    }
    if (s.SizeMode == 0) {
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

void frmMain::FillSettingList() {
    for (const std::u16string& name : ConfigurationFile(IniFile).setting_names())
        cmbUserSetting->addItem(QString::fromStdU16String(name));
}

void frmMain::cmbUserSetting_Click() {
    const int position = cmbUserSetting->currentIndex();
    if (position < 0) return;
    const SettingLineRead read = ConfigurationFile(IniFile).read_setting(position);
    // A line cut at the reader's limit is only part of what the file holds: refused
    // like a line the parser refuses.
    if (read.reached_cut) return;
    const SettingParse parsed = parse_setting_line(read.line);
    if (!parsed) return;  // refused as a whole: the current setting and the preview stay
    SettingRecord s = *parsed.record;
    // Its Gradient entry when that fits the line; a malformed entry is refused like the line.
    const GradientEntryRead entry = read_gradient_entry(read_profile_file(IniFile).value_or(""), position, s);
    if (!entry.refused.empty()) return;
    s.gradient = entry.gradient;
    CurrentSetting = s;

    lblX->setText(summary_text(s));
    QFont font = lblX->font();
    font.setUnderline(s.Underline);
    font.setItalic(s.Italic);
    font.setBold(s.Bold);
    lblX->setFont(font);

    imgX[static_cast<std::size_t>(ShownWaveImage)]->hide();
    const bool wave_shown = s.SizeWave && s.SizeMode == 1 && s.WavePattern >= 0 && s.WavePattern <= 3;
    ShownWaveImage = wave_shown ? s.WavePattern : std::int16_t{4};
    imgX[static_cast<std::size_t>(ShownWaveImage)]->show();

    chkDevTag->set_value(s.DevTag);  // its handler sets SeparateTags

    widgets::set_background(lblPal[0], widgets::window_colour(s.StartColor));
    widgets::set_background(lblPal[1], widgets::window_colour(s.EndColor));

    // Hovering the preview strip shows what the setting makes of its own name.
    const QString tip = name_in_its_markup(cmbUserSetting->currentText(), s, SeparateTags != 0);
    for (QLabel* part : {lblX, lblPal[0], lblPal[1]}) part->setToolTip(tip);
    for (QLabel* image : imgX) image->setToolTip(tip);

    cmdExec->setEnabled(true);
}

// No setting to convert with: the convert button is off and the summary label says
// so, naming the file that was read.
void frmMain::show_no_setting() {
    cmdExec->setEnabled(false);
    const QString file = QString::fromStdU16String(IniFile.u16string());
    const bool empty = cmbUserSetting->count() == 0;
    const bool utf16 = !ConfigurationFile(IniFile).refusal().empty();
    // A UTF-16 file reads as no settings at all: say so, and what to do about it.
    const QString message = utf16   ? QStringLiteral("UTF-16 は読めません (UTF-8 か Shift-JIS で保存)")
                            : empty ? QStringLiteral("設定なし")
                                    : QStringLiteral("読めない設定");
    if (empty) cmbUserSetting->setPlaceholderText(QStringLiteral("(設定がありません)"));
    const QFontMetrics metrics(lblX->font());
    const int room = lblX->contentsRect().width() - metrics.horizontalAdvance(message + QStringLiteral(": ")) - 4;
    lblX->setText(message + QStringLiteral(": ") + metrics.elidedText(file, Qt::ElideLeft, room));
    lblX->setToolTip(message + QStringLiteral(": ") + file);
}

}  // namespace gradation::app
