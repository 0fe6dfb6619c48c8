// A column of controls that scrolls up and down on a screen too short for it: as wide
// as the column needs (it never scrolls sideways), and the column shrinks to its least
// height before it scrolls. A control reached with the keyboard is scrolled into view.
#pragma once

#include <QScrollArea>
#include <QVBoxLayout>

namespace gradation::settings_editor {

// A column whose height does not follow its width, though wrapped labels in it would
// make it so. A box layout then gives it at least its least height and shares out the
// rest, rather than fixing it at its preferred height and squeezing the controls beside
// it below theirs; a scroll area gives it the viewport's height, or its least.
class LeastHeightColumn : public QVBoxLayout {
public:
    using QVBoxLayout::QVBoxLayout;
    bool hasHeightForWidth() const override { return false; }
};

class ScrollColumn : public QScrollArea {
public:
    explicit ScrollColumn(QWidget* parent);

    // Where the column's controls go.
    QVBoxLayout* column() const { return column_; }

    QSize minimumSizeHint() const override;
    // The column's whole height: what the window asks for where the screen has room.
    int natural_height() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QVBoxLayout* column_ = nullptr;
};

}  // namespace gradation::settings_editor
