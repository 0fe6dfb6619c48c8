// A length limit as the user sets it: none, or a number of UTF-16 units or UTF-8 bytes.
#pragma once

#include "core/markup/markup_fit.h"

#include <QCoreApplication>
#include <QWidget>

#include <functional>
#include <optional>

class QComboBox;
class QSpinBox;

namespace gradation::widgets {

class LimitField : public QWidget {
    Q_DECLARE_TR_FUNCTIONS(LimitField)

public:
    explicit LimitField(QWidget* parent = nullptr);

    std::optional<LengthLimit> limit() const;
    void set_limit(const std::optional<LengthLimit>& limit);

    QSpinBox* length = nullptr;
    QComboBox* unit = nullptr;  // なし, UTF-16 単位, UTF-8 バイト

    // Runs after every change the user makes.
    void on_change(std::function<void()> changed) { changed_ = std::move(changed); }

private:
    std::function<void()> changed_;
};

}  // namespace gradation::widgets
