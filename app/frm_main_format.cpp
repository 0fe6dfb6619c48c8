// The 形式 menu: the dialect conversions write in, and the length limit the markup
// must fit. Both are remembered in gradation.conf. After each conversion the summary
// label's tooltip says how long the markup is and whether it fitted.
#include "app/frm_main.h"
#include "widgets/limit_field.h"
#include "widgets/markup_note.h"
#include "widgets/refusal_text.h"

#include <QAction>
#include <QActionGroup>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QToolTip>
#include <QVBoxLayout>

namespace gradation::app {

void frmMain::build_format_menu() {
    MarkupChoice = platform::read_markup_choice();
    MN_FORMAT = menu_bar->addMenu(tr("形式(&M)"));
    MN_FORMAT->setObjectName(QStringLiteral("MN_FORMAT"));
    auto* group = new QActionGroup(MN_FORMAT);
    for (const DialectInfo& d : dialects()) {
        QAction* item = MN_FORMAT->addAction(QString::fromUtf8(d.name));
        item->setObjectName(QStringLiteral("mnuFormat(%1)").arg(mnuFormat.size()));
        item->setCheckable(true);
        item->setChecked(d.dialect == MarkupChoice.dialect);
        item->setStatusTip(widgets::dialect_purpose(d.dialect));
        group->addAction(item);
        mnuFormat.append(item);
    }
    MN_FORMAT->addSeparator();
    mnuLimit = MN_FORMAT->addAction(tr("長さの上限(&L)..."));
    mnuLimit->setObjectName(QStringLiteral("mnuLimit"));
}

void frmMain::mnuFormat_Click(Dialect dialect) {
    MarkupChoice.dialect = dialect;
    mnuFormat[static_cast<int>(dialect)]->setChecked(true);
    keep_markup_choice();
}

// A small modal dialog; the watcher pauses while it is open, as for the version dialog.
void frmMain::mnuLimit_Click() {
    QDialog dialog(this);
    dialog.setObjectName(QStringLiteral("limitDialog"));
    dialog.setWindowTitle(tr("長さの上限"));
    auto* field = new widgets::LimitField(&dialog);
    field->set_limit(MarkupChoice.limit);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(new QLabel(tr("変換したタグの長さの上限:"), &dialog));
    layout->addWidget(field);
    layout->addWidget(buttons);
    stop_watcher();
    const bool accepted = dialog.exec() == QDialog::Accepted;
    start_watcher();
    if (!accepted) return;
    MarkupChoice.limit = field->limit();
    keep_markup_choice();
}

// The choice holds for this run in any case; that the next start will not have it is
// said once, the first time it cannot be kept.
void frmMain::keep_markup_choice() {
    const Outcome kept = platform::write_markup_choice(MarkupChoice);
    if (kept || choice_unkept_said_) return;
    choice_unkept_said_ = true;
    show_conversion_note(tr("形式と長さの上限は次の起動まで残せません: %1").arg(widgets::refusal_text(kept.error())), true);
}

// The note goes above the setting's name in its own markup (the tooltip the preview
// strip keeps); `alert` shows it at once.
void frmMain::show_conversion_note(const QString& note, bool alert) {
    QString name_tip = lblPal[0]->toolTip();
    if (name_tip.startsWith(QStringLiteral("<qt>"))) name_tip = name_tip.mid(4, name_tip.size() - 9);
    QString tip = QStringLiteral("<qt>") + note.toHtmlEscaped().replace(QLatin1Char('\n'), QStringLiteral("<br>"));
    if (!name_tip.isEmpty()) tip += QStringLiteral("<hr>") + name_tip;
    tip += QStringLiteral("</qt>");
    lblX->setToolTip(tip);
    if (alert) QToolTip::showText(lblX->mapToGlobal(lblX->rect().center()), tip, lblX);
}

}  // namespace gradation::app
