// frmMain's design: the window, its controls at their places and its menus.
#include "app/frm_main.h"

#include "widgets/app_icon.h"
#include "widgets/check_box_value.h"
#include "widgets/fonts.h"
#include "widgets/size_wave_pictures.h"
#include "widgets/twips.h"
#include "platform/program_run.h"
#include "core/base/version_info.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

namespace gradation::app {
namespace {

constexpr int kClientWidth = widgets::twips_to_pixels(4800);
constexpr int kClientHeight = widgets::twips_to_pixels(930);

QLabel* bordered_label(QWidget* parent, const char* name) {
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setFrameStyle(QFrame::Box | QFrame::Plain);
    label->setLineWidth(1);
    label->setAutoFillBackground(true);
    return label;
}

}  // namespace

frmMain::frmMain()
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowCloseButtonHint),
      Timer1(this, "Timer1") {
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QString::fromUtf8(version_info::kTitle));  // the application title
    setWindowIcon(widgets::app_icon());
    setFont(widgets::ui_gothic_font(9));

    build_menus();
    build_controls();

    // A fixed frame: the window is exactly the menu bar over the 320 x 62 client area.
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setMenuBar(menu_bar);
    layout->addWidget(client_area);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->activate();  // the size is known before the window is first centred

    setTabOrder(cmdExec, cmbUserSetting);
    setTabOrder(cmbUserSetting, cmdExit);
    setTabOrder(cmdExit, chkDevTag);
    cmdExec->setFocus();

    // Disabled at design, interval 500 ms; the start-up sequence starts it.
    Timer1.set_interval(kWatcherInterval);

    connect_handlers();
}

frmMain::~frmMain() = default;

void frmMain::build_controls() {
    client_area = new QWidget(this);
    client_area->setObjectName(QStringLiteral("clientArea"));
    client_area->setFixedSize(kClientWidth, kClientHeight);

    // Five pictures stacked in one place; only the empty imgX(4) shows at design.
    for (int i = 0; i < static_cast<int>(imgX.size()); ++i) {
        QLabel* image = new QLabel(client_area);
        image->setObjectName(QStringLiteral("imgX(%1)").arg(i));
        widgets::place(image, 120, 60, 750, 375);
        image->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        if (i < 4) image->setPixmap(QPixmap::fromImage(widgets::size_wave_picture(i)));
        image->setVisible(i == 4);
        imgX[static_cast<std::size_t>(i)] = image;
    }

    lblPal[0] = bordered_label(client_area, "lblPal(0)");
    widgets::place(lblPal[0], 1080, 60, 375, 315);
    lblPal[1] = bordered_label(client_area, "lblPal(1)");
    widgets::place(lblPal[1], 1470, 60, 375, 315);

    cmbUserSetting = new QComboBox(client_area);
    cmbUserSetting->setObjectName(QStringLiteral("cmbUserSetting"));
    cmbUserSetting->setEditable(false);
    cmbUserSetting->setInsertPolicy(QComboBox::InsertAtBottom);
    widgets::place(cmbUserSetting, 1860, 60, 2055, 300);

    cmdExec = new QPushButton(tr("変換(&X&ｻ)"), client_area);
    cmdExec->setObjectName(QStringLiteral("cmdExec"));
    widgets::place(cmdExec, 3960, 30, 795, 405);

    cmdExit = new QPushButton(tr("終了&Q&ﾀ)"), client_area);
    cmdExit->setObjectName(QStringLiteral("cmdExit"));
    widgets::place(cmdExit, 120, 480, 795, 375);

    lblX = bordered_label(client_area, "lblX");
    lblX->setText(QStringLiteral("SAMPLE"));
    lblX->setAlignment(Qt::AlignCenter);
    lblX->setBackgroundRole(QPalette::Base);
    lblX->setForegroundRole(QPalette::Text);
    lblX->setFont(widgets::proportional_gothic_font(12));
    widgets::place(lblX, 1080, 480, 2775, 315);

    chkDevTag = new widgets::ValueCheckBox(tr("分離"), client_area);
    chkDevTag->setObjectName(QStringLiteral("chkDevTag"));
    chkDevTag->setTristate(true);  // the program may grey it
    widgets::place(chkDevTag, 3930, 510, 795, 285);

    // Labels and pictures take no focus; the buttons, the list and the box do.
    for (QWidget* control : {static_cast<QWidget*>(cmdExec), static_cast<QWidget*>(cmbUserSetting),
                             static_cast<QWidget*>(cmdExit), static_cast<QWidget*>(chkDevTag)})
        control->setFocusPolicy(Qt::StrongFocus);
}

void frmMain::build_menus() {
    menu_bar = new QMenuBar(this);
    menu_bar->setObjectName(QStringLiteral("menuBar"));
    menu_bar->setNativeMenuBar(false);

    MN_FILE = menu_bar->addMenu(tr("ファイル(&F&ﾊ)"));
    MN_FILE->setObjectName(QStringLiteral("MN_FILE"));
    mnuOnTop = MN_FILE->addAction(tr("常に手前に表示"));
    mnuOnTop->setObjectName(QStringLiteral("mnuOnTop"));
    mnuOnTop->setCheckable(true);
    mnuSep = MN_FILE->addSeparator();
    mnuSep->setObjectName(QStringLiteral("mnuSep"));
    MN_FILE_QUIT = MN_FILE->addAction(tr("終了(Q)"));
    MN_FILE_QUIT->setObjectName(QStringLiteral("MN_FILE_QUIT"));

    MN_VER = menu_bar->addAction(tr("バージョン情報(&V&ﾋ)"));
    MN_VER->setObjectName(QStringLiteral("MN_VER"));
    build_format_menu();
}

void frmMain::connect_handlers() {
    using platform::on_event;
    on_event(cmdExec, &QPushButton::clicked, this, [this] { cmdExec_Click(); });
    on_event(cmdExit, &QPushButton::clicked, this, [this] { cmdExit_Click(); });
    on_event(cmbUserSetting, &QComboBox::activated, this, [this] { cmbUserSetting_Click(); });
    on_event(chkDevTag, &QCheckBox::stateChanged, this, [this] { chkDevTag_Click(); });
    on_event(mnuOnTop, &QAction::triggered, this, [this] { mnuOnTop_Click(); });
    on_event(MN_FILE_QUIT, &QAction::triggered, this, [this] { MN_FILE_QUIT_Click(); });
    on_event(MN_VER, &QAction::triggered, this, [this] { MN_VER_Click(); });
    for (const DialectInfo& d : dialects()) {
        const Dialect dialect = d.dialect;
        on_event(mnuFormat[static_cast<int>(dialect)], &QAction::triggered, this, [this, dialect] { mnuFormat_Click(dialect); });
    }
    on_event(mnuLimit, &QAction::triggered, this, [this] { mnuLimit_Click(); });
    Timer1.on_tick([this] { Timer1_Timer(); });
}

}  // namespace gradation::app
