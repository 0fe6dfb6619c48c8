#include "widgets/limit_field.h"

#include "widgets/markup_note.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QSpinBox>

#include <algorithm>

namespace gradation::widgets {

LimitField::LimitField(QWidget* parent) : QWidget(parent) {
    length = new QSpinBox(this);
    length->setObjectName(QStringLiteral("limitLength"));
    length->setRange(1, 1'000'000);
    length->setValue(256);
    unit = new QComboBox(this);
    unit->setObjectName(QStringLiteral("limitUnit"));
    unit->addItem(tr("上限なし"));
    unit->addItem(unit_name(LengthUnit::Utf16Units));
    unit->addItem(unit_name(LengthUnit::Utf8Bytes));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(length);
    layout->addWidget(unit);
    set_limit(std::nullopt);
    connect(length, &QSpinBox::valueChanged, this, [this] {
        if (changed_) changed_();
    });
    connect(unit, &QComboBox::currentIndexChanged, this, [this](int index) {
        length->setEnabled(index > 0);
        if (changed_) changed_();
    });
}

std::optional<LengthLimit> LimitField::limit() const {
    if (unit->currentIndex() <= 0) return std::nullopt;
    return LengthLimit{static_cast<std::size_t>(length->value()),
                       unit->currentIndex() == 2 ? LengthUnit::Utf8Bytes : LengthUnit::Utf16Units};
}

void LimitField::set_limit(const std::optional<LengthLimit>& limit) {
    const QSignalBlocker quiet_length(length);
    const QSignalBlocker quiet_unit(unit);
    if (limit) length->setValue(static_cast<int>(std::min<std::size_t>(limit->length, 1'000'000)));
    unit->setCurrentIndex(!limit ? 0 : limit->unit == LengthUnit::Utf8Bytes ? 2 : 1);
    length->setEnabled(limit.has_value());
}

}  // namespace gradation::widgets
