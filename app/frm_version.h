// frmVersion: the version information dialog. MN_VER_Click opens it modally below the
// main window, with the clipboard watcher paused while it is open.
#pragma once

#include <QCoreApplication>
#include <QDialog>
#include <QIcon>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

#include <functional>

class QLabel;
class QPushButton;

namespace gradation::app {

// The program's own version information, as the version text shows it.
struct VersionInfo {
    QString title;
    int major = 0;
    int minor = 0;
    QString legal_copyright;
    QString company_name;
};

// The values set once in the build (generated version_info.h).
VersionInfo program_version_info();

// Four lines, each ended by `line_break`: "<title> Version <major>.<minor>", the
// copyright, the company, and the empty line after the last break.
QString version_text(const VersionInfo& info, const QString& line_break);

// A caption as a button draws it: the first access key stays ("&O" underlines O), a
// second one for kana input is left out with its letter; "&O&ﾗK" is drawn as "&OK".
QString drawn_caption(const QString& caption);

// Where the dialog's outer top-left corner goes: directly below the main window with
// the left edges aligned, then moved just enough to lie wholly inside `available`
// (up or left first; a dialog larger than the area keeps its top-left corner in it).
// Any one unit for all values (pixels, twips).
QPoint version_dialog_position(const QRect& main_outer, const QSize& dialog_outer, const QRect& available);

class frmVersion : public QDialog {
    Q_DECLARE_TR_FUNCTIONS(frmVersion)

public:
    // `icon` is the main window's icon; the load step gives it to the dialog.
    explicit frmVersion(const QIcon& icon);

    // Load step: centre, take the icon, build the version text.
    void Form_Load();
    void Command1_Click();

    QLabel* imgIcon = nullptr;
    QPushButton* Command1 = nullptr;
    QLabel* lblVersion = nullptr;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QIcon main_icon_;
};

// What the dialog needs from the window that opens it.
struct VersionDialogOwner {
    QWidget& window;                  // position, outer height, icon, screen
    std::function<void()> stop_watcher;
    std::function<void()> start_watcher;
};

// The body of MN_VER_Click: stop the watcher, load the dialog, put it below the owner,
// show it modally, start the watcher once it has closed.
void open_version_dialog(const VersionDialogOwner& owner);

}  // namespace gradation::app
