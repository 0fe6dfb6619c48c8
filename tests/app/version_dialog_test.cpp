// The version information dialog: its design and text, where it opens, and the
// clipboard watcher paused while it is open.
#include "support/window_harness.h"

#include "widgets/app_icon.h"
#include "app/frm_version.h"
#include "app/program_level.h"
#include "platform/window_placement.h"

#include <QApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <functional>

using namespace gradation;
using namespace gradation::test;

namespace {

const QString kCrLf = QStringLiteral("\r\n");

// Runs `inside` once the modal dialog opened by `open` is up, then makes sure it is
// closed (by `inside`, or here if `inside` left it open) so that `open` returns.
void with_open_dialog(const std::function<void()>& open, const std::function<void(app::frmVersion&)>& inside) {
    bool seen = false;
    QTimer guard;  // a dialog that never closes must not hang the test
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [] {
        if (QWidget* modal = QApplication::activeModalWidget()) modal->close();
    });
    QTimer::singleShot(0, &guard, [&] {
        guard.start(10000);
        auto* dialog = dynamic_cast<app::frmVersion*>(QApplication::activeModalWidget());
        if (dialog == nullptr) return;
        seen = true;
        if (!QTest::qWaitForWindowActive(dialog)) qWarning("the version dialog did not become active");
        inside(*dialog);
        if (dialog->isVisible()) dialog->Command1->click();
    });
    open();
    QVERIFY2(seen, "the version dialog was not shown modally");
}

// A stand-in for the main window: a framed top-level window with the program's icon.
struct OwnerWindow {
    QWidget window;
    QStringList watcher;  // "stop" and "start", in the order they were asked for

    explicit OwnerWindow(QPoint where) {
        window.setWindowIcon(widgets::app_icon());
        window.setFixedSize(320, 82);
        window.move(where);
        window.show();
    }
    app::VersionDialogOwner owner() {
        return {window, [this] { watcher << QStringLiteral("stop"); }, [this] { watcher << QStringLiteral("start"); }};
    }
};

}  // namespace

class VersionDialogTest : public QObject {
    Q_OBJECT

private slots:
    void version_text_has_four_lines_data();
    void version_text_has_four_lines();
    void placement_below_the_main_window_data();
    void placement_below_the_main_window();
    void drawn_caption_leaves_out_the_kana_key_data();
    void drawn_caption_leaves_out_the_kana_key();

    void design_places_and_frame_data();
    void design_places_and_frame();
    void load_step_sets_icon_text_and_colours();
    void three_lines_fit_the_label();
    void enter_closes_escape_does_not();
    void opens_below_owner_with_watcher_paused();
    void opens_inside_the_available_area_near_the_bottom();
    void stays_above_while_the_main_window_does_data();
    void stays_above_while_the_main_window_does();
    void second_opening_shows_the_same_text();
    void main_window_watcher_stops_and_starts_again();
};

void VersionDialogTest::version_text_has_four_lines_data() {
    QTest::addColumn<app::VersionInfo>("info");
    QTest::addColumn<QString>("expected");
    QTest::newRow("5.07.0004") << app::VersionInfo{"VU+ZIRI ZE", 5, 7, "(C) A", "B Co."}
                               << "VU+ZIRI ZE Version 5.7\r\n(C) A\r\nB Co.\r\n";
    QTest::newRow("minor 10") << app::VersionInfo{"VU+ZIRI ZE", 5, 10, "(C) A", "B Co."}
                              << "VU+ZIRI ZE Version 5.10\r\n(C) A\r\nB Co.\r\n";
    QTest::newRow("empty entries keep their lines") << app::VersionInfo{"VU+ZIRI ZE", 5, 7, "", ""}
                                                    << "VU+ZIRI ZE Version 5.7\r\n\r\n\r\n";
}

void VersionDialogTest::version_text_has_four_lines() {
    QFETCH(app::VersionInfo, info);
    QFETCH(QString, expected);
    const QString text = app::version_text(info, kCrLf);
    QCOMPARE(text, expected);
    QCOMPARE(text.split(kCrLf).size(), 4);
}

