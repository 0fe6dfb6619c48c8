// Program-level values shared by every window: the line break and the centring
// arithmetic (the configuration file's path is in configuration_path.h).
#pragma once

#include <string>

namespace gradation {

inline constexpr char16_t kLineBreak[] = u"\r\n";
// Where a window's near edge goes to centre it: (screen - window), rounded half to
// even, then halved towards zero. Twips: 15360 and 4890 give 5235; 4589 and 4890 give -150.
long long centred_edge(double screen_extent, double window_extent);

}  // namespace gradation
