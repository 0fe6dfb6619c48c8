// frmVersion's design, its load step and the opening command's body.
#include "app/frm_version.h"

#include "widgets/fonts.h"
#include "app/program_level.h"
#include "widgets/twips.h"
#include "platform/window_placement.h"
#include "core/base/version_info.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStyleOptionButton>
#include <QStylePainter>

#include <algorithm>

namespace gradation::app {
namespace {

// A button whose caption carries a second access key for kana input ("&O&ﾗK"). The
// caption is kept as given, so Alt+O presses it; it is drawn without the kana pair.
class KanaAccessButton : public QPushButton {
public:
    using QPushButton::QPushButton;

protected:
    void paintEvent(QPaintEvent*) override {
        QStylePainter painter(this);
        QStyleOptionButton option;
        initStyleOption(&option);
        option.text = drawn_caption(text());
        painter.drawControl(QStyle::CE_PushButton, option);
    }
};

}  // namespace

QString drawn_caption(const QString& caption) {
    QString drawn;
    bool access_key_seen = false;
    for (qsizetype i = 0; i < caption.size(); ++i) {
        const QChar c = caption.at(i);
        if (c == u'&' && i + 1 < caption.size()) {
            if (caption.at(i + 1) == u'&') {  // "&&" stands for one "&"
                drawn += QStringLiteral("&&");
                ++i;
                continue;
            }
            if (access_key_seen) {  // the kana key: drop the marker and its letter
                ++i;
                continue;
            }
            access_key_seen = true;
        }
        drawn += c;
    }
    return drawn;
}

VersionInfo program_version_info() {
    namespace v = version_info;
    return {QString::fromUtf8(v::kTitle), v::kMajor, v::kMinor, QString::fromUtf8(v::kLegalCopyright),
            QString::fromUtf8(v::kCompanyName)};
}

QString version_text(const VersionInfo& info, const QString& line_break) {
    return info.title + QStringLiteral(" Version ") + QString::number(info.major) + QLatin1Char('.') +
           QString::number(info.minor) + line_break + info.legal_copyright + line_break + info.company_name +
           line_break;
}

QPoint version_dialog_position(const QRect& main_outer, const QSize& dialog_outer, const QRect& available) {
    // Directly below the main window, left edges aligned.
    long long left = main_outer.left();
    long long top = static_cast<long long>(main_outer.top()) + main_outer.height();
    // Then into the available area: up and left just enough, but never above or left of it.
    const long long right_limit = static_cast<long long>(available.left()) + available.width();
    const long long bottom_limit = static_cast<long long>(available.top()) + available.height();
    left = std::max<long long>(std::min(left, right_limit - dialog_outer.width()), available.left());
    top = std::max<long long>(std::min(top, bottom_limit - dialog_outer.height()), available.top());
    return {static_cast<int>(left), static_cast<int>(top)};
}

frmVersion::frmVersion(const QIcon& icon)
    : QDialog(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowCloseButtonHint),
      main_icon_(icon) {
    setObjectName(QStringLiteral("frmVersion"));
    setWindowTitle(tr("バージョン情報"));
    setFont(widgets::ui_gothic_font(9));
    setFixedSize(widgets::twips_to_pixels(4350), widgets::twips_to_pixels(2610));

    const QColor light_grey(0xC0, 0xC0, 0xC0);
    QPalette background = palette();
    background.setColor(QPalette::Window, light_grey);
    setPalette(background);
    setAutoFillBackground(true);

    imgIcon = new QLabel(this);
    imgIcon->setObjectName(QStringLiteral("imgIcon"));
    imgIcon->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    widgets::place(imgIcon, 120, 120, 675, 675);

    Command1 = new KanaAccessButton(tr("&O&ﾗK"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setFont(widgets::proportional_gothic_font(9, true));
    Command1->setDefault(true);
    Command1->setFocusPolicy(Qt::StrongFocus);
    widgets::place(Command1, 3540, 120, 675, 675);

    lblVersion = new QLabel(this);
    lblVersion->setObjectName(QStringLiteral("lblVersion"));
    lblVersion->setTextFormat(Qt::PlainText);
    lblVersion->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    QPalette navy_on_grey = lblVersion->palette();
    navy_on_grey.setColor(QPalette::Window, light_grey);
    navy_on_grey.setColor(QPalette::WindowText, QColor(0x00, 0x00, 0x80));
    lblVersion->setPalette(navy_on_grey);
    lblVersion->setAutoFillBackground(true);
    widgets::place(lblVersion, 120, 1440, 4095, 675);

    // The button is the only control that takes the focus.
    imgIcon->setFocusPolicy(Qt::NoFocus);
    lblVersion->setFocusPolicy(Qt::NoFocus);
    Command1->setFocus();

    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
}

void frmVersion::Form_Load() {
    CenterForm(*this);
    setWindowIcon(main_icon_);
    imgIcon->setPixmap(windowIcon().pixmap(32, 32));
    lblVersion->setText(version_text(program_version_info(), QString::fromStdU16String(LineBreak)));
}

// Unloading ends the modal wait; the close box does the same through QDialog.
void frmVersion::Command1_Click() { done(QDialog::Accepted); }

// Enter presses the default button (QDialog does that); the dialog has no cancel
// button, so Esc does nothing.
void frmVersion::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void open_version_dialog(const VersionDialogOwner& owner) {
    owner.stop_watcher();
    const QRect main_outer = platform::outer_geometry(owner.window);

    frmVersion dialog(owner.window.windowIcon());
    dialog.Form_Load();
    // Moved up to fit, the dialog may overlap the main window; while that window stays
    // above all others, so does the dialog, or it would lie partly beneath it.
    if (platform::keeps_above(owner.window)) dialog.setWindowFlag(Qt::WindowStaysOnTopHint, true);

    const QSize dialog_outer = platform::outer_geometry(dialog).size();
    const QScreen* screen = owner.window.screen() != nullptr ? owner.window.screen() : QGuiApplication::primaryScreen();
    const QRect available = screen != nullptr ? screen->availableGeometry() : QRect(main_outer.topLeft(), dialog_outer);
    dialog.move(version_dialog_position(main_outer, dialog_outer, available));

    dialog.exec();
    owner.start_watcher();
}

}  // namespace gradation::app
