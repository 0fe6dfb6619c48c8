// A setting's gradient as a bar: the colours the characters take along it, with a mark
// for each stop. A click on the bar away from a stop adds one there (in the colour the
// bar shows), a click on a stop selects it, a drag moves it, Delete removes it (keys too:
// Left/Right select, Insert adds). The end
// stops stay at 0 and 100 and are never removed; there are 2..16 stops.
#pragma once

#include "core/colour/gradient.h"

#include <QCoreApplication>
#include <QWidget>

#include <functional>

namespace gradation::settings_editor {

class GradientBar : public QWidget {
    Q_DECLARE_TR_FUNCTIONS(GradientBar)

public:
    explicit GradientBar(QWidget* parent = nullptr);

    const Gradient& gradient() const { return gradient_; }
    // Shows `gradient` without telling on_changed; the first stop is selected.
    void show_gradient(const Gradient& gradient);

    int selected() const { return selected_; }
    void select(int stop);

    // The edits the mouse and keyboard make; each tells on_changed (false when refused).
    bool add_stop_at(int position);
    bool remove_selected();
    bool move_selected(int position);  // an end stop does not move
    void set_selected_colour(const Colour& colour);
    void set_space(GradientSpace space);

    std::function<void()> on_changed;
    std::function<void()> on_selected;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    int position_at(int x) const;
    int x_of(int position) const;
    int stop_near(int x) const;  // -1 for none
    void changed();

    Gradient gradient_;
    int selected_ = 0;
    bool dragging_ = false;
};

// The colour a gradient gives at `position` percent.
Colour colour_at(const Gradient& gradient, int position);

}  // namespace gradation::settings_editor
