#include "settings_editor/scroll_column.h"

#include <QApplication>
#include <QEvent>
#include <QScrollBar>
#include <QVBoxLayout>

namespace gradation::settings_editor {

ScrollColumn::ScrollColumn(QWidget* parent) : QScrollArea(parent) {
    auto* content = new QWidget;
    column_ = new LeastHeightColumn(content);
    column_->setContentsMargins(0, 0, 0, 0);
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setWidgetResizable(true);
    setWidget(content);
    QObject::connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        if (now != nullptr && widget()->isAncestorOf(now)) ensureWidgetVisible(now);
    });
}

QSize ScrollColumn::minimumSizeHint() const {
    const int width = widget()->minimumSizeHint().width() + verticalScrollBar()->sizeHint().width();
    return {width, QScrollArea::minimumSizeHint().height()};
}

int ScrollColumn::natural_height() const { return widget()->minimumSizeHint().height(); }

bool ScrollColumn::eventFilter(QObject* watched, QEvent* event) {
    // The column grew or shrank (a longer caption, a list filled): so does the least width.
    if (watched == widget() && event->type() == QEvent::LayoutRequest) updateGeometry();
    return QScrollArea::eventFilter(watched, event);
}

}  // namespace gradation::settings_editor
