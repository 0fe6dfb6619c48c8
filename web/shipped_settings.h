// The shipped settings (data/QX.ini), embedded when the page is built.
#pragma once

#include <string_view>

namespace gradation::web {

extern const std::string_view kShippedSettings;

}  // namespace gradation::web
