#include "support/interface_walk.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QStyle>
#include <QTextEdit>
#include <QTimer>

namespace gradation::test {
namespace {

void add(QStringList& texts, const QObject& where, const QString& text) {
    if (!text.trimmed().isEmpty())
        texts << QStringLiteral("%1 %2: %3").arg(where.metaObject()->className(), where.objectName(), text);
}

void add_actions(QStringList& texts, const QWidget& widget) {
    for (const QAction* action : widget.actions()) {
        add(texts, *action, action->text());
        add(texts, *action, action->toolTip());
        add(texts, *action, action->statusTip());
        if (action->menu()) texts << reachable_texts(*action->menu());
    }
}

void add_own_texts(QStringList& texts, const QWidget& w) {
    if (w.isWindow()) add(texts, w, w.windowTitle());
    add(texts, w, w.toolTip());
    add(texts, w, w.statusTip());
    if (auto* label = qobject_cast<const QLabel*>(&w)) add(texts, w, label->text());
    if (auto* button = qobject_cast<const QAbstractButton*>(&w)) add(texts, w, button->text());
    if (auto* group = qobject_cast<const QGroupBox*>(&w)) add(texts, w, group->title());
    if (auto* menu = qobject_cast<const QMenu*>(&w)) add(texts, w, menu->title());
    if (auto* line = qobject_cast<const QLineEdit*>(&w)) add(texts, w, line->placeholderText());
    if (auto* plain = qobject_cast<const QPlainTextEdit*>(&w)) add(texts, w, plain->toPlainText());
    if (auto* rich = qobject_cast<const QTextEdit*>(&w)) add(texts, w, rich->toPlainText());
    if (auto* combo = qobject_cast<const QComboBox*>(&w)) {
        add(texts, w, combo->placeholderText());
        for (int i = 0; i < combo->count(); ++i)
            add(texts, w, combo->itemText(i)), add(texts, w, combo->itemData(i, Qt::ToolTipRole).toString());
    }
    if (auto* list = qobject_cast<const QListWidget*>(&w))
        for (int i = 0; i < list->count(); ++i) add(texts, w, list->item(i)->text()), add(texts, w, list->item(i)->toolTip());
    add_actions(texts, w);
}

}  // namespace

QStringList reachable_texts(const QWidget& root) {
    QStringList texts;
    add_own_texts(texts, root);
    for (const QWidget* child : root.findChildren<QWidget*>()) add_own_texts(texts, *child);
    return texts;
}

namespace {

// The width `w` needs to show its caption whole. A push button's size hint has a
// style's least width, so its caption is measured instead.
int needed_width(const QWidget& w) {
    if (const auto* button = qobject_cast<const QPushButton*>(&w))
        return w.fontMetrics().horizontalAdvance(QString(button->text()).remove(QLatin1Char('&'))) +
               2 * w.style()->pixelMetric(QStyle::PM_DefaultFrameWidth);
    return w.sizeHint().width();
}

bool is_caption(const QWidget& w) {
    const auto* label = qobject_cast<const QLabel*>(&w);
    return qobject_cast<const QAbstractButton*>(&w) || (label && !label->wordWrap() && label->pixmap().isNull());
}

}  // namespace

QString not_english(const QWidget& window, const QStringList& more, const QStringList& allowed) {
    static const QRegularExpression kCjk(
        QStringLiteral("[\\p{Han}\\p{Hiragana}\\p{Katakana}\\p{Hangul}\\x{3000}-\\x{303F}\\x{FF01}-\\x{FFEF}]"));
    static const QRegularExpression kTag(QStringLiteral("<[^>]*>"));  // previews hold markup of the names
    QStringList found;
    for (const QString& text : reachable_texts(window) + more) {
        QString rest = QString(text).remove(kTag);
        for (const QString& piece : allowed) rest.remove(piece);
        if (rest.contains(kCjk)) found << text;
    }
    for (const QWidget* w : window.findChildren<QWidget*>())
        if (is_caption(*w) && w->isVisible() && needed_width(*w) > w->width())
            found << QStringLiteral("%1 %2 is cut off: %3 px wide, %4 px needed")
                         .arg(w->metaObject()->className(), w->objectName())
                         .arg(w->width())
                         .arg(needed_width(*w));
    return found.join(u'\n');
}

QStringList texts_of_modal_dialog(const std::function<void()>& open) {
    QStringList texts;
    QTimer::singleShot(0, [&texts] {
        QWidget* dialog = QApplication::activeModalWidget();
        if (!dialog) return;
        texts = reachable_texts(*dialog);
        dialog->close();
    });
    open();
    return texts;
}

void save_screenshot(QWidget& window, const QString& name) {
    const QString folder = qEnvironmentVariable("GRADATION_SCREENSHOTS");
    if (folder.isEmpty() || !QDir().mkpath(folder)) return;
    const QString file = name + qEnvironmentVariable("GRADATION_SCREENSHOT_SUFFIX") + QStringLiteral(".png");
    window.grab().save(QDir(folder).filePath(file));
}

}  // namespace gradation::test
