// The program-wide mouse pointer, a value: setting the hourglass twice and the
// default once shows the default.
#pragma once

namespace gradation::platform {

enum class MousePointer { Default = 0, Hourglass = 11 };

void set_mouse_pointer(MousePointer pointer);
MousePointer mouse_pointer();

}  // namespace gradation::platform