void VersionDialogTest::placement_below_the_main_window_data() {
    QTest::addColumn<QRect>("main_outer");
    QTest::addColumn<QSize>("dialog_outer");
    QTest::addColumn<QRect>("available");
    QTest::addColumn<QPoint>("expected");
    // Twips on a 1024 x 768 screen (15360 x 11520 twips).
    const QRect screen(0, 0, 15360, 11520);
    const QSize dialog(4380, 2940);
    QTest::newRow("below, left edges aligned") << QRect(3000, 2000, 4830, 1500) << dialog << screen << QPoint(3000, 3500);
    QTest::newRow("just fits at the bottom")
        << QRect(3000, 7080, 4830, 1500) << dialog << screen << QPoint(3000, 8580);
    QTest::newRow("near the bottom: moved up just enough")
        << QRect(3000, 9000, 4830, 1500) << dialog << screen << QPoint(3000, 11520 - 2940);
    QTest::newRow("near the right edge: moved left")
        << QRect(13000, 2000, 4830, 1500) << dialog << screen << QPoint(15360 - 4380, 3500);
    QTest::newRow("bottom right corner: up and left")
        << QRect(14000, 10000, 4830, 1500) << dialog << screen << QPoint(15360 - 4380, 11520 - 2940);
    QTest::newRow("partly off the left edge: moved right")
        << QRect(-600, 2000, 4830, 1500) << dialog << screen << QPoint(0, 3500);
    QTest::newRow("work area below a top panel")
        << QRect(3000, -400, 4830, 300) << dialog << QRect(0, 450, 15360, 11070) << QPoint(3000, 450);
    QTest::newRow("second screen to the right")
        << QRect(20000, 2000, 4830, 1500) << dialog << QRect(15360, 0, 15360, 11520) << QPoint(20000, 3500);
    QTest::newRow("dialog larger than the area keeps its top-left corner in it")
        << QRect(100, 100, 4830, 1500) << QSize(20000, 20000) << screen << QPoint(0, 0);
}

void VersionDialogTest::placement_below_the_main_window() {
    QFETCH(QRect, main_outer);
    QFETCH(QSize, dialog_outer);
    QFETCH(QRect, available);
    QFETCH(QPoint, expected);
    QCOMPARE(app::version_dialog_position(main_outer, dialog_outer, available), expected);
}

void VersionDialogTest::drawn_caption_leaves_out_the_kana_key_data() {
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("drawn");
    QTest::newRow("OK button") << "&O&ﾗK" << "&OK";
    QTest::newRow("convert button") << "変換(&X&ｻ)" << "変換(&X)";
    QTest::newRow("literal ampersand") << "A&&B&C&ｶ" << "A&&B&C";
}

void VersionDialogTest::drawn_caption_leaves_out_the_kana_key() {
    QFETCH(QString, caption);
    QFETCH(QString, drawn);
    QCOMPARE(app::drawn_caption(caption), drawn);
}

// Left, top, width and height in twips from the design; the dialog works in pixels.
void VersionDialogTest::design_places_and_frame_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("twips");
    QTest::newRow("imgIcon") << "imgIcon" << QRect(120, 120, 675, 675);
    QTest::newRow("Command1") << "Command1" << QRect(3540, 120, 675, 675);
    QTest::newRow("lblVersion") << "lblVersion" << QRect(120, 1440, 4095, 675);
}

