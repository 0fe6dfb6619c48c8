#include "settings_editor/gradient_bar.h"

#include "core/colour/gradient_steps.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPolygon>

#include <algorithm>

namespace gradation::settings_editor {
namespace {

constexpr int kMargin = 6;      // room for the end stops' marks
constexpr int kBarHeight = 18;
constexpr int kMarkHeight = 8;
constexpr int kGrab = 5;        // how near a click must be to a stop's mark

QColor shown(const Colour& c) {
    return QColor(std::clamp(c.red, 0, 255), std::clamp(c.green, 0, 255), std::clamp(c.blue, 0, 255));
}

}  // namespace

Colour colour_at(const Gradient& gradient, int position) {
    return gradient_colours(gradient, 101)[static_cast<std::size_t>(std::clamp(position, 0, 100))];
}

GradientBar::GradientBar(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::StrongFocus);
    setMinimumSize(120, kBarHeight + kMarkHeight + 2);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setToolTip(tr("クリック (Insert) で色を追加、印のクリック (←→) で選択、ドラッグで移動、Delete で削除"));
    show_gradient(two_stop_gradient({0, 0, 0}, {255, 255, 255}));
}

QSize GradientBar::sizeHint() const { return {240, kBarHeight + kMarkHeight + 4}; }

void GradientBar::show_gradient(const Gradient& gradient) {
    gradient_ = gradient;
    selected_ = 0;
    update();
}

void GradientBar::select(int stop) {
    selected_ = std::clamp(stop, 0, static_cast<int>(gradient_.stops.size()) - 1);
    update();
    if (on_selected) on_selected();
}

bool GradientBar::add_stop_at(int position) {
    if (gradient_.stops.size() >= kMaxStops || position <= 0 || position >= 100) return false;
    const auto after = std::find_if(gradient_.stops.begin() + 1, gradient_.stops.end(),
                                    [position](const GradientStop& s) { return s.position > position; });
    const GradientStop stop{colour_at(gradient_, position), position};
    const auto added = gradient_.stops.insert(after == gradient_.stops.end() ? after - 1 : after, stop);
    selected_ = static_cast<int>(added - gradient_.stops.begin());
    changed();
    if (on_selected) on_selected();
    return true;
}

bool GradientBar::remove_selected() {
    const int last = static_cast<int>(gradient_.stops.size()) - 1;
    if (selected_ <= 0 || selected_ >= last || gradient_.stops.size() <= kMinStops) return false;
    gradient_.stops.erase(gradient_.stops.begin() + selected_);
    select(selected_ - 1);
    changed();
    return true;
}

bool GradientBar::move_selected(int position) {
    const int last = static_cast<int>(gradient_.stops.size()) - 1;
    if (selected_ <= 0 || selected_ >= last) return false;
    // Between its neighbours: positions never decrease along the stops.
    const int low = gradient_.stops[static_cast<std::size_t>(selected_ - 1)].position;
    const int high = gradient_.stops[static_cast<std::size_t>(selected_ + 1)].position;
    int& at = gradient_.stops[static_cast<std::size_t>(selected_)].position;
    const int to = std::clamp(position, low, high);
    if (to == at) return false;
    at = to;
    changed();
    return true;
}

void GradientBar::set_selected_colour(const Colour& colour) {
    gradient_.stops[static_cast<std::size_t>(selected_)].colour = colour;
    changed();
}

void GradientBar::set_space(GradientSpace space) {
    gradient_.space = space;
    changed();
}

void GradientBar::changed() {
    update();
    if (on_changed) on_changed();
}

int GradientBar::x_of(int position) const { return kMargin + position * (width() - 2 * kMargin) / 100; }

int GradientBar::position_at(int x) const {
    const int span = std::max(1, width() - 2 * kMargin);
    return std::clamp(((x - kMargin) * 100 + span / 2) / span, 0, 100);
}

int GradientBar::stop_near(int x) const {
    int best = -1;
    for (int i = 0; i < static_cast<int>(gradient_.stops.size()); ++i) {
        const int distance = std::abs(x_of(gradient_.stops[static_cast<std::size_t>(i)].position) - x);
        if (distance <= kGrab && (best < 0 || distance < std::abs(x_of(gradient_.stops[static_cast<std::size_t>(best)].position) - x)))
            best = i;
    }
    return best;
}

void GradientBar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const int length = std::max(1, width() - 2 * kMargin);
    const std::vector<Colour> colours = gradient_colours(gradient_, length);
    for (int i = 0; i < length; ++i) {
        painter.setPen(shown(colours[static_cast<std::size_t>(i)]));
        painter.drawLine(kMargin + i, 0, kMargin + i, kBarHeight - 1);
    }
    for (int i = 0; i < static_cast<int>(gradient_.stops.size()); ++i) {
        const GradientStop& stop = gradient_.stops[static_cast<std::size_t>(i)];
        const int x = x_of(stop.position);
        const QPolygon mark({QPoint(x, kBarHeight), QPoint(x - 5, kBarHeight + kMarkHeight),
                             QPoint(x + 5, kBarHeight + kMarkHeight)});
        painter.setBrush(shown(stop.colour));
        painter.setPen(QPen(i == selected_ ? palette().highlight().color() : palette().text().color(),
                            i == selected_ ? 2 : 1));
        painter.drawPolygon(mark);
    }
}

void GradientBar::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    const int x = static_cast<int>(event->position().x());
    const int near = stop_near(x);
    dragging_ = true;
    if (near >= 0)
        select(near);
    else if (!add_stop_at(position_at(x)))
        dragging_ = false;
}

void GradientBar::mouseMoveEvent(QMouseEvent* event) {
    if (dragging_ && (event->buttons() & Qt::LeftButton)) {
        if (move_selected(position_at(static_cast<int>(event->position().x()))) && on_selected) on_selected();
    }
}

// Without a mouse: Left and Right select a stop, Insert adds one halfway to the next.
void GradientBar::keyPressEvent(QKeyEvent* event) {
    const int last = static_cast<int>(gradient_.stops.size()) - 1;
    switch (event->key()) {
    case Qt::Key_Delete:
    case Qt::Key_Backspace: remove_selected(); return;
    case Qt::Key_Left: select(selected_ - 1); return;
    case Qt::Key_Right: select(selected_ + 1); return;
    case Qt::Key_Insert: {
        const int from = selected_ < last ? selected_ : last - 1;
        const auto& stops = gradient_.stops;
        add_stop_at((stops[static_cast<std::size_t>(from)].position + stops[static_cast<std::size_t>(from + 1)].position) / 2);
        return;
    }
    default: QWidget::keyPressEvent(event);
    }
}

}  // namespace gradation::settings_editor
