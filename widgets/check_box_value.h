// A check box whose value is 0 unchecked, 1 checked or 2 greyed. Qt numbers its
// states differently (1 is partial), so the values are mapped here explicitly.
#pragma once

#include <QCheckBox>

namespace gradation::widgets {

Qt::CheckState check_state_for(int value);  // 1 checked, 2 greyed, anything else unchecked
int check_value(Qt::CheckState state);      // 0, 1 or 2

// Only the program greys the box; a click turns a checked box off and any other on.
class ValueCheckBox : public QCheckBox {
public:
    using QCheckBox::QCheckBox;

    int value() const { return check_value(checkState()); }
    void set_value(int value) { setCheckState(check_state_for(value)); }

protected:
    void nextCheckState() override;
};

}  // namespace gradation::widgets
