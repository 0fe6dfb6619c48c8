// The strict check of a setting line that is about to be written. Reading stays lenient
// (a stored "on" reads as off, a colour of 300 is kept); a line given to be written must
// say exactly what it means, so that it reads back as the user typed it.
#pragma once

#include "core/setting_line/setting_record.h"

#include <optional>
#include <string_view>

namespace gradation {

// Refuses `line`, naming the position, unless it may be written: flags exactly ON or OFF,
// direction H or V, size mode 0-2, size sign 0-1, size value a whole number, table border
// 0 or more, wave pattern 0-3, colours 0-255, the 22nd field (when present) 0-2, 21 or 22
// fields, and a non-empty name without control characters. A field whose text (blanks
// at its ends aside) is the same as in `kept` is not checked: the editor passes the
// entry's stored line, so odd stored values stay until the user changes that field.
Outcome check_line_strictly(std::u16string_view line, std::u16string_view kept = {});

}  // namespace gradation