void VersionDialogTest::design_places_and_frame() {
    QFETCH(QString, name);
    QFETCH(QRect, twips);
    app::frmVersion dialog(widgets::app_icon());
    dialog.Form_Load();
    QCOMPARE(dialog.size(), QSize(290, 174));
    QCOMPARE(dialog.minimumSize(), dialog.maximumSize());  // the user cannot resize it
    QCOMPARE(dialog.windowType(), Qt::Dialog);             // framed as a dialog, not a taskbar window
    QVERIFY(!(dialog.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
    QVERIFY(dialog.windowFlags() & Qt::WindowCloseButtonHint);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("バージョン情報"));
    QWidget* control = dialog.findChild<QWidget*>(name);
    QVERIFY(control != nullptr);
    QCOMPARE(control->geometry(), QRect(twips.x() / 15, twips.y() / 15, twips.width() / 15, twips.height() / 15));
}

void VersionDialogTest::load_step_sets_icon_text_and_colours() {
    app::frmVersion dialog(widgets::app_icon());
    dialog.Form_Load();
    const QImage icon = widgets::app_icon().pixmap(32, 32).toImage();
    QCOMPARE(dialog.windowIcon().pixmap(32, 32).toImage(), icon);
    QCOMPARE(dialog.imgIcon->pixmap().toImage(), icon);

    const app::VersionInfo info = app::program_version_info();
    QVERIFY(!info.legal_copyright.isEmpty() && !info.company_name.isEmpty());
    QCOMPARE(dialog.lblVersion->text(), QStringLiteral("VU+ZIRI ZE Version 5.7\r\n") + info.legal_copyright + kCrLf +
                                            info.company_name + kCrLf);

    QCOMPARE(dialog.Command1->text(), QStringLiteral("&O&ﾗK"));
    QVERIFY(dialog.Command1->isDefault());
    QVERIFY(dialog.Command1->font().bold());
    QCOMPARE(dialog.Command1->font().pointSize(), 9);
    for (QWidget* control : dialog.findChildren<QWidget*>())
        if (control != dialog.Command1)
            QVERIFY2(control->focusPolicy() == Qt::NoFocus, qPrintable(control->objectName() + " takes the focus"));

    // Drawn, not just set: light grey behind everything, navy text on the label.
    const QImage drawn = dialog.grab().toImage();
    QCOMPARE(drawn.pixelColor(150, 40), QColor(0xC0, 0xC0, 0xC0));
    QCOMPARE(drawn.pixelColor(10, 140), QColor(0xC0, 0xC0, 0xC0));
    QCOMPARE(dialog.lblVersion->palette().color(QPalette::WindowText), QColor(0x00, 0x00, 0x80));
    int navy = 0;  // text pixels: blue well above red and green (antialiased edges included)
    const QRect label = dialog.lblVersion->geometry();
    for (int y = label.top(); y <= label.bottom(); ++y)
        for (int x = label.left(); x <= label.right(); ++x) {
            const QColor c = drawn.pixelColor(x, y);
            if (c.blue() - c.red() > 40 && c.blue() - c.green() > 40) ++navy;
        }
    QVERIFY2(navy > 100, "the version text is not drawn in navy");
}

void VersionDialogTest::three_lines_fit_the_label() {
    app::frmVersion dialog(widgets::app_icon());
    dialog.Form_Load();
    const QFontMetrics metrics(dialog.lblVersion->font());
    const QStringList lines = dialog.lblVersion->text().split(kCrLf);
    QCOMPARE(lines.size(), 4);
    QVERIFY2(2 * metrics.lineSpacing() + metrics.height() <= dialog.lblVersion->height(),
             qPrintable(QStringLiteral("line spacing %1 is too large for three lines in %2 pixels")
                            .arg(metrics.lineSpacing())
                            .arg(dialog.lblVersion->height())));
    for (int i = 0; i < 3; ++i)
        QVERIFY2(metrics.horizontalAdvance(lines[i]) <= dialog.lblVersion->width(), qPrintable(lines[i]));
}

void VersionDialogTest::enter_closes_escape_does_not() {
    OwnerWindow main(QPoint(100, 100));
    bool open_after_escape = false;
    bool closed_after_enter = false;
    with_open_dialog([&] { app::open_version_dialog(main.owner()); },
                     [&](app::frmVersion& dialog) {
                         QVERIFY(dialog.Command1->hasFocus());
                         QTest::keyClick(&dialog, Qt::Key_Escape);
                         open_after_escape = dialog.isVisible();
                         QTest::keyClick(&dialog, Qt::Key_Return);
                         closed_after_enter = !dialog.isVisible();
                     });
    QVERIFY2(open_after_escape, "Esc closed the dialog");
    QVERIFY2(closed_after_enter, "Enter did not close the dialog");
}

void VersionDialogTest::opens_below_owner_with_watcher_paused() {
    OwnerWindow main(QPoint(100, 120));
    QPoint at;
    QStringList watcher_while_open;
    with_open_dialog([&] { app::open_version_dialog(main.owner()); },
                     [&](app::frmVersion& dialog) {
                         at = dialog.frameGeometry().topLeft();
                         watcher_while_open = main.watcher;
                     });
    const QRect outer = main.window.frameGeometry();
    QCOMPARE(at, QPoint(outer.left(), outer.top() + outer.height()));
    QCOMPARE(watcher_while_open, QStringList{"stop"});
    QCOMPARE(main.watcher, (QStringList{"stop", "start"}));
}

void VersionDialogTest::opens_inside_the_available_area_near_the_bottom() {
    const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
    OwnerWindow main(QPoint(available.left() + 50, available.bottom() - 120));
    QRect dialog_outer;
    with_open_dialog([&] { app::open_version_dialog(main.owner()); },
                     [&](app::frmVersion& dialog) { dialog_outer = dialog.frameGeometry(); });
    QVERIFY2(available.contains(dialog_outer), "the dialog reaches outside the screen's available area");
    QCOMPARE(dialog_outer.left(), main.window.frameGeometry().left());
    QCOMPARE(dialog_outer.bottom(), available.bottom());  // moved up just enough
}

void VersionDialogTest::stays_above_while_the_main_window_does_data() {
    QTest::addColumn<bool>("main_on_top");
    QTest::newRow("main window on top") << true;
    QTest::newRow("main window among the others") << false;
}

void VersionDialogTest::stays_above_while_the_main_window_does() {
    QFETCH(bool, main_on_top);
    OwnerWindow main(QPoint(100, 100));
    platform::set_keep_above(main.window, main_on_top);
    bool dialog_on_top = !main_on_top;
    with_open_dialog([&] { app::open_version_dialog(main.owner()); },
                     [&](app::frmVersion& dialog) { dialog_on_top = platform::keeps_above(dialog); });
    QCOMPARE(dialog_on_top, main_on_top);
}

void VersionDialogTest::second_opening_shows_the_same_text() {
    OwnerWindow main(QPoint(100, 100));
    QStringList texts;
    QList<const void*> dialogs;
    for (int opening = 0; opening < 2; ++opening)
        with_open_dialog([&] { app::open_version_dialog(main.owner()); },
                         [&](app::frmVersion& dialog) {
                             texts << dialog.lblVersion->text();
                             dialogs << &dialog;
                         });
    QCOMPARE(texts.size(), 2);
    QCOMPARE(texts[1], texts[0]);
    QCOMPARE(texts[0].count(QStringLiteral("Version")), 1);
    const QWidgetList windows = QApplication::topLevelWidgets();
    QVERIFY2(std::none_of(windows.begin(), windows.end(), [](QWidget* w) { return qobject_cast<QDialog*>(w); }),
             "a closed dialog is left over");
}

// The real main window: its menu item pauses the timer while the dialog is open.
void VersionDialogTest::main_window_watcher_stops_and_starts_again() {
    write_ini({kStandardLine});
    RunningProgram program;
    app::frmMain& window = program.window();
    QVERIFY(window.Timer1.Enabled());
    bool enabled_while_open = true;
    int interval_while_open = -1;
    with_open_dialog([&] { window.MN_VER->trigger(); },
                     [&](app::frmVersion&) {
                         enabled_while_open = window.Timer1.Enabled();
                         interval_while_open = window.Timer1.Interval();
                     });
    QVERIFY(!enabled_while_open);
    QCOMPARE(interval_while_open, 0);
    QVERIFY(window.Timer1.Enabled());
    QCOMPARE(window.Timer1.Interval(), 500);
}

QTEST_MAIN(VersionDialogTest)
#include "version_dialog_test.moc"
