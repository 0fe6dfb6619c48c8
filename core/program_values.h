// Program-level values shared by every window: the line break, the configuration
// file's path, and the centring arithmetic.
#pragma once

#include <string>

namespace gradation {

inline constexpr char16_t kLineBreak[] = u"\r\n";
inline constexpr const char* kIniFileName = "QX.ini";

// The configuration file's path: the program's directory, the separator when that
// text does not already end with one, then "QX.ini".
std::string make_ini_path(const std::string& program_directory, char separator = '/');

// Where a window's near edge goes to centre it: (screen - window), rounded half to
// even, then halved towards zero. Twips: 15360 and 4890 give 5235; 4589 and 4890 give -150.
long long centred_edge(double screen_extent, double window_extent);

}  // namespace gradation
